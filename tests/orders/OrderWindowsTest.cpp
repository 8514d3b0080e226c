#include "app/PickList.h"
#include "customers/CarHar.h"
#include "invoicing/FtSatisB.h"
#include "orders/SipLis.h"
#include "orders/Siparis.h"
#include "orders/SiparisB.h"
#include "orders/SiparisParts.h"
#include "printing/OnIzle.h"
#include "stock/StHar.h"
#include "store/IniFile.h"
#include "store/InstallSettings.h"
#include "support/Reference.h"
#include "support/WindowTest.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QItemSelectionModel>
#include <QTableView>

namespace {

class OrderWindows : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        shell->global = t.global.get();
        addCustomerCard(*company, "120.01", "Yılmaz Ticaret");
        addCustomerCard(*company, "120.02", "Kaya Gıda");
        stock("K01", "Kalem", 2.5, 18);
        stock("27", "Peynir", 100, 8);
    }
    void stock(const QString& code, const QString& name, double fiyat1, double normal)
    {
        Table& stok = company->table("Stok");
        stok.append();
        stok["Kodu"] = code;
        stok["Cinsi"] = name;
        stok["Birim"] = "Adet";
        stok["Fiyat1"] = fiyat1;
        stok["Normal"] = normal;
        stok.post();
    }
    qint64 order(OrderPosting& p, const QString& code, double number)
    {
        OrderPosting::Header h;
        h.sipNo = number;
        h.tarih = QDate(2026, 3, 1);
        h.saat = QTime(9, 15);
        h.terminTar = QDate(2026, 3, 8);
        h.cariNo = code;
        return p.saveHeader(0, h);
    }
    qint64 line(OrderPosting& p, qint64 orderId, double quantity)
    {
        OrderPosting::Line l;
        l.kodu = "K01";
        l.miktari = quantity;
        l.birimF = 10;
        l.kdvOran = 18;
        l.tarih = QDate(2026, 3, 8);
        return p.saveLine(orderId, 0, l);
    }
    static void selectRows(GridWindow& w, std::initializer_list<int> rows)
    {
        QItemSelectionModel* s = w.grid()->selectionModel();
        s->clearSelection();
        for (int row : rows)
            s->select(w.grid()->model()->index(row, 0),
                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
};

} // namespace

