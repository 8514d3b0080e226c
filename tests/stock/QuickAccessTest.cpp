#include "app/QuickAccess.h"
#include "StockBooks.h"
#include "app/KartLis.h"
#include "app/WindowRegistry.h"
#include "customers/CarHar.h"
#include "customers/CustomerLedger.h"
#include "customers/KECari.h"
#include "customers/Registration.h"
#include "stock/KEStok.h"
#include "stock/Registration.h"
#include "stock/StockFacts.h"
#include "store/CompanySettings.h"
#include "store/MoneyFormat.h"
#include "store/MoneySum.h"
#include "support/WindowTest.h"

#include <QAbstractButton>
#include <QButtonGroup>

namespace {

class QuickAccess : public WindowTest {
protected:
    std::unique_ptr<StockBooks> books;
    WindowRegistry registry;

    void SetUp() override
    {
        WindowTest::SetUp();
        books = std::make_unique<StockBooks>(*company);
        registerCustomerWindows(registry);
        registerStockWindows(registry);
        shell->windows = &registry;
    }
    qint64 customer(const QString& code, const QString& title)
    {
        return addCustomerCard(*company, code, title);
    }
    void movement(qint64 customerId, double borc, double alacak, const QString& kaynak)
    {
        CustomerMovement m;
        m.tarih = QDate(2026, 3, 1);
        m.customerId = customerId;
        m.borc = borc;
        m.alacak = alacak;
        m.kaynak = kaynak;
        CustomerLedger(*company).post(m);
    }
    QString money(double v) { return formatNumber(v, company->moneyFormat()); }
    // A stock card "K01" with its prices and VAT rate.
    qint64 pricedCard(double fiyat1, double fiyat3, double normal)
    {
        const qint64 id = books->card("K01", "Kalem");
        Table& stok = company->table("Stok");
        stok.gotoId(id);
        stok.edit();
        stok["Fiyat1"] = fiyat1;
        stok["Fiyat2"] = 0;
        stok["Fiyat3"] = fiyat3;
        stok["Normal"] = normal;
        stok.post();
        return id;
    }
    // A direct sum over a customer's movements.
    double sum(const char* field, qint64 customerId, const QString& kaynak = QString())
    {
        QString sql = QStringLiteral("SELECT %1 FROM \"CarHar\" WHERE \"CARef\" = ?")
                          .arg(MoneySum::sqlSum(QStringLiteral("\"%1\"").arg(field)));
        QVariantList params{customerId};
        if (!kaynak.isEmpty()) {
            sql += QStringLiteral(" AND \"Kaynak\" = ?");
            params << kaynak;
        }
        return MoneySum::fromSql(company->connection().scalar(sql, params)).value();
    }
};

} // namespace

TEST_F(QuickAccess, StockFactsAgainstTheMovements)
{
    const qint64 id = pricedCard(100, 12.5, 18);
    books->move(id, QDate(2026, 1, 5), 10, 4);
    books->move(id, QDate(2026, 2, 5), 5, 6);
    books->move(id, QDate(2026, 2, 1), 2.4, 3);
    StockFacts f = quickStockFacts(*company, id);
    EXPECT_DOUBLE_EQ(f.vatPrices[0], 118);
    EXPECT_DOUBLE_EQ(f.vatPrices[1], 0);
    EXPECT_DOUBLE_EQ(f.vatPrices[2], 14.75);
    // No sale yet: the sale block is empty, its prices 0.
    EXPECT_FALSE(f.lastSale.found);
    EXPECT_DOUBLE_EQ(f.cheapestSale, 0);
    EXPECT_DOUBLE_EQ(f.dearestSale, 0);
    EXPECT_EQ(f.lastPurchase.tarih, QDate(2026, 2, 5));
    EXPECT_DOUBLE_EQ(f.lastPurchase.miktar, 5);
    EXPECT_DOUBLE_EQ(f.cheapestPurchase, 3);
    EXPECT_DOUBLE_EQ(f.dearestPurchase, 6);
    EXPECT_DOUBLE_EQ(f.giren, 17.4);

    books->move(id, QDate(2026, 3, 1), 0, 9, 1.3);
    books->move(id, QDate(2026, 3, 2), 0, 7, 2);
    f = quickStockFacts(*company, id);
    EXPECT_EQ(f.lastSale.tarih, QDate(2026, 3, 2));
    EXPECT_DOUBLE_EQ(f.cheapestSale, 7);
    EXPECT_DOUBLE_EQ(f.dearestSale, 9);
    EXPECT_DOUBLE_EQ(f.bakiye, 14.1);
    // The inventory values are the card totals' rules, written nowhere.
    const double before = company->connection()
                              .scalar("SELECT coalesce(\"FifoTop\",0) FROM \"Stok\" WHERE "
                                      "\"Nosu\" = ?",
                                      {id})
                              .toDouble();
    EXPECT_EQ(f.inventory.fifo, StockLedger(*company).totals(id).fifo);
    EXPECT_DOUBLE_EQ(
        company->connection()
            .scalar("SELECT coalesce(\"FifoTop\",0) FROM \"Stok\" WHERE \"Nosu\" = ?", {id})
            .toDouble(),
        before);

    // Whole units: the quantities round.
    CompanySettings s = CompanySettings::read(company->directory());
    s.tlAyar = 0;
    s.write(company->directory());
    CompanyData whole(t.session, t.install, "ABC");
    f = quickStockFacts(whole, id);
    EXPECT_DOUBLE_EQ(f.giren, 17);
    EXPECT_DOUBLE_EQ(f.cikan, 3);
}

