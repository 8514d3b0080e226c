#include "StockBooks.h"
#include "stock/StFiyat.h"
#include "stock/StKartF.h"
#include "store/Table.h"
#include "support/WindowTest.h"

#include <QLineEdit>
#include <QTableView>

namespace {

class StockPrices : public WindowTest {
protected:
    std::unique_ptr<StockBooks> books;
    qint64 vana = 0, vida = 0;

    void SetUp() override
    {
        WindowTest::SetUp();
        books = std::make_unique<StockBooks>(*company);
        vana = books->card("A-1", "VANA 1/2'");
        vida = books->card("B-1", "VIDA 4 MM");
        company->connection().scalar("UPDATE \"Stok\" SET \"Fiyat1\" = 12.3456, \"Fiyat2\" = 5, "
                                     "\"Fiyat3\" = 7, \"DegTarih\" = '2020-01-01'");
        company->table("Stok").refresh();
    }
    void TearDown() override { books.reset(); }

    template <typename Window> void open(Window& window)
    {
        window.prepare();
        window.show();
        QApplication::processEvents();
    }
    QVariant stored(qint64 id, const char* field)
    {
        return company->connection().scalar(
            QStringLiteral("SELECT \"%1\" FROM \"Stok\" WHERE \"Nosu\" = ?").arg(field), {id});
    }
};

} // namespace

TEST_F(StockPrices, OnlyAChangedPriceIsWrittenAndDatesTheChange)
{
    TfrmStFiyat list(*shell);
    open(list);
    EXPECT_EQ(list.windowTitle(), "[-ABC-Deneme Ltd.-]  Stok Kartları");
    EXPECT_EQ(list.model()->rowCount(), 2);
    EXPECT_FALSE(list.commandButton("Yeni"));
    list.table().gotoId(vana);
    list.reload();
    // Saved untouched (12.3456 shown at the editor's decimals): nothing written.
    whenOpen<TfrmStKartF>([](TfrmStKartF* f) {
        EXPECT_EQ(f->windowTitle(),
                  "[-ABC-Deneme Ltd.-]  Stok kart fiyat değişikliği - [A-1 : VANA 1/2']");
        EXPECT_EQ(QApplication::focusWidget(), f->editor(5));
        EXPECT_FALSE(f->editor(1)->isEnabled());
        key(f, Qt::Key_Down);
        key(f, Qt::Key_Down);
        key(f, Qt::Key_Down); // Down in the last price goes round, without saving
        EXPECT_EQ(QApplication::focusWidget(), f->editor(5));
        EXPECT_TRUE(f->isVisible());
        key(f, Qt::Key_F2);
    });
    key(&list, Qt::Key_F3);
    EXPECT_EQ(stored(vana, "DegTarih").toString(), "2020-01-01");
    EXPECT_DOUBLE_EQ(stored(vana, "Fiyat1").toDouble(), 12.3456);

    // Only "Fiyat [3]": today's date, the others as they were to the last decimal.
    whenOpen<TfrmStKartF>([](TfrmStKartF* f) {
        f->setNumber(7, 9.5);
        key(f, Qt::Key_Return);
        key(f, Qt::Key_Return);
        key(f, Qt::Key_Return); // Enter in the last price saves
    });
    key(&list, Qt::Key_F3);
    EXPECT_EQ(stored(vana, "DegTarih").toDate(), QDate::currentDate());
    EXPECT_DOUBLE_EQ(stored(vana, "Fiyat3").toDouble(), 9.5);
    EXPECT_DOUBLE_EQ(stored(vana, "Fiyat1").toDouble(), 12.3456);
    EXPECT_DOUBLE_EQ(stored(vana, "Fiyat2").toDouble(), 5);
    EXPECT_EQ(stored(vida, "DegTarih").toString(), "2020-01-01");
}

TEST_F(StockPrices, TheFilterTakesTheWholeDescriptionAndLeavesTheCommandsOffWhenEmpty)
{
    TfrmStFiyat list(*shell);
    open(list);
    list.criterion(TfrmStFiyat::Cinsi)->setText("VANA 1/2'"); // a quote is text
    key(&list, Qt::Key_F5);
    EXPECT_EQ(list.model()->rowCount(), 1);
    EXPECT_EQ(list.table()["Kodu"].asString(), "A-1");
    EXPECT_EQ(QApplication::focusWidget(), list.grid());
    list.criterion(TfrmStFiyat::Cinsi)->setText("VIDA");
    key(&list, Qt::Key_F5); // the first word of a description lists nothing
    EXPECT_EQ(list.model()->rowCount(), 0);
    EXPECT_FALSE(list.commandEnabled("Duzeltme"));
    EXPECT_FALSE(list.commandEnabled("Filtrele"));
    EXPECT_FALSE(list.commandEnabled("Liste"));
}
