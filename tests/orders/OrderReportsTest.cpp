#include "orders/OrderReports.h"
#include "invoicing/InvoicePosting.h"
#include "orders/OrderPosting.h"
#include "store/AppError.h"
#include "store/InstallSettings.h"
#include "store/MoneyFormat.h"
#include "support/Installation.h"
#include "support/Reference.h"
#include "widgets/AmountInWords.h"

#include <gtest/gtest.h>

namespace {

struct OrderReportBooks : TestCompany {
    OrderPosting orders{*company, salesOrders()};

    OrderReportBooks()
    {
        addCustomerCard(*company, "120.01", "Yılmaz Ticaret");
        for (const char* code : {"K01", "M01"}) {
            Table& stok = company->table("Stok");
            stok.append();
            stok["Kodu"] = code;
            stok["Cinsi"] = QString::fromLatin1(code) + " cinsi";
            stok["Birim"] = "Adet";
            stok.post();
        }
    }
    qint64 order(double number)
    {
        OrderPosting::Header h;
        h.sipNo = number;
        h.tarih = QDate(2026, 3, 1);
        h.saat = QTime(10, 30);
        h.terminTar = QDate(2026, 3, 8);
        h.cariNo = "120.01";
        h.adres1 = "Cumhuriyet Cad. 5";
        h.vd = "Kadıköy";
        h.vdNo = "1234567890";
        return orders.saveHeader(0, h);
    }
    void line(qint64 orderId, const QString& code, double quantity, double price, double vat)
    {
        OrderPosting::Line l;
        l.kodu = code;
        l.miktari = quantity;
        l.birimF = price;
        l.kdvOran = vat;
        l.iskOran = quantity > 5 ? 10 : 0;
        l.tarih = QDate(2026, 3, 8);
        orders.saveLine(orderId, 0, l);
    }
};

} // namespace

TEST(OrderReports, TheOrderRunsOnToASecondPageAndEndsWithItsTotalInWords)
{
    OrderReportBooks b;
    const qint64 id = b.order(17);
    for (int i = 0; i < 60; ++i)
        b.line(id, i % 2 ? "M01" : "K01", 1 + i % 9, 12.5 + i, i % 3 ? 18 : 8);
    const PageSet pages = OrderReports::orderPages(*b.company, salesOrders(), id);
    ASSERT_EQ(pages.pageCount(), 2);
    expectReferenceIn(QStringLiteral(ORDER_DATA), dumpWithoutToday(pages), "order-17.txt");
    // Every page carries the header; the lines are the order's, once each.
    EXPECT_EQ(bandTexts(pages, "Baslik").count("SATIŞ SİPARİŞ FİŞİ"), 2);
    EXPECT_EQ(bandTexts(pages, "Detay").count("K01") + bandTexts(pages, "Detay").count("M01"), 60);
    // The totals against the stored lines and the order.
    Connection& db = b.company->connection();
    const QString money = b.company->moneyFormat();
    const QStringList end = bandTexts(pages, "Toplam");
    const double net =
        db.scalar("SELECT sum(\"AraTop\") FROM \"SipHar\" WHERE \"SipRef\" = ?", {id}).toDouble();
    const double vat =
        db.scalar("SELECT sum(\"KdvTutar\") FROM \"SipHar\" WHERE \"SipRef\" = ?", {id}).toDouble();
    const std::optional<OrderPosting::Header> order = b.orders.read(id);
    EXPECT_EQ(end.value(1), formatNumber(net, money));
    EXPECT_EQ(end.value(3), formatNumber(order->kdv, money));
    EXPECT_EQ(end.value(5), formatNumber(order->genTop, money));
    EXPECT_NEAR(order->genTop, net + vat, 0.005); // no VAT by rate in this company
    EXPECT_EQ(end.last(), AmountInWords(*b.company, b.company->RoundMoney(order->genTop)));
    EXPECT_EQ(end.last(), "Yalnız ONÜÇBİNÜÇYÜZKIRKÜÇ  TL  KIRKBİR KR 'tur.");
}

TEST(OrderReports, AnOrderThatIsGoneIsToldNotPrinted)
{
    OrderReportBooks b;
    EXPECT_THROW(OrderReports::orderPages(*b.company, salesOrders(), 999), AppError);
}

namespace {

// Two sales orders of one customer and a purchase order: 10 + 5 of K01 delivered by 12, 3 of
// M01 open; 5 of K01 ordered from a supplier.
struct ListBooks : OrderReportBooks {
    OrderPosting purchases{*company, purchaseOrders()};
    qint64 first = 0, second = 0, bought = 0;

