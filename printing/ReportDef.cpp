#include "printing/ReportDef.h"

#include "store/AppError.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace {

const QStringList kElementClasses = {"TZRQRLabel",      "TZRQRDBText",   "TZRQRExpr",
                                     "TZRQRSysData",    "TZRQRMemo",     "TZRQRShape",
                                     "TZRQRImage",      "TZRQRDBImage",  "TZemrakDoubleToQYazi",
                                     "TZRQRAsBarcode",  "TZRQRExprMemo", "TZRQRRichText",
                                     "TZRQRDBRichText", "TZRQRChart",    "TZRQRAngledLabel"};
// Variants load as the element they draw and keep their class name: the designer's amount in
// words, and the vertical labels, whose stored text is already written vertically.
const QHash<QString, ElementKind> kVariantClasses = {
    {"TZRZemrakDoubleToQYazi", ElementKind::AmountInWords},
    {"TZemrakQRLabel", ElementKind::Label},
    {"TZRZemrakQRLabel", ElementKind::Label}};
const QStringList kBandClasses = {"TitleBand",       "PageHeaderBand", "ColumnHeaderBand",
                                  "DetailBand",      "SubDetailBand",  "GroupHeaderBand",
                                  "GroupFooterBand", "SummaryBand",    "PageFooterBand",
                                  "ChildBand",       "StringsBand"};
const QStringList kBandKinds = {"title",      "pageHeader",  "columnHeader", "detail",
                                "subDetail",  "groupHeader", "groupFooter",  "summary",
                                "pageFooter", "child",       "strings"};
const QStringList kPapers = {"A4", "Letter", "Custom"};
const QStringList kSysData = {"date", "time", "datetime", "page"};
const QStringList kShapes = {"rectangle", "circle", "hline", "vline", "leftright", "topbottom"};

[[noreturn]] void fail(const QString& what)
{
    throw AppError(QStringLiteral("Rapor tanımı okunamadı: %1").arg(what));
}

// Refuses keys a definition does not know, so that a misspelt property is never ignored.
void checkKeys(const QJsonObject& object, const QSet<QString>& known, const QString& where)
{
    for (auto it = object.begin(); it != object.end(); ++it)
        if (!known.contains(it.key()))
            fail(QStringLiteral("%1 içinde bilinmeyen alan \"%2\"").arg(where, it.key()));
}

int indexIn(const QStringList& list, const QString& value, const QString& what)
{
    const int at = int(list.indexOf(value));
    if (at < 0) fail(QStringLiteral("bilinmeyen %1 \"%2\"").arg(what, value));
    return at;
}

QJsonArray rectToJson(const QRectF& r)
{
    return {r.x(), r.y(), r.width(), r.height()};
}
// The largest length a definition may give, in millimetres: far beyond any paper, small
// enough that nothing laid out from it allocates without bound.
constexpr double kLongestMm = 5000;

// A number within [low, high]; a missing value gives `fallback`, anything else fails.
double numberIn(const QJsonValue& v, double fallback, double low, double high, const QString& what)
{
    if (v.isUndefined()) return fallback;
    if (!v.isDouble()) fail(QStringLiteral("%1 sayı olmalı").arg(what));
    const double n = v.toDouble();
    if (!(n >= low && n <= high))
        fail(QStringLiteral("%1 %2 ile %3 arasında olmalı").arg(what).arg(low).arg(high));
    return n;
}

QColor colorFrom(const QJsonValue& v, const QString& fallback, const QString& what)
{
    const QColor color(v.toString(fallback));
    if (!color.isValid()) fail(QStringLiteral("%1 geçerli bir renk değil").arg(what));
    return color;
}

QRectF rectFromJson(const QJsonValue& v)
{
    const QJsonArray a = v.toArray();
    if (a.size() != 4) fail(QStringLiteral("konum dört sayı olmalı"));
    const QString what = QStringLiteral("konum");
    return QRectF(numberIn(a[0], 0, -kLongestMm, kLongestMm, what),
                  numberIn(a[1], 0, -kLongestMm, kLongestMm, what),
                  numberIn(a[2], 0, 0, kLongestMm, what), numberIn(a[3], 0, 0, kLongestMm, what));
}

