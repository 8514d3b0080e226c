#include "printing/PdfWriter.h"

#include "printing/PageSet.h"

#include <QBuffer>
#include <QHash>
#include <QIODevice>
#include <QRawFont>
#include <QSet>
#include <QtEndian>
#include <cmath>
#include <map>
#include <set>

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;

// Numbers as PDF wants them: at most three decimals, no exponent, no trailing zeros.
void appendNumber(QByteArray& out, double value)
{
    if (!std::isfinite(value)) value = 0;
    long long thousandths = std::llround(value * 1000);
    if (thousandths < 0) {
        out += '-';
        thousandths = -thousandths;
    }
    out += QByteArray::number(thousandths / 1000);
    if (long long rest = thousandths % 1000) {
        char digits[4] = {char('0' + rest / 100), char('0' + rest / 10 % 10), char('0' + rest % 10),
                          0};
        int length = 3;
        while (digits[length - 1] == '0')
            --length;
        out += '.';
        out.append(digits, length);
    }
}

struct Numbers {
    QByteArray& out;
    Numbers& operator<<(double value)
    {
        appendNumber(out, value);
        out += ' ';
        return *this;
    }
    Numbers& operator<<(const char* text)
    {
        out += text;
        out += ' ';
        return *this;
    }
};

// The zlib stream of a block (qCompress puts the length in front of it).
QByteArray deflate(const QByteArray& data)
{
    return qCompress(data, 1).mid(4);
}

quint16 read16(const QByteArray& b, qsizetype at)
{
    return at + 2 <= b.size() ? qFromBigEndian<quint16>(b.constData() + at) : 0;
}
quint32 read32(const QByteArray& b, qsizetype at)
{
    return at + 4 <= b.size() ? qFromBigEndian<quint32>(b.constData() + at) : 0;
}

// A font of the document: the glyphs used, their widths and characters.
struct Font {
    QByteArray name; // resource name, F0, F1, ...
    QRawFont raw;    // at a pixel size of one em in font units
    double unitsPerEm = 1000;
    int type0 = 0, cidFont = 0, descriptor = 0, file = 0, toUnicode = 0;
    std::map<quint32, char16_t> used;                // glyph → character
    QHash<QChar, std::pair<quint32, double>> glyphs; // character → glyph, advance in font units
};

// The font's TrueType file with only the glyphs used (and the parts of composite glyphs);
// the others keep their number but no outline. Empty when the font has no TrueType outlines.
QByteArray subsetFont(const QRawFont& raw, const std::map<quint32, char16_t>& used)
{
    QByteArray head = raw.fontTable("head");
    const QByteArray maxp = raw.fontTable("maxp");
    const QByteArray loca = raw.fontTable("loca");
    const QByteArray glyf = raw.fontTable("glyf");
    if (head.size() < 54 || maxp.size() < 6 || loca.isEmpty() || glyf.isEmpty()) return {};
    const int glyphCount = read16(maxp, 4);
    const bool longOffsets = read16(head, 50) == 1;
    const auto offset = [&](quint32 glyph) -> quint32 {
        return longOffsets ? read32(loca, glyph * 4) : quint32(read16(loca, glyph * 2)) * 2;
    };
    std::set<quint32> keep;
    std::vector<quint32> pending = {0};
    for (const auto& [glyph, character] : used)
        pending.push_back(glyph);
    while (!pending.empty()) {
        const quint32 glyph = pending.back();
        pending.pop_back();
        if (glyph >= quint32(glyphCount) || !keep.insert(glyph).second) continue;
        const quint32 start = offset(glyph), end = offset(glyph + 1);
        if (end <= start || end > quint32(glyf.size())) continue;
        if (qint16(read16(glyf, start)) >= 0) continue; // a simple glyph
        // A composite glyph: its parts are kept too.
        qsizetype at = start + 10;
        for (int parts = 0; parts < 64; ++parts) {
            const quint16 flags = read16(glyf, at);
            pending.push_back(read16(glyf, at + 2));
            at += 4 + ((flags & 0x0001) ? 4 : 2);
            if (flags & 0x0008)
                at += 2;
            else if (flags & 0x0040)
                at += 4;
            else if (flags & 0x0080)
                at += 8;
            if (!(flags & 0x0020) || at >= end) break;
        }
    }
    QByteArray newGlyf, newLoca;
    for (int glyph = 0; glyph <= glyphCount; ++glyph) {
        char word[4];
        qToBigEndian<quint32>(quint32(newGlyf.size()), word);
        newLoca.append(word, 4);
        if (glyph == glyphCount) break;
        const quint32 start = offset(glyph), end = offset(glyph + 1);
        if (keep.count(quint32(glyph)) && end > start && end <= quint32(glyf.size())) {
            newGlyf.append(glyf.constData() + start, end - start);
            while (newGlyf.size() % 4)
                newGlyf.append('\0');
        }
    }
    qToBigEndian<qint16>(1, head.data() + 50); // long offsets in the new loca
    qToBigEndian<quint32>(0, head.data() + 8); // checksum adjustment, not kept up
    std::map<QByteArray, QByteArray> tables = {
        {"head", head}, {"maxp", maxp}, {"loca", newLoca}, {"glyf", newGlyf}};
    // Glyphs are addressed by number (Identity), so no character map or glyph names go in.
    for (const char* tag : {"hhea", "hmtx", "cvt ", "fpgm", "prep", "OS/2"}) {
        const QByteArray table = raw.fontTable(tag);
        if (!table.isEmpty()) tables[tag] = table;
    }
    const int count = int(tables.size());
    int power = 1, log = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++log;
    }
    QByteArray file(12 + 16 * count, '\0');
    qToBigEndian<quint32>(0x00010000, file.data());
    qToBigEndian<quint16>(quint16(count), file.data() + 4);
    qToBigEndian<quint16>(quint16(power * 16), file.data() + 6);
    qToBigEndian<quint16>(quint16(log), file.data() + 8);
    qToBigEndian<quint16>(quint16(count * 16 - power * 16), file.data() + 10);
    int record = 12;
    for (auto& [tag, table] : tables) {
        while (table.size() % 4)
            table.append('\0');
        quint32 sum = 0;
        for (qsizetype i = 0; i < table.size(); i += 4)
            sum += read32(table, i);
        memcpy(file.data() + record, tag.constData(), 4);
        qToBigEndian<quint32>(sum, file.data() + record + 4);
        qToBigEndian<quint32>(quint32(file.size()), file.data() + record + 8);
        qToBigEndian<quint32>(quint32(table.size()), file.data() + record + 12);
        file += table;
        record += 16;
    }
    return file;
}

