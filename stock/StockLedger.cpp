#include "stock/StockLedger.h"

#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/CompanyData.h"
#include "store/Table.h"

StockLedger::StockLedger(CompanyData& company)
    : company_(company)
    , movements_(std::make_unique<Table>(company.connection(), QStringLiteral("StHar")))
{
    movements_->open();
}

StockLedger::~StockLedger() = default;

void StockLedger::fill(const StockMovement& m)
{
    // The card as the writer has just read it in this command, else as it is.
    std::vector<SqlRow> card{SqlRow{m.kodu, m.cinsi}};
    if (m.kodu.isEmpty() || m.cinsi.isEmpty())
        card = company_.connection().select(
            QStringLiteral("SELECT \"Kodu\", \"Cinsi\" FROM \"Stok\" WHERE \"Nosu\" = ?"),
            {m.stockId});
    if (card.empty()) throw AppError(QStringLiteral("Stok kartı bulunamadı (%1).").arg(m.stockId));
    Table& har = *movements_;
    har[QStringLiteral("Tarih")] = m.tarih;
    har[QStringLiteral("BelgeNo")] = m.belgeNo;
    har[QStringLiteral("Aciklama")] = m.aciklama;
    har[QStringLiteral("GMiktari")] = m.gMiktari;
    har[QStringLiteral("GFiyati")] = m.gFiyati;
    har[QStringLiteral("GTutari")] = company_.RoundMoney(m.gTutari);
    har[QStringLiteral("CMiktari")] = m.cMiktari;
    har[QStringLiteral("CFiyati")] = m.cFiyati;
    har[QStringLiteral("CTutari")] = company_.RoundMoney(m.cTutari);
    har[QStringLiteral("Kaynak")] = m.kaynak;
    har[QStringLiteral("STRef")] = m.stockId;
    har[QStringLiteral("Kodu")] = card.front()[0];
    har[QStringLiteral("Cinsi")] = m.cinsi.isEmpty() ? card.front()[1] : QVariant(m.cinsi);
    har[QStringLiteral("FRef")] = m.fRef ? QVariant(m.fRef) : QVariant();
}

qint64 StockLedger::post(const StockMovement& movement)
{
    return CommandTransaction::run(
        company_.connection(), [&] { return appendRecord(*movements_, [&] { fill(movement); }); });
}

std::vector<qint64> StockLedger::postAll(const std::vector<StockMovement>& movements)
{
    return CommandTransaction::run(company_.connection(), [&] {
        return movements_->appendAll(int(movements.size()),
                                     [&](int i) { fill(movements[size_t(i)]); });
    });
}

qint64 StockLedger::rewrite(qint64 id, const StockMovement& movement, bool* wrote)
{
    return CommandTransaction::run(company_.connection(), [&] {
        return rewriteRecord(
            *movements_, id, [&] { fill(movement); }, wrote);
    });
}

void StockLedger::restamp(const std::vector<qint64>& ids, const QDate& tarih,
                          const QString& belgeNo)
{
    if (ids.empty()) return;
    Connection& db = company_.connection();
    const TableDef& def = db.tableDef(QStringLiteral("StHar"));
    const int size = def.fields[size_t(def.fieldIndex(QStringLiteral("BelgeNo")))].size;
    CommandTransaction::run(db, [&] {
        for (const QVariantList& group : Connection::keyGroups(ids))
            db.exec(
                QStringLiteral("UPDATE \"StHar\" SET \"Tarih\" = ?, \"BelgeNo\" = ?, \"_Surum\" = "
                               "\"_Surum\" + 1 WHERE \"Nosu\" IN ") +
                    Connection::keyListMarks(),
                QVariantList{tarih.toString(Qt::ISODate), belgeNo.left(size)} + group);
        movements_->refresh();
    });
}

void StockLedger::remove(qint64 id)
{
    if (id <= 0) return;
    CommandTransaction::run(company_.connection(), [&] { movements_->removeId(id); });
}

