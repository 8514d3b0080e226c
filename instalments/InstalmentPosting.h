#pragma once

#include "instalments/InstalmentPlan.h"
#include "instalments/InstalmentSide.h"
#include "store/MoneySum.h"

#include <QDate>
#include <memory>
#include <optional>

class CashLedger;
class CompanyData;
class CustomerLedger;
class InstallSettings;
class InvoicePosting;
struct InvoiceHeader;
class Table;

// Every write of instalment credit, each one command with all it posts: the sale (or purchase)
// header, its invoices (through InvoicePosting, source "TK"), the plan lines, and the payments
// with their customer movements and cash records. Built as the other ledgers are: cursors of
// its own, nothing left in edit, a failure leaves nothing of the command.
class InstalmentPosting {
public:
    // `install` keeps the invoice counters a new invoice header moves.
    InstalmentPosting(CompanyData& company, const InstalmentSide& side,
                      InstallSettings* install = nullptr);
    ~InstalmentPosting();
    InstalmentPosting(const InstalmentPosting&) = delete;
    InstalmentPosting& operator=(const InstalmentPosting&) = delete;

    const InstalmentSide& side() const { return side_; }

    // --- The sale header ------------------------------------------------------------------
    struct Sale {
        QDate tarih;
        QString aciklama, cariNo, unvani, adres1, adres2, adres3, vd, vdNo;
        qint64 customerId = 0; // read only
        int acikmi = 0;        // read only
    };
    // A new (0) or an existing sale. The code is looked up again (the last card with it); a new
    // sale takes the card's business address when none was typed. Refused with "Cari kart nosu
    // bulunamadı" when no card has the code; an existing sale keeps its customer.
    qint64 saveSale(qint64 saleId, const Sale& sale);
    std::optional<Sale> readSale(qint64 saleId);
    // Whether invoices of this side name the sale (a sale with them cannot be deleted).
    bool hasInvoices(qint64 saleId);
    // Refused with "İlk önce faturaları iptal ediniz" while it has invoices.
    void removeSale(qint64 saleId);
    // Closed (1) when every invoiced amount is paid and there is an invoice, else open (0);
    // written only when it changes. Returns the state.
    int closeSale(qint64 saleId);

    // --- Invoices ---------------------------------------------------------------------------
    // A new (0) or an existing invoice header of the sale: the customer and address of the
    // sale, source "TK", TKRef, this side's FatTuru, on account.
    qint64 saveInvoice(qint64 saleId, qint64 invoiceId, const InvoiceHeader& header);
    // The invoice with its lines and postings, its plan lines, their payments and every
    // payment's movement and cash record.
    void removeInvoice(qint64 invoiceId);

    // --- Plans --------------------------------------------------------------------------------
    // What a new plan of the invoice covers: its GToplam less what is planned already.
    double unplanned(qint64 invoiceId);
    // Appends the lines; refused with "Planlanan taksit fatura tutarına eşit" when the plan
    // already covers the invoice.
    std::vector<qint64> savePlan(qint64 invoiceId, const std::vector<InstalmentPlan::Line>& lines);
    void savePlanLine(qint64 lineId, const QDate& due, double amount, const QString& text);
    // Refused with "Kayıtlı ödeme var" while the line has payments.
    void removePlanLine(qint64 lineId);
    bool hasPayments(qint64 lineId);

    // --- Payments -------------------------------------------------------------------------
    enum Kind { Cash = 0, Card = 1, Paper = 2, Other = 3 };
    struct Payment {
        QDate tarih;
        QString aciklama;
        double tutari = 0;
        int tipi = Cash;
    };
    // What a new payment of the line proposes: its due date, description and balance.
    Payment proposal(qint64 lineId);
    std::optional<Payment> readPayment(qint64 paymentId);
    // A new (0) or an existing payment of plan line `lineId`: cash and card credit (sales) or
    // debit (purchases) the customer, cash also enters the cash book; the line's Odeme and
    // Bakiye follow. A movement or cash record that is gone is made again.
    qint64 savePayment(qint64 lineId, qint64 paymentId, const Payment& payment);
    void removePayment(qint64 paymentId);

    // --- Totals -----------------------------------------------------------------------------
    struct Totals {
        MoneySum toplam, planlanan, odenen; // the sale
        MoneySum planTutari, planOdeme;     // the invoice's plan
        MoneySum bakiye() const { return toplam - odenen; }
        MoneySum planBakiye() const { return planTutari - planOdeme; }
        double invoiceTotal = 0; // the invoice's GToplam
    };
    Totals totals(qint64 saleId, qint64 invoiceId);
    // The plan check of the sale window: 0 when the plan matches, 1 when the invoice's plan is
    // above its amount ("FAZLA"), -1 below ("EKSİK"); sums compared as RoundMoney gives them.
    int planCheck(const Totals& totals) const;

private:
    struct LineFacts;
    LineFacts lineFacts(qint64 lineId);
    MoneySum paidOn(qint64 lineId); // the exact sum of the line's payments
    void refreshLine(qint64 lineId);
    void removePaymentPostings(qint64 paymentId);

    CompanyData& company_;
    const InstalmentSide& side_;
    std::unique_ptr<InvoicePosting> invoices_;
    std::unique_ptr<CustomerLedger> customers_;
    std::unique_ptr<CashLedger> cash_;
    std::unique_ptr<Table> sales_, plans_, payments_;
};
