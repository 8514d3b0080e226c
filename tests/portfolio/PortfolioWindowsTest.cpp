#include "portfolio/OperationsWindow.h"
#include "portfolio/PaperPosting.h"
#include "portfolio/PaperReportWindow.h"
#include "portfolio/PaperWindows.h"
#include "portfolio/VoucherPosting.h"
#include "portfolio/VoucherWindows.h"
#include "printing/PageSet.h"
#include "store/Table.h"
#include "support/WindowTest.h"

#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>

namespace {

class PortfolioWindows : public WindowTest {
protected:
    qint64 giver = 0, other = 0, bank = 0;
    const QDate received{2026, 3, 1};

    void SetUp() override
    {
        WindowTest::SetUp();
        shell->workingYear = 2026;
        giver = card("120.01", "Yılmaz Ticaret");
        other = card("120.02", "Kaya Gıda");
        bank = card("102.01", "Deniz Bankası", 3);
    }
    qint64 card(const QString& code, const QString& title, int durum = 1)
    {
        const qint64 id = addCustomerCard(*company, code, title);
        company->connection().scalar("UPDATE \"Cari\" SET \"CariDurum\" = ? WHERE \"Nosu\" = ?",
                                     {durum, id});
        company->table("Cari").refresh();
        return id;
    }
    qint64 enter(const QDate& due, double amount, const QString& number = "A-1")
    {
        CustomerPaper p;
        p.girTarihi = received;
        p.vadesi = due;
        p.number = number;
        p.tutari = amount;
        p.banka = "Ziraat";
        p.customerId = giver;
        return PaperPosting(*company, customerChecks()).save(p);
    }
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
    QVariant field(const QString& table, qint64 id, const QString& name)
    {
        return company->connection().scalar(
            QStringLiteral("SELECT \"%1\" FROM \"%2\" WHERE \"Nosu\" = ?").arg(name, table), {id});
    }
    static void type(QWidget* edit, const QString& text)
    {
        edit->setFocus();
        static_cast<QLineEdit*>(edit)->clear();
        QTest::keyClicks(edit, text);
    }
};

} // namespace

TEST_F(PortfolioWindows, TheListShowsOnePositionBetweenTheDatesWithItsTotal)
{
    enter(QDate(2026, 4, 15), 100.10, "A-1");
    const qint64 endorsed = enter(QDate(2026, 5, 15), 200, "A-2");
    enter(QDate(2027, 1, 15), 50, "A-3"); // due after the working year
    PaperPosting(*company, customerChecks()).endorse(endorsed, {received, {}, other});

    TfrmCek list(*shell, customerChecks());
    open(list);
    EXPECT_EQ(list.windowTitle(), "Müşteri çekleri");
    EXPECT_EQ(list.model()->rowCount(), 1);
    EXPECT_EQ(list.totalText(), "100.10");
    EXPECT_TRUE(list.commandEnabled("Yeni"));
    list.setBounds(QDate(2026, 1, 1), true, QDate(2026, 12, 31), false); // the end unticked
    EXPECT_EQ(list.model()->rowCount(), 2);
    EXPECT_EQ(list.totalText(), "150.10");
    list.choosePosition(1);
    EXPECT_EQ(list.model()->rowCount(), 1);
    EXPECT_EQ(list.totalText(), "200.00");
    EXPECT_FALSE(list.commandEnabled("Yeni")); // new papers start in the portfolio
    list.choosePosition(2);
    EXPECT_EQ(list.model()->rowCount(), 0);
    EXPECT_EQ(list.totalText(), "0.00");
    EXPECT_FALSE(list.commandEnabled("Duzeltme"));
    EXPECT_FALSE(list.commandEnabled("Detay"));
}

TEST_F(PortfolioWindows, PapersOfAVoucherAreNeitherEditedNorDeletedFromTheList)
{
    VoucherPosting vouchers(*company, customerChecks());
    const qint64 voucher = vouchers.saveHeader(0, {received, giver, 0, {}, false});
    CustomerPaper p;
    p.girTarihi = received;
    p.vadesi = QDate(2026, 4, 1);
    p.tutari = 10;
    vouchers.saveLine(voucher, p);

    TfrmCek list(*shell, customerChecks());
    open(list);
    ASSERT_EQ(list.model()->rowCount(), 1);
    messages.answers = {1, 1};
    key(&list, Qt::Key_F3);
    key(&list, Qt::Key_F4);
    EXPECT_EQ(messages.asked,
              QStringList({"Kaynak program çek değil / ", "Kaynak program çek değil / "}));
    EXPECT_EQ(count("SELECT count(*) FROM \"Cek\""), 1);
}

