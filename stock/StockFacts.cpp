#include "stock/StockFacts.h"

#include "stock/StockLedger.h"
#include "store/CompanyData.h"
#include "store/MoneySum.h"

namespace {

StockFacts::Last last(Connection& db, qint64 stockId, bool entry)
{
    const QString side = entry ? QStringLiteral("G") : QStringLiteral("C");
    // The newest movement of that side: date order from the end, equal dates by entry.
    const std::vector<SqlRow> rows = db.select(
        QStringLiteral("SELECT \"Tarih\", \"%1Miktari\", \"%1Fiyati\", \"%1Tutari\" FROM "
                       "\"StHar\" WHERE coalesce(\"STRef\",0) = ? AND \"%1Miktari\" > 0 ORDER BY "
                       "coalesce(\"Tarih\",'') DESC, \"Nosu\" DESC LIMIT 1")
            .arg(side),
        {stockId});
    StockFacts::Last l;
    if (rows.empty()) return l;
    l.found = true;
    l.tarih = QDate::fromString(rows.front()[0].toString(), Qt::ISODate);
    l.miktar = rows.front()[1].toDouble();
    l.fiyat = rows.front()[2].toDouble();
    l.tutar = rows.front()[3].toDouble();
    return l;
}

} // namespace

StockFacts quickStockFacts(CompanyData& company, qint64 stockId)
{
    Connection& db = company.connection();
    StockFacts f;
    const std::vector<SqlRow> card = db.select(
        QStringLiteral("SELECT \"Fiyat1\", \"Fiyat2\", \"Fiyat3\", \"Normal\" FROM \"Stok\" "
                       "WHERE \"Nosu\" = ?"),
        {stockId});
    if (!card.empty()) {
        const double rate = card.front()[3].toDouble();
        for (int i = 0; i < 3; ++i) {
            const double price = card.front()[size_t(i)].toDouble();
            f.vatPrices[i] = price <= 0 ? 0
                             : rate > 0 ? price + company.RoundMoney(price * rate / 100)
                                        : price;
        }
    }
    f.lastPurchase = last(db, stockId, true);
    f.lastSale = last(db, stockId, false);
    const std::vector<SqlRow> sums = db.select(
        QStringLiteral("SELECT %1, %2, min(CASE WHEN \"GFiyati\" <> 0 THEN \"GFiyati\" END), "
                       "max(CASE WHEN \"GFiyati\" <> 0 THEN \"GFiyati\" END), "
                       "min(CASE WHEN \"CFiyati\" <> 0 THEN \"CFiyati\" END), "
                       "max(CASE WHEN \"CFiyati\" <> 0 THEN \"CFiyati\" END) FROM \"StHar\" "
                       "WHERE coalesce(\"STRef\",0) = ?")
            .arg(MoneySum::sqlSum(QStringLiteral("\"GMiktari\"")),
                 MoneySum::sqlSum(QStringLiteral("\"CMiktari\""))),
        {stockId});
    if (!sums.empty()) {
        const SqlRow& s = sums.front();
        const MoneySum in = MoneySum::fromSql(s[0]), out = MoneySum::fromSql(s[1]);
        f.giren = company.RoundMoney(in.value());
        f.cikan = company.RoundMoney(out.value());
        f.bakiye = company.RoundMoney((in - out).value());
        f.cheapestPurchase = s[2].toDouble();
        f.dearestPurchase = s[3].toDouble();
        f.cheapestSale = s[4].toDouble();
        f.dearestSale = s[5].toDouble();
    }
    f.inventory = StockLedger(company).totals(stockId);
    return f;
}
