#include "stock/StockCards.h"
#include "store/AppError.h"

#include "store/CommandTransaction.h"
#include "store/CompanyData.h"
#include "store/MoneyFormat.h"
#include "store/Table.h"

#include <cmath>

namespace StockCards {

namespace {

LastMovement lastOf(CompanyData& company, qint64 stockId, bool entry)
{
    // The newest movement of the side; equal dates newest entered first. The (STRef, Tarih)
    // index makes this one step from the end.
    const QString sql =
        entry ? QStringLiteral(
                    "SELECT \"Tarih\", \"GMiktari\", \"GFiyati\", \"GTutari\" FROM "
                    "\"StHar\" WHERE coalesce(\"STRef\",0) = ? AND \"GMiktari\" > 0 ORDER BY "
                    "coalesce(\"Tarih\",'') DESC, \"Nosu\" DESC LIMIT 1")
              : QStringLiteral(
                    "SELECT \"Tarih\", \"CMiktari\", \"CFiyati\", \"CTutari\" FROM "
                    "\"StHar\" WHERE coalesce(\"STRef\",0) = ? AND \"CMiktari\" > 0 ORDER BY "
                    "coalesce(\"Tarih\",'') DESC, \"Nosu\" DESC LIMIT 1");
    const std::vector<SqlRow> rows = company.connection().select(sql, {stockId});
    LastMovement last;
    if (rows.empty()) return last;
    last.date = QDate::fromString(rows[0][0].toString(), Qt::ISODate);
    last.quantity = rows[0][1].toDouble();
    last.price = rows[0][2].toDouble();
    last.amount = rows[0][3].toDouble();
    return last;
}

} // namespace

Panel panel(CompanyData& company, qint64 stockId)
{
    Panel p;
    const std::vector<SqlRow> rows = company.connection().select(
        QStringLiteral("SELECT coalesce(sum(\"GMiktari\"), 0), coalesce(sum(\"CMiktari\"), 0), "
                       "min(CASE WHEN \"GFiyati\" <> 0 THEN \"GFiyati\" END), "
                       "max(CASE WHEN \"GFiyati\" <> 0 THEN \"GFiyati\" END), "
                       "min(CASE WHEN \"CFiyati\" <> 0 THEN \"CFiyati\" END), "
                       "max(CASE WHEN \"CFiyati\" <> 0 THEN \"CFiyati\" END) "
                       "FROM \"StHar\" WHERE coalesce(\"STRef\",0) = ?"),
        {stockId});
    if (!rows.empty()) {
        const SqlRow& r = rows[0];
        p.giren = company.RoundMoney(r[0].toDouble());
        p.cikan = company.RoundMoney(r[1].toDouble());
        p.bakiye = company.RoundMoney(p.giren - p.cikan);
        p.cheapestBuy = r[2].toDouble();
        p.dearestBuy = r[3].toDouble();
        p.cheapestSale = r[4].toDouble();
        p.dearestSale = r[5].toDouble();
    }
    p.alis = lastOf(company, stockId, true);
    p.satis = lastOf(company, stockId, false);
    return p;
}

bool datesPriceChange(bool isNew, const std::array<double, 3>& loaded,
                      const std::array<double, 3>& typed, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    const auto atEditor = [scale](double v) { return std::llround(v * scale); };
    for (size_t i = 0; i < 3; ++i) {
        if (isNew ? atEditor(typed[i]) != 0 : atEditor(typed[i]) != atEditor(loaded[i]))
            return true;
    }
    return false;
}

bool savePrices(CompanyData& company, qint64 stockId, const std::array<double, 3>& loaded,
                const std::array<double, 3>& typed, int decimals)
{
    if (!datesPriceChange(false, loaded, typed, decimals)) return false;
    return CommandTransaction::run(company.connection(), [&] {
        Table stok(company.connection(), QStringLiteral("Stok"));
        stok.open();
        if (!stok.editId(stockId))
            throw AppError(QStringLiteral("Stok kartı bulunamadı (%1).").arg(stockId));
        changeOrCancel(stok, [&] {
            for (size_t i = 0; i < 3; ++i) {
                const std::array<double, 3> one = {loaded[i], 0, 0}, now = {typed[i], 0, 0};
                if (datesPriceChange(false, one, now, decimals))
                    stok[QStringLiteral("Fiyat%1").arg(i + 1)] = typed[i];
            }
            stok[QStringLiteral("DegTarih")] = QDate::currentDate();
            stok.post();
        });
        return true;
    });
}

bool deleteCard(CompanyData& company, Table& stok)
{
    if (stok.isEmpty()) return false;
    // The check and the delete in one command: a movement posted meanwhile on another
    // workstation cannot slip in between.
    CommandTransaction transaction(stok.connection());
    if (company.StockHasMovements(stok.currentId())) return false;
    stok.remove();
    transaction.commit();
    return true;
}

std::optional<QStringList> quantityWarning(const QString& cinsi, const QString& birim,
                                           double kritik, double onHand)
{
    if (onHand < 0)
        return QStringList{QStringLiteral("Stok kartı eksi bakiye"),
                           QStringLiteral("veriyor DİKKAT !!!")};
    if (kritik != 0 && kritik >= onHand && onHand > 0) {
        const QString mask = QStringLiteral("0.####");
        return QStringList{
            QStringLiteral(" %1 Stok kartı kritik seviyede").arg(cinsi),
            QStringLiteral("[%1 %2 olması gerekirken %3 %4] DİKKAT !!!")
                .arg(formatNumber(kritik, mask), birim, formatNumber(onHand, mask), birim)};
    }
    return std::nullopt;
}

} // namespace StockCards