TEST_F(QuickAccess, CustomerViewShowsTheSumsOfItsMovements)
{
    const qint64 a = customer("120.01", "Yılmaz Ticaret");
    movement(a, 100, 0, "FA");
    movement(a, 0, 30.5, "TA");
    movement(a, 0, 20, "CE");
    movement(a, 7.25, 0, "CA");
    TfrmKECari view(*shell, a);
    EXPECT_EQ(view.windowTitle(), "Kolay erişim - Cari kart bilgileri - [120.01 : Yılmaz Ticaret]");
    EXPECT_EQ(view.shown("Cari kart nosu : "), "120.01");
    EXPECT_EQ(view.shown("Borç : "), money(sum("Borc", a)));
    EXPECT_EQ(view.shown("Alacak : "), money(sum("Alacak", a)));
    EXPECT_EQ(view.shown("BAKİYE"), money(sum("Borc", a) - sum("Alacak", a)));
    EXPECT_EQ(view.shown("FATURA BORÇ"), money(sum("Borc", a, "FA")));
    EXPECT_EQ(view.shown("NAKİT ALACAK"), money(sum("Alacak", a, "TA")));
    EXPECT_EQ(view.shown("ÇEK / SENET BAKİYE"), money(-sum("Alacak", a, "CE")));
    EXPECT_EQ(view.shown("DEKONT BAKİYE"), money(sum("Borc", a, "CA")));
    EXPECT_EQ(view.shown("TOPLAM BAKİYE"), money(56.75));

    // A card without movements: zeros everywhere.
    const qint64 b = customer("120.02", "Boş");
    TfrmKECari empty(*shell, b);
    for (const char* label : {"Borç : ", "Alacak : ", "BAKİYE", "TOPLAM BAKİYE", "FATURA BORÇ"})
        EXPECT_EQ(empty.shown(label), money(0)) << label;
}

TEST_F(QuickAccess, CardsNotThereAreToldAndNothingOpens)
{
    customer("120.01", "Yılmaz");
    for (const QString& code : {QString(), QStringLiteral("YOK"), QStringLiteral("1' OR '1'='1")})
        QuickCustomerByCode(*shell, nullptr, code);
    QuickStockById(*shell, nullptr, 999);
    ASSERT_EQ(messages.asked.size(), 4);
    for (const QString& asked : messages.asked)
        EXPECT_EQ(asked, "İlgili kayda ait bilgi bulunamadı / ");
}

