#include "printing/ReportRenderer.h"

#include "printing/ReportDesign.h"
#include "printing/ReportExpression.h"
#include "store/AppError.h"
#include "store/MoneyFormat.h"
#include "store/Table.h"
#include "store/TextRules.h"
#include "widgets/AmountInWords.h"
#include "widgets/Barkod.h"
#include "widgets/DisplayText.h"

#include <QBuffer>
#include <QDate>
#include <QFontMetricsF>
#include <QImage>
#include <QTextDocumentFragment>
#include <cmath>
#include <limits>

namespace {

constexpr double kMeasureDpi = 300;
constexpr double kMmPerInch = 25.4;

// A device for measuring text without a display.
const QImage& measureDevice()
{
    static const QImage image = [] {
        QImage i(1, 1, QImage::Format_RGB32);
        i.setDotsPerMeterX(int(std::lround(kMeasureDpi / 0.0254)));
        i.setDotsPerMeterY(int(std::lround(kMeasureDpi / 0.0254)));
        return i;
    }();
    return image;
}

// Formatted text prints as its text.
QString plainOf(const QString& text)
{
    return Qt::mightBeRichText(text) ? QTextDocumentFragment::fromHtml(text).toPlainText() : text;
}

double textHeightMm(const QFont& font, const QString& text, double widthMm, bool wrap)
{
    QImage& device = const_cast<QImage&>(measureDevice());
    const QFontMetricsF metrics(font, &device);
    const double perMm = kMeasureDpi / kMmPerInch;
    const QRectF box =
        metrics.boundingRect(QRectF(0, 0, widthMm * perMm, 1e6),
                             Qt::AlignLeft | Qt::AlignTop | (wrap ? Qt::TextWordWrap : 0), text);
    return box.height() / perMm;
}

QString formatValue(const QVariant& v, const QString& mask)
{
    if (v.isNull()) return QString();
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Int:
    case QMetaType::LongLong:
        return mask.isEmpty() ? formatNumber(v.toDouble(), QStringLiteral("0.##########"))
                              : formatNumber(v.toDouble(), mask);
    case QMetaType::QDate:
        return DateText(v.toDate());
    default:
        return v.toString();
    }
}

} // namespace

struct ReportRenderer::Impl {
    const ReportDef def; // a copy: callers may pass a temporary
    Table* master;
    const QDateTime started = QDateTime::currentDateTime();
    bool designing = false;         // the designer's view: no stretching, no events, no child bands
    int copies = 0, copiesMade = 0; // detail bands of a report without a master table
    bool nothingWhenEmpty = false;
    Table* sub = nullptr;
    std::function<bool()> prepareSub; // false: no rows for this record
    std::vector<Table*> others;

    // Compiled expressions, by band and element position.
    std::vector<std::vector<ReportExpression>> expressions;
    // Each element's style in the page set being made, found once: an element always draws
    // with the same font, colours and flags. -1 until its first operation.
    std::vector<std::vector<qint64>> styles;
    std::vector<QString> textsBuffer;
    std::vector<double> heightsBuffer;
    DrawOp scratch;
    std::vector<ReportExpression> groupKeys;
    PageSet set;
    Page* current = nullptr; // the page being made
    double y = 0;
    double bottomLimit = 0;
    int column = 0;       // the column the flowing bands are in
    double columnTop = 0; // where columns start on this page, below the headers
    int pageNumber = 0;
    bool cancelled = false;
    ReportRenderer* owner = nullptr;

    Impl(const ReportDef& d, Table* m)
        : def(d)
        , master(m)
    {
        for (const BandDef& band : def.bands) {
            std::vector<ReportExpression> list;
            for (const ElementDef& e : band.elements)
                list.push_back(e.kind == ElementKind::Expr || e.kind == ElementKind::AmountInWords
                                   ? ReportExpression::parse(e.expression)
                                   : ReportExpression());
            expressions.push_back(std::move(list));
            std::vector<std::vector<MemoPart>> memos(band.elements.size());
            for (size_t i = 0; i < band.elements.size(); ++i)
                if (band.elements[i].kind == ElementKind::ExprMemo)
                    memos[i] = memoParts(band.elements[i].text);
            memoExpressions.push_back(std::move(memos));
            groupKeys.push_back(band.kind == BandKind::GroupHeader
                                    ? ReportExpression::parse(band.groupExpression)
                                    : ReportExpression());
        }
    }

