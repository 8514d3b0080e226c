#pragma once

#include "printing/ReportDef.h"

#include <QHash>
#include <QString>
#include <QVariant>

class IniFile;
class Table;

// An invoice layout's pixel: 1/96 inch, so that the built-in positions fit a letter page. The
// label layouts keep their own pixels.
inline constexpr double kInvoicePixelMm = 25.4 / 96;

// The built-in layout's keys of Users.ini, section FATURA.
struct InvoiceLayoutSettings {
    double genis = 215.9, uzun = 279.4; // page width and length, mm
    bool chkIskonto = false;            // print the discount total
    double iskontoL = 480, iskontoT = 3;
    QString texts[4] = {QStringLiteral("İSKONTO TUTARI : "), QStringLiteral("FATURA TUTARI : "),
                        QStringLiteral("KDV TUTARI : "), QStringLiteral("GENEL TOPLAM : ")};
    bool shown[4] = {false, false, false, false}; // chkISKONTO_1 … _4
    int fontSize = 10;
    QString fontName = QStringLiteral("MS Sans Serif");

    static InvoiceLayoutSettings read(const IniFile& usersIni);
    // All keys in one atomic write; throws AppError when the file cannot be written.
    void write(IniFile& usersIni) const;
};

// The one record of FatPlan: positions in invoice pixels and "E"/"H" show flags.
using InvoicePlan = QHash<QString, QVariant>;
InvoicePlan readInvoicePlan(Table& fatPlan);
// Writes the record back in one command (the table's cursor stays on it).
void writeInvoicePlan(Table& fatPlan, const InvoicePlan& plan);

// The built-in invoice layout as a report definition, every element named as the print's
// handlers and the designer know it (lblTTarih … lblYazi); `moneyMask` and `priceMask` are the
// company's display formats.
ReportDef builtInInvoiceLayout(const InvoicePlan& plan, const InvoiceLayoutSettings& settings,
                               const QString& moneyMask, const QString& priceMask);

// What the position editor refuses: a page smaller than its margins allow, a band too short for
// its elements, an element outside the page. Empty when the layout can print; else the message.
QString invoiceLayoutFault(const InvoicePlan& plan, const InvoiceLayoutSettings& settings);
