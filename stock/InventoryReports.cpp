#include "stock/InventoryReports.h"

#include "printing/ReportBuilder.h"
#include "stock/StockLedger.h"
#include "stock/StockOrders.h"
#include "store/CommandTransaction.h"
#include "store/CompanyData.h"
#include "store/MoneyFormat.h"
#include "store/Table.h"

using namespace ReportBuilder;

namespace InventoryReports {

namespace {

// The values a row may print, by their place in Totals.
enum Value { GM, CM, TM, GT, CT, Fifo, Lifo, Ort, Env, Cost, Profit, ValueCount };

struct Column {
    const char* heading;
    int value; // -1: a text field of the card
    const char* field;
    double width;
};

struct Layout {
    QString name, title;
    bool landscape = false;
    std::vector<Column> columns;
    std::vector<int> summed; // values whose sums print under their columns
};

Layout layoutOf(Kind kind, Method method)
{
    if (kind == Kind::Physical)
        return {QStringLiteral("TfrmStEFzk1"),
                QStringLiteral("FİZİKİ ENVANTER"),
                false,
                {{"NOSU", -1, "Kodu", 32},
                 {"CİNSİ", -1, "Cinsi", 58},
                 {"BİRİM", -1, "Birim", 14},
                 {"GİREN MİKTAR", GM, nullptr, 29},
                 {"ÇIKAN MİKTAR", CM, nullptr, 29},
                 {"BAKİYE", TM, nullptr, 28}},
                {}};
    std::vector<Column> columns = {{"NOSU", -1, "Kodu", 28},      {"CİNSİ", -1, "Cinsi", 45},
                                   {"BR.", -1, "Birim", 10},      {"G.MİKT.", GM, nullptr, 20},
                                   {"Ç.MİKT.", CM, nullptr, 20},  {"BAKİYE", TM, nullptr, 20},
                                   {"G.TUTARI", GT, nullptr, 26}, {"Ç.TUTARI", CT, nullptr, 26}};
    if (kind == Kind::Financial) {
        columns.push_back({"ENV. (Fifo)", Fifo, nullptr, 26});
        columns.push_back({"ENV. (Lifo)", Lifo, nullptr, 26});
        columns.push_back({"ENV. (Ort)", Ort, nullptr, 26});
        return {QStringLiteral("TfrmStEMali1"),
                QStringLiteral("MALİ ENVANTER"),
                true,
                columns,
                {Fifo, Lifo, Ort, GT, CT}};
    }
    columns.push_back({"ENVANTER", Env, nullptr, 26});
    columns.push_back({"MALİYETİ", Cost, nullptr, 26});
    columns.push_back({"KAR", Profit, nullptr, 26});
    static const char* const kTitles[] = {" KAR ANALİZİ (FİFO)", " KAR ANALİZİ (LİFO)",
                                          " KAR ANALİZİ (ORTALAMA)"};
    return {QStringLiteral("TfrmStEKar1"),
            QString::fromUtf8(kTitles[int(method)]),
            true,
            columns,
            {GT, CT, Env, Cost, Profit}};
}

bool isQuantity(int value)
{
    return value == GM || value == CM || value == TM;
}

// What the report's handlers work on; alive as long as the renderer.
struct State {
    std::unique_ptr<Connection::MappedReads> mapped;
    std::unique_ptr<Table> cards;
    std::unique_ptr<StockLedger> ledger;
    std::vector<std::pair<qint64, StockTotals::Totals>> pending; // totals not yet written
    std::array<qint64, ValueCount> sums{};
    int count = 0;
};

// Writes the pending cards' totals in one short command: never left open while the preview
// waits, and each card's nine totals together.
void flush(State& st)
{
    if (st.pending.empty()) return;
    st.ledger->writeTotals(st.pending);
    st.pending.clear();
}

} // namespace

RunningReport start(CompanyData& company, Kind kind, const Choice& choice, bool letter)
{
    using namespace StockTotals;
    const Layout layout = layoutOf(kind, choice.method);
    auto st = std::make_shared<State>();
    st->ledger = std::make_unique<StockLedger>(company);
    // The report reads every movement of the chosen cards.
    st->mapped = std::make_unique<Connection::MappedReads>(company.connection());
    st->cards = std::make_unique<Table>(company.connection(), QStringLiteral("Stok"));
    st->cards->setReadFields(
        {QStringLiteral("Kodu"), QStringLiteral("Cinsi"), QStringLiteral("Birim")});
    st->cards->setIndexName(StockOrder::indexName(choice.cards.order));
    const QString filter = StockReports::cardFilter(choice.cards);
    st->cards->setFilter(filter);
    st->cards->setFiltered(!filter.isEmpty());
    st->cards->open();

    const QString quantity =
                      company.displayFormat(QStringLiteral("StHar"), QStringLiteral("GMiktari")),
                  money = company.moneyFormat();
    ReportDef def = standardReport(layout.name, layout.title, letter);
    def.page.landscape = layout.landscape;
    const double width = fitPageHeader(def);
    double columnsWidth = 0;
    for (const Column& c : layout.columns)
        columnsWidth += c.width;
    const double shrink = std::min(1.0, width / columnsWidth);
    std::vector<ElementDef> headings, details, sums;
    double x = 0, firstSum = -1;
    for (const Column& c : layout.columns) {
        const double w = c.width * shrink;
        const QRectF at(x, 0, w, 5);
        const bool number = c.value >= 0;
        const QString name = number ? QStringLiteral("v%1").arg(c.value) : QLatin1String(c.field);
        headings.push_back(bold(label(QStringLiteral("h_") + name, at, QString::fromUtf8(c.heading),
                                      number ? Qt::AlignRight : 0)));
        details.push_back(number ? right(label(name, at, QString()))
                                 : field(QStringLiteral("f_") + name, at, name));
        if (number && std::count(layout.summed.begin(), layout.summed.end(), c.value)) {
            if (firstSum < 0) firstSum = x;
            sums.push_back(
                bold(right(label(QStringLiteral("s%1").arg(c.value), {x, 2, w, 5}, {}))));
        }
        x += w;
    }
    def.bands.push_back(band(BandKind::ColumnHeader, QStringLiteral("Kolonlar"), 7, headings));
    for (ElementDef& e : def.bands.back().elements)
        e.frame.bottom = true;
    def.bands.push_back(band(BandKind::Detail, QStringLiteral("Detay"), 5, details));
    if (!sums.empty())
        sums.insert(sums.begin(), bold(label(QStringLiteral("lblToplam"), {0, 2, firstSum, 5},
                                             QStringLiteral("TOPLAM :"), Qt::AlignRight)));
    def.bands.push_back(
        band(BandKind::Summary, QStringLiteral("Ozet"), sums.empty() ? 8 : 14, sums));
    summaryCount(def, sums.empty() ? 2 : 8);

    RunningReport running{st, std::make_unique<ReportRenderer>(def, st->cards.get())};
    const bool blankZeros = kind != Kind::Profit;
    const Method method = choice.method;
    const QDate asOf = choice.date;
    running.renderer->beforeReport = [st] {
        st->sums.fill(0);
        st->count = 0;
        st->pending.clear();
    };
    running.renderer->beforePrint = [st, quantity, money, blankZeros, method, asOf,
                                     columns = layout.columns](BandPrint& p) {
        State& t = *st;
        const auto show = [&](int value, qint64 units) {
            const QString text =
                blankZeros && units == 0
                    ? QString()
                    : formatNumber(toDouble(units), isQuantity(value) ? quantity : money);
            return text;
        };
        if (p.band.kind == BandKind::Detail) {
            const qint64 id = t.cards->currentId();
            const Totals c = t.ledger->totals(id, asOf);
            t.pending.emplace_back(id, c);
            // A durable command per 2,000 cards: each a few milliseconds, not one per card.
            if (t.pending.size() >= 2000) flush(t);
            const qint64 env = method == Method::Fifo   ? c.fifo
                               : method == Method::Lifo ? c.lifo
                                                        : c.ort;
            const std::array<qint64, ValueCount> v = {c.gm,
                                                      c.cm,
                                                      c.tm,
                                                      c.gt,
                                                      c.ct,
                                                      c.fifo,
                                                      c.lifo,
                                                      c.ort,
                                                      env,
                                                      c.gt - env,
                                                      c.ct - (c.gt - env)};
            for (size_t i = 0; i < v.size(); ++i)
                t.sums[i] += v[i];
            for (const Column& col : columns)
                if (col.value >= 0)
                    p.setText(QStringLiteral("v%1").arg(col.value),
                              show(col.value, v[size_t(col.value)]));
            ++t.count;
        } else if (p.band.kind == BandKind::Summary) {
            flush(t);
            // The profit total is Σ exit values − Σ cost.
            t.sums[Profit] = t.sums[CT] - t.sums[Cost];
            for (int value = 0; value < ValueCount; ++value)
                p.setText(QStringLiteral("s%1").arg(value),
                          formatNumber(toDouble(t.sums[size_t(value)]), money));
            p.setText(QStringLiteral("lblAdet"), QStringLiteral("Listelenen %1 adet").arg(t.count));
        }
    };
    return running;
}

PageSet report(CompanyData& company, Kind kind, const Choice& choice, bool letter)
{
    return start(company, kind, choice, letter).renderer->render();
}

} // namespace InventoryReports
