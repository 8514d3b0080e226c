#include "printing/PageSet.h"

#include "printing/PdfWriter.h"

#include "store/AppError.h"
#include "store/Cp1254.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <QSaveFile>
#include <QTemporaryFile>
#include <QTextStream>
#include <array>
#include <cmath>
#include <deque>
#include <map>
#include <optional>

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kColumnMm = kMmPerInch / 10; // 10 characters per inch
constexpr double kLineMm = kMmPerInch / 6;    // 6 lines per inch
constexpr quint32 kMagic = 0x44565152;        // "DVQR"
constexpr quint16 kVersion = 1;

} // namespace

// --- Compact pages ----------------------------------------------------------------------------

// The fonts, colours and flags of operations, each kept once per page set.
struct Page::Styles {
    struct Style {
        QFont font;
        QColor color, fill;
        int alignment = 0;
        bool wordWrap = false;
        double angle = 0, penWidth = 0.2;
        QString band;
        bool sameAs(const DrawOp& op) const
        {
            return alignment == op.alignment && wordWrap == op.wordWrap && angle == op.angle &&
                   penWidth == op.penWidth && color == op.color && fill == op.fill &&
                   band == op.band && font == op.font;
        }
    };
    std::vector<Style> list;
    QHash<QString, quint32> byKey;
    std::array<quint32, 8> recent{}; // a band's elements take turns with a few styles
    size_t next = 0;

    quint32 remember(quint32 style)
    {
        recent[next++ % recent.size()] = style;
        return style;
    }

    quint32 intern(const DrawOp& op)
    {
        for (quint32 style : recent)
            if (style < list.size() && list[style].sameAs(op)) return style;
        const QString key =
            op.font.key() + QLatin1Char('|') + QString::number(op.color.rgba()) + QLatin1Char('|') +
            (op.fill.isValid() ? QString::number(op.fill.rgba()) : QString()) + QLatin1Char('|') +
            QString::number(op.alignment) + QLatin1Char(op.wordWrap ? 'w' : '-') +
            QString::number(op.angle) + QLatin1Char('|') + QString::number(op.penWidth) +
            QLatin1Char('|') + op.band;
        if (const auto it = byKey.constFind(key); it != byKey.cend() && list[*it].sameAs(op))
            return remember(*it);
        list.push_back({op.font, op.color, op.fill, op.alignment, op.wordWrap, op.angle,
                        op.penWidth, op.band});
        byKey.insert(key, quint32(list.size() - 1));
        return remember(quint32(list.size() - 1));
    }
};

quint32 Page::styleOf(const DrawOp& op)
{
    return styles_->intern(op);
}

void Page::add(const DrawOp& op)
{
    add(op, styles_->intern(op));
}

void Page::add(const DrawOp& op, quint32 style)
{
    Packed p{};
    p.x = op.rect.x();
    p.y = op.rect.y();
    p.width = op.rect.width();
    p.height = op.rect.height();
    p.text = quint32(texts_.size());
    p.textLength = quint32(op.text.size());
    p.style = style;
    p.picture = op.picture;
    p.type = quint8(op.type);
    texts_ += op.text;
    ops_.push_back(p);
}

DrawOp Page::op(int index) const
{
    DrawOp op;
    readOp(index, op);
    return op;
}

void Page::readOp(int index, DrawOp& op) const
{
    const Packed& p = ops_[size_t(index)];
    const Styles::Style& style = styles_->list[p.style];
    op.type = DrawOp::Type(p.type);
    op.rect = QRectF(p.x, p.y, p.width, p.height);
    op.text = QStringView(texts_).mid(p.text, p.textLength).toString();
    op.font = style.font;
    op.color = style.color;
    op.fill = style.fill;
    op.alignment = style.alignment;
    op.wordWrap = style.wordWrap;
    op.angle = style.angle;
    op.penWidth = style.penWidth;
    op.picture = p.picture;
    op.band = style.band;
}

namespace {
constexpr int kPagesInMemory = 48; // finished pages kept before older ones go to the file
constexpr size_t kPagesCached = 8; // pages read back and kept for the next look
} // namespace

struct PageSet::Data {
    std::shared_ptr<Page::Styles> styles = std::make_shared<Page::Styles>();
    std::vector<QSizeF> sizes;
    std::vector<std::shared_ptr<Page>> pages; // null once written to the file
    std::vector<qint64> offsets;              // where a page is in the file, -1 while in memory
    size_t firstInMemory = 0;
    std::unique_ptr<QTemporaryFile> file;
    std::deque<std::pair<int, std::shared_ptr<const Page>>> cache;
    std::vector<QImage> pictures;
};

