#include "orders/OrderPosting.h"

#include "invoicing/InvoicePosting.h"
#include "store/AppError.h"
#include "store/IniFile.h"
#include "support/Installation.h"
#include "support/KilledProgram.h"

#include <gtest/gtest.h>

namespace {

// Company ABC with a customer, two stock cards and a sales order.
struct OrderBooks : TestCompany {
    qint64 customer = addCustomerCard(*company, "120.01", "Yılmaz Ticaret");
    qint64 pen = stock("K01"), ink = stock("M01");
    OrderPosting orders{*company, salesOrders()};

    qint64 stock(const QString& code)
    {
        Table& stok = company->table("Stok");
        stok.append();
        stok["Kodu"] = code;
        stok["Cinsi"] = code + " cinsi";
        stok.post();
        return stok.currentId();
    }
    qint64 order(double number = 0)
    {
        OrderPosting::Header h;
        h.sipNo = number ? number : orders.nextNumber();
        h.tarih = QDate(2026, 3, 1);
        h.saat = QTime(10, 30);
        h.terminTar = QDate(2026, 3, 8);
        h.cariNo = "120.01";
        return orders.saveHeader(0, h);
    }
    qint64 line(qint64 orderId, const QString& code, double quantity, double price = 10,
                double discount = 0)
    {
        OrderPosting::Line l;
        l.kodu = code;
        l.miktari = quantity;
        l.birimF = price;
        l.iskTutar = discount;
        return orders.saveLine(orderId, 0, l);
    }
    // An invoice of the order made elsewhere: one unlinked line of `quantity` of `stockId`.
    qint64 invoiceOf(qint64 orderId, qint64 stockId, double quantity)
    {
        InvoicePosting p(*company);
        InvoiceData h;
        h.fatNo = 900;
        h.tarih = h.irsTarih = h.vadesi = QDate(2026, 3, 5);
        h.cariNo = "120.01";
        h.customerId = customer;
        h.kaynak = "SI";
        h.siRef = orderId;
        InvoiceLine l;
        l.stockId = stockId;
        l.kodu = "K01";
        l.miktari = quantity;
        l.birimF = 10;
        static_cast<LineAmounts&>(l) = computeLine(*company, l);
        return p.postInvoice(h, {l});
    }
    double number(const QString& sql, const QVariantList& params = {})
    {
        return company->connection().scalar(sql, params).toDouble();
    }
    int acikMi(qint64 orderId) { return orders.read(orderId)->acikMi; }
};

InvoiceHeader invoiceHeader(double number)
{
    InvoiceHeader h;
    h.fatNo = number;
    h.tarih = h.irsTarih = h.vadesi = QDate(2026, 3, 10);
    return h;
}

} // namespace

TEST(OrderPosting, TheNumberTheLinesAndTheTotals)
{
    OrderBooks b;
    EXPECT_EQ(b.orders.nextNumber(), 1);
    const qint64 id = b.order();
    IniFile ini(b.company->directory() + "/Resimler.ini");
    EXPECT_EQ(ini.readString("SIPARIS", "SATISNO"), "1");
    EXPECT_EQ(b.orders.nextNumber(), 2);
    // A lower number does not move the counter back.
    b.order(0.5);
    ini.reload();
    EXPECT_EQ(ini.readString("SIPARIS", "SATISNO"), "1");

    OrderPosting::Line l;
    l.kodu = "K01";
    l.miktari = 4;
    l.birimF = 12.5;
    l.iskOran = 10;
    l.kdvOran = 18;
    const qint64 lineId = b.orders.saveLine(id, 0, l);
    const OrderPosting::Line saved = *b.orders.readLine(lineId);
    EXPECT_EQ(saved.tutari, 50);
    EXPECT_EQ(saved.iskTutar, 5);
    EXPECT_EQ(saved.araTop, 45);
    EXPECT_EQ(saved.kdvTutar, 8.1);
    EXPECT_EQ(saved.kalan, 4);
    EXPECT_EQ(saved.cinsi, "K01 cinsi");
    const OrderPosting::Header h = *b.orders.read(id);
    EXPECT_EQ(h.toplam, 50);
    EXPECT_EQ(h.iskTutar, 5);
    EXPECT_EQ(h.kdv, 8.1);
    EXPECT_EQ(h.genTop, 53.1);
    // Unknown codes write nothing.
    l.kodu = "YOK";
    EXPECT_THROW(b.orders.saveLine(id, 0, l), AppError);
    OrderPosting::Header unknown = h;
    unknown.cariNo = "YOK";
    EXPECT_THROW(b.orders.saveHeader(0, unknown), AppError);
    b.orders.removeLine(lineId);
    EXPECT_EQ(b.orders.read(id)->genTop, 0);
}