TEST_F(OrderWindows, ANewOrderTakesItsNumberAndALineAndStaysOpen)
{
    TfrmSiparis list(*shell, salesOrders());
    showWindow(list);
    EXPECT_EQ(list.windowTitle(), "[-ABC-Deneme Ltd.-]  SATIŞ sipariş fişleri");
    EXPECT_FALSE(list.commandEnabled("Hareketler"));
    bool linesShown = false;
    whenOpen<TfrmSiparisA>([&](TfrmSiparisA* a) {
        EXPECT_EQ(a->windowTitle(), "[-ABC-Deneme Ltd.-]  Yeni SATIŞ sipariş fişi");
        EXPECT_EQ(a->text(TfrmSiparisA::SipNo), "1");
        EXPECT_EQ(a->text(TfrmSiparisA::TerminTar),
                  QDate::currentDate().addDays(7).toString("dd.MM.yyyy"));
        // An unknown code and a time that is none are refused, and what was typed stays.
        a->setText(TfrmSiparisA::CariNo, "YOK");
        key(a, Qt::Key_F2);
        EXPECT_TRUE(a->isVisible());
        a->setText(TfrmSiparisA::CariNo, "120.01");
        a->setText(TfrmSiparisA::Saat, "25:99");
        key(a, Qt::Key_F2);
        EXPECT_TRUE(a->isVisible());
        EXPECT_EQ(a->text(TfrmSiparisA::CariNo), "120.01");
        a->setText(TfrmSiparisA::Saat, "14:30");
        a->setText(TfrmSiparisA::Aciklama, "Okul siparişi");
        whenOpen<TfrmSiparisB>([&](TfrmSiparisB* b) {
            linesShown = true;
            EXPECT_TRUE(
                b->windowTitle().endsWith(QStringLiteral("1 nolu, %1 tarihli SATIŞ siparişi")
                                              .arg(QDate::currentDate().toString("dd.MM.yyyy"))));
            EXPECT_FALSE(b->commandEnabled("OnIzleme")); // nothing to print yet
            whenOpen<TfrmSiparisC>([](TfrmSiparisC* c) {
                EXPECT_EQ(c->windowTitle(), "[-ABC-Deneme Ltd.-]  Yeni SATIŞ faturası kalemi");
                c->setText(TfrmSiparisC::Kodu, "K01");
                c->editor(TfrmSiparisC::Kodu)->setFocus();
                key(c, Qt::Key_Return); // the card's price and VAT rate
                EXPECT_EQ(c->text(TfrmSiparisC::Cinsi), "Kalem");
                EXPECT_EQ(c->number(TfrmSiparisC::BirimF), 2.5);
                c->setNumber(TfrmSiparisC::Miktari, 4);
                c->editor(TfrmSiparisC::Miktari)->setFocus();
                c->editor(TfrmSiparisC::BirimF)->setFocus(); // leaving the quantity
                EXPECT_EQ(c->number(TfrmSiparisC::Tutari), 10);
                EXPECT_EQ(c->number(TfrmSiparisC::KdvTutar), 1.8);
                EXPECT_EQ(c->toplamText(), "11.80");
                key(c, Qt::Key_F2);
            });
            key(b, Qt::Key_F2);
            EXPECT_EQ(b->grid(TfrmSiparisB::Lines)->model()->rowCount(), 1);
            EXPECT_EQ(b->totalText(TfrmSiparisB::Tutari), "10.00");
            EXPECT_EQ(b->totalText(TfrmSiparisB::Kdv), "1.80");
            EXPECT_EQ(b->totalText(TfrmSiparisB::Toplam), "11.80");
            EXPECT_TRUE(b->commandEnabled("OnIzleme"));
            key(b, Qt::Key_Escape);
        });
        key(a, Qt::Key_F2);
    });
    key(&list, Qt::Key_F2);
    EXPECT_TRUE(linesShown);
    EXPECT_EQ(messages.asked.value(0), "Cari kart nosu bulunamadı / ");
    EXPECT_EQ(IniFile(company->directory() + "/Resimler.ini").readString("SIPARIS", "SATISNO"),
              "1");
    // Its line is not delivered: it stays among the open orders.
    EXPECT_EQ(list.grid()->model()->rowCount(), 1);
    EXPECT_EQ(company->connection()
                  .scalar("SELECT \"Saat\" || '/' || \"Aciklama\" FROM \"Siparis\"")
                  .toString()
                  .left(5),
              "14:30");
}

