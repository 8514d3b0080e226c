#include "portfolio/PortfolioReports.h"
#include "portfolio/Registration.h"
#include "printing/ReportRegistry.h"
#include "store/AppError.h"
#include "store/CompanyData.h"

namespace {

RegisteredReport paperListReport(const PortfolioKind& kind, const QString& title)
{
    std::vector<ReportOption> options = {
        {"from", "GG.AA.YYYY", "ilk vade tarihi (çalışma yılının başı)"},
        {"to", "GG.AA.YYYY", "son vade tarihi (çalışma yılının sonu)"},
        {"position", "SIRA",
         kind.firm ? "pozisyon: 0 Tanzim, 1 Ödendi, 2 Tümü (0)"
                   : "pozisyon: 0 Portföy … 5 İade, 6 Tümü (0)"},
        {"number-from", "NO", "ilk kağıt nosu"},
        {"number-to", "NO", "son kağıt nosu"},
        {"customer-from", "KOD",
         kind.firm ? "ilk cari kart nosu" : "ilk cari kart nosu (ilk kart)"},
        {"customer-to", "KOD", kind.firm ? "son cari kart nosu" : "son cari kart nosu (son kart)"}};
    if (kind.check) options.push_back({"bank", "METİN", "bankası"});
    if (kind.check && !kind.firm) options.push_back({"branch", "METİN", "şubesi"});
    if (!kind.firm) {
        options.push_back({"ref-from", "SAYI", "ilk referans no"});
        options.push_back({"ref-to", "SAYI", "son referans no"});
    }
    return {title, true, options,
            [&kind](GlobalData&, CompanyData* company, const ReportOptions& o) {
                const int year = QDate::currentDate().year();
                PaperListChoice c;
                c.from = reportDateOption(o, QStringLiteral("from"), QDate(year, 1, 1));
                c.to = reportDateOption(o, QStringLiteral("to"), QDate(year, 12, 31));
                const QStringList items = PortfolioReports::positionChoices(kind);
                bool ok = true;
                const int position = o.contains(QStringLiteral("position"))
                                         ? o.value(QStringLiteral("position")).toInt(&ok)
                                         : 0;
                if (!ok || position < 0 || position >= items.size())
                    throw AppError(QStringLiteral("Pozisyon 0 ile %1 arasında olmalı: %2")
                                       .arg(items.size() - 1)
                                       .arg(o.value(QStringLiteral("position"))));
                c.position = position == items.size() - 1 ? -1 : position;
                c.numberFrom = o.value(QStringLiteral("number-from"));
                c.numberTo = o.value(QStringLiteral("number-to"));
                // Customer papers open on the first and the last card's code.
                const auto edge = [&](const char* order) {
                    return company->connection()
                        .scalar(QStringLiteral("SELECT \"CariNo\" FROM \"Cari\" ORDER BY "
                                               "\"CariNo\" %1, \"Nosu\" %1 LIMIT 1")
                                    .arg(QLatin1String(order)))
                        .toString();
                };
                c.customerFrom = o.contains(QStringLiteral("customer-from")) || kind.firm
                                     ? o.value(QStringLiteral("customer-from"))
                                     : edge("ASC");
                c.customerTo = o.contains(QStringLiteral("customer-to")) || kind.firm
                                   ? o.value(QStringLiteral("customer-to"))
                                   : edge("DESC");
                c.bank = o.value(QStringLiteral("bank"));
                c.branch = o.value(QStringLiteral("branch"));
                c.refFrom = o.value(QStringLiteral("ref-from"));
                c.refTo = o.value(QStringLiteral("ref-to"));
                return PortfolioReports::paperList(*company, kind, c);
            }};
}

} // namespace

void registerPortfolioReports(ReportRegistry& reports)
{
    reports.add(4301, paperListReport(customerChecks(), QStringLiteral("Müşteri çek listesi")));
    reports.add(4302, paperListReport(customerNotes(), QStringLiteral("Müşteri senet listesi")));
    reports.add(4303, paperListReport(firmChecks(), QStringLiteral("Firma çek listesi")));
    reports.add(4304, paperListReport(firmNotes(), QStringLiteral("Firma senet listesi")));
}
