#include "printing/ReportDesign.h"

#include "printing/ReportExpression.h"
#include "store/AppError.h"
#include "widgets/DisplayText.h"

#include <QRegularExpression>
#include <QSet>
#include <cmath>

namespace ReportDesign {

namespace {

constexpr double kTolerance = 1e-6; // mm: what stored positions may be off by in rounding

// Default sizes of new elements, in pixels.
QSizeF defaultSize(ElementKind kind)
{
    switch (kind) {
    case ElementKind::Shape:
    case ElementKind::Image:
    case ElementKind::DBImage:
    case ElementKind::Chart:
        return {65, 65};
    case ElementKind::Barcode:
        return {120, 50};
    case ElementKind::Memo:
    case ElementKind::ExprMemo:
    case ElementKind::RichText:
    case ElementKind::DBRichText:
        return {105, 34};
    default:
        return {65, 17};
    }
}

// The band kinds in the order the page prints them.
int printRank(BandKind kind)
{
    switch (kind) {
    case BandKind::Title:
        return 0;
    case BandKind::PageHeader:
        return 1;
    case BandKind::ColumnHeader:
        return 2;
    case BandKind::GroupHeader:
        return 3;
    case BandKind::Detail:
        return 4;
    case BandKind::SubDetail:
        return 5;
    case BandKind::GroupFooter:
        return 6;
    case BandKind::Summary:
        return 7;
    case BandKind::PageFooter:
        return 8;
    case BandKind::Strings:
        return 9;
    case BandKind::Child:
        return 10;
    }
    return 10;
}

QString pixelsText(double mm)
{
    return QString::number(std::lround(toPixels(mm)));
}

QString parseFault(const QString& text)
{
    try {
        ReportExpression::parse(text);
    } catch (const AppError& e) {
        return e.message();
    }
    return QString();
}

} // namespace

double toPixels(double mm)
{
    return mm / kPixelMm;
}

double toMm(double pixels)
{
    return pixels * kPixelMm;
}

const std::vector<Tool>& tools()
{
    using S = Tool::Start;
    static const std::vector<Tool> list = {
        {QString(), QString(), false},
        {"TZRQRSubDetail", "ZRQRSubDetail", true},
        {"TZRQRStringsBand", "ZRQRStringsBand", true},
        {"TZRQRBand", "ZRQRBand", true},
        {"TZRQRChildBand", "ZRQRChildBand", true},
        {"TZRQRGroup", "ZRQRGroup", true},
        {"TZRQRLabel", "ZRQRLabel", false, S::Name},
        {"TZRQRDBText", "ZRQRDBText", false, S::Name},
        {"TZRQRExpr", "ZRQRExpr", false, S::Name},
        {"TZRQRSysData", "ZRQRSysData", false},
        {"TZRQRMemo", "ZRQRMemo", false, S::Name},
        {"TZRQRExprMemo", "ZRQRExprMemo", false, S::Name},
        {"TZRQRRichText", "ZRQRRichText", false, S::Name},
        {"TZRQRDBRichText", "ZRQRDBRichText", false},
        {"TZRQRShape", "ZRQRShape", false},
        {"TZRQRImage", "ZRQRImage", false},
        {"TZRQRDBImage", "ZRQRDBImage", false},
        {"TZRQRChart", "ZRQRChart", false},
        {"TZRQRAngledLabel", "ZRQRAngledLabel", false, S::Name},
        {"TZRZemrakDoubleToQYazi", "ZRZemrakDoubleToQYazi", false, S::Words},
        {"TZRZemrakQRLabel", "ZRZemrakQrLabel", false, S::Vertical},
        {"TZRQRAsBarcode", "ZRQRAsBarcode", false},
    };
    return list;
}

QString nameFault(const QString& name)
{
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (name.isEmpty()) return QStringLiteral("Ad boş olamaz.");
    if (name.size() > kNameLimit)
        return QStringLiteral("Ad en çok %1 karakter olabilir.").arg(kNameLimit);
    if (!identifier.match(name).hasMatch())
        return QStringLiteral("\"%1\" geçerli bir ad değil: bir harf ya da _ ile başlamalı, "
                              "yalnız İngilizce harfler, rakamlar ve _ içermelidir.")
            .arg(name);
    return QString();
}

QStringList names(const ReportDef& def)
{
    QStringList list;
    for (const BandDef& b : def.bands) {
        list << b.name;
        for (const ElementDef& e : b.elements)
            list << e.name;
    }
    return list;
}

QString newName(const ReportDef& def, const QString& prefix)
{
    QSet<QString> taken;
    for (const QString& n : names(def))
        taken.insert(n.toLower());
    for (int i = 1;; ++i) {
        const QString name = prefix + QString::number(i);
        if (!taken.contains(name.toLower())) return name;
    }
}

Item find(const ReportDef& def, const QString& name)
{
    for (int b = 0; b < int(def.bands.size()); ++b) {
        const BandDef& band = def.bands[size_t(b)];
        if (band.name.compare(name, Qt::CaseInsensitive) == 0) return {b, -1};
        for (int e = 0; e < int(band.elements.size()); ++e)
            if (band.elements[size_t(e)].name.compare(name, Qt::CaseInsensitive) == 0)
                return {b, e};
    }
    return {};
}

std::vector<BandPlace> bandOrder(const ReportDef& def)
{
    std::vector<int> order;
    for (int b = 0; b < int(def.bands.size()); ++b)
        if (def.bands[size_t(b)].kind != BandKind::Child) order.push_back(b);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return printRank(def.bands[size_t(a)].kind) < printRank(def.bands[size_t(b)].kind);
    });
    // Child bands under the band they continue (and under its other children), in their order;
    // one whose band is gone comes last.
    std::vector<int> placed;
    std::vector<bool> done(def.bands.size(), false);
    const auto addWithChildren = [&](auto& self, int b) -> void {
        if (done[size_t(b)]) return;
        done[size_t(b)] = true;
        placed.push_back(b);
        for (int c = 0; c < int(def.bands.size()); ++c)
            if (def.bands[size_t(c)].kind == BandKind::Child &&
                def.bands[size_t(c)].parent.compare(def.bands[size_t(b)].name,
                                                    Qt::CaseInsensitive) == 0)
                self(self, c);
    };
    for (int b : order)
        addWithChildren(addWithChildren, b);
    for (int b = 0; b < int(def.bands.size()); ++b)
        addWithChildren(addWithChildren, b);
    std::vector<BandPlace> places;
    double top = 0;
    for (int b : placed) {
        places.push_back({b, top});
        top += def.bands[size_t(b)].height;
    }
    return places;
}