class Writer {
public:
    Writer(const PageSet& pages, QIODevice& out)
        : pages_(pages)
        , out_(out)
    {
    }
    bool run();

private:
    int reserve()
    {
        offsets_.push_back(-1);
        return int(offsets_.size()) - 1;
    }
    void write(const QByteArray& bytes)
    {
        if (out_.write(bytes) != bytes.size()) failed_ = true;
        position_ += bytes.size();
    }
    void object(int number, const QByteArray& body)
    {
        offsets_[size_t(number)] = position_;
        write(QByteArray::number(number) + " 0 obj\n" + body + "\nendobj\n");
    }
    void stream(int number, const QByteArray& dictionary, const QByteArray& data)
    {
        packedStream(number, dictionary, deflate(data), "/FlateDecode");
    }
    void packedStream(int number, const QByteArray& dictionary, const QByteArray& packed,
                      const char* filter)
    {
        offsets_[size_t(number)] = position_;
        write(QByteArray::number(number) + " 0 obj\n<< " + dictionary + " /Length " +
              QByteArray::number(packed.size()) + " /Filter " + filter + " >>\nstream\n");
        write(packed);
        write("\nendstream\nendobj\n");
    }

    bool page(int index, QByteArray& content);
    bool text(const DrawOp& op, double pageHeight, QByteArray& content);
    Font* font(const QFont& qfont);
    Font* fontByKey(const QFont& qfont);
    void writeFonts();
    void writePictures();

    // Graphics state kept between operations of a page; q and Q put it back as it was.
    struct State {
        QColor fill, stroke;
        double width = -1;
    };
    void setFill(QByteArray& content, const QColor& color);
    void setStroke(QByteArray& content, const QColor& color, double width);

    const PageSet& pages_;
    QIODevice& out_;
    qint64 position_ = 0;
    bool failed_ = false;
    std::vector<qint64> offsets_{0};
    std::vector<Font> fonts_;
    QHash<QString, int> fontIndex_;
    std::map<int, int> pictures_; // picture → object
    State state_;
    int resources_ = 0;
    QFont lastQFont_;
    int lastFont_ = -1;
};

void Writer::setFill(QByteArray& content, const QColor& color)
{
    if (state_.fill == color) return;
    state_.fill = color;
    Numbers{content} << color.redF() << color.greenF() << color.blueF() << "rg\n";
}

