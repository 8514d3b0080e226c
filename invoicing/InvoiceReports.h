#pragma once

#include "printing/ReportRenderer.h"

#include <QDate>
#include <QString>
#include <QStringList>

class CompanyData;

// The invoice list (1301): the purchase or sales invoices of a date range, optionally of a
// number and a customer code range, each with its lines under it in the detailed list, running
// totals at the foot of every page but the last and the totals of all at the end.
namespace InvoiceReports {

struct ListChoice {
    QDate from, to;                   // both included
    QString numberFrom, numberTo;     // invoice numbers, compared as numbers; empty: open
    QString customerFrom, customerTo; // customer codes, compared as text; empty: open
    int type = 0;                     // 0 purchases ("&Alış"), 1 sales ("&Satış")
    int order = 0;                    // 0 by number, 1 by date
    bool detail = false;              // "&Detay": the lines under each invoice
};

// Refuses a number that is not one ("Fatura nosu hatalı") and a missing date.
RunningReport startList(CompanyData& company, const ListChoice& choice, bool letter = false);
PageSet list(CompanyData& company, const ListChoice& choice, bool letter = false);

// The VAT summary (1302): for each chosen rate, in the order given, the net amount and the VAT
// of the sales lines and of the purchase lines dated within the range, and their totals. A rate
// with no lines prints zeros; lines of a rate not chosen are in no row and no total.
struct VatChoice {
    QDate from, to;
    QStringList rates; // as listed ("18", "0.5")
};
PageSet vatSummary(CompanyData& company, const VatChoice& choice, bool letter = false);

} // namespace InvoiceReports
