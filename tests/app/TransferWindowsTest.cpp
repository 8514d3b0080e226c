#include "app/AccessConfig.h"
#include "app/KodAktar.h"
#include "app/MainWindow.h"
#include "app/SirketDevir.h"
#include "app/SirketSec.h"
#include "customers/CarHar.h"
#include "customers/CarKart.h"
#include "invoicing/FtSatis.h"
#include "invoicing/InvoicePosting.h"
#include "stock/StHar.h"
#include "stock/StKart.h"
#include "store/CompanySettings.h"
#include "store/DemoBooks.h"
#include "store/IniFile.h"
#include "store/InstallSettings.h"
#include "support/WindowTest.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>

namespace {

class TransferWindows : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        shell->global = t.global.get();
        shell->session = &t.session;
    }
    qint64 card(const QString& table, const QString& field, const QString& code)
    {
        Table& cards = company->table(table);
        cards.append();
        cards[field] = code;
        cards.post();
        return cards.currentId();
    }
    QString stored(const QString& sql) { return company->connection().scalar(sql).toString(); }
};

} // namespace

TEST_F(TransferWindows, PeriodTransferWindowRefusesWhatItMustAndMakesTheCompany)
{
    t.install.ini().writeBool("SERVER", "DEVIR", true);
    t.install.ini().writeInteger("SERVER", "STOKD", 2);
    const qint64 c = card("Cari", "CariNo", "C1");
    Table& har = company->table("CarHar");
    har.append();
    har["Tarih"] = QDate(2026, 1, 1);
    har["CARef"] = c;
    har["Borc"] = 12.5;
    har.post();

    TfrmSirketDevir w(*shell);
    w.prepare();
    w.show();
    QApplication::processEvents();
    EXPECT_EQ(w.windowTitle(), "ABC-Deneme Ltd. devir işlemleri");
    EXPECT_EQ(w.text(TfrmSirketDevir::Date), QDate::currentDate().toString("dd.MM.yyyy"));
    EXPECT_TRUE(w.checked(TfrmSirketDevir::Balances));
    EXPECT_FALSE(w.checked(TfrmSirketDevir::DropZeros));
    EXPECT_EQ(w.valuation()->checkedId(), 2);
    EXPECT_EQ(w.setting(0)->checkedId(), 1);
    EXPECT_EQ(w.setting(1)->checkedId(), 1);
    EXPECT_EQ(w.setting(2)->checkedId(), 0);
    EXPECT_EQ(w.text(TfrmSirketDevir::Currency), "TL");
    EXPECT_EQ(w.commandButton("Kaydet")->text(), "Devir et [F2]");
    EXPECT_EQ(w.commandButton("Kaydet")->toolTip(), "Şirket devir işlemi yapılır.");
    EXPECT_EQ(w.commandButton("Vazgec")->toolTip(), "Şirket devir işleminden çıkış");
    // Enter and Down go on in tab order, Up goes back.
    EXPECT_EQ(QApplication::focusWidget(), w.editor(TfrmSirketDevir::Code));
    key(&w, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w.editor(TfrmSirketDevir::Date));
    key(&w, Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), w.editor(TfrmSirketDevir::Balances));
    key(&w, Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), w.editor(TfrmSirketDevir::Date));

    // An empty code, the open company's code, a directory already there.
    w.editor(TfrmSirketDevir::Code)->setFocus();
    key(&w, Qt::Key_F2);
    QTest::keyClicks(w.editor(TfrmSirketDevir::Code), "abc");
    EXPECT_EQ(w.text(TfrmSirketDevir::Code), "ABC");
    key(&w, Qt::Key_F2);
    EXPECT_EQ(messages.asked, QStringList({"Şirket kodu daha önce verilmiş / kontrol edip tekrar "
                                           "deneyiniz",
                                           "Şirket kodu daha önce verilmiş / kontrol edip tekrar "
                                           "deneyiniz"}));
    EXPECT_EQ(messages.titles.last(), "Şirket kontrol");
    EXPECT_TRUE(w.isVisible());

    // A date that is no date is refused with its field and nothing is made.
    w.setText(TfrmSirketDevir::Code, "YENI");
    w.setText(TfrmSirketDevir::Date, "31.02.2026");
    key(&w, Qt::Key_F2);
    EXPECT_TRUE(messages.asked.last().startsWith("Tarih hatalı: 31.02.2026"))
        << messages.asked.last().toStdString();
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(t.global->CompanyCodeExists("YENI"));
    w.setText(TfrmSirketDevir::Date, "1.1.27");
    w.valuation()->button(0)->setChecked(true);
    w.setting(2)->button(1)->setChecked(true);
    w.setText(TfrmSirketDevir::Currency, "YTL");
    messages.asked.clear();
    key(&w, Qt::Key_F2);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(messages.asked, QStringList({"YENI şirketine devir tamamlandı / Şirket seç [F2] ile "
                                           "açabilirsiniz."}));
    EXPECT_EQ(w.progress()->value(), w.progress()->maximum());
    EXPECT_TRUE(t.global->CompanyCodeExists("YENI"));
    t.install.ini().reload();
    EXPECT_EQ(t.install.ini().readInteger("SERVER", "STOKD", -1), 0);
    EXPECT_TRUE(t.install.ini().readBool("SERVER", "DEVIR", false));
    const CompanySettings made = CompanySettings::read(t.install.companyDirectory("YENI"));
    EXPECT_EQ(made.fiyat, 1);
    EXPECT_EQ(made.tl, "YTL");
    CompanyData yeni(t.session, t.install, "YENI");
    EXPECT_EQ(yeni.connection().scalar("SELECT \"Borc\" FROM \"CarHar\"").toDouble(), 12.5);
    EXPECT_EQ(yeni.connection().scalar("SELECT \"Tarih\" FROM \"CarHar\"").toString(),
              "2027-01-01");

    // A directory in the way: told under its own title, and the window closes.
    QDir(t.install.dataDirectory()).mkdir("VAR");
    TfrmSirketDevir second(*shell);
    second.prepare();
    second.show();
    second.setText(TfrmSirketDevir::Code, "VAR");
    key(&second, Qt::Key_F2);
    EXPECT_EQ(messages.asked.last(),
              "Şirket kodunda önceden kayıt edilmiş dizin var / Şirket kodunu değiştiriniz !!");
    EXPECT_EQ(messages.titles.last(), "Şirket bilgileri kontrol");
    EXPECT_FALSE(second.isVisible());

    // No company open.
    shell->companyIsOpen = false;
    TfrmSirketDevir third(*shell);
    third.prepare();
    third.show();
    third.setText(TfrmSirketDevir::Code, "UCUNCU");
    key(&third, Qt::Key_F2);
    EXPECT_EQ(messages.asked.last(), "Seçili şirket yok / lütfen şirket seçip deneyiniz");
    EXPECT_TRUE(third.isVisible());
}

