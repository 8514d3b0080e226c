#include "invoicing/FtSatis.h"
#include "invoicing/FtSatisB.h"
#include "invoicing/FtSatisZ.h"
#include "invoicing/InvoiceLayout.h"
#include "invoicing/InvoicePosting.h"
#include "invoicing/InvoicePrint.h"
#include "invoicing/Ust.h"
#include "printing/DesignPropertyWindow.h"
#include "printing/DesignSurface.h"
#include "printing/OnIzle.h"
#include "store/GlobalData.h"
#include "store/IniFile.h"
#include "store/Table.h"
#include "support/Reference.h"
#include "support/WindowTest.h"
#include "widgets/TZemrakEdit.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>

namespace {

class InvoiceWindows : public WindowTest {
protected:
    std::unique_ptr<InvoicePosting> posting;
    qint64 a = 0, pen = 0, ink = 0, scale = 0;

    void SetUp() override
    {
        WindowTest::SetUp();
        shell->global = t.global.get();
        posting = std::make_unique<InvoicePosting>(*company, t.install);
        a = addCustomerCard(*company, "120.01", "Yılmaz Ticaret");
        pen = stock("K01", "Kalem", 118, 18);
        ink = stock("M01", "Mürekkep", 5, 8);
        scale = stock("27", "Peynir", 200, 8);
    }
    qint64 stock(const QString& code, const QString& name, double fiyat1, double normal)
    {
        Table& stok = company->table("Stok");
        stok.append();
        stok["Kodu"] = code;
        stok["Cinsi"] = name;
        stok["Birim"] = "Adet";
        stok["Fiyat1"] = fiyat1;
        stok["Normal"] = normal;
        stok.post();
        return stok.currentId();
    }
    template <typename Window> void open(Window& window)
    {
        window.prepare();
        window.show();
        QApplication::processEvents();
    }
    qint64 invoice(const InvoiceKind& kind, int kdvDahil, int closed = 0)
    {
        InvoiceHeader h;
        h.fatNo = 10;
        h.tarih = h.irsTarih = h.vadesi = QDate(2026, 3, 1);
        h.cariNo = "120.01";
        h.kdvDahil = kdvDahil;
        h.fDurumu = closed;
        return posting->saveHeader(kind, 0, h);
    }
    // A sales invoice of two bottles of ink at 5, 8 % VAT.
    qint64 inkInvoice()
    {
        const qint64 id = invoice(salesInvoice(), 0);
        InvoiceLine l;
        l.stockId = ink;
        l.kodu = "M01";
        l.miktari = 2;
        l.birimF = 5;
        l.kdvOran = 8;
        static_cast<LineAmounts&>(l) = computeLine(*company, l);
        posting->saveLine(id, l);
        return id;
    }
    static void type(QWidget* field, const QString& text)
    {
        field->setFocus();
        static_cast<QLineEdit*>(field)->selectAll();
        QTest::keyClicks(field, text);
    }
    double stored(const char* sql) { return company->connection().scalar(sql).toDouble(); }
};

} // namespace

