#include "StockBooks.h"
#include "stock/StHar.h"
#include "stock/StHarF.h"
#include "stock/StKart.h"
#include "stock/StKartE.h"
#include "stock/StKartF.h"
#include "stock/StockCodes.h"
#include "stock/StockReportWindows.h"
#include "stock/StokL.h"
#include "store/InstallSettings.h"
#include "store/Table.h"
#include "support/QtPrinters.h"
#include "support/TypeText.h"
#include "support/WindowTest.h"
#include "widgets/TZemrakEdit.h"
#include "widgets/TZemrakSEdit.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

namespace {

class StockWindows : public WindowTest {
protected:
    std::unique_ptr<StockBooks> books;

    void SetUp() override
    {
        WindowTest::SetUp();
        books = std::make_unique<StockBooks>(*company);
    }
    void TearDown() override { books.reset(); }

    template <typename Window> void open(Window& window)
    {
        window.prepare();
        window.show();
        QApplication::processEvents();
    }
    QString degTarih(qint64 id)
    {
        return company->connection()
            .scalar("SELECT \"DegTarih\" FROM \"Stok\" WHERE \"Nosu\" = ?", {id})
            .toString();
    }
};

} // namespace

TEST_F(StockWindows, CardCodesStayUniqueAndPricesDateTheirChange)
{
    books->card("V-1", "Vida");
    Table& stok = company->table("Stok");
    {
        TfrmStKartF fresh(*shell, stok, TfrmStKartF::Mode::New);
        open(fresh);
        EXPECT_EQ(fresh.windowTitle(), "[-ABC-Deneme Ltd.-]  Yeni Stok Kartı");
        EXPECT_EQ(fresh.statusText(0), "ABC-Deneme Ltd. şirketindesiniz");
        EXPECT_EQ(fresh.catalogueGroup()->checkedId(), 1); // new cards stay out of the catalogue
        QTest::keyClicks(fresh.editor(0), "v-1");
        EXPECT_EQ(fresh.text(0), "V-1");
        key(&fresh, Qt::Key_Up); // Up in the code goes round to the last special code
        EXPECT_EQ(QApplication::focusWidget(), fresh.editor("OzelKod3"));
        key(&fresh, Qt::Key_F2);
        EXPECT_TRUE(fresh.isVisible()); // refused, what was typed is kept
        ASSERT_EQ(messages.asked.size(), 1);
        EXPECT_EQ(messages.asked.front(),
                  "Stok kart nosu başka bir karta verilmiş / lütfen değiştiriniz !");
        EXPECT_EQ(QApplication::focusWidget(), fresh.editor(0));
        static_cast<QLineEdit*>(fresh.editor(0))->setText("V-2");
        typeText(fresh.editor(1), "Çivi 3'lük");
        fresh.kindGroup()->button(3)->click();
        EXPECT_EQ(QApplication::focusWidget(), fresh.editor(1)); // a choice returns here
        fresh.pictureModeGroup()->button(1)->click();
        key(&fresh, Qt::Key_F2);
        EXPECT_FALSE(fresh.isVisible());
    }
    const qint64 id = stok.currentId();
    EXPECT_EQ(stok["Kodu"].asString(), "V-2");
    EXPECT_EQ(stok["Cinsi"].asString(), "Çivi 3'lük");
    EXPECT_EQ(stok["MlzKodu"].asInteger(), 3);
    EXPECT_EQ(stok["Katalog"].asInteger(), 1);
    EXPECT_TRUE(company->pictureFitted("STOK", id));
    EXPECT_EQ(degTarih(id), ""); // all three prices 0

    const auto edit = [&](const std::function<void(TfrmStKartF&)>& change) {
        ASSERT_TRUE(stok.gotoId(id));
        TfrmStKartF window(*shell, stok, TfrmStKartF::Mode::Edit);
        open(window);
        EXPECT_FALSE(window.editor(0)->isEnabled());
        EXPECT_EQ(QApplication::focusWidget(), window.editor(1));
        change(window);
        key(&window, Qt::Key_F2);
        EXPECT_FALSE(window.isVisible());
    };
    edit([](TfrmStKartF& w) {
        EXPECT_EQ(w.windowTitle(), "[-ABC-Deneme Ltd.-]  Eski Stok Kartı [V-2-Çivi 3'lük]");
        EXPECT_EQ(w.panelText("BAKİYE : "), "0");
        EXPECT_EQ(w.panelText("ALIŞ Fiyat : "), "0.0000");
        key(&w, Qt::Key_Up); // the code is locked: Up goes round
        EXPECT_EQ(QApplication::focusWidget(), w.editor("OzelKod3"));
        static_cast<TZemrakSEdit*>(w.editor("Fiyat2"))->setAsFloat(12.5);
    });
    EXPECT_EQ(degTarih(id), QDate::currentDate().toString(Qt::ISODate));

    // An untouched price is no change: the date stays.
    company->connection().exec("UPDATE \"Stok\" SET \"DegTarih\" = '2020-01-01', "
                               "\"Fiyat1\" = 2.67495 WHERE \"Nosu\" = ?",
                               {id});
    stok.refresh();
    edit([](TfrmStKartF& w) {
        static_cast<QLineEdit*>(w.editor("Birim"))->setText("Kutu");
        EXPECT_FALSE(w.catalogueGroup()->button(0)->isChecked());
        w.catalogueGroup()->button(0)->click();
    });
    EXPECT_EQ(degTarih(id), "2020-01-01");
    ASSERT_TRUE(stok.gotoId(id));
    EXPECT_EQ(stok["Birim"].asString(), "Kutu");
    EXPECT_EQ(stok["Katalog"].asInteger(), 0);
    EXPECT_EQ(messages.asked.size(), 1);
}

