#pragma once

#include "printing/ReportDef.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <functional>

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

// The handlers of the invoice print that a band of a layout may name: the title's, the page
// header's, the detail's and the page footer's, as the built-in layout's bands carry them.
const QStringList& invoiceHandlers();
// A layout file's largest size.
inline constexpr qint64 kLayoutFileLimit = 16 * 1024 * 1024;

// Reads a designed layout (TfrmFtSatisP.ftr or .irs). It replaces the built-in layout only when
// it is whole: our format, a known version, known classes and handlers, valid unique names,
// sizes that print, at most 16 MB. Otherwise throws AppError "Dizayn dosyası okunamadı" with the
// file and the reason (the old program's layouts: "eski biçim; yeniden dizayn ediniz"). Layouts
// of the first version get the handlers of the built-in bands by kind.
ReportDef readInvoiceLayoutFile(const QString& path);
// Writes a layout through a temporary file renamed over the old one, so that a failed write
// leaves the old file whole; throws AppError naming the file and the reason. `beforeRename`
// runs when everything is written (tests fail there).
void writeInvoiceLayoutFile(const QString& path, const ReportDef& def,
                            const std::function<void()>& beforeRename = {});

// What the position editor refuses: a page smaller than its margins allow, a band too short for
// its elements, an element outside the page. Empty when the layout can print; else the message.
QString invoiceLayoutFault(const InvoicePlan& plan, const InvoiceLayoutSettings& settings);
