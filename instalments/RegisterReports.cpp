#include "instalments/InstalmentReports.h"
#include "instalments/InstalmentSide.h"
#include "instalments/Registration.h"
#include "printing/ReportRegistry.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/InstallSettings.h"

namespace {

using InstalmentReports::PaymentListChoice;

RegisteredReport paymentList(const InstalmentSide& side, const QString& title)
{
    std::vector<ReportOption> options = {{"customer", "CARI_KODU", "yalnız bu cari kart (tümü)"},
                                         {"from", "GG.AA.YYYY", "ilk vade (boş)"},
                                         {"to", "GG.AA.YYYY", "son vade (boş)"}};
    for (int i = 1; i <= 3; ++i)
        for (const char* end : {"from", "to"})
            options.push_back({QStringLiteral("special%1-%2").arg(i).arg(QLatin1String(end)),
                               QStringLiteral("KOD"), QStringLiteral("özel kod [%1]").arg(i)});
    options.push_back({"state", "paid|unpaid|all", "ödeme durumu (all)"});
    options.push_back({"order", "code|title", "cari kart sırası (title)"});
    return {title, true, options,
            [&side](GlobalData&, CompanyData* company, const ReportOptions& o) {
                PaymentListChoice c;
                c.customerCode = o.value(QStringLiteral("customer"));
                c.dueFrom = reportDateOption(o, QStringLiteral("from"), QDate());
                c.dueTo = reportDateOption(o, QStringLiteral("to"), QDate());
                for (int i = 0; i < 3; ++i) {
                    c.specialFrom[size_t(i)] = o.value(QStringLiteral("special%1-from").arg(i + 1));
                    c.specialTo[size_t(i)] = o.value(QStringLiteral("special%1-to").arg(i + 1));
                }
                c.state = PaymentListChoice::State(
                    reportChoiceOption(o, QStringLiteral("state"), {"paid", "unpaid", "all"}, 2));
                c.order = reportChoiceOption(o, QStringLiteral("order"), {"code", "title"}, 1);
                return InstalmentReports::paymentList(*company, side, c);
            }};
}

} // namespace

void registerInstalmentReports(ReportRegistry& reports)
{
    reports.add(1303,
                paymentList(salesInstalments(), QStringLiteral("Kredili satış ödeme listesi")));
    reports.add(1304,
                paymentList(purchaseInstalments(), QStringLiteral("Kredili alış ödeme listesi")));
    reports.add(
        1204,
        {QStringLiteral("Kredili satış senedi ve ödeme planı"),
         true,
         {{"sale", "NO", "kredili satış fişinin nosu"},
          {"parts", "note|plan|both", "basılacaklar (both)"}},
         [](GlobalData&, CompanyData* company, const ReportOptions& o) {
             bool ok = false;
             const qint64 id = o.value(QStringLiteral("sale")).toLongLong(&ok);
             if (!ok || id <= 0)
                 throw AppError(
                     QStringLiteral("Fiş nosu hatalı: %1").arg(o.value(QStringLiteral("sale"))));
             InstalmentReports::NoteChoice c =
                 InstalmentReports::readNoteSettings(company->install().ini());
             const int parts =
                 reportChoiceOption(o, QStringLiteral("parts"), {"note", "plan", "both"}, 2);
             c.note = parts != 1;
             c.plans = parts != 0;
             return InstalmentReports::notePages(*company, id, c);
         }});
}
