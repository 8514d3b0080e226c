#include "printing/OnIzle.h"
#include "printing/OnIzleDos.h"
#include "printing/TextPrint.h"
#include "store/IniFile.h"
#include "support/WindowTest.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QFile>
#include <QLineEdit>
#include <QTimer>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Pages of one line each, or of `lines` full lines.
PageSet pagesOf(int count, int lines = 0)
{
    PageSet set;
    for (int p = 0; p < count; ++p) {
        Page& page = set.addPage(QSizeF(210, 297));
        DrawOp op;
        op.rect = QRectF(10, 10, 60, 5);
        op.text = QStringLiteral("Şişli Çağ sayfa %1").arg(p + 1);
        page.add(op);
        for (int i = 1; i < lines; ++i) {
            op.rect = QRectF(0, 10 + i * 4.3, 200, 4);
            op.text = QString(78, QLatin1Char('x'));
            page.add(op);
        }
    }
    set.finished = true;
    return set;
}

PageSet twoPages()
{
    return pagesOf(2);
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class TextPrintWindow : public WindowTest {
protected:
    QString device() const { return t.dir.filePath("yazici.prn"); }
    void settings(const QString& yazici, const QString& sayfa, int pitch)
    {
        IniFile& ini = t.install.ini();
        ini.writeString("SERVER", "YAZICI", yazici);
        ini.writeString("SERVER", "SAYFA", sayfa);
        ini.writeString("SERVER", "DOS", QString::number(pitch));
    }
    static void type(QWidget* editor, const QString& text)
    {
        static_cast<QLineEdit*>(editor)->setText(text);
    }
};

} // namespace

TEST_F(TextPrintWindow, F5PrintsTheTextOnTheDeviceAndKeepsTheWorkFile)
{
    settings(device(), "54", 0);
    TfrmOnIzle preview(*shell, twoPages());
    preview.show();
    EXPECT_TRUE(preview.commandButton("Dos")->isEnabled());
    key(&preview, Qt::Key_F5);
    EXPECT_EQ(readAll(device()), TextPrint::stream(preview.pages(), 0, 54));
    EXPECT_TRUE(QString::fromUtf8(readAll(t.dir.filePath("PrnDos.txt"))).contains("Şişli Çağ"));
    EXPECT_TRUE(messages.asked.isEmpty());
    EXPECT_EQ(preview.statusText(1), "Dos yazıcısına yazıldı: 2 sayfa");
    EXPECT_TRUE(preview.isVisible());

    // A printer that is not there: the notice, nothing written, the preview stays.
    settings("/dev/yok/lp7", "54", 0);
    key(&preview, Qt::Key_F5);
    EXPECT_EQ(messages.asked, QStringList{"Dos yazıcısı açık değil / ve/veya hazır değil"});
    // One that fails while writing: its own notice with the device and the reason.
    settings("/proc/version", "54", 0);
    key(&preview, Qt::Key_F5);
    EXPECT_TRUE(messages.asked.back().startsWith("Dos yazıcısına yazılamadı / /proc/version: "));
    EXPECT_TRUE(preview.isVisible());
    // A page length out of range: refused before anything is written.
    settings(device(), "255", 0);
    QFile::remove(device());
    key(&preview, Qt::Key_F5);
    EXPECT_TRUE(messages.asked.back().startsWith("Sayfa boyu 1 ile 254 arasında"));
    EXPECT_FALSE(QFile::exists(device()));
}

