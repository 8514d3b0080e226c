#include "orders/OrderReports.h"
#include "orders/OrderPosting.h"
#include "store/AppError.h"
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