TEST_F(StockWindows, TheCardPanelShowsWhatTheMovementsSay)
{
    const qint64 id = books->card("P", "Panel");
    books->move(id, QDate(2026, 1, 2), 10, 4.5);
    books->move(id, QDate(2026, 2, 3), 0, 6.25, 3, StockKaynak::FA);
    Table& stok = company->table("Stok");
    ASSERT_TRUE(stok.gotoId(id));
    TfrmStKartF window(*shell, stok, TfrmStKartF::Mode::Edit);
    open(window);
    EXPECT_EQ(window.panelText("ALIŞ Tarih : "), "02.01.2026");
    EXPECT_EQ(window.panelText("ALIŞ Fiyat : "), "4.5000");
    EXPECT_EQ(window.panelText("SATIŞ Tutar : "), "18.75");
    EXPECT_EQ(window.panelText("En pahalı satış : "), "6.2500");
    EXPECT_EQ(window.panelText("GİREN : "), "10");
    EXPECT_EQ(window.panelText("BAKİYE : "), "7");
    key(&window, Qt::Key_Escape);
    EXPECT_EQ(stok.state(), Table::State::Browse);
}

TEST_F(StockWindows, ACardWithAnyMovementIsNotDeleted)
{
    const qint64 kept = books->card("K", "Kalır");
    books->move(kept, QDate(2026, 1, 1), 0, 1, 1, StockKaynak::FA);
    books->card("G", "Gider");
    TfrmStKart list(*shell);
    open(list);
    EXPECT_EQ(list.windowTitle(), "[-ABC-Deneme Ltd.-]  Stok Kartları");
    EXPECT_EQ(list.table().currentId(), company->table("Stok").currentId());
    ASSERT_TRUE(list.table().gotoId(kept));
    list.reload();
    messages.answers = {1, 1};
    key(&list, Qt::Key_F4);
    EXPECT_EQ(messages.asked,
              (QStringList{"Stok kartını silmek istediğinize / emin misiniz ?",
                           "Stok kartı bilgilerini tamamıyla kaybedeceksiniz / emin misiniz ?",
                           "Stok kartı üzerinde hareket var / iptal edilemez !"}));
    EXPECT_TRUE(company->StockCodeExists("K"));
    CompanyData::SeekBackByText(list.table(), "Kodu", "G");
    list.reload();
    messages.asked.clear();
    messages.answers = {1, 1};
    key(&list, Qt::Key_F4);
    EXPECT_EQ(messages.asked.size(), 2);
    EXPECT_FALSE(company->StockCodeExists("G"));
}

