#include "CashBooks.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "support/FailingWrites.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

class CashLedgerTest : public ::testing::Test, protected CashCompany {};

} // namespace

TEST_F(CashLedgerTest, RecordsThroughTheirLinksWithTextsCutToTheirFields)
{
    const qint64 id = record(QDate(2026, 3, 1), 100.256, 0, QString(25, QLatin1Char('B')),
                             QString(50, QLatin1Char('A')));
    std::optional<CashRecord> r = cash.read(id);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->belgeNo, QString(20, QLatin1Char('B')));
    EXPECT_EQ(r->aciklama, QString(40, QLatin1Char('A')));
    EXPECT_DOUBLE_EQ(r->giren, 100.26); // rounded as cash: two decimals with kuruş
    EXPECT_EQ(r->kaynak, CashKaynak::KA);

    // Rewritten in place through its link.
    CashRecord changed = *r;
    changed.cikan = 40;
    changed.giren = 0;
    changed.kaynak = CashKaynak::CE;
    changed.kaRef = 77;
    EXPECT_EQ(cash.rewrite(id, changed), id);
    EXPECT_DOUBLE_EQ(cash.read(id)->cikan, 40);
    EXPECT_EQ(cash.lastLinked(77, CashKaynak::CE), id);
    EXPECT_EQ(cash.lastLinked(77, CashKaynak::FS), 0);

    // A dead link appends; removing a dead link is skipped.
    cash.remove(id);
    EXPECT_FALSE(cash.read(id).has_value());
    cash.remove(id);
    const qint64 again = cash.rewrite(id, changed);
    EXPECT_NE(again, id);
    EXPECT_EQ(count("SELECT count(*) FROM \"Kasa\""), 1);
}

TEST_F(CashLedgerTest, TotalsAreExactAndTheBalanceBeforeADateLeavesThatDateOut)
{
    EXPECT_TRUE(cash.totals().giren.isZero());
    EXPECT_TRUE(cash.totals().balance().isZero());
    record(QDate(2026, 1, 1), 0.1, 0);
    record(QDate(2026, 1, 2), 0.2, 0);
    record(QDate(2026, 1, 3), 0, 0.3);
    record(QDate(2026, 2, 1), 0, 5);
    EXPECT_TRUE(cash.totalsBefore(QDate(2026, 2, 1)).balance().isZero()); // 0.1 + 0.2 − 0.3
    EXPECT_DOUBLE_EQ(cash.totalsBefore(QDate(2026, 1, 3)).giren.value(), 0.3);
    EXPECT_DOUBLE_EQ(cash.totals().balance().value(), -5);
    EXPECT_DOUBLE_EQ(cash.totals().cikan.value(), 5.3);
}

TEST_F(CashLedgerTest, LastRecordOfASlipOnEitherSide)
{
    CashRecord r;
    r.tarih = QDate(2026, 1, 1);
    r.taRef = 5;
    const qint64 first = cash.post(r);
    const qint64 second = cash.post(r);
    r.taRef = 0;
    r.teRef = 5;
    const qint64 payment = cash.post(r);
    EXPECT_GT(second, first);
    EXPECT_EQ(cash.lastOfSlip(CashLedger::Slip::Collection, 5), second);
    EXPECT_EQ(cash.lastOfSlip(CashLedger::Slip::Payment, 5), payment);
    EXPECT_EQ(cash.lastOfSlip(CashLedger::Slip::Payment, 6), 0);
}

TEST_F(CashLedgerTest, AFailedWriteLeavesNothingAndTheCursorUsable)
{
    record(QDate(2026, 1, 1), 10, 0);
    FailingWrites failing(company.connection(), "Kasa", "INSERT");
    EXPECT_THROW(record(QDate(2026, 1, 2), 20, 0), AppError);
    failing.stop();
    record(QDate(2026, 1, 3), 30, 0);
    EXPECT_DOUBLE_EQ(cash.totals().giren.value(), 40);
}

// With the company's amounts whole, the installation's KURUS 1 still gives cash two decimals.
TEST(CashRounding, InstallationKurusGivesCashTwoDecimals)
{
    TestInstallation t;
    NewCompany whole{QStringLiteral("TAM"), QStringLiteral("Tam Ltd.")};
    whole.settings.tlAyar = 0;
    t.createCompany(whole);
    {
        CompanyData company(t.session, t.install, QStringLiteral("TAM"));
        EXPECT_FALSE(company.cashKurus());
        EXPECT_DOUBLE_EQ(company.RoundCash(10.5), 10); // halves to even
        EXPECT_EQ(company.cashMoneyFormat(), "#,##0");
    }
    t.install.ini().writeInteger(QStringLiteral("SERVER"), QStringLiteral("KURUS"), 1);
    CompanyData company(t.session, t.install, QStringLiteral("TAM"));
    EXPECT_TRUE(company.cashKurus());
    EXPECT_DOUBLE_EQ(company.RoundCash(10.50), 10.5);
    EXPECT_DOUBLE_EQ(company.RoundCash(0.125), 0.12);
    EXPECT_DOUBLE_EQ(company.RoundMoney(10.5), 10); // the rest of the books stay whole
    EXPECT_EQ(company.displayFormat("Kasa", "Giren"), "#,##0.00");
    EXPECT_EQ(company.displayFormat("TahHar", "Tutar"), "#,##0.00");
    EXPECT_EQ(company.displayFormat("CarHar", "Borc"), "#,##0");
    CashLedger cash(company);
    CashRecord r;
    r.tarih = QDate(2026, 1, 1);
    r.giren = 10.5;
    EXPECT_DOUBLE_EQ(cash.read(cash.post(r))->giren, 10.5);
}