    // An expression memo's text: fixed pieces and the expressions written in braces.
    struct MemoPart {
        QString text;
        ReportExpression expression; // empty for a fixed piece
    };
    std::vector<std::vector<std::vector<MemoPart>>> memoExpressions;

    static std::vector<MemoPart> memoParts(const QString& text)
    {
        std::vector<MemoPart> parts;
        qsizetype from = 0;
        while (from < text.size()) {
            const qsizetype open = text.indexOf(QLatin1Char('{'), from);
            const qsizetype close = open < 0 ? -1 : text.indexOf(QLatin1Char('}'), open);
            if (close < 0) {
                parts.push_back({text.mid(from), {}});
                break;
            }
            if (open > from) parts.push_back({text.mid(from, open - from), {}});
            parts.push_back(
                {QString(), ReportExpression::parse(text.mid(open + 1, close - open - 1))});
            from = close + 1;
        }
        return parts;
    }

    // Where each field name of the report is: its table and position, found once.
    mutable QHash<QString, std::pair<Table*, int>> fields;

    QVariant field(const QString& name) const
    {
        if (const auto it = fields.constFind(name); it != fields.cend())
            return it->first->isOpen() ? it->first->value(it->second) : QVariant();
        QString table, fieldName = name;
        if (name.contains(QLatin1Char('.'))) {
            table = name.section(QLatin1Char('.'), 0, 0);
            fieldName = name.section(QLatin1Char('.'), 1);
        }
        Table* source = master;
        if (sub && !table.isEmpty() && table.compare(sub->name(), Qt::CaseInsensitive) == 0)
            source = sub;
        for (Table* other : others)
            if (!table.isEmpty() && table.compare(other->name(), Qt::CaseInsensitive) == 0)
                source = other;
        if (!source || !source->isOpen()) return QVariant();
        const int at = source->fieldIndex(fieldName);
        if (at < 0) throw AppError(QStringLiteral("Raporda bilinmeyen alan: %1").arg(name));
        fields.insert(name, {source, at});
        return source->value(at);
    }

    ReportExpression::Resolver resolver() const
    {
        return [this](const QString& name) { return field(name); };
    }

    QString elementText(size_t band, size_t index, const BandPrint& print) const
    {
        const ElementDef& e = def.bands[band].elements[index];
        if (const QString* text = print.texts.find(e.name)) return *text;
        switch (e.kind) {
        case ElementKind::ExprMemo: {
            QString text;
            for (const MemoPart& part : memoExpressions[band][index])
                text += part.expression.isEmpty()
                            ? part.text
                            : formatValue(part.expression.evaluate(resolver()), e.mask);
            return text;
        }
        case ElementKind::RichText:
            return plainOf(e.text);
        case ElementKind::DBRichText:
            return plainOf(field(e.field).toString());
        case ElementKind::Chart:
            return QString();
        case ElementKind::Label:
        case ElementKind::AngledLabel:
        case ElementKind::Memo:
            // Vertical labels store a carriage return after each line feed; it is no glyph.
            return e.text.contains(QLatin1Char('\r')) ? DrawnLines(e.text) : e.text;
        case ElementKind::AmountInWords:
            // The element writes its number in words: from its field or expression when it
            // has one, else from its caption.
            if (!e.field.isEmpty()) return YaziFloat(field(e.field).toDouble());
            if (!e.expression.isEmpty())
                return YaziFloat(expressions[band][index].evaluate(resolver()).toDouble());
            return CevirCaption(e.text);
        case ElementKind::Barcode:
            return e.field.isEmpty() ? e.text : field(e.field).toString();
        case ElementKind::DBText:
            return formatValue(field(e.field), e.mask);
        case ElementKind::Expr:
            return formatValue(expressions[band][index].evaluate(resolver()), e.mask);
        case ElementKind::SysData: {
            const QDateTime& now = started; // every page shows the moment the report began
            switch (e.sysData) {
            case SysDataKind::Date:
                return e.text + DateText(now.date());
            case SysDataKind::Time:
                return e.text + now.time().toString(QStringLiteral("HH:mm"));
            case SysDataKind::DateTime:
                return e.text + now.toString(QStringLiteral("dd.MM.yyyy HH:mm"));
            case SysDataKind::PageNumber:
                return e.text + QString::number(pageNumber);
            }
            break;
        }
        default:
            break;
        }
        return QString();
    }

