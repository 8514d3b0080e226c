#include "stock/StockCards.h"
#include "StockBooks.h"
#include "store/CompanySchema.h"
#include "store/DatabaseCheck.h"
#include "support/Installation.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

class StockCardsTest : public ::testing::Test, protected StockCompany {
protected:
};

} // namespace

TEST_F(StockCardsTest, ThePanelShowsTheLastPurchaseAndSaleAndThePriceExtremes)
{
    const qint64 vida = books.card("V", "Vida");
    StockCards::Panel empty = StockCards::panel(company, vida);
    EXPECT_EQ(empty.giren, 0);
    EXPECT_EQ(empty.bakiye, 0);
    EXPECT_FALSE(empty.alis.date.isValid());
    EXPECT_EQ(empty.cheapestBuy, 0);
    EXPECT_EQ(empty.dearestSale, 0);

    books.move(vida, QDate(2026, 1, 5), 10, 5.5);
    books.move(vida, QDate(2026, 3, 1), 4, 7.25);
    books.move(vida, QDate(2026, 3, 1), 2, 0); // same day, entered later: the last purchase
    books.move(vida, QDate(2026, 2, 1), 0, 9, 3);
    books.move(vida, QDate(2026, 1, 20), 0, 8, 1);
    books.move(books.card("X", "Başka"), QDate(2026, 4, 1), 100, 1); // another card's
    const StockCards::Panel p = StockCards::panel(company, vida);
    EXPECT_EQ(p.giren, 16);
    EXPECT_EQ(p.cikan, 4);
    EXPECT_EQ(p.bakiye, 12);
    EXPECT_EQ(p.alis.date, QDate(2026, 3, 1));
    EXPECT_EQ(p.alis.quantity, 2);
    EXPECT_EQ(p.alis.price, 0);
    EXPECT_EQ(p.satis.date, QDate(2026, 2, 1));
    EXPECT_EQ(p.satis.quantity, 3);
    EXPECT_EQ(p.satis.amount, 27);
    // A price of 0 is no price: the cheapest purchase is 5.50, not the free one.
    EXPECT_EQ(p.cheapestBuy, 5.5);
    EXPECT_EQ(p.dearestBuy, 7.25);
    EXPECT_EQ(p.cheapestSale, 8);
    EXPECT_EQ(p.dearestSale, 9);
}

TEST_F(StockCardsTest, APriceChangeIsDatedOnlyWhenAPriceReallyChanged)
{
    // New: any price that is not 0.
    EXPECT_FALSE(StockCards::datesPriceChange(true, {}, {0, 0, 0}, 2));
    EXPECT_TRUE(StockCards::datesPriceChange(true, {}, {0, 0, 0.01}, 2));
    // Edit: compared at the editor's decimals, so a stored 2.675 shown as 2.68 and saved back
    // is no change; 2.68 typed over 2.67 is.
    EXPECT_FALSE(StockCards::datesPriceChange(false, {2.675, 1, 0}, {2.68, 1, 0}, 2));
    EXPECT_TRUE(StockCards::datesPriceChange(false, {2.67, 1, 0}, {2.68, 1, 0}, 2));
    EXPECT_FALSE(StockCards::datesPriceChange(false, {10.4, 0, 0}, {10, 0, 0}, 0));
    EXPECT_TRUE(StockCards::datesPriceChange(false, {10, 5, 0}, {10, 5, 1}, 4));
}

TEST_F(StockCardsTest, OneMovementOfAnySourceKeepsACard)
{
    Table& stok = company.table("Stok");
    const qint64 invoiced = books.card("F", "Faturalı");
    books.move(invoiced, QDate(2026, 1, 1), 0, 5, 1, StockKaynak::FA);
    ASSERT_TRUE(stok.gotoId(invoiced));
    EXPECT_FALSE(StockCards::deleteCard(company, stok));
    EXPECT_TRUE(stok.gotoId(invoiced));

    // A card that only order lines name goes: they do not protect it.
    const qint64 ordered = books.card("S", "Siparişli");
    company.connection().exec(
        "INSERT INTO \"SipHar\" (\"STRef\", \"Kodu\", \"Miktari\") VALUES (?, 'S', 3)", {ordered});
    ASSERT_TRUE(stok.gotoId(ordered));
    EXPECT_TRUE(StockCards::deleteCard(company, stok));
    EXPECT_FALSE(company.StockCodeExists("S"));
    EXPECT_TRUE(company.StockCodeExists("F"));
}

TEST_F(StockCardsTest, WarningsOnTheQuantityOnHand)
{
    const auto critical = StockCards::quantityWarning("Vida", "Adet", 5, 5);
    ASSERT_TRUE(critical);
    EXPECT_EQ((*critical)[0], " Vida Stok kartı kritik seviyede");
    EXPECT_EQ((*critical)[1], "[5 Adet olması gerekirken 5 Adet] DİKKAT !!!");
    EXPECT_FALSE(StockCards::quantityWarning("Vida", "Adet", 5, 0)); // nothing on hand
    const auto negative = StockCards::quantityWarning("Vida", "Adet", 5, -1);
    ASSERT_TRUE(negative);
    EXPECT_EQ(negative->join(" / "), "Stok kartı eksi bakiye / veriyor DİKKAT !!!");
    EXPECT_FALSE(StockCards::quantityWarning("Vida", "Adet", 0, 0.5)); // no critical level
    EXPECT_FALSE(StockCards::quantityWarning("Vida", "Adet", 5, 5.5));
    EXPECT_EQ((*StockCards::quantityWarning("Vida", "Kg", 2.5, 1.25))[1],
              "[2.5 Kg olması gerekirken 1.25 Kg] DİKKAT !!!");
}

TEST_F(StockCardsTest, OneCardsMovementsHaveAnIndexByDateThatTheCheckAccepts)
{
    const auto plan = [&] {
        QString text;
        for (const SqlRow& row :
             company.connection().select("EXPLAIN QUERY PLAN SELECT \"Nosu\" FROM \"StHar\" WHERE "
                                         "coalesce(\"STRef\",0) = 1 "
                                         "ORDER BY coalesce(\"Tarih\",''), \"Nosu\""))
            text += row.back().toString() + '\n';
        return text;
    };
    // The file database's planner shows it reads the index in order; a server plans by its
    // own statistics, which on a few rows choose a plain scan.
    if (!company.connection().onServer()) {
        EXPECT_TRUE(plan().contains("StHar__STRef_Tarih")) << plan().toStdString();
        EXPECT_FALSE(plan().contains("TEMP B-TREE")) << plan().toStdString();
    }
    EXPECT_EQ(checkDirectory(t.session, company.directory(), companyTableDefs()), QStringList());

    // Books made before the index get it when they are opened.
    company.connection().dropIndex("StHar__STRef_Tarih");
    EXPECT_TRUE(company.connection().storedIndex("StHar__STRef_Tarih").isEmpty());
    CompanyData reopened(t.session, t.install, "ABC");
    EXPECT_FALSE(reopened.connection().storedIndex("StHar__STRef_Tarih").isEmpty());
}
