#pragma once

#include "printing/PageSet.h"
#include "printing/ReportRenderer.h"

#include <QString>
#include <vector>

class CompanyData;
class IniFile;
class Table;
struct InvoiceLine;

// The printed invoice and delivery note.
namespace InvoicePrint {

// The free layout file of the invoice (TfrmFtSatisP.ftr) or the delivery note (.irs) in the
// program directory.
QString layoutPath(const CompanyData& company, bool irsaliye);

// The mask of a quantity with a fraction: FATURAMIKTAR when Users.ini sets it, else two
// decimals, so that 2.5 never shows as 2 or 3. Whole quantities print in the money format.
QString fractionMask(const IniFile& usersIni);

// One line of the VAT detail: the base, the rate and the VAT of one rate over the whole
// invoice. Rates listed in Kdv.ZR come first in its order (compared as numbers), then the
// others as they first appear. With VAT per rate (KDVHESAP 1) each rate's VAT is rounded once,
// so the lines add up to the invoice's VAT either way.
struct VatLine {
    double rate = 0, base = 0, vat = 0;
};
std::vector<VatLine> vatDetail(const CompanyData& company, const std::vector<InvoiceLine>& lines);

// The layout an invoice (or its delivery note) prints with: its layout file when one exists and
// loads completely, else the built-in layout from FatPlan and the FATURA keys. `notice` gets the
// file and reason of a layout file that could not be used.
ReportDef installedLayout(CompanyData& company, Table& fatPlan, bool irsaliye,
                          QString* notice = nullptr);

// Starts the print of an invoice: its layout file when one exists and loads completely, else
// the built-in layout from FatPlan and the FATURA keys. `notice` gets the message of a layout
// file that could not be used (the built-in one prints instead). A `layout` file given prints
// instead of the installed one; one that cannot be read throws.
RunningReport start(CompanyData& company, Table& fatPlan, qint64 invoiceId, bool irsaliye,
                    QString* notice = nullptr, const QString& layout = QString());
// The print of an invoice with a layout given (the designer's preview of what it has).
RunningReport startWith(CompanyData& company, qint64 invoiceId, ReportDef layout);
PageSet pages(CompanyData& company, Table& fatPlan, qint64 invoiceId, bool irsaliye,
              QString* notice = nullptr, const QString& layout = QString());

} // namespace InvoicePrint
