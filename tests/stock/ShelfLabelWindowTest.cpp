#include "StockBooks.h"
#include "app/TableModel.h"
#include "printing/OnIzle.h"
#include "stock/PifAna.h"
#include "store/IniFile.h"
#include "support/WindowTest.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLineEdit>
#include <QTableView>

namespace {

class ShelfLabelWindow : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        StockBooks books{*company};
        books.card("A1", "Çay");
        books.card("B2", "Şeker");
        books.card("C3", "Bal");
    }
    static void open(TfrmPifAna& w)
    {
        w.prepare();
        w.show();
        w.activateWindow();
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(ShelfLabelWindow, FieldsRoundTheRingPageFieldsStayWholeAndEscKeepsTheSheet)
{
    t.install.ini().writeString("ETIKET1", "KOLON", "3");
    TfrmPifAna w(*shell);
    open(w);
    EXPECT_EQ(w.windowTitle(), "[-ABC-Deneme Ltd.-]  Etiket basımı");
    EXPECT_EQ(w.page[ShelfLabels::Kolon].edit()->text(), "3");
    EXPECT_EQ(QApplication::focusWidget(), w.codes.from.edit());
    EXPECT_EQ(w.grid()->model()->rowCount(), 3);
    // Up in the first field goes to the last, Enter in the last to the first.
    QLineEdit* last = w.page[ShelfLabels::EGenis].edit();
    key(&w, Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), last);
    // A page field holding "4a" becomes whole at the next key.
    last->setText("4a");
    QTest::keyClick(last, Qt::Key_5);
    EXPECT_EQ(last->text(), "05");
    last->selectAll();
    QTest::keyClicks(last, "100");
    EXPECT_EQ(last->text(), "100");
    key(&w, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w.codes.from.edit());

    // A choice sends the focus back to the field last entered.
    QLineEdit* margin = w.page[ShelfLabels::Sol].edit();
    margin->setFocus();
    w.kdv.group()->button(0)->click();
    EXPECT_EQ(QApplication::focusWidget(), margin);

    // F5: only the cards up to B2 stay in the grid.
    w.codes.to.setText("B2");
    key(&w, Qt::Key_F5);
    EXPECT_EQ(w.grid()->model()->rowCount(), 2);

    // A sheet that cannot hold the labels: the notice, no preview.
    w.page[ShelfLabels::Kolon].setText("0");
    key(&w, Qt::Key_F2);
    EXPECT_EQ(messages.asked.back(), "Etiket ölçüleri hatalı / Kolon sayısı en az 1 olmalı.");
    // Esc keeps the sheet and the choices; the second price is not kept.
    w.page[ShelfLabels::Kolon].setText("1");
    w.second.group()->button(2)->click();
    key(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    IniFile ini(t.install.usersIniPath());
    EXPECT_EQ(ini.readString("ETIKET1", "KOLON"), "1");
    EXPECT_EQ(ini.readString("ETIKET1", "EGENIS"), "100");
    EXPECT_EQ(ini.readString("ETIKET1", "rgKdv"), "0");
}

TEST_F(ShelfLabelWindow, ThePreviewShowsALabelForEachCardOfTheFilter)
{
    TfrmPifAna w(*shell);
    open(w);
    w.codes.from.setText("B2");
    int pages = -1;
    whenOpen<TfrmOnIzle>([&pages](TfrmOnIzle* preview) {
        pages = preview->pageCount();
        key(preview, Qt::Key_Escape);
    });
    key(&w, Qt::Key_F2);
    EXPECT_EQ(pages, 1); // B2 and C3 side by side
    EXPECT_TRUE(messages.asked.isEmpty());
}
