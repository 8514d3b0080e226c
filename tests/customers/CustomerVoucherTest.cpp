#include "customers/CarFis.h"
#include "customers/CarHarG.h"
#include "customers/CustomerVouchers.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/Table.h"
#include "support/FailingWrites.h"
#include "support/KilledProgram.h"
#include "support/WindowTest.h"

#include <QLineEdit>
#include <QTableView>

namespace {

class CustomerVouchers : public WindowTest {
protected:
    qint64 ali = 0, veli = 0;

    void SetUp() override
    {
        WindowTest::SetUp();
        ali = card("120.01", "Ali'nin Yeri");
        veli = card("120.02", "Veli Ticaret");
    }
    qint64 card(const QString& code, const QString& title)
    {
        Table& cari = company->table("Cari");
        cari.append();
        cari["CariNo"] = code;
        cari["Unvani"] = title;
        cari.post();
        return cari.currentId();
    }
    qint64 count(const QString& sql, const QVariantList& params = {})
    {
        return company->connection().scalar(sql, params).toLongLong();
    }
    double balance(qint64 customer)
    {
        return company->connection()
            .scalar("SELECT \"BakiyeT\" FROM \"Cari\" WHERE \"Nosu\" = ?", {customer})
            .toDouble();
    }
    static CustomerMovement line(double borc, double alacak)
    {
        CustomerMovement m;
        m.tarih = QDate(2026, 5, 4);
        m.borc = borc;
        m.alacak = alacak;
        return m;
    }
    template <typename Window> void open(Window& window)
    {
        window.prepare();
        window.show();
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(CustomerVouchers, LinesOfSeveralCustomersPostToTheirCardsAndSumExactly)
{
    CustomerVoucherPosting posting(*company);
    const qint64 v = posting.create(QDate(2026, 5, 4));
    const qint64 debit = posting.saveLine(v, 0, "120.01", line(100, 0));
    posting.saveLine(v, 0, "120.02", line(0, 100));
    VoucherTotals t = posting.totals(v);
    EXPECT_DOUBLE_EQ(t.in, 100);
    EXPECT_DOUBLE_EQ(t.out, 100);
    EXPECT_EQ(t.balance, 0);
    // Each customer's totals follow in the same command.
    EXPECT_DOUBLE_EQ(balance(ali), 100);
    EXPECT_DOUBLE_EQ(balance(veli), -100);
    const std::vector<SqlRow> stored = company->connection().select(
        "SELECT \"CariNo\", \"Unvani\", \"Kaynak\", \"FRef\" FROM \"CarHar\" WHERE \"Nosu\" = ?",
        {debit});
    EXPECT_EQ(stored[0][0].toString(), "120.01");
    EXPECT_EQ(stored[0][1].toString(), "Ali'nin Yeri");
    EXPECT_EQ(stored[0][2].toString(), "CA");
    EXPECT_EQ(stored[0][3].toLongLong(), v);

    // Sums are exact: three thirds of 1,000 against 1,000 leave nothing.
    const qint64 thirds = posting.create(QDate(2026, 5, 5));
    for (double part : {333.33, 333.33, 333.34})
        posting.saveLine(thirds, 0, "120.01", line(part, 0));
    posting.saveLine(thirds, 0, "120.02", line(0, 1000));
    EXPECT_EQ(posting.totals(thirds).balance, 0);

    // An unknown code, a line of another voucher and an empty date are refused; nothing written.
    const qint64 before = count("SELECT count(*) FROM \"CarHar\"");
    EXPECT_THROW(posting.saveLine(v, 0, "YOK", line(5, 0)), AppError);
    EXPECT_THROW(posting.saveLine(thirds, debit, "120.01", line(5, 0)), AppError);
    EXPECT_THROW(posting.saveLine(v, 0, "120.01", CustomerMovement{}), AppError);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\""), before);
    EXPECT_DOUBLE_EQ(balance(ali), 1100);
}

TEST_F(CustomerVouchers, DeletingAVoucherTakesExactlyItsLinesAllOrNothing)
{
    CustomerVoucherPosting posting(*company);
    const qint64 v = posting.create(QDate(2026, 5, 4));
    posting.saveLine(v, 0, "120.01", line(100, 0));
    posting.saveLine(v, 0, "120.02", line(0, 40));
    posting.saveLine(v, 0, "120.02", line(0, 60));
    // Another program's movement that carries the same number in FRef is not the voucher's.
    CustomerMovement invoice = line(7, 0);
    invoice.kaynak = Kaynak::FA;
    invoice.customerId = ali;
    invoice.fRef = v;
    CustomerLedger(*company).post(invoice);
    {
        FailingWrites full(company->connection(), "CarFis", "DELETE");
        EXPECT_THROW(posting.removeVoucher(v), AppError);
    }
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"Kaynak\" = 'CA'"), 3);
    EXPECT_DOUBLE_EQ(balance(veli), -100);

    const auto killedAfter = [&](bool commit) {
        runAndKill(t, commit,
                   [&](CompanyData& other) { CustomerVoucherPosting(other).removeVoucher(v); });
    };
    killedAfter(false);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\""), 4);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarFis\""), 1);
    killedAfter(true);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"Kaynak\" = 'CA'"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\""), 1); // the invoice's stays
    EXPECT_EQ(count("SELECT count(*) FROM \"CarFis\""), 0);
    EXPECT_DOUBLE_EQ(balance(veli), 0);
    EXPECT_DOUBLE_EQ(balance(ali), 7);
}

