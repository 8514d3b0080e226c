#include "invoicing/InvoiceReports.h"

#include "invoicing/VatRates.h"

#include "printing/ListTotals.h"
#include "printing/ReportBuilder.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/InstallSettings.h"
#include "store/MoneyFormat.h"
#include "store/MoneySum.h"
#include "store/Table.h"

#include <algorithm>
#include <cmath>

using namespace ReportBuilder;

namespace InvoiceReports {

namespace {

struct ListState {
    std::unique_ptr<Connection::MappedReads> mapped;
    std::unique_ptr<Table> invoices, lines;
    std::unique_ptr<ListTotals> totals;
};

// An invoice number typed as text, for the filter: a number written by the program.
QString numberTerm(const QString& typed)
{
    bool ok = false;
    const double number = typed.trimmed().toDouble(&ok);
    if (!ok || number != std::floor(number))
        throw AppError(QStringLiteral("Fatura nosu hatalı: %1").arg(typed.trimmed()));
    return QString::number(qint64(number));
}

} // namespace

RunningReport startList(CompanyData& company, const ListChoice& choice, bool letter)
{
    if (!choice.from.isValid() || !choice.to.isValid())
        throw AppError(QStringLiteral("Fatura tarihlerini giriniz."));
    // The filter: every value written by the program or quoted, never as typed.
    QString filter = QStringLiteral("FatTuru = %1 and Tarih >= %2 and Tarih <= %3")
                         .arg(choice.type == 1 ? 1 : 0)
                         .arg(quoted(dateText(choice.from)), quoted(dateText(choice.to)));
    if (!choice.numberFrom.trimmed().isEmpty())
        filter += QStringLiteral(" and FatNo >= ") + numberTerm(choice.numberFrom);
    if (!choice.numberTo.trimmed().isEmpty())
        filter += QStringLiteral(" and FatNo <= ") + numberTerm(choice.numberTo);
    if (!choice.customerFrom.trimmed().isEmpty())
        filter += QStringLiteral(" and CariNo >= ") + quoted(choice.customerFrom.trimmed());
    if (!choice.customerTo.trimmed().isEmpty())
        filter += QStringLiteral(" and CariNo <= ") + quoted(choice.customerTo.trimmed());

    const QString title =
        QStringLiteral("%1 - %2 TARİHLERİ %3 FATURALARI")
            .arg(dateText(choice.from), dateText(choice.to),
                 choice.type == 1 ? QStringLiteral("SATIŞ") : QStringLiteral("ALIŞ"));
    ReportDef def = standardReport(QStringLiteral("TfrmFatRap1"), title, letter);
    def.page.landscape = true;
    const double width = fitPageHeader(def);
    const QString money = company.moneyFormat();
    // Columns: caption, x, width, right-aligned.
    struct Column {
        const char* caption;
        double x, w;
        bool right;
    };
    const double s = std::min(1.0, width / 267.0);
    const Column columns[] = {{"NOSU", 0, 20, true},           {"TARİH", 22, 20, false},
                              {"İRS. NO", 44, 20, true},       {"İRS.TARİH", 66, 20, false},
                              {"CARİ NO", 88, 22, false},      {"ÜNVANI", 112, 66, false},
                              {"TUTARI", 178, 30, true},       {"KDV", 208, 25, true},
                              {"GENEL TOPLAM", 233, 32, true}, {"K", 267, 8, false}};
    const auto rect = [s](const Column& c, double y) { return QRectF(c.x * s, y, c.w * s, 5); };
    std::vector<ElementDef> heads;
    for (int i = 0; i < 10; ++i)
        heads.push_back(bold(label(QStringLiteral("h%1").arg(i), rect(columns[i], 0),
                                   QString::fromUtf8(columns[i].caption),
                                   columns[i].right ? int(Qt::AlignRight) : 0)));
    ElementDef rule = element(ElementKind::Shape, QStringLiteral("cizgi"), {0, 5.2, width, 0.5});
    rule.shape = ShapeKind::HorizontalLine;
    heads.push_back(rule);
    def.bands.push_back(band(BandKind::ColumnHeader, QStringLiteral("Kolonlar"), 7, heads));
    // In the detailed list a blank row parts the invoices.
    const double top = choice.detail ? 5 : 0;
    def.bands.push_back(band(
        BandKind::Detail, QStringLiteral("Detay"), top + 5,
        {right(field("f0", rect(columns[0], top), "FatNo", QStringLiteral("0"))),
         field("f1", rect(columns[1], top), "Tarih"),
         right(field("f2", rect(columns[2], top), "IrsNo", QStringLiteral("0"))),
         field("f3", rect(columns[3], top), "IrsTarih"),
         field("f4", rect(columns[4], top), "CariNo"), field("f5", rect(columns[5], top), "Unvani"),
         right(label("tutar", rect(columns[6], top), QString())),
         right(field("f7", rect(columns[7], top), "Kdv", money)),
         right(field("f8", rect(columns[8], top), "GToplam", money)),
         field("f9", rect(columns[9], top), "Kaynak")}));
    const auto amount = [&company, money](const MoneySum& v) {
        return formatNumber(company.RoundMoney(v.value()), money);
    };
    auto st = std::make_shared<ListState>();
    st->totals = std::make_unique<ListTotals>(
        def, rect(columns[5], 0),
        std::vector{rect(columns[6], 0), rect(columns[7], 0), rect(columns[8], 0)}, amount);

    st->mapped = std::make_unique<Connection::MappedReads>(company.connection());
    st->invoices = std::make_unique<Table>(company.connection(), QStringLiteral("Fatura"));
    Table& fatura = *st->invoices;
    fatura.setIndexName(choice.order == 1 ? QStringLiteral("Fatura_2")
                                          : QStringLiteral("Fatura_1"));
    fatura.setFilter(filter);
    fatura.setFiltered(true);
    fatura.open();

    if (choice.detail) {
        const double x0 = 10;
        struct Line {
            const char *caption, *field;
            double w;
            bool right;
            QString mask;
        };
        const Line lineColumns[] = {
            {"STOK KODU", "Kodu", 30, false, {}},
            {"STOKCİNSİ", "Cinsi", 62, false, {}},
            {"BİRİM", "Birim", 15, false, {}},
            {"MİKTARI", "Miktari", 22, true, company.install().invoiceQuantityFormat()},
            {"FİYATI", "BirimF", 30, true, money},
            {"TUTARI", "Tutari", 30, true, money},
            {"İSKONTO", "IskTutar", 30, true, money},
            {"KDV'SİZ TOPLAM", "AraTop", 34, true, money}};
        std::vector<ElementDef> captions, values;
        double x = x0;
        for (int i = 0; i < 8; ++i) {
            const Line& c = lineColumns[i];
            const QRectF at(x * s, 0, c.w * s, 5);
            const int align = c.right ? int(Qt::AlignRight) : 0;
            captions.push_back(
                bold(label(QStringLiteral("d%1").arg(i), at, QString::fromUtf8(c.caption), align)));
            ElementDef value = field(QStringLiteral("s%1").arg(i), at,
                                     QStringLiteral("FatHar.") + QLatin1String(c.field), c.mask);
            values.push_back(c.right ? right(value) : value);
            x += c.w + 2;
        }
        BandDef caption = band(BandKind::Child, QStringLiteral("SatirBasligi"), 5, captions);
        caption.parent = QStringLiteral("Detay");
        def.bands.push_back(caption);
        def.bands.push_back(band(BandKind::SubDetail, QStringLiteral("Satir"), 5, values));
        st->lines = std::make_unique<Table>(company.connection(), QStringLiteral("FatHar"));
        st->lines->setIndexName(QString());
        st->lines->open();
    }

    RunningReport running{st, std::make_unique<ReportRenderer>(def, &fatura)};
    ListState* state = st.get();
    if (state->lines)
        running.renderer->setSubDetail(state->lines.get(), [state] {
            state->lines->setFilter(QStringLiteral("FRef = %1").arg(state->invoices->currentId()));
            state->lines->setFiltered(true);
        });
    const int fatTop = fatura.fieldIndex(QStringLiteral("FatTop")),
              iskonto = fatura.fieldIndex(QStringLiteral("Iskonto")),
              kdv = fatura.fieldIndex(QStringLiteral("Kdv")),
              gToplam = fatura.fieldIndex(QStringLiteral("GToplam"));
    const auto net = [state, fatTop, iskonto] {
        MoneySum n;
        n += state->invoices->field(fatTop).asFloat();
        n -= state->invoices->field(iskonto).asFloat();
        return n;
    };
    running.renderer->beforePrint = [state, net, amount](BandPrint& p) {
        if (p.band.kind == BandKind::Detail)
            p.setText(QStringLiteral("tutar"), amount(net()));
        else
            state->totals->fill(p);
    };
    // An invoice counts once it is on paper.
    running.renderer->afterPrint = [state, net, kdv, gToplam](const BandDef& b) {
        if (b.kind != BandKind::Detail) return;
        state->totals->add({net().value(), state->invoices->field(kdv).asFloat(),
                            state->invoices->field(gToplam).asFloat()});
    };
    return running;
}

PageSet list(CompanyData& company, const ListChoice& choice, bool letter)
{
    return startList(company, choice, letter).renderer->render();
}

PageSet vatSummary(CompanyData& company, const VatChoice& choice, bool letter)
{
    if (!choice.from.isValid() || !choice.to.isValid())
        throw AppError(QStringLiteral("KDV raporu tarihlerini giriniz."));
    // One grouped pass over the lines of the range: per rate and type, exact sums.
    struct Sums {
        double rate = 0;
        int type = 0;
        MoneySum net, vat;
    };
    std::vector<Sums> groups;
    for (const SqlRow& row : company.connection().select(
             QStringLiteral("SELECT coalesce(\"KdvOran\",0), coalesce(\"FatTuru\",0), %1, %2 "
                            "FROM \"FatHar\" WHERE \"Tarih\" >= ? AND \"Tarih\" <= ? "
                            "GROUP BY 1, 2")
                 .arg(MoneySum::sqlSum(QStringLiteral("\"AraTop\"")),
                      MoneySum::sqlSum(QStringLiteral("\"KdvTutar\""))),
             {choice.from.toString(Qt::ISODate), choice.to.toString(Qt::ISODate)}))
        groups.push_back({row[0].toDouble(), row[1].toInt(), MoneySum::fromSql(row[2]),
                          MoneySum::fromSql(row[3])});

    struct Row {
        QString rate;
        MoneySum sold, soldVat, bought, boughtVat;
    };
    std::vector<Row> rows;
    Row total;
    for (const QString& listed : choice.rates) {
        const std::vector<double> value = VatRates::values({listed});
        if (value.empty()) continue;
        Row r{listed, {}, {}, {}, {}};
        for (const Sums& g : groups) {
            if (!VatRates::same(g.rate, value.front())) continue;
            (g.type == 1 ? r.sold : r.bought) += g.net;
            (g.type == 1 ? r.soldVat : r.boughtVat) += g.vat;
        }
        total.sold += r.sold;
        total.soldVat += r.soldVat;
        total.bought += r.bought;
        total.boughtVat += r.boughtVat;
        rows.push_back(r);
    }

    ReportDef def = standardReport(QStringLiteral("TfrmFatKdvF"),
                                   QStringLiteral("%1 - %2 TARİHLERİ ARASI KDV RAPORU")
                                       .arg(dateText(choice.from), dateText(choice.to)),
                                   letter);
    const char* const captions[] = {"KDV Oranı", "SATILAN MAL TUTARI", "HESAPLANAN KDV",
                                    "ALINAN MAL TUTARI", "İNDİRİLECEK KDV"};
    const double x[] = {0, 30, 70, 110, 150}, w[] = {28, 38, 38, 38, 40};
    std::vector<ElementDef> heads, cells, sums;
    for (int i = 0; i < 5; ++i) {
        const int align = i ? int(Qt::AlignRight) : 0;
        heads.push_back(bold(label(QStringLiteral("h%1").arg(i), {x[i], 0, w[i], 5},
                                   QString::fromUtf8(captions[i]), align)));
        cells.push_back(label(QStringLiteral("c%1").arg(i), {x[i], 0, w[i], 5}, QString(), align));
        sums.push_back(bold(label(QStringLiteral("t%1").arg(i), {x[i], 2, w[i], 5},
                                  i ? QString() : QStringLiteral("TOPLAM :"), align)));
    }
    ElementDef rule = element(ElementKind::Shape, QStringLiteral("cizgi"), {0, 5.2, 190, 0.5});
    rule.shape = ShapeKind::HorizontalLine;
    heads.push_back(rule);
    def.bands.push_back(band(BandKind::ColumnHeader, QStringLiteral("Kolonlar"), 7, heads));
    def.bands.push_back(band(BandKind::Detail, QStringLiteral("Detay"), 5, cells));
    def.bands.push_back(band(BandKind::Summary, QStringLiteral("Ozet"), 8, sums));

    const QString money = company.moneyFormat();
    const auto amount = [&](const MoneySum& v) {
        return formatNumber(company.RoundMoney(v.value()), money);
    };
    const auto put = [&](BandPrint& p, const char* prefix, const Row& r, bool withRate) {
        const QString p0 = QLatin1String(prefix);
        if (withRate) p.setText(p0 + QLatin1Char('0'), r.rate);
        p.setText(p0 + QLatin1Char('1'), amount(r.sold));
        p.setText(p0 + QLatin1Char('2'), amount(r.soldVat));
        p.setText(p0 + QLatin1Char('3'), amount(r.bought));
        p.setText(p0 + QLatin1Char('4'), amount(r.boughtVat));
    };
    ReportRenderer renderer(def, nullptr);
    renderer.setCopies(int(rows.size()));
    size_t next = 0;
    renderer.beforePrint = [&](BandPrint& p) {
        if (p.band.kind == BandKind::Detail && next < rows.size()) put(p, "c", rows[next++], true);
        if (p.band.kind == BandKind::Summary) put(p, "t", total, false);
    };
    return renderer.render();
}

} // namespace InvoiceReports
