#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>
#include <vector>

class QPainter;

// What a rendered report is: pages of positioned drawing operations (millimetres from the
// page's top left corner). The same page set paints to the preview, printers, PDF and JPEG, and
// turns into plain and delimited text.
struct DrawOp {
    enum class Type { Text, Line, Rect, Ellipse, Picture };
    Type type = Type::Text;
    QRectF rect; // mm; a line goes from the top left to the bottom right corner
    QString text;
    QFont font;
    QColor color = Qt::black;
    QColor fill;       // invalid: no fill
    int alignment = 0; // Qt alignment flags
    bool wordWrap = false;
    double angle = 0;
    double penWidth = 0.2; // mm
    int picture = -1;      // index into the page set's pictures
    QString band;          // the band that printed it, for dumps
};

struct Page {
    QSizeF size; // mm
    std::vector<DrawOp> ops;
};

class PageSet {
public:
    std::vector<Page> pages;
    std::vector<QImage> pictures;
    bool finished = false;

    int pageCount() const { return int(pages.size()); }
    // Paints page `index` (0-based) on a painter whose device's resolution gives the scale.
    void paint(int index, QPainter& painter) const;
    QImage pageImage(int index, double dotsPerInch) const;

    // A line per operation: page, band, kind, position and text; for tests and diagnostics.
    QString dump() const;
    // Texts placed on a grid of 10 characters per inch and 6 lines per inch; pages end with a
    // form feed.
    QString plainText() const;
    // A line per text line of the pages, fields quoted and in left-to-right order.
    QString delimitedText(QChar separator) const;

    // Own report file (".qrp"): throws AppError when it cannot be written or read back.
    void save(const QString& path) const;
    static PageSet load(const QString& path);
    void writePdf(const QString& path) const;
    // "Deneme.jpg" gives "Deneme1.jpg", "Deneme2.jpg", ...; returns the files written.
    QStringList writeJpegs(const QString& path, double dotsPerInch = 100) const;
};

// Converts "^"-delimited text lines into a spreadsheet file of the old binary kind (BIFF2 text
// cells) with code page 1254; throws AppError beyond 65,535 lines or when it cannot write.
void writeSpreadsheet(const QString& delimited, const QString& path);
