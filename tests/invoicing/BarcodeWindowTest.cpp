#include "app/MessageWindow.h"
#include "invoicing/FatKdv.h"
#include "invoicing/FatRap.h"
#include "invoicing/FtSatis.h"
#include "invoicing/FtStBar.h"
#include "invoicing/InvoicePosting.h"
#include "invoicing/VatRates.h"
#include "stock/StKartF.h"
#include "store/AppError.h"
#include "store/GlobalData.h"
#include "store/IniFile.h"
#include "store/Table.h"
#include "support/WindowTest.h"
#include "widgets/ProDbGrid.h"
#include "widgets/TZemrakSEdit.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QInputDevice>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// Delivers posted keys to whatever has the focus when each is taken, as the window system
// delivers a scanner's keys.
class FocusRouter : public QObject {
protected:
    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return QObject::event(event);
        auto* key = static_cast<QKeyEvent*>(event);
        QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
        if (QWidget* focus = QApplication::focusWidget()) QApplication::sendEvent(focus, &copy);
        return true;
    }
};

class BarcodeWindow : public WindowTest {
protected:
    std::unique_ptr<InvoicePosting> posting;
    FocusRouter router;

    void SetUp() override
    {
        WindowTest::SetUp();
        shell->global = t.global.get();
        posting = std::make_unique<InvoicePosting>(*company, t.install);
        addCustomerCard(*company, "120.01", "Yılmaz Ticaret");
        stock("8690001", "Kola 1 lt", 11.80, 18);
        stock("8690002", "Gazoz", 5, 8);
        stock("27", "Peynir", 100, 8);
        IniFile& ini = t.install.ini();
        ini.writeString("TARTI", "VARMI", "EVET");
        ini.writeString("TARTI", "KODBOYU", "2");
        ini.writeString("TARTI", "BOYU", "6");
        ini.writeString("TARTI", "AGIRLIKBOYU", "3");
        ini.writeString("TARTI", "AGIRLIKBOLENI", "100");
    }
    void stock(const QString& code, const QString& name, double fiyat1, double normal)
    {
        Table& stok = company->table("Stok");
        stok.append();
        stok["Kodu"] = code;
        stok["Cinsi"] = name;
        stok["Birim"] = "Adet";
        stok["Fiyat1"] = fiyat1;
        stok["Normal"] = normal;
        stok.post();
    }
    qint64 header(int closed, int kdvDahil)
    {
        InvoiceHeader h;
        h.fatNo = 77;
        h.tarih = h.irsTarih = h.vadesi = QDate(2026, 3, 1);
        h.cariNo = "120.01";
        h.kdvDahil = kdvDahil;
        h.fDurumu = closed;
        return posting->saveHeader(salesInvoice(), 0, h);
    }
    // Keys as a scanner sends them: posted all at once, each taken by the focus of its moment.
    void post(const QString& keys)
    {
        for (QChar c : keys)
            postKey(c);
    }
    // One key of a scanner, its press and release; safe from any thread.
    void postKey(QChar c)
    {
        const bool enter = c == QLatin1Char('\n');
        const int key = enter ? int(Qt::Key_Return) : int(c.toUpper().unicode());
        const QString text = enter ? QStringLiteral("\r") : QString(c);
        QCoreApplication::postEvent(&router,
                                    new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
        QCoreApplication::postEvent(&router,
                                    new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text));
    }
    void scan(const QString& code)
    {
        post(code + QLatin1Char('\n'));
        QApplication::processEvents();
    }
    template <typename Window> void open(Window& window)
    {
        window.prepare();
        window.show();
        window.activateWindow();
        QApplication::processEvents();
    }
    // The change window: Enter in the money given, Enter in the change.
    static void payWith(double given, QString* change = nullptr)
    {
        whenOpen<TfrmFtStBarG>([given, change](TfrmFtStBarG* g) {
            g->given()->setAsFloat(given);
            g->given()->setFocus();
            key(g, Qt::Key_Return);
            if (change) *change = g->changeText();
            key(g, Qt::Key_Return);
        });
    }
};

} // namespace

