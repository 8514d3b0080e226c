#include "cash/CashLedger.h"
#include "cash/Kasa.h"
#include "cash/KasaRap.h"
#include "cash/SlipPosting.h"
#include "cash/Tahsil.h"
#include "store/AppError.h"
#include "store/Table.h"
#include "support/QtPrinters.h"
#include "support/WindowTest.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace {

class CashWindows : public WindowTest {
protected:
    qint64 customer(const QString& code, const QString& title)
    {
        return addCustomerCard(*company, code, title);
    }
    template <typename Window> void open(Window& window)
    {
        window.prepare();
        window.show();
        QApplication::processEvents();
    }
    int count(const QString& sql) { return company->connection().scalar(sql).toInt(); }
    static QLineEdit* edit(EntryWindow& w, int field)
    {
        return static_cast<QLineEdit*>(w.editor(field));
    }
};

} // namespace

TEST_F(CashWindows, CashMovementsEnterOneSideAndWarnOnANegativeBalance)
{
    TfrmKasa window(*shell);
    open(window);
    EXPECT_EQ(window.windowTitle(), "[-ABC-Deneme Ltd.-]  Kasa hareketleri");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(window.totalText(i), "0.00");
    EXPECT_TRUE(messages.asked.isEmpty()); // an empty cash box is no warning
    EXPECT_FALSE(window.commandEnabled("Duzeltme"));

    whenOpen<TfrmKasaF>([this](TfrmKasaF* f) {
        EXPECT_EQ(f->windowTitle(), "[-ABC-Deneme Ltd.-]  Yeni kasa hareketi girişi");
        EXPECT_EQ(f->text(TfrmKasaF::Tarih),
                  QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
        edit(*f, TfrmKasaF::BelgeNo)->setText("B-1");
        edit(*f, TfrmKasaF::Aciklama)->setText("Masraf");
        f->editor(TfrmKasaF::Cikan)->setFocus();
        QTest::keyClicks(f->editor(TfrmKasaF::Cikan), "50");
        // A key in "GİREN" with a value empties "ÇIKAN".
        f->editor(TfrmKasaF::Giren)->setFocus();
        QTest::keyClicks(f->editor(TfrmKasaF::Giren), "100");
        EXPECT_DOUBLE_EQ(f->number(TfrmKasaF::Cikan), 0);
        EXPECT_DOUBLE_EQ(f->number(TfrmKasaF::Giren), 100);
        f->editor(TfrmKasaF::Cikan)->setFocus();
        QTest::keyClicks(f->editor(TfrmKasaF::Cikan), "40");
        EXPECT_DOUBLE_EQ(f->number(TfrmKasaF::Giren), 0);
        key(f, Qt::Key_Down); // Down in the last field goes round to the date
        EXPECT_EQ(QApplication::focusWidget(), f->editor(TfrmKasaF::Tarih));
        f->editor(TfrmKasaF::Cikan)->setFocus();
        key(f, Qt::Key_Return); // Enter in "ÇIKAN" saves
    });
    key(&window, Qt::Key_F2);
    EXPECT_EQ(window.totalText(1), "40.00");
    EXPECT_EQ(window.totalText(2), "-40.00");
    ASSERT_EQ(messages.asked.size(), 1);
    EXPECT_EQ(messages.asked.front(), "KASA TERS BAKİYE VERİYOR !! / Dikkat");
    EXPECT_EQ(window.totalBox(2)->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_EQ(company->table("Kasa")["Kaynak"].asString(), "KA");

    // A collection slip's record is its slip's: refused here, gone with the slip.
    const qint64 a = customer("120.01", "Yılmaz");
    SlipPosting slips(*company, collectionSlip());
    const qint64 slip = slips.saveHeader(0, {QDate(2020, 1, 1), "120.01", "Yılmaz", QString()});
    slips.openLines(slip);
    slips.saveLine(slip, 0, QString(), 100);
    window.reload();
    window.table().first(); // the slip's record, dated first
    messages.asked.clear();
    key(&window, Qt::Key_F3);
    key(&window, Qt::Key_F4);
    EXPECT_EQ(messages.asked, QStringList({"Kaynak program kasa değil / Düzeltme yapamazsınız!!",
                                           "Kaynak program kasa değil / İptal yapamazsınız!!"}));
    EXPECT_EQ(count("SELECT count(*) FROM \"Kasa\""), 2);
    EXPECT_EQ(window.totalBox(2)->palette().color(QPalette::Text), QColor(Qt::darkRed));
    slips.removeSlip(slip);
    EXPECT_EQ(count("SELECT count(*) FROM \"Kasa\" WHERE \"Kaynak\" = 'TA'"), 0);
    (void)a;

    // A hand-entered record goes after two yeses.
    window.reload();
    window.goLast();
    messages.answers = {1, 1};
    key(&window, Qt::Key_F4);
    EXPECT_EQ(count("SELECT count(*) FROM \"Kasa\""), 0);
    EXPECT_EQ(window.totalText(2), "0.00");
}

TEST_F(CashWindows, TheHeaderLooksTheCodeUpAgainAndKeepsWhatWasTyped)
{
    customer("120.01", "Yılmaz Ticaret");
    customer("120.02", "Kaya Gıda");
    TfrmTahsilA header(*shell, collectionSlip(), 0);
    open(header);
    EXPECT_EQ(header.windowTitle(), "[-ABC-Deneme Ltd.-]  Yeni tahsil fişi girişi");
    header.editor(TfrmTahsilA::CariNo)->setFocus();
    QTest::keyClicks(header.editor(TfrmTahsilA::CariNo), "120.02");
    key(&header, Qt::Key_Return);
    EXPECT_EQ(header.text(TfrmTahsilA::Unvani), "Kaya Gıda");
    EXPECT_EQ(QApplication::focusWidget(), header.editor(TfrmTahsilA::Unvani));

    // Changed afterwards to a code of no card: not saved, nothing lost.
    edit(header, TfrmTahsilA::CariNo)->setText("YOK");
    edit(header, TfrmTahsilA::Aciklama)->setText("Açıklama");
    key(&header, Qt::Key_F2);
    EXPECT_TRUE(header.isVisible());
    EXPECT_EQ(messages.asked.back(), "Cari kart nosu bulunamadı / ");
    EXPECT_EQ(header.text(TfrmTahsilA::Aciklama), "Açıklama");
    EXPECT_EQ(count("SELECT count(*) FROM \"Tahsil\""), 0);

    edit(header, TfrmTahsilA::CariNo)->setText("120.01");
    header.editor(TfrmTahsilA::Aciklama)->setFocus();
    key(&header, Qt::Key_Return); // Enter in the description saves
    EXPECT_FALSE(header.isVisible());
    const std::optional<SlipData> slip =
        SlipPosting(*company, collectionSlip()).read(header.savedId());
    ASSERT_TRUE(slip.has_value());
    EXPECT_EQ(slip->cariNo, "120.01");
    EXPECT_EQ(slip->unvani, "Yılmaz Ticaret"); // the card's title, taken on saving
}

TEST_F(CashWindows, AfterAnUnknownCodeTheFocusFollowsTheSlipKind)
{
    for (const SlipKind* kind : {&collectionSlip(), &paymentSlip()}) {
        messages.answers = {0}; // no new card
        TfrmTahsilA header(*shell, *kind, 0);
        open(header);
        header.editor(TfrmTahsilA::CariNo)->setFocus();
        QTest::keyClicks(header.editor(TfrmTahsilA::CariNo), "X'1");
        key(&header, Qt::Key_Return);
        EXPECT_EQ(messages.asked.back(), "Cari kart nosu bulunamadı / Yeni kart açılsın mı?");
        EXPECT_EQ(header.text(TfrmTahsilA::CariNo), "X'1");
        EXPECT_EQ(QApplication::focusWidget(),
                  header.editor(kind->collection ? TfrmTahsilA::Unvani : TfrmTahsilA::CariNo))
            << kind->table.toStdString();
        header.close();
    }
}

TEST_F(CashWindows, LinesPostTheSlipAsTheyChange)
{
    customer("320.01", "Tedarikçi");
    SlipPosting slips(*company, paymentSlip());
    const qint64 slip = slips.saveHeader(0, {QDate(2026, 6, 1), "320.01", "Tedarikçi", "Haziran"});
    TfrmTahsilB lines(*shell, paymentSlip(), slip);
    open(lines);
    EXPECT_EQ(lines.windowTitle(), "[-ABC-Deneme Ltd.-]  Tediye fişi");
    EXPECT_FALSE(lines.commandEnabled("Basim")); // nothing to print yet
    EXPECT_EQ(lines.headerText(2), "Tedarikçi");
    EXPECT_EQ(lines.headerText(4), "0.00");
    // Opened once: the movement and the cash record exist, at 0.
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"Kaynak\" = 'TE'"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM \"Kasa\" WHERE \"Kaynak\" = 'TE'"), 1);

    for (const char* amount : {"100", "250"}) {
        whenOpen<TfrmTahsilF>([amount](TfrmTahsilF* f) {
            EXPECT_EQ(f->windowTitle(), "[-ABC-Deneme Ltd.-]  Yeni Tediye hareketi girişi");
            edit(*f, TfrmTahsilF::Aciklama)->setText("Satır");
            key(f, Qt::Key_Return);
            EXPECT_EQ(QApplication::focusWidget(), f->editor(TfrmTahsilF::Tutar));
            QTest::keyClicks(f->editor(TfrmTahsilF::Tutar), amount);
            key(f, Qt::Key_Return); // Enter on the amount saves
        });
        key(&lines, Qt::Key_F2);
    }
    EXPECT_EQ(lines.headerText(4), "350.00");
    EXPECT_TRUE(lines.commandEnabled("Basim"));
    EXPECT_EQ(lines.table().recordCount(), 2);
    const auto cash = [this] {
        return company->connection()
            .scalar("SELECT \"Cikan\" FROM \"Kasa\" WHERE \"Kaynak\" = 'TE'")
            .toDouble();
    };
    EXPECT_DOUBLE_EQ(cash(), 350);

    messages.answers = {1, 1};
    key(&lines, Qt::Key_F4); // the last line, 250
    EXPECT_EQ(messages.asked.front(), "Tediye hareketini silmek / istediğinize emin misiniz ? ");
    EXPECT_EQ(messages.asked[1], "Tediye bilgisini tamamıyla kaybedeceksiniz / emin misiniz ? ");
    EXPECT_EQ(lines.headerText(4), "100.00");
    EXPECT_DOUBLE_EQ(cash(), 100);
    EXPECT_DOUBLE_EQ(company->connection()
                         .scalar("SELECT \"Borc\" FROM \"CarHar\" WHERE \"Kaynak\" = 'TE'")
                         .toDouble(),
                     100);
}