PageSet::PageSet()
    : d(std::make_shared<Data>())
{
}

int PageSet::pageCount() const
{
    return int(d->sizes.size());
}

QSizeF PageSet::pageSize(int index) const
{
    return d->sizes[size_t(index)];
}

Page& PageSet::addPage(const QSizeF& size)
{
    spillOldPages();
    d->sizes.push_back(size);
    d->pages.push_back(std::shared_ptr<Page>(new Page(d->styles)));
    d->offsets.push_back(-1);
    d->pages.back()->size = size;
    return *d->pages.back();
}

void PageSet::spillOldPages()
{
    // The page being made (the last one) always stays.
    while (d->pages.size() - d->firstInMemory > size_t(kPagesInMemory)) {
        if (!d->file) {
            d->file = std::make_unique<QTemporaryFile>(
                QDir(QDir::tempPath()).filePath(QStringLiteral("dulvet-rapor-XXXXXX.sayfa")));
            if (!d->file->open())
                throw AppError(QStringLiteral("Rapor sayfaları için geçici dosya açılamadı."),
                               d->file->errorString());
        }
        const size_t index = d->firstInMemory++;
        const Page& page = *d->pages[index];
        QFile& file = *d->file;
        const qint64 at = file.size();
        const quint32 counts[2] = {quint32(page.ops_.size()), quint32(page.texts_.size())};
        const qint64 opBytes = qint64(page.ops_.size() * sizeof(Page::Packed));
        const qint64 textBytes = qint64(page.texts_.size() * sizeof(QChar));
        if (!file.seek(at) ||
            file.write(reinterpret_cast<const char*>(counts), sizeof counts) != sizeof counts ||
            file.write(reinterpret_cast<const char*>(page.ops_.data()), opBytes) != opBytes ||
            file.write(reinterpret_cast<const char*>(page.texts_.constData()), textBytes) !=
                textBytes)
            throw AppError(QStringLiteral("Rapor sayfaları geçici dosyaya yazılamadı."),
                           file.errorString());
        d->offsets[index] = at;
        d->pages[index].reset();
    }
}

std::shared_ptr<const Page> PageSet::page(int index) const
{
    if (const std::shared_ptr<Page>& inMemory = d->pages[size_t(index)]) return inMemory;
    for (const auto& [number, page] : d->cache)
        if (number == index) return page;
    QFile& file = *d->file;
    quint32 counts[2] = {0, 0};
    auto page = std::shared_ptr<Page>(new Page(d->styles));
    page->size = d->sizes[size_t(index)];
    bool ok = file.seek(d->offsets[size_t(index)]) &&
              file.read(reinterpret_cast<char*>(counts), sizeof counts) == sizeof counts;
    if (ok) {
        page->ops_.resize(counts[0]);
        page->texts_.resize(counts[1]);
        const qint64 opBytes = qint64(counts[0] * sizeof(Page::Packed));
        const qint64 textBytes = qint64(counts[1] * sizeof(QChar));
        ok = file.read(reinterpret_cast<char*>(page->ops_.data()), opBytes) == opBytes &&
             file.read(reinterpret_cast<char*>(page->texts_.data()), textBytes) == textBytes;
    }
    if (!ok)
        throw AppError(QStringLiteral("Rapor sayfası geçici dosyadan okunamadı."),
                       file.errorString());
    d->cache.emplace_back(index, page);
    if (d->cache.size() > kPagesCached) d->cache.pop_front();
    return page;
}

int PageSet::addPicture(const QImage& picture)
{
    d->pictures.push_back(picture);
    return int(d->pictures.size() - 1);
}

const QImage& PageSet::picture(int index) const
{
    return d->pictures[size_t(index)];
}

int PageSet::pictureCount() const
{
    return int(d->pictures.size());
}

