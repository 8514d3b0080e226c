#include "invoicing/InvoiceKind.h"
#include "invoicing/InvoiceLayout.h"
#include "invoicing/InvoiceMath.h"
#include "invoicing/InvoicePosting.h"
#include "invoicing/InvoicePrint.h"
#include "invoicing/Ust.h"
#include "printing/DesignPropertyWindow.h"
#include "printing/DesignReportWindow.h"
#include "printing/DesignSizeWindow.h"
#include "printing/DesignSurface.h"
#include "store/GlobalData.h"
#include "store/Table.h"
#include "support/Reference.h"
#include "support/WindowTest.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

using namespace ReportDesign;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Designer : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        shell->global = t.global.get();
    }
    QString path(bool irsaliye = false) const
    {
        return InvoicePrint::layoutPath(*company, irsaliye);
    }
    // A designer with the invoice open, shown.
    std::unique_ptr<TfrmUst> designing(bool irsaliye = false)
    {
        auto w = std::make_unique<TfrmUst>(*shell);
        w->prepare();
        w->show();
        w->MenuIslem(irsaliye ? "Irsaliye" : "Fatura");
        QApplication::processEvents();
        return w;
    }
    static QPoint centre(TfrmUst& w, const QString& name)
    {
        return w.surface()->surfaceRect(find(w.document()->def(), name)).center().toPoint();
    }
    static const ElementDef& element(TfrmUst& w, const QString& name)
    {
        const Item i = find(w.document()->def(), name);
        return w.document()->def().bands[size_t(i.band)].elements[size_t(i.element)];
    }
};

} // namespace

TEST_F(Designer, ChoosingOpensTheLayoutAsItPrintsAndSavingWritesOnlyItsFile)
{
    TfrmUst w(*shell);
    w.prepare();
    w.show();
    EXPECT_FALSE(w.commandEnabled("Kaydet")); // nothing to save while choosing
    EXPECT_TRUE(w.commandButton("Fatura")->isVisible());
    w.MenuIslem("Fatura");
    EXPECT_EQ(w.documentKind(), 0);
    EXPECT_FALSE(w.commandButton("Fatura")->isVisible());
    EXPECT_FALSE(w.commandButton("Manuel")->isVisible());
    EXPECT_TRUE(w.commandEnabled("Kaydet"));
    EXPECT_TRUE(w.toolButton(0)->isChecked());
    // The built-in layout with the FatPlan positions, as the print has it.
    const ReportDef printed = InvoicePrint::installedLayout(*company, t.global->fatPlan(), false);
    EXPECT_EQ(w.document()->def().toJson(), printed.toJson());

    // An existing delivery-note layout stays as it is when the invoice's is saved.
    writeInvoiceLayoutFile(path(true), printed);
    const QByteArray irs = readAll(path(true));
    w.MenuIslem("Kaydet");
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(readAll(path()), printed.toJson());
    expectReferenceIn(DESIGN_DATA, QString::fromUtf8(readAll(path())), "fatura_dizayn.json");
    EXPECT_EQ(readAll(path(true)), irs);
}

