#include "app/PickList.h"
#include "cash/Kasa.h"
#include "customers/CarHar.h"
#include "instalments/TakLis.h"
#include "instalments/Taksit.h"
#include "instalments/TaksitB.h"
#include "instalments/TaksitG.h"
#include "instalments/TaksitParts.h"
#include "instalments/TaksitPlan.h"
#include "instalments/TaksitS.h"
#include "invoicing/FtSatisB.h"
#include "invoicing/InvoiceMath.h"
#include "invoicing/InvoicePosting.h"
#include "printing/OnIzle.h"
#include "store/AppError.h"
#include "store/IniFile.h"
#include "store/InstallSettings.h"
#include "support/Reference.h"
#include "support/WindowTest.h"
#include "widgets/TZemrakSEdit.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTableWidget>

namespace {

class InstalmentWindows : public WindowTest {
protected:
    qint64 customer = 0, stock = 0;

    void SetUp() override
    {
        WindowTest::SetUp();
        shell->global = t.global.get();
        customer = addCustomerCard(*company, "120.01", "Yılmaz Ticaret");
        Table& stok = company->table("Stok");
        stok.append();
        stok["Kodu"] = "M01";
        stok.post();
        stock = stok.currentId();
    }
    // A sale with an invoice of 1000 (`invoice` tells which).
    qint64 sale(InstalmentPosting& p, qint64* invoice = nullptr)
    {
        InstalmentPosting::Sale s;
        s.tarih = QDate(2026, 1, 15);
        s.cariNo = "120.01";
        const qint64 saleId = p.saveSale(0, s);
        InvoiceHeader h;
        h.fatNo = 501;
        h.tarih = QDate(2026, 1, 15);
        const qint64 invoiceId = p.saveInvoice(saleId, 0, h);
        InvoiceLine l;
        l.stockId = stock;
        l.kodu = "M01";
        l.miktari = 1;
        l.birimF = 1000;
        static_cast<LineAmounts&>(l) = computeLine(*company, l);
        InvoicePosting(*company).saveLine(invoiceId, l);
        if (invoice) *invoice = invoiceId;
        return saleId;
    }
    // The same planned as 100 down and three of 300.
    qint64 plannedSale(InstalmentPosting& p)
    {
        qint64 invoice = 0;
        const qint64 saleId = sale(p, &invoice);
        InstalmentPlan::Input in;
        in.amount = 1000;
        in.downPayment = 100;
        in.count = 3;
        in.invoiceDate = in.firstDue = QDate(2026, 1, 15);
        p.savePlan(invoice, InstalmentPlan::compute(in, true).lines);
        return saleId;
    }
};

} // namespace

