#include "customers/CarHar.h"
#include "customers/CarHarG.h"
#include "customers/CarKart.h"
#include "customers/CarKartG.h"
#include "customers/CariEkstreR.h"
#include "customers/CariHareketR.h"
#include "customers/CariListe.h"
#include "customers/CariListeR.h"
#include "customers/CustomerCodes.h"
#include "customers/CustomerLedger.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/Table.h"
#include "support/Installation.h"
#include "support/QtPrinters.h"
#include "support/ScriptedMessages.h"
#include "support/TypeText.h"
#include "support/WindowTest.h"
#include "widgets/TZemrakEdit.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

class CustomerWindows : public WindowTest {
protected:
    qint64 card(const QString& code, double risk = 0)
    {
        Table& cari = company->table("Cari");
        cari.append();
        cari["CariNo"] = code;
        cari["Unvani"] = "Ünvan " + code;
        cari["RiskLimiti"] = risk;
        cari.post();
        return cari.currentId();
    }
};

} // namespace

TEST_F(CustomerWindows, CardCodesStayUnique)
{
    card("120.01");
    Table& cari = company->table("Cari");
    TfrmCarKartG fresh(*shell, cari, TfrmCarKartG::Mode::New);
    fresh.prepare();
    fresh.show();
    QApplication::processEvents();
    QTest::keyClicks(fresh.editor(0), "120.01");
    EXPECT_EQ(fresh.text(0), "120.01");
    EXPECT_TRUE(company->CustomerCodeExists("120.01"));
    key(&fresh, Qt::Key_F2);
    EXPECT_TRUE(fresh.isVisible()); // refused, typed values kept
    ASSERT_EQ(messages.asked.size(), 1);
    EXPECT_EQ(messages.asked.front(),
              "Cari kart nosu başka bir karta verilmiş / lütfen değiştiriniz !");
    static_cast<QLineEdit*>(fresh.editor(0))->setText("120.02");
    typeText(fresh.editor(1), "Çınar Gıda");
    fresh.setKind(3);
    key(&fresh, Qt::Key_F2);
    EXPECT_FALSE(fresh.isVisible());
    EXPECT_EQ(cari["CariNo"].asString(), "120.02");
    EXPECT_EQ(cari["CariDurum"].asInteger(), 3);

    // Editing keeps the (locked) code, which CustomerCodeExists would find.
    TfrmCarKartG edit(*shell, cari, TfrmCarKartG::Mode::Edit);
    edit.prepare();
    edit.show();
    QApplication::processEvents();
    EXPECT_FALSE(edit.editor(0)->isEnabled());
    EXPECT_EQ(edit.windowTitle(), "[-ABC-Deneme Ltd.-]  Eski Cari Kart [120.02-Çınar Gıda]");
    EXPECT_EQ(edit.summaryText(2, 3), "0.00"); // no movements: zero everywhere
    static_cast<QLineEdit*>(edit.editor(2))->setText("Ali Veli");
    key(&edit, Qt::Key_F2);
    EXPECT_FALSE(edit.isVisible());
    EXPECT_EQ(cari["Yetkili"].asString(), "Ali Veli");
    EXPECT_EQ(messages.asked.size(), 1);
}

TEST_F(CustomerWindows, MovementsOpenOnTheCardChosenFromTheList)
{
    card("120.01");
    const qint64 second = card("120.02");
    card("120.03");
    whenOpen<TfrmCariListe>([second](TfrmCariListe* list) {
        list->table().gotoId(second);
        key(list, Qt::Key_F2);
    });
    QString title;
    whenOpen<TfrmCarHar>([&title](TfrmCarHar* window) {
        title = window->windowTitle();
        key(window, Qt::Key_Escape);
    });
    TfrmCarHar::open(*shell, nullptr);
    EXPECT_TRUE(title.contains("[120.02 : Ünvan 120.02]")) << title.toStdString();
}

TEST_F(CustomerWindows, CardWithMovementsIsNotDeleted)
{
    const qint64 id = card("C1");
    CustomerLedger(*company).post(
        CustomerMovement{QDate(2026, 1, 1), {}, {}, {}, {}, 10, 0, 0, 0, Kaynak::FA, id});
    TfrmCarKart list(*shell);
    list.prepare();
    list.show();
    QApplication::processEvents();
    messages.answers = {1, 1};
    key(&list, Qt::Key_F4);
    ASSERT_GE(messages.asked.size(), 1);
    EXPECT_EQ(messages.asked.last(), "Cari kart üzerinde hareket var / iptal edilemez !");
    EXPECT_EQ(company->table("Cari").recordCount(), 1);
}