TEST_F(InvoiceWindows, HeaderTakesTheCardAndSavesWithItsPostings)
{
    t.install.setSatisNo(500);
    TfrmFtSatisA header(*shell, *posting, salesInvoice(), 0, false);
    open(header);
    EXPECT_EQ(header.windowTitle(), "[-ABC-Deneme Ltd.-]  Yeni Satış faturası");
    EXPECT_EQ(header.number(TfrmFtSatisA::FatNo), 500);
    EXPECT_EQ(header.durum()->checkedId(), 0);
    EXPECT_EQ(header.kdv()->checkedId(), 0);
    EXPECT_EQ(QApplication::focusWidget(), header.editor(TfrmFtSatisA::Tarih));
    type(header.editor(TfrmFtSatisA::CariNo), "120.01");
    key(&header, Qt::Key_Return);
    EXPECT_EQ(header.text(TfrmFtSatisA::Unvani), "Yılmaz Ticaret");
    EXPECT_EQ(QApplication::focusWidget(), header.editor(TfrmFtSatisA::Unvani));
    header.kdv()->button(1)->setChecked(true);
    header.durum()->button(1)->setChecked(true);

    // A code of no card: refused, nothing written, the code kept.
    static_cast<QLineEdit*>(header.editor(TfrmFtSatisA::CariNo))->setText("YOK");
    key(&header, Qt::Key_F2);
    EXPECT_EQ(messages.asked.back(), "Cari kart nosu bulunamadı / ");
    EXPECT_TRUE(header.isVisible());
    EXPECT_EQ(stored("SELECT count(*) FROM \"Fatura\""), 0);
    EXPECT_EQ(header.text(TfrmFtSatisA::CariNo), "YOK");

    static_cast<QLineEdit*>(header.editor(TfrmFtSatisA::CariNo))->setText("120.01");
    header.editor(TfrmFtSatisA::VdNo)->setFocus();
    key(&header, Qt::Key_Return); // Enter in the tax number saves
    ASSERT_GT(header.savedId(), 0);
    const InvoiceData inv = *posting->read(header.savedId());
    EXPECT_EQ(inv.fDurumu, 1);
    EXPECT_EQ(inv.kdvDahil, 1);
    EXPECT_GT(inv.cakRef, 0); // the closed invoice's settlement exists at once
    t.install.reload();
    EXPECT_EQ(t.install.satisNo(), 501);
}

TEST_F(InvoiceWindows, SalesLineProposesAndRecomputesFromTheRates)
{
    const qint64 id = invoice(salesInvoice(), 1);
    TfrmFtSatisF line(*shell, *posting, salesInvoice(), id, 0, false);
    open(line);
    EXPECT_EQ(line.windowTitle(), "[-ABC-Deneme Ltd.-]  Yeni Satış faturası kalemi");
    type(line.editor(TfrmFtSatisF::Kodu), "K01");
    key(&line, Qt::Key_Return);
    // VAT-inclusive invoice: 118 with 18 % is offered as 100.
    EXPECT_EQ(line.number(TfrmFtSatisF::BirimF), 100);
    EXPECT_EQ(line.number(TfrmFtSatisF::KdvOran), 18);
    EXPECT_EQ(line.text(TfrmFtSatisF::Cinsi), "Kalem");
    EXPECT_EQ(QApplication::focusWidget(), line.editor(TfrmFtSatisF::Cinsi));
    type(line.editor(TfrmFtSatisF::IskOran), "10");
    type(line.editor(TfrmFtSatisF::Miktari), "2");
    line.editor(TfrmFtSatisF::BirimF)->setFocus(); // leaving the quantity recomputes all
    EXPECT_EQ(line.number(TfrmFtSatisF::Tutari), 200);
    EXPECT_EQ(line.number(TfrmFtSatisF::IskTutar), 20);
    EXPECT_EQ(line.number(TfrmFtSatisF::KdvTutar), 32.4);
    EXPECT_EQ(line.toplamText(), "212.40");
    // Saved from the quantity after a change: still recomputed.
    type(line.editor(TfrmFtSatisF::Miktari), "3");
    key(&line, Qt::Key_F2);
    ASSERT_GT(line.savedId(), 0);
    const InvoiceLine saved = *posting->readLine(line.savedId());
    EXPECT_EQ(saved.tutari, 300);
    EXPECT_EQ(saved.iskTutar, 30);
    EXPECT_EQ(saved.kdvTutar, 48.6);
    EXPECT_EQ(saved.topTutar, 318.6);
    EXPECT_EQ(posting->read(id)->gToplam, 318.6);
    EXPECT_EQ(stored("SELECT \"CMiktari\" FROM \"StHar\""), 3);
}

