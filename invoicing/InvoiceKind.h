#pragma once

#include <QString>

// Sales and purchase invoices are twins: everything in which they differ is told here, once,
// and the posting, every invoice window and the printed invoice read it.
struct InvoiceKind {
    int fatTuru = 1;    // 1 sales, 0 purchase
    bool sales = true;  // exit from stock, debit to the customer
    QString counterKey; // "SATISNO": the installation's next number

    // Postings.
    QString movementSuffix; // " SAT.FT." after the number in the customer movement's BelgeNo
    QString settleText;     // "NOLU KAPALI SATIŞ FATURASI"
    QString cashSuffix;     // " ST.FT." after the number in the cash record's BelgeNo

    // Windows.
    QString listCaption, listTitle; // "[-%s-%s-] şirketi Satış Faturaları", "Satış faturaları"
    QString barcodeListCaption;     // sales only
    QString newHeader, oldHeader;   // "Yeni Satış faturası", "Eski Satış faturası"
    QString descriptionLabel;       // "Fat.Açıklaması : "
    QString linesRefused;           // "İşlem yapılamaz": opening lines of another source
    QString linesCaption;           // "[-%s-%s-] şirketi Satış Faturası"
    QString barcodeLinesCaption;    // sales only
    QString lineTitle;              // "Satış faturası kontrol"
    QString newLine, oldLine;       // "Yeni Satış faturası kalemi", …
    QString quantityLabel;          // "Çıkan miktar : "
    QString deleteInvoice, deleteTitle; // "Satış faturasını iptal etmek", "Satış faturası iptal"
    bool lastCardFirst = false;         // code search from the last card backwards
    bool proposesPrice = true;          // Fiyat1 proposed on the code (sales)
    bool unknownCodeNotice = false;     // a save with an unknown code says so (purchase)
    bool printing = true;               // preview, print and layout commands on the line list
};

const InvoiceKind& salesInvoice();    // 1202, 1203
const InvoiceKind& purchaseInvoice(); // 1201
const InvoiceKind& invoiceKind(int fatTuru);
