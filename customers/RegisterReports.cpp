#include "customers/CustomerLabels.h"
#include "customers/CustomerReports.h"
#include "customers/Registration.h"
#include "printing/ReportRegistry.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/InstallSettings.h"

namespace {

using namespace CustomerReports;

const QStringList kKindWords = {"musteri", "satici", "ozel", "banka", "tumu"};
const QStringList kOrderWords = {"kod", "unvan", "yetkili"};
const QStringList kMovementWords = {"dekont", "fatura", "nakit", "ceksenet", "tumu"};
const QStringList kAmountWords = {"borc", "alacak", "tumu"};

// The working year's first and last day, as the windows open.
QDate yearStart()
{
    return QDate(QDate::currentDate().year(), 1, 1);
}
QDate yearEnd()
{
    return QDate(QDate::currentDate().year(), 12, 31);
}

qint64 customerOption(CompanyData& company, const ReportOptions& options)
{
    const QString code = options.value(QStringLiteral("customer"));
    const std::vector<SqlRow> rows = company.connection().select(
        QStringLiteral("SELECT \"Nosu\" FROM \"Cari\" WHERE \"CariNo\" = ? ORDER BY \"Nosu\" DESC "
                       "LIMIT 1"),
        {code});
    if (code.isEmpty() || rows.empty())
        throw AppError(QStringLiteral("Cari kart bulunamadı: %1").arg(code));
    return rows.front()[0].toLongLong();
}

CardChoice cardOptions(const ReportOptions& options)
{
    CardChoice c;
    const int kind = reportChoiceOption(options, QStringLiteral("kind"), kKindWords, 4);
    c.kind = kind == 4 ? -1 : kind;
    c.codeFrom = options.value(QStringLiteral("code-from"));
    c.codeTo = options.value(QStringLiteral("code-to"));
    c.order = reportChoiceOption(options, QStringLiteral("order"), kOrderWords, 0);
    return c;
}

void movementOptions(const ReportOptions& options, Kinds& kinds, Amounts& amounts)
{
    kinds = Kinds(reportChoiceOption(options, QStringLiteral("movements"), kMovementWords, 4));
    amounts = Amounts(reportChoiceOption(options, QStringLiteral("amounts"), kAmountWords, 2));
}

const ReportOption kFrom{"from", "GG.AA.YYYY", "başlangıç tarihi (çalışma yılının başı)"};
const ReportOption kTo{"to", "GG.AA.YYYY", "bitiş tarihi (çalışma yılının sonu)"};
const ReportOption kCustomer{"customer", "CARI_KODU", "cari kart nosu"};
const ReportOption kKind{"kind", "musteri|satici|ozel|banka|tumu", "cari kart durumu (tumu)"};
const ReportOption kCodeFrom{"code-from", "KOD", "ilk cari kart nosu"};
const ReportOption kCodeTo{"code-to", "KOD", "son cari kart nosu"};
const ReportOption kMovements{"movements", "dekont|fatura|nakit|ceksenet|tumu",
                              "hareket türleri (tumu)"};
const ReportOption kAmounts{"amounts", "borc|alacak|tumu", "miktarlar (tumu)"};

// Customer labels: every sheet setting by its Users.ini key (else as Users.ini has it), the card
// filter, the sheet kind and the lines.
RegisteredReport customerLabels()
{
    using namespace CustomerLabels;
    std::vector<ReportOption> options = {kKind,
                                         kCodeFrom,
                                         kCodeTo,
                                         {"il", "İL", "il"},
                                         {"order", "kod|unvan", "sıra (unvan)"},
                                         {"standard", "1|0", "standart etiket (1)"},
                                         {"lines", "unvan,yetkili,adres,postakodu,il",
                                          "basılacak satırlar, virgülle ayrılmış (hepsi)"}};
    for (int i = 1; i <= 3; ++i)
        for (const char* end : {"from", "to"})
            options.push_back({QStringLiteral("special%1-%2").arg(i).arg(QLatin1String(end)),
                               QStringLiteral("KOD"), QStringLiteral("özel kod [%1]").arg(i)});
    for (int f = 0; f < FieldCount; ++f)
        options.push_back({QLatin1String(iniKey(Field(f))), QStringLiteral("DEĞER"),
                           caption(Field(f)).section(QLatin1Char(':'), 0, 0).trimmed()});
    return {
        QStringLiteral("Cari kart etiket dökümü"), true, options,
        [](GlobalData&, CompanyData* company, const ReportOptions& o) {
            Choice c;
            c.cards = cardOptions(o);
            c.cards.order = reportChoiceOption(o, QStringLiteral("order"), {"kod", "unvan"}, 1);
            c.cards.il = o.value(QStringLiteral("il"));
            for (int i = 0; i < 3; ++i) {
                c.cards.specialFrom[size_t(i)] =
                    o.value(QStringLiteral("special%1-from").arg(i + 1));
                c.cards.specialTo[size_t(i)] = o.value(QStringLiteral("special%1-to").arg(i + 1));
            }
            c.sheet = read(company->install().ini());
            for (int f = 0; f < FieldCount; ++f)
                if (o.contains(QLatin1String(iniKey(Field(f)))))
                    c.sheet[size_t(f)] = o.value(QLatin1String(iniKey(Field(f))));
            c.standard = reportChoiceOption(o, QStringLiteral("standard"), {"0", "1"}, 1) == 1;
            if (o.contains(QStringLiteral("lines"))) {
                const QStringList wanted =
                    o.value(QStringLiteral("lines")).toLower().split(QLatin1Char(','));
                for (const QString& w : wanted)
                    if (!QStringList{"unvan", "yetkili", "adres", "postakodu", "il", ""}.contains(
                            w.trimmed()))
                        throw AppError(QStringLiteral("Bilinmeyen satır: %1").arg(w));
                const auto has = [&](const char* w) { return wanted.contains(QLatin1String(w)); };
                c.lines = {has("unvan"), has("yetkili"), has("adres"), has("postakodu"), has("il")};
            }
            return labels(*company, c);
        }};
}

} // namespace

