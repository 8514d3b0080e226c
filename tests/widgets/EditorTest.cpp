#include "support/QtPrinters.h"
#include "widgets/ProDbGrid.h"
#include "widgets/TZREdit.h"
#include "widgets/TZemrakEdit.h"
#include "widgets/TZemrakSEdit.h"
#include "widgets/ZRBarkod.h"

#include <QStandardItemModel>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// A window with the editor under test and a second field to move the focus to.
struct Host {
    QWidget window;
    QLineEdit other;
    explicit Host(QWidget* editor)
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(editor);
        layout->addWidget(&other);
        window.show();
        editor->setFocus();
        QApplication::processEvents();
    }
};

} // namespace

TEST(TZemrakSEdit, KeySequencesOfTheKeypad)
{
    auto* edit = new TZemrakSEdit;
    edit->setDecimals(2);
    Host host(edit);
    EXPECT_EQ(edit->text(), "0.00");
    QTest::keyClicks(edit, "1234");
    EXPECT_EQ(edit->text(), "1,234.00");
    QTest::keyClicks(edit, ",5");
    EXPECT_EQ(edit->text(), "1,234.50");
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), "1,234.00");
    QTest::keyClicks(edit, ",5");
    QTest::keyClick(edit, Qt::Key_Space);
    EXPECT_EQ(edit->text(), "1,234,500.00");
    QTest::keyClick(edit, Qt::Key_Minus);
    EXPECT_EQ(edit->text(), "1,234,500.00");
    EXPECT_DOUBLE_EQ(edit->asFloat(), 1234500);
    EXPECT_EQ(edit->cursorPosition(), int(edit->text().size()) - 1); // same distance from the end
}

TEST(TZemrakEdit, WrittenWithThousandsOnLeaving)
{
    auto* edit = new TZemrakEdit;
    Host host(edit);
    const auto leaveWith = [&](const QString& text) {
        edit->setFocus();
        edit->setText(text);
        host.other.setFocus();
        QApplication::processEvents();
        return edit->text();
    };
    EXPECT_EQ(leaveWith("-1234.5"), "-1,234.5");
    EXPECT_EQ(leaveWith(""), "0");
    EXPECT_EQ(leaveWith("12."), "12");
    edit->setFocus();
    QApplication::processEvents();
    edit->setText("");
    QTest::keyClicks(edit, "1a2.3.4-");
    EXPECT_EQ(edit->text(), "12.34"); // letters, a second "." and "-" are refused
    edit->setEditStyle(TZemrakEdit::esInteger);
    edit->setText("");
    QTest::keyClicks(edit, "5.6");
    EXPECT_EQ(edit->text(), "56");
}

TEST(TZREdit, RefusesCharactersBeyondItsLength)
{
    auto* edit = new TZREdit;
    edit->setUzunluk(8);
    Host host(edit);
    QTest::keyClicks(edit, "ABCDEFGHIJ");
    EXPECT_EQ(edit->text(), "ABCDEFGH");
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), "ABCDEFG");

    // Full, with its text selected as Enter leaves it: the typed character replaces it.
    auto* type = new TZREdit;
    type->setUzunluk(1);
    Host one(type);
    type->setText("B");
    type->selectAll();
    QTest::keyClick(type, Qt::Key_A, Qt::NoModifier);
    EXPECT_EQ(type->text(), "a");
    // A selection made with the keyboard in a full field: replaced by what is typed.
    edit->setText("ABCDEFGH");
    edit->setCursorPosition(2);
    QTest::keyClick(edit, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(edit, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClicks(edit, "X");
    EXPECT_EQ(edit->text(), "ABXEFGH");
}

TEST(TProDbGrid, EnterOnTheLastCellAppendsARow)
{
    QStandardItemModel model(2, 3);
    auto* grid = new TProDbGrid;
    grid->setModel(&model);
    Host host(grid);
    grid->setCurrentIndex(model.index(0, 0));
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(grid->currentIndex(), model.index(0, 1));
    QTest::keyClick(grid, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(grid->currentIndex(), model.index(0, 2));
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(grid->currentIndex(), model.index(1, 0));
    grid->setCurrentIndex(model.index(1, 2));
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(grid->currentIndex(), model.index(2, 0));

    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(model.rowCount(), 3); // Ctrl+Delete only when allowed
    grid->KayitSilinsinMi = true;
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(model.rowCount(), 2);
}

TEST(NumberCellDelegate, MinusTurnsTheSignAndEBecomesAnExponent)
{
    NumberCellDelegate delegate;
    QWidget parent;
    std::unique_ptr<QWidget> editor(
        delegate.createEditor(&parent, QStyleOptionViewItem(), QModelIndex()));
    auto* line = static_cast<QLineEdit*>(editor.get());
    parent.show();
    line->setFocus();
    QTest::keyClicks(line, "12.5");
    QTest::keyClick(line, Qt::Key_Minus);
    EXPECT_EQ(line->text(), "-12.5");
    QTest::keyClicks(line, "-e3x.");
    EXPECT_EQ(line->text(), "12.5E3");
}

TEST(TZRBarkod, ShowsTheSymbolOrItsError)
{
    TZRBarkod picture;
    picture.resize(200, 50);
    EXPECT_EQ(picture.Bar_Metin(), "PRO");
    EXPECT_EQ(picture.Bar_Tip(), TZemrakBarkod::bcCode39);
    EXPECT_FALSE(picture.symbol().isNull());
    picture.setBar_Tip(TZemrakBarkod::bcCodeEAN13);
    picture.setBar_Metin("8690101110016");
    EXPECT_EQ(picture.symbol().width(), 95);
    EXPECT_EQ(picture.symbol().height(), 50);
    picture.setBar_Metin("86901A");
    EXPECT_TRUE(picture.symbol().isNull());
    EXPECT_EQ(picture.text(), "Barcode must be numeric");
}