    const BandDef* find(BandKind kind) const { return def.band(kind); }
    size_t indexOf(const BandDef* band) const { return size_t(band - def.bands.data()); }

    // Prints one band (and its child bands) at the current position; returns false when the
    // band did not fit and nothing was placed.
    // Places a band once; before-print runs here for bands that never move to another page.
    bool place(const BandDef& band, bool mayBreak, bool last = false)
    {
        BandPrint event{band, {}, {}, {}, true, pageNumber, last};
        if (owner->beforePrint) owner->beforePrint(event);
        return placePrepared(band, event, mayBreak);
    }

    // Places a band whose before-print has run; false when it did not fit and nothing was placed.
    bool placePrepared(const BandDef& band, const BandPrint& event, bool mayBreak)
    {
        const size_t bi = indexOf(&band);
        if (!event.print) return true;
        // Texts and the band's height, stretched by elements that grow with their text. The
        // buffers serve every band in turn (child bands are placed after they are used).
        std::vector<QString>& texts = textsBuffer;
        std::vector<double>& heights = heightsBuffer;
        texts.assign(band.elements.size(), QString());
        heights.assign(band.elements.size(), 0.0);
        double height = band.height;
        for (size_t i = 0; i < band.elements.size(); ++i) {
            const ElementDef& e = band.elements[i];
            const bool on = event.enabled.value(e.name, e.enabled);
            if (!on) continue;
            texts[i] = elementText(bi, i, event);
            heights[i] = e.rect.height();
            if (e.autoStretch && !designing && !texts[i].isEmpty()) {
                heights[i] = std::max(heights[i],
                                      textHeightMm(e.font, texts[i], e.rect.width(), e.wordWrap));
                height = std::max(height, e.rect.y() + heights[i]);
            }
        }
        if (mayBreak && y + height > bottomLimit + 1e-9) {
            if (pageNumber > 0 && y > contentTop()) return false;
        }
        Page& page = *current;
        const double left =
            def.page.left + (flows(band) ? column * (columnWidth() + def.page.columnSpacing) : 0);
        // One operation filled again for each element: a new one would make a new font each
        // time, which millions of elements notice.
        DrawOp& op = scratch;
        for (size_t i = 0; i < band.elements.size(); ++i) {
            const ElementDef& e = band.elements[i];
            if (!event.enabled.value(e.name, e.enabled)) continue;
            double x = e.rect.x();
            if (e.alignToBand) {
                const double across = flows(band) ? columnWidth() : printableWidth();
                x = e.alignment & Qt::AlignRight     ? across - e.rect.width()
                    : e.alignment & Qt::AlignHCenter ? (across - e.rect.width()) / 2
                                                     : 0;
            }
            const QRectF r(left + x, y + e.rect.y(), e.rect.width(), heights[i]);
            op.type = DrawOp::Type::Text;
            op.rect = r;
            op.text.clear();
            op.font = e.font;
            op.color = e.color;
            op.fill = QColor();
            op.alignment = 0;
            op.wordWrap = false;
            op.angle = 0;
            op.penWidth = DrawOp::kDefaultPenWidth;
            op.picture = -1;
            op.band = band.name;
            const auto addOp = [&] {
                qint64& style = styles[bi][i];
                if (style < 0) style = page.styleOf(op);
                page.add(op, quint32(style));
            };
            switch (e.kind) {
            case ElementKind::Shape:
                op.penWidth = e.frame.width;
                if (!e.transparent) op.fill = e.background;
                switch (e.shape) {
                case ShapeKind::Rectangle:
                    op.type = DrawOp::Type::Rect;
                    break;
                case ShapeKind::Circle:
                    op.type = DrawOp::Type::Ellipse;
                    break;
                case ShapeKind::HorizontalLine:
                    op.type = DrawOp::Type::Line;
                    op.rect = QRectF(r.left(), r.center().y(), r.width(), 0);
                    break;
                case ShapeKind::VerticalLine:
                    op.type = DrawOp::Type::Line;
                    op.rect = QRectF(r.center().x(), r.top(), 0, r.height());
                    break;
                case ShapeKind::LeftRightLines:
                case ShapeKind::TopBottomLines: {
                    const bool sides = e.shape == ShapeKind::LeftRightLines;
                    op.type = DrawOp::Type::Line;
                    op.rect = sides ? QRectF(r.left(), r.top(), 0, r.height())
                                    : QRectF(r.left(), r.top(), r.width(), 0);
                    addOp();
                    op.rect = sides ? QRectF(r.right(), r.top(), 0, r.height())
                                    : QRectF(r.left(), r.bottom(), r.width(), 0);
                    break;
                }
                }
                addOp();
                continue;
            case ElementKind::Chart:
                // No chart data reaches a report: its frame shows where it stands.
                op.type = DrawOp::Type::Rect;
                op.penWidth = e.frame.width;
                addOp();
                continue;
            case ElementKind::Image:
            case ElementKind::DBImage: {
                QImage image;
                if (const QImage* given = event.pictures.find(e.name)) {
                    image = *given;
                } else {
                    const QByteArray bytes =
                        e.kind == ElementKind::Image ? e.picture : field(e.field).toByteArray();
                    if (!bytes.isEmpty()) image.loadFromData(bytes);
                }
                if (!image.isNull()) {
                    op.type = DrawOp::Type::Picture;
                    if (!e.pictureStretch) {
                        // Its own size at the report's 96 pixels to the inch, cut to the box.
                        QSizeF size(image.width() * kMmPerInch / 96,
                                    image.height() * kMmPerInch / 96);
                        size = size.boundedTo(r.size());
                        op.rect = QRectF(e.pictureCenter ? r.center() - QPointF(size.width() / 2,
                                                                                size.height() / 2)
                                                         : r.topLeft(),
                                         size);
                    }
                    op.picture = set.addPicture(image);
                    addOp();
                }
                break;
            }
            case ElementKind::Barcode: {
                // Drawn at 100 pixels per inch; the page scales it without smoothing.
                TZemrakBarkod code;
                code.tip = TZemrakBarkod::Tip(e.barcodeType);
                code.Metin = texts[i];
                code.setModul(e.barcodeModule);
                code.Oran = e.barcodeRatio;
                code.Yukseklik = e.barcodeHeight;
                code.IslemKontrolu = e.barcodeChecksum;
                code.RenkBar = e.color;
                if (texts[i].isEmpty()) break;
                QImage symbol;
                try {
                    symbol = code.image();
                } catch (const AppError& error) {
                    if (code.tip != TZemrakBarkod::bcCode39) throw;
                    // A code Code 39 cannot carry: no symbol for it, the report goes on and
                    // the preview lists the code once.
                    const QString warning =
                        QStringLiteral("%1 (%2)").arg(texts[i], error.message());
                    if (!set.warnings.contains(warning)) set.warnings << warning;
                    break;
                }
                op.type = DrawOp::Type::Picture;
                op.rect =
                    QRectF(r.topLeft(), QSizeF(symbol.width() * 0.254, symbol.height() * 0.254));
                op.angle = e.angle;
                op.picture = set.addPicture(symbol);
                addOp();
                break;
            }
            default:
                op.type = DrawOp::Type::Text;
                op.text = texts[i];
                op.font = e.font;
                op.alignment = e.alignment;
                op.wordWrap = e.wordWrap;
                op.angle = e.angle;
                if (!e.transparent) op.fill = e.background;
                if (!op.text.isEmpty() || op.fill.isValid()) addOp();
                break;
            }
            frame(page, e, r, band.name);
        }
        y += height;
        if (designing) return true;
        if (owner->afterPrint) owner->afterPrint(band);
        for (size_t i = 0; i < band.elements.size(); ++i)
            if (band.elements[i].resetAfterPrint) expressions[bi][i].resetSums();
        for (const BandDef& child : def.bands)
            if (child.kind == BandKind::Child && child.enabled && child.parent == band.name)
                print(child);
        return true;
    }

