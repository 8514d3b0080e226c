#include "StockBooks.h"
#include "stock/StFis.h"
#include "stock/StHar.h"
#include "stock/StHarF.h"
#include "stock/StockVouchers.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/GlobalData.h"
#include "store/Installation.h"
#include "store/StoreSession.h"
#include "support/FailingWrites.h"
#include "support/KilledProgram.h"
#include "support/WindowTest.h"

#include <QLineEdit>
#include <QTableView>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class StockVouchers : public WindowTest {
protected:
    std::unique_ptr<StockBooks> books;
    qint64 vida = 0, somun = 0;

    void SetUp() override
    {
        WindowTest::SetUp();
        books = std::make_unique<StockBooks>(*company);
        vida = books->card("V-1", "Vida");
        somun = books->card("S-1", "Somun");
    }
    void TearDown() override { books.reset(); }

    template <typename Window> void open(Window& window)
    {
        window.prepare();
        window.show();
        QApplication::processEvents();
    }
    qint64 count(const QString& sql, const QVariantList& params = {})
    {
        return company->connection().scalar(sql, params).toLongLong();
    }
    StockMovement line(double in, double out, double price)
    {
        StockMovement m;
        m.tarih = QDate(2026, 5, 4);
        m.gMiktari = in;
        m.cMiktari = out;
        (in > 0 ? m.gFiyati : m.cFiyati) = price;
        (in > 0 ? m.gTutari : m.cTutari) = (in + out) * price;
        return m;
    }
    static void type(QWidget* edit, const QString& text)
    {
        edit->setFocus();
        static_cast<QLineEdit*>(edit)->clear();
        QTest::keyClicks(edit, text);
    }
};

} // namespace

TEST_F(StockVouchers, AVoucherOwnsItsLinesAndTheirSums)
{
    StockVoucherPosting posting(*company);
    const qint64 v = posting.create(QDate(2026, 5, 4));
    const qint64 other = posting.create(QDate(2026, 5, 5));
    const qint64 in = posting.saveLine(v, 0, "V-1", line(10, 0, 2.5));
    posting.saveLine(v, 0, "S-1", line(0, 4, 3));
    posting.saveLine(v, 0, "V-1", line(1, 0, 1));
    posting.saveLine(other, 0, "V-1", line(5, 0, 1));
    books->move(vida, QDate(2026, 5, 1), 7, 1, 0, StockKaynak::FA); // an invoice's movement
    VoucherTotals t = posting.totals(v);
    EXPECT_DOUBLE_EQ(t.in, 26);
    EXPECT_DOUBLE_EQ(t.out, 12);
    EXPECT_DOUBLE_EQ(t.balance, 14);
    // The line takes the card's code and description, the "ST" source and the voucher.
    const std::vector<SqlRow> stored = company->connection().select(
        "SELECT \"Kodu\", \"Cinsi\", \"Kaynak\", \"FRef\", \"STRef\" FROM \"StHar\" WHERE "
        "\"Nosu\" = ?",
        {in});
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0][0].toString(), "V-1");
    EXPECT_EQ(stored[0][1].toString(), "Vida");
    EXPECT_EQ(stored[0][2].toString(), "ST");
    EXPECT_EQ(stored[0][3].toLongLong(), v);
    EXPECT_EQ(stored[0][4].toLongLong(), vida);
    // An unknown code, or a line of another voucher, is never saved.
    EXPECT_THROW(posting.saveLine(v, 0, "YOK", line(1, 0, 1)), AppError);
    EXPECT_THROW(posting.saveLine(other, in, "V-1", line(1, 0, 1)), AppError);
    EXPECT_THROW(posting.saveHeader({v, QDate(), "boş tarih"}), AppError);
    EXPECT_EQ(count("SELECT count(*) FROM \"StHar\""), 5);

    // A failure at the last line's delete leaves the voucher whole.
    {
        FailingWrites full(company->connection(), "StFis", "DELETE");
        EXPECT_THROW(posting.removeVoucher(v), AppError);
    }
    EXPECT_EQ(count("SELECT count(*) FROM \"StHar\" WHERE \"FRef\" = ?", {v}), 3);
    posting.removeVoucher(v);
    EXPECT_EQ(count("SELECT count(*) FROM \"StHar\" WHERE \"FRef\" = ?", {v}), 0);
    EXPECT_EQ(count("SELECT count(*) FROM \"StHar\""), 2); // the other voucher's and the invoice's
    EXPECT_EQ(count("SELECT count(*) FROM \"StFis\""), 1);
}