TEST_F(TransferWindows, CodeTransferFromBothCardLists)
{
    const qint64 c1 = card("Cari", "CariNo", "C1");
    card("Cari", "CariNo", "C2");
    Table& har = company->table("CarHar");
    har.append();
    har["Tarih"] = QDate(2026, 1, 1);
    har["CARef"] = c1;
    har["CariNo"] = "C1";
    har.post();

    TfrmCarKart list(*shell);
    list.prepare();
    list.show();
    QApplication::processEvents();
    list.table().gotoId(c1);
    list.reload();
    ASSERT_TRUE(list.commandEnabled("KodAktar"));

    // The same code: the window stays to be corrected; then another card's code.
    int round = 0;
    whenOpen<TfrmKodAktar>([&](TfrmKodAktar* w) {
        if (round++ > 0) return;
        EXPECT_EQ(w->windowTitle(), "[-ABC-Deneme Ltd.-]  CARİ kart kod aktarımı");
        EXPECT_EQ(w->text(0), "C1");
        EXPECT_EQ(w->text(1), "C1");
        EXPECT_EQ(w->progress()->maximum(), 21);
        EXPECT_EQ(w->commandButton("Kaydet")->text(), "Kod aktar [F2]");
        EXPECT_EQ(w->commandButton("Kaydet")->toolTip(), "Eski kodu yeni koda aktar");
        key(w, Qt::Key_F2);
        EXPECT_TRUE(w->isVisible());
        w->setText(1, "c2");
        key(w, Qt::Key_F2);
    });
    key(&list, Qt::Key_F7);
    EXPECT_EQ(messages.asked, QStringList({"Yeni kod geçerli değil / düzeltiniz !!!",
                                           "Cari kod başka bir kart / tarafından kullanılıyor"}));
    EXPECT_EQ(messages.titles, QStringList({"Kod aktarımı", "Kart kontrol"}));

    // No at the second question changes nothing; two yeses do it.
    for (const bool sure : {false, true}) {
        messages.asked.clear();
        messages.answers = {1, sure ? 1 : 0, 1};
        whenOpen<TfrmKodAktar>([&](TfrmKodAktar* w) {
            w->setText(1, "yeni");
            key(w, Qt::Key_F2);
        });
        key(&list, Qt::Key_F7);
        ASSERT_GE(messages.asked.size(), 2);
        EXPECT_EQ(messages.asked[0], "Cari kodu değiştirmek istediğinize / emin misiniz?");
        EXPECT_EQ(messages.asked[1], "Artık yeni kod geçerli olacak / emin misiniz?");
        EXPECT_EQ(stored("SELECT \"CariNo\" FROM \"CarHar\""), sure ? "yeni" : "C1");
    }
    EXPECT_EQ(messages.asked.last(), "C1 cari kodu yeni koduyla / değiştirildi !!!");
    EXPECT_EQ(list.table().currentId(), c1) << "the list stays on the card";
    EXPECT_EQ(list.table()["CariNo"].asString(), "yeni");
    list.close();

    // Stock: three steps, the code cut to 25 characters.
    const qint64 s = card("Stok", "Kodu", "S1");
    TfrmStKart stock(*shell);
    stock.prepare();
    stock.show();
    QApplication::processEvents();
    stock.table().gotoId(s);
    stock.reload();
    messages.asked.clear();
    messages.answers = {1, 1, 1};
    whenOpen<TfrmKodAktar>([&](TfrmKodAktar* w) {
        EXPECT_EQ(w->progress()->maximum(), 3);
        EXPECT_EQ(w->windowTitle(), "[-ABC-Deneme Ltd.-]  STOK kart kod aktarımı");
        w->editor(1)->setFocus();
        static_cast<QLineEdit*>(w->editor(1))->selectAll();
        QTest::keyClicks(w->editor(1), QString(30, 'x'));
        key(w, Qt::Key_F2);
    });
    key(&stock, Qt::Key_F7);
    EXPECT_EQ(messages.asked.first(), "Stok kodunu değiştirmek istediğinize / emin misiniz?");
    EXPECT_EQ(stored("SELECT \"Kodu\" FROM \"Stok\""), QString(25, 'X'));
}