void registerCustomerReports(ReportRegistry& reports)
{
    reports.add(2305, customerLabels());
    reports.add(2301, {QStringLiteral("Cari kart listesi"),
                       true,
                       {kKind, kCodeFrom, kCodeTo, {"order", "kod|unvan|yetkili", "sıra (kod)"}},
                       [](GlobalData&, CompanyData* company, const ReportOptions& options) {
                           return cardList(*company, cardOptions(options));
                       }});
    reports.add(2302, {QStringLiteral("Cari durum listesi"),
                       true,
                       {{"from", "GG.AA.YYYY", "başlangıç tarihi (boş)"},
                        {"to", "GG.AA.YYYY", "bitiş tarihi (boş)"},
                        kKind,
                        kCodeFrom,
                        kCodeTo,
                        {"order", "kod|unvan", "sıra (kod)"},
                        {"lowest", "TUTAR", "en düşük bakiye (0: sınır yok)"},
                        {"highest", "TUTAR", "en yüksek bakiye (0: sınır yok)"},
                        {"list", "bakiyeli|tumu", "bakiye kontrolü (bakiyeli)"}},
                       [](GlobalData&, CompanyData* company, const ReportOptions& options) {
                           BalanceChoice c;
                           static_cast<CardChoice&>(c) = cardOptions(options);
                           c.dateFrom = options.value(QStringLiteral("from"));
                           c.dateTo = options.value(QStringLiteral("to"));
                           c.lowest = reportAmountOption(options, QStringLiteral("lowest"), 0);
                           c.highest = reportAmountOption(options, QStringLiteral("highest"), 0);
                           c.balancedOnly = reportChoiceOption(options, QStringLiteral("list"),
                                                               {"bakiyeli", "tumu"}, 0) == 0;
                           return balanceStatus(*company, c);
                       }});
    reports.add(2303, {QStringLiteral("Cari işlemler listesi"),
                       true,
                       {kFrom,
                        kTo,
                        {"customer", "CARI_KODU", "yalnız bu cari kart (tümü)"},
                        kMovements,
                        kAmounts},
                       [](GlobalData&, CompanyData* company, const ReportOptions& options) {
                           MovementChoice c;
                           c.from = reportDateOption(options, QStringLiteral("from"), yearStart());
                           c.to = reportDateOption(options, QStringLiteral("to"), yearEnd());
                           if (options.contains(QStringLiteral("customer")))
                               c.customerId = customerOption(*company, options);
                           movementOptions(options, c.kinds, c.amounts);
                           return movementList(*company, c);
                       }});
    reports.add(2304, {QStringLiteral("Cari kart ekstresi"),
                       true,
                       {kCustomer,
                        kFrom,
                        kTo,
                        kMovements,
                        kAmounts,
                        {"stock", "normal|stoklu", "ekstre türü (normal)"}},
                       [](GlobalData&, CompanyData* company, const ReportOptions& options) {
                           StatementChoice c;
                           c.customerId = customerOption(*company, options);
                           c.from = reportDateOption(options, QStringLiteral("from"), yearStart());
                           c.to = reportDateOption(options, QStringLiteral("to"), yearEnd());
                           movementOptions(options, c.kinds, c.amounts);
                           c.withStock = reportChoiceOption(options, QStringLiteral("stock"),
                                                            {"normal", "stoklu"}, 0) == 1;
                           return statement(*company, c);
                       }});
}