namespace {

// A font at a device's resolution as glyphs, kept for the pages painted after: making one
// costs more than a page's texts.
const QRawFont& rawFontFor(const QFont& font, double dotsPerInch)
{
    thread_local QHash<QString, QRawFont> fonts;
    const QString key = font.key() + QLatin1Char('@') + QString::number(dotsPerInch);
    auto it = fonts.find(key);
    if (it == fonts.end()) {
        if (fonts.size() > 64) fonts.clear();
        QRawFont raw = QRawFont::fromFont(font);
        raw.setPixelSize(font.pointSizeF() * dotsPerInch / 72.0);
        it = fonts.insert(key, raw);
    }
    return *it;
}

// One line of text as glyphs straight from the font's character map, without shaping: the
// texts of reports (Latin script, Turkish letters) need none, and shaping made the largest
// part of a PDF's cost. Empty when the font lacks a character (another font would have to
// stand in for it, which only shaping does).
std::optional<QGlyphRun> lineGlyphs(const QRawFont& raw, const QFont& font, const QString& text,
                                    double& width)
{
    if (!raw.isValid()) return std::nullopt;
    const QList<quint32> glyphs = raw.glyphIndexesForString(text);
    for (const quint32 glyph : glyphs)
        if (glyph == 0) return std::nullopt;
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
    QList<QPointF> positions(glyphs.size());
    double x = 0;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        positions[i] = QPointF(x, 0);
        x += advances[i].x();
    }
    QGlyphRun run;
    run.setRawFont(raw);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    run.setUnderline(font.underline());
    run.setStrikeOut(font.strikeOut());
    width = x;
    return run;
}

} // namespace