    ListBooks()
    {
        first = order(21);
        line(first, "K01", 10, 4, 18);
        line(first, "K01", 5, 4, 18);
        second = order(22);
        line(second, "M01", 3, 7.25, 8);
        // 12 delivered by one invoice line made elsewhere, linked when the lines are opened.
        InvoiceData h;
        h.fatNo = 300;
        h.fatTuru = 1;
        h.tarih = h.irsTarih = h.vadesi = QDate(2026, 3, 5);
        h.cariNo = "120.01";
        h.customerId = company->connection()
                           .scalar("SELECT \"Nosu\" FROM \"Cari\" WHERE \"CariNo\" = '120.01'")
                           .toLongLong();
        h.kaynak = "SI";
        h.siRef = first;
        InvoiceLine l;
        l.stockId = company->connection()
                        .scalar("SELECT \"Nosu\" FROM \"Stok\" WHERE \"Kodu\" = 'K01'")
                        .toLongLong();
        l.kodu = "K01";
        l.miktari = 12;
        l.birimF = 4;
        static_cast<LineAmounts&>(l) = computeLine(*company, l);
        InvoicePosting(*company).postInvoice(h, {l});
        orders.openLines({first});
        orders.close({first, second});
        OrderPosting::Header p;
        p.sipNo = 5;
        p.tarih = QDate(2026, 3, 2);
        p.saat = QTime(8, 0);
        p.terminTar = QDate(2026, 4, 1);
        p.cariNo = "120.01";
        bought = purchases.saveHeader(0, p);
        OrderPosting::Line pl;
        pl.kodu = "K01";
        pl.miktari = 5;
        pl.birimF = 3;
        pl.tarih = QDate(2026, 4, 1);
        purchases.saveLine(bought, 0, pl);
    }
    double sql(const QString& text, const QVariantList& params = {})
    {
        return company->connection().scalar(text, params).toDouble();
    }
};

OrderReports::OrderListChoice yearOf(int type)
{
    OrderReports::OrderListChoice c;
    c.from = QDate(2026, 1, 1);
    c.to = QDate(2026, 12, 31);
    c.type = type;
    c.state = 2;
    return c;
}

} // namespace

TEST(OrderReports, TheOrderListSumsWhatItListsOfEitherKind)
{
    ListBooks b;
    ASSERT_EQ(
        b.sql("SELECT \"Kalan\" FROM \"SipHar\" WHERE \"SipRef\" = ? ORDER BY \"Nosu\"", {b.first}),
        -2);
    const QString money = b.company->moneyFormat();
    OrderReports::OrderListChoice sales = yearOf(1);
    sales.detail = true;
    const PageSet detailed = OrderReports::orderList(*b.company, sales);
    expectReferenceIn(QStringLiteral(ORDER_DATA), dumpWithoutToday(detailed), "list-sales.txt");
    const QStringList end = bandTexts(detailed, "Ozet");
    EXPECT_EQ(end.value(1), formatNumber(b.sql("SELECT sum(\"Toplam\") FROM \"Siparis\" WHERE "
                                               "\"SipTuru\" = 1"),
                                         money));
    EXPECT_EQ(end.value(4), formatNumber(b.sql("SELECT sum(\"GenTop\") FROM \"Siparis\" WHERE "
                                               "\"SipTuru\" = 1"),
                                         money));
    EXPECT_EQ(end.last(), "Listelenen 2 adet");
    // The lines under each order: the first order's two, the second's one.
    EXPECT_EQ(bandTexts(detailed, "Satir").count("K01"), 2);
    EXPECT_EQ(bandTexts(detailed, "Satir").count("M01"), 1);
    // The first order still waits for 5 beside its −2: both are open, none closed.
    sales.detail = false;
    sales.state = 1;
    EXPECT_EQ(bandTexts(OrderReports::orderList(*b.company, sales), "Ozet").last(),
              "Listelenen 0 adet");
    sales.state = 0;
    const PageSet open = OrderReports::orderList(*b.company, sales);
    EXPECT_EQ(bandTexts(open, "Detay").value(0), "21");
    EXPECT_EQ(bandTexts(open, "Ozet").last(), "Listelenen 2 adet");

    const PageSet purchases = OrderReports::orderList(*b.company, yearOf(0));
    expectReferenceIn(QStringLiteral(ORDER_DATA), dumpWithoutToday(purchases),
                      "list-purchases.txt");
    EXPECT_EQ(bandTexts(purchases, "Ozet").value(4), formatNumber(15, money));
    // Numbers compare as numbers: 5 is below 21, a text that is none is refused.
    OrderReports::OrderListChoice numbered = yearOf(1);
    numbered.numberFrom = "9";
    EXPECT_EQ(bandTexts(OrderReports::orderList(*b.company, numbered), "Ozet").last(),
              "Listelenen 2 adet");
    numbered.numberFrom = "on";
    EXPECT_THROW(OrderReports::orderList(*b.company, numbered), AppError);
}