TEST_F(StockWindows, ThePickListKeepsItsOrderOnlyWhenChosenWithF2)
{
    books->card("B", "Ahşap");
    const qint64 a = books->card("A", "Zımba");
    Table& stok = company->table("Stok");
    t.install.setStokl(0);
    ASSERT_TRUE(stok.gotoId(a));
    {
        // Esc: nothing chosen, the table where it was.
        whenOpen<TfrmStokL>([](TfrmStokL* list) {
            key(list, Qt::Key_Down);
            key(list, Qt::Key_Escape);
        });
        EXPECT_EQ(TfrmStokL::pick(*shell, stok).id, 0);
        EXPECT_EQ(stok.currentId(), a);
    }
    {
        // An order chosen by its letter leaves the arrows in the list.
        whenOpen<TfrmStokL>([](TfrmStokL* list) {
            QAbstractButton* byName = list->orderGroup()->button(1);
            byName->setFocus(); // as its accelerator leaves it
            byName->click();
            EXPECT_EQ(QApplication::focusWidget(), list->grid());
            key(list->grid(), Qt::Key_Home, Qt::ControlModifier);
            key(list->grid(), Qt::Key_Down);
            key(list, Qt::Key_Return);
        });
        EXPECT_EQ(TfrmStokL::pick(*shell, stok).name, "Zımba");
    }
    {
        // Enter takes the card; the order chosen in the list is not kept.
        whenOpen<TfrmStokL>([](TfrmStokL* list) {
            list->setOrder(1);
            key(list, Qt::Key_Return);
        });
        EXPECT_EQ(TfrmStokL::pick(*shell, stok).code, "A");
        EXPECT_EQ(t.install.stokl(), 0);
    }
    {
        whenOpen<TfrmStokL>([](TfrmStokL* list) {
            list->setOrder(1);
            key(list, Qt::Key_F2);
        });
        const TfrmStokL::Choice chosen = TfrmStokL::pick(*shell, stok);
        EXPECT_EQ(chosen.name, "Zımba");
        EXPECT_EQ(t.install.stokl(), 1);
        EXPECT_EQ(stok.indexName(), "Stok_2");
    }
}

TEST_F(StockWindows, TheMovementWindowRefusesOtherProgramsMovementsAndWarnsAfterCommands)
{
    Table& stok = company->table("Stok");
    {
        TfrmStHar none(*shell);
        open(none);
        key(&none, Qt::Key_F2);
        EXPECT_EQ(messages.asked.last(), "Kayıtlı stok kartı yok / işlem yapılamaz !");
    }
    const qint64 id = books->card("W", "Vida", 5);
    books->move(id, QDate(2026, 1, 2), 0, 9, 1, StockKaynak::FA);
    ASSERT_TRUE(stok.gotoId(id));
    messages.asked.clear();
    TfrmStHar window(*shell);
    open(window);
    EXPECT_EQ(window.windowTitle(), "[-ABC-Deneme Ltd.-] şirketi Stok İşlemleri [W : Vida]");
    // Opening recomputes the card: one exit, nothing in.
    EXPECT_EQ(messages.asked, QStringList{"Stok kartı eksi bakiye / veriyor DİKKAT !!!"});
    EXPECT_EQ(window.totalText(4), "-1");
    messages.asked.clear();
    key(&window, Qt::Key_F3);
    key(&window, Qt::Key_F4);
    // Each command ends with the recompute and its warning.
    EXPECT_EQ(messages.asked,
              (QStringList{"Kaynak program stok değil / düzeltme işlemi yapılamaz !",
                           "Stok kartı eksi bakiye / veriyor DİKKAT !!!",
                           "Kaynak program stok değil / iptal işlemi yapılamaz !",
                           "Stok kartı eksi bakiye / veriyor DİKKAT !!!"}));

    // A new entry of 6: 5 on hand at a critical level of 5.
    messages.asked.clear();
    whenOpen<TfrmStHarF>([](TfrmStHarF* entry) {
        static_cast<TZemrakEdit*>(entry->editor(TfrmStHarF::GMiktari))->setAsFloat(6);
        static_cast<TZemrakSEdit*>(entry->editor(TfrmStHarF::GFiyati))->setAsFloat(2.5);
        entry->editor(TfrmStHarF::GFiyati)->setFocus();
        key(entry, Qt::Key_F2);
    });
    key(&window, Qt::Key_F2);
    EXPECT_EQ(messages.asked, (QStringList{" Vida Stok kartı kritik seviyede / "
                                           "[5 Adet olması gerekirken 5 Adet] DİKKAT !!!"}));
    EXPECT_EQ(window.totalText(0), "6");
    EXPECT_EQ(window.totalText(1), "15.00");
    EXPECT_EQ(window.totalText(6), "12.50"); // FIFO: five of the entry at 2.50
    // Activating the window again does not warn again.
    window.activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(messages.asked.size(), 1);

    // The hand-entered movement may be deleted after two yes answers.
    Table& har = window.table();
    har.last();
    ASSERT_EQ(har["Kaynak"].asString(), "ST");
    window.reload();
    messages.asked.clear();
    messages.answers = {1, 1};
    key(&window, Qt::Key_F4);
    EXPECT_EQ(messages.asked.mid(0, 2),
              (QStringList{"Stok hareketini silmek istediğinize / emin misiniz ?",
                           "Stok hareket bilgisini tamamıyla kaybedeceksiniz / emin misiniz ? "}));
    EXPECT_EQ(company->connection().scalar("SELECT count(*) FROM \"StHar\"").toInt(), 1);
}