void PageSet::paint(int index, QPainter& painter) const
{
    if (index < 0 || index >= pageCount()) return;
    const double dotsPerInch = painter.device()->logicalDpiY();
    const double perMm = painter.device()->logicalDpiX() / kMmPerInch;
    const auto px = [perMm](const QRectF& r) {
        return QRectF(r.x() * perMm, r.y() * perMm, r.width() * perMm, r.height() * perMm);
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // Pens, brushes and fonts change only when an operation needs another: each change costs
    // the PDF writer a state change in the page's content.
    std::optional<QPen> pen;
    std::optional<QBrush> brush;
    std::optional<QFont> font;
    std::optional<QFontMetricsF> metrics;
    const std::shared_ptr<const Page> page = this->page(index);
    DrawOp op; // one for all operations: its font and strings are reused
    for (int i = 0; i < page->opCount(); ++i) {
        page->readOp(i, op);
        const QRectF r = px(op.rect);
        QPen opPen(op.color);
        opPen.setWidthF(std::max(1.0, op.penWidth * perMm));
        if (!pen || *pen != opPen) painter.setPen(*(pen = opPen));
        const QBrush opBrush = op.fill.isValid() ? QBrush(op.fill) : QBrush(Qt::NoBrush);
        if (!brush || *brush != opBrush) painter.setBrush(*(brush = opBrush));
        switch (op.type) {
        case DrawOp::Type::Text: {
            if (op.fill.isValid()) painter.fillRect(r, op.fill);
            if (!font || *font != op.font) {
                painter.setFont(*(font = op.font));
                metrics.emplace(painter.font(), painter.device());
            }
            if (op.angle == 0 && !op.wordWrap && !op.text.contains(QLatin1Char('\n'))) {
                // One line: placed directly, without laying the text out in its box.
                const bool right = op.alignment & Qt::AlignRight;
                const bool centred = op.alignment & Qt::AlignHCenter;
                double width = 0;
                const std::optional<QGlyphRun> glyphs =
                    lineGlyphs(rawFontFor(op.font, dotsPerInch), op.font, op.text, width);
                if (!glyphs) width = metrics->horizontalAdvance(op.text);
                const double x = right     ? r.right() - width
                                 : centred ? r.center().x() - width / 2
                                           : r.left();
                const QPointF at(x, r.top() + metrics->ascent());
                const auto draw = [&] {
                    if (glyphs)
                        painter.drawGlyphRun(at, *glyphs);
                    else
                        painter.drawText(at, op.text);
                };
                if (width <= r.width() || right) {
                    // Amounts are right-aligned and never cut: a figure missing its first
                    // digits would be a wrong figure. Their columns are made wide enough.
                    draw();
                    break;
                }
                // A text longer than its box is cut a millimetre short of the box's edge, so
                // that it never runs into the next column.
                const double gap = perMm;
                painter.save();
                painter.setClipRect(r.adjusted(centred ? gap : 0, -r.height(), -gap, r.height()));
                draw();
                painter.restore();
                break;
            }
            const int flags = (op.alignment ? op.alignment : int(Qt::AlignLeft)) | Qt::AlignTop |
                              (op.wordWrap ? int(Qt::TextWordWrap) : 0);
            if (op.angle != 0) {
                painter.save();
                painter.translate(r.topLeft());
                painter.rotate(-op.angle);
                painter.drawText(QRectF(QPointF(0, 0), r.size()), flags, op.text);
                painter.restore();
            } else {
                painter.drawText(r, flags, op.text);
            }
            break;
        }
        case DrawOp::Type::Line:
            painter.drawLine(r.topLeft(), r.bottomRight());
            break;
        case DrawOp::Type::Rect:
            painter.drawRect(r);
            break;
        case DrawOp::Type::Ellipse:
            painter.drawEllipse(r);
            break;
        case DrawOp::Type::Picture:
            if (op.picture >= 0 && op.picture < pictureCount())
                painter.drawImage(r, picture(op.picture));
            break;
        }
    }
    painter.restore();
}

QImage PageSet::pageImage(int index, double dotsPerInch) const
{
    const QSizeF size = pageSize(index);
    QImage image(int(std::ceil(size.width() / kMmPerInch * dotsPerInch)),
                 int(std::ceil(size.height() / kMmPerInch * dotsPerInch)), QImage::Format_RGB32);
    image.setDotsPerMeterX(int(std::lround(dotsPerInch / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(dotsPerInch / 0.0254)));
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(index, painter);
    return image;
}

QString PageSet::dump() const
{
    QString out;
    QTextStream s(&out);
    const char* kinds[] = {"text", "line", "rect", "ellipse", "picture"};
    for (int p = 0; p < pageCount(); ++p) {
        s << "page " << p + 1 << "\n";
        const std::shared_ptr<const Page> page = this->page(p);
        DrawOp op; // one for all operations: its font and strings are reused
        for (int i = 0; i < page->opCount(); ++i) {
            page->readOp(i, op);
            s << "  " << op.band << " " << kinds[int(op.type)] << " "
              << QString::number(op.rect.x(), 'f', 1) << "," << QString::number(op.rect.y(), 'f', 1)
              << " " << QString::number(op.rect.width(), 'f', 1) << "x"
              << QString::number(op.rect.height(), 'f', 1);
            if (op.type == DrawOp::Type::Text)
                s << " \"" << QString(op.text).replace(QLatin1Char('\n'), QLatin1String("\\n"))
                  << "\"";
            s << "\n";
        }
    }
    return out;
}

namespace {

// A text of a page on the character grid: where its line starts (mm from the top), its column
// and where it came in the page, for ties.
struct GridText {
    double top;
    int column;
    int order;
    QStringView text;
};

// A memo's lines: LF, CR LF, CR and LF CR each end one.
template <typename F> void forEachMemoLine(QStringView text, F&& take)
{
    qsizetype from = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\n') && c != QLatin1Char('\r')) continue;
        take(text.mid(from, i - from));
        const QChar pair = c == QLatin1Char('\n') ? QLatin1Char('\r') : QLatin1Char('\n');
        if (i + 1 < text.size() && text[i + 1] == pair) ++i;
        from = i + 1;
    }
    take(text.mid(from));
}

bool isControl(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7f;
}

// Splits a line at blanks into pieces of at most `width` characters; a word longer than that is
// cut.
template <typename F> void forEachWrappedPiece(QStringView line, int width, F&& take)
{
    while (line.size() > width) {
        qsizetype cut = line.lastIndexOf(QLatin1Char(' '), width);
        if (cut <= 0) {
            take(line.left(width));
            line = line.mid(width);
        } else {
            take(line.left(cut));
            line = line.mid(cut + 1);
        }
        while (line.startsWith(QLatin1Char(' ')))
            line = line.mid(1);
    }
    take(line);
}

} // namespace

std::vector<PageSet::TextRow> PageSet::textRows(int page, int charsPerInch) const
{
    return rowsOf(page, charsPerInch, true);
}

std::vector<PageSet::TextRow> PageSet::rowsOf(int page, int charsPerInch, bool withTexts) const
{
    const double columnMm = kMmPerInch / std::max(1, charsPerInch);
    const std::shared_ptr<const Page> p = this->page(page);
    std::vector<GridText> texts;
    std::deque<QString> cleaned; // lines that had control characters in them
    int order = 0;
    const auto add = [&](double top, double left, double width, int alignment, QStringView text) {
        if (text.trimmed().isEmpty()) return;
        int column = int(std::lround(left / columnMm));
        if (alignment & Qt::AlignRight)
            column = int(std::lround((left + width) / columnMm)) - int(text.size());
        else if (alignment & Qt::AlignHCenter)
            column = int(std::lround((left + width / 2) / columnMm)) - int(text.size()) / 2;
        texts.push_back({top, std::max(0, column), order++, text});
    };
    // Straight from the compact operations: no operation is made whole for this.
    for (const Page::Packed& packed : p->ops_) {
        if (DrawOp::Type(packed.type) != DrawOp::Type::Text) continue;
        const Page::Styles::Style& style = p->styles_->list[packed.style];
        const QStringView whole = QStringView(p->texts_).mid(packed.text, packed.textLength);
        int line = 0;
        forEachMemoLine(whole, [&](QStringView text) {
            if (std::any_of(text.begin(), text.end(), isControl)) {
                QString clean;
                for (QChar c : text)
                    if (c == QLatin1Char('\t'))
                        clean += QLatin1Char(' ');
                    else if (!isControl(c))
                        clean += c;
                cleaned.push_back(clean);
                text = cleaned.back();
            }
            const auto place = [&](QStringView piece) {
                add(packed.y + line++ * kLineMm, packed.x, packed.width, style.alignment, piece);
            };
            if (style.wordWrap)
                forEachWrappedPiece(text, std::max(1, int(packed.width / columnMm)), place);
            else
                place(text);
        });
    }
    // Rows: texts whose tops lie within half a line of a row's first text. Each row goes on the
    // line of its top or, when the row above took that, on the next one.
    const auto byTop = [](const GridText& a, const GridText& b) { return a.top < b.top; };
    if (!std::is_sorted(texts.begin(), texts.end(), byTop)) // bands come down the page
        std::stable_sort(texts.begin(), texts.end(), byTop);
    std::vector<TextRow> rows;
    int lastLine = -1;
    for (size_t from = 0; from < texts.size();) {
        size_t to = from + 1;
        while (to < texts.size() && texts[to].top - texts[from].top <= kLineMm / 2 + 1e-9)
            ++to;
        std::sort(texts.begin() + qsizetype(from), texts.begin() + qsizetype(to),
                  [](const GridText& a, const GridText& b) {
                      return a.column != b.column ? a.column < b.column : a.order < b.order;
                  });
        lastLine = std::max(int(std::lround(texts[from].top / kLineMm)), lastLine + 1);
        // Left to right at their columns; one that would touch or run into the text before it
        // moves right to leave one blank, so the line may grow but nothing is overwritten.
        TextRow row{lastLine, {}, QString()};
        if (withTexts) row.texts.reserve(to - from);
        for (size_t i = from; i < to; ++i) {
            const int free = row.placed.isEmpty() ? 0 : int(row.placed.size()) + 1;
            const int column = std::max(texts[i].column, free);
            row.placed.resize(column, QLatin1Char(' '));
            row.placed += texts[i].text;
            if (withTexts)
                row.texts.push_back(
                    {texts[i].top, texts[i].column, column, texts[i].text.toString()});
        }
        rows.push_back(std::move(row));
        from = to;
    }
    return rows;
}

QStringList PageSet::textLines(int page, int charsPerInch) const
{
    QStringList lines;
    for (const TextRow& row : rowsOf(page, charsPerInch, false)) {
        while (lines.size() < row.line)
            lines << QString();
        lines << row.placed;
    }
    return lines;
}

QString PageSet::plainText(int charsPerInch) const
{
    QString out;
    for (int p = 0; p < pageCount(); ++p)
        out += textLines(p, charsPerInch).join(QLatin1Char('\n')) + QStringLiteral("\n\f");
    return out;
}

QString PageSet::delimitedText(QChar separator) const
{
    QString out;
    for (int p = 0; p < pageCount(); ++p) {
        for (const TextRow& row : textRows(p)) {
            QStringList quoted;
            for (const TextRow::Text& text : row.texts)
                quoted << QLatin1Char('"') + text.text + QLatin1Char('"');
            out += quoted.join(separator) + QLatin1Char('\n');
        }
    }
    return out;
}

void PageSet::save(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw AppError(QStringLiteral("Rapor dosyası yazılamadı: %1").arg(path),
                       file.errorString());
    QDataStream s(&file);
    s.setVersion(QDataStream::Qt_6_0);
    s << kMagic << kVersion << quint32(pageCount()) << quint32(pictureCount());
    for (int i = 0; i < pictureCount(); ++i)
        s << picture(i);
    for (int p = 0; p < pageCount(); ++p) {
        const std::shared_ptr<const Page> page = this->page(p);
        s << page->size << quint32(page->opCount());
        DrawOp op; // one for all operations: its font and strings are reused
        for (int i = 0; i < page->opCount(); ++i) {
            page->readOp(i, op);
            s << quint8(op.type) << op.rect << op.text << op.font.toString() << op.color << op.fill
              << qint32(op.alignment) << op.wordWrap << op.angle << op.penWidth
              << qint32(op.picture) << op.band;
        }
    }
    if (s.status() != QDataStream::Ok || !file.commit())
        throw AppError(QStringLiteral("Rapor dosyası yazılamadı: %1").arg(path),
                       file.errorString());
}

namespace {

// Positions and sizes a page can hold: finite and within a few metres, so that nothing laid
// out from a damaged file allocates without bound.
bool plausible(const QRectF& rect)
{
    constexpr double kLongestMm = 5000;
    for (const double v : {rect.x(), rect.y(), rect.width(), rect.height()})
        if (!(v >= -kLongestMm && v <= kLongestMm)) return false;
    return true;
}

// A colour as QDataStream writes it, its kind checked before Qt reads it: an unknown kind is
// a damaged file, and an invalid colour is allowed only where it means "none".
bool readColor(QDataStream& s, QColor& color, bool mayBeInvalid)
{
    qint8 spec = 0;
    quint16 parts[5] = {};
    s >> spec;
    for (quint16& part : parts)
        s >> part;
    if (s.status() != QDataStream::Ok || spec < qint8(QColor::Invalid) ||
        spec > qint8(QColor::ExtendedRgb) || (spec == qint8(QColor::Invalid) && !mayBeInvalid))
        return false;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(s.version());
    out << spec;
    for (const quint16 part : parts)
        out << part;
    QDataStream in(bytes);
    in.setVersion(s.version());
    in >> color;
    return in.status() == QDataStream::Ok;
}

} // namespace

PageSet PageSet::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Rapor dosyası açılamadı: %1").arg(path));
    QDataStream s(&file);
    s.setVersion(QDataStream::Qt_6_0);
    const auto broken = [&] {
        return AppError(
            QStringLiteral("Rapor dosyası bozuk ya da bu programın değil: %1").arg(path));
    };
    quint32 magic = 0, pageCount = 0, pictureCount = 0;
    quint16 version = 0;
    s >> magic >> version >> pageCount >> pictureCount;
    if (s.status() != QDataStream::Ok || magic != kMagic) throw broken();
    if (version != kVersion)
        throw AppError(QStringLiteral("Rapor dosyasının sürümü tanınmıyor: %1").arg(version));
    // Counts are checked against what the file can hold before anything is allocated.
    const qint64 size = file.size();
    if (pageCount > size || pictureCount > size) throw broken();
    PageSet set;
    for (quint32 i = 0; i < pictureCount && s.status() == QDataStream::Ok; ++i) {
        QImage picture;
        s >> picture;
        set.addPicture(picture);
    }
    for (quint32 p = 0; p < pageCount; ++p) {
        QSizeF pageSize;
        quint32 ops = 0;
        s >> pageSize >> ops;
        if (s.status() != QDataStream::Ok || ops > size ||
            !plausible(QRectF(QPointF(0, 0), pageSize)) || pageSize.isEmpty())
            throw broken();
        Page& page = set.addPage(pageSize);
        for (quint32 i = 0; i < ops; ++i) {
            DrawOp op;
            quint8 type = 0;
            QString font;
            qint32 alignment = 0, picture = -1;
            s >> type >> op.rect >> op.text >> font;
            const bool colors = readColor(s, op.color, false) && readColor(s, op.fill, true);
            s >> alignment >> op.wordWrap >> op.angle >> op.penWidth >> picture >> op.band;
            if (s.status() != QDataStream::Ok || type > quint8(DrawOp::Type::Picture) || !colors ||
                !plausible(op.rect) || !std::isfinite(op.angle) ||
                !(op.penWidth >= 0 && op.penWidth <= 50) || !op.font.fromString(font))
                throw broken();
            op.type = DrawOp::Type(type);
            op.alignment = alignment;
            op.picture = picture < set.pictureCount() ? picture : -1;
            page.add(op);
        }
    }
    if (s.status() != QDataStream::Ok) throw broken();
    set.finished = true;
    return set;
}

