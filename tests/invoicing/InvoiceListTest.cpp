#include "InvoiceBooks.h"
#include "invoicing/InvoiceReports.h"
#include "invoicing/VatRates.h"
#include "store/AppError.h"
#include "store/MoneyFormat.h"
#include "support/Reference.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class InvoiceListTest : public ::testing::Test {
protected:
    InvoiceCompany books;
    qint64 pen = 0, ink = 0;

    void SetUp() override
    {
        books.customer("120.01", "Ali'nin Yeri");
        books.customer("120.02", "Çınar Ltd.");
        books.customer("320.01", "Toptancı A.Ş.");
        pen = books.stock("K01", "Kalem", 10, 18);
        ink = books.stock("M01", "Mürekkep", 2.5, 8);
    }
    qint64 sale(double number, QDate date, const QString& code,
                const std::vector<InvoiceLine>& lines, const InvoiceKind& kind = salesInvoice())
    {
        const qint64 id = books.posting->saveHeader(kind, 0, books.header(number, date, code));
        for (const InvoiceLine& l : lines)
            books.posting->saveLine(id, l);
        return id;
    }
    InvoiceReports::ListChoice year(int type = 1) const
    {
        InvoiceReports::ListChoice c;
        c.from = QDate(2026, 1, 1);
        c.to = QDate(2026, 12, 31);
        c.type = type;
        return c;
    }
    // "TOPLAM :" and its three sums, and the count, as the summary printed them.
    static QStringList summary(const PageSet& set) { return bandTexts(set, "Ozet"); }
    QString sql(const char* column, const QString& where)
    {
        const double sum = books
                               .value(QStringLiteral("SELECT sum(%1) FROM \"Fatura\" WHERE %2")
                                          .arg(QLatin1String(column), where))
                               .toDouble();
        return formatNumber(sum, QStringLiteral("#,##0.00"));
    }
};

} // namespace

TEST_F(InvoiceListTest, ListsOneTypeInRangeWithItsTotalsCheckedAgainstTheRows)
{
    sale(3, QDate(2026, 3, 1), "120.02", {books.line(pen, 2, 10, 18, 10)});
    sale(1, QDate(2026, 12, 31), "120.01", {books.line(ink, 1.25, 2.5, 8)}); // the last day
    sale(2, QDate(2026, 2, 1), "120.01", {});                                // no lines
    sale(7, QDate(2027, 1, 1), "120.01", {books.line(pen, 1, 10, 18)});      // after the range
    sale(9, QDate(2026, 5, 5), "320.01", {books.line(pen, 4, 8, 18)}, purchaseInvoice());

    const PageSet byNumber = InvoiceReports::list(books.company(), year(1));
    expectReferenceIn(QStringLiteral(INVOICING_DATA), dumpWithoutToday(byNumber),
                      QStringLiteral("fatura_listesi.txt"));
    // Every figure the summary prints is the sum over the same invoices.
    const QString where =
        QStringLiteral("\"FatTuru\" = 1 AND \"Tarih\" BETWEEN '2026-01-01' AND '2026-12-31'");
    const QStringList s = summary(byNumber);
    ASSERT_EQ(s.size(), 5);
    EXPECT_EQ(s[0], "TOPLAM :");
    EXPECT_EQ(s[1], sql("\"FatTop\" - \"Iskonto\"", where));
    EXPECT_EQ(s[2], sql("\"Kdv\"", where));
    EXPECT_EQ(s[3], sql("\"GToplam\"", where));
    EXPECT_EQ(s[4], "Listelenen 3 adet");
    // By number 1, 2, 3; by date 2, 3, 1.
    EXPECT_EQ(bandTexts(byNumber, "Detay").filter(QRegularExpression("^[1-9]$")),
              QStringList({"1", "2", "3"}));
    {
        InvoiceReports::ListChoice c = year(1);
        c.order = 1;
        EXPECT_EQ(bandTexts(InvoiceReports::list(books.company(), c), "Detay")
                      .filter(QRegularExpression("^[1-9]$")),
                  QStringList({"2", "3", "1"}));
    }

    // Ranges: numbers compared as numbers, codes as text, a quote is text.
    InvoiceReports::ListChoice c = year(1);
    c.numberFrom = "2";
    c.numberTo = "10";
    EXPECT_EQ(summary(InvoiceReports::list(books.company(), c)).last(), "Listelenen 2 adet");
    c = year(1);
    c.customerFrom = "120.02";
    EXPECT_EQ(summary(InvoiceReports::list(books.company(), c)).last(), "Listelenen 1 adet");
    c.customerFrom = "Ç";
    EXPECT_EQ(summary(InvoiceReports::list(books.company(), c)).last(), "Listelenen 0 adet");
    c.customerFrom.clear();
    c.customerTo = "0' or '1'='1";
    EXPECT_EQ(summary(InvoiceReports::list(books.company(), c)).last(), "Listelenen 0 adet");
    c = year(1);
    c.numberFrom = "iki";
    EXPECT_THROW(InvoiceReports::list(books.company(), c), AppError);

    // Purchases: the one purchase.
    EXPECT_EQ(summary(InvoiceReports::list(books.company(), year(0))).last(), "Listelenen 1 adet");
}