TEST(OrderPosting, TwelveDeliveredOnTenAndFiveLeaveMinusTwoAndFiveOpen)
{
    OrderBooks b;
    const qint64 id = b.order();
    const qint64 ten = b.line(id, "K01", 10), five = b.line(id, "K01", 5);
    b.invoiceOf(id, b.pen, 12);
    EXPECT_TRUE(b.orders.openLines({id}));
    EXPECT_EQ(b.orders.readLine(ten)->faturalanan, 12);
    EXPECT_EQ(b.orders.readLine(ten)->kalan, -2);
    EXPECT_EQ(b.orders.readLine(five)->kalan, 5);
    EXPECT_FALSE(b.orders.openLines({id})); // nothing differs now
    b.orders.close({id});
    EXPECT_EQ(b.acikMi(id), 0);
    // The rest from the order: one line of 5, then the order is closed (−2 closes too).
    const qint64 invoice = b.orders.invoiceFromOrders({id}, invoiceHeader(901));
    EXPECT_EQ(b.number("SELECT count(*) FROM \"FatHar\" WHERE \"FRef\" = ?", {invoice}), 1);
    EXPECT_EQ(b.number("SELECT \"Miktari\" FROM \"FatHar\" WHERE \"FRef\" = ?", {invoice}), 5);
    EXPECT_EQ(b.number("SELECT \"SIPRef\" FROM \"FatHar\" WHERE \"FRef\" = ?", {invoice}), five);
    EXPECT_EQ(b.number("SELECT count(*) FROM \"StHar\" s JOIN \"FatHar\" h ON h.\"STHRef\" = "
                       "s.\"Nosu\" WHERE h.\"FRef\" = ? AND s.\"CMiktari\" = 5",
                       {invoice}),
              1);
    EXPECT_EQ(b.number("SELECT \"Kaynak\" = 'SI' FROM \"Fatura\" WHERE \"Nosu\" = ?", {invoice}),
              1);
    EXPECT_EQ(b.orders.readLine(five)->kalan, 0);
    b.orders.close({id});
    EXPECT_EQ(b.acikMi(id), 1);
    EXPECT_EQ(b.orders.invoiceTotals({id}).tutari, 170);
    // Deleting the invoice opens the line again.
    b.orders.removeInvoice(invoice, {id});
    EXPECT_EQ(b.orders.readLine(five)->kalan, 5);
    b.orders.close({id});
    EXPECT_EQ(b.acikMi(id), 0);
}