TEST_F(BarcodeWindow, ScansFoldIntoRowsAndAClosedSaleSavesWhatWasShown)
{
    const qint64 id = header(1, 1);
    TfrmFtStBarF sale(*shell, *posting, id);
    open(sale);
    EXPECT_EQ(sale.windowTitle(), "[-ABC-Deneme Ltd.-] şirketi barkodlu satış");
    EXPECT_TRUE(sale.durum()->button(1)->isChecked());
    EXPECT_FALSE(sale.durum()->button(0)->isEnabled());
    EXPECT_TRUE(sale.kdv()->button(1)->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), sale.grid());

    // Twenty scans posted at once: each lands in its own row's code cell, equal cards fold.
    QString keys;
    for (int i = 0; i < 20; ++i)
        keys += (i % 2 ? QStringLiteral("8690002") : QStringLiteral("8690001")) + QLatin1Char('\n');
    post(keys);
    QApplication::processEvents();
    ASSERT_EQ(sale.sale().rows().size(), 2u);
    EXPECT_EQ(sale.sale().rows()[0].miktari, 10);
    EXPECT_EQ(sale.sale().rows()[1].miktari, 10);
    EXPECT_EQ(sale.totalText(4), "2 Adet");
    EXPECT_TRUE(sale.model()->typedCode(2).isEmpty()); // no digit left behind
    EXPECT_EQ(sale.grid()->currentIndex(), sale.model()->index(2, BarcodeSale::Kodu));

    // A scale label: code 27, 1.25 kg, shown with its fraction.
    scan("271253");
    ASSERT_EQ(sale.sale().rows().size(), 3u);
    EXPECT_EQ(sale.model()->data(sale.model()->index(2, BarcodeSale::Miktari), Qt::DisplayRole),
              "1.25");

    // An unknown code: the question (answered no), the code stays until the row is left.
    messages.answers = {0};
    scan("999");
    EXPECT_EQ(messages.asked.back(), "Stok kartı bulunamadı / Yeni kart açılsın mı?");
    EXPECT_EQ(sale.model()->typedCode(3), "999");
    sale.grid()->setCurrentIndex(sale.model()->index(0, BarcodeSale::Cinsi));
    EXPECT_TRUE(sale.model()->typedCode(3).isEmpty());

    // A quantity of 0 is refused; the row keeps its quantity.
    sale.model()->setData(sale.model()->index(0, BarcodeSale::Miktari), "0", Qt::EditRole);
    EXPECT_EQ(messages.asked.back(), "Miktar sıfırdan büyük olmalı / ");
    EXPECT_EQ(sale.sale().rows()[0].miktari, 10);

    // Ctrl+Delete takes a row away and the totals follow.
    sale.grid()->setFocus();
    sale.grid()->setCurrentIndex(sale.model()->index(1, BarcodeSale::Cinsi));
    key(sale.grid(), Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(sale.sale().rows().size(), 2u);
    EXPECT_EQ(sale.totalText(4), "2 Adet");
    const QString shown = sale.totalText(3);
    EXPECT_EQ(shown, "243.00"); // 10 × 11.80 + 1.25 × 92.59 (+ 8 %)

    // F2: the question, the change window, then everything in one command.
    messages.answers = {1};
    QString change;
    payWith(300, &change);
    key(&sale, Qt::Key_F2);
    EXPECT_EQ(change, "57.00");
    EXPECT_TRUE(sale.saved());
    EXPECT_FALSE(sale.isVisible());
    const InvoiceData saved = *posting->read(id);
    EXPECT_EQ(saved.gToplam, 243);
    EXPECT_EQ(company->connection()
                  .scalar("SELECT \"Giren\" FROM \"Kasa\" WHERE \"Nosu\" = ?", {saved.kRef})
                  .toDouble(),
              243);
    EXPECT_EQ(posting->lineCount(id), 2);
}

