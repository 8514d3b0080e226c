#pragma once

#include "invoicing/InvoiceKind.h"

#include <QString>

// Sales orders (kind 1, command 7201) and purchase orders (kind 0, 7202) as data: every window,
// title, filter and counter of the orders reads its words from here.
struct OrderKind {
    int sipTuru = 1;
    QString word;       // "SATIŞ" / "ALIŞ"
    QString counterKey; // Resimler.ini [SIPARIS]: SATISNO / ALISNO
    const InvoiceKind& invoiceKind() const
    {
        return sipTuru == 1 ? salesInvoice() : purchaseInvoice();
    }
    int fatTuru() const { return invoiceKind().fatTuru; }
};

inline const OrderKind& salesOrders()
{
    static const OrderKind kind{1, QStringLiteral("SATIŞ"), QStringLiteral("SATISNO")};
    return kind;
}

inline const OrderKind& purchaseOrders()
{
    static const OrderKind kind{0, QStringLiteral("ALIŞ"), QStringLiteral("ALISNO")};
    return kind;
}