TEST(OrderReports, AnEmptyOrderListPrintsNoTotalsAtTheFoot)
{
    OrderReportBooks b;
    OrderReports::OrderListChoice c = yearOf(1);
    c.customerFrom = "O'Brien"; // a quote is compared as text, whatever it holds
    const PageSet pages = OrderReports::orderList(*b.company, c);
    EXPECT_TRUE(bandTexts(pages, "SayfaSonu").isEmpty());
    EXPECT_EQ(bandTexts(pages, "Ozet").last(), "Listelenen 0 adet");
}

TEST(OrderReports, OverDeliveredLinesAreClosedAndTheQuantitiesAddUp)
{
    ListBooks b;
    OrderReports::LineListChoice c;
    c.from = QDate(2026, 1, 1);
    c.to = QDate(2026, 12, 31);
    c.type = 1;
    c.state = 1; // closed: nothing left or more delivered than ordered
    const PageSet closed = OrderReports::lineList(*b.company, c);
    expectReferenceIn(QStringLiteral(ORDER_DATA), dumpWithoutToday(closed), "lines-closed.txt");
    EXPECT_TRUE(bandTexts(closed, "Detay").contains("-2"));
    EXPECT_EQ(bandTexts(closed, "Ozet").last(), "Listelenen 1 adet");
    c.state = 0;
    const PageSet open = OrderReports::lineList(*b.company, c);
    EXPECT_EQ(bandTexts(open, "Ozet").last(), "Listelenen 2 adet");
    c.state = 2;
    const QStringList all = bandTexts(OrderReports::lineList(*b.company, c), "Ozet");
    const QString q = b.company->install().invoiceQuantityFormat();
    EXPECT_EQ(all.value(1), formatNumber(b.sql("SELECT sum(\"Miktari\") FROM \"SipHar\" WHERE "
                                               "\"SipTuru\" = 1"),
                                         q));
    EXPECT_EQ(all.value(2), formatNumber(b.sql("SELECT sum(\"Faturalanan\") FROM \"SipHar\" "
                                               "WHERE \"SipTuru\" = 1"),
                                         q));
    EXPECT_EQ(all.value(3), formatNumber(b.sql("SELECT sum(\"Kalan\") FROM \"SipHar\" WHERE "
                                               "\"SipTuru\" = 1"),
                                         q));
}

TEST(OrderReports, StockOnHandAgainstWhatOrdersStillWaitFor)
{
    OrderReportBooks b;
    // 10 in, 4 out, 5 on an open purchase order, 3 on a sales order.
    Connection& db = b.company->connection();
    const qint64 k01 =
        db.scalar("SELECT \"Nosu\" FROM \"Stok\" WHERE \"Kodu\" = 'K01'").toLongLong();
    Table& st = b.company->table("StHar");
    for (const auto& [in, out] : {std::pair{10.0, 0.0}, std::pair{0.0, 4.0}}) {
        st.append();
        st["STRef"] = k01;
        st["Kodu"] = "K01";
        st["Tarih"] = QDate(2026, 2, 1);
        st["GMiktari"] = in;
        st["CMiktari"] = out;
        st.post();
    }
    OrderPosting purchases(*b.company, purchaseOrders());
    OrderPosting::Header h;
    h.sipNo = 1;
    h.tarih = h.terminTar = QDate(2026, 3, 1);
    h.saat = QTime(9, 0);
    h.cariNo = "120.01";
    OrderPosting::Line l;
    l.kodu = "K01";
    l.miktari = 5;
    l.tarih = h.terminTar;
    purchases.saveLine(purchases.saveHeader(0, h), 0, l);
    l.miktari = 3;
    b.orders.saveLine(b.order(2), 0, l);
    const PageSet pages = OrderReports::stockStatus(*b.company, {});
    expectReferenceIn(QStringLiteral(ORDER_DATA), dumpWithoutToday(pages), "stock-status.txt");
    const QStringList row = bandTexts(pages, "Detay");
    EXPECT_EQ(row.mid(0, 9),
              QStringList({"K01", "K01 cinsi", "Adet", "10", "4", "6", "5", "3", "8"}));
    EXPECT_EQ(bandTexts(pages, "Ozet").last(), "Listelenen 2 adet");
}