QJsonObject fontToJson(const QFont& f)
{
    return {{"family", f.family()},
            {"size", f.pointSizeF()},
            {"bold", f.bold()},
            {"italic", f.italic()},
            {"underline", f.underline()}};
}
QFont fontFromJson(const QJsonObject& o)
{
    checkKeys(o, {"family", "size", "bold", "italic", "underline"}, QStringLiteral("yazı tipi"));
    QFont f(o.value("family").toString(QStringLiteral("DejaVu Sans")));
    f.setPointSizeF(numberIn(o.value("size"), 9, 1, 400, QStringLiteral("yazı boyu")));
    f.setBold(o.value("bold").toBool());
    f.setItalic(o.value("italic").toBool());
    f.setUnderline(o.value("underline").toBool());
    return f;
}

bool hasFrame(const Frame& f)
{
    return f.left || f.right || f.top || f.bottom;
}

QJsonObject frameToJson(const Frame& f)
{
    return {{"left", f.left},     {"right", f.right}, {"top", f.top},
            {"bottom", f.bottom}, {"width", f.width}, {"color", f.color.name()}};
}

Frame frameFromJson(const QJsonObject& f)
{
    checkKeys(f, {"left", "right", "top", "bottom", "width", "color"}, QStringLiteral("çerçeve"));
    return Frame{
        f.value("left").toBool(),
        f.value("right").toBool(),
        f.value("top").toBool(),
        f.value("bottom").toBool(),
        numberIn(f.value("width"), 0.2, 0, 50, QStringLiteral("çizgi kalınlığı")),
        colorFrom(f.value("color"), QStringLiteral("#000000"), QStringLiteral("çerçeve rengi"))};
}

// The kind a band class may stand for; the designer's general band stands for the standard
// ones.
bool classFitsKind(const QString& className, BandKind kind)
{
    if (className == bandClassName(kind)) return true;
    if (className == QLatin1String("TZRQRBand"))
        return kind == BandKind::Title || kind == BandKind::PageHeader ||
               kind == BandKind::ColumnHeader || kind == BandKind::Detail ||
               kind == BandKind::Summary || kind == BandKind::PageFooter ||
               kind == BandKind::GroupFooter;
    return className == designerBandClass(kind);
}

QJsonObject elementToJson(const ElementDef& e)
{
    QJsonObject o{{"name", e.name},
                  {"class", e.className.isEmpty() ? elementClassName(e.kind) : e.className},
                  {"rect", rectToJson(e.rect)},
                  {"font", fontToJson(e.font)},
                  {"color", e.color.name()},
                  {"background", e.background.name()},
                  {"alignment", e.alignment},
                  {"transparent", e.transparent},
                  {"wordWrap", e.wordWrap},
                  {"autoSize", e.autoSize},
                  {"autoStretch", e.autoStretch},
                  {"enabled", e.enabled},
                  {"angle", e.angle}};
    if (e.alignToBand) o.insert("alignToBand", true);
    if (e.pictureCenter) o.insert("pictureCenter", true);
    if (!e.pictureStretch) o.insert("pictureStretch", false);
    if (!e.text.isEmpty()) o.insert("text", e.text);
    if (!e.field.isEmpty()) o.insert("field", e.field);
    if (!e.expression.isEmpty()) o.insert("expression", e.expression);
    if (!e.mask.isEmpty()) o.insert("mask", e.mask);
    if (e.resetAfterPrint) o.insert("resetAfterPrint", true);
    if (e.kind == ElementKind::SysData) o.insert("sysData", kSysData[int(e.sysData)]);
    if (e.kind == ElementKind::Shape) o.insert("shape", kShapes[int(e.shape)]);
    if (!e.picture.isEmpty()) o.insert("picture", QString::fromLatin1(e.picture.toBase64()));
    if (e.kind == ElementKind::Barcode)
        o.insert("barcode", QJsonObject{{"type", e.barcodeType},
                                        {"module", e.barcodeModule},
                                        {"height", e.barcodeHeight},
                                        {"ratio", e.barcodeRatio},
                                        {"checksum", e.barcodeChecksum}});
    if (hasFrame(e.frame)) o.insert("frame", frameToJson(e.frame));
    return o;
}

