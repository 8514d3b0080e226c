#include "cash/CashReports.h"
#include "cash/Registration.h"
#include "cash/SlipKind.h"
#include "printing/ReportRegistry.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/GlobalData.h"
#include "store/Table.h"

namespace {

RegisteredReport slipReport(const SlipKind& kind, const QString& title)
{
    return {title,
            true,
            {{"slip", "REF_NO", "fişin referans nosu (Ref. No)"}},
            [&kind](GlobalData& global, CompanyData* company, const ReportOptions& options) {
                bool ok = false;
                const qint64 id = options.value(QStringLiteral("slip")).toLongLong(&ok);
                if (!ok || id <= 0)
                    throw AppError(QStringLiteral("Fiş nosu hatalı: %1")
                                       .arg(options.value(QStringLiteral("slip"))));
                const QString companyTitle = global.sirket()
                                                 .lookup(QStringLiteral("SKodu"), company->code(),
                                                         QStringLiteral("Aciklama"))
                                                 .toString();
                return CashReports::slip(*company, kind, id, companyTitle);
            }};
}

} // namespace

void registerCashReports(ReportRegistry& reports)
{
    reports.add(5201, slipReport(collectionSlip(), QStringLiteral("Kasa tahsil fişi")));
    reports.add(5202, slipReport(paymentSlip(), QStringLiteral("Kasa tediye fişi")));
    reports.add(
        5301, {QStringLiteral("Kasa defteri dökümü"),
               true,
               {{"from", "GG.AA.YYYY", "başlangıç tarihi (bugün)"},
                {"to", "GG.AA.YYYY", "bitiş tarihi (bugün)"},
                {"totals", "show|hide", "giren ve çıkan toplamları (show)"}},
               [](GlobalData&, CompanyData* company, const ReportOptions& options) {
                   CashReports::BookChoice c;
                   c.from = reportDateOption(options, QStringLiteral("from"), QDate::currentDate());
                   c.to = reportDateOption(options, QStringLiteral("to"), QDate::currentDate());
                   c.hideTotals = reportChoiceOption(options, QStringLiteral("totals"),
                                                     {"show", "hide"}, 0) == 1;
                   return CashReports::book(*company, c);
               }});
}