TEST_F(InvoiceListTest, TheDetailedListPrintsEachInvoicesLinesAndCountsInvoices)
{
    sale(1, QDate(2026, 3, 1), "120.01",
         {books.line(pen, 2, 10, 18), books.line(ink, 1.25, 2.5, 8)});
    sale(2, QDate(2026, 3, 2), "120.02", {}); // its header row alone
    InvoiceReports::ListChoice c = year(1);
    c.detail = true;
    const PageSet set = InvoiceReports::list(books.company(), c);
    expectReferenceIn(QStringLiteral(INVOICING_DATA), dumpWithoutToday(set),
                      QStringLiteral("fatura_listesi_detay.txt"));
    EXPECT_EQ(bandTexts(set, "SatirBasligi").count("STOK KODU"), 2);
    const QStringList lines = bandTexts(set, "Satir");
    EXPECT_TRUE(lines.contains("1.25")); // a fraction never shows as a whole
    EXPECT_EQ(summary(set).last(), "Listelenen 2 adet");
}

TEST_F(InvoiceListTest, RunningTotalsAtTheFootOfEveryPageButTheLast)
{
    // Nothing listed: the summary alone, no page footer.
    const PageSet empty = InvoiceReports::list(books.company(), year(1));
    expectReferenceIn(QStringLiteral(INVOICING_DATA), dumpWithoutToday(empty),
                      QStringLiteral("fatura_listesi_bos.txt"));
    EXPECT_TRUE(bandTexts(empty, "SayfaSonu").isEmpty());
    EXPECT_EQ(summary(empty).last(), "Listelenen 0 adet");

    for (int i = 1; i <= 40; ++i)
        sale(i, QDate(2026, 4, 1).addDays(i), i % 2 ? "120.01" : "120.02",
             {books.line(pen, i, 10, 18)});
    const PageSet two = InvoiceReports::list(books.company(), year(1));
    ASSERT_EQ(two.pageCount(), 2);
    expectReferenceIn(QStringLiteral(INVOICING_DATA), dumpWithoutToday(two),
                      QStringLiteral("fatura_listesi_iki_sayfa.txt"));
    // The first page's foot: the sums of the invoices on it (numbers 1 to n by number order);
    // none on the last page.
    const QStringList foot = bandTexts(two, "SayfaSonu");
    ASSERT_EQ(foot.size(), 4);
    int onFirst = 0;
    {
        DrawOp op;
        const auto page = two.page(0);
        for (int i = 0; i < page->opCount(); ++i) {
            page->readOp(i, op);
            if (op.band == QLatin1String("Detay") && op.text == QLatin1String("FA")) ++onFirst;
        }
    }
    ASSERT_GT(onFirst, 0);
    ASSERT_LT(onFirst, 40);
    const QString firstPage = QStringLiteral("\"FatTuru\" = 1 AND \"FatNo\" <= %1").arg(onFirst);
    EXPECT_EQ(foot[1], sql("\"FatTop\" - \"Iskonto\"", firstPage));
    EXPECT_EQ(foot[2], sql("\"Kdv\"", firstPage));
    EXPECT_EQ(foot[3], sql("\"GToplam\"", firstPage));
    EXPECT_EQ(summary(two).last(), "Listelenen 40 adet");
    EXPECT_EQ(summary(two)[3], sql("\"GToplam\"", "\"FatTuru\" = 1"));
}