ElementDef elementFromJson(const QJsonObject& o)
{
    checkKeys(o, {"name",          "class",         "rect",
                  "font",          "color",         "background",
                  "alignment",     "transparent",   "wordWrap",
                  "autoSize",      "autoStretch",   "enabled",
                  "angle",         "text",          "field",
                  "expression",    "mask",          "resetAfterPrint",
                  "sysData",       "shape",         "picture",
                  "frame",         "barcode",       "alignToBand",
                  "pictureCenter", "pictureStretch"},
              QStringLiteral("öğe"));
    ElementDef e;
    e.name = o.value("name").toString();
    e.className = o.value("class").toString();
    const std::optional<ElementKind> kind = elementKindOfClass(e.className);
    if (!kind) fail(QStringLiteral("bilinmeyen öğe sınıfı \"%1\"").arg(e.className));
    e.kind = *kind;
    e.rect = rectFromJson(o.value("rect"));
    if (o.contains("font")) e.font = fontFromJson(o.value("font").toObject());
    e.color = colorFrom(o.value("color"), QStringLiteral("#000000"), QStringLiteral("renk"));
    e.background =
        colorFrom(o.value("background"), QStringLiteral("#ffffff"), QStringLiteral("zemin rengi"));
    e.alignment = o.value("alignment").toInt();
    e.transparent = o.value("transparent").toBool(true);
    e.wordWrap = o.value("wordWrap").toBool();
    e.autoSize = o.value("autoSize").toBool();
    e.autoStretch = o.value("autoStretch").toBool();
    e.enabled = o.value("enabled").toBool(true);
    e.angle = numberIn(o.value("angle"), 0, -360, 360, QStringLiteral("açı"));
    e.alignToBand = o.value("alignToBand").toBool();
    e.pictureCenter = o.value("pictureCenter").toBool();
    e.pictureStretch = o.value("pictureStretch").toBool(true);
    e.text = o.value("text").toString();
    e.field = o.value("field").toString();
    e.expression = o.value("expression").toString();
    e.mask = o.value("mask").toString();
    e.resetAfterPrint = o.value("resetAfterPrint").toBool();
    if (o.contains("sysData"))
        e.sysData = SysDataKind(
            indexIn(kSysData, o.value("sysData").toString(), QStringLiteral("sistem bilgisi")));
    if (o.contains("shape"))
        e.shape = ShapeKind(indexIn(kShapes, o.value("shape").toString(), QStringLiteral("şekil")));
    if (o.contains("picture"))
        e.picture = QByteArray::fromBase64(o.value("picture").toString().toLatin1());
    if (o.contains("barcode")) {
        const QJsonObject b = o.value("barcode").toObject();
        checkKeys(b, {"type", "module", "height", "ratio", "checksum"}, QStringLiteral("barkod"));
        e.barcodeType = b.value("type").toInt(14);
        if (e.barcodeType < 0 || e.barcodeType > 22)
            fail(QStringLiteral("bilinmeyen barkod türü %1").arg(e.barcodeType));
        e.barcodeModule = int(numberIn(b.value("module"), 1, 1, 50, QStringLiteral("modül")));
        e.barcodeHeight =
            int(numberIn(b.value("height"), 50, 1, 5000, QStringLiteral("yükseklik")));
        e.barcodeRatio = numberIn(b.value("ratio"), 2.0, 1, 10, QStringLiteral("oran"));
        e.barcodeChecksum = b.value("checksum").toBool();
    }
    if (o.contains("frame")) e.frame = frameFromJson(o.value("frame").toObject());
    return e;
}

} // namespace