    void frame(Page& page, const ElementDef& e, const QRectF& r, const QString& band)
    {
        const Frame& f = e.frame;
        const auto line = [&](QPointF a, QPointF b) {
            DrawOp op;
            op.type = DrawOp::Type::Line;
            op.rect = QRectF(a, b);
            op.color = f.color;
            op.penWidth = f.width;
            op.band = band;
            page.add(op);
        };
        if (f.left) line(r.topLeft(), r.bottomLeft());
        if (f.right) line(r.topRight(), r.bottomRight());
        if (f.top) line(r.topLeft(), r.topRight());
        if (f.bottom) line(r.bottomLeft(), r.bottomRight());
    }

    double contentTop() const { return def.page.top; }

    double printableWidth() const
    {
        return def.page.size().width() - def.page.left - def.page.right;
    }

    double columnWidth() const
    {
        const int columns = std::max(1, def.page.columns);
        return (printableWidth() - def.page.columnSpacing * (columns - 1)) / columns;
    }

    // Bands that run down the columns; titles, page headers and footers span the page.
    static bool flows(const BandDef& band)
    {
        switch (band.kind) {
        case BandKind::Detail:
        case BandKind::SubDetail:
        case BandKind::GroupHeader:
        case BandKind::GroupFooter:
        case BandKind::Child:
            return true;
        default:
            return false;
        }
    }

