#include "stock/ShelfLabels.h"

#include "printing/LabelSheet.h"
#include "printing/ReportBuilder.h"
#include "printing/ReportRenderer.h"
#include "stock/StockOrders.h"
#include "stock/StockReports.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/IniFile.h"
#include "store/Table.h"
#include "widgets/Barkod.h"

using namespace ReportBuilder;

namespace ShelfLabels {

namespace {

const LabelSheet::Key kPage[PageFieldCount] = {
    {"UZUNLUK", "40", "Sayfa Uzunluğu : "}, {"GENISLIK", "180", "Sayfa genişliği : "},
    {"KOLON", "2", "Kolon sayısı : "},      {"UST", "0", "Üst Marjin : "},
    {"ALT", "0", "Alt Marjin : "},          {"SOL", "10", "Sol Marjin : "},
    {"SAG", "10", "Sağ Marjin : "},         {"EUZUN", "181", "Etiket uzunluk : "},
    {"EGENIS", "84", "Etiket genişlik : "}};

const QString kSection = QStringLiteral("ETIKET1");

// The narrowest bar a scanner reads reliably, in millimetres.
constexpr double kNarrowestBarMm = 0.19;

// The fixed layout, in label pixels: left, top, width, height.
const QRectF kCode(16, 4, 153, 16), kName(16, 20, 153, 16), kPrice(6, 38, 131, 22),
    kSecond(6, 61, 131, 22), kBarcode(16, 81, 153, 15);
constexpr double kWordLeft = 138, kWordWidth = 40;

QRectF mm(const QRectF& pixels)
{
    return {pixels.x() / kPixelsPerMm, pixels.y() / kPixelsPerMm, pixels.width() / kPixelsPerMm,
            pixels.height() / kPixelsPerMm};
}

int choice(const IniFile& ini, const char* key, int fallback, int count)
{
    const int v = ini.readInteger(kSection, QLatin1String(key), fallback);
    return v >= 0 && v < count ? v : fallback;
}

bool tick(const IniFile& ini, const char* key)
{
    const QString v = ini.readString(kSection, QLatin1String(key), QStringLiteral("true"));
    return v.compare(QLatin1String("false"), Qt::CaseInsensitive) != 0 && v != QLatin1String("0");
}

bool secondPriceShown(const Choices& c)
{
    return c.secondPrice >= 0 && c.secondPrice < 3 && c.priceFont < 3;
}

QString priceField(int choice)
{
    return QStringLiteral("Fiyat%1").arg(std::clamp(choice, 0, 2) + 1);
}

// The Code 39 symbol of a code at the module, or why it cannot print in a box that wide.
QString symbol(const QString& code, int module, double boxMm, QImage* image)
{
    TZemrakBarkod bar;
    bar.tip = TZemrakBarkod::bcCode39;
    bar.Metin = code;
    bar.setModul(module);
    bar.Yukseklik = 35;
    try {
        bar.elements();
    } catch (const AppError& e) {
        return QStringLiteral("%1 (%2)").arg(code, e.message());
    }
    const double narrowMm = boxMm * bar.widths()[0] / std::max(1, bar.Genislik());
    if (narrowMm < kNarrowestBarMm)
        return QStringLiteral("%1 (çizgiler %2 mm: etikete sığmayacak kadar uzun)")
            .arg(code, QString::number(narrowMm, 'f', 2));
    if (image) *image = bar.image().convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    return QString();
}

} // namespace

const char* iniKey(PageField field)
{
    return kPage[field].key;
}

QString caption(PageField field)
{
    return QString::fromUtf8(kPage[field].caption);
}

Choices read(const IniFile& ini)
{
    Choices c;
    for (int f = 0; f < PageFieldCount; ++f)
        c.page[size_t(f)] =
            ini.readString(kSection, QLatin1String(kPage[f].key), QLatin1String(kPage[f].fallback));
    c.order = choice(ini, "rg", 0, 2);
    c.kdv = choice(ini, "rgKdv", 1, 2);
    c.barcode = choice(ini, "rgBarkod", 0, 2);
    c.nameFont = choice(ini, "rgCinsi", 1, 2);
    c.codeFont = choice(ini, "rgKodu", 1, 2);
    c.module = choice(ini, "rgModul", 1, 3);
    c.price = choice(ini, "rgFiyat", 0, 3);
    c.priceFont = choice(ini, "rgFiyat1", 4, 5);
    c.showCode = tick(ini, "chkKodu");
    c.showName = tick(ini, "chkCinsi");
    c.showPrice = tick(ini, "chkFiyat");
    return c;
}

void write(IniFile& ini, const Choices& c)
{
    LabelSheet::write(ini, kSection, kPage, QStringList(c.page.begin(), c.page.end()));
    QList<QPair<QString, QString>> values;
    const auto number = [&](const char* key, int v) {
        values.append({QLatin1String(key), QString::number(v)});
    };
    const auto boolean = [&](const char* key, bool v) {
        values.append({QLatin1String(key), v ? QStringLiteral("true") : QStringLiteral("false")});
    };
    number("rg", c.order);
    number("rgKdv", c.kdv);
    number("rgBarkod", c.barcode);
    number("rgCinsi", c.nameFont);
    number("rgKodu", c.codeFont);
    number("rgModul", c.module);
    number("rgFiyat", c.price);
    number("rgFiyat1", c.priceFont);
    boolean("chkKodu", c.showCode);
    boolean("chkCinsi", c.showName);
    boolean("chkFiyat", c.showPrice);
    ini.writeStrings(kSection, values);
}

QString filterText(const Filter& f)
{
    StockReports::CardChoice c;
    c.codeFrom = f.codeFrom;
    c.codeTo = f.codeTo;
    c.dateFrom = f.dateFrom;
    c.dateTo = f.dateTo;
    c.specialFrom = f.specialFrom;
    c.specialTo = f.specialTo;
    return StockReports::cardFilter(c);
}

namespace {

// The sheet's values as whole numbers; the refusal of the first that is not one.
QString wholeValues(const Choices& c, std::array<int, PageFieldCount>& v)
{
    for (int f = 0; f < PageFieldCount; ++f)
        if (!LabelSheet::whole(c.page[size_t(f)], v[size_t(f)]))
            return LabelSheet::notWhole(kPage[f], c.page[size_t(f)]);
    return QString();
}

LabelSheet::Page pageOf(const std::array<int, PageFieldCount>& v)
{
    return {v[Uzunluk], v[Genislik], v[Ust], v[Alt], v[Sol], v[Sag]};
}

} // namespace

QString refusal(const Choices& c)
{
    std::array<int, PageFieldCount> v{};
    if (QString why = wholeValues(c, v); !why.isEmpty()) return why;
    const LabelSheet::Page page = pageOf(v);
    if (QString why = LabelSheet::pageRefusal(page); !why.isEmpty()) return why;
    if (QString why = LabelSheet::labelRefusal(page, v[Kolon], v[EUzun] / kPixelsPerMm,
                                               v[EGenis] / kPixelsPerMm);
        !why.isEmpty())
        return why;
    // What the label prints must fit in it.
    double right = 0, bottom = 0;
    const auto needs = [&](const QRectF& r) {
        right = std::max(right, r.right());
        bottom = std::max(bottom, r.bottom());
    };
    if (c.showCode) needs(kCode);
    if (c.showName) needs(kName);
    needs(QRectF(kPrice.x(), kPrice.y(), kWordLeft + kWordWidth / 2, kPrice.height()));
    if (secondPriceShown(c)) needs(kSecond);
    if (c.barcode == 1) needs(kBarcode);
    if (v[EUzun] < right || v[EGenis] < bottom)
        return QStringLiteral("Etiket (%1 × %2 piksel) basılacaklardan (%3 × %4 piksel) küçük.")
            .arg(v[EUzun])
            .arg(v[EGenis])
            .arg(int(std::ceil(right)))
            .arg(int(std::ceil(bottom)));
    return QString();
}

int fontSize(int choice)
{
    return choice == 0 ? 10 : 12;
}

int priceFontSize(int choice)
{
    static const int sizes[] = {10, 12, 16, 18, 22};
    return sizes[std::clamp(choice, 0, 4)];
}

QString priceText(const CompanyData& company, double price, double vatRate, int kdv)
{
    const double value = kdv == 1 && price > 0 && vatRate > 0
                             ? company.RoundMoney(price + vatRate * price / 100)
                             : price;
    return company.FormatMoneyText(QString::number(value, 'f', 6));
}

RunningReport startLabels(CompanyData& company, const Filter& filter, const Choices& c)
{
    const QString refused = refusal(c);
    if (!refused.isEmpty()) throw AppError(QStringLiteral("Etiket ölçüleri hatalı"), refused);
    std::array<int, PageFieldCount> v{};
    wholeValues(c, v);

    ReportDef def;
    def.name = QStringLiteral("TfrmBarRap");
    def.className = QStringLiteral("TQuickRep");
    LabelSheet::apply(def, pageOf(v), v[Kolon]);

    const auto text = [](const char* name, const QRectF& pixels, int size, int alignment) {
        ElementDef e = label(QLatin1String(name), mm(pixels), QString(), alignment);
        e.font = QFont(QStringLiteral("Arial"));
        e.font.setPointSize(size);
        return e;
    };
    const int priceSize = priceFontSize(c.priceFont);
    const QString word = company.settings().tl;
    std::vector<ElementDef> elements = {
        text("lblKodu", kCode, fontSize(c.codeFont), 0),
        text("lblCinsi", kName, fontSize(c.nameFont), 0),
        text("lblFiyat", kPrice, priceSize, Qt::AlignRight),
        text("lblTL", QRectF(kWordLeft, kPrice.y(), kWordWidth, kPrice.height()), priceSize, 0),
        text("lblFiyat2", kSecond, priceSize, Qt::AlignRight),
        text("lblTL2", QRectF(kWordLeft, kSecond.y(), kWordWidth, kSecond.height()), priceSize, 0),
        element(ElementKind::Image, QStringLiteral("Barkod"), mm(kBarcode))};
    def.bands.push_back(
        band(BandKind::Detail, QStringLiteral("Etiket"), v[EGenis] / kPixelsPerMm, elements));

    // What the hooks work on lives as long as the renderer, which may run in steps.
    struct State {
        std::unique_ptr<Table> stok;
    };
    auto st = std::make_shared<State>();
    st->stok = std::make_unique<Table>(company.connection(), QStringLiteral("Stok"));
    Table& stok = *st->stok;
    const QString first = priceField(c.price), second = priceField(c.secondPrice);
    stok.setReadFields({QStringLiteral("Kodu"), QStringLiteral("Cinsi"), QStringLiteral("Normal"),
                        QStringLiteral("Fiyat1"), QStringLiteral("Fiyat2"),
                        QStringLiteral("Fiyat3")});
    stok.setIndexName(StockOrder::indexName(c.order));
    stok.setFilter(filterText(filter));
    stok.setFiltered(true);
    stok.open();

    const bool withSecond = secondPriceShown(c);
    const double barcodeMm = kBarcode.width() / kPixelsPerMm;
    auto renderer = std::make_unique<ReportRenderer>(def, &stok);
    ReportRenderer* r = renderer.get();
    CompanyData* books = &company;
    renderer->beforePrint = [&stok, r, c, first, second, word, books, withSecond,
                             barcodeMm](BandPrint& p) {
        CompanyData& company = *books;
        const QString code = stok[QStringLiteral("Kodu")].asString();
        const double vat = stok[QStringLiteral("Normal")].asFloat();
        p.setText(QStringLiteral("lblKodu"), code);
        p.setText(QStringLiteral("lblCinsi"), stok[QStringLiteral("Cinsi")].asString());
        p.setText(QStringLiteral("lblFiyat"),
                  priceText(company, stok[first].asFloat(), vat, c.kdv));
        p.setText(QStringLiteral("lblTL"), word);
        p.setText(QStringLiteral("lblFiyat2"),
                  withSecond ? priceText(company, stok[second].asFloat(), vat, c.kdv) : QString());
        p.setText(QStringLiteral("lblTL2"), withSecond ? word : QString());
        p.setEnabled(QStringLiteral("lblKodu"), c.showCode);
        p.setEnabled(QStringLiteral("lblCinsi"), c.showName);
        p.setEnabled(QStringLiteral("lblFiyat"), c.showPrice);
        bool drawn = false;
        if (c.barcode == 1 && !code.isEmpty()) {
            QImage image;
            const QString why = symbol(code, c.module + 1, barcodeMm, &image);
            if (why.isEmpty()) {
                p.setPicture(QStringLiteral("Barkod"), image);
                drawn = true;
            } else {
                r->warn(why);
            }
        }
        p.setEnabled(QStringLiteral("Barkod"), drawn);
    };
    return {st, std::move(renderer)};
}

PageSet labels(CompanyData& company, const Filter& filter, const Choices& c)
{
    return startLabels(company, filter, c).renderer->render();
}

} // namespace ShelfLabels