int bandAt(const ReportDef& def, double y)
{
    return bandAt(def, bandOrder(def), y);
}

int bandAt(const ReportDef& def, const std::vector<BandPlace>& places, double y)
{
    for (const BandPlace& p : places)
        if (y >= p.top && y < p.top + def.bands[size_t(p.band)].height) return p.band;
    return -1;
}

double printableWidth(const ReportDef& def)
{
    return def.page.size().width() - def.page.left - def.page.right;
}

double printableHeight(const ReportDef& def)
{
    return def.page.size().height() - def.page.top - def.page.bottom;
}

Item create(ReportDef& def, int tool, int band, QPointF at, int aboveBand)
{
    if (tool <= 0 || tool >= kToolCount) return {};
    const Tool& t = tools()[size_t(tool)];
    if (t.band) {
        if (band >= 0) return {}; // band tools work outside the bands
        BandDef b;
        b.className = t.className;
        b.height = toMm(40);
        switch (tool) {
        case 1:
            b.kind = BandKind::SubDetail;
            break;
        case 2:
            b.kind = BandKind::Strings;
            break;
        case 3: {
            // The first standard band the report lacks.
            bool found = false;
            for (BandKind kind : {BandKind::Title, BandKind::PageHeader, BandKind::ColumnHeader,
                                  BandKind::Detail, BandKind::Summary, BandKind::PageFooter}) {
                if (std::none_of(def.bands.begin(), def.bands.end(),
                                 [&](const BandDef& d) { return d.kind == kind; })) {
                    b.kind = kind;
                    found = true;
                    break;
                }
            }
            if (!found) return {};
            break;
        }
        case 4:
            if (aboveBand < 0 || aboveBand >= int(def.bands.size())) return {};
            b.kind = BandKind::Child;
            b.parent = def.bands[size_t(aboveBand)].name;
            break;
        default:
            b.kind = BandKind::GroupHeader;
            break;
        }
        b.name = newName(def, t.prefix);
        def.bands.push_back(b);
        return {int(def.bands.size()) - 1, -1};
    }
    if (band < 0 || band >= int(def.bands.size())) return {};
    BandDef& target = def.bands[size_t(band)];
    ElementDef e;
    e.className = t.className;
    e.kind = *elementKindOfClass(t.className);
    e.name = newName(def, t.prefix);
    e.font = def.font;
    QSizeF size = defaultSize(e.kind);
    switch (t.start) {
    case Tool::Start::Name:
        e.text = e.name;
        break;
    case Tool::Start::Words:
        e.text = QStringLiteral("Yalnız  TL dir.");
        break;
    case Tool::Start::Vertical:
        // Written vertically once, with no blanks of step: centred, a letter high each.
        e.text = VerticalText(e.name, 0);
        e.alignment = Qt::AlignHCenter;
        e.autoSize = true;
        size = QSizeF(17, 17 * e.name.size());
        break;
    case Tool::Start::Nothing:
        break;
    }
    const QPointF corner(std::round(toPixels(at.x())), std::round(toPixels(at.y())));
    e.rect = QRectF(toMm(corner.x()), toMm(corner.y()), toMm(size.width()), toMm(size.height()));
    // What does not fit is cut to the band: its top left stays at the click.
    const double right = printableWidth(def), bottom = target.height;
    if (e.rect.left() >= right - toMm(1) + kTolerance ||
        e.rect.top() >= bottom - toMm(1) + kTolerance || e.rect.left() < -kTolerance ||
        e.rect.top() < -kTolerance)
        return {};
    e.rect.setWidth(toMm(std::max(
        1.0, std::floor(toPixels(std::min(e.rect.width(), right - e.rect.left())) + kTolerance))));
    e.rect.setHeight(toMm(std::max(
        1.0, std::floor(toPixels(std::min(e.rect.height(), bottom - e.rect.top())) + kTolerance))));
    target.elements.push_back(e);
    return {band, int(target.elements.size()) - 1};
}