std::optional<StockMovement> StockLedger::read(qint64 id)
{
    Table& har = *movements_;
    if (id <= 0 || !har.gotoId(id)) return std::nullopt;
    StockMovement m;
    m.tarih = har[QStringLiteral("Tarih")].asDate();
    m.belgeNo = har[QStringLiteral("BelgeNo")].asString();
    m.aciklama = har[QStringLiteral("Aciklama")].asString();
    m.kodu = har[QStringLiteral("Kodu")].asString();
    m.cinsi = har[QStringLiteral("Cinsi")].asString();
    m.gMiktari = har[QStringLiteral("GMiktari")].asFloat();
    m.gFiyati = har[QStringLiteral("GFiyati")].asFloat();
    m.gTutari = har[QStringLiteral("GTutari")].asFloat();
    m.cMiktari = har[QStringLiteral("CMiktari")].asFloat();
    m.cFiyati = har[QStringLiteral("CFiyati")].asFloat();
    m.cTutari = har[QStringLiteral("CTutari")].asFloat();
    m.kaynak = har[QStringLiteral("Kaynak")].asString();
    m.stockId = har[QStringLiteral("STRef")].asInt64();
    m.fRef = har[QStringLiteral("FRef")].asInt64();
    return m;
}

StockMovement StockLedger::invoiceLine(qint64 stockId, const QDate& date, const QString& number,
                                       const QString& customerTitle, double quantity, double net,
                                       bool entry) const
{
    StockMovement m;
    m.kaynak = StockKaynak::FA;
    m.stockId = stockId;
    m.tarih = date;
    m.belgeNo = number;
    m.aciklama = customerTitle;
    const double price = quantity != 0 ? company_.RoundMoney(net / quantity) : 0;
    (entry ? m.gMiktari : m.cMiktari) = quantity;
    (entry ? m.gFiyati : m.cFiyati) = price;
    (entry ? m.gTutari : m.cTutari) = net;
    return m;
}

StockTotals::Totals StockLedger::totals(qint64 stockId, const QDate& asOf)
{
    using namespace StockTotals;
    // The card's movements in date order, equal dates in entry order (as the date index).
    QString sql = QStringLiteral(
        "SELECT \"GMiktari\", \"GFiyati\", \"GTutari\", \"CMiktari\", \"CTutari\" FROM "
        "\"StHar\" WHERE coalesce(\"STRef\",0) = ?");
    QVariantList params{stockId};
    if (asOf.isValid()) {
        sql += QStringLiteral(" AND \"Tarih\" <= ?");
        params << asOf.toString(Qt::ISODate);
    }
    sql += QStringLiteral(" ORDER BY coalesce(\"Tarih\", ''), \"Nosu\"");
    std::vector<Movement> movements;
    for (const SqlRow& row : company_.connection().select(sql, params))
        movements.push_back({units(row[0].toDouble()), units(row[1].toDouble()),
                             units(row[2].toDouble()), units(row[3].toDouble()),
                             units(row[4].toDouble())});
    return compute(movements);
}

namespace {

int writeCardTotals(Connection& db, qint64 stockId, const StockTotals::Totals& t)
{
    using StockTotals::toDouble;
    return db.exec(
        QStringLiteral("UPDATE \"Stok\" SET \"GMTop\" = ?, \"GTTop\" = ?, \"CMTop\" = ?, "
                       "\"CTTop\" = ?, \"TMTop\" = ?, \"TTTop\" = ?, \"FifoTop\" = ?, "
                       "\"LifoTop\" = ?, \"OrtTop\" = ? WHERE \"Nosu\" = ?"),
        {toDouble(t.gm), toDouble(t.gt), toDouble(t.cm), toDouble(t.ct), toDouble(t.tm),
         toDouble(t.tt), toDouble(t.fifo), toDouble(t.lifo), toDouble(t.ort), stockId});
}

} // namespace

StockTotals::Totals StockLedger::recomputeTotals(qint64 stockId, const QDate& asOf)
{
    using namespace StockTotals;
    const Totals t = totals(stockId, asOf);
    return CommandTransaction::run(company_.connection(), [&] {
        if (writeCardTotals(company_.connection(), stockId, t) != 1)
            throw AppError(QStringLiteral("Stok kartı bulunamadı (%1).").arg(stockId));
        return t;
    });
}

void StockLedger::writeTotals(const std::vector<std::pair<qint64, StockTotals::Totals>>& cards)
{
    // A card deleted meanwhile at another workstation is simply not there to write.
    CommandTransaction::run(company_.connection(), [&] {
        for (const auto& [id, t] : cards)
            writeCardTotals(company_.connection(), id, t);
    });
}

StockTotals::Totals RecomputeStockTotals(CompanyData& company, qint64 stockId, const QDate& asOf)
{
    return StockLedger(company).recomputeTotals(stockId, asOf);
}