TEST_F(Designer, TheMouseCreatesSelectsDragsAndSizesAndEveryStepUndoes)
{
    auto w = designing();
    DesignSurface* s = w->surface();
    const QByteArray loaded = w->document()->def().toJson();
    // A label on the title band where the click is, then the pointer again.
    w->toolButton(6)->click();
    const QPointF at = s->toSurface(
        {w->document()->def().page.left + toMm(40), w->document()->def().page.top + toMm(8)});
    QTest::mouseClick(s, Qt::LeftButton, {}, at.toPoint());
    EXPECT_TRUE(w->toolButton(0)->isChecked());
    const ElementDef made = element(*w, "ZRQRLabel1");
    EXPECT_EQ(made.text, "ZRQRLabel1");
    EXPECT_EQ(std::lround(toPixels(made.rect.x())), 40);
    EXPECT_EQ(w->document()->selection(), QStringList{"ZRQRLabel1"});
    // A band tool on a band makes nothing.
    w->toolButton(5)->click();
    const size_t bands = w->document()->def().bands.size();
    QTest::mouseClick(s, Qt::LeftButton, {}, at.toPoint());
    EXPECT_EQ(w->document()->def().bands.size(), bands);
    w->toolButton(0)->click();
    s->setTool(0);

    // A drag snaps to the grid and is one step; Ctrl drags freely.
    const int steps = w->document()->undoStack().count();
    const QPoint from = centre(*w, "lblYazi");
    const double x0 = toPixels(element(*w, "lblYazi").rect.x());
    QTest::mousePress(s, Qt::LeftButton, {}, from);
    for (int dx = 2; dx <= 10; dx += 2)
        QTest::mouseMove(s, from + QPoint(dx, 0));
    QTest::mouseRelease(s, Qt::LeftButton, {}, from + QPoint(10, 0));
    EXPECT_EQ(w->document()->undoStack().count(), steps + 1);
    const double x1 = toPixels(element(*w, "lblYazi").rect.x());
    EXPECT_EQ(std::fmod(x1, 4.0), 0.0);
    EXPECT_NEAR(x1, x0 + 10, 2.0);
    // Esc in a drag puts the element back and leaves the designer open.
    const QByteArray dragged = w->document()->def().toJson();
    QTest::mousePress(s, Qt::LeftButton, {}, centre(*w, "lblYazi"));
    QTest::mouseMove(s, centre(*w, "lblYazi") + QPoint(30, 0));
    key(w.get(), Qt::Key_Escape);
    QTest::mouseRelease(s, Qt::LeftButton, {}, centre(*w, "lblYazi"));
    EXPECT_EQ(w->document()->def().toJson(), dragged);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->document()->undoStack().count(), steps + 1);
    // A handle: the right edge of the current element.
    const QRectF r = s->surfaceRect(find(w->document()->def(), "lblYazi"));
    const QPoint edge(int(r.right()), int(r.center().y()));
    QTest::mousePress(s, Qt::LeftButton, {}, edge);
    QTest::mouseMove(s, edge - QPoint(40, 0));
    QTest::mouseRelease(s, Qt::LeftButton, {}, edge - QPoint(40, 0));
    EXPECT_NEAR(toPixels(element(*w, "lblYazi").rect.width()), r.width() - 40, 2.0); // at zoom 1
    // Arrows: a pixel; Ctrl a grid step; Shift sizes.
    const QRectF before = element(*w, "lblYazi").rect;
    QTest::keyClick(s, Qt::Key_Right);
    QTest::keyClick(s, Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(s, Qt::Key_Left, Qt::ShiftModifier);
    const QRectF after = element(*w, "lblYazi").rect;
    EXPECT_NEAR(toPixels(after.x() - before.x()), 1, 1e-6);
    EXPECT_NEAR(toPixels(after.y() - before.y()), 4, 1e-6);
    EXPECT_NEAR(toPixels(after.width() - before.width()), -1, 1e-6);
    // Del removes; Ctrl+Z all the way back gives the very bytes loaded.
    QTest::keyClick(s, Qt::Key_Delete);
    EXPECT_FALSE(find(w->document()->def(), "lblYazi").valid());
    while (w->commandEnabled("GeriAl"))
        key(w.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w->document()->def().toJson(), loaded);
    key(w.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(find(w->document()->def(), "ZRQRLabel1").valid());
    // Saved as the reference has it: the label made at 40, 8 on the title band.
    w->MenuIslem("Kaydet");
    expectReferenceIn(DESIGN_DATA, QString::fromUtf8(readAll(path())), "fatura_dizayn_etiket.json");
}

TEST_F(Designer, TheSizesWindowAppliesChecksAndRefusesATakenName)
{
    auto w = designing();
    // A taken name: the sizes apply, the name stays, a notice says why.
    whenOpen<TfrmEbat>([](TfrmEbat* e) {
        EXPECT_EQ(e->windowTitle(), "lblYazi - Ebatları");
        e->setText(0, "20");
        e->setText(4, "lblTVd");
        e->MenuIslem("Kaydet");
    });
    TfrmEbat sizes(*shell, *w->document(), "lblYazi", w.get());
    sizes.run();
    EXPECT_EQ(std::lround(toPixels(element(*w, "lblYazi").rect.x())), 20);
    ASSERT_EQ(messages.asked.size(), 1);
    EXPECT_TRUE(messages.asked[0].startsWith("Ad değiştirilmedi: lblYazi"))
        << messages.asked[0].toStdString();
    // Sizes that cannot print: refused by value, the window stays, nothing changes.
    const QByteArray before = w->document()->def().toJson();
    whenOpen<TfrmEbat>([this](TfrmEbat* e) {
        if (messages.asked.size() == 1) {
            e->setText(2, "99999");
            e->MenuIslem("Kaydet");
            EXPECT_TRUE(e->isVisible());
            e->setText(2, "abc");
            e->MenuIslem("Kaydet");
            EXPECT_TRUE(e->isVisible());
            e->MenuIslem("Vazgec");
        }
    });
    TfrmEbat again(*shell, *w->document(), "lblYazi", w.get());
    again.run();
    ASSERT_EQ(messages.asked.size(), 3);
    EXPECT_TRUE(messages.asked[1].contains("99999 pixel")) << messages.asked[1].toStdString();
    EXPECT_EQ(w->document()->def().toJson(), before);
}

TEST_F(Designer, LeavingWithChangesAsksAndAnUnreadableFileIsNamed)
{
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("TPF0 eski");
    }
    auto w = designing();
    ASSERT_EQ(messages.asked.size(), 1);
    EXPECT_TRUE(messages.asked[0].startsWith("Dizayn dosyası okunamadı / "));
    EXPECT_TRUE(messages.asked[0].contains("eski biçim; yeniden dizayn ediniz"));
    w->document()->nudge(1, 0, false);
    w->document()->select({"lblYazi"});
    w->document()->nudge(1, 0, false);
    messages.answers = {0}; // "no": stay
    w->MenuIslem("Vazgec");
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(messages.asked.back(), "Dizayn değişiklikleri kaydedilmeyecek / emin misiniz ?");
    // Saving over the unreadable file asks first; "no" writes nothing.
    messages.answers = {0};
    w->MenuIslem("Kaydet");
    EXPECT_EQ(readAll(path()), "TPF0 eski");
    messages.answers = {1};
    w->MenuIslem("Vazgec");
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(readAll(path()), "TPF0 eski");
}