TEST_F(PortfolioWindows, TheEntryWindowLooksTheGiverUpAgainAndDeletesAfterTwoYeses)
{
    TfrmCek list(*shell, customerChecks());
    open(list);
    whenOpen<TfrmCekF>([this](TfrmCekF* f) {
        EXPECT_EQ(f->windowTitle(), "[-ABC-Deneme Ltd.-]  Yeni Çek girişi");
        EXPECT_EQ(f->text(f->at(TfrmCekF::Vadesi)),
                  QDate::currentDate().addDays(30).toString("dd.MM.yyyy"));
        type(f->editor(f->at(TfrmCekF::CariNo)), "120.02");
        key(f, Qt::Key_Return);
        EXPECT_EQ(f->text(f->at(TfrmCekF::Unvani)), "Kaya Gıda");
        EXPECT_EQ(QApplication::focusWidget(), f->editor(f->at(TfrmCekF::Unvani)));
        // A code of no card is refused on saving; what was typed stays.
        static_cast<QLineEdit*>(f->editor(f->at(TfrmCekF::CariNo)))->setText("YOK");
        type(f->editor(f->at(TfrmCekF::Number)), "C-9");
        type(f->editor(f->at(TfrmCekF::Vadesi)), "15.06.2026"); // within the listed year
        f->setNumber(f->at(TfrmCekF::Tutari), 75.5);
        key(f, Qt::Key_F2);
        EXPECT_TRUE(f->isVisible());
        EXPECT_EQ(messages.asked.back(), "Cari kart nosu bulunamadı / ");
        static_cast<QLineEdit*>(f->editor(f->at(TfrmCekF::CariNo)))->setText("120.02");
        f->editor(f->at(TfrmCekF::Tutari))->setFocus();
        key(f, Qt::Key_Return); // Enter on the amount saves
    });
    key(&list, Qt::Key_F2);
    ASSERT_EQ(list.model()->rowCount(), 1);
    const qint64 id = list.table().currentId();
    EXPECT_EQ(field("Cek", id, "ACariNo").toString(), "120.02");
    EXPECT_EQ(field("Cek", id, "CekNo").toString(), "C-9");
    EXPECT_EQ(list.totalText(), "75.50");
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"Alacak\" = 75.5 AND \"Kaynak\" = "
                    "'CE' AND \"CARef\" = ?",
                    {other}),
              1);

    messages.asked.clear();
    messages.answers = {1, 0}; // the second question answered no: nothing goes
    key(&list, Qt::Key_F4);
    EXPECT_EQ(messages.asked,
              QStringList({"Çeki ve hareketlerini silmek / istediğinize emin misiniz ? ",
                           "Çek hareket bilgisini tamamıyla kaybedeceksiniz / emin misiniz ? "}));
    EXPECT_EQ(count("SELECT count(*) FROM \"Cek\""), 1);
    messages.answers = {1, 1};
    key(&list, Qt::Key_F4);
    EXPECT_EQ(count("SELECT count(*) FROM \"Cek\""), 0);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\""), 0);
    EXPECT_EQ(list.totalText(), "0.00");
}