TEST_F(InstalmentWindows, ANewSaleFromTheListOpensItsWindow)
{
    TfrmTaksit list(*shell, salesInstalments());
    showWindow(list);
    EXPECT_EQ(list.windowTitle(), "[-ABC-Deneme Ltd.-]  Kredili satış fişleri");
    EXPECT_FALSE(list.commandEnabled("Duzelt"));
    bool saleShown = false;
    whenOpen<TfrmTaksitA>([&](TfrmTaksitA* w) {
        EXPECT_EQ(w->windowTitle(), "[-ABC-Deneme Ltd.-]  Yeni Kredili satış fişi");
        EXPECT_EQ(w->text(TfrmTaksitA::Tarih), QDate::currentDate().toString("dd.MM.yyyy"));
        // An unknown code is refused on saving.
        w->setText(TfrmTaksitA::CariNo, "YOK");
        key(w, Qt::Key_F2);
        EXPECT_TRUE(w->isVisible());
        w->setText(TfrmTaksitA::CariNo, "120.01");
        w->setText(TfrmTaksitA::Aciklama, "Buzdolabı");
        whenOpen<TfrmTaksitB>([&](TfrmTaksitB* b) {
            saleShown = true;
            EXPECT_TRUE(b->windowTitle().endsWith("-Yılmaz Ticaret Kredili satış fişi"));
            EXPECT_EQ(b->totalText(TfrmTaksitB::Toplam), "0.00");
            // F2 on the invoices: the header, then the invoice's lines.
            whenOpen<TfrmTaksitC>([](TfrmTaksitC* c) {
                EXPECT_EQ(c->windowTitle(), "[-ABC-Deneme Ltd.-]  Yeni Kredili fatura");
                whenOpen<TfrmFtSatisB>([](TfrmFtSatisB* lines) { key(lines, Qt::Key_Escape); });
                key(c, Qt::Key_F2);
            });
            key(b, Qt::Key_F2);
            EXPECT_EQ(b->grid(TfrmTaksitB::Invoices)->model()->rowCount(), 1);
            key(b, Qt::Key_Right);
            EXPECT_EQ(b->activePane(), TfrmTaksitB::Plan) << QApplication::focusWidget();
            key(b, Qt::Key_Escape);
        });
        key(w, Qt::Key_F2);
    });
    key(&list, Qt::Key_F2);
    EXPECT_TRUE(saleShown);
    EXPECT_EQ(messages.asked.value(0), "Cari kart nosu bulunamadı / ");
    EXPECT_EQ(company->connection().scalar("SELECT \"Aciklama\" FROM \"Taksit\"").toString(),
              "Buzdolabı");
    // Its one invoice has no lines yet: nothing is owed, so the sale closed on leaving.
    EXPECT_EQ(list.grid()->model()->rowCount(), 0);
    list.state()->button(1)->click();
    EXPECT_EQ(list.grid()->model()->rowCount(), 1);
}