TEST_F(StockWindows, TheMovementEntryAppliesItsRulesBeforeSaving)
{
    const qint64 id = books->card("M", "Malzeme");
    TfrmStHarF window(*shell, id, 0);
    open(window);
    EXPECT_EQ(window.windowTitle(), "[-ABC-Deneme Ltd.-]  Yeni Stok hareketi");
    EXPECT_EQ(QApplication::focusWidget(), window.editor(TfrmStHarF::Tarih));
    auto* quantity = static_cast<TZemrakEdit*>(window.editor(TfrmStHarF::GMiktari));
    auto* price = static_cast<TZemrakSEdit*>(window.editor(TfrmStHarF::GFiyati));
    quantity->setAsFloat(10);
    price->setAsFloat(5);
    quantity->setFocus();
    key(&window, Qt::Key_Return); // an entry: the exit side is cleared, on to the price
    EXPECT_EQ(QApplication::focusWidget(), price);
    EXPECT_EQ(window.number(TfrmStHarF::GTutari), 50);
    key(&window, Qt::Key_Up);
    key(&window, Qt::Key_Up); // from a quantity Up goes to the description
    EXPECT_EQ(QApplication::focusWidget(), window.editor(TfrmStHarF::Aciklama));
    // 12 typed over 10, then F2 at once: the value is 12 × 5.
    quantity->setFocus();
    quantity->setAsFloat(12);
    key(&window, Qt::Key_F2);
    EXPECT_FALSE(window.isVisible());
    const std::optional<StockMovement> m = StockLedger(*company).read(window.savedId());
    ASSERT_TRUE(m);
    EXPECT_EQ(m->gTutari, 60);
    EXPECT_EQ(m->kaynak, "ST");
    EXPECT_EQ(m->stockId, id);

    // Nothing entered on either side: Enter in the exit quantity saves an empty movement
    // rather than leaving numbers on both sides.
    TfrmStHarF exitOnly(*shell, id, 0);
    open(exitOnly);
    static_cast<TZemrakEdit*>(exitOnly.editor(TfrmStHarF::GMiktari))->setAsFloat(0);
    exitOnly.editor(TfrmStHarF::GMiktari)->setFocus();
    key(&exitOnly, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), exitOnly.editor(TfrmStHarF::CMiktari));
    static_cast<TZemrakEdit*>(exitOnly.editor(TfrmStHarF::CMiktari))->setAsFloat(4);
    static_cast<TZemrakSEdit*>(exitOnly.editor(TfrmStHarF::CFiyati))->setAsFloat(1.25);
    key(&exitOnly, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), exitOnly.editor(TfrmStHarF::CFiyati));
    key(&exitOnly, Qt::Key_Return);
    key(&exitOnly, Qt::Key_Return); // Enter in the exit value saves
    EXPECT_FALSE(exitOnly.isVisible());
    EXPECT_EQ(StockLedger(*company).read(exitOnly.savedId())->cTutari, 5);

    // A voucher's line edited here stays on its voucher.
    StockMovement line = *StockLedger(*company).read(exitOnly.savedId());
    line.fRef = 77;
    StockLedger(*company).rewrite(exitOnly.savedId(), line);
    TfrmStHarF edit(*shell, id, exitOnly.savedId());
    open(edit);
    EXPECT_EQ(edit.windowTitle(), "[-ABC-Deneme Ltd.-]  Eski Stok hareketi");
    key(&edit, Qt::Key_F2);
    EXPECT_EQ(StockLedger(*company).read(exitOnly.savedId())->fRef, 77);
}