void Writer::setStroke(QByteArray& content, const QColor& color, double width)
{
    if (state_.stroke != color) {
        state_.stroke = color;
        Numbers{content} << color.redF() << color.greenF() << color.blueF() << "RG\n";
    }
    if (state_.width != width) {
        state_.width = width;
        Numbers{content} << width << "w\n";
    }
}

Font* Writer::font(const QFont& qfont)
{
    // Operations of a page mostly share their font: the last one answers without a key.
    if (lastFont_ >= 0 && qfont == lastQFont_) return &fonts_[size_t(lastFont_)];
    Font* found = fontByKey(qfont);
    lastQFont_ = qfont;
    lastFont_ = found ? int(found - fonts_.data()) : -1;
    return found;
}

Font* Writer::fontByKey(const QFont& qfont)
{
    // One embedded font for every size of a face.
    QFont face = qfont;
    face.setPointSizeF(10);
    const QString key = face.key();
    auto it = fontIndex_.constFind(key);
    if (it != fontIndex_.cend()) return &fonts_[size_t(*it)];
    Font font;
    font.raw = QRawFont::fromFont(qfont);
    if (!font.raw.isValid() || font.raw.fontTable("glyf").isEmpty()) return nullptr;
    font.unitsPerEm = font.raw.unitsPerEm();
    font.raw.setPixelSize(font.unitsPerEm);
    font.name = "F" + QByteArray::number(qsizetype(fonts_.size()));
    for (int* number : {&font.type0, &font.cidFont, &font.descriptor, &font.file, &font.toUnicode})
        *number = reserve();
    fontIndex_.insert(key, int(fonts_.size()));
    fonts_.push_back(std::move(font));
    return &fonts_.back();
}

// One line of text: its glyphs in hex and its width in points, or false for a character the
// font lacks.
bool lineGlyphs(Font& font, QStringView line, double size, QByteArray& hex, double& width)
{
    static const char digits[] = "0123456789ABCDEF";
    double units = 0;
    for (const QChar c : line) {
        auto found = font.glyphs.constFind(c);
        if (found == font.glyphs.cend()) {
            const QList<quint32> glyph = font.raw.glyphIndexesForString(QString(c));
            if (glyph.size() != 1 || glyph.front() == 0) return false;
            const QList<QPointF> advance = font.raw.advancesForGlyphIndexes(glyph);
            found = font.glyphs.insert(c, {glyph.front(), advance.value(0).x()});
            font.used.emplace(glyph.front(), c.unicode());
        }
        const quint32 glyph = found->first;
        for (int shift = 12; shift >= 0; shift -= 4)
            hex += digits[(glyph >> shift) & 0xF];
        units += found->second;
    }
    width = units / font.unitsPerEm * size;
    return true;
}

// Words of a text broken into lines no wider than `width` points, as the preview breaks them.
QStringList wrapped(Font& font, const QString& text, double size, double width, bool wrap)
{
    QStringList lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        if (!wrap) {
            lines << paragraph;
            continue;
        }
        QString line;
        for (const QString& word : paragraph.split(QLatin1Char(' '))) {
            const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            QByteArray hex;
            double w = 0;
            if (!line.isEmpty() && lineGlyphs(font, candidate, size, hex, w) && w > width) {
                lines << line;
                line = word;
            } else {
                line = candidate;
            }
        }
        lines << line;
    }
    return lines;
}

