#include "app/EntryWindow.h"
#include "app/ListWindow.h"
#include "app/PickList.h"
#include "store/CommandTransaction.h"
#include "store/InstallSettings.h"
#include "store/Table.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/TypeText.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class CountingList : public ListWindow {
public:
    using ListWindow::ListWindow;
    int news = 0, edits = 0;

protected:
    void newRecord() override
    {
        ++news;
        table().append();
        table()["Kodu"] = QStringLiteral("K%1").arg(news);
        table()["Tarih"] = QDate(2025, 1, 1);
        table().post();
    }
    void editRecord() override { ++edits; }
};

class FormTest : public ::testing::Test {
protected:
    StoreFixture fx;
    std::unique_ptr<Connection> db;
    std::unique_ptr<Table> table;
    InstallSettings install{fx.path()};
    ScriptedMessages messages;
    Shell shell{install, messages};

    void SetUp() override
    {
        db = fx.connect();
        db->createTable(sampleTableDef());
        table = std::make_unique<Table>(*db, "Kart");
        table->open();
        shell.companyIsOpen = true;
        shell.activeCompanyCode = "ABC";
        shell.activeCompanyTitle = "Deneme";
    }

    std::unique_ptr<CountingList> list()
    {
        auto window = std::make_unique<CountingList>(
            shell, "Kartlar", *table,
            std::vector<GridColumn>{{"Kodu", "Kodu", 80}, {"Tutar", "Tutar", 80, "#,##0.00"}});
        window->prepare();
        window->show();
        QApplication::processEvents();
        return window;
    }

    static void key(QWidget* w, int k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w, Qt::Key(k),
                        m);
    }
};

} // namespace

TEST_F(FormTest, KeysAndButtonsRunTheSameCommands)
{
    auto window = list();
    EXPECT_EQ(window->windowTitle(), "[-ABC-Deneme-]  Kartlar");
    key(window.get(), Qt::Key_F2);
    EXPECT_EQ(window->news, 1);
    window->commandButton("Yeni")->click();
    EXPECT_EQ(window->news, 2);
    EXPECT_EQ(window->model()->rowCount(), 2);
    key(window.get(), Qt::Key_F3);
    window->commandButton("Duzeltme")->click();
    window->grid()->setFocus();
    key(window->grid(), Qt::Key_Return);
    EXPECT_EQ(window->edits, 3);
    key(window.get(), Qt::Key_F4, Qt::AltModifier);
    EXPECT_TRUE(window->isVisible()); // Alt+F4 does nothing
    EXPECT_FALSE(window->close());
    key(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(FormTest, EditAndDeleteAreOffWhileTheListIsEmpty)
{
    auto window = list();
    EXPECT_FALSE(window->commandEnabled("Duzeltme"));
    EXPECT_FALSE(window->commandButton("Iptal")->isEnabled());
    key(window.get(), Qt::Key_F3);
    key(window.get(), Qt::Key_F4);
    EXPECT_EQ(window->edits, 0);
    EXPECT_TRUE(messages.asked.isEmpty());
    key(window.get(), Qt::Key_F2);
    EXPECT_TRUE(window->commandEnabled("Duzeltme")); // refreshed after the command
}

TEST_F(FormTest, DeleteOnlyAfterTwoYesAnswers)
{
    auto window = list();
    key(window.get(), Qt::Key_F2);
    key(window.get(), Qt::Key_F2);
    messages.answers = {1, 0};
    key(window.get(), Qt::Key_F4);
    EXPECT_EQ(messages.asked.size(), 2);
    EXPECT_EQ(table->recordCount(), 2);
    messages.answers = {0};
    key(window.get(), Qt::Key_F4);
    EXPECT_EQ(messages.asked.size(), 3);
    EXPECT_EQ(table->recordCount(), 2);
    messages.answers = {1, 1};
    key(window.get(), Qt::Key_F4);
    EXPECT_EQ(table->recordCount(), 1);
    EXPECT_EQ(window->model()->rowCount(), 1);
    messages.answers = {1, 1};
    key(window.get(), Qt::Key_F4);
    EXPECT_TRUE(table->isEmpty());
    EXPECT_FALSE(window->commandEnabled("Iptal"));
}

TEST_F(FormTest, GridFollowsTheTableAndOpensOnTheLastRecord)
{
    {
        CommandTransaction tx(*db);
        for (int i = 0; i < 500; ++i) {
            table->append();
            table->fieldByName("Kodu") = QStringLiteral("K%1").arg(i, 3, 10, QLatin1Char('0'));
            table->fieldByName("Tarih") = QDate(2025, 1, 1);
            table->fieldByName("Tutar") = i * 1.5;
            table->post();
        }
        tx.commit();
    }
    table->setIndexName("Kod_1");
    auto window = list();
    window->goLast();
    EXPECT_EQ(window->grid()->currentIndex().row(), 499);
    EXPECT_EQ(window->model()->data(window->model()->index(499, 1), Qt::DisplayRole).toString(),
              "748.50");
    EXPECT_EQ(window->model()->data(window->model()->index(0, 0), Qt::DisplayRole).toString(),
              "K000");
    EXPECT_EQ(window->model()->data(window->model()->index(250, 0), Qt::DisplayRole).toString(),
              "K250");
    window->grid()->setCurrentIndex(window->model()->index(123, 0));
    EXPECT_EQ(table->fieldByName("Kodu").asString(), "K123");
    EXPECT_EQ(table->recNo(), 124);
}

TEST_F(FormTest, EntryWindowMovesThroughItsFieldsAndSaves)
{
    table->append();
    EntryWindow window(shell, "Kart bilgileri",
                       {{"Kodu : ", "Kodu", EditorKind::Code, 10, "Kart kodunu giriniz"},
                        {"Ünvanı : ", "Unvani", EditorKind::Text, 30, "Ünvanı giriniz"},
                        {"Tarih : ", "Tarih", EditorKind::Date, 0, "Tarihi giriniz"},
                        {"Tutar : ", "Tutar", EditorKind::Money, 2, "Tutarı giriniz"}},
                       table.get());
    window.prepare();
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), window.editor(0));
    EXPECT_EQ(window.statusText(1), "Kart kodunu giriniz");
    QTest::keyClicks(window.editor(0), "abc");
    key(&window, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), window.editor(1));
    EXPECT_EQ(window.statusText(1), "Ünvanı giriniz");
    key(&window, Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), window.editor(2));
    key(&window, Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), window.editor(1));
    typeText(window.editor(1), "Çağlar");
    key(&window, Qt::Key_Return);
    QTest::keyClicks(window.editor(2), "010105");
    key(&window, Qt::Key_Return);
    EXPECT_EQ(window.text(2), "01.01.2005");
    QTest::keyClicks(window.editor(3), "12,5");
    key(&window, Qt::Key_F2);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(table->fieldByName("Kodu").asString(), "ABC");
    EXPECT_EQ(table->fieldByName("Unvani").asString(), "Çağlar");
    EXPECT_EQ(table->fieldByName("Tarih").asDate(), QDate(2005, 1, 1));
    EXPECT_DOUBLE_EQ(table->fieldByName("Tutar").asFloat(), 12.5);
}