QRectF placeInBand(const ReportDef& def, Item item, QRectF rect, int gridPixels)
{
    if (!item.valid() || item.isBand()) return rect;
    const double width = printableWidth(def);
    const double height = def.bands[size_t(item.band)].height;
    double x = toPixels(rect.x()), y = toPixels(rect.y());
    if (gridPixels > 0) {
        x = std::round(x / gridPixels) * gridPixels;
        y = std::round(y / gridPixels) * gridPixels;
    } else {
        x = std::round(x);
        y = std::round(y);
    }
    const double w = toPixels(rect.width()), h = toPixels(rect.height());
    x = std::clamp(x, 0.0, std::max(0.0, std::floor(toPixels(width) + kTolerance) - w));
    y = std::clamp(y, 0.0, std::max(0.0, std::floor(toPixels(height) + kTolerance) - h));
    return QRectF(toMm(x), toMm(y), rect.width(), rect.height());
}

QString geometryFault(const ReportDef& def, Item item, const QRectF& r)
{
    if (!item.valid() || item.isBand()) return QString();
    const BandDef& band = def.bands[size_t(item.band)];
    const QString name = band.elements[size_t(item.element)].name;
    if (r.width() < toMm(1) - kTolerance)
        return QStringLiteral("%1: genişlik %2 pixel; en az 1 pixel olmalı.")
            .arg(name, pixelsText(r.width()));
    if (r.height() < toMm(1) - kTolerance)
        return QStringLiteral("%1: uzunluk %2 pixel; en az 1 pixel olmalı.")
            .arg(name, pixelsText(r.height()));
    if (r.left() < -kTolerance || r.top() < -kTolerance)
        return QStringLiteral("%1: sol %2, üst %3 pixel; bandın dışında kalıyor.")
            .arg(name, pixelsText(r.left()), pixelsText(r.top()));
    if (r.right() > printableWidth(def) + kTolerance)
        return QStringLiteral("%1: sol %2 + genişlik %3 pixel, sayfanın yazılabilir genişliğini "
                              "(%4 pixel) aşıyor.")
            .arg(name, pixelsText(r.left()), pixelsText(r.width()),
                 pixelsText(printableWidth(def)));
    if (r.bottom() > band.height + kTolerance)
        return QStringLiteral("%1: üst %2 + uzunluk %3 pixel, %4 bandının uzunluğunu (%5 pixel) "
                              "aşıyor.")
            .arg(name, pixelsText(r.top()), pixelsText(r.height()), band.name,
                 pixelsText(band.height));
    return QString();
}

