#pragma once

#include "invoicing/InvoiceMath.h"
#include "orders/OrderKind.h"

#include <QDate>
#include <QTime>
#include <memory>
#include <optional>
#include <vector>

class CompanyData;
class InstallSettings;
class InvoicePosting;
struct InvoiceHeader;
class Table;

// Every write of the orders, each one command with all it posts: the order header, its lines
// with the order's totals, the invoiced and open quantities, and the invoices made from an
// order (through InvoicePosting, source "SI"). Quantities are compared in four-decimal fixed
// point, amounts pass through RoundMoney.
class OrderPosting {
public:
    // `install` keeps the invoice counters a new invoice from an order moves.
    OrderPosting(CompanyData& company, const OrderKind& kind, InstallSettings* install = nullptr);
    ~OrderPosting();
    OrderPosting(const OrderPosting&) = delete;
    OrderPosting& operator=(const OrderPosting&) = delete;

    const OrderKind& kind() const { return kind_; }
    // The invoices' postings, for the stock cards a line window looks up.
    InvoicePosting& invoices() const { return *invoices_; }
    // Purchases take the last card with a code, sales the first (as their invoices do).
    bool lastCardFirst() const { return kind_.sipTuru == 0; }

    // --- The order header -----------------------------------------------------------------
    struct Header {
        double sipNo = 0;
        QDate tarih, terminTar;
        QTime saat;
        QString aciklama, cariNo, unvani, adres1, adres2, adres3, vd, vdNo, ozelKod;
        qint64 customerId = 0;                                // read only
        int acikMi = 0;                                       // read only
        double toplam = 0, iskTutar = 0, kdv = 0, genTop = 0; // read only
    };
    // The number a new order proposes: the kind's counter in Resimler.ini + 1 (1 without one).
    double nextNumber() const;
    // A new (0) or an existing order. The code is looked up again (the last card with it);
    // refused with "Cari kart nosu bulunamadı". An existing order keeps its customer. A new
    // order moves the counter to its number after the commit (never down).
    qint64 saveHeader(qint64 orderId, const Header& header);
    std::optional<Header> read(qint64 orderId);
    // True when the orders are all of one customer card (CARef).
    bool sameCustomer(const std::vector<qint64>& orderIds);
    // Refused with "İlk önce faturaları iptal ediniz" while an invoice names the order, and
    // with "İlk hareketleri iptal ediniz" while it has lines.
    void removeOrder(qint64 orderId);

    // --- Lines ------------------------------------------------------------------------------
    struct Line : LineAmounts {
        QDate tarih; // the line's delivery date
        QString kodu, cinsi, birim, aciklama1, aciklama2;
        qint64 stockId = 0;                // read only: found again by the code
        double faturalanan = 0, kalan = 0; // read only
    };
    // A new (0) or an existing line: the stock code looked up again ("Stok kartı bulunamadı"),
    // the amounts as the line rule computes them, Kalan = Miktari − Faturalanan, and the order's
    // totals, in one command.
    qint64 saveLine(qint64 orderId, qint64 lineId, const Line& line);
    std::optional<Line> readLine(qint64 lineId);
    // The line, its invoice lines no longer pointing at it, and the order's totals.
    void removeLine(qint64 lineId);

    struct Totals {
        double tutari = 0, iskonto = 0, kdv = 0, toplam = 0;
    };
    // The order's totals as stored after every line command (VAT per rate with KDVHESAP 1).
    Totals orderTotals(qint64 orderId);
    // The totals of the orders' invoices.
    Totals invoiceTotals(const std::vector<qint64>& orderIds);

    // --- Invoiced and open quantities -----------------------------------------------------------
    // For the listed orders' lines: Faturalanan from the invoice lines that name each line, then
    // every unlinked line of their invoices linked to the first line of its card still open, in
    // line order. Writes only what differs; true when it wrote.
    bool openLines(const std::vector<qint64>& orderIds);

    // --- Invoices -----------------------------------------------------------------------------
    // A new invoice of the order `orderId` (the first listed): the header copied from the order,
    // source "SI", and one line per listed order line still open, with its stock movement, in
    // one command; then the quantities. Returns the invoice's Nosu.
    qint64 invoiceFromOrders(const std::vector<qint64>& orderIds, const InvoiceHeader& header);
    // An order invoice's header saved again (re-dated, totals and postings) through
    // InvoicePosting.
    void saveInvoiceHeader(qint64 invoiceId, const InvoiceHeader& header);
    // The invoice with everything it owns, then the quantities of the listed orders.
    void removeInvoice(qint64 invoiceId, const std::vector<qint64>& orderIds);

    // --- Closing --------------------------------------------------------------------------------
    // Each listed order closed (1) when it has lines and none is open (Kalan above 0), else
    // open (0); written only when it changes.
    void close(const std::vector<qint64>& orderIds);

private:
    struct CardFacts;
    void writeTotals(qint64 orderId);
    bool quantities(const std::vector<qint64>& orderIds);

    CompanyData& company_;
    const OrderKind& kind_;
    std::unique_ptr<InvoicePosting> invoices_;
    std::unique_ptr<Table> orders_, lines_, fatHar_;
};
