#include "invoicing/InvoicePrint.h"
#include "invoicing/InvoiceReports.h"
#include "invoicing/Registration.h"
#include "invoicing/VatRates.h"
#include "printing/ReportRegistry.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/GlobalData.h"
#include "store/InstallSettings.h"

void registerInvoiceReports(ReportRegistry& reports)
{
    reports.add(1202,
                {QStringLiteral("Satış faturası"),
                 true,
                 {{"number", "FATURA_NO", "fatura nosu (aynı nolu faturalardan sonuncusu)"},
                  {"document", "fatura|irsaliye", "basılacak belge (fatura)"},
                  {"layout", "DOSYA", "kurulu dizayn yerine bu dizayn dosyasıyla basar"}},
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
                     return InvoicePrint::pages(*company, global.fatPlan(), id, irsaliye, nullptr,
                                                options.value(QStringLiteral("layout")));
                 }});
    reports.add(
        1301,
        {QStringLiteral("Fatura listesi"),
         true,
         {{"from", "GG.AA.YYYY", "ilk fatura tarihi (çalışma yılının başı)"},
          {"to", "GG.AA.YYYY", "son fatura tarihi (çalışma yılının sonu)"},
          {"type", "alis|satis", "fatura türü (alis)"},
          {"number-from", "NO", "ilk fatura nosu"},
          {"number-to", "NO", "son fatura nosu"},
          {"customer-from", "KOD", "ilk cari kart nosu"},
          {"customer-to", "KOD", "son cari kart nosu"},
          {"order", "no|tarih", "sıra (no)"},
          {"list", "normal|detay", "liste tipi: detay faturaların kalemlerini de basar (normal)"}},
         [](GlobalData&, CompanyData* company, const ReportOptions& o) {
             const int year = QDate::currentDate().year();
             InvoiceReports::ListChoice c;
             c.from = reportDateOption(o, QStringLiteral("from"), QDate(year, 1, 1));
             c.to = reportDateOption(o, QStringLiteral("to"), QDate(year, 12, 31));
             c.type = reportChoiceOption(o, QStringLiteral("type"), {"alis", "satis"}, 0);
             c.numberFrom = o.value(QStringLiteral("number-from"));
             c.numberTo = o.value(QStringLiteral("number-to"));
             c.customerFrom = o.value(QStringLiteral("customer-from"));
             c.customerTo = o.value(QStringLiteral("customer-to"));
             c.order = reportChoiceOption(o, QStringLiteral("order"), {"no", "tarih"}, 0);
             c.detail = reportChoiceOption(o, QStringLiteral("list"), {"normal", "detay"}, 0) == 1;
             return InvoiceReports::list(*company, c);
         }});
    reports.add(1302,
                {QStringLiteral("Dönemsel kdv dökümü"),
                 true,
                 {{"from", "GG.AA.YYYY", "ilk tarih (çalışma yılının başı)"},
                  {"to", "GG.AA.YYYY", "son tarih (çalışma yılının sonu)"},
                  {"rates", "18,8,...", "KDV oranları (Kdv.ZR'deki oranlar)"}},
                 [](GlobalData&, CompanyData* company, const ReportOptions& o) {
                     const int year = QDate::currentDate().year();
                     InvoiceReports::VatChoice c;
                     c.from = reportDateOption(o, QStringLiteral("from"), QDate(year, 1, 1));
                     c.to = reportDateOption(o, QStringLiteral("to"), QDate(year, 12, 31));
                     if (o.contains(QStringLiteral("rates"))) {
                         for (const QString& typed :
                              o.value(QStringLiteral("rates"))
                                  .split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                             const QString rate = VatRates::text(typed);
                             if (rate.isEmpty())
                                 throw AppError(QStringLiteral("KDV oranı hatalı: %1").arg(typed));
                             c.rates << rate;
                         }
                     } else {
                         c.rates = VatRates::read(company->install().programDir());
                     }
                     return InvoiceReports::vatSummary(*company, c);
                 }});
}