    double footerHeight() const
    {
        const BandDef* footer = find(BandKind::PageFooter);
        return footer ? footer->height : 0;
    }

    void startPage()
    {
        ++pageNumber;
        current = &set.addPage(def.page.size());
        if (const Frame& f = def.page.frame; f.left || f.right || f.top || f.bottom) {
            ElementDef border;
            border.frame = f;
            const QSizeF size = def.page.size();
            frame(*current, border,
                  QRectF(def.page.left, def.page.top, printableWidth(),
                         size.height() - def.page.top - def.page.bottom),
                  QString());
        }
        y = contentTop();
        bottomLimit = def.page.size().height() - def.page.bottom - footerHeight();
        if (pageNumber == 1) {
            if (const BandDef* title = find(BandKind::Title)) place(*title, false);
        }
        if (pageNumber > 1 || def.page.headerOnFirstPage)
            if (const BandDef* header = find(BandKind::PageHeader)) place(*header, false);
        if (const BandDef* columns = find(BandKind::ColumnHeader)) place(*columns, false);
        column = 0;
        columnTop = y;
    }

    void finishPage(bool last)
    {
        if (!last || def.page.footerOnLastPage) {
            if (const BandDef* footer = find(BandKind::PageFooter)) {
                y = def.page.size().height() - def.page.bottom - footer->height;
                place(*footer, false, last);
            }
        }
        if (owner->progress && !owner->progress(set.pageCount())) cancelled = true;
    }

    // Places a band, starting a new page when it does not fit. A detail band's record is
    // already in the sums; it leaves them while the page it does not fit on is closed, so that
    // the page footer there shows only what that page printed.
    void print(const BandDef& band, bool counted = false)
    {
        if (cancelled) return;
        // Before-print runs once, however many places the band is tried in.
        BandPrint event{band, {}, {}, {}, true, pageNumber};
        if (owner->beforePrint) owner->beforePrint(event);
        if (!placePrepared(band, event, true)) {
            if (flows(band) && column + 1 < def.page.columns) {
                ++column; // the next column of the same page
                y = columnTop;
                placePrepared(band, event, false);
                return;
            }
            if (counted) accumulate(-1);
            finishPage(false);
            if (counted) accumulate(1);
            if (cancelled) return;
            startPage();
            placePrepared(band, event, false);
        }
    }