TEST_F(QuickAccess, TheCallersTablesStayAsTheyWere)
{
    const qint64 a = customer("120.01", "Yılmaz");
    const qint64 b = customer("120.02", "Kaya");
    movement(b, 10, 0, "CA");
    const qint64 k = books->card("K01", "Kalem");
    books->move(k, QDate(2026, 1, 1), 5, 2);
    // The caller's cursors: a filtered, ordered customer table on the first card, in edit.
    Table& cari = company->table("Cari");
    cari.setIndexName("Cari_2");
    cari.setFilter("CariNo = '120.01'");
    cari.setFiltered(true);
    cari.first();
    cari.edit();
    cari["Yetkili"] = "yazılıyor";
    Table& stok = company->table("Stok");
    stok.setIndexName("Stok_1");
    stok.last();
    int shown = 0;
    whenOpen<TfrmKECari>([&shown](TfrmKECari* view) {
        ++shown;
        key(view, Qt::Key_Escape);
    });
    QuickCustomerById(*shell, nullptr, b);
    whenOpen<TfrmKEStok>([&shown](TfrmKEStok* view) {
        ++shown;
        view->pictureMode()->button(1)->click();
        key(view, Qt::Key_Escape);
    });
    QuickStockByCode(*shell, nullptr, "K01");
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(cari.state(), Table::State::Edit);
    EXPECT_EQ(cari["Yetkili"].asString(), "yazılıyor");
    EXPECT_EQ(cari.indexName(), "Cari_2");
    EXPECT_TRUE(cari.filtered());
    EXPECT_EQ(cari.currentId(), a);
    cari.cancel();
    EXPECT_EQ(stok.indexName(), "Stok_1");
    EXPECT_EQ(stok.currentId(), k);
    // The picture mode is the one thing the stock view keeps.
    EXPECT_TRUE(company->pictureFitted("STOK", k));
}

TEST_F(QuickAccess, F10AndTheCardListOpenTheViews)
{
    const qint64 a = customer("120.01", "Yılmaz");
    customer("120.02", "Kaya");
    movement(a, 10, 0, "CA");
    Table& cari = company->table("Cari");
    cari.gotoId(a);
    QString seen;
    whenOpen<TfrmKECari>([&seen](TfrmKECari* view) {
        seen = view->shown("Cari kart nosu : ");
        key(view, Qt::Key_Escape);
    });
    {
        TfrmCarHar window(*shell);
        window.prepare();
        window.show();
        QApplication::processEvents();
        EXPECT_TRUE(window.commandEnabled("HizliKart"));
        key(&window, Qt::Key_F10);
        key(&window, Qt::Key_Escape);
    }
    EXPECT_EQ(seen, "120.01");

    seen.clear();
    whenOpen<TfrmKartLis>([](TfrmKartLis* list) {
        list->table().first(); // by title: Kaya first
        list->reload();
        whenOpen<TfrmKECari>([list](TfrmKECari* view) {
            key(view, Qt::Key_Escape);
            QTimer::singleShot(0, list, [list] { key(list, Qt::Key_Escape); });
        });
        key(list, Qt::Key_F2);
    });
    TfrmKartLis list(*shell, QuickCard::Customer);
    list.prepare();
    EXPECT_EQ(list.windowTitle(), "Kolay erişim - Cari Kart Bilgileri");
    list.exec();
    EXPECT_EQ(list.table().currentId() > 0, true);
}

TEST_F(QuickAccess, StockViewShowsTheFactsAndKeepsOnlyThePictureMode)
{
    const qint64 id = pricedCard(100, 0, 18);
    books->move(id, QDate(2026, 1, 5), 10, 4);
    books->move(id, QDate(2026, 2, 1), 0, 9, 2.5);
    TfrmKEStok view(*shell, id);
    EXPECT_EQ(view.windowTitle(), "Kolay erişim - Stok kart bilgileri - [K01 : Kalem]");
    EXPECT_EQ(view.shown("KDV dahil Fiyat [1]"), "118.00");
    EXPECT_EQ(view.shown("KDV dahil Fiyat [2]"), "0.00");
    EXPECT_EQ(view.shown("ALIŞ Miktar : "), "10");
    EXPECT_EQ(view.shown("SATIŞ Tarih : "), "01.02.2026");
    EXPECT_EQ(view.shown("GİREN : "), "10");
    EXPECT_EQ(view.shown("ÇIKAN : "), "2.5");
    EXPECT_EQ(view.shown("BAKİYE : "), "7.5");
    const StockTotals::Totals t = StockLedger(*company).totals(id);
    EXPECT_EQ(view.shown("FİFO"), money(company->RoundMoney(StockTotals::toDouble(t.fifo))));
    EXPECT_EQ(view.shown("BAKİYE tutar"), money(company->RoundMoney(StockTotals::toDouble(t.tt))));
}