void PageSet::writePdf(const QString& path) const
{
    if (pageCount() == 0) throw AppError(QStringLiteral("Raporda sayfa yok."));
    // The PDF goes to a temporary file that replaces the target only when every write has
    // succeeded: a full disk leaves the old file, or none, never a truncated one.
    {
        QSaveFile direct(path);
        if (!direct.open(QIODevice::WriteOnly))
            throw AppError(QStringLiteral("PDF dosyası yazılamadı: %1").arg(path),
                           direct.errorString());
        if (writeDirectPdf(*this, direct)) {
            if (direct.error() != QFileDevice::NoError || !direct.commit())
                throw AppError(QStringLiteral("PDF dosyası yazılamadı: %1").arg(path),
                               direct.errorString());
            return;
        }
        direct.cancelWriting(); // pages only Qt's PDF engine can draw: written through it
    }
    QSaveFile file(path);
    const auto failed = [&] {
        return AppError(QStringLiteral("PDF dosyası yazılamadı: %1").arg(path), file.errorString());
    };
    if (!file.open(QIODevice::WriteOnly)) throw failed();
    {
        QPdfWriter writer(&file);
        writer.setResolution(300);
        writer.setCreator(QStringLiteral("DULVET 3"));
        writer.setPageSize(QPageSize(pageSize(0), QPageSize::Millimeter));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        if (!painter.begin(&writer)) throw failed();
        for (int p = 0; p < pageCount(); ++p) {
            if (p > 0) {
                writer.setPageSize(QPageSize(pageSize(p), QPageSize::Millimeter));
                writer.newPage();
            }
            paint(p, painter);
        }
        if (!painter.end()) throw failed();
    }
    if (file.error() != QFileDevice::NoError || !file.commit()) throw failed();
}