TEST(OrderPosting, ADiscountAmountFollowsWhatIsLeft)
{
    OrderBooks b;
    const qint64 id = b.order();
    const qint64 lineId = b.line(id, "K01", 4, 10, 10);
    b.invoiceOf(id, b.pen, 2);
    const qint64 invoice = b.orders.invoiceFromOrders({id}, invoiceHeader(902));
    EXPECT_EQ(b.number("SELECT \"IskTutar\" FROM \"FatHar\" WHERE \"FRef\" = ?", {invoice}), 5);
    EXPECT_EQ(b.orders.readLine(lineId)->kalan, 0);
    // The header saved again re-dates the invoice's stock movements.
    InvoiceHeader later = invoiceHeader(902);
    later.tarih = later.irsTarih = later.vadesi = QDate(2026, 3, 20);
    b.orders.saveInvoiceHeader(invoice, later);
    EXPECT_EQ(b.company->connection()
                  .scalar("SELECT s.\"Tarih\" FROM \"StHar\" s JOIN \"FatHar\" h ON "
                          "h.\"STHRef\" = s.\"Nosu\" WHERE h.\"FRef\" = ?",
                          {invoice})
                  .toString(),
              "2026-03-20");
}

TEST(OrderPosting, DeletesAreRefusedWhileInvoicesOrLinesRemainAndClosingNeedsLines)
{
    OrderBooks b;
    const qint64 empty = b.order();
    b.orders.close({empty});
    EXPECT_EQ(b.acikMi(empty), 0); // no lines: open
    const qint64 id = b.order();
    const qint64 lineId = b.line(id, "K01", 1);
    try {
        b.orders.removeOrder(id);
        FAIL();
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "İlk hareketleri iptal ediniz");
    }
    const qint64 invoice = b.orders.invoiceFromOrders({id}, invoiceHeader(903));
    b.orders.removeLine(lineId);
    EXPECT_EQ(
        b.number("SELECT coalesce(\"SIPRef\",0) FROM \"FatHar\" WHERE \"FRef\" = ?", {invoice}), 0);
    try {
        b.orders.removeOrder(id);
        FAIL();
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "İlk önce faturaları iptal ediniz");
    }
    b.orders.removeInvoice(invoice, {id});
    b.orders.removeOrder(id);
    EXPECT_FALSE(b.orders.read(id));
    b.orders.removeOrder(empty);

    // A combined invoice names its first order in its header, the second only in its lines:
    // the second is held as well.
    const qint64 first = b.order(), second = b.order();
    b.line(first, "K01", 1);
    const qint64 secondLine = b.line(second, "M01", 1);
    const qint64 both = b.orders.invoiceFromOrders({first, second}, invoiceHeader(904));
    b.orders.removeLine(secondLine);
    try {
        b.orders.removeOrder(second);
        FAIL();
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "İlk önce faturaları iptal ediniz");
    }
    b.orders.removeInvoice(both, {first, second});
    b.orders.removeOrder(second);
    EXPECT_FALSE(b.orders.read(second));
}

TEST(OrderPosting, AnInvoiceFromAnOrderIsAllOrNothing)
{
    OrderBooks b;
    const qint64 id = b.order();
    b.line(id, "K01", 3);
    b.line(id, "M01", 2);
    if (!b.database.server()) {
        // The second invoice line is refused: no invoice, no movement, no link.
        b.company->connection().exec(
            "CREATE TEMP TRIGGER refuse BEFORE INSERT ON \"FatHar\" WHEN (SELECT count(*) FROM "
            "\"FatHar\") >= 1 BEGIN SELECT RAISE(ABORT, 'disk dolu'); END");
        EXPECT_THROW(b.orders.invoiceFromOrders({id}, invoiceHeader(904)), AppError);
        b.company->connection().exec("DROP TRIGGER refuse");
        EXPECT_EQ(b.number("SELECT count(*) FROM \"Fatura\""), 0);
        EXPECT_EQ(b.number("SELECT count(*) FROM \"StHar\""), 0);
        EXPECT_EQ(b.number("SELECT sum(\"Kalan\") FROM \"SipHar\""), 5);
    }
    // A program killed before its commit leaves nothing either.
    runAndKill(b, false, [&](CompanyData& other) {
        OrderPosting(other, salesOrders()).invoiceFromOrders({id}, invoiceHeader(905));
    });
    EXPECT_EQ(b.number("SELECT count(*) FROM \"Fatura\""), 0);
    b.orders.invoiceFromOrders({id}, invoiceHeader(906));
    EXPECT_EQ(b.number("SELECT count(*) FROM \"FatHar\""), 2);
    EXPECT_EQ(b.number("SELECT sum(\"Kalan\") FROM \"SipHar\""), 0);
}

