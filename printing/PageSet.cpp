#include "printing/PageSet.h"

#include "store/AppError.h"
#include "store/Cp1254.h"

#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextStream>
#include <cmath>
#include <map>

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kColumnMm = kMmPerInch / 10; // 10 characters per inch
constexpr double kLineMm = kMmPerInch / 6;    // 6 lines per inch
constexpr quint32 kMagic = 0x44565152;        // "DVQR"
constexpr quint16 kVersion = 1;

QStringList textLines(const DrawOp& op)
{
    return op.text.split(QLatin1Char('\n'));
}

} // namespace

void PageSet::paint(int index, QPainter& painter) const
{
    if (index < 0 || index >= pageCount()) return;
    const double perMm = painter.device()->logicalDpiX() / kMmPerInch;
    const auto px = [perMm](const QRectF& r) {
        return QRectF(r.x() * perMm, r.y() * perMm, r.width() * perMm, r.height() * perMm);
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const DrawOp& op : pages[size_t(index)].ops) {
        const QRectF r = px(op.rect);
        QPen pen(op.color);
        pen.setWidthF(std::max(1.0, op.penWidth * perMm));
        painter.setPen(pen);
        painter.setBrush(op.fill.isValid() ? QBrush(op.fill) : Qt::NoBrush);
        switch (op.type) {
        case DrawOp::Type::Text: {
            if (op.fill.isValid()) painter.fillRect(r, op.fill);
            painter.setFont(op.font);
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
            if (op.picture >= 0 && op.picture < int(pictures.size()))
                painter.drawImage(r, pictures[size_t(op.picture)]);
            break;
        }
    }
    painter.restore();
}

QImage PageSet::pageImage(int index, double dotsPerInch) const
{
    const QSizeF size = pages[size_t(index)].size;
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
        for (const DrawOp& op : pages[size_t(p)].ops) {
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

QString PageSet::plainText() const
{
    QString out;
    for (int p = 0; p < pageCount(); ++p) {
        std::map<int, QString> lines;
        for (const DrawOp& op : pages[size_t(p)].ops) {
            if (op.type != DrawOp::Type::Text || op.angle != 0) continue;
            const QStringList parts = textLines(op);
            for (int i = 0; i < parts.size(); ++i) {
                const QString text = parts[i];
                const int line = int(std::lround(op.rect.y() / kLineMm)) + i;
                int column = int(std::lround(op.rect.x() / kColumnMm));
                if (op.alignment & Qt::AlignRight)
                    column = int(std::lround(op.rect.right() / kColumnMm)) - int(text.size());
                else if (op.alignment & Qt::AlignHCenter)
                    column =
                        int(std::lround(op.rect.center().x() / kColumnMm)) - int(text.size()) / 2;
                column = std::max(0, column);
                QString& row = lines[line];
                if (row.size() < column + text.size())
                    row = row.leftJustified(column + int(text.size()), QLatin1Char(' '));
                row.replace(column, text.size(), text);
            }
        }
        int lineNumber = 0;
        for (const auto& [number, text] : lines) {
            while (lineNumber < number) {
                out += QLatin1Char('\n');
                ++lineNumber;
            }
            out += text;
        }
        out += QStringLiteral("\n\f");
    }
    return out;
}

QString PageSet::delimitedText(QChar separator) const
{
    QString out;
    for (const Page& page : pages) {
        std::map<int, std::vector<std::pair<double, QString>>> lines;
        for (const DrawOp& op : page.ops) {
            if (op.type != DrawOp::Type::Text) continue;
            const QStringList parts = textLines(op);
            for (int i = 0; i < parts.size(); ++i)
                lines[int(std::lround(op.rect.y() / kLineMm)) + i].emplace_back(op.rect.x(),
                                                                                parts[i]);
        }
        for (auto& [line, fields] : lines) {
            std::stable_sort(fields.begin(), fields.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            QStringList quoted;
            for (const auto& field : fields)
                quoted << QLatin1Char('"') + field.second + QLatin1Char('"');
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
    s << kMagic << kVersion << quint32(pages.size()) << quint32(pictures.size());
    for (const QImage& picture : pictures)
        s << picture;
    for (const Page& page : pages) {
        s << page.size << quint32(page.ops.size());
        for (const DrawOp& op : page.ops)
            s << quint8(op.type) << op.rect << op.text << op.font.toString() << op.color << op.fill
              << qint32(op.alignment) << op.wordWrap << op.angle << op.penWidth
              << qint32(op.picture) << op.band;
    }
    if (s.status() != QDataStream::Ok || !file.commit())
        throw AppError(QStringLiteral("Rapor dosyası yazılamadı: %1").arg(path),
                       file.errorString());
}

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
        set.pictures.push_back(picture);
    }
    for (quint32 p = 0; p < pageCount; ++p) {
        Page page;
        quint32 ops = 0;
        s >> page.size >> ops;
        if (s.status() != QDataStream::Ok || ops > size) throw broken();
        for (quint32 i = 0; i < ops; ++i) {
            DrawOp op;
            quint8 type = 0;
            QString font;
            qint32 alignment = 0, picture = -1;
            s >> type >> op.rect >> op.text >> font >> op.color >> op.fill >> alignment >>
                op.wordWrap >> op.angle >> op.penWidth >> picture >> op.band;
            if (s.status() != QDataStream::Ok || type > quint8(DrawOp::Type::Picture))
                throw broken();
            op.type = DrawOp::Type(type);
            op.font.fromString(font);
            op.alignment = alignment;
            op.picture = picture < int(set.pictures.size()) ? picture : -1;
            page.ops.push_back(std::move(op));
        }
        set.pages.push_back(std::move(page));
    }
    if (s.status() != QDataStream::Ok) throw broken();
    set.finished = true;
    return set;
}

void PageSet::writePdf(const QString& path) const
{
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setCreator(QStringLiteral("DULVET 3"));
    if (pages.empty()) throw AppError(QStringLiteral("Raporda sayfa yok."));
    writer.setPageSize(QPageSize(pages.front().size, QPageSize::Millimeter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer))
        throw AppError(QStringLiteral("PDF dosyası yazılamadı: %1").arg(path));
    for (int p = 0; p < pageCount(); ++p) {
        if (p > 0) {
            writer.setPageSize(QPageSize(pages[size_t(p)].size, QPageSize::Millimeter));
            writer.newPage();
        }
        paint(p, painter);
    }
    painter.end();
    if (!QFile::exists(path) || QFileInfo(path).size() == 0)
        throw AppError(QStringLiteral("PDF dosyası yazılamadı: %1").arg(path));
}

QStringList PageSet::writeJpegs(const QString& path, double dotsPerInch) const
{
    // The last four characters (".jpg") give way to the page number and ".jpg".
    const QString base = path.size() > 4 ? path.left(path.size() - 4) : path;
    QStringList written;
    for (int p = 0; p < pageCount(); ++p) {
        const QString name = base + QString::number(p + 1) + QStringLiteral(".jpg");
        if (!pageImage(p, dotsPerInch).save(name, "JPG", 90))
            throw AppError(QStringLiteral("Resim dosyası yazılamadı: %1").arg(name));
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
    const auto cell = [&](int row, int column, const QString& text) {
        const QByteArray bytes = Cp1254::encode(text).left(255);
        s << quint16(0x0204) << quint16(8 + bytes.size()) << quint16(row) << quint16(column)
          << quint16(0) << quint16(bytes.size());
        s.writeRawData(bytes.constData(), int(bytes.size()));
    };
    for (int row = 0; row < lines.size(); ++row) {
        QString line = lines[row];
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