TEST_F(StockVouchers, AProgramKilledMidDeleteLeavesAllOrNothing)
{
    StockVoucherPosting posting(*company);
    const qint64 v = posting.create(QDate(2026, 5, 4));
    for (int i = 0; i < 3; ++i)
        posting.saveLine(v, 0, "V-1", line(1 + i, 0, 2));
    const auto killedAfter = [&](bool commit) {
        runAndKill(t, commit,
                   [&](CompanyData& other) { StockVoucherPosting(other).removeVoucher(v); });
    };
    killedAfter(false);
    EXPECT_EQ(count("SELECT count(*) FROM \"StHar\""), 3);
    EXPECT_EQ(count("SELECT count(*) FROM \"StFis\""), 1);
    killedAfter(true);
    EXPECT_EQ(count("SELECT count(*) FROM \"StHar\""), 0);
    EXPECT_EQ(count("SELECT count(*) FROM \"StFis\""), 0);
}

TEST_F(StockVouchers, F2ThenEscLeavesAnEmptyVoucherDatedToday)
{
    TfrmStFis list(*shell);
    open(list);
    EXPECT_EQ(list.windowTitle(), "[-ABC-Deneme Ltd.-] şirketi Stok fiş hareketleri ");
    EXPECT_FALSE(list.commandEnabled("Duzeltme"));
    whenOpen<VoucherWindow>([](VoucherWindow* f) {
        EXPECT_EQ(QApplication::focusWidget(), f->descriptionField());
        key(f, Qt::Key_Escape);
    });
    key(&list, Qt::Key_F2);
    ASSERT_EQ(list.model()->rowCount(), 1);
    EXPECT_EQ(list.table()["Tarih"].asDate(), QDate::currentDate());
    EXPECT_TRUE(list.commandEnabled("Duzeltme"));
}

TEST_F(StockVouchers, TheVoucherWindowEntersLinesByCodeAndSavesItsHeaderOnEsc)
{
    StockVoucherPosting posting(*company);
    const qint64 v = posting.create(QDate(2026, 5, 4));
    TfrmStFisF f(*shell, v);
    open(f);
    EXPECT_EQ(f.windowTitle(), "[-ABC-Deneme Ltd.-] şirketi stok fiş [04.05.2026 : ]");
    f.descriptionField()->setText("Sayım");
    f.descriptionField()->setFocus();
    key(&f, Qt::Key_Return); // the caption follows, the focus goes to the lines
    EXPECT_EQ(f.windowTitle(), "[-ABC-Deneme Ltd.-] şirketi stok fiş [04.05.2026 : Sayım]");
    EXPECT_EQ(QApplication::focusWidget(), f.grid());

    // An unknown code is refused on saving and cleared; a known one takes the card's texts.
    whenOpen<TfrmStFisG>([this](TfrmStFisG* g) {
        EXPECT_EQ(g->windowTitle(), "[-ABC-Deneme Ltd.-]  Yeni Stok hareketi");
        EXPECT_EQ(QApplication::focusWidget(), g->editor(TfrmStFisG::Kodu));
        messages.answers = {0}; // no new card
        type(g->editor(TfrmStFisG::Kodu), "yok");
        key(g, Qt::Key_Return);
        EXPECT_EQ(messages.asked.back(), "Stok kart nosu bulunamadı / Yeni kart açılsın mı?");
        key(g, Qt::Key_F2);
        EXPECT_TRUE(g->isVisible());
        EXPECT_EQ(messages.asked.back(), "Stok kart nosu bulunamadı / ");
        EXPECT_TRUE(g->text(TfrmStFisG::Kodu).isEmpty());
        type(g->editor(TfrmStFisG::Kodu), "v-1");
        key(g, Qt::Key_Return);
        EXPECT_EQ(g->text(TfrmStFisG::Cinsi), "Vida");
        static_cast<QLineEdit*>(g->editor(TfrmStFisG::Cinsi))->setText("üstüne yazılan");
        g->setNumber(g->at(TfrmStHarF::GMiktari), 10);
        g->setNumber(g->at(TfrmStHarF::GFiyati), 2.5);
        g->editor(g->at(TfrmStHarF::GFiyati))->setFocus();
        key(g, Qt::Key_F2); // the price's leave rule first: 25.00
    });
    key(&f, Qt::Key_F2);
    whenOpen<TfrmStFisG>([](TfrmStFisG* g) {
        type(g->editor(TfrmStFisG::Kodu), "S-1");
        key(g, Qt::Key_Return);
        g->setNumber(g->at(TfrmStHarF::CMiktari), 4);
        g->setNumber(g->at(TfrmStHarF::CFiyati), 3);
        g->editor(g->at(TfrmStHarF::CFiyati))->setFocus();
        key(g, Qt::Key_Return); // on to the value
        key(g, Qt::Key_Down);   // Down in the value goes round to the code
        EXPECT_EQ(QApplication::focusWidget(), g->editor(TfrmStFisG::Kodu));
        key(g, Qt::Key_F2);
    });
    key(&f, Qt::Key_F2);
    EXPECT_EQ(f.model()->rowCount(), 2);
    EXPECT_EQ(f.totalText(0), "25.00");
    EXPECT_EQ(f.totalText(1), "12.00");
    EXPECT_EQ(f.totalText(2), "13.00");
    EXPECT_EQ(
        count("SELECT count(*) FROM \"StHar\" WHERE \"Cinsi\" = 'Vida' AND \"FRef\" = ?", {v}), 1);
    // Stock card totals are not touched by a voucher.
    EXPECT_EQ(count("SELECT count(*) FROM \"Stok\" WHERE coalesce(\"GMTop\",0) <> 0"), 0);

    // An emptied date is refused on leaving; the window stays.
    f.dateField()->setText(QString());
    key(&f, Qt::Key_Escape);
    EXPECT_TRUE(f.isVisible());
    f.dateField()->setText("06.05.2026");
    key(&f, Qt::Key_Escape);
    EXPECT_FALSE(f.isVisible());
    const std::optional<VoucherHeader> saved = posting.read(v);
    EXPECT_EQ(saved->tarih, QDate(2026, 5, 6));
    EXPECT_EQ(saved->aciklama, "Sayım");
}