TEST_F(PortfolioWindows, TheOperationsWindowOffersWhatThePositionAllowsAndSavesEachPanel)
{
    const qint64 id = enter(QDate(2026, 4, 15), 100);
    TfrmCekG g(*shell, customerChecks(), id);
    open(g);
    EXPECT_EQ(g.windowTitle(), "15.04.2026 Vadeli, Yılmaz Ticaret den alınan çek detayı");
    EXPECT_EQ(g.statusText(0), " [ ABC : Deneme Ltd. ] Şirketi");
    for (const char* c : {"Ciro", "Banka", "Tahsil", "Karsiliksiz", "Iade", "Cikis"})
        EXPECT_TRUE(g.commandEnabled(c)) << c;
    EXPECT_FALSE(g.commandEnabled("Kaydet"));
    // A never-set panel date shows the receipt date.
    EXPECT_EQ(g.field(TfrmCekG::Tahsil, TfrmCekG::Date)->text(), "01.03.2026");

    // Endorsing to the giver is refused at the code.
    key(&g, Qt::Key_F7);
    EXPECT_EQ(g.openPanel(), TfrmCekG::Ciro);
    EXPECT_FALSE(g.commandEnabled("Cikis"));
    type(g.field(TfrmCekG::Ciro, TfrmCekG::Code), "120.01");
    key(&g, Qt::Key_Return);
    EXPECT_EQ(messages.asked.back(), "Cirolanan kart, çek alınan firma / olamaz. Değiştiriniz");
    EXPECT_TRUE(g.field(TfrmCekG::Ciro, TfrmCekG::Code)->text().isEmpty());
    type(g.field(TfrmCekG::Ciro, TfrmCekG::Code), "120.02");
    key(&g, Qt::Key_Return);
    EXPECT_EQ(g.field(TfrmCekG::Ciro, TfrmCekG::Title)->text(), "Kaya Gıda");
    EXPECT_EQ(QApplication::focusWidget(), g.field(TfrmCekG::Ciro, TfrmCekG::Title));
    key(&g, Qt::Key_F2);
    EXPECT_EQ(g.openPanel(), -1);
    EXPECT_EQ(g.position(), PaperPosition::Ciro);
    EXPECT_TRUE(g.commandEnabled("Ciro"));
    EXPECT_FALSE(g.commandEnabled("Banka"));
    EXPECT_EQ(
        count("SELECT count(*) FROM \"CarHar\" WHERE \"Borc\" = 100 AND \"CARef\" = ?", {other}),
        1);

    // Saving the endorsement without a code takes it back, and says whose it was.
    key(&g, Qt::Key_F7);
    g.field(TfrmCekG::Ciro, TfrmCekG::Code)->clear();
    key(&g, Qt::Key_F2);
    EXPECT_EQ(messages.asked.back(), "Kaya Gıda kartına cirolanmış / çek kaydı siliniyor");
    EXPECT_EQ(g.position(), PaperPosition::Portfoy);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"CARef\" = ?", {other}), 0);

    // A bank code of no bank card is refused in the panel; nothing is written.
    key(&g, Qt::Key_F8);
    g.field(TfrmCekG::Banka, TfrmCekG::Code)->setText("120.02");
    key(&g, Qt::Key_F2);
    EXPECT_EQ(messages.asked.back(), "Banka kartı bulunamadı / ");
    EXPECT_EQ(g.openPanel(), TfrmCekG::Banka);
    EXPECT_EQ(field("Cek", id, "CekDurumu").toInt(), 0);
    g.field(TfrmCekG::Banka, TfrmCekG::Code)->setText("102.01");
    key(&g, Qt::Key_F2);
    EXPECT_EQ(g.position(), PaperPosition::Banka);
    EXPECT_TRUE(g.commandEnabled("Tahsil"));
    key(&g, Qt::Key_F9);
    key(&g, Qt::Key_F2); // collected through the bank: two more bank movements, no cash
    EXPECT_EQ(g.position(), PaperPosition::Tahsil);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"CARef\" = ?", {bank}), 3);
    EXPECT_EQ(count("SELECT count(*) FROM \"Kasa\""), 0);

    // Esc in a panel drops the input; the panel İptal takes the paper back into the portfolio.
    key(&g, Qt::Key_F9);
    g.field(TfrmCekG::Tahsil, TfrmCekG::Note)->setText("vazgeçilecek");
    key(&g, Qt::Key_Escape);
    EXPECT_TRUE(g.isVisible());
    EXPECT_EQ(g.openPanel(), -1);
    EXPECT_TRUE(g.field(TfrmCekG::Tahsil, TfrmCekG::Note)->text().isEmpty());
    key(&g, Qt::Key_F9);
    key(&g, Qt::Key_F4);
    EXPECT_EQ(messages.asked.back(), "Yılmaz Ticaret tahsil edilen çek /  kaydı portföye alınıyor");
    EXPECT_EQ(g.position(), PaperPosition::Portfoy);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"CARef\" = ?", {bank}), 0);
    key(&g, Qt::Key_Escape); // "Çıkış"
    EXPECT_FALSE(g.isVisible());
}