QString elementClassName(ElementKind kind)
{
    return kElementClasses[int(kind)];
}
QString bandClassName(BandKind kind)
{
    return kBandClasses[int(kind)];
}

std::optional<ElementKind> elementKindOfClass(const QString& className)
{
    if (const auto variant = kVariantClasses.constFind(className);
        variant != kVariantClasses.cend())
        return *variant;
    const qsizetype at = kElementClasses.indexOf(className);
    return at < 0 ? std::nullopt : std::optional<ElementKind>(ElementKind(at));
}

QString designerBandClass(BandKind kind)
{
    switch (kind) {
    case BandKind::SubDetail:
        return QStringLiteral("TZRQRSubDetail");
    case BandKind::Strings:
        return QStringLiteral("TZRQRStringsBand");
    case BandKind::Child:
        return QStringLiteral("TZRQRChildBand");
    case BandKind::GroupHeader:
        return QStringLiteral("TZRQRGroup");
    default:
        return QStringLiteral("TZRQRBand");
    }
}

QSizeF PageSettings::size() const
{
    QSizeF s = paper == Paper::A4       ? QSizeF(210, 297)
               : paper == Paper::Letter ? QSizeF(215.9, 279.4)
                                        : QSizeF(widthMm, heightMm);
    return landscape ? s.transposed() : s;
}

const BandDef* ReportDef::band(BandKind kind) const
{
    for (const BandDef& b : bands)
        if (b.kind == kind && b.enabled) return &b;
    return nullptr;
}

QByteArray ReportDef::toJson() const
{
    QJsonArray bandArray;
    for (const BandDef& b : bands) {
        QJsonArray elements;
        for (const ElementDef& e : b.elements)
            elements.append(elementToJson(e));
        QJsonObject o{{"name", b.name},
                      {"class", b.className.isEmpty() ? bandClassName(b.kind) : b.className},
                      {"kind", kBandKinds[int(b.kind)]},
                      {"height", b.height},
                      {"enabled", b.enabled},
                      {"elements", elements}};
        if (!b.groupExpression.isEmpty()) o.insert("groupExpression", b.groupExpression);
        if (!b.parent.isEmpty()) o.insert("parent", b.parent);
        if (!b.beforePrint.isEmpty()) o.insert("beforePrint", b.beforePrint);
        bandArray.append(o);
    }
    QJsonObject pageObject{{"paper", kPapers[int(page.paper)]},
                           {"width", page.widthMm},
                           {"height", page.heightMm},
                           {"landscape", page.landscape},
                           {"left", page.left},
                           {"right", page.right},
                           {"top", page.top},
                           {"bottom", page.bottom},
                           {"columns", page.columns},
                           {"columnSpacing", page.columnSpacing},
                           {"units", page.units},
                           {"headerOnFirstPage", page.headerOnFirstPage},
                           {"footerOnLastPage", page.footerOnLastPage}};
    if (hasFrame(page.frame)) pageObject.insert("frame", frameToJson(page.frame));
    return QJsonDocument(QJsonObject{{"format", "dulvet-rapor"},
                                     {"version", kVersion},
                                     {"name", name},
                                     {"class", className},
                                     {"font", fontToJson(font)},
                                     {"page", pageObject},
                                     {"bands", bandArray}})
        .toJson(QJsonDocument::Indented);
}

