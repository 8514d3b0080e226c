#include "portfolio/PortfolioReports.h"
#include "portfolio/FirmPaperPosting.h"
#include "portfolio/PaperPosting.h"
#include "printing/PageSet.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/MoneyFormat.h"
#include "store/Table.h"
#include "support/Installation.h"
#include "support/Reference.h"

#include <gtest/gtest.h>

namespace {

class PortfolioReportsTest : public ::testing::Test {
protected:
    TestCompany t;
    CompanyData& company = *t.company;
    qint64 giver = addCustomerCard(company, "120.01", "Yılmaz Ticaret");
    qint64 other = addCustomerCard(company, "120.02", "Kaya Gıda");
    qint64 bank = 0;
    const QDate from{2026, 1, 1}, to{2026, 12, 31};

    void SetUp() override
    {
        bank = addCustomerCard(company, "102.01", "Deniz Bankası");
        company.connection().scalar("UPDATE \"Cari\" SET \"CariDurum\" = 3 WHERE \"Nosu\" = ?",
                                    {bank});
        PaperPosting checks(company, customerChecks());
        const struct {
            const char* number;
            QDate due;
            double amount;
            const char* bank;
            qint64 giver;
        } papers[] = {{"100", from, 100.10, "Ziraat", giver},
                      {"1500", QDate(2026, 6, 30), 200.20, "O'Brien Bank", other},
                      {"200", to, 300.30, "Ziraat", giver},
                      {"250", QDate(2027, 1, 1), 999, "Ziraat", giver}};
        for (const auto& p : papers) {
            CustomerPaper c;
            c.girTarihi = QDate(2025, 12, 1);
            c.vadesi = p.due;
            c.number = p.number;
            c.tutari = p.amount;
            c.banka = p.bank;
            c.sube = "Merkez";
            c.sahibi = "Keşideci";
            c.customerId = p.giver;
            const qint64 id = checks.save(c);
            if (QString(p.number) == "1500") checks.endorse(id, {QDate(2025, 12, 5), {}, giver});
            CustomerPaper n = c;
            n.adres1 = "Kızılay";
            PaperPosting(company, customerNotes()).save(n);
        }
        FirmPaperPosting firmChecksPosting(company, firmChecks()),
            firmNotesPosting(company, firmNotes());
        firmChecksPosting.save(
            {0, QDate(2026, 2, 1), QDate(2026, 3, 1), "F1", 400, giver, bank, true});
        firmChecksPosting.save(
            {0, QDate(2026, 2, 1), QDate(2026, 4, 1), "F2", 500.5, other, bank, false});
        firmNotesPosting.save(
            {0, QDate(2026, 2, 1), QDate(2026, 5, 1), "N1", 600, other, 0, false});
    }

    PaperListChoice all() const
    {
        PaperListChoice c;
        c.from = from;
        c.to = to;
        return c;
    }
    qint64 count(const QString& sql, const QVariantList& params = {})
    {
        return company.connection().scalar(sql, params).toLongLong();
    }
    // The summary's texts.
    QStringList summary(const PageSet& set) { return bandTexts(set, "Ozet"); }
};

} // namespace

TEST_F(PortfolioReportsTest, EachListMatchesItsReferenceAndTheBooks)
{
    const struct {
        const PortfolioKind* kind;
        const char* file;
    } lists[] = {{&customerChecks(), "musteri_cek.txt"},
                 {&customerNotes(), "musteri_senet.txt"},
                 {&firmChecks(), "firma_cek.txt"},
                 {&firmNotes(), "firma_senet.txt"}};
    for (const auto& l : lists) {
        const PageSet set = PortfolioReports::paperList(company, *l.kind, all());
        expectReferenceIn(QStringLiteral(PORTFOLIO_DATA), dumpWithoutToday(set), l.file);
        // Every figure against the rows themselves.
        const QString sql = QStringLiteral("FROM \"%1\" WHERE \"Vadesi\" >= '2026-01-01' AND "
                                           "\"Vadesi\" <= '2026-12-31'")
                                .arg(l.kind->table);
        const double sum =
            company.connection().scalar(QStringLiteral("SELECT sum(\"TUTARI\") ") + sql).toDouble();
        const qint64 rows = count(QStringLiteral("SELECT count(*) ") + sql);
        EXPECT_EQ(summary(set), QStringList({"TOPLAM : ", formatNumber(sum, company.moneyFormat()),
                                             QStringLiteral("Listelenen %1 adet").arg(rows)}))
            << l.file;
    }
}

TEST_F(PortfolioReportsTest, FiltersCompareTextsAsTextAndKeepBothDateBounds)
{
    const auto listed = [&](const PortfolioKind& kind, const PaperListChoice& c) {
        const QStringList s = summary(PortfolioReports::paperList(company, kind, c));
        return s.isEmpty() ? QString("-") : s.back();
    };
    PaperListChoice c = all();
    EXPECT_EQ(listed(customerChecks(), c), "Listelenen 3 adet"); // due on either bound
    c.position = 0;
    EXPECT_EQ(listed(customerChecks(), c), "Listelenen 2 adet");
    c.position = -1;
    c.numberFrom = "100";
    c.numberTo = "200";
    EXPECT_EQ(listed(customerChecks(), c), "Listelenen 3 adet"); // "1500" sorts between them
    c = all();
    c.bank = "O'Brien Bank"; // a quote filters as typed
    EXPECT_EQ(listed(customerChecks(), c), "Listelenen 1 adet");
    c = all();
    c.customerFrom = "120.02";
    c.customerTo = "120.02";
    EXPECT_EQ(listed(customerChecks(), c), "Listelenen 1 adet");
    c = all();
    c.refFrom = "2";
    c.refTo = "3";
    EXPECT_EQ(listed(customerNotes(), c), "Listelenen 2 adet");
    c.refFrom = "2 or 1=1";
    EXPECT_THROW(PortfolioReports::paperList(company, customerNotes(), c), AppError);
    // Firm lists: an empty customer range lists every payee; a position none is in, no page.
    c = all();
    EXPECT_EQ(listed(firmChecks(), c), "Listelenen 2 adet");
    c.position = 1;
    EXPECT_EQ(listed(firmChecks(), c), "Listelenen 1 adet");
    EXPECT_EQ(listed(firmNotes(), c), "-");
    EXPECT_EQ(PortfolioReports::paperList(company, firmNotes(), c).pageCount(), 0);
}