TEST_F(Designer, PropertyPagesApplyEveryValueAsOneStepAndRefuseBadExpressions)
{
    auto w = designing();
    DesignDocument& doc = *w->document();
    // Items of several kinds on the detail band.
    const auto made = [&](int tool, double x) {
        const Item i = doc.create(tool, 2, {toMm(x), 0});
        EXPECT_TRUE(i.valid()) << tool;
        return doc.def().bands[size_t(i.band)].elements[size_t(i.element)].name;
    };
    const QString label = made(6, 0), dbText = made(7, 70), expr = made(8, 140), sys = made(9, 210),
                  shape = made(14, 280), image = made(15, 350), angled = made(18, 420),
                  words = made(19, 490), barcode = made(21, 560);
    EXPECT_FALSE(TfrmOzellik::hasPage(doc, words));
    EXPECT_FALSE(TfrmOzellik::hasPage(doc, barcode));
    EXPECT_FALSE(TfrmOzellik::hasPage(doc, "DetailBand1"));
    EXPECT_TRUE(TfrmOzellik::hasPage(doc, label));

    const auto run = [&](const QString& name, const std::function<void(TfrmOzellik&)>& act) {
        TfrmOzellik page(*shell, doc, name, w.get());
        page.chooseColor = [](const QColor&) { return std::optional<QColor>(Qt::red); };
        page.chooseFont = [](QFont f) {
            f.setPointSize(14);
            f.setBold(true);
            return std::optional<QFont>(f);
        };
        page.prepare();
        page.show();
        EXPECT_EQ(page.windowTitle(), name + " - Özellikleri");
        act(page);
    };
    const auto box = [](TfrmOzellik& p, const char* caption) {
        auto* b = qobject_cast<QAbstractButton*>(p.editor(QString::fromUtf8(caption)));
        EXPECT_NE(b, nullptr) << caption;
        return b;
    };
    // A label: every value of its page.
    int steps = doc.undoStack().count();
    run(label, [&](TfrmOzellik& p) {
        box(p, "&Renk")->click();
        box(p, "&Font")->click();
        qobject_cast<QLineEdit*>(p.editor("Yazı : "))->setText("İMZA");
        p.choice("Yaslama")->button(2)->click();
        box(p, "Sol")->click();
        box(p, "Alt")->click();
        qobject_cast<QSpinBox*>(p.editor("Kenarlık kalınlığı"))->setValue(2);
        box(p, "Transparan")->click();
        box(p, "Satır atlat")->click();
        box(p, "Raporda göster")->click();
        box(p, "Banda hizala")->click();
        box(p, "Oto.ebatlandırma")->click();
        p.MenuIslem("Tamam");
        EXPECT_FALSE(p.isVisible());
    });
    EXPECT_EQ(doc.undoStack().count(), steps + 1);
    const ElementDef l = element(*w, label);
    EXPECT_EQ(l.text, "İMZA");
    EXPECT_EQ(l.color, QColor(Qt::red));
    EXPECT_EQ(l.font.pointSize(), 14);
    EXPECT_TRUE(l.font.bold());
    EXPECT_EQ(l.alignment, int(Qt::AlignHCenter));
    EXPECT_TRUE(l.frame.left && l.frame.bottom && !l.frame.top && !l.frame.right);
    EXPECT_NEAR(toPixels(l.frame.width), 2, 1e-9);
    EXPECT_FALSE(l.transparent);
    EXPECT_TRUE(l.wordWrap);
    EXPECT_FALSE(l.enabled);
    EXPECT_TRUE(l.alignToBand);
    EXPECT_TRUE(l.autoSize);

    // A table-bound text: the table, its field (refilled with the table), the decimals.
    run(dbText, [&](TfrmOzellik& p) {
        auto* table = qobject_cast<QComboBox*>(p.editor("Veri dosyası : "));
        auto* field = qobject_cast<QComboBox*>(p.editor("Alanı : "));
        table->setCurrentIndex(table->findText("tblFatura"));
        ASSERT_GE(field->findText("GToplam"), 0);
        field->setCurrentIndex(field->findText("GToplam"));
        p.choice("Noktadan sonraki ondalık sayı adedi")->button(3)->click();
        p.MenuIslem("Tamam");
    });
    EXPECT_EQ(element(*w, dbText).field, "Fatura.GToplam");
    EXPECT_EQ(element(*w, dbText).mask, "#,##0.00");
    // On opening again the choices show what it has.
    run(dbText, [&](TfrmOzellik& p) {
        EXPECT_EQ(qobject_cast<QComboBox*>(p.editor("Veri dosyası : "))->currentText(),
                  "tblFatura");
        EXPECT_EQ(qobject_cast<QComboBox*>(p.editor("Alanı : "))->currentText(), "GToplam");
        EXPECT_EQ(p.choice("Noktadan sonraki ondalık sayı adedi")->checkedId(), 3);
        p.MenuIslem("Vazgec");
    });

    // An expression that does not parse: shown, nothing applied, no step.
    steps = doc.undoStack().count();
    const QByteArray before = doc.def().toJson();
    run(expr, [&](TfrmOzellik& p) {
        qobject_cast<QLineEdit*>(p.editor("Expr :"))->setText("SUM(AraTop");
        p.MenuIslem("Tamam");
        EXPECT_TRUE(p.isVisible());
        qobject_cast<QLineEdit*>(p.editor("Expr :"))->setText("SUM(AraTop) * 2");
        p.MenuIslem("Tamam");
    });
    ASSERT_FALSE(messages.asked.isEmpty());
    EXPECT_TRUE(messages.asked.back().startsWith("İfade hatalı: SUM(AraTop"))
        << messages.asked.back().toStdString();
    EXPECT_EQ(element(*w, expr).expression, "SUM(AraTop) * 2");
    EXPECT_EQ(doc.undoStack().count(), steps + 1);
    doc.undoStack().undo();
    EXPECT_EQ(doc.def().toJson(), before);
    doc.undoStack().redo();

    // System data, shape, angled text, a picture from a file and from an empty clipboard.
    run(sys, [&](TfrmOzellik& p) {
        p.choice("Sistem verisi özelliği")->button(3)->click();
        p.MenuIslem("Tamam");
    });
    EXPECT_EQ(element(*w, sys).sysData, SysDataKind::PageNumber);
    run(shape, [&](TfrmOzellik& p) {
        p.choice("Kalıp tipi")->button(0)->click();
        qobject_cast<QSpinBox*>(p.editor("Kalem kalınlığı"))->setValue(3);
        box(p, "&Fırça rengi")->click();
        p.MenuIslem("Tamam");
    });
    EXPECT_EQ(element(*w, shape).shape, ShapeKind::Circle);
    EXPECT_NEAR(toPixels(element(*w, shape).frame.width), 3, 1e-9);
    EXPECT_EQ(element(*w, shape).background, QColor(Qt::red));
    EXPECT_FALSE(element(*w, shape).transparent);
    run(angled, [&](TfrmOzellik& p) {
        qobject_cast<QSpinBox*>(p.editor("Açı : "))->setValue(45);
        p.MenuIslem("Tamam");
    });
    EXPECT_EQ(element(*w, angled).angle, 45);
    const QString png = t.dir.filePath("logo.png"), notPicture = t.dir.filePath("logo.txt");
    {
        QImage logo(8, 4, QImage::Format_RGB32);
        logo.fill(Qt::blue);
        ASSERT_TRUE(logo.save(png));
        QFile f(notPicture);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("resim değil");
    }
    const size_t asked = size_t(messages.asked.size());
    run(image, [&](TfrmOzellik& p) {
        p.clipboardPicture = [] { return QImage(); };
        box(p, "Panodan yapıştır")->click();
        p.choosePictureFile = [&] { return notPicture; };
        box(p, "Dosyadan yükle")->click();
        p.choosePictureFile = [&] { return png; };
        box(p, "Dosyadan yükle")->click();
        box(p, "Sığdır")->click();
        p.MenuIslem("Tamam");
    });
    ASSERT_EQ(size_t(messages.asked.size()), asked + 2);
    EXPECT_EQ(messages.asked[qsizetype(asked)], "Panoda resim yok / ");
    EXPECT_TRUE(messages.asked[qsizetype(asked) + 1].startsWith("Resim okunamadı"));
    QImage loaded;
    EXPECT_TRUE(loaded.loadFromData(element(*w, image).picture));
    EXPECT_EQ(loaded.size(), QSize(8, 4));
    EXPECT_FALSE(element(*w, image).pictureStretch);

    // The multi-line kinds and the table-bound rich text and picture.
    const QString memo = made(10, 0), exprMemo = made(11, 0), rich = made(12, 0),
                  dbRich = made(13, 0), dbImage = made(16, 0);
    run(memo, [&](TfrmOzellik& p) {
        qobject_cast<QPlainTextEdit*>(p.editor("Yazı : "))->setPlainText("Birinci\nİkinci");
        p.MenuIslem("Tamam");
    });
    EXPECT_EQ(element(*w, memo).text, "Birinci\nİkinci");
    run(exprMemo, [&](TfrmOzellik& p) {
        auto* text = qobject_cast<QPlainTextEdit*>(p.editor("Yazı : "));
        text->setPlainText("Toplam {SUM(AraTop}");
        p.MenuIslem("Tamam");
        EXPECT_TRUE(p.isVisible()); // the expression in braces does not parse
        text->setPlainText("Toplam {SUM(AraTop)}");
        p.MenuIslem("Tamam");
    });
    EXPECT_EQ(element(*w, exprMemo).text, "Toplam {SUM(AraTop)}");
    run(rich, [&](TfrmOzellik& p) {
        EXPECT_EQ(p.editor("&Font"), nullptr); // rich text: colour, alignment, frames, shown
        qobject_cast<QPlainTextEdit*>(p.editor("Yazı : "))->setPlainText("<b>Kalın</b>");
        p.choice("Yaslama")->button(1)->click();
        p.MenuIslem("Tamam");
    });
    EXPECT_EQ(element(*w, rich).text, "<b>Kalın</b>");
    EXPECT_EQ(element(*w, rich).alignment, int(Qt::AlignRight));
    for (const QString& bound : {dbRich, dbImage}) {
        run(bound, [&](TfrmOzellik& p) {
            auto* table = qobject_cast<QComboBox*>(p.editor("Veri dosyası : "));
            auto* field = qobject_cast<QComboBox*>(p.editor("Alanı : "));
            table->setCurrentIndex(table->findText("tblStok"));
            field->setCurrentIndex(field->findText("Cinsi"));
            if (QWidget* center = p.editor("Ortala"))
                qobject_cast<QAbstractButton*>(center)->click();
            p.MenuIslem("Tamam");
        });
        EXPECT_EQ(element(*w, bound).field, "Stok.Cinsi");
    }
    EXPECT_TRUE(element(*w, dbImage).pictureCenter);

    // Every page's values come back from the file as they were set.
    const ReportDef back = ReportDef::fromJson(doc.def().toJson());
    EXPECT_EQ(back.toJson(), doc.def().toJson());
}