namespace {

// The text of a grid's cell, as the window shows it.
QString cell(QTableView* grid, int row, int column)
{
    return grid->model()->index(row, column).data().toString();
}

int column(QTableView* grid, const QString& header)
{
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        if (grid->model()->headerData(c, Qt::Horizontal).toString() == header) return c;
    ADD_FAILURE() << "no column " << header.toStdString();
    return 0;
}

// What the movement window W (2201 or 3201) shows for the card `code` of the open company: its
// title, the first movement's description and the totals `totals`.
template <typename W>
QStringList movementWindow(Shell& shell, const char* table, const char* codeField,
                           const QString& code, std::initializer_list<int> totals)
{
    Table& cards = shell.company->table(table);
    EXPECT_TRUE(CompanyData::SeekBackByText(cards, codeField, code)) << code.toStdString();
    W w(shell);
    w.prepare();
    w.show();
    QApplication::processEvents();
    QStringList texts = {w.windowTitle(), cell(w.grid(), 0, column(w.grid(), "Açıklama"))};
    for (const int i : totals)
        texts << w.totalText(i);
    return texts;
}

QStringList customerTotals(Shell& shell, const QString& code)
{
    return movementWindow<TfrmCarHar>(shell, "Cari", "CariNo", code, {0, 1, 2});
}

QStringList stockTotals(Shell& shell, const QString& code)
{
    return movementWindow<TfrmStHar>(shell, "Stok", "Kodu", code, {4, 6});
}

} // namespace

