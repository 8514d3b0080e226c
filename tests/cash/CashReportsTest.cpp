#include "cash/CashReports.h"
#include "CashBooks.h"
#include "store/MoneyFormat.h"
#include "store/MoneySum.h"
#include "support/QtPrinters.h"
#include "support/Reference.h"

#include <gtest/gtest.h>

using namespace CashReports;

namespace {

class CashReportsTest : public ::testing::Test, protected CashCompany {
protected:
    static void expectReference(const PageSet& set, const QString& name)
    {
        expectReferenceIn(QStringLiteral(CASH_DATA), dumpWithoutToday(set), name);
    }
    // A direct sum over the cash records, as the book should print it.
    QString sql(const char* expression, const QString& where, const QVariantList& params = {})
    {
        const MoneySum sum = MoneySum::fromSql(company.connection().scalar(
            QStringLiteral("SELECT %1 FROM \"Kasa\" WHERE %2")
                .arg(MoneySum::sqlSum(QLatin1String(expression)), where),
            params));
        return formatNumber(sum.value(), company.cashMoneyFormat());
    }
    // Records before, in and after March 2026: 3 before, 70 in it (some paid out), 2 after.
    void fill()
    {
        record(QDate(2026, 1, 5), 1000, 0, "D1", "Devir");
        record(QDate(2026, 2, 10), 0, 250.5, "D2", "Kira");
        record(QDate(2026, 2, 28), 80, 0, "D3", "Satış");
        for (int i = 0; i < 70; ++i)
            record(QDate(2026, 3, 1 + i % 28), i % 3 ? 10.25 * i : 0, i % 3 ? 0 : 7.5 * i,
                   QStringLiteral("BELGE-%1-UZUN").arg(i),
                   QStringLiteral("Mart hareketi %1, açıklaması uzun").arg(i));
        record(QDate(2026, 4, 1), 5000, 0, "S1", "Sonra");
        record(QDate(2026, 4, 2), 0, 3000, "S2", "Sonra");
    }
};

} // namespace

TEST_F(CashReportsTest, BookCarriesForwardOverPagesAndAddsUpAsTheRecords)
{
    fill();
    const PageSet set = book(company, {QDate(2026, 3, 1), QDate(2026, 3, 31), false});
    ASSERT_GE(set.pageCount(), 2);
    expectReference(set, "kasa_defteri.txt");

    const QString before = "coalesce(\"Tarih\",'') < '2026-03-01'";
    const QString in = "\"Tarih\" BETWEEN '2026-03-01' AND '2026-03-31'";
    const QString upTo = "coalesce(\"Tarih\",'') <= '2026-03-31'";
    // Page one starts from what came before March; a later page from all it carried.
    const QStringList columns = bandTexts(set, "Kolonlar");
    EXPECT_EQ(columns.mid(6, 4),
              QStringList({"Nakledilen Toplam : ", sql("\"Giren\"", before),
                           sql("\"Cikan\"", before), sql("\"Giren\" - \"Cikan\"", before)}));
    const QStringList summary = bandTexts(set, "Ozet");
    EXPECT_EQ(summary,
              QStringList({"Listelenen Toplam : ", sql("\"Giren\"", in), sql("\"Cikan\"", in),
                           sql("\"Giren\" - \"Cikan\"", in),
                           "KASA TOPLAMI : ", sql("\"Giren\"", upTo), sql("\"Cikan\"", upTo),
                           sql("\"Giren\" - \"Cikan\"", upTo), "Listelenen 70 adet"}));
    // The page footer shows the period up to its page; the summary page has none.
    const QStringList footers = bandTexts(set, "SayfaSonu");
    EXPECT_EQ(footers.size(), 4 * (set.pageCount() - 1));
    // Every page repeats the headings and the carried line.
    EXPECT_EQ(columns.size(), 10 * set.pageCount());
    EXPECT_EQ(columns[16], "Nakledilen Toplam : ");
    const QStringList details = bandTexts(set, "Detay");
    // Cuts: 9 characters of the document number, 20 of the description.
    EXPECT_TRUE(details.contains("BELGE-0-U"));
    EXPECT_TRUE(details.contains("Mart hareketi 0, açı"));
    EXPECT_FALSE(details.contains("Sonra"));
}

