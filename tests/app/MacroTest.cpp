#include "app/Desktop.h"
#include "app/EntryWindow.h"
#include "app/Makro.h"
#include "store/IniFile.h"
#include "store/InstallSettings.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/TypeText.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class MacroTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    InstallSettings install{dir.path()};
    ScriptedMessages messages;
    Shell shell{install, messages};

    void SetUp() override
    {
        install.setMacro('A', "Sayın müşterimiz");
        install.setMacro('Z', "");
    }

    std::unique_ptr<EntryWindow> window()
    {
        auto w = std::make_unique<EntryWindow>(
            shell, "Deneme",
            std::vector<FieldSpec>{{"Metin : ", "", EditorKind::Text, 0, ""},
                                   {"Not : ", "", EditorKind::Memo, 0, ""},
                                   {"Tutar : ", "", EditorKind::Money, 2, ""}},
            nullptr, nullptr, false);
        w->prepare();
        w->show();
        QApplication::processEvents();
        return w;
    }
};

} // namespace

TEST_F(MacroTest, PastesIntoEditsAndAppendsToMemos)
{
    auto w = window();
    auto* line = static_cast<QLineEdit*>(w->editor(0));
    line->setText("Merhaba ");
    line->setFocus();
    QTest::keyClick(line, Qt::Key_A, Qt::ShiftModifier);
    EXPECT_EQ(line->text(), "Merhaba Sayın müşterimiz");
    EXPECT_EQ(QApplication::clipboard()->text(), "Sayın müşterimiz");
    QTest::keyClick(line, Qt::Key_Z, Qt::ShiftModifier); // an empty macro changes nothing here
    EXPECT_EQ(line->text(), "Merhaba Sayın müşterimiz");
    QTest::keyClick(line, Qt::Key_Q, Qt::ShiftModifier); // Q has no macro: it types as usual
    EXPECT_EQ(line->text().toUpper(), "MERHABA SAYIN MÜŞTERIMIZQ");

    auto* memo = static_cast<QPlainTextEdit*>(w->editor(1));
    memo->setPlainText("ilk satır");
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_A, Qt::ShiftModifier);
    EXPECT_EQ(memo->toPlainText(), "ilk satır\nSayın müşterimiz");
    QTest::keyClick(memo, Qt::Key_Z, Qt::ShiftModifier);
    EXPECT_EQ(memo->toPlainText(), "ilk satır\nSayın müşterimiz\n");
    EXPECT_EQ(QApplication::clipboard()->text(), "");
}

TEST_F(MacroTest, MacroWindowShowsAndSavesAllLetters)
{
    TfrmMakro window(shell);
    window.prepare();
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(window.windowTitle(), "Makro tanımları");
    ASSERT_EQ(window.editorCount(), 23);
    EXPECT_EQ(window.text(0), "Sayın müşterimiz");
    const auto labels = window.findChildren<QLabel*>();
    QStringList captions;
    for (QLabel* label : labels)
        captions << label->text();
    EXPECT_TRUE(captions.contains("Shift + A : "));
    EXPECT_TRUE(captions.contains("Shift + Z : "));
    EXPECT_FALSE(captions.contains("Shift + Q : "));
    EXPECT_EQ(QApplication::focusWidget(), window.editor(0));
    QTest::keyClick(window.editor(0), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), window.editor(1));
    QTest::keyClicks(window.editor(1), "bedel");
    QTest::keyClick(window.editor(1), Qt::Key_F2);
    EXPECT_FALSE(window.isVisible());
    const IniFile ini(install.usersIniPath());
    EXPECT_EQ(ini.readString("MAKRO", "mnuB"), "bedel");
    EXPECT_EQ(ini.readString("MAKRO", "mnuA"), "Sayın müşterimiz");
    EXPECT_TRUE(ini.hasKey("MAKRO", "mnuY")); // empty ones are written too
}

TEST_F(MacroTest, EscapeLeavesTheMacrosAsTheyWere)
{
    TfrmMakro window(shell);
    window.prepare();
    window.show();
    QApplication::processEvents();
    typeText(window.editor(0), "değişti");
    QTest::keyClick(window.editor(0), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(InstallSettings(dir.path()).macro('A'), "Sayın müşterimiz");
}

TEST_F(MacroTest, WithMakrotusuOneShiftTypesCapitalsAndCtrlShiftRunsTheMacro)
{
    IniFile users(install.usersIniPath());
    users.writeString("SERVER", "MAKROTUSU", "1");
    install.reload();
    auto w = window();
    auto* line = static_cast<QLineEdit*>(w->editor(0));
    line->setFocus();
    QTest::keyClicks(line, "AB", Qt::ShiftModifier); // as Shift + a, Shift + b type them
    EXPECT_EQ(line->text(), "AB");
    QTest::keyClick(line, Qt::Key_A, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(line->text(), "ABSayın müşterimiz");
}

TEST(Desktop, QtSpeaksTurkishAndPasswordsShowStars)
{
    auto& app = *static_cast<QApplication*>(QCoreApplication::instance());
    ASSERT_TRUE(Desktop::installTurkishTranslations(app))
        << "Qt's Turkish translation (qt6-translations-l10n) is not installed";
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "İptal");
    Desktop::usePasswordStars(app);
    QLineEdit password;
    password.setEchoMode(QLineEdit::Password);
    EXPECT_EQ(
        password.style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, &password),
        '*');
    EXPECT_FALSE(Desktop::switchLocksOn()); // headless: no X11 keyboard to switch
}