TEST_F(OrderWindows, SeveralOrdersOpenTogetherOnlyForOneCustomer)
{
    OrderPosting p(*company, salesOrders(), &t.install);
    const qint64 first = order(p, "120.01", 7), second = order(p, "120.01", 8);
    order(p, "120.02", 9);
    line(p, first, 10);
    line(p, second, 5);
    TfrmSiparis list(*shell, salesOrders());
    showWindow(list);
    ASSERT_EQ(list.grid()->model()->rowCount(), 3);
    // Two customers: told, nothing opens; several rows cannot be changed or deleted.
    selectRows(list, {1, 2});
    key(&list, Qt::Key_F5);
    EXPECT_EQ(messages.asked.value(0), "Lütfen aynı kişilerin / siparişlerini seçiniz");
    EXPECT_EQ(messages.titles.value(0), "Çoklu sipariş faturalama kontrol");
    key(&list, Qt::Key_F3);
    EXPECT_EQ(messages.asked.value(1), "Birden fazla kaydı aynı anda / düzeltemezsiniz !!!");
    key(&list, Qt::Key_F4);
    EXPECT_EQ(messages.asked.value(2), "Birden fazla kaydı aynı anda / iptal edemezsiniz !!!");
    EXPECT_EQ(messages.asked.size(), 3);

    // One customer's two orders: combined, lines read only, invoiced together.
    selectRows(list, {0, 1});
    bool shown = false;
    whenOpen<TfrmSiparisB>([&](TfrmSiparisB* b) {
        shown = true;
        EXPECT_TRUE(b->windowTitle().endsWith("7, 8 nolu SATIŞ sipariş fişleri"));
        EXPECT_EQ(b->grid(TfrmSiparisB::Lines)->model()->rowCount(), 2);
        EXPECT_FALSE(b->commandEnabled("Yeni"));
        EXPECT_FALSE(b->commandEnabled("Duzelt"));
        EXPECT_FALSE(b->commandEnabled("OnIzleme"));
        EXPECT_EQ(b->totalText(TfrmSiparisB::Toplam), "");
        key(b, Qt::Key_Right);
        EXPECT_EQ(b->activePane(), TfrmSiparisB::Invoices);
        whenOpen<TfrmSiparisD>([](TfrmSiparisD* d) {
            EXPECT_EQ(d->windowTitle(), "[-ABC-Deneme Ltd.-]  Yeni SATIŞ sipariş faturası");
            EXPECT_TRUE(
                d->text(TfrmSiparisD::Aciklama).endsWith("7, 8 nolu SATIŞ sipariş fişleri"));
            EXPECT_EQ(d->text(TfrmSiparisD::FatNo), "1");
            whenOpen<TfrmFtSatisB>([](TfrmFtSatisB* lines) {
                EXPECT_EQ(lines->grid()->model()->rowCount(), 2);
                key(lines, Qt::Key_Escape);
            });
            key(d, Qt::Key_F2);
        });
        key(b, Qt::Key_F2);
        EXPECT_EQ(b->grid(TfrmSiparisB::Invoices)->model()->rowCount(), 1);
        EXPECT_EQ(b->totalText(TfrmSiparisB::FTutari), "150.00");
        key(b, Qt::Key_Escape);
    });
    key(&list, Qt::Key_F5);
    EXPECT_TRUE(shown);
    // Both delivered in full: closed, the third still open.
    EXPECT_EQ(p.read(first)->acikMi, 1);
    EXPECT_EQ(p.read(second)->acikMi, 1);
    EXPECT_EQ(list.grid()->model()->rowCount(), 1);
    list.state()->button(2)->click();
    EXPECT_EQ(list.grid()->model()->rowCount(), 3);
}

TEST_F(OrderWindows, AnInvoiceDeletedInTheLineWindowReopensTheOrder)
{
    OrderPosting p(*company, salesOrders(), &t.install);
    const qint64 id = order(p, "120.01", 3);
    line(p, id, 10);
    InvoiceHeader h;
    h.fatNo = 41;
    h.tarih = h.irsTarih = h.vadesi = QDate(2026, 3, 9);
    p.invoiceFromOrders({id}, h);
    p.close({id});
    ASSERT_EQ(p.read(id)->acikMi, 1);
    TfrmSiparisB b(*shell, p, {id});
    showWindow(b);
    EXPECT_EQ(b.table(TfrmSiparisB::Lines)["Kalan"].asFloat(), 0);
    key(&b, Qt::Key_Right);
    messages.answers = {1, 1};
    key(&b, Qt::Key_F4);
    EXPECT_EQ(messages.asked,
              QStringList({"Faturayı iptal etmek / istediğinize emin misiniz ?",
                           "Faturanın tüm kayıtları SİLİNECEK!! / emin misiniz ?"}));
    EXPECT_EQ(messages.titles.value(0), "Fatura iptal");
    EXPECT_EQ(b.grid(TfrmSiparisB::Invoices)->model()->rowCount(), 0);
    EXPECT_EQ(b.table(TfrmSiparisB::Lines)["Kalan"].asFloat(), 10);
    EXPECT_EQ(b.totalText(TfrmSiparisB::FToplam), "0.00");
    key(&b, Qt::Key_Escape);
    EXPECT_EQ(p.read(id)->acikMi, 0);
    // With its line gone too, the order can go.
    TfrmSiparis list(*shell, salesOrders());
    showWindow(list);
    messages.answers = {1, 1, 1, 1};
    p.removeLine(company->connection().scalar("SELECT \"Nosu\" FROM \"SipHar\"").toLongLong());
    list.reload();
    key(&list, Qt::Key_F4);
    EXPECT_EQ(list.grid()->model()->rowCount(), 0);
}