// A scanner types 13 digits and Enter within 20 ms, scan after scan, whether or not the window
// is still busy with the scan before: the keys come from another thread at that pace.
TEST_F(BarcodeWindow, ScansTypedAtScannerSpeedLandInTheirOwnRows)
{
    stock("8690000000017", "Su 0.5 lt", 3, 8);
    stock("8690000000024", "Ayran", 7.5, 8);
    IniFile& ini = t.install.ini();
    ini.writeString("TARTI", "BOYU", "13");
    ini.writeString("TARTI", "AGIRLIKBOYU", "5");
    ini.writeString("TARTI", "AGIRLIKBOLENI", "1000");
    const qint64 id = header(0, 1);
    TfrmFtStBarF sale(*shell, *posting, id);
    open(sale);

    const QStringList codes = {"8690000000017", "8690000000024", "2701250000003", "8690000000017",
                               "8690000000024", "2700500000007", "8690000000024"};
    QInputDevice::primaryKeyboard(); // made in this thread before the scanner needs it
    std::atomic<bool> done = false;
    std::thread scanner([&] {
        for (const QString& code : codes) {
            for (QChar c : code + QLatin1Char('\n')) {
                postKey(c);
                std::this_thread::sleep_for(std::chrono::microseconds(1400)); // 14 keys, 20 ms
            }
        }
        done = true;
    });
    while (!done)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    scanner.join();
    QApplication::processEvents();

    // Equal cards fold; the two weighings of card 27 fold into one row of 1.75 kg.
    const auto& rows = sale.sale().rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].kodu, "8690000000017");
    EXPECT_EQ(rows[0].miktari, 2);
    EXPECT_EQ(rows[1].kodu, "8690000000024");
    EXPECT_EQ(rows[1].miktari, 3);
    EXPECT_EQ(rows[2].kodu, "27");
    EXPECT_DOUBLE_EQ(rows[2].miktari, 1.75);
    EXPECT_EQ(sale.totalText(4), "3 Adet");
    // No digit went anywhere else: the next row's code is empty and no question was raised.
    EXPECT_TRUE(sale.model()->typedCode(3).isEmpty());
    EXPECT_TRUE(messages.asked.isEmpty());
    EXPECT_EQ(sale.grid()->currentIndex(), sale.model()->index(3, BarcodeSale::Kodu));
}

TEST_F(BarcodeWindow, EscAbandonsTheSaleAndTheChangeWindowCanGoBack)
{
    const qint64 id = header(0, 0);
    {
        TfrmFtStBarF sale(*shell, *posting, id);
        open(sale);
        scan("8690001");
        EXPECT_EQ(sale.totalText(3), "13.92"); // 11.80 + 18 %
        // Esc in the change window returns to the sale with nothing saved.
        messages.answers = {1};
        whenOpen<TfrmFtStBarG>([](TfrmFtStBarG* g) { key(g, Qt::Key_Escape); });
        key(&sale, Qt::Key_F2);
        EXPECT_TRUE(sale.isVisible());
        EXPECT_FALSE(sale.saved());
        EXPECT_EQ(posting->lineCount(id), 0);
        // Esc, "no": nothing lost; Esc, "yes": the header goes.
        messages.answers = {0};
        key(&sale, Qt::Key_Escape);
        EXPECT_TRUE(sale.isVisible());
        EXPECT_EQ(sale.sale().rows().size(), 1u);
        messages.answers = {1};
        key(&sale, Qt::Key_Escape);
        EXPECT_FALSE(sale.isVisible());
    }
    EXPECT_FALSE(posting->read(id));
    EXPECT_EQ(company->connection().scalar("SELECT count(*) FROM \"StHar\"").toInt(), 0);
}

TEST_F(BarcodeWindow, TheCounterOpensOnANewHeaderOfTheBarcodeList)
{
    TfrmFtSatis list(*shell, salesInvoice(), true);
    open(list);
    whenOpen<TfrmFtSatisA>([](TfrmFtSatisA* h) {
        static_cast<QLineEdit*>(h->editor(TfrmFtSatisA::CariNo))->setText("120.01");
        key(h, Qt::Key_F2);
    });
    bool counter = false;
    whenOpen<TfrmFtStBarF>([&counter, this](TfrmFtStBarF* s) {
        counter = true;
        messages.answers = {1};
        key(s, Qt::Key_Escape);
    });
    key(&list, Qt::Key_F2);
    EXPECT_TRUE(counter);
    EXPECT_EQ(list.model()->rowCount(), 0); // abandoned: the header went with it
}