bool Writer::text(const DrawOp& op, double pageHeight, QByteArray& content)
{
    Font* f = font(op.font);
    if (!f) return false;
    const double size = op.font.pointSizeF() > 0 ? op.font.pointSizeF() : 9;
    const double ascent = f->raw.ascent() / f->unitsPerEm * size;
    const double lineHeight =
        (f->raw.ascent() + f->raw.descent() + f->raw.leading()) / f->unitsPerEm * size;
    const double x = op.rect.x() * kPointsPerMm, top = op.rect.y() * kPointsPerMm;
    const double boxWidth = op.rect.width() * kPointsPerMm;
    const double boxHeight = op.rect.height() * kPointsPerMm;
    const QStringList lines = wrapped(*f, op.text, size, boxWidth, op.wordWrap);
    const bool right = op.alignment & Qt::AlignRight, centred = op.alignment & Qt::AlignHCenter;
    const bool single = lines.size() == 1 && op.angle == 0 && !op.wordWrap;
    QByteArray body;
    double firstWidth = 0;
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray hex;
        double width = 0;
        if (!lineGlyphs(*f, lines[i], size, hex, width)) return false;
        if (i == 0) firstWidth = width;
        const double dx = right ? boxWidth - width : centred ? (boxWidth - width) / 2 : 0;
        Numbers n{body};
        if (op.angle == 0)
            n << "1 0 0 1" << x + dx << pageHeight - top - ascent - i * lineHeight << "Tm <";
        else
            n << "1 0 0 1" << dx << -ascent - i * lineHeight << "Tm <";
        body += hex;
        body += "> Tj\n";
    }
    const State saved = state_;
    // Cut as the preview cuts: a single line only when it overflows to the right of a left
    // (or centred) box, a millimetre short of the edge; laid-out texts at their box.
    const bool overflow = single && !right && firstWidth > boxWidth;
    const bool clip = !single ? op.angle == 0 : overflow;
    if (clip || op.angle != 0) content += "q\n";
    if (clip) {
        const double gap = kPointsPerMm, left = x + (centred && overflow ? gap : 0);
        const double clipWidth = overflow ? boxWidth - gap - (left - x) : boxWidth;
        const double extra = overflow ? boxHeight : 0;
        Numbers{content} << left << pageHeight - top - boxHeight - extra << clipWidth
                         << boxHeight + 2 * extra << "re W n\n";
    }
    if (op.angle != 0) {
        const double radians = op.angle * M_PI / 180;
        Numbers{content} << std::cos(radians) << std::sin(radians) << -std::sin(radians)
                         << std::cos(radians) << x << pageHeight - top << "cm\n";
    }
    setFill(content, op.color);
    content += "BT /" + f->name + ' ';
    appendNumber(content, size);
    content += " Tf\n" + body + "ET\n";
    if (op.font.underline()) {
        setStroke(content, op.color, size / 18);
        const double y = pageHeight - top - ascent - size / 8;
        const double from = x + (right ? boxWidth - firstWidth : 0);
        Numbers{content} << from << y << "m" << from + firstWidth << y << "l S\n";
    }
    if (clip || op.angle != 0) {
        content += "Q\n";
        state_ = saved;
    }
    return true;
}

bool Writer::page(int index, QByteArray& content)
{
    const std::shared_ptr<const Page> page = pages_.page(index);
    const double height = page->size.height() * kPointsPerMm;
    const double minimumPen = 72.0 / 300; // one dot of a 300 dpi printer
    state_ = State{};
    DrawOp op;
    for (int i = 0; i < page->opCount(); ++i) {
        page->readOp(i, op);
        const QRectF r(op.rect.x() * kPointsPerMm, height - op.rect.bottom() * kPointsPerMm,
                       op.rect.width() * kPointsPerMm, op.rect.height() * kPointsPerMm);
        const double pen = std::max(minimumPen, op.penWidth * kPointsPerMm);
        switch (op.type) {
        case DrawOp::Type::Text:
            if (op.fill.isValid()) {
                setFill(content, op.fill);
                Numbers{content} << r.x() << r.y() << r.width() << r.height() << "re f\n";
            }
            if (!text(op, height, content)) return false;
            break;
        case DrawOp::Type::Line:
            setStroke(content, op.color, pen);
            Numbers{content} << r.x() << height - op.rect.y() * kPointsPerMm << "m" << r.right()
                             << height - op.rect.bottom() * kPointsPerMm << "l S\n";
            break;
        case DrawOp::Type::Rect:
            setStroke(content, op.color, pen);
            if (op.fill.isValid()) setFill(content, op.fill);
            Numbers{content} << r.x() << r.y() << r.width() << r.height()
                             << (op.fill.isValid() ? "re B\n" : "re S\n");
            break;
        case DrawOp::Type::Ellipse: {
            setStroke(content, op.color, pen);
            if (op.fill.isValid()) setFill(content, op.fill);
            constexpr double k = 0.5522847498;
            const double cx = r.center().x(), cy = r.center().y();
            const double rx = r.width() / 2, ry = r.height() / 2;
            Numbers n{content};
            n << cx + rx << cy << "m";
            n << cx + rx << cy + k * ry << cx + k * rx << cy + ry << cx << cy + ry << "c";
            n << cx - k * rx << cy + ry << cx - rx << cy + k * ry << cx - rx << cy << "c";
            n << cx - rx << cy - k * ry << cx - k * rx << cy - ry << cx << cy - ry << "c";
            n << cx + k * rx << cy - ry << cx + rx << cy - k * ry << cx + rx << cy << "c";
            content += op.fill.isValid() ? "B\n" : "S\n";
            break;
        }
        case DrawOp::Type::Picture: {
            if (op.picture < 0 || op.picture >= pages_.pictureCount()) break;
            auto it = pictures_.find(op.picture);
            if (it == pictures_.end()) it = pictures_.emplace(op.picture, reserve()).first;
            Numbers{content} << "q" << r.width() << "0 0" << r.height() << r.x() << r.y() << "cm";
            content += "/Im" + QByteArray::number(op.picture) + " Do Q\n";
            break;
        }
        }
    }
    return true;
}