TEST_F(PortfolioWindows, AVoucherHeaderWithTheSurchargePostedOpensItsLinesWithTheFigures)
{
    TfrmCekFis list(*shell, customerChecks());
    open(list);
    EXPECT_EQ(list.windowTitle(), "[-ABC-Deneme Ltd.-] şirketi Müşteri çek fişleri");
    bool linesOpened = false;
    whenOpen<TfrmCekFisA>([this](TfrmCekFisA* a) {
        EXPECT_EQ(a->windowTitle(), "[-ABC-Deneme Ltd.-]  Yeni çek fişi girişi");
        static_cast<QLineEdit*>(a->editor(a->at(TfrmCekFisA::Tarih)))->setText("01.03.2026");
        type(a->editor(a->at(TfrmCekFisA::CariNo)), "120.01");
        a->setNumber(a->at(TfrmCekFisA::GZam), 3);
        a->choosePosted(true);
        key(a, Qt::Key_F2);
    });
    // The lines open at once: two checks entered there.
    QTimer::singleShot(0, [&] {
        whenOpen<TfrmCekFisB>([&](TfrmCekFisB* b) {
            linesOpened = true;
            EXPECT_EQ(b->infoText("Ortalama Vade"), "");
            EXPECT_EQ(b->infoText("Gecikme Zammı"), "0.00");
            for (const auto& [due, amount] : {std::pair{QString("31.03.2026"), 1000.0},
                                              std::pair{QString("30.04.2026"), 3000.0}}) {
                whenOpen<TfrmCekF>([due, amount](TfrmCekF* f) {
                    EXPECT_EQ(f->windowTitle(), "[-ABC-Deneme Ltd.-]  Yeni Çek girişi");
                    static_cast<QLineEdit*>(f->editor(f->at(TfrmCekF::Vadesi)))->setText(due);
                    f->setNumber(f->at(TfrmCekF::Tutari), amount);
                    key(f, Qt::Key_F2);
                });
                key(b, Qt::Key_F2);
            }
            EXPECT_EQ(b->infoText("Ortalama Vade"), "22.04.2026 52 gün");
            EXPECT_EQ(b->infoText("Gecikme Zammı"), "210.00");
            EXPECT_EQ(b->infoText("ÇEK TOPLAMI"), "4,000.00");
            key(b, Qt::Key_Escape);
        });
    });
    key(&list, Qt::Key_F2);
    EXPECT_TRUE(linesOpened);
    EXPECT_EQ(count("SELECT count(*) FROM \"Cek\" WHERE \"Kaynak\" = 'MF'"), 2);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"Borc\" = 210 AND \"Aciklama\" = "
                    "'REF. ÇEK FİŞİ G.ZAMMI'"),
              1);

    // The whole voucher goes after two yeses.
    messages.answers = {1, 1};
    key(&list, Qt::Key_F4);
    EXPECT_EQ(messages.asked.front(),
              "Müşteri çek hareket fişini iptal etmek / istediğinize emin misiniz ?");
    EXPECT_EQ(count("SELECT count(*) FROM \"CekFis\""), 0);
    EXPECT_EQ(count("SELECT count(*) FROM \"Cek\""), 0);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\""), 0);
}