TEST(ScanQuestion, OnlyF2EscOrAClickAnswer)
{
    MessageWindow window(MessageWindow::Kind::Confirm, "Stok kartı bulunamadı",
                         "Yeni kart açılsın mı?", "Stok kart kontrol");
    window.setKeysOnly();
    int result = -1;
    QTimer::singleShot(0, &window, [&] {
        // The rest of a scan: digits and its Enter.
        for (int k : {int(Qt::Key_1), int(Qt::Key_2), int(Qt::Key_Return)}) {
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget()
                                                        : static_cast<QWidget*>(&window),
                            Qt::Key(k));
        }
        EXPECT_TRUE(window.isVisible());
        QTest::keyClick(&window, Qt::Key_F2);
    });
    result = window.exec();
    EXPECT_EQ(result, 1);
}

TEST_F(BarcodeWindow, TheInvoiceListWindowStartsOnTheWorkingYearAndEveryCustomer)
{
    addCustomerCard(*company, "320.01", "Toptancı");
    shell->workingYear = 2026;
    TfrmFatRap window(*shell);
    open(window);
    EXPECT_EQ(window.windowTitle(), "[-ABC-Deneme Ltd.-]  Fatura listesi");
    const InvoiceReports::ListChoice c = window.choice();
    EXPECT_EQ(c.from, QDate(2026, 1, 1));
    EXPECT_EQ(c.to, QDate(2026, 12, 31));
    EXPECT_EQ(c.customerFrom, "120.01");
    EXPECT_EQ(c.customerTo, "320.01");
    EXPECT_EQ(c.type, 0);
    EXPECT_FALSE(c.detail);
    EXPECT_EQ(QApplication::focusWidget(), window.dates.from.edit());
    // The ring: six fields and round to the first.
    for (int i = 0; i < 6; ++i)
        key(&window, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), window.dates.from.edit());
    window.numbers.from.setText("abc");
    EXPECT_THROW(window.pages(), AppError);
}

TEST_F(BarcodeWindow, TheVatSummaryWindowKeepsItsRateListInTheFile)
{
    VatRates::write(t.install.programDir(), {"18", "8", "1"});
    {
        TfrmFatKdv window(*shell);
        open(window);
        EXPECT_EQ(window.windowTitle(), "[-ABC-Deneme Ltd.-]  Dönemsel kdv dökümü");
        EXPECT_EQ(window.choice().rates, QStringList({"18", "8", "1"})); // all ticked
        // A rate already listed: the notice, the field emptied, the list as it was.
        window.newRate.setText("8");
        key(&window, Qt::Key_F5);
        EXPECT_EQ(messages.asked.back(), "KDV kodu daha önce verilmiş / ");
        EXPECT_TRUE(window.newRate.text().isEmpty());
        window.newRate.setText("20");
        key(&window, Qt::Key_F5);
        EXPECT_EQ(window.listed(), QStringList({"18", "8", "1", "20"}));
        EXPECT_EQ(window.choice().rates, QStringList({"18", "8", "1"})); // added, not ticked
        window.rates()->item(2)->setCheckState(Qt::Unchecked);
        EXPECT_EQ(window.choice().rates, QStringList({"18", "8"}));
        window.rates()->setCurrentRow(0);
        key(&window, Qt::Key_F6);
        key(&window, Qt::Key_Escape);
        EXPECT_FALSE(window.isVisible());
    }
    EXPECT_EQ(VatRates::read(t.install.programDir()), QStringList({"8", "1", "20"}));
    TfrmFatKdv again(*shell);
    EXPECT_EQ(again.choice().rates, QStringList({"8", "1", "20"}));
}