TEST_F(OrderWindows, AScaleBarcodeBecomesALineAtOnceOnlyWhenTheSettingsCanReadIt)
{
    OrderPosting p(*company, salesOrders(), &t.install);
    const qint64 id = order(p, "120.01", 5);
    IniFile& ini = t.install.ini();
    const auto scan = [&](const QString& code) {
        bool saved = false;
        TfrmSiparisC c(*shell, p, id, 0);
        showWindow(c);
        c.setText(TfrmSiparisC::Kodu, code);
        c.editor(TfrmSiparisC::Kodu)->setFocus();
        messages.answers = {0}; // no new card
        key(&c, Qt::Key_Return);
        for (int i = 0; i < 20 && c.isVisible(); ++i)
            QTest::qWait(10);
        saved = c.savedId() > 0;
        return saved;
    };
    // Off (no VARMI): the code is unknown and a new card is offered.
    EXPECT_FALSE(scan("271255"));
    EXPECT_EQ(messages.asked.value(0), "Stok kartı bulunamadı / Yeni kart açılsın mı?");
    ini.writeString("TARTI", "VARMI", "EVET");
    ini.writeString("TARTI", "KODBOYU", "2");
    ini.writeString("TARTI", "BOYU", "6");
    ini.writeString("TARTI", "AGIRLIKBOYU", "3");
    ini.writeString("TARTI", "AGIRLIKBOLENI", "100");
    EXPECT_TRUE(scan("271255"));
    const SqlRow l = company->connection()
                         .select("SELECT \"Kodu\", \"Miktari\", \"Tutari\", \"KdvTutar\", "
                                 "\"Kalan\" FROM \"SipHar\"")
                         .front();
    EXPECT_EQ(l[0].toString(), "27");
    EXPECT_DOUBLE_EQ(l[1].toDouble(), 1.25);
    EXPECT_DOUBLE_EQ(l[2].toDouble(), 125);
    EXPECT_DOUBLE_EQ(l[3].toDouble(), 10);
    EXPECT_DOUBLE_EQ(l[4].toDouble(), 1.25);
    // Settings that cannot describe a barcode read nothing.
    ini.writeString("TARTI", "AGIRLIKBOYU", "5"); // 2 + 5 > 6
    EXPECT_FALSE(scan("271255"));
    ini.writeString("TARTI", "AGIRLIKBOYU", "3");
    ini.writeString("TARTI", "AGIRLIKBOLENI", "0");
    EXPECT_FALSE(scan("271255"));
    EXPECT_EQ(company->connection().scalar("SELECT count(*) FROM \"SipHar\"").toInt(), 1);
}

TEST_F(OrderWindows, TheOrderPreviewsWithItsTotalInWords)
{
    OrderPosting p(*company, salesOrders(), &t.install);
    const qint64 id = order(p, "120.01", 12);
    line(p, id, 10);
    TfrmSiparisB b(*shell, p, {id});
    showWindow(b);
    bool previewed = false;
    whenOpen<TfrmOnIzle>([&](TfrmOnIzle* preview) {
        previewed = true;
        while (!preview->finished())
            preview->produce();
        const QString text =
            (bandTexts(preview->pages(), "Baslik") + bandTexts(preview->pages(), "Toplam"))
                .join("|");
        EXPECT_TRUE(text.contains("SATIŞ SİPARİŞ FİŞİ"));
        EXPECT_TRUE(text.contains("Yılmaz Ticaret"));
        EXPECT_TRUE(text.contains("118.00")) << text.toStdString();
        key(preview, Qt::Key_Escape);
    });
    key(&b, Qt::Key_F5);
    EXPECT_TRUE(previewed);
    // The invoices' grid in use: the order does not print from there.
    key(&b, Qt::Key_Right);
    EXPECT_FALSE(b.commandEnabled("OnIzleme"));
}