void Writer::writeFonts()
{
    for (Font& f : fonts_) {
        const double scale = 1000.0 / f.unitsPerEm;
        QByteArray widths = "[";
        for (const auto& [glyph, character] : f.used) {
            widths += QByteArray::number(glyph) + " [";
            appendNumber(widths, f.glyphs.value(QChar(character)).second * scale);
            widths += "] ";
        }
        widths += "]";
        QByteArray fontName = f.raw.familyName().toLatin1() + f.raw.styleName().toLatin1();
        fontName.replace(' ', "");
        if (fontName.isEmpty()) fontName = "Font";
        fontName = "DLVT" + QByteArray(1, char('A' + (&f - fonts_.data()) % 26)) + "+" + fontName;
        object(f.type0, "<< /Type /Font /Subtype /Type0 /BaseFont /" + fontName +
                            " /Encoding /Identity-H /DescendantFonts [" +
                            QByteArray::number(f.cidFont) + " 0 R] /ToUnicode " +
                            QByteArray::number(f.toUnicode) + " 0 R >>");
        object(f.cidFont, "<< /Type /Font /Subtype /CIDFontType2 /BaseFont /" + fontName +
                              " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) "
                              "/Supplement 0 >> /FontDescriptor " +
                              QByteArray::number(f.descriptor) +
                              " 0 R /CIDToGIDMap /Identity /DW 1000 /W " + widths + " >>");
        const QByteArray head = f.raw.fontTable("head");
        QByteArray box;
        Numbers{box} << qint16(read16(head, 36)) * scale << qint16(read16(head, 38)) * scale
                     << qint16(read16(head, 40)) * scale << qint16(read16(head, 42)) * scale;
        QByteArray descriptor = "<< /Type /FontDescriptor /FontName /" + fontName +
                                " /Flags 32 /FontBBox [" + box + "] /ItalicAngle 0 /Ascent ";
        appendNumber(descriptor, f.raw.ascent() * scale);
        descriptor += " /Descent ";
        appendNumber(descriptor, -f.raw.descent() * scale);
        descriptor += " /CapHeight ";
        appendNumber(descriptor, f.raw.ascent() * scale);
        descriptor += " /StemV 80 /FontFile2 " + QByteArray::number(f.file) + " 0 R >>";
        object(f.descriptor, descriptor);
        const QByteArray file = subsetFont(f.raw, f.used);
        stream(f.file, "/Length1 " + QByteArray::number(file.size()), file);
        QByteArray cmap = "/CIDInit /ProcSet findresource begin 12 dict begin begincmap\n"
                          "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> "
                          "def\n/CMapName /Adobe-Identity-UCS def /CMapType 2 def\n"
                          "1 begincodespacerange <0000> <FFFF> endcodespacerange\n";
        std::vector<std::pair<quint32, char16_t>> entries(f.used.begin(), f.used.end());
        for (size_t from = 0; from < entries.size(); from += 100) {
            const size_t to = std::min(entries.size(), from + 100);
            cmap += QByteArray::number(qsizetype(to - from)) + " beginbfchar\n";
            for (size_t i = from; i < to; ++i)
                cmap += QStringLiteral("<%1> <%2>\n")
                            .arg(entries[i].first, 4, 16, QLatin1Char('0'))
                            .arg(quint16(entries[i].second), 4, 16, QLatin1Char('0'))
                            .toLatin1();
            cmap += "endbfchar\n";
        }
        cmap += "endcmap CMapName currentdict /CMap defineresource pop end end\n";
        stream(f.toUnicode, "", cmap);
    }
}

// Whether a picture has the colours of a photograph rather than of a drawing: more than 256
// different ones among a sample of its pixels.
bool photographic(const QImage& rgb)
{
    QSet<quint32> colours;
    const int step = std::max(1, rgb.width() * rgb.height() / 4096);
    for (int at = 0; at < rgb.width() * rgb.height(); at += step) {
        const uchar* p = rgb.constScanLine(at / rgb.width()) + (at % rgb.width()) * 3;
        colours.insert(quint32(p[0]) << 16 | quint32(p[1]) << 8 | p[2]);
        if (colours.size() > 256) return true;
    }
    return false;
}

