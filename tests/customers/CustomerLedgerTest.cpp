#include "customers/CustomerLedger.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/CompanyData.h"
#include "support/FailingWrites.h"
#include "support/Installation.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

class LedgerTest : public ::testing::Test {
protected:
    TestCompany t; // ABC, kuruş on
    std::unique_ptr<CompanyData>& company = t.company;
    std::unique_ptr<CustomerLedger> ledger = std::make_unique<CustomerLedger>(*company);

    qint64 card(const QString& code, const QString& title, double risk = 0, double credit = 0)
    {
        Table& cari = company->table("Cari");
        cari.append();
        cari["CariNo"] = code;
        cari["Unvani"] = title;
        cari["RiskLimiti"] = risk;
        cari["KrediLimiti"] = credit;
        cari.post();
        return cari.currentId();
    }

    qint64 move(qint64 customer, double borc, double alacak, const QString& kaynak = Kaynak::CA)
    {
        CustomerMovement m;
        m.tarih = QDate(2026, 1, 15);
        m.customerId = customer;
        m.borc = borc;
        m.alacak = alacak;
        m.kaynak = kaynak;
        return ledger->post(m);
    }
};

} // namespace

TEST_F(LedgerTest, MovementsCopyTheCardAndRoundTheirAmounts)
{
    const qint64 id = card("120.01", "Yılmaz Ticaret");
    const qint64 m = move(id, 3 * 12.345, 0);
    Table& har = company->table("CarHar");
    ASSERT_TRUE(CompanyData::SeekBackById(har, m));
    EXPECT_DOUBLE_EQ(har["Borc"].asFloat(), 37.04);
    EXPECT_EQ(har["CariNo"].asString(), "120.01");
    EXPECT_EQ(har["Unvani"].asString(), "Yılmaz Ticaret");
    EXPECT_EQ(har["Vadesi"].asDate(), QDate(2026, 1, 15)); // the due date defaults to the date
    EXPECT_EQ(har["Kaynak"].asString(), "CA");

    CustomerMovement changed;
    changed.tarih = QDate(2026, 2, 1);
    changed.customerId = id;
    changed.alacak = 10;
    EXPECT_EQ(ledger->rewrite(m, changed), m);
    ASSERT_TRUE(CompanyData::SeekBackById(har, m));
    EXPECT_DOUBLE_EQ(har["Borc"].asFloat(), 0);
    EXPECT_DOUBLE_EQ(har["Alacak"].asFloat(), 10);
    ledger->remove(m);
    ledger->remove(m); // a link to a record that no longer exists is skipped
    EXPECT_GT(ledger->rewrite(m, changed), m); // and gets a new record when rewritten

    CustomerMovement orphan;
    orphan.tarih = QDate(2026, 1, 1);
    orphan.customerId = 9999;
    EXPECT_THROW(ledger->post(orphan), AppError);
}

TEST_F(LedgerTest, CardTotalsAndTheirWarnings)
{
    const qint64 risky = card("R1", "Riskli A.Ş.", 500, 0);
    move(risky, 1000, 0);
    const CardTotals totals = ledger->recomputeCardTotals(risky);
    EXPECT_DOUBLE_EQ(totals.bakiye(), 1000);
    Table& cari = company->table("Cari");
    ASSERT_TRUE(CompanyData::SeekBackById(cari, risky));
    EXPECT_DOUBLE_EQ(cari["BakiyeT"].asFloat(), 1000);
    auto warnings = ledger->limitWarnings(risky, totals);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_EQ(warnings[0],
              QStringList({"Riskli A.Ş. risk limiti 500.00 TL", "bakiye 1,000.00 TL"}));

    const qint64 owed = card("K1", "Kredili Ltd.", 0, 1500);
    move(owed, 0, 2000);
    warnings = ledger->limitWarnings(owed, ledger->recomputeCardTotals(owed));
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_EQ(warnings[0], QStringList({"Kredili Ltd. kredimizin limiti 1,500.00 TL",
                                        "bakiyemiz -2,000.00 TL"}));

    const qint64 free = card("S1", "Limitsiz", 0, 0); // 0 limits never warn
    move(free, 5000, 0);
    EXPECT_TRUE(ledger->limitWarnings(free, ledger->recomputeCardTotals(free)).isEmpty());
}

TEST_F(LedgerTest, SummaryGroupsBySource)
{
    const qint64 id = card("F1", "Faturalı");
    move(id, 100, 0, Kaynak::FA);
    move(id, 0, 40, Kaynak::TA);
    move(id, 0, 25, Kaynak::CE);
    move(id, 7, 0, Kaynak::CA);
    const CardSummary s = ledger->summary(id);
    EXPECT_DOUBLE_EQ(s.columns[CardSummary::Fatura].bakiye(), 100);
    EXPECT_DOUBLE_EQ(s.columns[CardSummary::Nakit].bakiye(), -40);
    EXPECT_DOUBLE_EQ(s.columns[CardSummary::CekSenet].bakiye(), -25);
    EXPECT_DOUBLE_EQ(s.columns[CardSummary::Toplam].bakiye(), 42);
    EXPECT_DOUBLE_EQ(s.columns[CardSummary::Dekont].bakiye(), 7);
    const CardSummary none = ledger->summary(card("B0", "Boş"));
    for (const CardTotals& c : none.columns)
        EXPECT_EQ(c.borc + c.alacak, 0);
    // Fixed point: three thirds of a thousand balance to exactly zero.
    const qint64 thirds = card("T3", "Üçte bir");
    move(thirds, 333.33, 0);
    move(thirds, 333.33, 0);
    move(thirds, 333.34, 0);
    move(thirds, 0, 1000);
    EXPECT_EQ(ledger->balance(thirds).bakiye(), 0);
    EXPECT_DOUBLE_EQ(ledger->balance(thirds, QDate(2026, 1, 16)).bakiye(), 0);
}

