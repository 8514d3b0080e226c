#include "orders/OrderReports.h"

#include "orders/OrderKind.h"
#include "orders/OrderPosting.h"
#include "printing/ListTotals.h"
#include "printing/ReportBuilder.h"
#include "printing/ReportRenderer.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/InstallSettings.h"
#include "store/MoneyFormat.h"
#include "store/MoneySum.h"
#include "store/StockTotals.h"
#include "store/Table.h"
#include "widgets/AmountInWords.h"

#include <cmath>
#include <map>

using namespace ReportBuilder;

namespace OrderReports {

namespace {

// A column of a list: its caption, the field it prints, its width in mm of a landscape A4 and
// its number mask (a number column is right-aligned).
struct ListColumn {
    const char* caption;
    QString field;
    double width;
    QString mask;
};

// The column captions (in a column header band with a rule under them) and the detail row
// values, laid out left to right with 2 mm between columns, shrunk to the page's width; names
// "h<i>" and "f<i>". Returns each column's place.
std::vector<QRectF> lay(ReportDef& def, double width, const std::vector<ListColumn>& columns,
                        const QString& detailName, double detailTop = 0)
{
    double total = -2;
    for (const ListColumn& c : columns)
        total += c.width + 2;
    const double s = std::min(1.0, width / total);
    std::vector<QRectF> at;
    std::vector<ElementDef> heads, values;
    double x = 0;
    for (size_t i = 0; i < columns.size(); ++i) {
        const ListColumn& c = columns[i];
        at.emplace_back(x * s, 0, c.width * s, 5);
        const int align = c.mask.isEmpty() ? 0 : int(Qt::AlignRight);
        heads.push_back(bold(
            label(QStringLiteral("h%1").arg(i), at.back(), QString::fromUtf8(c.caption), align)));
        if (!c.field.isEmpty()) {
            ElementDef f = field(QStringLiteral("f%1").arg(i), at.back().translated(0, detailTop),
                                 c.field, c.mask);
            f.alignment = align;
            values.push_back(f);
        }
        x += c.width + 2;
    }
    ElementDef rule = element(ElementKind::Shape, QStringLiteral("cizgi"), {0, 5.2, width, 0.5});
    rule.shape = ShapeKind::HorizontalLine;
    heads.push_back(rule);
    def.bands.push_back(band(BandKind::ColumnHeader, QStringLiteral("Kolonlar"), 7, heads));
    def.bands.push_back(band(BandKind::Detail, detailName, detailTop + 5, values));
    return at;
}

// A number typed for the filter, written by the program: refused when it is none.
QString numberTerm(const QString& typed, const QString& what)
{
    bool ok = false;
    const double number = typed.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number))
        throw AppError(QStringLiteral("%1 hatalı: %2").arg(what, typed.trimmed()));
    return QString::number(number, 'g', 15);
}

// " and Field >= 'from' and Field <= 'to'" for the ends given, quoted.
QString textRange(const QString& fieldName, const QString& from, const QString& to)
{
    QString sql;
    if (!from.trimmed().isEmpty())
        sql += QStringLiteral(" and %1 >= %2").arg(fieldName, quoted(from.trimmed()));
    if (!to.trimmed().isEmpty())
        sql += QStringLiteral(" and %1 <= %2").arg(fieldName, quoted(to.trimmed()));
    return sql;
}

ReportDef landscapeReport(const QString& name, const QString& title, bool letter, double& width)
{
    ReportDef def = standardReport(name, title, letter);
    def.page.landscape = true;
    width = fitPageHeader(def);
    return def;
}

} // namespace