TEST_F(InvoiceListTest, TheVatSummaryPrintsTheChosenRatesWithTheirSums)
{
    const qint64 paper = books.stock("P01", "Kağıt", 3, 1);
    sale(1, QDate(2026, 3, 1), "120.01",
         {books.line(pen, 3, 10, 18), books.line(ink, 2, 2.5, 8), books.line(paper, 5, 3, 1)});
    sale(2, QDate(2026, 12, 31), "120.02", {books.line(pen, 1, 10, 18, 10)}); // the last day
    sale(3, QDate(2027, 1, 1), "120.02", {books.line(pen, 7, 10, 18)});       // after the range
    sale(4, QDate(2026, 5, 5), "320.01", {books.line(pen, 4, 8, 18)}, purchaseInvoice());

    InvoiceReports::VatChoice c;
    c.from = QDate(2026, 1, 1);
    c.to = QDate(2026, 12, 31);
    c.rates = {"18", "8", "20"}; // 1 not ticked; 20 has no lines
    const PageSet set = InvoiceReports::vatSummary(books.company(), c);
    expectReferenceIn(QStringLiteral(INVOICING_DATA), dumpWithoutToday(set),
                      QStringLiteral("kdv_dokumu.txt"));
    const QStringList rows = bandTexts(set, "Detay");
    ASSERT_EQ(rows.size(), 15);
    const auto sum = [&](const char* column, int type, double rate) {
        return formatNumber(
            books
                .value(QStringLiteral("SELECT coalesce(sum(\"%1\"),0) FROM \"FatHar\" WHERE "
                                      "\"FatTuru\" = ? AND \"KdvOran\" = ? AND \"Tarih\" BETWEEN "
                                      "'2026-01-01' AND '2026-12-31'")
                           .arg(QLatin1String(column)),
                       {type, rate})
                .toDouble(),
            QStringLiteral("#,##0.00"));
    };
    EXPECT_EQ(rows.mid(0, 5), QStringList({"18", sum("AraTop", 1, 18), sum("KdvTutar", 1, 18),
                                           sum("AraTop", 0, 18), sum("KdvTutar", 0, 18)}));
    EXPECT_EQ(rows.mid(5, 5), QStringList({"8", sum("AraTop", 1, 8), sum("KdvTutar", 1, 8),
                                           sum("AraTop", 0, 8), sum("KdvTutar", 0, 8)}));
    EXPECT_EQ(rows.mid(10, 5), QStringList({"20", "0.00", "0.00", "0.00", "0.00"}));
    // With every rate chosen, the computed VAT is the sales invoices' VAT.
    c.rates = {"18", "8", "1"};
    const QStringList all = bandTexts(InvoiceReports::vatSummary(books.company(), c), "Ozet");
    ASSERT_EQ(all.size(), 5);
    EXPECT_EQ(all[2], formatNumber(books
                                       .value("SELECT sum(\"Kdv\") FROM \"Fatura\" WHERE "
                                              "\"FatTuru\" = 1 AND \"Tarih\" <= '2026-12-31'")
                                       .toDouble(),
                                   QStringLiteral("#,##0.00")));
}

TEST(VatRates, TheListFileKeepsItsOrderSkipsGarbageAndIsWrittenWhole)
{
    QTemporaryDir dir;
    EXPECT_TRUE(VatRates::read(dir.path()).isEmpty()); // no file yet
    {
        QFile f(VatRates::path(dir.path()));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("18\r\nyirmi\n0,5\n\n8\n");
    }
    EXPECT_EQ(VatRates::read(dir.path()), QStringList({"18", "0.5", "8"}));
    VatRates::write(dir.path(), {"8", "18"});
    EXPECT_EQ(VatRates::read(dir.path()), QStringList({"8", "18"}));
    EXPECT_EQ(VatRates::text("abc"), "");
    EXPECT_TRUE(VatRates::same(0.1 + 0.2, 0.3));
    // A directory that cannot be written: refused, the old list stays.
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (!QFileInfo(dir.path()).isWritable()) { // not with rights over every file
        EXPECT_THROW(VatRates::write(dir.path(), {"1"}), AppError);
    }
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(VatRates::read(dir.path()), QStringList({"8", "18"}));
}