TEST_F(InvoiceWindows, PurchasePriceLosesItsVatOnceAndUnknownCodesAreRefused)
{
    const qint64 id = invoice(purchaseInvoice(), 1);
    TfrmFtSatisF line(*shell, *posting, purchaseInvoice(), id, 0, false);
    open(line);
    EXPECT_EQ(line.windowTitle(), "[-ABC-Deneme Ltd.-]  Yeni alış faturası kalemi");
    type(line.editor(TfrmFtSatisF::Kodu), "K01");
    key(&line, Qt::Key_Return);
    EXPECT_EQ(line.number(TfrmFtSatisF::BirimF), 0); // purchases propose the rate only
    EXPECT_EQ(line.number(TfrmFtSatisF::KdvOran), 18);
    line.editor(TfrmFtSatisF::BirimF)->setFocus();
    line.setNumber(TfrmFtSatisF::BirimF, 118);
    line.editor(TfrmFtSatisF::Tutari)->setFocus();
    EXPECT_EQ(line.number(TfrmFtSatisF::BirimF), 100);
    // Passing through the price again does not convert it again.
    line.editor(TfrmFtSatisF::BirimF)->setFocus();
    line.editor(TfrmFtSatisF::Tutari)->setFocus();
    EXPECT_EQ(line.number(TfrmFtSatisF::BirimF), 100);

    static_cast<QLineEdit*>(line.editor(TfrmFtSatisF::Kodu))->setText("YOK");
    line.editor(TfrmFtSatisF::Miktari)->setFocus();
    messages.asked.clear();
    key(&line, Qt::Key_F2);
    EXPECT_EQ(messages.asked.back(), "Stok kartı bulunamadı / ");
    EXPECT_TRUE(line.isVisible());
    EXPECT_EQ(stored("SELECT count(*) FROM \"FatHar\""), 0);
    EXPECT_EQ(line.text(TfrmFtSatisF::Kodu), "YOK");
}

TEST_F(InvoiceWindows, BarcodeScansBecomeLinesOnEnterOnly)
{
    IniFile(t.install.usersIniPath())
        .writeStrings("TARTI", {{"VARMI", "EVET"},
                                {"KODBOYU", "2"},
                                {"BOYU", "6"},
                                {"AGIRLIKBOYU", "3"},
                                {"AGIRLIKBOLENI", "100"}});
    t.install.reload();
    const qint64 id = invoice(salesInvoice(), 0, 1);
    TfrmFtSatisF line(*shell, *posting, salesInvoice(), id, 0, true);
    open(line);
    for (int i = 0; i < 3; ++i) {
        type(line.editor(TfrmFtSatisF::Kodu), "M01");
        key(&line, Qt::Key_Return);
        QTest::qWait(20);
        EXPECT_EQ(QApplication::focusWidget(), line.editor(TfrmFtSatisF::Kodu));
        EXPECT_EQ(line.text(TfrmFtSatisF::Kodu), "");
    }
    // A scale barcode: card 27, 1.25 kg, priced from the card.
    type(line.editor(TfrmFtSatisF::Kodu), "271257");
    key(&line, Qt::Key_Down);
    QTest::qWait(20);
    // Leaving the code by the mouse does not save.
    type(line.editor(TfrmFtSatisF::Kodu), "K01");
    line.editor(TfrmFtSatisF::Birim)->setFocus();
    QTest::qWait(20);
    const std::vector<InvoiceLine> lines = posting->lines(id);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].miktari, 3);
    EXPECT_EQ(lines[1].stockId, scale);
    EXPECT_EQ(lines[1].miktari, 1.25);
    EXPECT_EQ(lines[1].birimF, 200);
    EXPECT_EQ(lines[1].kdvTutar, 20);
    EXPECT_EQ(stored("SELECT count(*) FROM \"StHar\" WHERE \"STRef\" = 2"), 1);
    EXPECT_EQ(stored("SELECT \"CMiktari\" FROM \"StHar\" WHERE \"STRef\" = 2"), 3);
    EXPECT_EQ(posting->read(id)->kRef > 0, true);
}

