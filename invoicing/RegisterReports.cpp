#include "invoicing/InvoicePrint.h"
#include "invoicing/Registration.h"
#include "printing/ReportRegistry.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/GlobalData.h"

void registerInvoiceReports(ReportRegistry& reports)
{
    reports.add(1202,
                {QStringLiteral("Satış faturası"),
                 true,
                 {{"number", "FATURA_NO", "fatura nosu (aynı nolu faturalardan sonuncusu)"},
                  {"document", "fatura|irsaliye", "basılacak belge (fatura)"}},
                 [](GlobalData& global, CompanyData* company, const ReportOptions& options) {
                     bool ok = false;
                     const double number = options.value(QStringLiteral("number")).toDouble(&ok);
                     if (!ok)
                         throw AppError(QStringLiteral("Fatura nosu hatalı: %1")
                                            .arg(options.value(QStringLiteral("number"))));
                     const bool irsaliye = reportChoiceOption(options, QStringLiteral("document"),
                                                              {"fatura", "irsaliye"}, 0) == 1;
                     const qint64 id =
                         company->connection()
                             .scalar(QStringLiteral("SELECT \"Nosu\" FROM \"Fatura\" WHERE "
                                                    "coalesce(\"FatTuru\",0) = 1 AND \"FatNo\" = ? "
                                                    "ORDER BY \"Nosu\" DESC LIMIT 1"),
                                     {number})
                             .toLongLong();
                     if (id <= 0)
                         throw AppError(QStringLiteral("%1 nolu satış faturası bulunamadı.")
                                            .arg(options.value(QStringLiteral("number"))));
                     return InvoicePrint::pages(*company, global.fatPlan(), id, irsaliye);
                 }});
}
