#include "printing/ReportRegistry.h"
#include "stock/InventoryReports.h"
#include "stock/Registration.h"
#include "stock/ShelfLabels.h"
#include "stock/StockReports.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/GlobalData.h"
#include "store/InstallSettings.h"
#include "store/Table.h"

namespace {

using namespace StockReports;

QDate yearStart()
{
    return QDate(QDate::currentDate().year(), 1, 1);
}
QDate yearEnd()
{
    return QDate(QDate::currentDate().year(), 12, 31);
}

int priceOption(const ReportOptions& options)
{
    return reportChoiceOption(options, QStringLiteral("price"), {"yok", "1", "2", "3"}, 0);
}

const ReportOption kFrom{"from", "GG.AA.YYYY", "başlangıç tarihi (çalışma yılının başı)"};
const ReportOption kTo{"to", "GG.AA.YYYY", "bitiş tarihi (çalışma yılının sonu)"};
const ReportOption kCodeFrom{"code-from", "KOD", "ilk stok kart kodu"};
const ReportOption kCodeTo{"code-to", "KOD", "son stok kart kodu"};
const ReportOption kPrice{"price", "1|2|3|yok", "listeye yazılan fiyat (yok)"};

RegisteredReport inventoryReport(InventoryReports::Kind kind, const QString& title)
{
    std::vector<ReportOption> options = {
        {"date", "GG.AA.YYYY", "envanter tarihi (boş: tüm hareketler)"},
        kCodeFrom,
        kCodeTo,
        {"kind", "0..3",
         "stok kart durumu: 0 hammadde, 1 yrd. malzeme, 2 ara mamül, 3 mamül "
         "(tümü)"},
        {"order", "code|name", "sıra (code)"}};
    if (kind == InventoryReports::Kind::Profit)
        options.push_back({"method", "fifo|lifo|ortalama", "envanter yöntemi (fifo)"});
    return {
        title, true, options, [kind](GlobalData&, CompanyData* company, const ReportOptions& o) {
            InventoryReports::Choice c;
            c.date = reportDateOption(o, QStringLiteral("date"), QDate());
            c.cards.codeFrom = o.value(QStringLiteral("code-from"));
            c.cards.codeTo = o.value(QStringLiteral("code-to"));
            c.cards.kind = reportChoiceOption(o, QStringLiteral("kind"), {"0", "1", "2", "3"}, -1);
            c.cards.order = reportChoiceOption(o, QStringLiteral("order"), {"code", "name"}, 0);
            c.method = InventoryReports::Method(
                reportChoiceOption(o, QStringLiteral("method"), {"fifo", "lifo", "ortalama"}, 0));
            return InventoryReports::report(*company, kind, c);
        }};
}

// Shelf labels: every setting by its Users.ini key (else as Users.ini has it), the filters by
// name.
RegisteredReport shelfLabels()
{
    using namespace ShelfLabels;
    std::vector<ReportOption> options = {kCodeFrom,
                                         kCodeTo,
                                         {"date-from", "GG.AA.YYYY", "ilk fiyat değişim tarihi"},
                                         {"date-to", "GG.AA.YYYY", "son fiyat değişim tarihi"}};
    for (int i = 1; i <= 3; ++i)
        for (const char* end : {"from", "to"})
            options.push_back({QStringLiteral("special%1-%2").arg(i).arg(QLatin1String(end)),
                               QStringLiteral("KOD"), QStringLiteral("özel kod [%1]").arg(i)});
    for (int f = 0; f < PageFieldCount; ++f)
        options.push_back({QLatin1String(iniKey(PageField(f))), QStringLiteral("N"),
                           caption(PageField(f)).section(QLatin1Char(':'), 0, 0).trimmed()});
    const std::vector<std::tuple<const char*, const char*, const char*>> choices = {
        {"rg", "0|1", "sıra: koduna, cinsine"},
        {"rgKdv", "0|1", "fiyatlar KDV dahil, hariç"},
        {"rgBarkod", "0|1", "barkod yazılmasın, yazılsın"},
        {"rgCinsi", "0|1", "cinsi 10, 12 punto"},
        {"rgKodu", "0|1", "kodu 10, 12 punto"},
        {"rgModul", "0|1|2", "barkod modülü 1, 2, 3"},
        {"rgFiyat", "0|1|2", "etikete fiyat 1, 2, 3"},
        {"rgFiyat1", "0..4", "fiyat 10, 12, 16, 18, 22 punto"},
        {"chkKodu", "true|false", "stok kodu yazılsın"},
        {"chkCinsi", "true|false", "stok cinsi yazılsın"},
        {"chkFiyat", "true|false", "fiyatı yazılsın"},
        {"ikinci-fiyat", "1|2|3|yok", "ikinci fiyat (yok)"}};
    for (const auto& [name, value, help] : choices)
        options.push_back({QLatin1String(name), QLatin1String(value), QString::fromUtf8(help)});
    return {QStringLiteral("Etiket basımı"), true, options,
            [](GlobalData&, CompanyData* company, const ReportOptions& o) {
                Choices c = read(company->install().ini());
                for (int f = 0; f < PageFieldCount; ++f)
                    if (o.contains(QLatin1String(iniKey(PageField(f)))))
                        c.page[size_t(f)] = o.value(QLatin1String(iniKey(PageField(f))));
                const auto pick = [&](const char* key, int count, int current) {
                    QStringList words;
                    for (int i = 0; i < count; ++i)
                        words << QString::number(i);
                    return reportChoiceOption(o, QLatin1String(key), words, current);
                };
                const auto ticked = [&](const char* key, bool current) {
                    return reportChoiceOption(o, QLatin1String(key), {"false", "true"},
                                              current ? 1 : 0) == 1;
                };
                c.order = pick("rg", 2, c.order);
                c.kdv = pick("rgKdv", 2, c.kdv);
                c.barcode = pick("rgBarkod", 2, c.barcode);
                c.nameFont = pick("rgCinsi", 2, c.nameFont);
                c.codeFont = pick("rgKodu", 2, c.codeFont);
                c.module = pick("rgModul", 3, c.module);
                c.price = pick("rgFiyat", 3, c.price);
                c.priceFont = pick("rgFiyat1", 5, c.priceFont);
                c.showCode = ticked("chkKodu", c.showCode);
                c.showName = ticked("chkCinsi", c.showName);
                c.showPrice = ticked("chkFiyat", c.showPrice);
                c.secondPrice = reportChoiceOption(o, QStringLiteral("ikinci-fiyat"),
                                                   {"1", "2", "3", "yok"}, 3);
                Filter f;
                f.codeFrom = o.value(QStringLiteral("code-from"));
                f.codeTo = o.value(QStringLiteral("code-to"));
                f.dateFrom = o.value(QStringLiteral("date-from"));
                f.dateTo = o.value(QStringLiteral("date-to"));
                for (int i = 0; i < 3; ++i) {
                    f.specialFrom[size_t(i)] = o.value(QStringLiteral("special%1-from").arg(i + 1));
                    f.specialTo[size_t(i)] = o.value(QStringLiteral("special%1-to").arg(i + 1));
                }
                return labels(*company, f, c);
            }};
}

} // namespace