TEST_F(InstalmentWindows, TheSaleWindowPaysAPlanLineAndTellsAPlanOffItsInvoice)
{
    InstalmentPosting posting(*company, salesInstalments(), &t.install);
    const qint64 sale = plannedSale(posting);
    TfrmTaksitB w(*shell, posting, sale);
    showWindow(w);
    EXPECT_EQ(w.totalText(TfrmTaksitB::Toplam), "1,000.00");
    EXPECT_EQ(w.totalText(TfrmTaksitB::Planlanan), "1,000.00");
    EXPECT_EQ(w.totalText(TfrmTaksitB::PlanTutari), "1,000.00");
    EXPECT_EQ(w.grid(TfrmTaksitB::Plan)->model()->rowCount(), 4);
    EXPECT_TRUE(messages.asked.isEmpty()) << messages.asked.join("; ").toStdString();

    // Right to the plan, then to the payments; F2 pays the line in use with its balance.
    key(&w, Qt::Key_Right);
    EXPECT_EQ(w.activePane(), TfrmTaksitB::Plan);
    key(&w, Qt::Key_Right);
    EXPECT_EQ(w.activePane(), TfrmTaksitB::Payments);
    whenOpen<TfrmTaksitF>([](TfrmTaksitF* f) {
        EXPECT_EQ(f->windowTitle(), "[-ABC-Deneme Ltd.-]  Ödeme yeni kayıt");
        EXPECT_EQ(f->kind()->checkedId(), 0);
        key(f, Qt::Key_F2);
    });
    key(&w, Qt::Key_F2);
    EXPECT_EQ(w.totalText(TfrmTaksitB::Odenen), "300.00");
    EXPECT_EQ(w.totalText(TfrmTaksitB::Bakiye), "700.00");
    EXPECT_EQ(w.grid(TfrmTaksitB::Payments)->model()->rowCount(), 1);
    EXPECT_EQ(company->connection().scalar("SELECT count(*) FROM \"Kasa\"").toInt(), 1);
    // A payment of another line: the payments shown follow the line in use.
    key(&w, Qt::Key_Left);
    QTest::keyClick(w.grid(TfrmTaksitB::Plan), Qt::Key_Up);
    EXPECT_EQ(w.grid(TfrmTaksitB::Payments)->model()->rowCount(), 0);
    QTest::keyClick(w.grid(TfrmTaksitB::Plan), Qt::Key_Down);
    EXPECT_EQ(w.grid(TfrmTaksitB::Payments)->model()->rowCount(), 1);
    key(&w, Qt::Key_Right);

    // The paid line cannot go; a line raised makes the plan too much, told once.
    key(&w, Qt::Key_Left);
    messages.answers = {1, 1};
    key(&w, Qt::Key_F4);
    EXPECT_EQ(messages.asked.last(), "Kayıtlı ödeme var / İptal edilemez")
        << messages.asked.join("; ").toStdString() << w.activePane();
    messages.asked.clear();
    whenOpen<TfrmTaksitE>([](TfrmTaksitE* e) {
        e->setNumber(TfrmTaksitE::Tutari, 400);
        key(e, Qt::Key_F2);
    });
    key(&w, Qt::Key_F3);
    EXPECT_EQ(messages.asked,
              QStringList({"Planlanan taksit tutarı / fatura tutarından FAZLA, DÜZELTİNİZ"}));
    // A new plan is refused while the plan covers the invoice.
    messages.asked.clear();
    key(&w, Qt::Key_F2);
    EXPECT_EQ(messages.asked.value(0),
              "Planlanan taksit fatura tutarına eşit / Tekrar planlama yapamazsınız");
    key(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(posting.readSale(sale)->acikmi, 0);
}

TEST_F(InstalmentWindows, ASaleWithInvoicesIsNotDeletedAndAPaidOneIsListedClosed)
{
    InstalmentPosting posting(*company, salesInstalments());
    const qint64 sale = plannedSale(posting);
    TfrmTaksit list(*shell, salesInstalments());
    showWindow(list);
    messages.answers = {1, 1};
    key(&list, Qt::Key_F4);
    EXPECT_EQ(messages.asked.last(), "İlk önce faturaları iptal ediniz / ");
    EXPECT_EQ(messages.titles.last(), "Taksit satış fişi kontrol");
    for (const SqlRow& line : company->connection().select("SELECT \"Nosu\" FROM \"Plan\""))
        posting.savePayment(line[0].toLongLong(), 0, posting.proposal(line[0].toLongLong()));
    posting.closeSale(sale);
    list.state()->button(1)->click();
    EXPECT_EQ(list.grid()->model()->rowCount(), 1);
    list.state()->button(0)->click();
    EXPECT_EQ(list.grid()->model()->rowCount(), 0);
}

TEST_F(InstalmentWindows, ThePlanWindowPlansEquallyOrByTemplate)
{
    InstalmentPosting posting(*company, salesInstalments());
    qint64 invoice = 0;
    sale(posting, &invoice);
    t.install.ini().writeFloat("PLAN", "VADE", 30);
    InstalmentPlan::writeTemplate(InstalmentPlan::templatePath(t.install.programDir(), 1),
                                  {20, 40, 40});
    InstalmentPlan::writeTemplate(InstalmentPlan::templatePath(t.install.programDir(), 2),
                                  {20, 40, 30});
    {
        TfrmTaksitD w(*shell, posting, invoice);
        showWindow(w);
        EXPECT_EQ(w.windowTitle(), "Yılmaz Ticaret ödeme planı düzenleme");
        EXPECT_EQ(w.text(TfrmTaksitD::Tutar), "1,000.00");
        EXPECT_EQ(w.text(TfrmTaksitD::Baslangic), "15.02.2026");
        EXPECT_EQ(QApplication::focusWidget(), w.editor(TfrmTaksitD::Aralik));
        // A template adding up to 90 is told and "Manuel" stays.
        w.planType()->button(2)->click();
        EXPECT_EQ(messages.asked.last(), "2. şablon tutarlı değil / Lütfen düzeltiniz");
        EXPECT_EQ(w.planType()->checkedId(), 0);
        w.planType()->button(1)->click();
        EXPECT_EQ(w.text(TfrmTaksitD::Adet), "2");
        EXPECT_EQ(w.preview(), QStringList({"400.00", "400.00"}));
        EXPECT_EQ(w.difference(), "Fark : 0.00");
        // Back to equal instalments: too much down is refused.
        w.planType()->button(0)->click();
        w.setNumber(TfrmTaksitD::Pesinat, 1200);
        key(&w, Qt::Key_F2);
        EXPECT_EQ(messages.asked.last(), "Peşinat tutarı satış tutarından büyük olamaz / ");
        EXPECT_TRUE(w.isVisible());
        w.setNumber(TfrmTaksitD::Pesinat, 0);
        w.setNumber(TfrmTaksitD::Adet, 3);
        w.setNumber(TfrmTaksitD::Yuvarlama, 50);
        w.setNumber(TfrmTaksitD::Fark, 9); // beyond the count: the last
        key(&w, Qt::Key_F2);
        EXPECT_FALSE(w.isVisible());
    }
    const auto plan = company->connection().select(
        "SELECT \"Tutari\", \"Aciklama\", \"Vadesi\" FROM \"Plan\" ORDER BY \"Nosu\"");
    ASSERT_EQ(plan.size(), 3u);
    EXPECT_EQ(plan[0][0].toDouble(), 300);
    EXPECT_EQ(plan[2][0].toDouble(), 400);
    EXPECT_EQ(plan[2][1].toString(), QStringLiteral("3. TAKSİT"));
    EXPECT_EQ(plan[1][2].toString(), "2026-03-15");
    t.install.ini().reload();
    EXPECT_EQ(t.install.ini().readFloat("PLAN", "YUVARLA", 0), 50);
}

TEST_F(InstalmentWindows, TheTemplatesStayOpenUntilEachAddsUpTo100)
{
    const QString dir = t.install.programDir();
    InstalmentPlan::writeTemplate(InstalmentPlan::templatePath(dir, 1), {20, 40, 40});
    TfrmTaksitS w(*shell);
    showWindow(w);
    EXPECT_EQ(w.windowTitle(), "[-ABC-Deneme Ltd.-]  Ödeme planı şablonları");
    EXPECT_EQ(w.grid(0)->item(2, 0)->text(), "40");
    // Right goes round to the second template; digits only, an empty line between is dropped.
    QTest::keyClick(w.grid(0), Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), w.grid(1));
    w.grid(1)->setItem(0, 0, new QTableWidgetItem("50"));
    w.grid(1)->setItem(2, 0, new QTableWidgetItem("40"));
    key(&w, Qt::Key_Escape);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(messages.asked.last(), "2. şablon tutarlı değil / Lütfen düzeltiniz");
    EXPECT_EQ(w.grid(1)->item(1, 0)->text(), "40") << "the empty line went";
    w.grid(1)->setItem(1, 0, new QTableWidgetItem("50"));
    key(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(InstalmentPlan::readTemplate(InstalmentPlan::templatePath(dir, 2)),
              std::vector<int>({50, 50}));
    EXPECT_EQ(InstalmentPlan::readTemplate(InstalmentPlan::templatePath(dir, 1)),
              std::vector<int>({20, 40, 40}));
}

TEST_F(InstalmentWindows, TheNoteWindowKeepsItsTextsOnlyAfterAPreview)
{
    InstalmentPosting posting(*company, salesInstalments(), &t.install);
    const qint64 sale = plannedSale(posting);
    TfrmTaksitB w(*shell, posting, sale);
    showWindow(w);
    ASSERT_TRUE(w.commandEnabled("OnIzleme"));
    whenOpen<TfrmTaksitG>([](TfrmTaksitG* g) {
        EXPECT_EQ(g->windowTitle(), "[-ABC-Deneme Ltd.-]  Ön İzleme");
        EXPECT_EQ(g->commandButton("Tamam")->text(), "Önİzle [F2]");
        EXPECT_EQ(QApplication::focusWidget(), g->field(TfrmTaksitG::OdemeGunu));
        // Up from the first field goes round to the paper length.
        key(g, Qt::Key_Up);
        EXPECT_EQ(QApplication::focusWidget(), g->field(TfrmTaksitG::Uzun));
        auto* genis = static_cast<TZemrakSEdit*>(g->field(TfrmTaksitG::Genis));
        auto* uzun = static_cast<TZemrakSEdit*>(g->field(TfrmTaksitG::Uzun));
        EXPECT_DOUBLE_EQ(genis->asFloat(), 215.9);
        genis->setAsFloat(210);
        uzun->setAsFloat(148.5);
        static_cast<QLineEdit*>(g->field(TfrmTaksitG::Kime))->setText("Dulvet Ltd.");
        g->noteBox()->setChecked(false);
        whenOpen<TfrmOnIzle>([](TfrmOnIzle* preview) { key(preview, Qt::Key_Escape); });
        key(g, Qt::Key_F2);
    });
    key(&w, Qt::Key_F5);
    IniFile ini(t.install.ini().path());
    EXPECT_DOUBLE_EQ(ini.readFloat("TAKSITLI", "GENIS", 0), 210);
    EXPECT_DOUBLE_EQ(ini.readFloat("TAKSITLI", "UZUN", 0), 148.5);
    EXPECT_EQ(ini.readString("TAKSITLI", "Kime"), "Dulvet Ltd.");

    // The print window shows what was kept; Esc keeps nothing typed; paper under 10 mm is
    // refused with a notice.
    whenOpen<TfrmTaksitG>([this](TfrmTaksitG* g) {
        EXPECT_EQ(g->windowTitle(), "[-ABC-Deneme Ltd.-]  Yazdırma");
        EXPECT_EQ(g->commandButton("Tamam")->text(), "Yazdır [F2]");
        auto* uzun = static_cast<TZemrakSEdit*>(g->field(TfrmTaksitG::Uzun));
        EXPECT_DOUBLE_EQ(uzun->asFloat(), 148.5);
        uzun->setAsFloat(5);
        key(g, Qt::Key_F2);
        EXPECT_TRUE(g->isVisible());
        EXPECT_EQ(messages.asked.value(0), "Kağıt genişliği ve uzunluğu / en az 10 mm olmalıdır");
        static_cast<QLineEdit*>(g->field(TfrmTaksitG::Kime))->setText("Başkası");
        key(g, Qt::Key_Escape);
    });
    key(&w, Qt::Key_F6);
    ini.reload();
    EXPECT_EQ(ini.readString("TAKSITLI", "Kime"), "Dulvet Ltd.");
    EXPECT_DOUBLE_EQ(ini.readFloat("TAKSITLI", "UZUN", 0), 148.5);
}

TEST_F(InstalmentWindows, ThePurchaseWindowHasNoNoteAndTheListPicksARecord)
{
    InstalmentPosting purchases(*company, purchaseInstalments(), &t.install);
    InstalmentPosting::Sale s;
    s.tarih = QDate(2026, 2, 1);
    s.cariNo = "120.01";
    const qint64 first = purchases.saveSale(0, s);
    const qint64 second = purchases.saveSale(0, s);
    {
        TfrmTaksitB w(*shell, purchases, first);
        showWindow(w);
        EXPECT_EQ(w.commandButton("OnIzleme"), nullptr);
        EXPECT_EQ(w.commandButton("Yazdir"), nullptr);
        EXPECT_EQ(w.commandButton("Ayar"), nullptr);
        for (int k : {Qt::Key_F5, Qt::Key_F6, Qt::Key_F7})
            key(&w, k);
        EXPECT_TRUE(w.isVisible());
        EXPECT_TRUE(messages.asked.isEmpty());
    }
    TfrmTaksit list(*shell, purchaseInstalments());
    showWindow(list);
    EXPECT_EQ(list.table().currentId(), second);
    whenOpen<PickList>([first, second](PickList* pick) {
        EXPECT_EQ(pick->windowTitle(), "[-ABC-Deneme Ltd.-]  Kredili alış listesi");
        EXPECT_EQ(pick->table().currentId(), second); // on the list's record
        ASSERT_TRUE(pick->table().gotoId(first));
        key(pick, Qt::Key_F2);
    });
    key(&list, Qt::Key_F6);
    EXPECT_EQ(list.table().currentId(), first);
}

TEST_F(InstalmentWindows, ThePaymentListTakesItsChoicesAndRefusesABadDate)
{
    InstalmentPosting posting(*company, salesInstalments(), &t.install);
    plannedSale(posting);
    TfrmTakLis w(*shell, salesInstalments());
    showWindow(w);
    EXPECT_EQ(w.windowTitle(), "[-ABC-Deneme Ltd.-]  Kredili satış ödeme listesi");
    EXPECT_EQ(w.state.chosen(), 2);
    EXPECT_EQ(w.order.chosen(), 1);
    w.customer.setText("120.01");
    w.due.from.setText("1.2.26");
    w.state.choose(1);
    const InstalmentReports::PaymentListChoice c = w.choice();
    EXPECT_EQ(c.customerCode, "120.01");
    EXPECT_EQ(c.dueFrom, QDate(2026, 2, 1));
    EXPECT_EQ(c.state, InstalmentReports::PaymentListChoice::Unpaid);
    EXPECT_EQ(bandTexts(w.pages(), "Plan").size(), 2 * 4);
    w.due.to.setText("31.02.2026");
    EXPECT_THROW(w.choice(), AppError);
}

// A new user's round: a sale on instalments planned by a template, the down payment taken in
// cash (seen in the customer's movements and in the cash box), the note previewed.
TEST_F(InstalmentWindows, ANewUserPlansByTemplateTakesCashAndPreviewsTheNote)
{
    InstalmentPosting posting(*company, salesInstalments(), &t.install);
    InstalmentPlan::writeTemplate(InstalmentPlan::templatePath(t.install.programDir(), 1),
                                  {20, 40, 40});
    const qint64 saleId = sale(posting);
    {
        TfrmTaksitB w(*shell, posting, saleId);
        showWindow(w);
        EXPECT_FALSE(w.commandEnabled("OnIzleme")); // nothing planned yet
        key(&w, Qt::Key_Right);
        whenOpen<TfrmTaksitD>([](TfrmTaksitD* d) {
            d->planType()->button(1)->click();
            EXPECT_EQ(d->preview(), QStringList({"400.00", "400.00"}));
            key(d, Qt::Key_F2);
        });
        key(&w, Qt::Key_F2);
        EXPECT_EQ(w.grid(TfrmTaksitB::Plan)->model()->rowCount(), 3);
        // The down payment (the first line) in cash.
        QTest::keyClick(w.grid(TfrmTaksitB::Plan), Qt::Key_Home, Qt::ControlModifier);
        key(&w, Qt::Key_Right);
        whenOpen<TfrmTaksitF>([](TfrmTaksitF* f) {
            EXPECT_DOUBLE_EQ(f->number(TfrmTaksitF::Tutari), 200);
            key(f, Qt::Key_F2);
        });
        key(&w, Qt::Key_F2);
        EXPECT_EQ(w.totalText(TfrmTaksitB::Odenen), "200.00");
        // The note of the whole sale in the preview.
        ASSERT_TRUE(w.commandEnabled("OnIzleme"));
        QString seen;
        whenOpen<TfrmTaksitG>([&seen](TfrmTaksitG* g) {
            whenOpen<TfrmOnIzle>([&seen](TfrmOnIzle* preview) {
                seen = preview->pages().plainText();
                key(preview, Qt::Key_Escape);
            });
            key(g, Qt::Key_F2);
        });
        key(&w, Qt::Key_F5);
        EXPECT_TRUE(seen.contains("# 1,000.00 # TL")) << seen.toStdString();
        EXPECT_TRUE(seen.contains("PLAN TARİHİ"));
        key(&w, Qt::Key_Escape);
    }
    // The customer's movements (2201) and the cash box (5203) show the payment.
    Table& cari = company->table("Cari");
    ASSERT_TRUE(cari.gotoId(customer));
    TfrmCarHar movements(*shell);
    showWindow(movements);
    EXPECT_EQ(movements.totalText(1), "200.00");
    EXPECT_EQ(movements.grid()->model()->rowCount(), 2); // the invoice and the payment
    TfrmKasa cash(*shell);
    showWindow(cash);
    ASSERT_EQ(cash.grid()->model()->rowCount(), 1);
    EXPECT_TRUE(
        cash.grid()->model()->index(0, 1).data().toString().startsWith("501 SAT FT ÖDEMES"));
    EXPECT_EQ(cash.totalText(0), "200.00");
}

TEST_F(InstalmentWindows, APaperPaymentAsksForThePaperAndThePurchasePlanHidesTheDifference)
{
    InstalmentPosting posting(*company, salesInstalments(), &t.install);
    const qint64 saleId = plannedSale(posting);
    const qint64 line =
        company->connection().scalar("SELECT min(\"Nosu\") FROM \"Plan\"").toLongLong();
    {
        TfrmTaksitF f(*shell, posting, line, 0);
        showWindow(f);
        f.kind()->button(InstalmentPosting::Paper)->click();
        EXPECT_EQ(QApplication::focusWidget(), f.editor(TfrmTaksitF::Tarih));
        key(&f, Qt::Key_F2);
        EXPECT_EQ(messages.asked.value(0), "Çek yada senet kaydını / Çek-Senet modülüne giriniz");
        EXPECT_EQ(messages.titles.value(0), "Çek senet ödeme kontrol");
    }
    // The balance went down; no movement, no cash record.
    EXPECT_EQ(posting.totals(saleId, 0).odenen.value(), 100);
    EXPECT_EQ(company->connection().scalar("SELECT count(*) FROM \"Kasa\"").toInt(), 0);

    // The purchase plan window normalises as the sales one but shows no difference.
    InstalmentPosting purchases(*company, purchaseInstalments(), &t.install);
    const qint64 p = purchases.saveSale(0, {QDate(2026, 1, 15), "", "120.01"});
    InvoiceHeader h;
    h.fatNo = 900;
    h.tarih = QDate(2026, 1, 15);
    const qint64 invoice = purchases.saveInvoice(p, 0, h);
    InvoiceLine l;
    l.stockId = stock;
    l.miktari = 1;
    l.birimF = 1000;
    static_cast<LineAmounts&>(l) = computeLine(*company, l);
    InvoicePosting(*company).saveLine(invoice, l);
    TfrmTaksitD d(*shell, purchases, invoice);
    showWindow(d);
    EXPECT_EQ(d.objectName(), "frmATaksitD");
    int differences = 0;
    for (QLabel* label : d.findChildren<QLabel*>())
        if (label->text().startsWith("Fark : ")) {
            ++differences;
            EXPECT_FALSE(label->isVisible());
        }
    EXPECT_EQ(differences, 1);
    d.setNumber(TfrmTaksitD::Adet, 0);
    d.setNumber(TfrmTaksitD::Fark, 7);
    key(&d, Qt::Key_F2);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(company->connection().scalar("SELECT count(*) FROM \"APlan\"").toInt(), 1);
    EXPECT_DOUBLE_EQ(company->connection().scalar("SELECT \"Tutari\" FROM \"APlan\"").toDouble(),
                     1000);
}
