#include "instalments/Taksit.h"
#include "instalments/TaksitB.h"
#include "instalments/TaksitParts.h"
#include "invoicing/InvoiceMath.h"
#include "invoicing/InvoicePosting.h"
#include "support/WindowTest.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLineEdit>
#include <QTableView>

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
    // A sale with an invoice of 1000 planned as 100 down and three of 300.
    qint64 plannedSale(InstalmentPosting& p)
    {
        InstalmentPosting::Sale s;
        s.tarih = QDate(2026, 1, 15);
        s.cariNo = "120.01";
        const qint64 sale = p.saveSale(0, s);
        InvoiceHeader h;
        h.fatNo = 501;
        h.tarih = QDate(2026, 1, 15);
        const qint64 invoice = p.saveInvoice(sale, 0, h);
        InvoiceLine l;
        l.stockId = stock;
        l.kodu = "M01";
        l.miktari = 1;
        l.birimF = 1000;
        static_cast<LineAmounts&>(l) = computeLine(*company, l);
        InvoicePosting(*company).saveLine(invoice, l);
        InstalmentPlan::Input in;
        in.amount = 1000;
        in.downPayment = 100;
        in.count = 3;
        in.invoiceDate = in.firstDue = QDate(2026, 1, 15);
        p.savePlan(invoice, InstalmentPlan::compute(in, true).lines);
        return sale;
    }
};

} // namespace

TEST_F(InstalmentWindows, ANewSaleFromTheListOpensItsWindow)
{
    TfrmTaksit list(*shell, salesInstalments());
    list.prepare();
    list.show();
    QApplication::processEvents();
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
            key(b, Qt::Key_Escape);
        });
        key(w, Qt::Key_F2);
    });
    key(&list, Qt::Key_F2);
    EXPECT_TRUE(saleShown);
    EXPECT_EQ(messages.asked.value(0), "Cari kart nosu bulunamadı / ");
    EXPECT_EQ(company->connection().scalar("SELECT \"Aciklama\" FROM \"Taksit\"").toString(),
              "Buzdolabı");
    EXPECT_EQ(list.grid()->model()->rowCount(), 1) << "an open sale is listed as open";
}

TEST_F(InstalmentWindows, TheSaleWindowPaysAPlanLineAndTellsAPlanOffItsInvoice)
{
    InstalmentPosting posting(*company, salesInstalments(), &t.install);
    const qint64 sale = plannedSale(posting);
    TfrmTaksitB w(*shell, posting, sale);
    w.prepare();
    w.show();
    QApplication::processEvents();
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
    list.prepare();
    list.show();
    QApplication::processEvents();
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