TEST_F(PortfolioWindows, ANoteSeriesTakesItsSpacingFromTheDueDateAndSavesEveryNote)
{
    VoucherPosting vouchers(*company, customerNotes());
    const qint64 voucher = vouchers.saveHeader(0, {received, giver, 0, {}, false});
    TfrmCekF f(*shell, customerNotes(), 0, voucher);
    open(f);
    EXPECT_EQ(f.objectName(), "frmSenFisF");
    EXPECT_FALSE(f.editor(f.at(TfrmCekF::Adet))->isEnabled());
    EXPECT_EQ(f.commandButton("Vazgec")->text(), "Vazgeç [F12]");
    f.chooseSeries(true);
    static_cast<QLineEdit*>(f.editor(f.at(TfrmCekF::GirTarihi)))->setText("31.01.2004");
    static_cast<QLineEdit*>(f.editor(f.at(TfrmCekF::Vadesi)))->setText("15.02.2004");
    f.setNumber(f.at(TfrmCekF::Tutari), 50);
    f.editor(f.at(TfrmCekF::Tutari))->setFocus();
    key(&f, Qt::Key_Return); // the days from receipt to due date become the spacing
    EXPECT_EQ(f.number(f.at(TfrmCekF::Sure)), 15);
    EXPECT_EQ(QApplication::focusWidget(), f.editor(f.at(TfrmCekF::Adet)));
    f.setNumber(f.at(TfrmCekF::Adet), 0);
    f.setNumber(f.at(TfrmCekF::Sure), 30);
    f.editor(f.at(TfrmCekF::Sure))->setFocus();
    key(&f, Qt::Key_Return);
    EXPECT_EQ(messages.asked.back(), "Senet adedi en az 1 olmalı / Senet kontrol");
    EXPECT_TRUE(f.isVisible());
    f.setNumber(f.at(TfrmCekF::Adet), 3);
    f.editor(f.at(TfrmCekF::Sure))->setFocus();
    key(&f, Qt::Key_Return);
    EXPECT_FALSE(f.isVisible());
    QStringList dues;
    for (const SqlRow& row :
         company->connection().select("SELECT \"Vadesi\" FROM \"Senet\" ORDER BY \"Vadesi\""))
        dues << row[0].toString();
    EXPECT_EQ(dues, QStringList({"2004-02-29", "2004-03-31", "2004-04-30"}));
}

TEST_F(PortfolioWindows, AFirmCheckNeedsABankCardAndIsPaidThroughIt)
{
    TfrmFCekF f(*shell, firmChecks(), 0);
    open(f);
    EXPECT_EQ(f.windowTitle(), "[-ABC-Deneme Ltd.-]  Yeni firma çeki girişi");
    // The card list only from a code field.
    f.editor(f.at(TfrmFCekF::Tutari))->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(f.commandEnabled("Liste"));
    type(f.editor(f.at(TfrmFCekF::CariNo)), "120.02");
    EXPECT_TRUE(f.commandEnabled("Liste"));
    type(f.editor(f.at(TfrmFCekF::BankaNo)), "120.01"); // a customer, not a bank
    key(&f, Qt::Key_Return);
    EXPECT_EQ(messages.asked.back(), "Banka kartı bulunamadı / ");
    EXPECT_TRUE(f.text(f.at(TfrmFCekF::BankaNo)).isEmpty());
    key(&f, Qt::Key_F2);
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(count("SELECT count(*) FROM \"FCek\""), 0);
    type(f.editor(f.at(TfrmFCekF::BankaNo)), "102.01");
    key(&f, Qt::Key_Return);
    EXPECT_EQ(f.text(f.at(TfrmFCekF::Banka)), "Deniz Bankası");
    f.setNumber(f.at(TfrmFCekF::Tutari), 300);
    f.choosePaid(true);
    key(&f, Qt::Key_F2);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(
        count("SELECT count(*) FROM \"CarHar\" WHERE \"Borc\" = 300 AND \"CARef\" = ?", {other}),
        1);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"Alacak\" = 300 AND \"Kaynak\" = "
                    "'BN' AND \"CARef\" = ?",
                    {bank}),
              1);
}

TEST_F(PortfolioWindows, TheReportWindowListsEveryPositionWithTumuAndTakesDigitsAsReferences)
{
    enter(QDate(2026, 4, 15), 100.10, "A-1");
    const qint64 endorsed = enter(QDate(2026, 5, 15), 200, "A-2");
    PaperPosting(*company, customerChecks()).endorse(endorsed, {received, {}, other});
    TfrmMCekR r(*shell, customerChecks());
    open(r);
    EXPECT_EQ(r.windowTitle(), "[-ABC-Deneme Ltd.-]  Müşteri çek listeleri");
    EXPECT_EQ(r.customers.from.text(), "102.01"); // first and last card codes
    EXPECT_EQ(r.customers.to.text(), "120.02");
    EXPECT_EQ(r.pages().plainText().contains("Listelenen 1 adet"), true);
    r.position.choose(6);
    EXPECT_EQ(r.pages().plainText().contains("Listelenen 2 adet"), true);
    QTest::keyClicks(r.references.from.edit(), "1a'2");
    EXPECT_EQ(r.references.from.text(), "12");
    r.references.from.setText(QString());
    r.position.choose(4); // no paper bounced: no page at all
    EXPECT_EQ(r.pages().pageCount(), 0);
}