ReportDef ReportDef::fromJson(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) fail(error.errorString());
    const QJsonObject root = document.object();
    checkKeys(root, {"format", "version", "name", "class", "page", "bands", "font"},
              QStringLiteral("rapor"));
    if (root.value("format").toString() != QLatin1String("dulvet-rapor"))
        fail(QStringLiteral("bir rapor tanımı değil"));
    const int version = root.value("version").toInt();
    if (version < 1 || version > kVersion)
        fail(QStringLiteral("bilinmeyen sürüm %1")
                 .arg(root.value("version").toVariant().toString()));
    ReportDef def;
    def.name = root.value("name").toString();
    def.className = root.value("class").toString();
    if (root.contains("font")) def.font = fontFromJson(root.value("font").toObject());
    const QJsonObject p = root.value("page").toObject();
    checkKeys(p,
              {"paper", "width", "height", "landscape", "left", "right", "top", "bottom", "columns",
               "columnSpacing", "units", "frame", "headerOnFirstPage", "footerOnLastPage"},
              QStringLiteral("sayfa"));
    def.page.paper = PageSettings::Paper(
        indexIn(kPapers, p.value("paper").toString(QStringLiteral("A4")), QStringLiteral("kağıt")));
    const QString length = QStringLiteral("sayfa ölçüsü");
    def.page.widthMm =
        numberIn(p.value("width"), 210, PageSettings::kShortestMm, kLongestMm, length);
    def.page.heightMm =
        numberIn(p.value("height"), 297, PageSettings::kShortestMm, kLongestMm, length);
    def.page.landscape = p.value("landscape").toBool();
    def.page.left = numberIn(p.value("left"), 10, 0, kLongestMm, length);
    def.page.right = numberIn(p.value("right"), 10, 0, kLongestMm, length);
    def.page.top = numberIn(p.value("top"), 10, 0, kLongestMm, length);
    def.page.bottom = numberIn(p.value("bottom"), 10, 0, kLongestMm, length);
    def.page.columns = int(numberIn(p.value("columns"), 1, 1, 20, QStringLiteral("sütun sayısı")));
    def.page.columnSpacing = numberIn(p.value("columnSpacing"), 0, 0, kLongestMm, length);
    def.page.units = p.value("units").toString(QStringLiteral("mm"));
    if (!QStringList{"mm", "inch", "pixel"}.contains(def.page.units))
        fail(QStringLiteral("bilinmeyen ölçü birimi \"%1\"").arg(def.page.units));
    if (p.contains("frame")) def.page.frame = frameFromJson(p.value("frame").toObject());
    def.page.headerOnFirstPage = p.value("headerOnFirstPage").toBool(true);
    def.page.footerOnLastPage = p.value("footerOnLastPage").toBool(true);
    if (def.page.size().width() <= def.page.left + def.page.right ||
        def.page.size().height() <= def.page.top + def.page.bottom)
        fail(QStringLiteral("kenar boşlukları sayfadan büyük"));
    for (const QJsonValue& value : root.value("bands").toArray()) {
        const QJsonObject o = value.toObject();
        checkKeys(o,
                  {"name", "class", "kind", "height", "enabled", "elements", "groupExpression",
                   "parent", "beforePrint"},
                  QStringLiteral("bant"));
        BandDef b;
        b.name = o.value("name").toString();
        b.className = o.value("class").toString();
        // Written since version 2; before, the class gave the kind.
        b.kind = o.contains("kind")
                     ? BandKind(indexIn(kBandKinds, o.value("kind").toString(),
                                        QStringLiteral("bant türü")))
                     : BandKind(indexIn(kBandClasses, b.className, QStringLiteral("bant sınıfı")));
        if (!classFitsKind(b.className, b.kind))
            fail(QStringLiteral("bilinmeyen bant sınıfı \"%1\"").arg(b.className));
        b.beforePrint = o.value("beforePrint").toString();
        b.height = numberIn(o.value("height"), 6, 0, kLongestMm, QStringLiteral("bant yüksekliği"));
        b.enabled = o.value("enabled").toBool(true);
        b.groupExpression = o.value("groupExpression").toString();
        b.parent = o.value("parent").toString();
        for (const QJsonValue& e : o.value("elements").toArray())
            b.elements.push_back(elementFromJson(e.toObject()));
        def.bands.push_back(std::move(b));
    }
    return def;
}