TEST_F(CashWindows, TheSlipListOpensLinesAndDeletesWholeSlips)
{
    customer("120.01", "Yılmaz");
    SlipPosting slips(*company, collectionSlip());
    const qint64 slip = slips.saveHeader(0, {QDate(2026, 6, 1), "120.01", "Yılmaz", "Bir"});
    TfrmTahsil list(*shell, collectionSlip());
    open(list);
    EXPECT_EQ(list.windowTitle(), "[-ABC-Deneme Ltd.-]  Kasa tahsil fişleri");
    EXPECT_EQ(list.commandButton("Hareketler")->text(), "Tahsil Fiş hareketleri [F5]");
    EXPECT_TRUE(list.commandEnabled("HizliKart")); // the slip's customer

    // A slip written meanwhile by another workstation shows before the next command.
    SlipPosting(*company, collectionSlip())
        .saveHeader(0, {QDate(2026, 6, 2), "120.01", "Yılmaz", "İki"});
    list.table().gotoId(slip);
    whenOpen<TfrmTahsilB>([](TfrmTahsilB* b) { key(b, Qt::Key_Escape); });
    key(&list, Qt::Key_F5);
    EXPECT_EQ(list.table().recordCount(), 2);
    EXPECT_EQ(count("SELECT count(*) FROM \"Kasa\""), 1); // the lines were opened

    list.table().gotoId(slip);
    messages.answers = {1, 1};
    key(&list, Qt::Key_F4);
    EXPECT_EQ(messages.asked.mid(0, 2),
              QStringList({"Tahsil fişini iptal etmek / istediğinize emin misiniz ?",
                           "Fişin tüm kayıtları SİLİNECEK!! / emin misiniz ?"}));
    EXPECT_EQ(count("SELECT count(*) FROM \"Tahsil\""), 1);
    EXPECT_EQ(count("SELECT count(*) FROM \"Kasa\""), 0);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\""), 0);
}

TEST_F(CashWindows, TheCashBookWindowStartsOnTodayAndHidesTotalsOnChoice)
{
    TfrmKasaRap window(*shell);
    open(window);
    EXPECT_EQ(window.windowTitle(), "[-ABC-Deneme Ltd.-]  Kasa defteri dökümü");
    CashReports::BookChoice c = window.choice();
    EXPECT_EQ(c.from, QDate::currentDate());
    EXPECT_EQ(c.to, QDate::currentDate());
    EXPECT_FALSE(c.hideTotals);
    window.totals.choose(1);
    EXPECT_TRUE(window.choice().hideTotals);
    window.dates.from.setText("31.02.2026");
    EXPECT_THROW(window.choice(), AppError);
}
