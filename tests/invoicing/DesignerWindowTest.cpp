#include "invoicing/InvoiceLayout.h"
#include "invoicing/InvoicePrint.h"
#include "invoicing/Ust.h"
#include "printing/DesignSizeWindow.h"
#include "printing/DesignSurface.h"
#include "store/GlobalData.h"
#include "support/WindowTest.h"

#include <QAbstractButton>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

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
