#pragma once

#include "app/EntryWindow.h"
#include "app/ListWindow.h"
#include "invoicing/InvoiceKind.h"
#include "invoicing/InvoicePosting.h"

#include <memory>

class CodeField;
class InvoicePosting;
class QButtonGroup;

// The invoice list: 1202 sales ("Satış faturaları"; 1203 the same in barcode mode) and 1201
// purchases ("Alış faturaları"). F2 and F3 open the header and, once it is saved, the lines;
// F5 and Enter open the lines; F4 deletes the invoice with everything it owns. Invoices made by
// other programs (orders, instalments) are only shown here. Every function key first re-reads
// the invoices, so those written at another workstation appear.
class TfrmFtSatis : public ListWindow {
    Q_OBJECT
public:
    TfrmFtSatis(Shell& shell, const InvoiceKind& kind, bool barcode = false,
                QWidget* parent = nullptr);
    ~TfrmFtSatis() override;

protected:
    void deleteRecord() override;

private:
    void openLines();

    const InvoiceKind& kind_;
    bool barcode_;
    bool newSale_ = false; // the header just saved opens the barcode sale
    std::unique_ptr<InvoicePosting> posting_;
};

// The invoice header: dates, numbers, description, the customer (with the code field rule and
// its address), " Fatura " open or closed and " KDV " excluded or included. Saving looks the
// code up again and posts the header with its totals and postings in one command.
// The first six fields of an invoice header window (invoice date, delivery date, due date,
// invoice and delivery numbers, description) from a stored invoice, or for a new one: today
// three times and the number proposed.
// Where the six fields stand in a window that orders them its own way.
struct InvoiceHeaderFields {
    int tarih = 0, irsTarih = 1, vadesi = 2, fatNo = 3, irsNo = 4, aciklama = 5;
};
void showInvoiceHeader(EntryWindow& window, const InvoiceData* invoice, double proposedNumber,
                       const InvoiceHeaderFields& at = {});
// Those six fields as a header (dates that cannot be read are refused with their field).
InvoiceHeader invoiceHeaderOf(const EntryWindow& window, const InvoiceHeaderFields& at = {});

class TfrmFtSatisA : public EntryWindow {
    Q_OBJECT
public:
    TfrmFtSatisA(Shell& shell, InvoicePosting& posting, const InvoiceKind& kind, qint64 invoiceId,
                 bool barcode, QWidget* parent = nullptr);
    enum Field {
        Tarih,
        IrsTarih,
        Vadesi,
        FatNo,
        IrsNo,
        Aciklama,
        CariNo,
        Unvani,
        Adres1,
        Adres2,
        Adres3,
        Vd,
        VdNo
    };
    qint64 savedId() const { return saved_; }
    QButtonGroup* durum() const { return durum_; }
    QButtonGroup* kdv() const { return kdv_; }

protected:
    bool validate() override;
    void save() override;
    void lastFieldEnter() override { MenuIslem(QStringLiteral("Kaydet")); }

private:
    void transfer(qint64 customerId);

    InvoicePosting& posting_;
    const InvoiceKind& kind_;
    qint64 invoiceId_;
    qint64 saved_ = 0;
    CodeField* code_ = nullptr;
    QButtonGroup* durum_ = nullptr;
    QButtonGroup* kdv_ = nullptr;
};