TEST_F(Designer, ReportSettingsApplyAsOneStepAndRefuseWhatCannotPrint)
{
    auto w = designing();
    DesignDocument& doc = *w->document();
    const QByteArray loaded = doc.def().toJson();
    const auto run = [&](const std::function<void(TfrmRaporAyar&)>& act) {
        TfrmRaporAyar s(*shell, doc, w.get());
        s.chooseFont = [](QFont f) {
            f.setFamily("DejaVu Serif");
            return std::optional<QFont>(f);
        };
        s.prepare();
        s.show();
        act(s);
    };
    // Margins that leave no page: refused by value, nothing changes, the window stays.
    run([&](TfrmRaporAyar& s) {
        s.length("Sol : ")->setValue(150);
        s.length("Sağ : ")->setValue(100);
        s.MenuIslem("Tamam");
        EXPECT_TRUE(s.isVisible());
        s.MenuIslem("Vazgec");
    });
    ASSERT_EQ(messages.asked.size(), 1);
    EXPECT_TRUE(messages.asked[0].contains("150 + 100 mm")) << messages.asked[0].toStdString();
    EXPECT_EQ(doc.def().toJson(), loaded);

    // Units convert what is shown; every value lands in the definition in millimetres.
    run([&](TfrmRaporAyar& s) {
        EXPECT_NEAR(s.length("Sol : ")->value(), 10, 1e-9);
        s.units()->button(2)->click();                      // pixels
        EXPECT_NEAR(s.length("Sol : ")->value(), 38, 1e-9); // 10 mm is 37.8 pixels
        s.units()->button(0)->click();
        s.length("Sol : ")->setValue(12);
        s.columns()->setValue(2);
        s.length("Kolon aralığı : ")->setValue(5);
        s.box("Üst")->click();
        s.box("Alt")->click();
        s.box("İlk sayfa başlığı yazılsın")->click();
        s.bandShown(4)->click(); // a summary band, made
        s.bandLength(4)->setValue(20);
        for (QPushButton* b : s.findChildren<QPushButton*>())
            if (b->text() == "&Font") b->click();
        s.MenuIslem("Tamam");
        EXPECT_FALSE(s.isVisible());
    });
    const ReportDef& d = doc.def();
    EXPECT_NEAR(d.page.left, 12, 1e-9);
    EXPECT_EQ(d.page.columns, 2);
    EXPECT_NEAR(d.page.columnSpacing, 5, 1e-9);
    EXPECT_TRUE(d.page.frame.top && d.page.frame.bottom && !d.page.frame.left);
    EXPECT_EQ(d.font.family(), "DejaVu Serif");
    EXPECT_EQ(d.bands.back().kind, BandKind::Summary);
    EXPECT_EQ(d.bands.back().name, "ZRQRBand1");
    EXPECT_NEAR(d.bands.back().height, 20, 1e-9);
    EXPECT_EQ(ReportDef::fromJson(d.toJson()).toJson(), d.toJson());
    doc.undoStack().undo();
    EXPECT_EQ(doc.def().toJson(), loaded);
}

