#include "InstalmentBooks.h"

#include "instalments/InstalmentReports.h"
#include "printing/ReportRegistry.h"
#include "store/AppError.h"
#include "store/MoneyFormat.h"
#include "store/MoneySum.h"
#include "support/Reference.h"
#include "widgets/AmountInWords.h"

#include <gtest/gtest.h>

using namespace InstalmentReports;

namespace {

// Two customers with sales on instalments and one supplier with a purchase; the lines partly
// paid, one left at 0.50.
struct ReportBooks : InstalmentBooks {
    qint64 second = addCustomerCard(*company, "100.05", "Akın Gıda");
    qint64 nothing = addCustomerCard(*company, "100.09", "Boş Müşteri");
    InstalmentPosting sales{*company, salesInstalments()};
    InstalmentPosting purchases{*company, purchaseInstalments()};

    ReportBooks()
    {
        // 120.01: 1000 in a down payment of 100 and three instalments of 300, two paid.
        const qint64 s1 = sale(sales);
        const std::vector<qint64> l1 = plan(sales, invoice(sales, s1, 1000), 1000, 100, 3);
        sales.savePayment(l1[0], 0, {QDate(2026, 1, 15), "Peşin", 100, InstalmentPosting::Cash});
        sales.savePayment(l1[1], 0, {QDate(2026, 2, 14), "", 299.5, InstalmentPosting::Card});
        // 100.05: 600 in two, the first paid in full.
        InstalmentPosting::Sale s;
        s.tarih = QDate(2026, 3, 1);
        s.cariNo = "100.05";
        const qint64 s2 = sales.saveSale(0, s);
        const std::vector<qint64> l2 = plan(sales, invoice(sales, s2, 600, 502), 600, 0, 2);
        sales.savePayment(l2[0], 0, {QDate(2026, 3, 1), "", 300, InstalmentPosting::Cash});
        // A purchase from 100.09 shows only on the purchase side.
        const qint64 p1 = purchases.saveSale(0, {QDate(2026, 1, 20), "", "100.09"});
        plan(purchases, invoice(purchases, p1, 250, 901), 250, 0, 1);
    }
    QString sum(const QString& table, const char* field, const QString& where = "1=1")
    {
        const MoneySum s = MoneySum::fromSql(company->connection().scalar(
            QStringLiteral("SELECT %1 FROM \"%2\" WHERE %3")
                .arg(MoneySum::sqlSum(QStringLiteral("\"%1\"").arg(QLatin1String(field))), table,
                     where)));
        return formatNumber(company->RoundMoney(s.value()), company->moneyFormat());
    }
    void expectReference(const PageSet& set, const QString& name)
    {
        expectReferenceIn(QStringLiteral(INSTALMENT_DATA), dumpWithoutToday(set), name);
    }
};

} // namespace

TEST(InstalmentReports, PaymentListGroupsByCustomerAndAddsUpAsThePlanLines)
{
    ReportBooks b;
    PaymentListChoice all;
    const PageSet set = paymentList(*b.company, salesInstalments(), all);
    b.expectReference(set, "odeme_listesi.txt");
    // Title order: Akın before Yılmaz; the card without lines prints nothing.
    const QStringList customers = bandTexts(set, "Musteri");
    EXPECT_EQ(customers.mid(0, 8), QStringList({"CARİ NO", "ÜNVANI", "YETKİLİ", "TELEFON", "100.05",
                                                "Akın Gıda", "PLAN TARİHİ", "TUTARI"}));
    EXPECT_FALSE(customers.contains("Boş Müşteri"));
    EXPECT_EQ(customers.count("CARİ NO"), 2);
    // Each customer's total and the grand total are the sums of the same lines.
    const QString yilmaz = QStringLiteral("\"CARef\" = %1").arg(b.customer);
    const QString akin = QStringLiteral("\"CARef\" = %1").arg(b.second);
    EXPECT_EQ(
        bandTexts(set, "CariToplam"),
        QStringList({"TOPLAM : ", b.sum("Plan", "Tutari", akin), b.sum("Plan", "Odeme", akin),
                     b.sum("Plan", "Bakiye", akin), "TOPLAM : ", b.sum("Plan", "Tutari", yilmaz),
                     b.sum("Plan", "Odeme", yilmaz), b.sum("Plan", "Bakiye", yilmaz)}));
    EXPECT_EQ(bandTexts(set, "Ozet"),
              QStringList({"GENEL TOPLAM : ", b.sum("Plan", "Tutari"), b.sum("Plan", "Odeme"),
                           b.sum("Plan", "Bakiye")}));
    EXPECT_EQ(bandTexts(set, "Ozet")[1], "1,600.00");
    EXPECT_EQ(bandTexts(set, "Ozet")[3], "900.50");

    // Code order, one customer, a due range.
    all.order = 0;
    EXPECT_EQ(bandTexts(paymentList(*b.company, salesInstalments(), all), "Musteri")[4], "100.05");
    PaymentListChoice one;
    one.customerCode = "120.01";
    one.dueFrom = QDate(2026, 1, 15);
    one.dueTo = QDate(2026, 1, 31);
    const QStringList lines = bandTexts(paymentList(*b.company, salesInstalments(), one), "Plan");
    EXPECT_EQ(lines, QStringList({"15.01.2026", "100.00", "100.00", "0.00", "15.01.2026", "300.00",
                                  "299.50", "0.50"}));
    // A code with a quote is a code, not a filter.
    one.customerCode = "12' or '1'='1";
    EXPECT_TRUE(bandTexts(paymentList(*b.company, salesInstalments(), one), "Musteri").isEmpty());
}

