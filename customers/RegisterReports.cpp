#include "customers/CustomerReports.h"
#include "customers/Registration.h"
#include "printing/ReportRegistry.h"
#include "store/AppError.h"
#include "store/CompanyData.h"

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

} // namespace

void registerCustomerReports(ReportRegistry& reports)
{
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