TEST_F(Designer, ThePreviewShowsTheInvoiceAsTheLayoutStandsAndPrintsAlike)
{
    // An invoice with one line.
    addCustomerCard(*company, "120.01", "Yılmaz Ticaret");
    Table& stok = company->table("Stok");
    stok.append();
    stok["Kodu"] = "K01";
    stok["Cinsi"] = "Kalem";
    stok["Birim"] = "Adet";
    stok.post();
    InvoicePosting posting(*company, t.install);
    InvoiceHeader h;
    h.fatNo = 10;
    h.tarih = h.irsTarih = h.vadesi = QDate(2026, 3, 1);
    h.cariNo = "120.01";
    const qint64 id = posting.saveHeader(salesInvoice(), 0, h);
    InvoiceLine l;
    l.stockId = stok.currentId();
    l.kodu = "K01";
    l.cinsi = "Kalem";
    l.birim = "Adet";
    l.miktari = 2;
    l.birimF = 10;
    l.kdvOran = 18;
    static_cast<LineAmounts&>(l) = computeLine(*company, l);
    posting.saveLine(id, l);

    TfrmUst w(*shell, nullptr, id);
    w.prepare();
    w.show();
    w.MenuIslem("Fatura");
    QTest::qWait(400);
    ASSERT_EQ(w.previewPages().pageCount(), 1);
    const auto shows = [&](const QString& text) {
        return dumpWithoutToday(w.previewPages()).contains(text);
    };
    EXPECT_TRUE(shows("\"K01\""));
    // A change shows a moment later: the code's element deleted.
    w.document()->change("Sil", [](ReportDef& d) {
        remove(d, find(d, "txtKodu"));
        return QString();
    });
    QTest::qWait(400);
    EXPECT_FALSE(shows("\"K01\""));
    // An "İMZA" label, saved: the print, the preview and the file given by hand are one.
    w.document()->create(6, 3, {toMm(500), toMm(80)});
    w.document()->change("Ad", [](ReportDef& d) {
        const Item i = find(d, "ZRQRLabel1");
        d.bands[size_t(i.band)].elements[size_t(i.element)].text = "İMZA";
        return QString();
    });
    w.refreshPreview();
    EXPECT_TRUE(shows("\"İMZA\""));
    const QString preview = dumpWithoutToday(w.previewPages());
    w.MenuIslem("Kaydet");
    EXPECT_EQ(dumpWithoutToday(InvoicePrint::pages(*company, t.global->fatPlan(), id, false)),
              preview);
    EXPECT_EQ(dumpWithoutToday(
                  InvoicePrint::pages(*company, t.global->fatPlan(), id, false, nullptr, path())),
              preview);
}

