#include "stock/StockReports.h"

#include "printing/ReportBuilder.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/Expression.h"
#include "store/MoneyFormat.h"
#include "store/MoneySum.h"
#include "store/Table.h"

using namespace ReportBuilder;

namespace StockReports {

namespace {

// The four sums the movement reports carry: entry quantity and value, exit quantity and value.
struct Sums {
    std::array<MoneySum, 4> v;
    Sums& operator+=(const Sums& o)
    {
        for (size_t i = 0; i < 4; ++i)
            v[i] += o.v[i];
        return *this;
    }
    friend Sums operator-(Sums a, const Sums& b)
    {
        for (size_t i = 0; i < 4; ++i)
            a.v[i] -= b.v[i];
        return a;
    }
};

const char* const kSummed[4] = {"GMiktari", "GTutari", "CMiktari", "CTutari"};

// The movements of `filter` dated before `from`, summed in one query.
Sums carriedBefore(CompanyData& company, const QString& filter, const QDate& from)
{
    Connection& db = company.connection();
    const SqlFragment where = ConditionCompiler::compileFilter(filter, db.tableDef("StHar"));
    QStringList sums;
    for (const char* column : kSummed)
        sums << MoneySum::sqlSum(QStringLiteral("\"%1\"").arg(QLatin1String(column)));
    QVariantList params = where.params;
    params << from.toString(Qt::ISODate);
    const std::vector<SqlRow> rows =
        db.select(QStringLiteral("SELECT %1 FROM \"StHar\" WHERE (%2) AND \"Tarih\" < ?")
                      .arg(sums.join(QStringLiteral(", ")), where.sql),
                  params);
    Sums carried;
    for (size_t i = 0; i < 4; ++i)
        carried.v[i] = MoneySum::fromSql(rows.at(0)[i]);
    return carried;
}

// One column of a movement report: its heading, the field, its width, whether it is one of the
// summed figures (and which).
struct Column {
    const char* heading;
    const char* field;
    double width;
    int summed = -1;
    bool number = false;
};

struct Layout {
    QString name, title, subtitle;
    bool landscape = false;
    std::vector<Column> columns;
    QStringList headerLines; // under the title: "Stok Kart Kodu : " …
};

// What the report's handlers work on; alive as long as the renderer.
struct State {
    std::unique_ptr<Connection::MappedReads> mapped;
    std::unique_ptr<Table> har;
    Sums carried, running;
    int count = 0;
};

RunningReport start(CompanyData& company, const Layout& layout, const QString& filter,
                    const QDate& from, bool letter)
{
    auto st = std::make_shared<State>();
    st->mapped = std::make_unique<Connection::MappedReads>(company.connection());
    st->carried = carriedBefore(company, filter, from);
    st->running = st->carried;

    const QString money = company.moneyFormat(),
                  quantity =
                      company.displayFormat(QStringLiteral("StHar"), QStringLiteral("GMiktari")),
                  price = company.displayFormat(QStringLiteral("StHar"), QStringLiteral("GFiyati"));
    ReportDef def = standardReport(layout.name, layout.title, letter, layout.subtitle);
    def.page.landscape = layout.landscape;
    // The width between the margins; on narrower paper (Letter across) the columns shrink alike.
    const double width = fitPageHeader(def);
    double columnsWidth = 0;
    for (const Column& c : layout.columns)
        columnsWidth += c.width;
    const double shrink = std::min(1.0, width / columnsWidth);
    BandDef& header = def.bands.back();
    for (int i = 0; i < layout.headerLines.size(); ++i) {
        header.elements.push_back(label(QStringLiteral("lblBilgi%1").arg(i),
                                        {0, 14 + 5.0 * i, 150, 5}, layout.headerLines[i]));
        header.height = 20 + 5.0 * i;
    }

    // Headings, then "Nakledilen Toplam : " with the figures carried onto the page.
    std::vector<ElementDef> headings, details, carried, general, listed;
    std::array<QString, 4> masks = {quantity, money, quantity, money};
    double x = 0, firstSummed = -1;
    for (const Column& c : layout.columns) {
        const double w = c.width * shrink;
        const QRectF at(x, 0, w, 5);
        ElementDef h = bold(label(QStringLiteral("h_%1").arg(QLatin1String(c.field)), at,
                                  QString::fromUtf8(c.heading), c.number ? Qt::AlignRight : 0));
        headings.push_back(h);
        ElementDef d = c.number ? right(label(QLatin1String(c.field), at, QString()))
                                : field(QStringLiteral("f_%1").arg(QLatin1String(c.field)), at,
                                        QLatin1String(c.field));
        details.push_back(d);
        if (c.summed >= 0) {
            if (firstSummed < 0) firstSummed = x;
            const auto sum = [&](const char* prefix, double y) {
                return right(label(QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(c.summed),
                                   QRectF(x, y, w, 5), QString()));
            };
            carried.push_back(sum("n", 6));
            general.push_back(sum("g", 2));
            listed.push_back(sum("l", 8));
        }
        x += w;
    }
    headings.push_back(label("lblNakil", {0, 6, firstSummed, 5},
                             QStringLiteral("Nakledilen Toplam : "), Qt::AlignRight));
    headings.insert(headings.end(), carried.begin(), carried.end());
    // A rule under the headings, across the page.
    ElementDef rule = element(ElementKind::Shape, QStringLiteral("cizgi"), {0, 5.2, width, 0.5});
    rule.shape = ShapeKind::HorizontalLine;
    headings.push_back(rule);
    def.bands.push_back(band(BandKind::ColumnHeader, QStringLiteral("Kolonlar"), 12, headings));
    def.bands.push_back(band(BandKind::Detail, QStringLiteral("Detay"), 5, details));
    general.push_back(bold(label("lblGenel", {0, 2, firstSummed, 5},
                                 QStringLiteral(" GENEL TOPLAM :"), Qt::AlignRight)));
    general.push_back(label("lblListelenen", {0, 8, firstSummed, 5},
                            QStringLiteral("Listelenen Toplam : "), Qt::AlignRight));
    general.insert(general.end(), listed.begin(), listed.end());
    def.bands.push_back(band(BandKind::Summary, QStringLiteral("Ozet"), 20, general));
    summaryCount(def, 14);
    for (BandDef& b : def.bands)
        for (ElementDef& e : b.elements)
            if (b.kind != BandKind::PageHeader) e.font.setPointSize(8);

    // The listed movements: the filter from the start date on.
    st->har = std::make_unique<Table>(company.connection(), QStringLiteral("StHar"));
    Table& har = *st->har;
    QStringList read;
    for (const Column& c : layout.columns)
        read << QLatin1String(c.field);
    har.setReadFields(read);
    har.setIndexName(QStringLiteral("StHar_1"));
    har.setFilter(QStringLiteral("(%1) and Tarih >= %2").arg(filter, quoted(dateText(from))));
    har.setFiltered(true);
    har.open();

    std::vector<std::pair<int, QString>> numbers; // field index, mask of each number column
    for (const Column& c : layout.columns) {
        if (!c.number) continue;
        const QString f = QLatin1String(c.field);
        numbers.emplace_back(har.fieldIndex(f), c.summed >= 0 ? masks[size_t(c.summed)] : price);
    }
    std::array<int, 4> summedAt{};
    for (size_t i = 0; i < 4; ++i)
        summedAt[i] = har.fieldIndex(QLatin1String(kSummed[i]));

    RunningReport running{st, std::make_unique<ReportRenderer>(def, &har)};
    State* s = st.get();
    const auto text = [&company, masks](const Sums& sums, size_t i) {
        const double v = sums.v[i].value();
        return formatNumber(i % 2 ? company.RoundMoney(v) : v, masks[i]);
    };
    running.renderer->beforePrint = [s, &har = *st->har, numbers, text](BandPrint& p) {
        switch (p.band.kind) {
        case BandKind::ColumnHeader:
            for (size_t i = 0; i < 4; ++i)
                p.setText(QStringLiteral("n%1").arg(i), text(s->running, i));
            break;
        case BandKind::Detail:
            // Zero figures print blank.
            for (const auto& [at, mask] : numbers) {
                const double v = har.field(at).asFloat();
                p.setText(har.def().fields[size_t(at)].name,
                          v == 0 ? QString() : formatNumber(v, mask));
            }
            break;
        case BandKind::Summary:
            for (size_t i = 0; i < 4; ++i) {
                p.setText(QStringLiteral("g%1").arg(i), text(s->running, i));
                p.setText(QStringLiteral("l%1").arg(i), text(s->running - s->carried, i));
            }
            p.setText(QStringLiteral("lblAdet"),
                      QStringLiteral("Listelenen %1 adet").arg(s->count));
            break;
        default:
            break;
        }
    };
    // A movement counts once it is on paper.
    running.renderer->afterPrint = [s, &har = *st->har, summedAt](const BandDef& b) {
        if (b.kind != BandKind::Detail) return;
        for (size_t i = 0; i < 4; ++i)
            s->running.v[i] += har.field(summedAt[i]).asFloat();
        ++s->count;
    };
    return running;
}

} // namespace

QString movementFilter(CompanyData& company, const MovementChoice& c)
{
    QStringList parts;
    if (!c.codeFrom.isEmpty()) parts << QStringLiteral("Kodu >= ") + quoted(c.codeFrom);
    if (!c.codeTo.isEmpty()) parts << QStringLiteral("Kodu <= ") + quoted(c.codeTo);
    // A customer's invoices wrote the first 25 characters of its title as the description; a
    // code that finds no card does not restrict.
    if (!c.customerCode.trimmed().isEmpty()) {
        if (const auto card = company.findCard(QStringLiteral("Cari"), QStringLiteral("CariNo"),
                                               QStringLiteral("Unvani"), c.customerCode.trimmed()))
            parts << QStringLiteral("Aciklama = ") + quoted(card->title.left(25));
    }
    parts << QStringLiteral("Tarih <= ") + quoted(dateText(c.to));
    return parts.join(QStringLiteral(" and "));
}

RunningReport startMovementList(CompanyData& company, const MovementChoice& choice, bool letter)
{
    if (!choice.from.isValid() || !choice.to.isValid())
        throw AppError(QStringLiteral("Tarih aralığı hatalı."));
    Layout layout;
    layout.name = QStringLiteral("TfrmStRHar1");
    layout.title = QStringLiteral("STOK İŞLEMLERİ DÖKÜMÜ");
    layout.subtitle = QStringLiteral("( %1 - %2 )").arg(dateText(choice.from), dateText(choice.to));
    layout.landscape = true;
    layout.columns = {{"TARİH", "Tarih", 18},
                      {"KODU", "Kodu", 26},
                      {"CİNSİ", "Cinsi", 37},
                      {"BLG. NO", "BelgeNo", 18},
                      {"AÇIKLAMA", "Aciklama", 36},
                      {"GİR.MİK.", "GMiktari", 20, 0, true},
                      {"G.FİYATI", "GFiyati", 22, -1, true},
                      {"G.TUTARI", "GTutari", 29, 1, true},
                      {"ÇIK.MİK.", "CMiktari", 20, 2, true},
                      {"Ç.FİYATI", "CFiyati", 22, -1, true},
                      {"Ç.TUTARI", "CTutari", 29, 3, true}};
    return start(company, layout, movementFilter(company, choice), choice.from, letter);
}

PageSet movementList(CompanyData& company, const MovementChoice& choice, bool letter)
{
    return startMovementList(company, choice, letter).renderer->render();
}

RunningReport startStatement(CompanyData& company, const StatementChoice& choice, bool letter)
{
    if (!choice.from.isValid() || !choice.to.isValid())
        throw AppError(QStringLiteral("Tarih aralığı hatalı."));
    const std::vector<SqlRow> card = company.connection().select(
        QStringLiteral("SELECT \"Kodu\", \"Cinsi\" FROM \"Stok\" WHERE \"Nosu\" = ?"),
        {choice.stockId});
    if (card.empty()) throw AppError(QStringLiteral("Stok kartı bulunamadı."));
    Layout layout;
    layout.name = QStringLiteral("TfrmStREksP");
    layout.title = QStringLiteral("(%1 - %2) STOK KART EKSTRESİ")
                       .arg(dateText(choice.from), dateText(choice.to));
    layout.headerLines = {QStringLiteral("Stok Kart Kodu : ") + card[0][0].toString(),
                          QStringLiteral("Stok Kart Cinsi : ") + card[0][1].toString()};
    layout.columns = {{"TARİH", "Tarih", 18},
                      {"BLG. NO", "BelgeNo", 17},
                      {"AÇIKLAMA", "Aciklama", 31},
                      {"GİR.MİK.", "GMiktari", 18, 0, true},
                      {"G.FİYATI", "GFiyati", 19, -1, true},
                      {"G.TUTARI", "GTutari", 25, 1, true},
                      {"ÇIK.MİK.", "CMiktari", 18, 2, true},
                      {"Ç.FİYATI", "CFiyati", 19, -1, true},
                      {"Ç.TUTARI", "CTutari", 25, 3, true}};
    const QString filter = QStringLiteral("STRef = %1 and Tarih <= %2")
                               .arg(choice.stockId)
                               .arg(quoted(dateText(choice.to)));
    return start(company, layout, filter, choice.from, letter);
}

PageSet statement(CompanyData& company, const StatementChoice& choice, bool letter)
{
    return startStatement(company, choice, letter).renderer->render();
}

} // namespace StockReports