PageSet orderPages(CompanyData& company, const OrderKind& kind, qint64 orderId)
{
    OrderPosting posting(company, kind);
    const std::optional<OrderPosting::Header> order = posting.read(orderId);
    if (!order) throw AppError(QStringLiteral("Sipariş fişi bulunamadı (%1).").arg(orderId));
    const QString money = company.moneyFormat();
    const QString quantity = company.install().invoiceQuantityFormat();
    const QString price = company.kurus()
                              ? QStringLiteral("#,##0.") +
                                    QString(company.settings().priceDecimals(), QLatin1Char('0'))
                              : QStringLiteral("#,##0");

    ReportDef def;
    def.name = QStringLiteral("frmSiparisP");
    def.className = QStringLiteral("TQuickRep");
    def.page.left = 10;
    def.page.bottom = 10;
    def.page.top = 5;
    def.page.right = 5;
    const double w = 210 - def.page.left - def.page.right;

    // Every page: the title, the customer's block, the order's number and dates, the columns.
    std::vector<ElementDef> head;
    ElementDef title = bold(label(QStringLiteral("lblBaslik"), {0, 0, w, 8},
                                  kind.word + QStringLiteral(" SİPARİŞ FİŞİ"), Qt::AlignHCenter));
    title.font.setPointSize(14);
    head.push_back(title);
    const QStringList block = {order->unvani, order->adres1, order->adres2, order->adres3,
                               (order->vd + QLatin1Char(' ') + order->vdNo).trimmed()};
    ElementDef frame = element(ElementKind::Shape, QStringLiteral("shpCari"), {0, 10, 110, 28});
    head.push_back(frame);
    for (int i = 0; i < block.size(); ++i)
        head.push_back(
            label(QStringLiteral("lblCari%1").arg(i + 1), {2, 11.0 + 5.3 * i, 106, 5}, block[i]));
    const QStringList captions = {
        QStringLiteral("Sipariş nosu : "), QStringLiteral("Sipariş tarihi : "),
        QStringLiteral("Sipariş saati : "), QStringLiteral("Termin tarihi : ")};
    const QStringList values = {
        formatNumber(order->sipNo, QStringLiteral("0")), dateText(order->tarih),
        order->saat.toString(QStringLiteral("HH:mm")), dateText(order->terminTar)};
    for (int i = 0; i < captions.size(); ++i) {
        head.push_back(bold(label(QStringLiteral("lblBas%1").arg(i + 1), {118, 12.0 + 6 * i, 38, 5},
                                  captions[i], Qt::AlignRight)));
        head.push_back(
            label(QStringLiteral("lblDeger%1").arg(i + 1), {157, 12.0 + 6 * i, 38, 5}, values[i]));
    }
    ElementDef rule = element(ElementKind::Shape, QStringLiteral("shpCizgi"), {0, 41, w, 0.3});
    rule.shape = ShapeKind::HorizontalLine;
    head.push_back(rule);
    struct Column {
        const char* title;
        const char* field;
        double width;
        bool number;
        QString mask;
        double gap = 0; // space before the column
    };
    const Column columns[] = {{"Kodu", "Kodu", 25, false, {}},
                              {"Stok Cinsi", "Cinsi", 43, false, {}},
                              {"Miktar", "Miktari", 16, true, quantity},
                              {"Br", "Birim", 9, false, {}, 2},
                              {"B.Fiyatı", "BirimF", 18, true, price},
                              {"Tutarı", "Tutari", 20, true, money},
                              {"İskonto", "IskTutar", 18, true, money},
                              {"Kdv", "KdvOran", 9, true, QStringLiteral("#,##0.##")},
                              {"Toplam", "AraTop", 35, true, money}};
    std::vector<ElementDef> detail;
    double x = 0;
    for (const Column& c : columns) {
        x += c.gap;
        const int align = c.number ? int(Qt::AlignRight) : 0;
        head.push_back(bold(label(QStringLiteral("lbl%1").arg(QLatin1String(c.field)),
                                  {x, 43, c.width, 5}, QString::fromUtf8(c.title), align)));
        ElementDef f = field(QStringLiteral("qr%1").arg(QLatin1String(c.field)), {x, 0, c.width, 5},
                             QLatin1String(c.field), c.mask);
        f.alignment = align;
        detail.push_back(f);
        x += c.width;
    }
    def.bands.push_back(band(BandKind::PageHeader, QStringLiteral("Baslik"), 50, head));
    def.bands.push_back(band(BandKind::Detail, QStringLiteral("Detay"), 5, detail));

    // The end: the net total, the VAT and the whole, then the whole in words.
    MoneySum net;
    for (const SqlRow& r : company.connection().select(
             QStringLiteral("SELECT coalesce(\"AraTop\",0) FROM \"SipHar\" WHERE "
                            "coalesce(\"SipRef\",0) = ?"),
             {orderId}))
        net += r[0].toDouble();
    std::vector<ElementDef> end;
    const QStringList endCaptions = {QStringLiteral("TOPLAM : "), QStringLiteral("KDV TUTARI : "),
                                     QStringLiteral("GENEL TOPLAM : ")};
    const double sums[] = {company.RoundMoney(net.value()), order->kdv, order->genTop};
    for (int i = 0; i < 3; ++i) {
        end.push_back(bold(label(QStringLiteral("lblTop%1").arg(i + 1),
                                 {w - 85, 2.0 + 6 * i, 45, 5}, endCaptions[i], Qt::AlignRight)));
        end.push_back(right(label(QStringLiteral("qrTop%1").arg(i + 1),
                                  {w - 40, 2.0 + 6 * i, 40, 5}, formatNumber(sums[i], money))));
    }
    ElementDef words = label(QStringLiteral("lblYazi"), {0, 21, w, 10},
                             AmountInWords(company, company.RoundMoney(order->genTop)));
    words.wordWrap = true;
    end.push_back(words);
    def.bands.push_back(band(BandKind::Summary, QStringLiteral("Toplam"), 32, end));

    Connection::MappedReads mapped(company.connection());
    Table lines(company.connection(), QStringLiteral("SipHar"));
    lines.setReadFields({QStringLiteral("Kodu"), QStringLiteral("Cinsi"), QStringLiteral("Miktari"),
                         QStringLiteral("Birim"), QStringLiteral("BirimF"),
                         QStringLiteral("Tutari"), QStringLiteral("IskTutar"),
                         QStringLiteral("KdvOran"), QStringLiteral("AraTop")});
    lines.setFilter(QStringLiteral("SipRef = %1").arg(orderId));
    lines.setFiltered(true);
    lines.open();
    ReportRenderer renderer(def, &lines);
    return renderer.render();
}

} // namespace OrderReports

