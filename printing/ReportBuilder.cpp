#include "printing/ReportBuilder.h"
#include "store/TextRules.h"

namespace ReportBuilder {

namespace {

ElementDef make(ElementKind kind, const QString& name, QRectF rect)
{
    ElementDef e;
    e.kind = kind;
    e.name = name;
    e.className = elementClassName(kind);
    e.rect = rect;
    return e;
}

} // namespace

ElementDef element(ElementKind kind, const QString& name, QRectF rect, const QString& value)
{
    ElementDef e = make(kind, name, rect);
    if (kind == ElementKind::DBText)
        e.field = value;
    else if (kind == ElementKind::Expr)
        e.expression = value;
    else
        e.text = value;
    return e;
}

ElementDef label(const QString& name, QRectF rect, const QString& text, int alignment)
{
    ElementDef e = make(ElementKind::Label, name, rect);
    e.text = text;
    e.alignment = alignment;
    return e;
}

ElementDef field(const QString& name, QRectF rect, const QString& fieldName, const QString& mask)
{
    ElementDef e = make(ElementKind::DBText, name, rect);
    e.field = fieldName;
    e.mask = mask;
    if (!mask.isEmpty()) e.alignment = Qt::AlignRight;
    return e;
}

ElementDef expression(const QString& name, QRectF rect, const QString& text, const QString& mask)
{
    ElementDef e = make(ElementKind::Expr, name, rect);
    e.expression = text;
    e.mask = mask;
    if (!mask.isEmpty()) e.alignment = Qt::AlignRight;
    return e;
}

BandDef band(BandKind kind, const QString& name, double height, std::vector<ElementDef> elements)
{
    BandDef b;
    b.kind = kind;
    b.name = name;
    b.className = bandClassName(kind);
    b.height = height;
    b.elements = std::move(elements);
    return b;
}

ElementDef bold(ElementDef element)
{
    element.font.setBold(true);
    return element;
}

ElementDef right(ElementDef element)
{
    element.alignment = Qt::AlignRight;
    return element;
}

ReportDef standardReport(const QString& name, const QString& title, bool letter,
                         const QString& subtitle)
{
    ReportDef def;
    def.name = name;
    def.className = QStringLiteral("TQuickRep");
    def.page.paper = letter ? PageSettings::Paper::Letter : PageSettings::Paper::A4;
    ElementDef heading =
        bold(label(QStringLiteral("lblBaslik"), {0, 0, 190, 7}, title, Qt::AlignHCenter));
    heading.font.setPointSize(13);
    ElementDef date = make(ElementKind::SysData, QStringLiteral("sysTarih"), {0, 8, 60, 5});
    date.text = QStringLiteral("Tarih : ");
    date.sysData = SysDataKind::Date;
    ElementDef page = make(ElementKind::SysData, QStringLiteral("sysSayfa"), {150, 8, 40, 5});
    page.text = QStringLiteral("Sayfa : ");
    page.sysData = SysDataKind::PageNumber;
    page.alignment = Qt::AlignRight;
    std::vector<ElementDef> header = {heading, date, page};
    if (!subtitle.isEmpty())
        header.push_back(
            label(QStringLiteral("lblAltBaslik"), {40, 8, 110, 5}, subtitle, Qt::AlignHCenter));
    def.bands.push_back(band(BandKind::PageHeader, QStringLiteral("SayfaBasi"), 15, header));
    return def;
}

double fitPageHeader(ReportDef& def)
{
    const double width = def.page.size().width() - def.page.left - def.page.right;
    for (BandDef& band : def.bands) {
        if (band.kind != BandKind::PageHeader) continue;
        for (ElementDef& e : band.elements) {
            if (e.name == QLatin1String("lblBaslik")) e.rect.setWidth(width);
            if (e.name == QLatin1String("sysSayfa")) e.rect.moveLeft(width - e.rect.width());
            if (e.name == QLatin1String("lblAltBaslik"))
                e.rect.moveLeft((width - e.rect.width()) / 2);
        }
    }
    return width;
}

QString dateText(const QDate& date)
{
    return DateText(date);
}

void summaryCount(ReportDef& def, double y)
{
    def.bands.back().elements.push_back(label(QStringLiteral("lblAdet"), {0, y, 80, 5}, QString()));
}

QString quoted(const QString& text)
{
    QString inner = text;
    inner.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + inner + QLatin1Char('\'');
}

} // namespace ReportBuilder