QString bandHeightFault(const ReportDef& def, int band, double heightMm)
{
    const BandDef& b = def.bands[size_t(band)];
    if (heightMm < toMm(1) - kTolerance)
        return QStringLiteral("%1: uzunluk %2 pixel; en az 1 pixel olmalı.")
            .arg(b.name, pixelsText(heightMm));
    if (heightMm > printableHeight(def) + kTolerance)
        return QStringLiteral("%1: uzunluk %2 pixel, sayfanın yazılabilir uzunluğunu (%3 pixel) "
                              "aşıyor.")
            .arg(b.name, pixelsText(heightMm), pixelsText(printableHeight(def)));
    for (const ElementDef& e : b.elements)
        if (e.rect.bottom() > heightMm + kTolerance)
            return QStringLiteral("%1: uzunluk %2 pixel; %3 bandın dışında kalır.")
                .arg(b.name, pixelsText(heightMm), e.name);
    return QString();
}

QString pageFault(const PageSettings& page)
{
    if (page.widthMm < PageSettings::kShortestMm || page.heightMm < PageSettings::kShortestMm)
        return QStringLiteral("Sayfa ebadı en az %1 mm olmalı (%2 x %3 mm).")
            .arg(PageSettings::kShortestMm)
            .arg(page.widthMm)
            .arg(page.heightMm);
    const QSizeF size = page.size();
    if (size.width() - page.left - page.right < toMm(1) - kTolerance)
        return QStringLiteral("Sol ve sağ marjin (%1 + %2 mm) sayfa genişliğini (%3 mm) "
                              "dolduruyor.")
            .arg(page.left)
            .arg(page.right)
            .arg(size.width());
    if (size.height() - page.top - page.bottom < toMm(1) - kTolerance)
        return QStringLiteral("Üst ve alt marjin (%1 + %2 mm) sayfa uzunluğunu (%3 mm) "
                              "dolduruyor.")
            .arg(page.top)
            .arg(page.bottom)
            .arg(size.height());
    const int columns = std::max(1, page.columns);
    const double column =
        (size.width() - page.left - page.right - page.columnSpacing * (columns - 1)) / columns;
    if (column < toMm(1) - kTolerance)
        return QStringLiteral("%1 kolon, %2 mm kolon aralığıyla sayfaya sığmıyor.")
            .arg(columns)
            .arg(page.columnSpacing);
    return QString();
}

QString applySizes(ReportDef& def, Item item, const std::array<double, 4>& pixels,
                   const QString& name, QString* nameRefused)
{
    if (!item.valid()) return QString();
    for (double p : pixels)
        if (!std::isfinite(p)) return QStringLiteral("Ölçüler sayı olmalı.");
    if (item.isBand()) {
        const double height = toMm(std::round(pixels[3]));
        if (QString fault = bandHeightFault(def, item.band, height); !fault.isEmpty()) return fault;
        def.bands[size_t(item.band)].height = height;
    } else {
        const QRectF r(toMm(std::round(pixels[0])), toMm(std::round(pixels[1])),
                       toMm(std::round(pixels[2])), toMm(std::round(pixels[3])));
        if (QString fault = geometryFault(def, item, r); !fault.isEmpty()) return fault;
        def.bands[size_t(item.band)].elements[size_t(item.element)].rect = r;
    }
    const QString old = item.isBand()
                            ? def.bands[size_t(item.band)].name
                            : def.bands[size_t(item.band)].elements[size_t(item.element)].name;
    const QString refused = name == old ? QString() : rename(def, item, name);
    if (nameRefused) *nameRefused = refused;
    return QString();
}

QString rename(ReportDef& def, Item item, const QString& name)
{
    if (!item.valid()) return QString();
    if (const QString fault = nameFault(name); !fault.isEmpty()) return fault;
    const Item other = find(def, name);
    if (other.valid() && !(other == item))
        return QStringLiteral("\"%1\" adını başka bir öğe taşıyor.").arg(name);
    BandDef& band = def.bands[size_t(item.band)];
    if (item.isBand()) {
        // Child bands follow the band they continue under its new name.
        for (BandDef& child : def.bands)
            if (child.kind == BandKind::Child &&
                child.parent.compare(band.name, Qt::CaseInsensitive) == 0)
                child.parent = name;
        band.name = name;
    } else {
        band.elements[size_t(item.element)].name = name;
    }
    return QString();
}

