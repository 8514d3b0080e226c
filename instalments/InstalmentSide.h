#pragma once

#include "invoicing/InvoiceKind.h"

#include <QString>

// The two sides of instalment credit as data: sales (the customer pays the firm) and purchases
// (the firm pays its supplier) keep the same records in twin tables and differ only here.
struct InstalmentSide {
    bool sales = true;
    QString sale;        // the header: Taksit / ATaksit
    QString plan;        // the plan lines: Plan / APlan
    QString payment;     // the payments: Odeme / AOdeme
    QString paymentText; // after the invoice number on a payment's movement and cash record
    const InvoiceKind& invoiceKind() const { return sales ? salesInvoice() : purchaseInvoice(); }
    int fatTuru() const { return invoiceKind().fatTuru; }
};

inline const InstalmentSide& salesInstalments()
{
    static const InstalmentSide side{true, QStringLiteral("Taksit"), QStringLiteral("Plan"),
                                     QStringLiteral("Odeme"), QStringLiteral(" SAT FT ÖDEMESİ")};
    return side;
}

inline const InstalmentSide& purchaseInstalments()
{
    static const InstalmentSide side{false, QStringLiteral("ATaksit"), QStringLiteral("APlan"),
                                     QStringLiteral("AOdeme"), QStringLiteral(" AL FT ÖDEMESİ")};
    return side;
}