TEST_F(StockVouchers, ALineEditedInTheMovementWindowStaysOnItsVoucher)
{
    StockVoucherPosting posting(*company);
    const qint64 v = posting.create(QDate(2026, 5, 4));
    const qint64 id = posting.saveLine(v, 0, "V-1", line(10, 0, 2.5));
    {
        TfrmStHarF edit(*shell, vida, id);
        open(edit);
        edit.setNumber(TfrmStHarF::GMiktari, 12);
        edit.editor(TfrmStHarF::GMiktari)->setFocus();
        key(&edit, Qt::Key_F2);
    }
    const std::optional<StockMovement> m = books->ledger.read(id);
    EXPECT_EQ(m->fRef, v);
    EXPECT_DOUBLE_EQ(m->gTutari, 30);
    EXPECT_DOUBLE_EQ(posting.totals(v).in, 30);
}

TEST_F(StockVouchers, AnEditedLineShowsItsCardAndKeepsItWhenSavedUnchanged)
{
    StockVoucherPosting posting(*company);
    const qint64 v = posting.create(QDate(2026, 5, 4));
    const qint64 id = posting.saveLine(v, 0, "V-1", line(10, 0, 2.5));
    TfrmStFisF f(*shell, v);
    open(f);
    whenOpen<TfrmStFisG>([](TfrmStFisG* g) {
        EXPECT_EQ(g->windowTitle(), "[-ABC-Deneme Ltd.-]  Eski Stok hareketi");
        EXPECT_EQ(g->text(TfrmStFisG::Kodu), "V-1");
        EXPECT_EQ(g->text(TfrmStFisG::Cinsi), "Vida");
        EXPECT_EQ(QApplication::focusWidget(), g->editor(g->at(TfrmStHarF::Tarih)));
        key(g, Qt::Key_F2);
    });
    key(&f, Qt::Key_F3);
    const std::optional<StockMovement> m = books->ledger.read(id);
    EXPECT_EQ(m->kodu, "V-1");
    EXPECT_EQ(m->stockId, vida);
    EXPECT_EQ(f.model()->rowCount(), 1);
}