namespace {

double storedTotal(CompanyData& company, qint64 customer, const char* field)
{
    return company.connection()
        .scalar(QStringLiteral("SELECT \"%1\" FROM \"Cari\" WHERE \"Nosu\" = ?").arg(field),
                {customer})
        .toDouble();
}

} // namespace

TEST_F(LedgerTest, EveryWriteKeepsTheCardTotalsInTheSameCommand)
{
    const qint64 a = card("A1", "Birinci"), b = card("B1", "İkinci");
    const qint64 m = move(a, 100.10, 0);
    move(a, 0, 0.20);
    EXPECT_DOUBLE_EQ(storedTotal(*company, a, "BorcT"), 100.10);
    EXPECT_DOUBLE_EQ(storedTotal(*company, a, "BakiyeT"), 99.90);

    // Moved to another card: the first loses it, the second gains it.
    CustomerMovement moved;
    moved.tarih = QDate(2026, 3, 1);
    moved.customerId = b;
    moved.borc = 40;
    ledger->rewrite(m, moved);
    EXPECT_DOUBLE_EQ(storedTotal(*company, a, "BorcT"), 0);
    EXPECT_DOUBLE_EQ(storedTotal(*company, a, "BakiyeT"), -0.20);
    EXPECT_DOUBLE_EQ(storedTotal(*company, b, "BakiyeT"), 40);
    // Changed on the same card, both sides at once; then only its text.
    moved.borc = 25.05;
    moved.alacak = 5;
    ledger->rewrite(m, moved);
    EXPECT_DOUBLE_EQ(storedTotal(*company, b, "BorcT"), 25.05);
    EXPECT_DOUBLE_EQ(storedTotal(*company, b, "AlacakT"), 5);
    moved.aciklama = "yalnız açıklama";
    bool wrote = false;
    ledger->rewrite(m, moved, &wrote);
    EXPECT_TRUE(wrote);
    EXPECT_DOUBLE_EQ(storedTotal(*company, b, "BakiyeT"), 20.05);
    moved.alacak = 0;
    moved.borc = 0;
    ledger->rewrite(m, moved);
    EXPECT_DOUBLE_EQ(storedTotal(*company, b, "BorcT"), 0);
    EXPECT_DOUBLE_EQ(storedTotal(*company, b, "AlacakT"), 0);
    ledger->remove(m);
    EXPECT_DOUBLE_EQ(storedTotal(*company, b, "BorcT"), 0);
    // What the window recomputes from the movements agrees with what the writes kept.
    EXPECT_DOUBLE_EQ(ledger->recomputeCardTotals(a).bakiye(), storedTotal(*company, a, "BakiyeT"));

    const std::optional<CustomerMovement> read = ledger->read(move(b, 0, 12.5));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->customerId, b);
    EXPECT_DOUBLE_EQ(read->alacak, 12.5);
    EXPECT_FALSE(ledger->read(987654).has_value());
}

TEST_F(LedgerTest, AFailedPostLeavesNothingWrittenAndTheWindowsTablesUntouched)
{
    const qint64 id = card("H1", "Hatalı");
    const qint64 first = move(id, 100, 0);
    move(id, 5, 0);
    // The window's table: filtered on the customer, standing on the first movement.
    Table& har = company->table("CarHar");
    har.setFilter(QStringLiteral("CARef = %1").arg(id));
    har.setFiltered(true);
    ASSERT_TRUE(har.gotoId(first));
    Table& cari = company->table("Cari");
    cari.setIndexName("Cari_2");

    // The card-total update fails after the movement is written.
    FailingWrites failing(company->connection(), "Cari", "UPDATE");
    EXPECT_THROW(move(id, 50, 0), AppError);
    {
        // Inside a caller's command the caller's whole command is lost, nothing more.
        CommandTransaction outer(company->connection());
        EXPECT_THROW(move(id, 70, 0), AppError);
        EXPECT_THROW(outer.commit(), AppError);
    }
    EXPECT_EQ(company->connection()
                  .scalar("SELECT count(*) FROM \"CarHar\" WHERE \"CARef\" = ?", {id})
                  .toInt(),
              2);
    EXPECT_DOUBLE_EQ(storedTotal(*company, id, "BorcT"), 105);
    EXPECT_EQ(har.state(), Table::State::Browse);
    EXPECT_EQ(cari.state(), Table::State::Browse);
    EXPECT_TRUE(har.filtered());
    EXPECT_EQ(har.filter(), QStringLiteral("CARef = %1").arg(id));
    EXPECT_EQ(har.currentId(), first);
    EXPECT_EQ(har.recordCount(), 2);
    EXPECT_EQ(cari.indexName(), "Cari_2");

    // Nothing stays in edit: once the fault is gone, the same ledger posts again.
    failing.stop();
    move(id, 50, 0);
    EXPECT_DOUBLE_EQ(storedTotal(*company, id, "BorcT"), 155);
}