TEST_F(InvoiceWindows, LineListShowsTheInvoiceAndDeletesAfterTwoYeses)
{
    const qint64 id = inkInvoice();
    {
        TfrmFtSatisB list(*shell, *posting, salesInvoice(), id, false);
        open(list);
        EXPECT_EQ(list.windowTitle(), "[-ABC-Deneme Ltd.-]  Satış Faturası");
        EXPECT_EQ(list.panelText(TfrmFtSatisB::PToplam), "10.80");
        EXPECT_EQ(list.panelText(TfrmFtSatisB::PAdet), "1 Adet");
        EXPECT_EQ(list.panelText(TfrmFtSatisB::PUnvani), "Yılmaz Ticaret");
        EXPECT_FALSE(list.durum()->button(1)->isEnabled());
        EXPECT_TRUE(list.commandEnabled("Onizleme"));
        list.grid()->setColumnWidth(1, 321);
        messages.answers = {1, 0};
        key(&list, Qt::Key_F4);
        EXPECT_EQ(
            messages.asked,
            QStringList({"Fatura kalemini silmek / istediğinize emin misiniz ? ",
                         "Fatura kalem bilgisini tamamıyla kaybedeceksiniz / emin misiniz ? "}));
        EXPECT_EQ(posting->lineCount(id), 1);
        messages.answers = {1, 1};
        key(&list, Qt::Key_F4);
        EXPECT_EQ(posting->lineCount(id), 0);
        EXPECT_EQ(list.panelText(TfrmFtSatisB::PAdet), "0 Adet");
        EXPECT_FALSE(list.commandEnabled("Onizleme"));
        key(&list, Qt::Key_Escape);
    }
    // The column widths are kept for the next time.
    EXPECT_EQ(IniFile(t.install.usersIniPath()).readInteger("FATURA", "K1", 0), 321);
    // Purchases have no printing.
    const qint64 bought = invoice(purchaseInvoice(), 0);
    TfrmFtSatisB purchase(*shell, *posting, purchaseInvoice(), bought, false);
    EXPECT_EQ(purchase.commandButton("Onizleme"), nullptr);
}

TEST_F(InvoiceWindows, ListRefusesInvoicesOfOtherPrograms)
{
    InvoiceData order;
    order.fatNo = 300;
    order.fatTuru = 1;
    order.tarih = QDate(2026, 3, 1);
    order.customerId = a;
    order.kaynak = FaturaKaynak::SI;
    posting->postInvoice(order, {});
    TfrmFtSatis list(*shell, salesInvoice());
    open(list);
    EXPECT_EQ(list.windowTitle(), "[-ABC-Deneme Ltd.-]  Satış Faturaları");
    key(&list, Qt::Key_F3);
    key(&list, Qt::Key_F4);
    key(&list, Qt::Key_F5);
    EXPECT_EQ(messages.asked,
              QStringList({"Kaynak program fatura değil!!! / Düzeltme işlemi yapılamaz",
                           "Kaynak program fatura değil!!! / İptal işlemi yapılamaz",
                           "Kaynak program fatura değil!!! / İşlem yapılamaz"}));
    EXPECT_EQ(stored("SELECT count(*) FROM \"Fatura\""), 1);
    // Purchases list only their own.
    TfrmFtSatis purchases(*shell, purchaseInvoice());
    EXPECT_TRUE(purchases.table().isEmpty());
}

TEST_F(InvoiceWindows, LayoutWindowRefusesWhatCannotPrintAndSavesOnTheLastField)
{
    TfrmFtSatisZ layout(*shell);
    open(layout);
    EXPECT_EQ(layout.windowTitle(), "[-ABC-Deneme Ltd.-]  Fatura dizaynı");
    const TfrmFtSatisZ::Row* title = layout.row("Ünvanı : ");
    ASSERT_NE(title, nullptr);
    EXPECT_FALSE(title->shown->isEnabled());
    title->left->setAsFloat(2000); // off the page
    layout.labelText(3)->setFocus();
    key(&layout, Qt::Key_Return);
    EXPECT_TRUE(layout.isVisible());
    ASSERT_EQ(messages.asked.size(), 1);
    EXPECT_FALSE(layout.saved());
    title->left->setAsFloat(40);
    layout.row("Stok kodu : ")->shown->setChecked(false);
    layout.labelText(3)->setText("TOPLAM :");
    layout.labelShown(3)->setChecked(true);
    layout.labelText(3)->setFocus();
    key(&layout, Qt::Key_Return);
    EXPECT_TRUE(layout.saved());
    const InvoicePlan plan = readInvoicePlan(t.global->fatPlan());
    EXPECT_EQ(plan.value("Unvani_L").toInt(), 40);
    EXPECT_EQ(plan.value("Kodu").toString(), "H");
    const InvoiceLayoutSettings s = InvoiceLayoutSettings::read(IniFile(t.install.usersIniPath()));
    EXPECT_EQ(s.texts[3], "TOPLAM :");
    EXPECT_TRUE(s.shown[3]);
}