TEST_F(StockWindows, TheLabelWindowRefusesWhatCannotPrintAndKeepsTheLayout)
{
    TfrmStKartE window(*shell, "8690000000012");
    open(window);
    EXPECT_EQ(window.chosenType(), StockLabels::Type::Ean13);
    EXPECT_EQ(window.copies(), 1);
    auto* copies = static_cast<QLineEdit*>(QApplication::focusWidget());
    copies->setText("101");
    key(&window, Qt::Key_F2);
    EXPECT_EQ(messages.asked.size(), 1);
    EXPECT_TRUE(messages.asked.front().contains("Kopya adedi"));
    copies->setText("2");
    // Enter goes round the ten fields.
    for (int i = 0; i < 10; ++i)
        key(&window, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), copies);
    key(&window, Qt::Key_Up);
    auto* sol = static_cast<QLineEdit*>(QApplication::focusWidget());
    EXPECT_EQ(sol->text(), "10"); // "Sol : "
    sol->setText("1x");
    QTest::keyClick(sol, Qt::Key_End); // a key in a whole-number field: not a number is 0
    EXPECT_EQ(sol->text(), "0");
    QTest::keyClicks(sol, "12");
    EXPECT_EQ(window.pages().pageCount(), 2);
    key(&window, Qt::Key_Escape);
    EXPECT_EQ(t.install.ini().readString("BARKOD", "KSOL"), "012");

    TfrmStKartE code39(*shell, "ABC-12");
    open(code39);
    EXPECT_EQ(code39.chosenType(), StockLabels::Type::Code39);
    EXPECT_EQ(code39.layout()[StockLabels::KSol], "012");
}

TEST_F(StockWindows, TheStatementWindowListsEveryCardOnTheCurrentOne)
{
    books->card("B", "Ahşap");
    const qint64 a = books->card("A", "Zımba");
    ASSERT_TRUE(company->table("Stok").gotoId(a));
    TfrmStREks window(*shell);
    open(window);
    EXPECT_EQ(window.cards()->itemText(0), "A - Zımba"); // code order until an order is chosen
    EXPECT_EQ(window.cards()->currentData().toLongLong(), a);
    window.order.group()->button(0)->click();
    EXPECT_EQ(window.cards()->itemText(0), "Ahşap - B");
    EXPECT_EQ(window.cards()->currentData().toLongLong(), a);
    EXPECT_EQ(window.choice().stockId, a);
}

TEST_F(StockWindows, TheStockCodeFieldOpensANewCardWithTheTypedCodeAndPicksFromTheList)
{
    whenOpen<TfrmStKartF>([](TfrmStKartF* card) {
        EXPECT_FALSE(card->editor(0)->isEnabled()); // the typed code, locked
        static_cast<QLineEdit*>(card->editor(1))->setText("Yeni kart");
        key(card, Qt::Key_F2);
    });
    EXPECT_TRUE(stockCodes().newCard(*shell, "YENİ-1", nullptr));
    const auto found = company->findCard("Stok", "Kodu", "Cinsi", "YENİ-1");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->title, "Yeni kart");

    books->card("B-2", "Başka");
    whenOpen<TfrmStokL>([](TfrmStokL* list) {
        EXPECT_EQ(list->table()["Kodu"].asString(), "YENİ-1"); // opens on the code in the field
        key(list, Qt::Key_Escape);
    });
    EXPECT_EQ(stockCodes().pick(*shell, "YENİ-1", nullptr), "");
}