void remove(ReportDef& def, Item item)
{
    if (!item.valid()) return;
    if (item.isBand())
        def.bands.erase(def.bands.begin() + item.band);
    else
        def.bands[size_t(item.band)].elements.erase(def.bands[size_t(item.band)].elements.begin() +
                                                    item.element);
}

Item toFront(ReportDef& def, Item item)
{
    if (!item.valid() || item.isBand()) return item;
    auto& list = def.bands[size_t(item.band)].elements;
    std::rotate(list.begin() + item.element, list.begin() + item.element + 1, list.end());
    return {item.band, int(list.size()) - 1};
}

Item toBack(ReportDef& def, Item item)
{
    if (!item.valid() || item.isBand()) return item;
    auto& list = def.bands[size_t(item.band)].elements;
    std::rotate(list.begin(), list.begin() + item.element, list.begin() + item.element + 1);
    return {item.band, 0};
}

QStringList decimalChoices()
{
    return {QStringLiteral("Yok"), QStringLiteral("0"), QStringLiteral("0.0"),
            QStringLiteral("0.00"), QStringLiteral("0.000")};
}

QString maskOfDecimals(int choice)
{
    switch (choice) {
    case 1:
        return QStringLiteral("#,##0");
    case 2:
        return QStringLiteral("#,##0.0");
    case 3:
        return QStringLiteral("#,##0.00");
    case 4:
        return QStringLiteral("#,##0.000");
    default:
        return QString();
    }
}

int decimalsOfMask(const QString& mask)
{
    for (int choice = 1; choice <= 4; ++choice)
        if (maskOfDecimals(choice) == mask) return choice;
    return 0;
}

QString layoutFault(const ReportDef& def, const QStringList& handlers)
{
    if (const QString fault = pageFault(def.page); !fault.isEmpty()) return fault;
    QSet<QString> seen;
    const auto named = [&](const QString& name) -> QString {
        if (const QString fault = nameFault(name); !fault.isEmpty()) return fault;
        if (seen.contains(name.toLower()))
            return QStringLiteral("\"%1\" adı iki kez kullanılmış.").arg(name);
        seen.insert(name.toLower());
        return QString();
    };
    for (int b = 0; b < int(def.bands.size()); ++b) {
        const BandDef& band = def.bands[size_t(b)];
        if (QString fault = named(band.name); !fault.isEmpty()) return fault;
        if (!band.beforePrint.isEmpty() && !handlers.contains(band.beforePrint))
            return QStringLiteral("%1: bilinmeyen olay \"%2\".").arg(band.name, band.beforePrint);
        if (QString fault = bandHeightFault(def, b, band.height); !fault.isEmpty()) return fault;
        if (band.kind == BandKind::GroupHeader && !band.groupExpression.isEmpty())
            if (QString fault = parseFault(band.groupExpression); !fault.isEmpty())
                return QStringLiteral("%1: %2").arg(band.name, fault);
        for (int e = 0; e < int(band.elements.size()); ++e) {
            const ElementDef& el = band.elements[size_t(e)];
            if (QString fault = named(el.name); !fault.isEmpty()) return fault;
            if (QString fault = geometryFault(def, {b, e}, el.rect); !fault.isEmpty()) return fault;
            QString parse;
            if (el.kind == ElementKind::Expr || el.kind == ElementKind::AmountInWords)
                parse = parseFault(el.expression);
            if (el.kind == ElementKind::ExprMemo) parse = memoFault(el.text);
            if (!parse.isEmpty()) return QStringLiteral("%1: %2").arg(el.name, parse);
        }
    }
    return QString();
}

QString memoFault(const QString& text)
{
    qsizetype from = 0;
    while (true) {
        const qsizetype open = text.indexOf(QLatin1Char('{'), from);
        if (open < 0) return QString();
        const qsizetype close = text.indexOf(QLatin1Char('}'), open);
        if (close < 0) return QString(); // an unclosed brace prints as it stands
        if (QString fault = parseFault(text.mid(open + 1, close - open - 1)); !fault.isEmpty())
            return fault;
        from = close + 1;
    }
}

} // namespace ReportDesign