TEST_F(Designer, ThePanelShowsTheCurrentItemAndAppliesWhatIsTypedAsOneStep)
{
    auto w = designing();
    DesignDocument& doc = *w->document();
    doc.select({"lblYazi"});
    EXPECT_EQ(w->panelEditor(4)->text(), "lblYazi");
    EXPECT_EQ(w->panelEditor(0)->text(),
              QString::number(std::lround(toPixels(element(*w, "lblYazi").rect.x()))));
    const int steps = doc.undoStack().count();
    w->panelEditor(0)->setText("30");
    w->panelEditor(4)->setText("lblToplamYazi");
    QTest::keyClick(w->panelEditor(0), Qt::Key_Return);
    EXPECT_EQ(doc.undoStack().count(), steps + 1);
    EXPECT_EQ(std::lround(toPixels(element(*w, "lblToplamYazi").rect.x())), 30);
    EXPECT_EQ(doc.selection(), QStringList{"lblToplamYazi"});
    // What cannot print: the notice, nothing changed, the panel back to what is.
    w->panelEditor(2)->setText("99999");
    QTest::keyClick(w->panelEditor(2), Qt::Key_Return);
    ASSERT_EQ(messages.asked.size(), 1);
    EXPECT_TRUE(messages.asked[0].startsWith("Ölçüler uygulanmadı / lblToplamYazi: "));
    EXPECT_EQ(doc.undoStack().count(), steps + 1);
    EXPECT_NE(w->panelEditor(2)->text(), "99999");
    // A band: its length and name only.
    doc.select({"DetailBand1"});
    EXPECT_FALSE(w->panelEditor(0)->isEnabled());
    EXPECT_TRUE(w->panelEditor(3)->isEnabled());
    w->panelEditor(3)->setText("24");
    QTest::keyClick(w->panelEditor(3), Qt::Key_Return);
    EXPECT_NEAR(toPixels(doc.def().bands[2].height), 24, 1e-9);
}
