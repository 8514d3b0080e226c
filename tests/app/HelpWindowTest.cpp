#include "app/Notlar.h"
#include "app/Yardim.h"
#include "store/Cp1254.h"
#include "store/NotesFile.h"
#include "support/TypeText.h"
#include "support/WindowTest.h"

#include <QFile>
#include <QPlainTextEdit>

namespace {

class HelpWindows : public WindowTest {};

} // namespace

TEST_F(HelpWindows, HelpShowsTheWindowsSectionAndOnlyEscLeavesIt)
{
    QFile file(t.dir.filePath("Yardim.hl1"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Cp1254::encode(QStringLiteral("[frmDeneme]\r\n01=Birinci satır\r\n02=İkinci\r\n")));
    file.close();
    QDialog active;
    active.setObjectName("frmDeneme");
    active.setWindowTitle("Deneme penceresi");
    TfrmYardim help(t.install.programDir(), &active);
    EXPECT_EQ(help.windowTitle(), "Yardım - Deneme penceresi");
    EXPECT_EQ(help.text(), "Birinci satır\nİkinci");
    help.show();
    QApplication::processEvents();
    auto* memo = help.findChild<QPlainTextEdit*>();
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->isReadOnly());
    QTest::keyClicks(memo, "xyz");
    QTest::keyClick(memo, Qt::Key_Return);
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.text(), "Birinci satır\nİkinci");
    QTest::keyClick(memo, Qt::Key_Escape);
    EXPECT_FALSE(help.isVisible());

    // A window without a section: an empty help with its caption.
    QDialog other;
    other.setObjectName("frmBaska");
    other.setWindowTitle("Başka");
    TfrmYardim empty(t.install.programDir(), &other);
    EXPECT_EQ(empty.windowTitle(), "Yardım - Başka");
    EXPECT_EQ(empty.text(), "");

    // Alt+F1 without the pages: told, nothing opened.
    showBrowserHelp(*shell, nullptr);
    ASSERT_EQ(messages.asked.size(), 1);
    EXPECT_TRUE(messages.asked.front().startsWith("Yardım sayfası bulunamadı / "));
}

TEST_F(HelpWindows, NotesAskBeforeLosingAChange)
{
    writeNotes(t.install.programDir(), "Eski not");
    {
        TfrmNotlar notes(*shell);
        notes.prepare();
        notes.show();
        QApplication::processEvents();
        EXPECT_EQ(notes.editor()->toPlainText(), "Eski not");
        notes.editor()->selectAll();
        notes.editor()->setFocus();
        typeText(notes.editor(), "Yeni not: Şükrü Bey, İğdır");
        messages.answers = {1};
        key(&notes, Qt::Key_Escape);
        EXPECT_EQ(messages.asked, QStringList({"Notlar değiştirildi / Kaydedilsin mi?"}));
    }
    EXPECT_EQ(readNotes(t.install.programDir()), "Yeni not: Şükrü Bey, İğdır");
    // Unchanged: Esc leaves without asking.
    messages.asked.clear();
    TfrmNotlar again(*shell);
    again.prepare();
    again.show();
    QApplication::processEvents();
    key(&again, Qt::Key_Escape);
    EXPECT_TRUE(messages.asked.isEmpty());
    EXPECT_FALSE(again.isVisible());
}
