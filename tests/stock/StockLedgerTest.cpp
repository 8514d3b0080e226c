#include "stock/StockLedger.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/Table.h"
#include "support/FailingWrites.h"
#include "support/Installation.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

class StockLedgerTest : public ::testing::Test {
protected:
    TestCompany t; // ABC, kuruş on
    std::unique_ptr<CompanyData>& company = t.company;
    std::unique_ptr<StockLedger> ledger = std::make_unique<StockLedger>(*company);

    qint64 card(const QString& code, const QString& name)
    {
        Table& stok = company->table("Stok");
        stok.append();
        stok["Kodu"] = code;
        stok["Cinsi"] = name;
        stok.post();
        return stok.currentId();
    }

    StockMovement move(qint64 id, QDate date, double in, double price, double out = 0)
    {
        StockMovement m;
        m.stockId = id;
        m.tarih = date;
        m.gMiktari = in;
        m.gFiyati = price;
        m.gTutari = in * price;
        m.cMiktari = out;
        return m;
    }

    double total(qint64 id, const char* field)
    {
        return company->connection()
            .scalar(QStringLiteral("SELECT \"%1\" FROM \"Stok\" WHERE \"Nosu\" = ?")
                        .arg(QLatin1String(field)),
                    {id})
            .toDouble();
    }
};

} // namespace

TEST_F(StockLedgerTest, MovementsCarryTheCardAndTheTotalsComeFromThemInDateOrder)
{
    const qint64 vida = card("V-1", "Vida 4 mm");
    // Written out of date order: the totals walk them by date, equal dates in entry order.
    ledger->post(move(vida, QDate(2026, 3, 1), 0, 0, 12));
    const qint64 first = ledger->post(move(vida, QDate(2026, 1, 10), 10, 5));
    ledger->post(move(vida, QDate(2026, 2, 1), 10, 6));
    const std::optional<StockMovement> read = ledger->read(first);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->kaynak, "ST");
    EXPECT_EQ(company->connection()
                  .scalar("SELECT \"Kodu\" || '/' || \"Cinsi\" FROM \"StHar\" WHERE \"Nosu\" = ?",
                          {first})
                  .toString(),
              "V-1/Vida 4 mm"); // the card's code and description are copied

    const StockTotals::Totals totals = ledger->recomputeTotals(vida);
    EXPECT_EQ(totals.fifo, StockTotals::units(48));
    EXPECT_DOUBLE_EQ(total(vida, "GMTop"), 20);
    EXPECT_DOUBLE_EQ(total(vida, "TMTop"), 8);
    EXPECT_DOUBLE_EQ(total(vida, "FifoTop"), 48);
    EXPECT_DOUBLE_EQ(total(vida, "LifoTop"), 40);
    EXPECT_DOUBLE_EQ(total(vida, "OrtTop"), 44);
    // As of a date: only the movements up to it.
    ledger->recomputeTotals(vida, QDate(2026, 1, 31));
    EXPECT_DOUBLE_EQ(total(vida, "TMTop"), 10);
    EXPECT_DOUBLE_EQ(total(vida, "FifoTop"), 50);

    ledger->remove(first);
    EXPECT_FALSE(ledger->read(first));
    ledger->recomputeTotals(vida);
    EXPECT_DOUBLE_EQ(total(vida, "TMTop"), -2);
    EXPECT_THROW(ledger->post(move(99999, QDate(2026, 1, 1), 1, 1)), AppError);
    EXPECT_THROW(ledger->recomputeTotals(99999), AppError);
}

TEST_F(StockLedgerTest, AnInvoiceLineGetsItsUnitPriceFromTheNetAmount)
{
    const qint64 id = card("K", "Kalem");
    StockMovement sale =
        ledger->invoiceLine(id, QDate(2026, 5, 5), "123", "Ali'nin Yeri", 3, 10, false);
    EXPECT_EQ(sale.kaynak, "FA");
    EXPECT_DOUBLE_EQ(sale.cFiyati, 3.33); // RoundMoney(10 / 3)
    EXPECT_DOUBLE_EQ(sale.cTutari, 10);
    EXPECT_DOUBLE_EQ(sale.gMiktari, 0);
    const StockMovement nothing =
        ledger->invoiceLine(id, QDate(2026, 5, 5), "124", "Ali'nin Yeri", 0, 10, true);
    EXPECT_DOUBLE_EQ(nothing.gFiyati, 0); // no quantity: no price
    EXPECT_DOUBLE_EQ(nothing.gTutari, 10);
    const qint64 written = ledger->post(sale);
    EXPECT_EQ(ledger->read(written)->aciklama, "Ali'nin Yeri");
}

TEST_F(StockLedgerTest, RecomputingLeavesAnEditOfTheCardElsewhereAbleToSave)
{
    const qint64 id = card("A", "Ayna");
    ledger->post(move(id, QDate(2026, 1, 1), 4, 2.5));
    // The card window has the card in edit while the totals are written.
    Table window(company->connection(), "Stok");
    window.open();
    ASSERT_TRUE(window.gotoId(id));
    window.edit();
    window["Cinsi"] = "Büyük ayna";
    ledger->recomputeTotals(id);
    EXPECT_NO_THROW(window.post());
    EXPECT_EQ(company->connection()
                  .scalar("SELECT \"Cinsi\" FROM \"Stok\" WHERE \"Nosu\" = ?", {id})
                  .toString(),
              "Büyük ayna");

    // A write that fails leaves nothing written and the ledger's cursor out of edit.
    FailingWrites failing(company->connection(), "StHar", "INSERT");
    const qint64 before =
        company->connection().scalar("SELECT count(*) FROM \"StHar\"").toLongLong();
    EXPECT_THROW(ledger->post(move(id, QDate(2026, 1, 2), 1, 1)), AppError);
    failing.stop();
    EXPECT_EQ(company->connection().scalar("SELECT count(*) FROM \"StHar\"").toLongLong(), before);
    EXPECT_NO_THROW(ledger->post(move(id, QDate(2026, 1, 2), 1, 1)));
}
