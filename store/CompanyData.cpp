#include "store/CompanyData.h"

#include "store/AppError.h"
#include "store/CompanySchema.h"
#include "store/IniFile.h"
#include "store/InstallSettings.h"
#include "store/MoneyFormat.h"
#include "store/StoreSession.h"

#include <QTime>

namespace {

// The order each table object takes when the company opens; the rest use the primary index.
const QHash<QString, QString>& openingIndexes()
{
    static const QHash<QString, QString> map = {
        {"CarHar", "CarHar_1"}, {"StHar", "StHar_1"},     {"Cek", "Cek_1"},
        {"Senet", "Senet_1"},   {"FSenFis", "FSenFis_1"}, {"CarFis", "CarFis_1"},
        {"StFis", "StFis_1"},   {"Tahsil", "Tahsil_1"},   {"Tediye", "Tediye_1"},
        {"Kasa", "Kasa_1"},     {"Taksit", "Taksit_1"},   {"Plan", "Plan_1"},
        {"Odeme", "Odeme_1"},   {"ATaksit", "Taksit_1"},  {"APlan", "Plan_1"},
        {"AOdeme", "Odeme_1"},  {"Siparis", "Siparis_2"},
    };
    return map;
}

// Fields that show money: "#,##0.00" with kuruş, else "#,##0".
const char* const kMoneyFields[] = {
    "Cari.KrediLimiti", "Cari.RiskLimiti", "Cari.BorcT",      "Cari.AlacakT",     "Cari.BakiyeT",
    "CarHar.Borc",      "CarHar.Alacak",   "Stok.GTTop",      "Stok.CTTop",       "Stok.TTTop",
    "Stok.FifoTop",     "Stok.LifoTop",    "Stok.OrtTop",     "StHar.GTutari",    "StHar.CTutari",
    "Fatura.FatTop",    "Fatura.Iskonto",  "Fatura.Kdv",      "Fatura.GToplam",   "FatHar.Tutari",
    "FatHar.IskTutar",  "FatHar.AraTop",   "FatHar.KdvTutar", "FatHar.TopTutar",  "Cek.TUTARI",
    "Senet.TUTARI",     "FCek.TUTARI",     "FSenet.TUTARI",   "Tahsil.TopTutar",  "TahHar.Tutar",
    "Tediye.TopTutar",  "TedHar.Tutar",    "Kasa.Giren",      "Kasa.Cikan",       "Plan.Tutari",
    "Plan.Odeme",       "Plan.Bakiye",     "APlan.Tutari",    "APlan.Odeme",      "APlan.Bakiye",
    "Odeme.Tutari",     "AOdeme.Tutari",   "Siparis.Toplam",  "Siparis.IskTutar", "Siparis.Kdv",
    "Siparis.GenTop",   "SipHar.Tutari",   "SipHar.IskTutar", "SipHar.AraTop",    "SipHar.KdvTutar",
    "SipHar.TopTutar",
};
const char* const kPriceFields[] = {"Stok.Fiyat1",   "Stok.Fiyat2",   "Stok.Fiyat3",
                                    "StHar.GFiyati", "StHar.CFiyati", "FatHar.BirimF",
                                    "SipHar.BirimF"};

QString connectionName()
{
    const QTime now = QTime::currentTime();
    return QStringLiteral("A%1%2%3%4")
        .arg(now.hour())
        .arg(now.minute())
        .arg(now.second())
        .arg(now.msec());
}

} // namespace

CompanyData::CompanyData(StoreSession& session, const InstallSettings& install, const QString& code)
    : install_(install)
    , code_(code)
    , directory_(install.companyDirectory(code))
{
    settings_ = CompanySettings::read(directory_);
    cashKurus_ = settings_.kurus() || install.kurus() == 1;
    connection_ = std::make_unique<Connection>(session, directory_, Connection::OpenMode::Existing,
                                               connectionName());
    setDisplayFormats(install);
    // Books made before an index was added get it now; a read-only file does without it (it
    // only makes lookups faster).
    try {
        ensureExtraIndexes(*connection_);
    } catch (const AppError&) {
    }
    for (const TableDef& def : companyTableDefs()) {
        auto table = std::make_unique<Table>(*connection_, def.name);
        table->setIndexName(openingIndexes().value(def.name));
        table->open();
        byName_.insert(def.name.toLower(), table.get());
        tables_.push_back(std::move(table));
    }
    kart_ = std::make_unique<LocalQuery>(*connection_);
    hareket_ = std::make_unique<LocalQuery>(*connection_);
}

CompanyData::~CompanyData()
{
    kart_.reset();
    hareket_.reset();
    lookupCursors_.clear();
    tables_.clear();
}

Table& CompanyData::table(const QString& name)
{
    Table* table = byName_.value(name.toLower());
    if (!table) throw AppError(QStringLiteral("Şirket tablolarında %1 yok.").arg(name));
    return *table;
}

QString CompanyData::moneyFormat() const
{
    return kurus() ? QStringLiteral("#,##0.00") : QStringLiteral("#,##0");
}