TEST_F(CashReportsTest, HiddenTotalsLeaveTheBalancesAndTheListedPeriod)
{
    fill();
    const PageSet set = book(company, {QDate(2026, 3, 1), QDate(2026, 3, 31), true});
    expectReference(set, "kasa_defteri_gizli.txt");
    const QStringList summary = bandTexts(set, "Ozet");
    const QString upTo = "coalesce(\"Tarih\",'') <= '2026-03-31'";
    const QString in = "\"Tarih\" BETWEEN '2026-03-01' AND '2026-03-31'";
    EXPECT_EQ(summary, QStringList({"Listelenen Toplam : ", sql("\"Giren\"", in),
                                    sql("\"Cikan\"", in), sql("\"Giren\" - \"Cikan\"", in),
                                    "KASA TOPLAMI : ", sql("\"Giren\" - \"Cikan\"", upTo),
                                    "Listelenen 70 adet"}));
    const QStringList columns = bandTexts(set, "Kolonlar");
    EXPECT_EQ(columns.mid(6, 2), QStringList({"Nakledilen Toplam : ", "829.50"}));
}

TEST_F(CashReportsTest, ANegativeRecordPrintsAndMovesTheBalanceInSight)
{
    record(QDate(2026, 3, 1), 100, 0, "A", "Giriş");
    record(QDate(2026, 3, 2), -30, 0, "B", "Düzeltme");
    record(QDate(2026, 3, 3), 0, 0, "C", "Boş");
    const PageSet set = book(company, {QDate(2026, 3, 1), QDate(2026, 3, 31), false});
    expectReference(set, "kasa_defteri_eksi.txt");
    EXPECT_EQ(bandTexts(set, "Detay"),
              QStringList({"01.03.2026", "A", "Giriş", "100.00", "100.00", "02.03.2026", "B",
                           "Düzeltme", "-30.00", "70.00", "03.03.2026", "C", "Boş", "70.00"}));
}

TEST_F(CashReportsTest, ABookStartingAfterEveryRecordListsNothingButTheBalance)
{
    fill();
    const PageSet set = book(company, {QDate(2026, 6, 1), QDate(2026, 6, 30), false});
    EXPECT_EQ(set.pageCount(), 1);
    EXPECT_TRUE(bandTexts(set, "Detay").isEmpty());
    const QString all = "1 = 1";
    EXPECT_EQ(bandTexts(set, "Ozet"),
              QStringList({"Listelenen Toplam : ", "0.00", "0.00", "0.00",
                           "KASA TOPLAMI : ", sql("\"Giren\"", all), sql("\"Cikan\"", all),
                           sql("\"Giren\" - \"Cikan\"", all), "Listelenen 0 adet"}));
    EXPECT_TRUE(bandTexts(set, "SayfaSonu").isEmpty());
}

TEST_F(CashReportsTest, BothPrintedSlips)
{
    customer("120.01", "Yılmaz Ticaret");
    const qint64 in = collections.saveHeader(
        0, header(QDate(2026, 4, 2), "120.01", "Yılmaz Ticaret", "Nisan tahsilatı"));
    collections.openLines(in);
    collections.saveLine(in, 0, "Peşin", 100);
    collections.saveLine(in, 0, "Kalan", 250.5);
    const PageSet collection = slip(company, collectionSlip(), in, "Deneme Ltd.");
    expectReference(collection, "tahsil_fisi.txt");
    EXPECT_EQ(bandTexts(collection, "Ozet").mid(0, 2), QStringList({"TOPLAM : ", "350.50"}));

    const qint64 out =
        payments.saveHeader(0, header(QDate(2026, 4, 3), "120.01", "Yılmaz Ticaret", "Ödeme"));
    payments.openLines(out);
    payments.saveLine(out, 0, "Mal bedeli", 1234);
    const PageSet payment = slip(company, paymentSlip(), out, "Deneme Ltd.");
    expectReference(payment, "tediye_fisi.txt");
    const QStringList summary = bandTexts(payment, "Ozet");
    EXPECT_TRUE(bandTexts(payment, "SayfaBasi").contains("KASA TEDİYE FİŞİ"));
    EXPECT_TRUE(summary.contains("1,234.00"));
}
