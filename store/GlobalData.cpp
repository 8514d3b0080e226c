#include "store/GlobalData.h"

#include "store/AppError.h"
#include "store/CompanySchema.h"
#include "store/StoreSession.h"

QString masterPassword()
{
    return QStringLiteral("27182818");
}

void createProtectedTable(Connection& connection, const TableDef& def)
{
    connection.createTable(def);
    Table table(connection, def.name);
    table.open(true);
    connection.protectTable(table, masterPassword());
}

GlobalData::GlobalData(StoreSession& session, const QString& dataDirectory)
    : connection_(std::make_unique<Connection>(
          session, dataDirectory, Connection::OpenMode::Existing, QStringLiteral("Sorvan")))
    , sirket_(std::make_unique<Table>(*connection_, QStringLiteral("Sirket")))
    , fatPlan_(std::make_unique<Table>(*connection_, QStringLiteral("FatPlan")))
{
    sirket_->setIndexName(QStringLiteral("Sirket_1"));
    sirket_->open();
    fatPlan_->open();
}

bool GlobalData::CompanyCodeExists(const QString& code)
{
    if (!codeCursor_) {
        codeCursor_ = std::make_unique<Table>(*connection_, QStringLiteral("Sirket"));
        codeCursor_->setIndexName(QStringLiteral("Sirket_1"));
        codeCursor_->open();
    }
    codeCursor_->refresh();
    return !code.isEmpty() && codeCursor_->findKey({code});
}

void GlobalData::createGlobalTables(StoreSession& session, const QString& dataDirectory)
{
    Connection db(session, dataDirectory, Connection::OpenMode::CreateIfMissing);
    for (const TableDef& def : globalTableDefs())
        if (!db.tableExists(def.name)) createProtectedTable(db, def);

    Table plan(db, QStringLiteral("FatPlan"));
    plan.open();
    if (!plan.isEmpty()) return;
    // The built-in layout: positions in report pixels, "E" for shown elements.
    const QList<QPair<const char*, QVariant>> values = {
        {"Title_H", 290},    {"Detail_H", 20},      {"Footer_H", 140},    {"Unvani_L", 21},
        {"Unvani_T", 164},   {"Adres1_L", 21},      {"Adres1_T", 182},    {"Adres2_L", 21},
        {"Adres2_T", 202},   {"Vd_L", 21},          {"Vd_T", 221},        {"VdNo_L", 126},
        {"VdNo_T", 221},     {"Tarih_L", 522},      {"Tarih_T", 109},     {"IrsTarih", "E"},
        {"IrsTarih_L", 522}, {"IrsTarih_T", 128},   {"IrsNo", "E"},       {"IrsNo_L", 522},
        {"IrsNo_T", 147},    {"Kodu", "E"},         {"Kodu_L", 8},        {"Kodu_T", 0},
        {"Cinsi", "E"},      {"Cinsi_L", 92},       {"Cinsi_T", 0},       {"Miktari", "E"},
        {"Miktari_L", 296},  {"Miktari_T", 0},      {"Birim", "E"},       {"Birim_L", 352},
        {"Birim_T", 0},      {"Tutari", "E"},       {"Tutari_L", 470},    {"Tutari_T", 0},
        {"IskTutar", "E"},   {"IskTutar_L", 549},   {"IskTutar_T", 0},    {"KdvOran", "E"},
        {"KdvOran_L", 608},  {"KdvOran_T", 0},      {"AraTop", "E"},      {"AraTop_L", 642},
        {"AraTop_T", 0},     {"PAraToplam_L", 570}, {"PAraToplam_T", 23}, {"PKdv_L", 570},
        {"PKdv_T", 42},      {"PGToplam_L", 570},   {"PGToplam_T", 61},   {"Yazi_L", 12},
        {"Yazi_T", 111},     {"Mutabakat", "E"},    {"Mutabakat_L", 8},   {"Mutabakat_T", 3},
        {"BirimF", "E"},     {"BirimF_L", 396},     {"BirimF_T", 0},
    };
    plan.append();
    for (const auto& [name, value] : values)
        plan[QLatin1String(name)] = value;
    plan.post();
}
