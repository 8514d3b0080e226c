#include "stock/InventoryReports.h"
#include "StockBooks.h"
#include "store/MoneyFormat.h"
#include "support/Reference.h"

#include <gtest/gtest.h>

namespace {

class InventoryTest : public ::testing::Test, protected StockCompany {
protected:
    qint64 a = 0, b = 0, late = 0;
    const QDate june{2026, 6, 30};

    void SetUp() override
    {
        a = books.card("A-1", "Ayar vidası");
        b = books.card("B-1", "Boru");
        late = books.card("C-1", "Conta");
        company.connection().scalar("UPDATE \"Stok\" SET \"MlzKodu\" = 3 WHERE \"Nosu\" = ?", {b});
        books.move(a, QDate(2026, 1, 10), 10, 5);
        books.move(a, QDate(2026, 2, 10), 10, 6);
        books.move(a, QDate(2026, 3, 10), 0, 8, 12); // 12 sold for 96.00
        books.move(b, QDate(2026, 5, 1), 4, 2.5);
        books.move(b, QDate(2026, 8, 1), 0, 3, 1);
        books.move(late, QDate(2026, 9, 1), 3, 1); // after the inventory date
    }
    static QStringList summary(const PageSet& set) { return bandTexts(set, "Ozet"); }
    double stored(qint64 id, const char* field)
    {
        return company.connection()
            .scalar(QStringLiteral("SELECT \"%1\" FROM \"Stok\" WHERE \"Nosu\" = ?").arg(field),
                    {id})
            .toDouble();
    }
};

} // namespace

TEST_F(InventoryTest, TheProfitAnalysisByAverageCostsWhatWentOut)
{
    InventoryReports::Choice c;
    c.method = InventoryReports::Method::Average;
    c.cards.codeFrom = "A-1";
    c.cards.codeTo = "A-1";
    const PageSet set = InventoryReports::report(company, InventoryReports::Kind::Profit, c);
    // Entries 10 at 5.00 and 10 at 6.00, 12 sold for 96.00: 8 left at 5.50.
    EXPECT_EQ(summary(set), QStringList({"TOPLAM :", "110.00", "96.00", "44.00", "66.00", "30.00",
                                         "Listelenen 1 adet"}));
    EXPECT_TRUE(set.plainText().contains("KAR ANALİZİ (ORTALAMA)"));
}

TEST_F(InventoryTest, EachReportMatchesItsReferenceAndWritesTheTotalsAsOfItsDate)
{
    InventoryReports::Choice c;
    c.date = june;
    const struct {
        InventoryReports::Kind kind;
        InventoryReports::Method method;
        const char* file;
    } reports[] = {
        {InventoryReports::Kind::Physical, {}, "fiziki_envanter.txt"},
        {InventoryReports::Kind::Financial, {}, "mali_envanter.txt"},
        {InventoryReports::Kind::Profit, InventoryReports::Method::Fifo, "kar_fifo.txt"},
        {InventoryReports::Kind::Profit, InventoryReports::Method::Lifo, "kar_lifo.txt"}};
    for (const auto& r : reports) {
        c.method = r.method;
        const PageSet set = InventoryReports::report(company, r.kind, c);
        expectReferenceIn(QStringLiteral(STOCK_DATA), dumpWithoutToday(set), r.file);
        EXPECT_EQ(summary(set).back(), "Listelenen 3 adet") << r.file; // the late card counts
    }
    // The cards hold their totals as of the date: the late card nothing, B only its entry.
    EXPECT_EQ(stored(late, "GMTop"), 0);
    EXPECT_EQ(stored(b, "TMTop"), 4);
    // The financial sums are the sums of what was written.
    const PageSet financial =
        InventoryReports::report(company, InventoryReports::Kind::Financial, c);
    const auto sum = [&](const char* field) {
        return formatNumber(
            company.connection()
                .scalar(QStringLiteral("SELECT sum(\"%1\") FROM \"Stok\"").arg(field))
                .toDouble(),
            company.moneyFormat());
    };
    EXPECT_EQ(summary(financial),
              QStringList({"TOPLAM :", sum("GTTop"), sum("CTTop"), sum("FifoTop"), sum("LifoTop"),
                           sum("OrtTop"), "Listelenen 3 adet"}));
    // The movement window's recomputation brings a card back to every movement.
    RecomputeStockTotals(company, late);
    EXPECT_EQ(stored(late, "GMTop"), 3);
    // Without a date the totals are those of every movement, as the movement window has them.
    InventoryReports::report(company, InventoryReports::Kind::Physical, {});
    EXPECT_EQ(stored(b, "TMTop"), 3);
    EXPECT_EQ(stored(late, "GMTop"), 3);
    EXPECT_DOUBLE_EQ(stored(a, "OrtTop"), StockTotals::toDouble(books.ledger.totals(a).ort));
}

TEST_F(InventoryTest, AKindListsItsCardsWhateverTheirCodes)
{
    InventoryReports::Choice c;
    c.cards.kind = 3; // "&Mamül", the code fields empty
    const PageSet set = InventoryReports::report(company, InventoryReports::Kind::Physical, c);
    EXPECT_EQ(summary(set), QStringList({"Listelenen 1 adet"}));
    EXPECT_TRUE(set.plainText().contains("Boru"));
    c.cards.kind = -1;
    c.cards.codeFrom = "Z";
    c.cards.codeTo = "A"; // from above to: the summary alone
    EXPECT_EQ(summary(InventoryReports::report(company, InventoryReports::Kind::Physical, c)),
              QStringList({"Listelenen 0 adet"}));
}
