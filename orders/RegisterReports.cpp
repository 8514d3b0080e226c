#include "orders/OrderKind.h"
#include "orders/OrderReports.h"
#include "orders/Registration.h"
#include "printing/ReportRegistry.h"
#include "store/AppError.h"
#include "store/CompanyData.h"

#include <QDate>

namespace {

using namespace OrderReports;

// The working year's first and last day unless given.
std::pair<QDate, QDate> dates(const ReportOptions& o)
{
    const int year = QDate::currentDate().year();
    return {reportDateOption(o, QStringLiteral("from"), QDate(year, 1, 1)),
            reportDateOption(o, QStringLiteral("to"), QDate(year, 12, 31))};
}

std::vector<ReportOption> dateOptions()
{
    return {{"from", "GG.AA.YYYY", "ilk termin tarihi (yılın başı)"},
            {"to", "GG.AA.YYYY", "son termin tarihi (yılın sonu)"}};
}

void rangeOptions(std::vector<ReportOption>& options, const char* name, const char* what)
{
    for (const char* end : {"from", "to"})
        options.push_back({QStringLiteral("%1-%2").arg(QLatin1String(name), QLatin1String(end)),
                           QStringLiteral("KOD"), QString::fromUtf8(what)});
}

RegisteredReport orderPrint(const OrderKind& kind, const QString& title)
{
    return {title,
            true,
            {{"order", "NO", "sipariş fişinin Nosu"}},
            [&kind](GlobalData&, CompanyData* company, const ReportOptions& o) {
                bool ok = false;
                const qint64 id = o.value(QStringLiteral("order")).toLongLong(&ok);
                if (!ok || id <= 0)
                    throw AppError(QStringLiteral("Sipariş nosu hatalı: %1")
                                       .arg(o.value(QStringLiteral("order"))));
                return orderPages(*company, kind, id);
            }};
}

} // namespace

void registerOrderReports(ReportRegistry& reports)
{
    reports.add(7201, orderPrint(salesOrders(), QStringLiteral("Satış sipariş fişi")));
    reports.add(7202, orderPrint(purchaseOrders(), QStringLiteral("Alış sipariş fişi")));

    std::vector<ReportOption> list = dateOptions();
    rangeOptions(list, "number", "sipariş nosu");
    rangeOptions(list, "customer", "cari kart nosu");
    rangeOptions(list, "special", "sipariş özel kodu");
    list.push_back({"order", "due|number|date|title", "sıra (due)"});
    list.push_back({"kind", "purchase|sales", "sipariş türü (purchase)"});
    list.push_back({"detail", "no|yes", "siparişlerin kalemleri de basılsın (no)"});
    list.push_back({"state", "open|closed|all", "sipariş durumu (open)"});
    reports.add(
        7301,
        {QStringLiteral("Sipariş fişleri listesi"), true, list,
         [](GlobalData&, CompanyData* company, const ReportOptions& o) {
             OrderListChoice c;
             std::tie(c.from, c.to) = dates(o);
             c.numberFrom = o.value(QStringLiteral("number-from"));
             c.numberTo = o.value(QStringLiteral("number-to"));
             c.customerFrom = o.value(QStringLiteral("customer-from"));
             c.customerTo = o.value(QStringLiteral("customer-to"));
             c.specialFrom = o.value(QStringLiteral("special-from"));
             c.specialTo = o.value(QStringLiteral("special-to"));
             c.order = reportChoiceOption(o, QStringLiteral("order"),
                                          {"due", "number", "date", "title"}, 0);
             c.type = reportChoiceOption(o, QStringLiteral("kind"), {"purchase", "sales"}, 0);
             c.detail = reportChoiceOption(o, QStringLiteral("detail"), {"no", "yes"}, 0) == 1;
             c.state = reportChoiceOption(o, QStringLiteral("state"), {"open", "closed", "all"}, 0);
             return orderList(*company, c);
         }});

    std::vector<ReportOption> lines = dateOptions();
    rangeOptions(lines, "code", "stok kart nosu");
    rangeOptions(lines, "customer", "cari kart nosu");
    lines.push_back({"order", "due|customer", "sıra (due)"});
    lines.push_back({"state", "open|closed|all", "sipariş durumu (open)"});
    lines.push_back({"kind", "purchase|sales", "sipariş türü (purchase)"});
    reports.add(
        7303,
        {QStringLiteral("Sipariş kalemleri listesi"), true, lines,
         [](GlobalData&, CompanyData* company, const ReportOptions& o) {
             LineListChoice c;
             std::tie(c.from, c.to) = dates(o);
             c.stockFrom = o.value(QStringLiteral("code-from"));
             c.stockTo = o.value(QStringLiteral("code-to"));
             c.customerFrom = o.value(QStringLiteral("customer-from"));
             c.customerTo = o.value(QStringLiteral("customer-to"));
             c.order = reportChoiceOption(o, QStringLiteral("order"), {"due", "customer"}, 0);
             c.state = reportChoiceOption(o, QStringLiteral("state"), {"open", "closed", "all"}, 0);
             c.type = reportChoiceOption(o, QStringLiteral("kind"), {"purchase", "sales"}, 0);
             return lineList(*company, c);
         }});

    std::vector<ReportOption> stock;
    rangeOptions(stock, "code", "stok kart nosu");
    for (int i = 1; i <= 3; ++i)
        for (const char* end : {"from", "to"})
            stock.push_back({QStringLiteral("special%1-%2").arg(i).arg(QLatin1String(end)),
                             QStringLiteral("KOD"), QStringLiteral("özel kod [%1]").arg(i)});
    stock.push_back({"material", "0|1|2|3|all", "stok kart durumu (all)"});
    stock.push_back({"order", "code|name", "stok kart sırası (code)"});
    reports.add(
        7302, {QStringLiteral("Sipariş fiziki envanter listesi"), true, stock,
               [](GlobalData&, CompanyData* company, const ReportOptions& o) {
                   StockStatusChoice c;
                   c.codeFrom = o.value(QStringLiteral("code-from"));
                   c.codeTo = o.value(QStringLiteral("code-to"));
                   for (int i = 0; i < 3; ++i) {
                       c.specialFrom[size_t(i)] =
                           o.value(QStringLiteral("special%1-from").arg(i + 1));
                       c.specialTo[size_t(i)] = o.value(QStringLiteral("special%1-to").arg(i + 1));
                   }
                   c.material = reportChoiceOption(o, QStringLiteral("material"),
                                                   {"0", "1", "2", "3", "all"}, 4);
                   c.order = reportChoiceOption(o, QStringLiteral("order"), {"code", "name"}, 0);
                   return stockStatus(*company, c);
               }});
}
