#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <memory>
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
    static constexpr double kDefaultPenWidth = 0.2;
    double penWidth = kDefaultPenWidth; // mm
    int picture = -1;                   // index into the page set's pictures
    QString band;                       // the band that printed it, for dumps
};

// One page: its operations stored compactly (texts in one block, fonts, colours and flags as
// an index into the page set's table of styles); op(i) gives them back whole.
class Page {
public:
    QSizeF size; // mm

    int opCount() const { return int(ops_.size()); }
    DrawOp op(int index) const;
    // The same into an operation that is filled again for each one read (no new font each time).
    void readOp(int index, DrawOp& op) const;
    // The number of the operation's style (font, colours, flags, band) in its page set, for a
    // maker that draws many operations alike and adds them with it.
    quint32 styleOf(const DrawOp& op);
    void add(const DrawOp& op, quint32 style);
    void add(const DrawOp& op);

private:
    friend class PageSet;
    struct Packed {
        double x, y, width, height;
        quint32 text, textLength; // in texts_
        quint32 style;
        qint32 picture;
        quint8 type;
    };
    struct Styles;
    explicit Page(std::shared_ptr<Styles> styles)
        : styles_(std::move(styles))
    {
    }
    std::vector<Packed> ops_;
    QString texts_;
    std::shared_ptr<Styles> styles_;
};

// Pages of a long report do not all stay in memory: once a report has more than a few dozen
// finished pages, the older ones go to a temporary file in their compact form and come back
// when asked for. Copies of a page set share its pages; only its maker adds to it.
class PageSet {
public:
    PageSet();

    int pageCount() const;
    QSizeF pageSize(int index) const;
    // A page (0-based); read back from the temporary file when it has left memory.
    std::shared_ptr<const Page> page(int index) const;
    // A new last page, to which the maker adds operations until it starts the next one.
    Page& addPage(const QSizeF& size);
    // Pictures, shared by the pages; the same image twice is kept once.
    int addPicture(const QImage& picture);
    const QImage& picture(int index) const;
    int pictureCount() const;
    bool finished = false;
    // What the report could not print as asked (a code no barcode can carry), each once, for
    // the preview to tell the user; the report itself goes on without it.
    QStringList warnings;

    // Paints page `index` (0-based) on a painter whose device's resolution gives the scale.
    void paint(int index, QPainter& painter) const;
    QImage pageImage(int index, double dotsPerInch) const;

    // A line per operation: page, band, kind, position and text; for tests and diagnostics.
    QString dump() const;
    // The texts of page `index` on a grid of `charsPerInch` characters and 6 lines per inch:
    // texts whose tops lie within half a line of a row's first text make one row, on the line
    // of its top or the next free one; in a row texts go left to right at their columns (right
    // and centred ones by their box), one that would touch the text before it moves right to
    // leave a blank. Memo lines (LF, CR LF, LF CR) take a line each, word-wrapped texts wrap at
    // their box, angled ones lie flat, control characters go. Nothing is ever overwritten.
    QStringList textLines(int index, int charsPerInch = 10) const;
    // The same as rows: each row's line number, its texts left to right with the column their
    // position gave and the one they took, and the line they make.
    struct TextRow {
        struct Text {
            double top; // mm
            int gridColumn, column;
            QString text;
        };
        int line;
        std::vector<Text> texts;
        QString placed;
    };
    std::vector<TextRow> textRows(int index, int charsPerInch = 10) const;
    // All pages so, each ending with a line feed and a form feed.
    QString plainText(int charsPerInch = 10) const;
    // A line per text row of the pages, fields quoted and in left-to-right order.
    QString delimitedText(QChar separator) const;

    // Own report file (".qrp"): throws AppError when it cannot be written or read back.
    void save(const QString& path) const;
    static PageSet load(const QString& path);
    void writePdf(const QString& path) const;
    // "Deneme.jpg" gives "Deneme1.jpg", "Deneme2.jpg", ...; returns the files written.
    QStringList writeJpegs(const QString& path, double dotsPerInch = 100) const;

private:
    struct Data;
    void spillOldPages();
    // The rows; with their texts one by one only when asked (the lines need no copies).
    std::vector<TextRow> rowsOf(int page, int charsPerInch, bool withTexts) const;

    std::shared_ptr<Data> d;
};

// Converts "^"-delimited text lines into a spreadsheet file of the old binary kind (BIFF2 text
// cells) with code page 1254; throws AppError beyond 65,535 lines or when it cannot write.
void writeSpreadsheet(const QString& delimited, const QString& path);
