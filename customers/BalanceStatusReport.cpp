#include "customers/CustomerReportParts.h"

#include "printing/ReportBuilder.h"
#include "printing/ReportRenderer.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/MoneyFormat.h"
#include "store/MoneySum.h"
#include "store/Table.h"

#include <QHash>

using namespace ReportBuilder;

namespace CustomerReports {

RunningReport startBalanceStatus(CompanyData& company, const BalanceChoice& choice, bool letter)
{
    // Open ends as bounds every date passes.
    QString from = isoDate(choice.dateFrom), to = isoDate(choice.dateTo);
    if (from.isEmpty()) from = QStringLiteral("0000-00-00");
    if (to.isEmpty()) to = QStringLiteral("9999-12-31");
    // One grouped query gives every card's sums in the date range and its movement count.
    struct Sums {
        MoneySum borc, alacak;
        qint64 count = 0;
    };
    // What the hooks work on lives as long as the renderer, which may run in steps.
    struct State {
        QHash<qint64, Sums> sums;
        std::unique_ptr<Table> table;
        MoneySum borc, alacak, bakiye, positive, negative;
        int count = 0;
    };
    auto st = std::make_shared<State>();
    QHash<qint64, Sums>& sums = st->sums;
    // Without dates every movement counts, and the sums need no condition.
    const bool open = choice.dateFrom.trimmed().isEmpty() && choice.dateTo.trimmed().isEmpty();
    const auto inRange = [open](const char* column) {
        return open ? QStringLiteral("\"%1\"").arg(QLatin1String(column))
                    : QStringLiteral("CASE WHEN \"Tarih\" >= ? AND \"Tarih\" <= ? THEN \"%1\" "
                                     "ELSE 0 END")
                          .arg(QLatin1String(column));
    };
    for (const SqlRow& row : company.connection().select(
             QStringLiteral("SELECT \"CARef\", %1, %2, count(*) FROM \"CarHar\" GROUP BY \"CARef\"")
                 .arg(MoneySum::sqlSum(inRange("Borc")), MoneySum::sqlSum(inRange("Alacak"))),
             open ? QVariantList() : QVariantList{from, to, from, to}))
        sums.insert(row[0].toLongLong(),
                    {MoneySum::fromSql(row[1]), MoneySum::fromSql(row[2]), row[3].toLongLong()});

    const QString mask = company.moneyFormat();
    ReportDef def =
        standardReport(QStringLiteral("rprCariDurum"), QStringLiteral("CARİ DURUM LİSTESİ"), letter,
                       (choice.dateFrom + QLatin1Char(' ') + choice.dateTo).trimmed());
    def.bands.push_back(
        band(BandKind::ColumnHeader, QStringLiteral("Kolonlar"), 7,
             {bold(label("h1", {0, 0, 22, 5}, QStringLiteral("NOSU"))),
              bold(label("h2", {22, 0, 63, 5}, QStringLiteral("ÜNVANI"))),
              bold(label("h3", {85, 0, 35, 5}, QStringLiteral("BORÇ"), Qt::AlignRight)),
              bold(label("h4", {120, 0, 35, 5}, QStringLiteral("ALACAK"), Qt::AlignRight)),
              bold(label("h5", {155, 0, 35, 5}, QStringLiteral("BAKİYE"), Qt::AlignRight))}));
    def.bands.push_back(
        band(BandKind::Detail, QStringLiteral("Detay"), 5,
             {field("f1", {0, 0, 22, 5}, "CariNo"), field("f2", {22, 0, 63, 5}, "Unvani"),
              right(label("borc", {85, 0, 35, 5}, QString())),
              right(label("alacak", {120, 0, 35, 5}, QString())),
              right(label("bakiye", {155, 0, 35, 5}, QString()))}));
    def.bands.push_back(band(
        BandKind::Summary, QStringLiteral("Ozet"), 24,
        {bold(label("lblToplam", {0, 2, 85, 5}, QStringLiteral("TOPLAM : "), Qt::AlignRight)),
         right(label("tBorc", {85, 2, 35, 5}, QString())),
         right(label("tAlacak", {120, 2, 35, 5}, QString())),
         right(label("tBakiye", {155, 2, 35, 5}, QString())),
         label("lblBorcB", {0, 8, 85, 5}, QStringLiteral("Borç bakiye toplamı : "), Qt::AlignRight),
         right(label("tBorcB", {155, 8, 35, 5}, QString())),
         label("lblAlacakB", {0, 13, 85, 5}, QStringLiteral("Alacak bakiye toplamı : "),
               Qt::AlignRight),
         right(label("tAlacakB", {155, 13, 35, 5}, QString()))}));
    summaryCount(def, 18);

    st->table = cards(company, choice, {QStringLiteral("CariNo"), QStringLiteral("Unvani")});
    RunningReport running{st, std::make_unique<ReportRenderer>(def, st->table.get())};
    const QString money = mask;
    running.renderer->beforePrint = [st, &company, choice, money](BandPrint& p) {
        const QString& mask = money;
        State& t = *st;
        if (p.band.kind == BandKind::Detail) {
            const Sums s = t.sums.value(t.table->currentId());
            // Exact sums, so 333.33 + 333.33 + 333.34 − 1000 is nothing, not 1e-13.
            const double balance = company.RoundMoney((s.borc - s.alacak).value());
            if (choice.balancedOnly &&
                (s.count == 0 || balance == 0 || (choice.lowest > 0 && balance < choice.lowest) ||
                 (choice.highest > 0 && balance > choice.highest))) {
                p.suppress();
                return;
            }
            p.setText(QStringLiteral("borc"),
                      formatNumber(company.RoundMoney(s.borc.value()), mask));
            p.setText(QStringLiteral("alacak"),
                      formatNumber(company.RoundMoney(s.alacak.value()), mask));
            p.setText(QStringLiteral("bakiye"), formatNumber(balance, mask));
            t.borc += s.borc;
            t.alacak += s.alacak;
            t.bakiye += balance;
            (balance > 0 ? t.positive : t.negative) += balance;
            ++t.count;
        } else if (p.band.kind == BandKind::Summary) {
            const auto money = [&](MoneySum sum) {
                return formatNumber(company.RoundMoney(sum.value()), mask);
            };
            p.setText(QStringLiteral("tBorc"), money(t.borc));
            p.setText(QStringLiteral("tAlacak"), money(t.alacak));
            p.setText(QStringLiteral("tBakiye"), money(t.bakiye));
            p.setText(QStringLiteral("tBorcB"), money(t.positive));
            p.setText(QStringLiteral("tAlacakB"), money(t.negative));
            p.setText(QStringLiteral("lblAdet"), QStringLiteral("Listelenen %1 adet").arg(t.count));
        }
    };
    return running;
}

PageSet balanceStatus(CompanyData& company, const BalanceChoice& choice, bool letter)
{
    return startBalanceStatus(company, choice, letter).renderer->render();
}

} // namespace CustomerReports