TEST(OrderPosting, AnOrderInvoiceReDatedMovesItsPostingsAndADeadLinkDeletesNothingElse)
{
    OrderBooks b;
    const qint64 id = b.order();
    b.line(id, "K01", 3);
    b.line(id, "M01", 2);
    const qint64 invoice = b.orders.invoiceFromOrders({id}, invoiceHeader(907));
    // The header saved again on another day: the invoice, its stock movements and the
    // customer's movement follow, and the totals stay.
    const double total =
        b.number("SELECT \"GToplam\" FROM \"Fatura\" WHERE \"Nosu\" = ?", {invoice});
    InvoiceHeader later = invoiceHeader(907);
    later.tarih = later.irsTarih = later.vadesi = QDate(2026, 3, 12);
    b.orders.saveInvoiceHeader(invoice, later);
    Connection& db = b.company->connection();
    EXPECT_EQ(db.scalar("SELECT \"Tarih\" FROM \"Fatura\" WHERE \"Nosu\" = ?", {invoice}).toDate(),
              QDate(2026, 3, 12));
    EXPECT_EQ(b.number("SELECT count(*) FROM \"StHar\" WHERE \"Tarih\" = '2026-03-12'"), 2);
    EXPECT_EQ(b.number("SELECT count(*) FROM \"StHar\" WHERE \"Tarih\" <> '2026-03-12'"), 0);
    EXPECT_EQ(b.number("SELECT \"Tarih\" = '2026-03-12' FROM \"CarHar\" WHERE \"Nosu\" = "
                       "(SELECT \"CAHRef\" FROM \"Fatura\" WHERE \"Nosu\" = ?)",
                       {invoice}),
              1);
    EXPECT_DOUBLE_EQ(b.number("SELECT \"GToplam\" FROM \"Fatura\" WHERE \"Nosu\" = ?", {invoice}),
                     total);
    EXPECT_EQ(
        db.scalar("SELECT \"Kaynak\" FROM \"Fatura\" WHERE \"Nosu\" = ?", {invoice}).toString(),
        "SI");

    // Links to records already gone are passed over; the first records of the tables stay.
    const qint64 firstStock = b.number("SELECT min(\"Nosu\") FROM \"StHar\"");
    const qint64 other = b.orders.invoiceFromOrders({b.order()}, invoiceHeader(908));
    Q_UNUSED(other);
    db.exec("UPDATE \"FatHar\" SET \"STHRef\" = 999999 WHERE \"FRef\" = ?", {invoice});
    db.exec("UPDATE \"Fatura\" SET \"CAHRef\" = 999998, \"CAKRef\" = 999997, \"KRef\" = 999996 "
            "WHERE \"Nosu\" = ?",
            {invoice});
    const double cari = b.number("SELECT count(*) FROM \"CarHar\"");
    b.orders.removeInvoice(invoice, {id});
    EXPECT_EQ(b.number("SELECT count(*) FROM \"Fatura\" WHERE \"Nosu\" = ?", {invoice}), 0);
    EXPECT_EQ(b.number("SELECT count(*) FROM \"FatHar\" WHERE \"FRef\" = ?", {invoice}), 0);
    EXPECT_EQ(b.number("SELECT count(*) FROM \"StHar\" WHERE \"Nosu\" = ?", {firstStock}), 1);
    EXPECT_EQ(b.number("SELECT count(*) FROM \"CarHar\""), cari);
    EXPECT_EQ(b.number("SELECT sum(\"Kalan\") FROM \"SipHar\" WHERE \"SipRef\" = ?", {id}), 5);
}