    void accumulate(double sign = 1)
    {
        // The expressions with sums, found once: most reports have none, and every record
        // passes here.
        if (!summingKnown) {
            for (auto& band : expressions)
                for (ReportExpression& e : band)
                    if (e.hasSums()) summing.push_back(&e);
            summingKnown = true;
        }
        if (summing.empty()) return;
        const auto fields = resolver();
        for (ReportExpression* e : summing)
            e->accumulate(fields, sign);
    }
    std::vector<ReportExpression*> summing;
    bool summingKnown = false;

    // Progress through the report, so that it can be made in steps.
    enum class Phase { Records, Finish, Done } phase = Phase::Done;
    std::vector<const BandDef*> headers, footers;
    std::vector<QVariant> groupValues;
    const BandDef* detail = nullptr;
    const BandDef* subDetail = nullptr;
    bool first = true;

    void start()
    {
        if (owner->beforeReport) owner->beforeReport();
        for (auto& band : expressions)
            for (ReportExpression& e : band)
                e.resetSums();
        headers.clear();
        footers.clear();
        for (const BandDef& b : def.bands) {
            if (!b.enabled) continue;
            if (b.kind == BandKind::GroupHeader) headers.push_back(&b);
            if (b.kind == BandKind::GroupFooter) footers.push_back(&b);
        }
        groupValues.assign(headers.size(), QVariant());
        detail = find(BandKind::Detail);
        subDetail = find(BandKind::SubDetail);
        set = PageSet();
        styles.assign(def.bands.size(), {});
        for (size_t b = 0; b < def.bands.size(); ++b)
            styles[b].assign(def.bands[b].elements.size(), -1);
        pageNumber = 0;
        cancelled = false;
        first = true;
        if (nothingWhenEmpty && master) {
            master->first();
            if (master->eof()) {
                phase = Phase::Done;
                set.finished = true;
                return;
            }
        }
        startPage();
        if (master) master->first();
        copiesMade = 0;
        phase = Phase::Records;
    }

    void record()
    {
        // Group breaks: the outermost changed group closes every inner one.
        int changed = -1;
        for (size_t g = 0; g < headers.size(); ++g) {
            const QVariant value = groupKeys[indexOf(headers[g])].evaluate(resolver());
            if (first || value != groupValues[g]) {
                changed = int(g);
                break;
            }
        }
        if (changed >= 0) {
            if (!first)
                for (int g = int(footers.size()) - 1; g >= changed; --g)
                    print(*footers[size_t(g)]);
            for (size_t g = size_t(changed); g < headers.size(); ++g) {
                groupValues[g] = groupKeys[indexOf(headers[g])].evaluate(resolver());
                print(*headers[g]);
            }
        }
        first = false;
        accumulate();
        if (detail) print(*detail, true);
        if (subDetail && sub) {
            if (!prepareSub || prepareSub())
                for (sub->first(); !sub->eof() && !cancelled; sub->next())
                    print(*subDetail);
        }
    }

    bool step(int maxPages)
    {
        const qint64 until = qint64(set.pageCount()) + std::max(1, maxPages);
        while (phase == Phase::Records && !cancelled) {
            if (master ? master->eof() : copiesMade >= copies) {
                phase = Phase::Finish;
                break;
            }
            record();
            if (master)
                master->next();
            else
                ++copiesMade;
            if (set.pageCount() >= until) return false;
        }
        if (phase == Phase::Finish && !cancelled) {
            if (!first)
                for (int g = int(footers.size()) - 1; g >= 0; --g)
                    print(*footers[size_t(g)]);
            if (const BandDef* summary = find(BandKind::Summary)) print(*summary);
            if (!cancelled) finishPage(true);
        }
        phase = Phase::Done;
        set.finished = !cancelled;
        return true;
    }
};