TEST_F(CustomerVouchers, TheVoucherWindowEntersLinesByCodeAndSavesItsHeaderOnEsc)
{
    TfrmCarFis list(*shell);
    open(list);
    EXPECT_EQ(list.windowTitle(), "[-ABC-Deneme Ltd.-] şirketi Cari fiş hareketleri ");
    whenOpen<VoucherWindow>([this](VoucherWindow* f) {
        EXPECT_EQ(f->objectName(), "TfrmCarFisF");
        EXPECT_EQ(QApplication::focusWidget(), f->descriptionField());
        f->descriptionField()->setText("Virman");
        // An unknown code is refused on saving and cleared; a debit clears the credit.
        whenOpen<TfrmCarFisG>([this](TfrmCarFisG* g) {
            EXPECT_EQ(g->windowTitle(), "[-ABC-Deneme Ltd.-]  Yeni Cari hareket");
            messages.answers = {0}; // no new card
            static_cast<QLineEdit*>(g->editor(TfrmCarFisG::CariNo))->setText("YOK");
            g->editor(TfrmCarFisG::CariNo)->setFocus();
            key(g, Qt::Key_F2);
            EXPECT_TRUE(g->isVisible());
            EXPECT_TRUE(g->text(TfrmCarFisG::CariNo).isEmpty());
            static_cast<QLineEdit*>(g->editor(TfrmCarFisG::CariNo))->setText("120.01");
            key(g, Qt::Key_Return);
            EXPECT_EQ(g->text(TfrmCarFisG::Unvani), "Ali'nin Yeri");
            g->setNumber(TfrmCarFisG::Alacak, 5);
            g->setNumber(TfrmCarFisG::Borc, 100);
            EXPECT_EQ(g->number(TfrmCarFisG::Alacak), 0);
            g->editor(TfrmCarFisG::Alacak)->setFocus();
            key(g, Qt::Key_Return); // Enter in "Alacak" saves
        });
        key(f, Qt::Key_F2);
        whenOpen<TfrmCarFisG>([](TfrmCarFisG* g) {
            static_cast<QLineEdit*>(g->editor(TfrmCarFisG::CariNo))->setText("120.02");
            g->editor(TfrmCarFisG::CariNo)->setFocus();
            key(g, Qt::Key_Return);
            g->setNumber(TfrmCarFisG::Alacak, 100);
            key(g, Qt::Key_F2);
        });
        key(f, Qt::Key_F2);
        EXPECT_EQ(f->model()->rowCount(), 2);
        EXPECT_EQ(f->totalText(0), "100.00");
        EXPECT_EQ(f->totalText(1), "100.00");
        EXPECT_EQ(f->totalText(2), "0.00");
        key(f, Qt::Key_Escape);
    });
    key(&list, Qt::Key_F2);
    ASSERT_EQ(list.model()->rowCount(), 1);
    EXPECT_EQ(list.table()["Aciklama"].asString(), "Virman");
    EXPECT_EQ(list.table()["Tarih"].asDate(), QDate::currentDate());
}

TEST_F(CustomerVouchers, ALineEditedInTheMovementWindowStaysOnItsVoucher)
{
    CustomerVoucherPosting posting(*company);
    const qint64 v = posting.create(QDate(2026, 5, 4));
    const qint64 id = posting.saveLine(v, 0, "120.01", line(100, 0));
    {
        TfrmCarHarG edit(*shell, ali, id);
        edit.prepare();
        edit.show();
        edit.setNumber(TfrmCarHarG::Borc, 120);
        key(&edit, Qt::Key_F2);
    }
    EXPECT_EQ(CustomerLedger(*company).read(id)->fRef, v);
    EXPECT_DOUBLE_EQ(posting.totals(v).in, 120);
    // And opened again from the voucher, the line shows its customer and the line's date as
    // its due date when it has none.
    TfrmCarFisG again(*shell, v, id);
    EXPECT_EQ(again.text(TfrmCarFisG::CariNo), "120.01");
    EXPECT_EQ(again.text(TfrmCarFisG::Unvani), "Ali'nin Yeri");
    EXPECT_EQ(again.text(TfrmCarFisG::Vadesi), "04.05.2026");
}