void registerStockReports(ReportRegistry& reports)
{
    reports.add(3308, shelfLabels());
    reports.add(3303, inventoryReport(InventoryReports::Kind::Physical,
                                      QStringLiteral("Fiziki envanter listesi")));
    reports.add(3304, inventoryReport(InventoryReports::Kind::Financial,
                                      QStringLiteral("Mali envanter listesi")));
    reports.add(3305, inventoryReport(InventoryReports::Kind::Profit,
                                      QStringLiteral("Kar analizi listesi")));
    reports.add(
        3301,
        {QStringLiteral("Stok kart listesi"),
         true,
         {kCodeFrom,
          kCodeTo,
          {"from", "GG.AA.YYYY", "ilk fiyat değişiklik tarihi (boş)"},
          {"to", "GG.AA.YYYY", "son fiyat değişiklik tarihi (boş)"},
          {"kind", "hammadde|yrdmlz|aramamul|mamul|tumu", "stok kart durumu (tumu)"},
          {"order", "code|name", "sıra (code)"},
          kPrice,
          {"change-date", "evet|hayir", "fiyat değişiklik tarihi yazılsın (hayir)"}},
         [](GlobalData&, CompanyData* company, const ReportOptions& options) {
             CardChoice c;
             c.codeFrom = options.value(QStringLiteral("code-from"));
             c.codeTo = options.value(QStringLiteral("code-to"));
             c.dateFrom = options.value(QStringLiteral("from"));
             c.dateTo = options.value(QStringLiteral("to"));
             const int kind =
                 reportChoiceOption(options, QStringLiteral("kind"),
                                    {"hammadde", "yrdmlz", "aramamul", "mamul", "tumu"}, 4);
             c.kind = kind == 4 ? -1 : kind;
             c.order = reportChoiceOption(options, QStringLiteral("order"), {"code", "name"}, 0);
             c.price = priceOption(options);
             c.changeDate = reportChoiceOption(options, QStringLiteral("change-date"),
                                               {"hayir", "evet"}, 0) == 1;
             return cardList(*company, c);
         }});
    reports.add(3302, {QStringLiteral("Stok hareket listesi"),
                       true,
                       {kFrom,
                        kTo,
                        kCodeFrom,
                        kCodeTo,
                        {"customer", "CARI_KODU", "yalnız bu carinin faturaları (tümü)"}},
                       [](GlobalData&, CompanyData* company, const ReportOptions& options) {
                           MovementChoice c;
                           c.from = reportDateOption(options, QStringLiteral("from"), yearStart());
                           c.to = reportDateOption(options, QStringLiteral("to"), yearEnd());
                           c.codeFrom = options.value(QStringLiteral("code-from"));
                           c.codeTo = options.value(QStringLiteral("code-to"));
                           c.customerCode = options.value(QStringLiteral("customer"));
                           return movementList(*company, c);
                       }});
    reports.add(
        3306,
        {QStringLiteral("Katalog"),
         true,
         {{"title", "METİN", "liste açıklaması (şirket ünvanı)"},
          {"order", "code|name", "sıra (code)"},
          {"picture", "fit|original|card", "resimler (fit)"},
          kPrice},
         [](GlobalData& global, CompanyData* company, const ReportOptions& options) {
             CatalogueChoice c;
             // The company's title, as the window starts.
             c.title = options.contains(QStringLiteral("title"))
                           ? options.value(QStringLiteral("title"))
                           : global.sirket()
                                 .lookup(QStringLiteral("SKodu"), company->code(),
                                         QStringLiteral("Aciklama"))
                                 .toString();
             c.order = reportChoiceOption(options, QStringLiteral("order"), {"code", "name"}, 0);
             c.pictures = CatalogueChoice::Pictures(reportChoiceOption(
                 options, QStringLiteral("picture"), {"fit", "original", "card"}, 0));
             c.price = priceOption(options);
             return catalogue(*company, c);
         }});
    reports.add(3307,
                {QStringLiteral("Stok kart ekstresi"),
                 true,
                 {{"stock", "STOK_KODU", "stok kart kodu"}, kFrom, kTo},
                 [](GlobalData&, CompanyData* company, const ReportOptions& options) {
                     StatementChoice c;
                     const QString code = options.value(QStringLiteral("stock"));
                     const auto card =
                         company->findCard(QStringLiteral("Stok"), QStringLiteral("Kodu"),
                                           QStringLiteral("Cinsi"), code);
                     if (code.isEmpty() || !card)
                         throw AppError(QStringLiteral("Stok kartı bulunamadı: %1").arg(code));
                     c.stockId = card->id;
                     c.from = reportDateOption(options, QStringLiteral("from"), yearStart());
                     c.to = reportDateOption(options, QStringLiteral("to"), yearEnd());
                     return statement(*company, c);
                 }});
}