PageSet ReportRenderer::designView(const ReportDef& def)
{
    ReportRenderer renderer(def, nullptr);
    Impl& d = *renderer.d;
    d.designing = true;
    d.styles.assign(def.bands.size(), {});
    for (size_t b = 0; b < def.bands.size(); ++b)
        d.styles[b].assign(def.bands[b].elements.size(), -1);
    const std::vector<ReportDesign::BandPlace> places = ReportDesign::bandOrder(def);
    double total = 0;
    for (const ReportDesign::BandPlace& p : places)
        total += def.bands[size_t(p.band)].height;
    const QSizeF page = def.page.size();
    d.current = &d.set.addPage(QSizeF(page.width(), def.page.top + total + def.page.bottom));
    d.pageNumber = 1;
    for (const ReportDesign::BandPlace& p : places) {
        const BandDef& band = d.def.bands[size_t(p.band)]; // the renderer's own copy
        BandPrint event{band, {}, {}, {}, true, 1, false};
        for (const ElementDef& e : band.elements) {
            event.setEnabled(e.name, true);
            QString shown;
            switch (e.kind) {
            case ElementKind::DBText:
            case ElementKind::DBRichText:
                shown = e.field.isEmpty() ? e.name : QStringLiteral("[%1]").arg(e.field);
                break;
            case ElementKind::Expr:
                shown = e.expression.isEmpty() ? e.name : QStringLiteral("{%1}").arg(e.expression);
                break;
            case ElementKind::SysData: {
                static const char* const kinds[] = {"Tarih", "Saat", "Tarih+Saat", "Sayfa nosu"};
                shown = e.text + QStringLiteral("[%1]").arg(QLatin1String(kinds[int(e.sysData)]));
                break;
            }
            case ElementKind::ExprMemo:
            case ElementKind::AmountInWords:
                shown = e.text;
                break;
            case ElementKind::Label:
            case ElementKind::Memo:
            case ElementKind::AngledLabel:
            case ElementKind::RichText:
                // Texts the print fills in show their names.
                if (!e.text.isEmpty()) continue;
                shown = e.name;
                break;
            case ElementKind::Barcode:
                shown = !e.text.isEmpty() ? e.text : !e.field.isEmpty() ? e.field : e.name;
                break;
            default:
                continue; // the rest draw as they print
            }
            event.setText(e.name, shown);
        }
        d.y = def.page.top + p.top;
        d.column = 0;
        try {
            d.placePrepared(band, event, false);
        } catch (const AppError&) {
            // a barcode its kind cannot carry: drawn without it
        }
    }
    d.set.finished = true;
    return std::move(d.set);
}

void ReportRenderer::setNothingWhenEmpty(bool on)
{
    d->nothingWhenEmpty = on;
}

void ReportRenderer::addTable(Table* table)
{
    d->others.push_back(table);
}

void ReportRenderer::setCopies(int copies)
{
    d->copies = copies;
}

ReportRenderer::ReportRenderer(const ReportDef& def, Table* master)
    : d(std::make_unique<Impl>(def, master))
{
    d->owner = this;
}

ReportRenderer::~ReportRenderer() = default;

void ReportRenderer::setSubDetail(Table* table, std::function<void()> prepare)
{
    d->sub = table;
    d->prepareSub = prepare ? std::function<bool()>([prepare = std::move(prepare)] {
        prepare();
        return true;
    })
                            : std::function<bool()>();
}

void ReportRenderer::setSubDetailWhen(Table* table, std::function<bool()> prepare)
{
    d->sub = table;
    d->prepareSub = std::move(prepare);
}

PageSet ReportRenderer::render()
{
    start();
    while (!step(std::numeric_limits<int>::max())) {
    }
    return takePages();
}

void ReportRenderer::start()
{
    d->start();
}
bool ReportRenderer::step(int pages)
{
    return d->step(pages);
}
void ReportRenderer::cancel()
{
    d->cancelled = true;
    d->phase = Impl::Phase::Done;
    d->set.finished = false;
}
bool ReportRenderer::done() const
{
    return d->phase == Impl::Phase::Done;
}
void ReportRenderer::warn(const QString& warning)
{
    if (!d->set.warnings.contains(warning)) d->set.warnings << warning;
}

const PageSet& ReportRenderer::pages() const
{
    return d->set;
}
PageSet ReportRenderer::takePages()
{
    return std::move(d->set);
}