TEST_F(TextPrintWindow, TheSettingsWindowSavesThenThePreviewPrintsAtOnce)
{
    settings("LPT1", "66", 0);
    TfrmOnIzle preview(*shell, twoPages());
    preview.show();
    // Esc: nothing saved, nothing printed.
    whenOpen<TfrmOnIzleDos>([this](TfrmOnIzleDos* w) {
        EXPECT_EQ(w->windowTitle(), "Dos ayarları");
        EXPECT_EQ(w->text(0), "LPT1");
        EXPECT_EQ(w->text(1), "66");
        type(w->editor(0), device());
        key(w, Qt::Key_Escape);
    });
    key(&preview, Qt::Key_F5, Qt::AltModifier);
    EXPECT_EQ(TextPrint::read(t.install.ini()).device, "LPT1");
    EXPECT_FALSE(QFile::exists(device()));
    // A bad page length: the message, the window open, nothing written; then a good one, 17
    // characters to the inch, saved and printed at once.
    whenOpen<TfrmOnIzleDos>([this](TfrmOnIzleDos* w) {
        type(w->editor(0), device());
        if (messages.asked.isEmpty()) {
            type(w->editor(1), "0");
            key(w, Qt::Key_F2);
            EXPECT_TRUE(w->isVisible());
            return;
        }
        type(w->editor(1), "40");
        w->editor(1)->setFocus();
        w->pitch()->button(1)->click();
        EXPECT_EQ(QApplication::focusWidget(), w->editor(0));
        key(w, Qt::Key_F2);
    });
    key(&preview, Qt::Key_F5, Qt::AltModifier);
    ASSERT_EQ(messages.asked.size(), 1);
    EXPECT_TRUE(messages.asked[0].startsWith("Sayfa boyu 1 ile 254 arasında"));
    const TextPrint::Settings saved = TextPrint::read(t.install.ini());
    EXPECT_EQ(saved.device, device());
    EXPECT_EQ(saved.pageLines, "40");
    EXPECT_EQ(saved.pitch, 1);
    EXPECT_EQ(readAll(device()), TextPrint::stream(preview.pages(), 1, 40));
}

TEST_F(TextPrintWindow, EscStopsAPrintThePrinterHasStoppedTaking)
{
    // A printer that takes what its buffer holds and then no more, as one out of paper.
    const QString pipe = t.dir.filePath("lp0");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const int printer = ::open(QFile::encodeName(pipe).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(printer, 0);
    settings(pipe, "66", 0);
    TfrmOnIzle preview(*shell, pagesOf(40, 60));
    preview.show();
    // The window's activation moves the focus, and a focus change writes the hint panel: let it
    // happen before the print writes its state there.
    preview.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&preview));
    QCoreApplication::processEvents();
    const QByteArray whole = TextPrint::stream(preview.pages(), 0, 66);
    // Esc once the bytes are going out and the printer has stopped taking them; a busy machine
    // may take a while to get there.
    QString shownWhilePrinting;
    QTimer watch;
    watch.setInterval(20);
    int seen = 0, ticks = 0;
    QObject::connect(&watch, &QTimer::timeout, &preview, [&] {
        // Esc at the latest after 20 s, so that a print that never showed its state fails here
        // instead of waiting for the printer for ever.
        if (++ticks < 1000) {
            if (preview.statusText(1) != "Dos yazıcısına yazılıyor... (Esc: vazgeç)") return;
            if (++seen == 1) {
                // The focus coming back meanwhile (the window activated late on a busy machine)
                // leaves the print's state where it is.
                if (QWidget* focused = QApplication::focusWidget()) {
                    focused->clearFocus();
                    focused->setFocus();
                }
            }
            if (seen < 10) return; // 200 ms of a full pipe
        }
        watch.stop();
        shownWhilePrinting = preview.statusText(1);
        EXPECT_FALSE(preview.commandButton("Dos")->isEnabled());
        key(&preview, Qt::Key_Escape);
    });
    watch.start();
    key(&preview, Qt::Key_F5);
    EXPECT_EQ(shownWhilePrinting, "Dos yazıcısına yazılıyor... (Esc: vazgeç)");
    EXPECT_EQ(preview.statusText(1), "Dos yazıcısına yazma durduruldu");
    EXPECT_TRUE(messages.asked.isEmpty());
    EXPECT_TRUE(preview.isVisible()); // Esc stopped the print, not the preview
    EXPECT_TRUE(preview.commandButton("Dos")->isEnabled());
    QByteArray taken(whole.size(), '\0');
    const ssize_t n = ::read(printer, taken.data(), size_t(taken.size()));
    ::close(printer);
    EXPECT_GT(n, 0);
    EXPECT_LT(n, whole.size());
    EXPECT_TRUE(whole.startsWith(taken.left(n)));
}