TEST_F(CustomerWindows, MovementEntryRules)
{
    const qint64 id = card("M1");
    TfrmCarHarG window(*shell, id, 0);
    window.prepare();
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(window.windowTitle(), "[-ABC-Deneme Ltd.-]  Yeni Cari hareket");
    static_cast<QLineEdit*>(window.editor(TfrmCarHarG::Tipi))->setText("X");
    window.editor(TfrmCarHarG::Tipi)->setFocus();
    window.editor(TfrmCarHarG::BirimF)->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(window.text(TfrmCarHarG::Tipi), "B"); // anything but "A" is a debit
    {
        // Reached with the keyboard, the full one-character field is overtyped; a code field
        // types capitals without losing its selection.
        auto* tipi = static_cast<QLineEdit*>(window.editor(TfrmCarHarG::Tipi));
        tipi->setFocus(Qt::TabFocusReason);
        QTest::keyClick(tipi, Qt::Key_A);
        EXPECT_EQ(tipi->text(), "A");
        tipi->selectAll();
        QTest::keyClick(tipi, Qt::Key_I);
        EXPECT_EQ(tipi->text(), "İ");
        tipi->setText("B");
    }
    window.editor(TfrmCarHarG::BirimF)->setFocus();
    QTest::keyClicks(window.editor(TfrmCarHarG::BirimF), "12,345");
    static_cast<TZemrakEdit*>(window.editor(TfrmCarHarG::Adet))->setAsFloat(3);
    EXPECT_DOUBLE_EQ(window.value(TfrmCarHarG::Borc).toDouble(), 37.04);
    EXPECT_DOUBLE_EQ(window.value(TfrmCarHarG::Alacak).toDouble(), 0);
    window.editor(TfrmCarHarG::Alacak)->setFocus();
    key(&window, Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), window.editor(TfrmCarHarG::Adet));
    window.editor(TfrmCarHarG::Alacak)->setFocus();
    key(&window, Qt::Key_Return); // Enter in "Alacak" saves
    EXPECT_FALSE(window.isVisible());
    Table& har = company->table("CarHar");
    ASSERT_TRUE(CompanyData::SeekBackById(har, window.savedId()));
    EXPECT_DOUBLE_EQ(har["Borc"].asFloat(), 37.04);
    EXPECT_EQ(har["Kaynak"].asString(), "CA");
    EXPECT_EQ(har["CariNo"].asString(), "M1");
}

TEST_F(CustomerWindows, MovementWindowEditsHandEntriesOnlyAndWarnsOncePerCommand)
{
    const qint64 id = card("W1", 500);
    CustomerLedger ledger(*company);
    ledger.post(
        CustomerMovement{QDate(2026, 1, 1), {}, "F1", {}, {}, 1000, 0, 0, 0, Kaynak::FA, id});
    Table& cari = company->table("Cari");
    ASSERT_TRUE(CompanyData::SeekBackById(cari, id));
    TfrmCarHar window(*shell);
    window.prepare(); // the first showing warns once
    window.show();
    QApplication::processEvents();
    ASSERT_EQ(messages.asked.size(), 1);
    EXPECT_EQ(messages.asked.front(), "Ünvan W1 risk limiti 500.00 TL / bakiye 1,000.00 TL");
    EXPECT_EQ(window.totalText(2), "1,000.00");
    window.activateWindow(); // activations do not repeat it
    QApplication::processEvents();
    EXPECT_EQ(messages.asked.size(), 1);

    messages.answers = {1, 1};
    key(&window, Qt::Key_F3);
    ASSERT_GE(messages.asked.size(), 2);
    EXPECT_EQ(messages.asked[1], "Kaynak program cari hareket değil / DÜZELTME işlemi yapılamaz !");
    key(&window, Qt::Key_F4);
    EXPECT_EQ(messages.asked[3], "Kaynak program cari hareket değil / İPTAL işlemi yapılamaz");
    EXPECT_EQ(company->table("CarHar").recordCount(), 1);
    // Each command ended with one warning (the customer is still over the limit).
    EXPECT_EQ(messages.asked.size(), 5);

    // A hand-entered movement of another customer stays out of this window after a delete.
    const qint64 other = card("W2");
    ledger.post(
        CustomerMovement{QDate(2026, 1, 2), {}, "X", {}, {}, 5, 0, 0, 0, Kaynak::CA, other});
    const qint64 own = ledger.post(
        CustomerMovement{QDate(2026, 1, 3), {}, "Y", {}, {}, 7, 0, 0, 0, Kaynak::CA, id});
    window.reload();
    EXPECT_EQ(window.model()->rowCount(), 2);
    ASSERT_TRUE(window.table().gotoId(own));
    window.reload();
    messages.answers = {1, 1};
    key(&window, Qt::Key_F4);
    EXPECT_EQ(window.model()->rowCount(), 1);
    EXPECT_EQ(window.table().recordCount(), 1); // still only this customer's movements
}