TEST_F(FormTest, LongHintsWrapAndNeverWidenTheWindow)
{
    const QString longHint =
        "Cari kart nosu aralığını giriniz; boş bırakılırsa bütün kartlar listelenir (F6)";
    EntryWindow window(shell, "Dar",
                       {{"Kodu : ", "Kodu", EditorKind::Code, 10, "Kodu"},
                        {"Ünvanı : ", "Unvani", EditorKind::Text, 30, longHint}},
                       table.get());
    window.prepare();
    window.show();
    QApplication::processEvents();
    const int width = window.width();
    key(&window, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(window.statusText(1), longHint);
    EXPECT_EQ(window.width(), width);
    // The whole hint fits in the panel's two lines.
    const QLabel* panel = nullptr;
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (label->text() == longHint) panel = label;
    ASSERT_TRUE(panel);
    EXPECT_LE(panel->fontMetrics()
                  .boundingRect(panel->contentsRect(), Qt::TextWordWrap, longHint)
                  .height(),
              panel->contentsRect().height() + 1);
}

TEST_F(FormTest, ARefusedSaveKeepsTheWindowAndWhatWasTyped)
{
    table->append();
    EntryWindow window(shell, "Kart bilgileri",
                       {{"Kodu : ", "Kodu", EditorKind::Code, 10, ""},
                        {"Tarih : ", "Tarih", EditorKind::Date, 0, ""}},
                       table.get());
    window.prepare();
    window.show();
    QApplication::processEvents();
    QTest::keyClicks(window.editor(0), "X1");
    key(&window, Qt::Key_F2); // Tarih is required
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(messages.asked.size(), 1);
    EXPECT_TRUE(messages.asked.front().contains("Tarih"));
    EXPECT_EQ(window.text(0), "X1");
    EXPECT_TRUE(table->isEmpty() || table->state() == Table::State::Insert);
    key(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(table->state(), Table::State::Browse);
}

TEST_F(FormTest, PickListTakesTheHighlightedRecord)
{
    for (int i = 0; i < 3; ++i) {
        table->append();
        table->fieldByName("Kodu") = QStringLiteral("P%1").arg(i);
        table->fieldByName("Tarih") = QDate(2025, 1, 1);
        table->post();
    }
    PickList pick(shell, "Kart listesi", *table, {{"Kodu", "Kodu", 80}});
    pick.prepare();
    pick.show();
    QApplication::processEvents();
    pick.grid()->setFocus();
    pick.grid()->setCurrentIndex(pick.model()->index(1, 0));
    key(pick.grid(), Qt::Key_Return);
    EXPECT_FALSE(pick.isVisible());
    table->gotoId(pick.chosenId());
    EXPECT_EQ(table->fieldByName("Kodu").asString(), "P1");
}

TEST_F(FormTest, HiddenShortcutsAnswerOnlyOncePrepared)
{
    int customers = 0, stocks = 0, help = 0, minimized = 0;
    shell.quickCustomerList = [&](QWidget*) { ++customers; };
    shell.quickStockList = [&](QWidget*) { ++stocks; };
    shell.helpWindow = [&](QWidget*) { ++help; };
    shell.minimizeProgram = [&](QWidget*) { ++minimized; };
    auto window = list();
    key(window.get(), Qt::Key_F9, Qt::AltModifier);
    key(window.get(), Qt::Key_F10, Qt::AltModifier);
    key(window.get(), Qt::Key_F1);
    key(window.get(), Qt::Key_F12);
    EXPECT_EQ(customers, 1);
    EXPECT_EQ(stocks, 1);
    EXPECT_EQ(help, 1);
    EXPECT_EQ(minimized, 1);
    shell.companyIsOpen = false; // the quick lists need an open company
    key(window.get(), Qt::Key_F9, Qt::AltModifier);
    key(window.get(), Qt::Key_F10, Qt::AltModifier);
    EXPECT_EQ(customers, 1);
    EXPECT_EQ(stocks, 1);

    CountingList unprepared(shell, "Kartlar", *table, {{"Kodu", "Kodu", 80}});
    unprepared.show();
    QApplication::processEvents();
    key(&unprepared, Qt::Key_F1);
    EXPECT_EQ(help, 1);
}