TEST_F(InvoiceWindows, ANewUserDesignsTheInvoiceFromItsLinesAndPreviewsIt)
{
    const qint64 id = inkInvoice();
    TfrmFtSatisB lines(*shell, *posting, salesInvoice(), id, false);
    open(lines);
    // F7: the designer; "Fatura dizaynı"; lblYazi moved; a label made, written "İMZA" in a
    // larger font; the font undone; saved.
    whenOpen<TfrmUst>([this](TfrmUst* w) {
        if (w->documentKind() < 0) w->MenuIslem("Fatura");
        DesignSurface* s = w->surface();
        const auto rectOf = [&](const QString& name) {
            return s->surfaceRect(ReportDesign::find(w->document()->def(), name));
        };
        const QPoint yazi = rectOf("lblYazi").center().toPoint();
        QTest::mousePress(s, Qt::LeftButton, {}, yazi);
        QTest::mouseMove(s, yazi + QPoint(20, -8));
        QTest::mouseRelease(s, Qt::LeftButton, {}, yazi + QPoint(20, -8));
        w->toolButton(6)->click();
        const QPoint spot = (rectOf("lblYazi").bottomLeft() + QPointF(300, -10)).toPoint();
        QTest::mouseClick(s, Qt::LeftButton, {}, spot);
        ASSERT_TRUE(ReportDesign::find(w->document()->def(), "ZRQRLabel1").valid());
        whenOpen<TfrmOzellik>([](TfrmOzellik* p) {
            qobject_cast<QLineEdit*>(p->editor("Yazı : "))->setText("İMZA");
            p->chooseFont = [](QFont f) {
                f.setPointSize(16);
                return std::optional<QFont>(f);
            };
            qobject_cast<QAbstractButton*>(p->editor("&Font"))->click();
            p->MenuIslem("Tamam");
        });
        QTest::mouseClick(s, Qt::RightButton, {}, rectOf("ZRQRLabel1").center().toPoint());
        w->itemMenu()->hide();
        w->itemMenu()->actions()[0]->trigger();
        key(w, Qt::Key_Z, Qt::ControlModifier); // the text and font were one step: both go
        key(w, Qt::Key_Y, Qt::ControlModifier); // and come back
        w->MenuIslem("Kaydet");
    });
    key(&lines, Qt::Key_F7);
    const ReportDef saved = readInvoiceLayoutFile(InvoicePrint::layoutPath(*company, false));
    const ReportDesign::Item made = ReportDesign::find(saved, "ZRQRLabel1");
    ASSERT_TRUE(made.valid());
    EXPECT_EQ(saved.bands[size_t(made.band)].elements[size_t(made.element)].text, "İMZA");
    EXPECT_EQ(saved.bands[size_t(made.band)].elements[size_t(made.element)].font.pointSize(), 16);
    // The preview prints it.
    QString shown;
    whenOpen<TfrmOnIzle>([&shown](TfrmOnIzle* p) {
        // The preview shows the first page while it makes the rest: the whole report first.
        while (!p->finished())
            p->produce();
        shown = dumpWithoutToday(p->pages());
        p->MenuIslem("Cikis");
    });
    lines.MenuIslem("FOnizleme");
    EXPECT_TRUE(shown.contains("\"İMZA\"")) << shown.left(400).toStdString();
}