TEST_F(CustomerWindows, ReportWindowsStartWithTheirChoices)
{
    card("A1");
    card("Z9");
    TfrmCariListeR list(*shell);
    list.prepare();
    EXPECT_EQ(list.criteria.codes.from.text(), "A1"); // first and last code
    EXPECT_EQ(list.criteria.codes.to.text(), "Z9");
    EXPECT_TRUE(list.pages().plainText().contains("Listelenen 2 adet"));
    list.criteria.codes.to.setText("A1");
    EXPECT_TRUE(list.pages().plainText().contains("Listelenen 1 adet"));

    shell->workingYear = 2026;
    TfrmCariHareketR movements(*shell);
    EXPECT_EQ(movements.dates.from.text(), "01.01.2026");
    EXPECT_EQ(movements.dates.to.text(), "31.12.2026");
    EXPECT_FALSE(movements.customer.edit()->isEnabled());
    movements.which.choose(1);
    EXPECT_TRUE(movements.customer.edit()->isEnabled());
    movements.customer.setText("yok");
    EXPECT_THROW(movements.pages(), AppError);

    TfrmCariEkstreR statement(*shell);
    statement.customer.setText("A1");
    EXPECT_EQ(statement.customer.title(), "Ünvan A1"); // the title shows beside the code
    EXPECT_TRUE(statement.pages().plainText().contains("Cari Kart Nosu : A1"));
}

TEST_F(CustomerWindows, CustomerCodeFieldRule)
{
    card("120.01");
    card("120.01"); // two cards with one code: the later one counts
    const qint64 later = company->table("Cari").currentId();
    QWidget window;
    auto* code = new QLineEdit(&window);
    auto* title = new QLabel(&window);
    auto* next = new QLineEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(code);
    layout->addWidget(title);
    layout->addWidget(next);
    CodeField field(*shell, code, customerCodes(), title);
    window.show();
    QApplication::processEvents();
    code->setFocus();
    code->setText("120.01");
    next->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(field.id(), later);
    EXPECT_EQ(title->text(), "Ünvan 120.01");

    code->setFocus();
    code->setText("999");
    messages.answers = {0};
    next->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(field.id(), 0);
    EXPECT_TRUE(title->text().isEmpty());
    ASSERT_FALSE(messages.asked.isEmpty());
    ASSERT_GE(messages.asked.size(), 1);
    EXPECT_EQ(messages.asked.last(), "Cari kart nosu bulunamadı / Yeni kart açılsın mı?");
    EXPECT_EQ(QApplication::focusWidget(), code); // back to the code
}

TEST_F(CustomerWindows, LeavingTheLastMemoSavesTheCard)
{
    Table& cari = company->table("Cari");
    TfrmCarKartG window(*shell, cari, TfrmCarKartG::Mode::New);
    window.prepare();
    window.show();
    QApplication::processEvents();
    QTest::keyClicks(window.editor(0), "T1");
    QWidget* memo = window.editor("Istihbarat");
    memo->setFocus();
    QApplication::processEvents();
    QTest::keyClick(memo, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(company->CustomerCodeExists("T1"));
}

TEST_F(CustomerWindows, PickListsOpenOnTheCardInTheFieldNotOnTheFirst)
{
    for (const char* code : {"A1", "B2", "C3", "D4", "E5"})
        card(code);
    company->table("Cari").first();
    TfrmCariEkstreR statement(*shell);
    statement.prepare();
    statement.show();
    QApplication::processEvents();
    statement.customer.setText("D4");
    statement.customer.edit()->setFocus();
    QString openedOn;
    QTimer::singleShot(0, [&] {
        if (auto* list = qobject_cast<TfrmCariListe*>(QApplication::activeModalWidget())) {
            openedOn = list->table()["CariNo"].asString();
            QTest::keyClick(list, Qt::Key_Escape);
        }
    });
    key(&statement, Qt::Key_F6);
    EXPECT_EQ(openedOn, "D4");
    EXPECT_EQ(statement.customer.text(), "D4"); // Esc took no card
}