QStringList PageSet::writeJpegs(const QString& path, double dotsPerInch) const
{
    // The last four characters (".jpg") give way to the page number and ".jpg".
    const QString base = path.size() > 4 ? path.left(path.size() - 4) : path;
    QStringList written;
    for (int p = 0; p < pageCount(); ++p) {
        const QString name = base + QString::number(p + 1) + QStringLiteral(".jpg");
        QSaveFile file(name);
        if (!file.open(QIODevice::WriteOnly) || !pageImage(p, dotsPerInch).save(&file, "JPG", 90) ||
            !file.commit()) {
            // The pages are one export: those written already go too.
            for (const QString& done : written)
                QFile::remove(done);
            throw AppError(QStringLiteral("Resim dosyası yazılamadı: %1").arg(name),
                           file.errorString());
        }
        written << name;
    }
    return written;
}

void writeSpreadsheet(const QString& delimited, const QString& path)
{
    QStringList lines = delimited.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    if (lines.size() > 65535)
        throw AppError(QStringLiteral("Rapor %1 satır; excel dosyası en çok 65,535 satır alır.")
                           .arg(lines.size()));
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    s << quint16(0x0809) << quint16(8) << quint16(0) << quint16(0x0010) << quint16(0) << quint16(0);
    s << quint16(0x0042) << quint16(2) << quint16(1254); // CODEPAGE: Turkish letters survive
    // A record holds at most 2,080 bytes of data; the label's own fields take 8 of them.
    constexpr int kLongestLabel = 2080 - 8;
    const auto cell = [&](int row, int column, const QString& text) {
        const QByteArray bytes = Cp1254::encode(text).left(kLongestLabel);
        s << quint16(0x0204) << quint16(8 + bytes.size()) << quint16(row) << quint16(column)
          << quint16(0) << quint16(bytes.size());
        s.writeRawData(bytes.constData(), int(bytes.size()));
    };
    for (int row = 0; row < lines.size(); ++row) {
        QString line = lines[row];
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1); // a work file with CRLF lines
        line.remove(QLatin1Char('"'));
        int column = 0;
        for (int at = int(line.indexOf(QLatin1Char('^'))); at >= 0;
             at = int(line.indexOf(QLatin1Char('^')))) {
            const QString field = line.left(at).trimmed();
            if (!field.isEmpty()) cell(row, column++, field);
            line.remove(0, at + 1);
        }
        cell(row, column, line);
    }
    s << quint16(0x000A) << quint16(0);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit())
        throw AppError(QStringLiteral("Excel dosyası yazılamadı: %1").arg(path),
                       file.errorString());
}