void CompanyData::setDisplayFormats(const InstallSettings& install)
{
    const auto set = [this](const QString& field, const QString& format) {
        formats_.insert(field.toLower(), format);
    };
    const QString stock = install.stokMiktarFormat();
    const QString invoice = install.faturaMiktarFormat();
    set("StHar.GMiktari", stock);
    set("StHar.CMiktari", stock);
    for (const char* field :
         {"FatHar.Miktari", "SipHar.Miktari", "SipHar.Faturalanan", "SipHar.Kalan"})
        set(QLatin1String(field), invoice);
    for (const char* field : kMoneyFields)
        set(QLatin1String(field), moneyFormat());
    const QString price = !kurus()               ? QStringLiteral("#,##0")
                          : settings_.fiyat == 1 ? QStringLiteral("#,##0.0000")
                          : settings_.fiyat == 2 ? QStringLiteral("#,##0.000000")
                                                 : QStringLiteral("#,##0.00");
    for (const char* field : kPriceFields)
        set(QLatin1String(field), price);
    for (const char* field : {"Kasa.Giren", "Kasa.Cikan", "Tahsil.TopTutar", "TahHar.Tutar",
                              "Tediye.TopTutar", "TedHar.Tutar"})
        set(QLatin1String(field), cashMoneyFormat());
    for (const char* field : {"CarHar.BirimF", "Fatura.GZTop", "Fatura.SToplam"})
        set(QLatin1String(field), QStringLiteral("#,##0.00"));
    for (const char* field :
         {"Stok.Kritik", "Stok.Normal", "Stok.GMTop", "Stok.CMTop", "Stok.TMTop"})
        set(QLatin1String(field), QStringLiteral("#,##0"));
}

QString CompanyData::displayFormat(const QString& table, const QString& field) const
{
    return formats_.value((table + QLatin1Char('.') + field).toLower());
}

double CompanyData::RoundMoney(double amount) const
{
    return roundMoney(amount, kurus());
}

QString CompanyData::cashMoneyFormat() const
{
    return cashKurus_ ? QStringLiteral("#,##0.00") : QStringLiteral("#,##0");
}

double CompanyData::RoundCash(double amount) const
{
    return roundMoney(amount, cashKurus_);
}

QString CompanyData::FormatMoneyText(const QString& text) const
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return formatNumber(0, moneyFormat());
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    return ok ? formatNumber(value, moneyFormat()) : QStringLiteral("0");
}

QString CompanyData::StripThousands(const QString& text)
{
    return stripThousands(text);
}

bool CompanyData::existsIn(const QString& table, const QString& index, const QVariant& key)
{
    std::shared_ptr<Table>& cursor = lookupCursors_[index];
    if (!cursor) {
        cursor = std::make_shared<Table>(*connection_, table);
        cursor->setIndexName(index);
        cursor->open();
    }
    cursor->refresh(); // another workstation may have written it a moment ago
    return cursor->findKey({key});
}

std::optional<CompanyData::Card> CompanyData::findCard(const QString& table,
                                                       const QString& codeField,
                                                       const QString& titleField,
                                                       const QString& code, const QString& filter)
{
    if (code.trimmed().isEmpty()) return std::nullopt;
    Table cursor(*connection_, table);
    if (!filter.isEmpty()) {
        cursor.setFilter(filter);
        cursor.setFiltered(true);
    }
    cursor.open();
    if (!cursor.locateLast(codeField, code)) return std::nullopt;
    return Card{cursor.currentId(), cursor[codeField].asString(), cursor[titleField].asString()};
}

bool CompanyData::CustomerCodeExists(const QString& code)
{
    return !code.isEmpty() && existsIn(QStringLiteral("Cari"), QStringLiteral("Cari_1"), code);
}

bool CompanyData::CustomerHasMovements(qint64 customerId)
{
    return existsIn(QStringLiteral("CarHar"), QStringLiteral("CarHar_2"), customerId);
}

bool CompanyData::pictureFitted(const QString& section, qint64 id) const
{
    const IniFile resimler(directory_ + QStringLiteral("/Resimler.ini"));
    return resimler.readInteger(section, QString::number(id), 0) == 1;
}

void CompanyData::setPictureFitted(const QString& section, qint64 id, bool fitted) const
{
    IniFile resimler(directory_ + QStringLiteral("/Resimler.ini"));
    resimler.writeInteger(section, QString::number(id), fitted ? 1 : 0);
}

bool CompanyData::StockCodeExists(const QString& code)
{
    return !code.isEmpty() && existsIn(QStringLiteral("Stok"), QStringLiteral("Stok_1"), code);
}

bool CompanyData::StockHasMovements(qint64 stockId)
{
    return existsIn(QStringLiteral("StHar"), QStringLiteral("StHar_2"), stockId);
}

namespace {

bool seekBack(Table& table, const QString& field, const QVariant& value)
{
    if (table.filtered()) table.setFiltered(false);
    if (table.locateLast(field, value)) return true;
    table.first();
    return false;
}

bool locateUnfiltered(Table& table, const QString& field, const QVariant& value)
{
    if (table.filtered()) table.setFiltered(false);
    return table.locate(field, value);
}

} // namespace

bool CompanyData::SeekBackById(Table& table, qint64 id)
{
    return seekBack(table, table.def().fields.front().name, id);
}

bool CompanyData::SeekBackByText(Table& table, const QString& field, const QString& text)
{
    return seekBack(table, field, text);
}

bool CompanyData::SeekBackByInt(Table& table, const QString& field, qint64 number)
{
    return seekBack(table, field, number);
}

bool CompanyData::LocateText(Table& table, const QString& field, const QString& text)
{
    return locateUnfiltered(table, field, text);
}

bool CompanyData::LocateInt(Table& table, const QString& field, qint64 number)
{
    return locateUnfiltered(table, field, number);
}