// A new user's round: an order of 10 taken, 4 invoiced (the invoice's line cut down), then the
// rest; "Sevk" follows, the stock and customer movements show both invoices, the order closes,
// it is previewed, and so is the order list.
TEST_F(OrderWindows, ANewUserDeliversAnOrderInTwoInvoicesAndSeesItClosed)
{
    TfrmSiparis list(*shell, salesOrders());
    showWindow(list);
    const auto invoiceOpenLines = [&](TfrmSiparisB* b, double cutTo) {
        whenOpen<TfrmSiparisD>([cutTo](TfrmSiparisD* d) {
            whenOpen<TfrmFtSatisB>([cutTo](TfrmFtSatisB* lines) {
                if (cutTo > 0) {
                    whenOpen<TfrmFtSatisF>([cutTo](TfrmFtSatisF* f) {
                        f->setNumber(TfrmFtSatisF::Miktari, cutTo);
                        f->editor(TfrmFtSatisF::Miktari)->setFocus();
                        key(f, Qt::Key_F2);
                    });
                    key(lines, Qt::Key_F3);
                }
                key(lines, Qt::Key_Escape);
            });
            key(d, Qt::Key_F2);
        });
        key(b, Qt::Key_F2);
    };
    bool done = false;
    whenOpen<TfrmSiparisA>([&](TfrmSiparisA* a) {
        a->setText(TfrmSiparisA::CariNo, "120.01");
        whenOpen<TfrmSiparisB>([&](TfrmSiparisB* b) {
            whenOpen<TfrmSiparisC>([](TfrmSiparisC* c) {
                c->setText(TfrmSiparisC::Kodu, "K01");
                c->setNumber(TfrmSiparisC::Miktari, 10);
                c->setNumber(TfrmSiparisC::BirimF, 2.5);
                key(c, Qt::Key_F2);
            });
            key(b, Qt::Key_F2);
            key(b, Qt::Key_Right);
            invoiceOpenLines(b, 4);
            const QAbstractItemModel* lines = b->grid(TfrmSiparisB::Lines)->model();
            EXPECT_EQ(lines->index(0, 6).data().toString(), "4"); // Sevk
            EXPECT_EQ(lines->index(0, 7).data().toString(), "6"); // Kalan
            invoiceOpenLines(b, 0);
            EXPECT_EQ(lines->index(0, 6).data().toString(), "10");
            EXPECT_EQ(lines->index(0, 7).data().toString(), "0");
            EXPECT_EQ(b->grid(TfrmSiparisB::Invoices)->model()->rowCount(), 2);
            EXPECT_EQ(b->totalText(TfrmSiparisB::FTutari), "25.00");
            // The print, from the order's lines.
            key(b, Qt::Key_Left);
            whenOpen<TfrmOnIzle>([](TfrmOnIzle* preview) {
                while (!preview->finished())
                    preview->produce();
                EXPECT_TRUE(preview->pages().plainText().contains("GENEL TOPLAM"));
                key(preview, Qt::Key_Escape);
            });
            key(b, Qt::Key_F5);
            done = true;
            key(b, Qt::Key_Escape);
        });
        key(a, Qt::Key_F2);
    });
    key(&list, Qt::Key_F2);
    ASSERT_TRUE(done);
    // Closed: gone from the open orders, there under the closed ones.
    EXPECT_EQ(list.grid()->model()->rowCount(), 0);
    list.state()->button(1)->click();
    EXPECT_EQ(list.grid()->model()->rowCount(), 1);

    // The stock card's movements (3201) and the customer's (2201) show both invoices.
    Table& stok = company->table("Stok");
    ASSERT_TRUE(stok.gotoId(company->connection()
                                .scalar("SELECT \"Nosu\" FROM \"Stok\" WHERE \"Kodu\" = 'K01'")
                                .toLongLong()));
    TfrmStHar stock(*shell);
    showWindow(stock);
    EXPECT_EQ(stock.grid()->model()->rowCount(), 2);
    Table& cari = company->table("Cari");
    ASSERT_TRUE(cari.gotoId(company->connection()
                                .scalar("SELECT \"Nosu\" FROM \"Cari\" WHERE \"CariNo\" = '120.01'")
                                .toLongLong()));
    TfrmCarHar movements(*shell);
    showWindow(movements);
    EXPECT_EQ(movements.grid()->model()->rowCount(), 2);
    EXPECT_EQ(movements.totalText(0), "25.00"); // 4 and 6 at 2.50

    // The order list report previewed from its window.
    TfrmSipLis report(*shell);
    showWindow(report);
    report.type.choose(1);
    report.state.choose(2);
    bool previewed = false;
    whenOpen<TfrmOnIzle>([&](TfrmOnIzle* preview) {
        while (!preview->finished())
            preview->produce();
        previewed = preview->pages().plainText().contains("Listelenen 1 adet");
        key(preview, Qt::Key_Escape);
    });
    key(&report, Qt::Key_F2);
    EXPECT_TRUE(previewed);
}