TEST(TransferScenario, ANewUserTransfersTheBooksThenChangesCodesInTheOldOnes)
{
    TestInstallation t;
    t.createCompany(NewCompany{"ABC", "Deneme Ltd."});
    QString customer, stock;
    {
        CompanyData abc(t.session, t.install, "ABC");
        fillDemoBooks(abc, DemoSize::small(), [](const QString&) {});
        // A customer and a stock card with movements, and a sales invoice naming both.
        customer = abc.connection()
                       .scalar("SELECT \"CariNo\" FROM \"Cari\" WHERE \"Nosu\" = (SELECT "
                               "min(\"CARef\") FROM \"CarHar\")")
                       .toString();
        const SqlRow s = abc.connection()
                             .select("SELECT \"Nosu\", \"Kodu\" FROM \"Stok\" WHERE \"Nosu\" = "
                                     "(SELECT min(\"STRef\") FROM \"StHar\")")
                             .front();
        stock = s[1].toString();
        InvoicePosting posting(abc, t.install);
        InvoiceHeader h;
        h.fatNo = 7001;
        h.tarih = h.irsTarih = h.vadesi = QDate(2026, 3, 1);
        h.cariNo = customer;
        const qint64 invoice = posting.saveHeader(salesInvoice(), 0, h);
        InvoiceLine l;
        l.stockId = s[0].toLongLong();
        l.kodu = stock;
        l.miktari = 1;
        l.birimF = 10;
        l.kdvOran = 18;
        static_cast<LineAmounts&>(l) = computeLine(abc, l);
        posting.saveLine(invoice, l);
    }
    ScriptedMessages messages;
    MainWindow main(t.dir.path(), &messages, false);
    main.show();
    ASSERT_TRUE(main.openGlobalData());
    main.setRights(allRights());
    main.shell().companyIsOpen = true;
    main.shell().activeCompanyCode = "ABC";
    main.openOrClearCompany();
    ASSERT_TRUE(main.button("Devir")->isEnabled());
    const QStringList oldCustomer = customerTotals(main.shell(), customer);
    const QStringList oldStock = stockTotals(main.shell(), stock);

    // Şirket Devri [F4] with balances, then "Şirket seç" [F2] the new company.
    messages.answers = {1};
    whenModalOpen<TfrmSirketDevir>([](TfrmSirketDevir* w) {
        w->setText(TfrmSirketDevir::Code, "YENI");
        w->setChecked(TfrmSirketDevir::Balances, true);
        QTest::keyClick(w, Qt::Key_F2);
    });
    QTest::keyClick(&main, Qt::Key_F4);
    whenModalOpen<TfrmSirketSec>([](TfrmSirketSec* w) {
        w->codeEdit()->setText("YENI");
        QTest::keyClick(w->codeEdit(), Qt::Key_Return);
    });
    QTest::keyClick(&main, Qt::Key_F2);
    ASSERT_EQ(main.shell().activeCompanyCode, "YENI");
    const QStringList newCustomer = customerTotals(main.shell(), customer);
    EXPECT_EQ(newCustomer[1], QStringLiteral("DEVİR"));
    EXPECT_EQ(newCustomer[4], oldCustomer[4]) << "the balance carried is the balance";
    const QStringList newStock = stockTotals(main.shell(), stock);
    EXPECT_EQ(newStock[1], QStringLiteral("DEVİR"));
    EXPECT_EQ(newStock[2], oldStock[2]);
    EXPECT_EQ(newStock[3], oldStock[3]);

    // Back in the old books: new codes from the card lists, seen in 2201, 3201 and 1202.
    main.shell().activeCompanyCode = "ABC";
    main.openOrClearCompany();
    Shell& shell = main.shell();
    messages.answers = {1, 1, 1, 1, 1, 1};
    for (const bool isCustomer : {true, false}) {
        Table& cards = shell.company->table(isCustomer ? "Cari" : "Stok");
        CompanyData::SeekBackByText(cards, isCustomer ? "CariNo" : "Kodu",
                                    isCustomer ? customer : stock);
        const qint64 card = cards.currentId();
        whenModalOpen<TfrmKodAktar>([](TfrmKodAktar* w) {
            w->setText(1, "YENIKOD");
            QTest::keyClick(w, Qt::Key_F2);
        });
        if (isCustomer) {
            TfrmCarKart list(shell);
            list.prepare();
            list.show();
            list.table().gotoId(card); // the list opens on its last card
            list.reload();
            QTest::keyClick(&list, Qt::Key_F7);
        } else {
            TfrmStKart list(shell);
            list.prepare();
            list.show();
            list.table().gotoId(card); // the list opens on its last card
            list.reload();
            QTest::keyClick(&list, Qt::Key_F7);
        }
    }
    EXPECT_TRUE(customerTotals(shell, "YENIKOD")[0].contains("[YENIKOD : "));
    EXPECT_EQ(customerTotals(shell, "YENIKOD")[4], oldCustomer[4]);
    EXPECT_TRUE(stockTotals(shell, "YENIKOD")[0].contains("[YENIKOD : "));
    TfrmFtSatis invoices(shell, salesInvoice());
    invoices.prepare();
    invoices.show();
    QApplication::processEvents();
    bool seen = false;
    for (int row = 0; row < invoices.grid()->model()->rowCount(); ++row)
        for (int column = 0; column < invoices.grid()->model()->columnCount(); ++column)
            seen = seen || cell(invoices.grid(), row, column) == "YENIKOD";
    EXPECT_TRUE(seen) << "the invoice list shows the new customer code";
    EXPECT_EQ(shell.company->connection()
                  .scalar("SELECT count(*) FROM \"FatHar\" WHERE \"Kodu\" = 'YENIKOD'")
                  .toInt(),
              1);
}