namespace OrderReports {

namespace {

struct OrderListState {
    std::unique_ptr<Connection::MappedReads> mapped;
    std::unique_ptr<Table> orders, lines;
    std::unique_ptr<ListTotals> totals;
};

} // namespace

RunningReport startOrderList(CompanyData& company, const OrderListChoice& c, bool letter)
{
    if (!c.from.isValid() || !c.to.isValid())
        throw AppError(QStringLiteral("Sipariş termin tarihlerini giriniz."));
    // Every value written by the program or quoted, never as typed.
    QString filter = QStringLiteral("SipTuru = %1 and TerminTar >= %2 and TerminTar <= %3")
                         .arg(c.type == 1 ? 1 : 0)
                         .arg(quoted(dateText(c.from)), quoted(dateText(c.to)));
    if (c.state == 0 || c.state == 1) filter += QStringLiteral(" and AcikMi = %1").arg(c.state);
    if (!c.numberFrom.trimmed().isEmpty())
        filter += QStringLiteral(" and SipNo >= ") +
                  numberTerm(c.numberFrom, QStringLiteral("Sipariş nosu"));
    if (!c.numberTo.trimmed().isEmpty())
        filter += QStringLiteral(" and SipNo <= ") +
                  numberTerm(c.numberTo, QStringLiteral("Sipariş nosu"));
    filter += textRange(QStringLiteral("CariNo"), c.customerFrom, c.customerTo);
    filter += textRange(QStringLiteral("OzelKod"), c.specialFrom, c.specialTo);

    double width = 0;
    ReportDef def =
        landscapeReport(QStringLiteral("TfrmSipLis1"),
                        QStringLiteral("%1 - %2 TARİHLERİ %3 SİPARİŞLERİ")
                            .arg(dateText(c.from), dateText(c.to),
                                 c.type == 1 ? QStringLiteral("SATIŞ") : QStringLiteral("ALIŞ")),
                        letter, width);
    const QString money = company.moneyFormat();
    const double top = c.detail ? 3 : 0; // a little room between orders in the detailed list
    const std::vector<QRectF> at = lay(def, width,
                                       {{"NOSU", QStringLiteral("SipNo"), 18, QStringLiteral("0")},
                                        {"TERMİN", QStringLiteral("TerminTar"), 20, {}},
                                        {"AÇ.TAR.", QStringLiteral("Tarih"), 20, {}},
                                        {"CARİ NO", QStringLiteral("CariNo"), 22, {}},
                                        {"ÜNVANI", QStringLiteral("Unvani"), 54, {}},
                                        {"TUTARI", QStringLiteral("Toplam"), 27, money},
                                        {"İSKONTO", QStringLiteral("IskTutar"), 24, money},
                                        {"KDV", QStringLiteral("Kdv"), 24, money},
                                        {"GENEL TOPLAM", QStringLiteral("GenTop"), 28, money},
                                        {"Ö.Kod", QStringLiteral("OzelKod"), 14, {}}},
                                       QStringLiteral("Detay"), top);
    auto st = std::make_shared<OrderListState>();
    st->totals = std::make_unique<ListTotals>(
        def, at[4], std::vector{at[5], at[6], at[7], at[8]}, [&company, money](const MoneySum& v) {
            return formatNumber(company.RoundMoney(v.value()), money);
        });
    st->mapped = std::make_unique<Connection::MappedReads>(company.connection());
    st->orders = std::make_unique<Table>(company.connection(), QStringLiteral("Siparis"));
    static const char* indexes[] = {"Siparis_3", "Siparis_1", "Siparis_2", "Siparis_4"};
    st->orders->setIndexName(QLatin1String(indexes[std::clamp(c.order, 0, 3)]));
    st->orders->setFilter(filter);
    st->orders->setFiltered(true);
    st->orders->open();

    if (c.detail) {
        const QString quantity = company.install().invoiceQuantityFormat();
        const struct {
            const char* caption;
            const char* field;
            double width;
            QString mask;
        } columns[] = {{"STOK KODU", "Kodu", 28, {}},
                       {"STOKCİNSİ", "Cinsi", 40, {}},
                       {"BİRİM", "Birim", 12, {}},
                       {"MİKTARI", "Miktari", 18, quantity},
                       {"SEVK", "Faturalanan", 18, quantity},
                       {"KALAN", "Kalan", 18, quantity},
                       {"FİYATI", "BirimF", 24, money},
                       {"TUTARI", "Tutari", 26, money},
                       {"İSKONTO", "IskTutar", 22, money},
                       {"KDV'SİZ TOPLAM", "AraTop", 36, money}};
        const double s = std::min(1.0, width / 267.0);
        std::vector<ElementDef> captions, values;
        double x = 10;
        for (size_t i = 0; i < std::size(columns); ++i) {
            const QRectF r(x * s, 0, columns[i].width * s, 5);
            const int align = columns[i].mask.isEmpty() ? 0 : int(Qt::AlignRight);
            captions.push_back(bold(label(QStringLiteral("d%1").arg(i), r,
                                          QString::fromUtf8(columns[i].caption), align)));
            ElementDef v =
                field(QStringLiteral("s%1").arg(i), r,
                      QStringLiteral("SipHar.") + QLatin1String(columns[i].field), columns[i].mask);
            v.alignment = align;
            values.push_back(v);
            x += columns[i].width + 2;
        }
        BandDef caption = band(BandKind::Child, QStringLiteral("SatirBasligi"), 5, captions);
        caption.parent = QStringLiteral("Detay");
        def.bands.push_back(caption);
        def.bands.push_back(band(BandKind::SubDetail, QStringLiteral("Satir"), 5, values));
        st->lines = std::make_unique<Table>(company.connection(), QStringLiteral("SipHar"));
        st->lines->open();
    }

    RunningReport running{st, std::make_unique<ReportRenderer>(def, st->orders.get())};
    OrderListState* state = st.get();
    if (state->lines)
        running.renderer->setSubDetail(state->lines.get(), [state] {
            state->lines->setFilter(QStringLiteral("SipRef = %1").arg(state->orders->currentId()));
            state->lines->setFiltered(true);
        });
    running.renderer->beforePrint = [state](BandPrint& p) { state->totals->fill(p); };
    const int fields[] = {st->orders->fieldIndex(QStringLiteral("Toplam")),
                          st->orders->fieldIndex(QStringLiteral("IskTutar")),
                          st->orders->fieldIndex(QStringLiteral("Kdv")),
                          st->orders->fieldIndex(QStringLiteral("GenTop"))};
    // An order counts once it is on paper.
    running.renderer->afterPrint = [state, fields](const BandDef& b) {
        if (b.kind != BandKind::Detail) return;
        Table& o = *state->orders;
        state->totals->add({o.field(fields[0]).asFloat(), o.field(fields[1]).asFloat(),
                            o.field(fields[2]).asFloat(), o.field(fields[3]).asFloat()});
    };
    return running;
}

PageSet orderList(CompanyData& company, const OrderListChoice& choice, bool letter)
{
    return startOrderList(company, choice, letter).renderer->render();
}

// --- order lines ------------------------------------------------------------------------------

namespace {

struct LineListState {
    std::unique_ptr<Connection::MappedReads> mapped;
    std::unique_ptr<Table> lines;
    qint64 miktari = 0, faturalanan = 0, kalan = 0; // fixed point
    int count = 0;
};

} // namespace

RunningReport startLineList(CompanyData& company, const LineListChoice& c, bool letter)
{
    if (!c.from.isValid() || !c.to.isValid())
        throw AppError(QStringLiteral("Termin tarihlerini giriniz."));
    QString filter = QStringLiteral("SipTuru = %1 and Tarih >= %2 and Tarih <= %3")
                         .arg(c.type == 1 ? 1 : 0)
                         .arg(quoted(dateText(c.from)), quoted(dateText(c.to)));
    // Open: something still to deliver; closed: nothing, or more delivered than ordered.
    if (c.state == 0) filter += QStringLiteral(" and Kalan > 0");
    if (c.state == 1) filter += QStringLiteral(" and Kalan <= 0");
    filter += textRange(QStringLiteral("Kodu"), c.stockFrom, c.stockTo);
    filter += textRange(QStringLiteral("CariNo"), c.customerFrom, c.customerTo);

    double width = 0;
    ReportDef def =
        landscapeReport(QStringLiteral("TfrmSipKal1"),
                        (c.type == 1 ? QStringLiteral("SATIŞ") : QStringLiteral("ALIŞ")) +
                            QStringLiteral(" SİPARİŞ KALEMLERİ LİSTESİ"),
                        letter, width);
    const QString money = company.moneyFormat();
    const QString quantity = company.install().invoiceQuantityFormat();
    const std::vector<QRectF> at = lay(def, width,
                                       {{"TARİH", QStringLiteral("Tarih"), 18, {}},
                                        {"CARİ NO", QStringLiteral("CariNo"), 18, {}},
                                        {"ÜNVANI", QStringLiteral("Unvani"), 34, {}},
                                        {"ST. KODU", QStringLiteral("Kodu"), 20, {}},
                                        {"STOKCİNSİ", QStringLiteral("Cinsi"), 30, {}},
                                        {"AÇIKLAMA", QStringLiteral("Aciklama1"), 18, {}},
                                        {"AÇIKLAMA", QStringLiteral("Aciklama2"), 18, {}},
                                        {"MİKTARI", QStringLiteral("Miktari"), 14, quantity},
                                        {"BR", QStringLiteral("Birim"), 8, {}},
                                        {"SEVK", QStringLiteral("Faturalanan"), 14, quantity},
                                        {"KALAN", QStringLiteral("Kalan"), 14, quantity},
                                        {"FİYATI", QStringLiteral("BirimF"), 18, money},
                                        {"İSKONTO", QStringLiteral("IskTutar"), 16, money},
                                        {"KDV'SİZ TOPLAM", QStringLiteral("AraTop"), 22, money}},
                                       QStringLiteral("Detay"));
    std::vector<ElementDef> end = {bold(label(QStringLiteral("lBaslik"), at[4].translated(0, 2),
                                              QStringLiteral("TOPLAM : "), Qt::AlignRight))};
    for (int i : {7, 9, 10})
        end.push_back(bold(
            right(label(QStringLiteral("l%1").arg(i), at[size_t(i)].translated(0, 2), QString()))));
    def.bands.push_back(band(BandKind::Summary, QStringLiteral("Ozet"), 16, end));
    summaryCount(def, 9);

    auto st = std::make_shared<LineListState>();
    st->mapped = std::make_unique<Connection::MappedReads>(company.connection());
    st->lines = std::make_unique<Table>(company.connection(), QStringLiteral("SipHar"));
    st->lines->setIndexName(c.order == 1 ? QStringLiteral("SipHar_2") : QStringLiteral("SipHar_1"));
    st->lines->setFilter(filter);
    st->lines->setFiltered(true);
    st->lines->open();
    RunningReport running{st, std::make_unique<ReportRenderer>(def, st->lines.get())};
    LineListState* state = st.get();
    running.renderer->beforePrint = [state, quantity](BandPrint& p) {
        if (p.band.kind != BandKind::Summary) return;
        p.setText(QStringLiteral("l7"),
                  formatNumber(StockTotals::toDouble(state->miktari), quantity));
        p.setText(QStringLiteral("l9"),
                  formatNumber(StockTotals::toDouble(state->faturalanan), quantity));
        p.setText(QStringLiteral("l10"),
                  formatNumber(StockTotals::toDouble(state->kalan), quantity));
        p.setText(QStringLiteral("lblAdet"),
                  QStringLiteral("Listelenen %1 adet").arg(state->count));
    };
    const int miktari = st->lines->fieldIndex(QStringLiteral("Miktari")),
              faturalanan = st->lines->fieldIndex(QStringLiteral("Faturalanan")),
              kalan = st->lines->fieldIndex(QStringLiteral("Kalan"));
    running.renderer->afterPrint = [state, miktari, faturalanan, kalan](const BandDef& b) {
        if (b.kind != BandKind::Detail) return;
        state->miktari += StockTotals::units(state->lines->field(miktari).asFloat());
        state->faturalanan += StockTotals::units(state->lines->field(faturalanan).asFloat());
        state->kalan += StockTotals::units(state->lines->field(kalan).asFloat());
        ++state->count;
    };
    return running;
}

PageSet lineList(CompanyData& company, const LineListChoice& choice, bool letter)
{
    return startLineList(company, choice, letter).renderer->render();
}

// --- stock against orders -----------------------------------------------------------------------

namespace {

struct StockStatusState {
    std::unique_ptr<Connection::MappedReads> mapped;
    std::unique_ptr<Table> cards;
    // Per card Nosu, in fixed point: in, out, waiting on purchase orders, on sales orders.
    std::map<qint64, std::array<qint64, 4>> figures;
    int count = 0;
};

} // namespace

RunningReport startStockStatus(CompanyData& company, const StockStatusChoice& c, bool letter)
{
    QStringList terms;
    if (c.material >= 0 && c.material <= 3) terms << QStringLiteral("MlzKodu = %1").arg(c.material);
    const auto range = [&terms](const QString& fieldName, const QString& from, const QString& to) {
        if (!from.trimmed().isEmpty())
            terms << QStringLiteral("%1 >= %2").arg(fieldName, quoted(from.trimmed()));
        if (!to.trimmed().isEmpty())
            terms << QStringLiteral("%1 <= %2").arg(fieldName, quoted(to.trimmed()));
    };
    range(QStringLiteral("Kodu"), c.codeFrom, c.codeTo);
    for (size_t i = 0; i < 3; ++i)
        range(QStringLiteral("OzelKod%1").arg(i + 1), c.specialFrom[i], c.specialTo[i]);

    double width = 0;
    ReportDef def = landscapeReport(QStringLiteral("TfrmSipFzk1"),
                                    QStringLiteral("SİPARİŞ FİZİKİ ENVANTER"), letter, width);
    const QString quantity = company.install().invoiceQuantityFormat();
    lay(def, width,
        {{"NOSU", QStringLiteral("Kodu"), 30, {}},
         {"CİNSİ", QStringLiteral("Cinsi"), 60, {}},
         {"BR", QStringLiteral("Birim"), 12, {}},
         {"Giren", {}, 22, quantity},
         {"Çıkan", {}, 22, quantity},
         {"Envanter", {}, 22, quantity},
         {"Bek.Alış Sip.", {}, 24, quantity},
         {"Bek.Sat.Sip.", {}, 24, quantity},
         {"Bakiye", {}, 24, quantity}},
        QStringLiteral("Detay"));
    // The figures are the program's own labels on the detail row, beside the card's fields.
    BandDef& detail = def.bands.back();
    {
        double total = -2;
        for (double w : {30, 60, 12, 22, 22, 22, 24, 24, 24})
            total += w + 2;
        const double s = std::min(1.0, width / total);
        double x = (30 + 2 + 60 + 2 + 12 + 2) * s;
        for (int i = 0; i < 6; ++i) {
            const double w = (i < 3 ? 22 : 24) * s;
            detail.elements.push_back(
                right(label(QStringLiteral("v%1").arg(i), {x, 0, w, 5}, QString())));
            x += w + 2 * s;
        }
    }
    def.bands.push_back(band(BandKind::Summary, QStringLiteral("Ozet"), 10));
    summaryCount(def, 2);

    auto st = std::make_shared<StockStatusState>();
    st->mapped = std::make_unique<Connection::MappedReads>(company.connection());
    // What every card has in and out and waits for, in three grouped reads, not three per card.
    Connection& db = company.connection();
    for (const SqlRow& r : db.select(QStringLiteral(
             "SELECT coalesce(\"STRef\",0), sum(coalesce(\"GMiktari\",0)), "
             "sum(coalesce(\"CMiktari\",0)) FROM \"StHar\" GROUP BY coalesce(\"STRef\",0)"))) {
        auto& f = st->figures[r[0].toLongLong()];
        f[0] = StockTotals::units(r[1].toDouble());
        f[1] = StockTotals::units(r[2].toDouble());
    }
    for (const SqlRow& r : db.select(QStringLiteral(
             "SELECT coalesce(\"STRef\",0), coalesce(\"SipTuru\",0), sum(coalesce(\"Kalan\",0)) "
             "FROM \"SipHar\" GROUP BY coalesce(\"STRef\",0), coalesce(\"SipTuru\",0)"))) {
        const int kind = r[1].toInt();
        if (kind != 0 && kind != 1) continue;
        st->figures[r[0].toLongLong()][size_t(2 + kind)] = StockTotals::units(r[2].toDouble());
    }
    st->cards = std::make_unique<Table>(db, QStringLiteral("Stok"));
    st->cards->setReadFields(
        {QStringLiteral("Kodu"), QStringLiteral("Cinsi"), QStringLiteral("Birim")});
    st->cards->setIndexName(c.order == 1 ? QStringLiteral("Stok_2") : QStringLiteral("Stok_1"));
    if (!terms.isEmpty()) {
        st->cards->setFilter(terms.join(QStringLiteral(" and ")));
        st->cards->setFiltered(true);
    }
    st->cards->open();
    RunningReport running{st, std::make_unique<ReportRenderer>(def, st->cards.get())};
    StockStatusState* state = st.get();
    running.renderer->beforePrint = [state, quantity](BandPrint& p) {
        if (p.band.kind == BandKind::Detail) {
            const auto it = state->figures.find(state->cards->currentId());
            const std::array<qint64, 4> f =
                it == state->figures.end() ? std::array<qint64, 4>{} : it->second;
            const qint64 envanter = f[0] - f[1];
            const qint64 values[] = {f[0], f[1], envanter, f[2], f[3], envanter + f[2] - f[3]};
            for (int i = 0; i < 6; ++i)
                p.setText(QStringLiteral("v%1").arg(i),
                          formatNumber(StockTotals::toDouble(values[i]), quantity));
        } else if (p.band.kind == BandKind::Summary) {
            p.setText(QStringLiteral("lblAdet"),
                      QStringLiteral("Listelenen %1 adet").arg(state->count));
        }
    };
    running.renderer->afterPrint = [state](const BandDef& b) {
        if (b.kind == BandKind::Detail) ++state->count;
    };
    return running;
}

PageSet stockStatus(CompanyData& company, const StockStatusChoice& choice, bool letter)
{
    return startStockStatus(company, choice, letter).renderer->render();
}

} // namespace OrderReports