void Writer::writePictures()
{
    for (const auto& [index, number] : pictures_) {
        QImage image = pages_.picture(index);
        if (image.hasAlphaChannel()) {
            // Transparent parts show the paper.
            QImage paper(image.size(), QImage::Format_RGB888);
            paper.fill(Qt::white);
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    const double a = c.alphaF();
                    paper.setPixelColor(x, y,
                                        QColor::fromRgbF(c.redF() * a + 1 - a,
                                                         c.greenF() * a + 1 - a,
                                                         c.blueF() * a + 1 - a));
                }
            image = paper;
        }
        image = image.convertToFormat(QImage::Format_RGB888);
        const QByteArray dictionary = "/Type /XObject /Subtype /Image /Width " +
                                      QByteArray::number(image.width()) + " /Height " +
                                      QByteArray::number(image.height()) +
                                      " /ColorSpace /DeviceRGB /BitsPerComponent 8";
        // Photographs (many colours) go in as JPEG, as they came; drawings, symbols and
        // barcodes keep every pixel.
        if (photographic(image)) {
            QByteArray jpeg;
            QBuffer buffer(&jpeg);
            buffer.open(QIODevice::WriteOnly);
            if (image.save(&buffer, "JPEG", 90)) {
                packedStream(number, dictionary, jpeg, "/DCTDecode");
                continue;
            }
        }
        QByteArray pixels;
        pixels.reserve(qsizetype(image.width()) * image.height() * 3);
        for (int y = 0; y < image.height(); ++y)
            pixels.append(reinterpret_cast<const char*>(image.constScanLine(y)),
                          qsizetype(image.width()) * 3);
        stream(number, dictionary, pixels);
    }
}

bool Writer::run()
{
    write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    const int catalog = reserve(), pageTree = reserve();
    resources_ = reserve();
    QByteArray kids;
    for (int p = 0; p < pages_.pageCount(); ++p) {
        QByteArray content;
        if (!page(p, content)) return false;
        const int contents = reserve(), pageObject = reserve();
        stream(contents, "", content);
        const QSizeF size = pages_.pageSize(p) * kPointsPerMm;
        QByteArray box;
        Numbers{box} << 0.0 << 0.0 << size.width() << size.height();
        object(pageObject, "<< /Type /Page /Parent " + QByteArray::number(pageTree) +
                               " 0 R /MediaBox [" + box + "] /Resources " +
                               QByteArray::number(resources_) + " 0 R /Contents " +
                               QByteArray::number(contents) + " 0 R >>");
        kids += QByteArray::number(pageObject) + " 0 R ";
        if (failed_) return true; // the caller sees the device's error
    }
    writeFonts();
    writePictures();
    QByteArray resources = "<< /ProcSet [/PDF /Text /ImageC] /Font << ";
    for (const Font& f : fonts_)
        resources += '/' + f.name + ' ' + QByteArray::number(f.type0) + " 0 R ";
    resources += ">> /XObject << ";
    for (const auto& [index, number] : pictures_)
        resources += "/Im" + QByteArray::number(index) + ' ' + QByteArray::number(number) + " 0 R ";
    resources += ">> >>";
    object(resources_, resources);
    object(pageTree, "<< /Type /Pages /Kids [" + kids + "] /Count " +
                         QByteArray::number(pages_.pageCount()) + " >>");
    object(catalog, "<< /Type /Catalog /Pages " + QByteArray::number(pageTree) + " 0 R >>");
    const int info = reserve();
    object(info, "<< /Creator (DULVET 3) /Producer (DULVET 3) >>");
    const qint64 xref = position_;
    QByteArray table =
        "xref\n0 " + QByteArray::number(qsizetype(offsets_.size())) + "\n0000000000 65535 f \n";
    for (size_t i = 1; i < offsets_.size(); ++i)
        table += QByteArray::number(offsets_[i]).rightJustified(10, '0') + " 00000 n \n";
    write(table);
    write("trailer\n<< /Size " + QByteArray::number(qsizetype(offsets_.size())) + " /Root " +
          QByteArray::number(catalog) + " 0 R /Info " + QByteArray::number(info) +
          " 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n");
    return true;
}

} // namespace

bool writeDirectPdf(const PageSet& pages, QIODevice& out)
{
    return Writer(pages, out).run();
}