TEST(InstalmentReports, PaidAndUnpaidSplitOnTheRoundedBalance)
{
    ReportBooks b;
    PaymentListChoice c;
    c.state = PaymentListChoice::Paid;
    const PageSet paid = paymentList(*b.company, salesInstalments(), c);
    b.expectReference(paid, "odeme_listesi_odenmis.txt");
    // Paid: the down payment and Akın's first; the line left at 0.50 is not paid.
    EXPECT_EQ(bandTexts(paid, "Plan").filter("0.50").size(), 0);
    EXPECT_EQ(bandTexts(paid, "Ozet"),
              QStringList({"GENEL TOPLAM : ", "400.00", "400.00", "0.00"}));
    c.state = PaymentListChoice::Unpaid;
    const PageSet unpaid = paymentList(*b.company, salesInstalments(), c);
    EXPECT_EQ(bandTexts(unpaid, "Plan").filter("0.50").size(), 1);
    EXPECT_EQ(bandTexts(unpaid, "Ozet"),
              QStringList({"GENEL TOPLAM : ", "1,200.00", "299.50", "900.50"}));
    // Nothing passes: the page and a grand total of 0.
    c.dueFrom = QDate(2030, 1, 1);
    const PageSet empty = paymentList(*b.company, salesInstalments(), c);
    b.expectReference(empty, "odeme_listesi_bos.txt");
    EXPECT_TRUE(bandTexts(empty, "Musteri").isEmpty());
}

TEST(InstalmentReports, PurchaseListReadsThePurchaseTables)
{
    ReportBooks b;
    const PageSet set = paymentList(*b.company, purchaseInstalments(), {});
    EXPECT_TRUE(set.dump().contains("KREDİLİ ALIŞ LİSTESİ"));
    EXPECT_EQ(bandTexts(set, "Musteri")[5], "Boş Müşteri");
    EXPECT_EQ(bandTexts(set, "Ozet"), QStringList({"GENEL TOPLAM : ", "250.00", "0.00", "250.00"}));
}

TEST(InstalmentReports, NoteCarriesTheWholeSaleAndThePlansFollowIt)
{
    ReportBooks b;
    const qint64 saleId = b.sale(b.sales);
    b.plan(b.sales, b.invoice(b.sales, saleId, 600, 601), 600, 0, 2);
    b.invoice(b.sales, saleId, 400, 602); // no plan yet: its heading prints all the same
    NoteChoice c = readNoteSettings(b.install.ini());
    EXPECT_EQ(c.lbl1, "in");
    EXPECT_EQ(c.lbl2, "sine");
    EXPECT_EQ(c.lbl4, "malen");
    EXPECT_DOUBLE_EQ(c.genis, 215.9);
    c.odemeGunu = "15 Şubat 2026";
    c.tarih = "15.01.2026";
    c.kime = "Dulvet Ltd.";
    c.kefil = "Ali Veli";
    c.genis = 210;
    c.uzun = 148.5;
    const PageSet both = notePages(*b.company, saleId, c);
    b.expectReference(both, "senet_ve_plan.txt");
    ASSERT_GE(both.pageCount(), 1);
    EXPECT_NEAR(both.pageSize(0).width(), 210, 0.01);
    EXPECT_NEAR(both.pageSize(0).height(), 148.5, 0.01);
    const QStringList note = bandTexts(both, "Senet");
    EXPECT_TRUE(note.contains("# 1,000.00 # TL"));
    EXPECT_TRUE(
        note.contains(QStringLiteral("yukarıda yazılı yalnız ") + AmountInWords(*b.company, 1000)));
    EXPECT_TRUE(note.contains(QStringLiteral("Sayın Dulvet Ltd. veya emrühavalesine")));
    EXPECT_TRUE(note.contains("Ali Veli"));
    EXPECT_EQ(bandTexts(both, "Fatura").count("FAT.NOSU"), 2);
    EXPECT_EQ(bandTexts(both, "Plan").size(), 2 * 4);

    c.plans = false;
    const PageSet noteOnly = notePages(*b.company, saleId, c);
    b.expectReference(noteOnly, "senet.txt");
    EXPECT_TRUE(bandTexts(noteOnly, "Fatura").isEmpty());
    EXPECT_FALSE(bandTexts(noteOnly, "Senet").isEmpty());
    c.plans = true;
    c.note = false;
    const PageSet plansOnly = notePages(*b.company, saleId, c);
    b.expectReference(plansOnly, "plan.txt");
    EXPECT_TRUE(bandTexts(plansOnly, "Senet").isEmpty());
    EXPECT_EQ(bandTexts(plansOnly, "Fatura").count("FAT.NOSU"), 2);

    // Kept texts and the paper go to Users.ini and come back; paper under 10 mm is refused.
    writeNoteSettings(b.install.ini(), c);
    const NoteChoice again = readNoteSettings(IniFile(b.install.ini().path()));
    EXPECT_DOUBLE_EQ(again.genis, 210);
    EXPECT_DOUBLE_EQ(again.uzun, 148.5);
    EXPECT_EQ(again.kime, "Dulvet Ltd.");
    EXPECT_TRUE(again.kefil.isEmpty()); // typed for each print
    c.uzun = 9.5;
    EXPECT_THROW(notePages(*b.company, saleId, c), AppError);
    EXPECT_THROW(notePages(*b.company, 9999, again), AppError);
}
