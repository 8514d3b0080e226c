#include "app/MessageWindow.h"
#include "support/QtPrinters.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

int answerWith(MessageWindow::Kind kind, int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    MessageWindow window(kind, "Cari kartı silmek istediğinize", "emin misiniz ?", "Cari Kartlar");
    window.show();
    QApplication::processEvents();
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &window,
                    Qt::Key(key), mods);
    return window.isVisible() ? -1 : window.result();
}

} // namespace

TEST(MessageWindow, ConfirmAnswersByKey)
{
    EXPECT_EQ(answerWith(MessageWindow::Kind::Confirm, Qt::Key_F2), 1);
    EXPECT_EQ(answerWith(MessageWindow::Kind::Confirm, Qt::Key_Escape), 0);
    // Enter presses the focused button, which is "Hayır [Esc]".
    EXPECT_EQ(answerWith(MessageWindow::Kind::Confirm, Qt::Key_Return), 0);
    EXPECT_EQ(answerWith(MessageWindow::Kind::Notice, Qt::Key_Return), 1);
    EXPECT_EQ(answerWith(MessageWindow::Kind::Notice, Qt::Key_Escape), 0);
    EXPECT_EQ(answerWith(MessageWindow::Kind::Confirm, Qt::Key_F4, Qt::AltModifier), -1);
}

TEST(MessageWindow, LooksAsItShould)
{
    MessageWindow window(MessageWindow::Kind::Confirm, "Birinci satır", "İkinci satır", "Başlık");
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(window.windowTitle(), "Başlık");
    const auto buttons = window.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 2);
    EXPECT_EQ(buttons[0]->text(), "Evet [F2]");
    EXPECT_EQ(buttons[1]->text(), "Hayır [Esc]");
    EXPECT_EQ(QApplication::focusWidget(), buttons[1]);
    EXPECT_FALSE(window.close()); // the window manager's close (Alt+F4) is refused
    EXPECT_TRUE(window.isVisible());
}
