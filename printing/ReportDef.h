#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

// A banded page report as plain data. Positions and sizes are in millimetres from the band's
// top left corner. Every report, band and element has a name and a class name, so that a
// definition can be saved, loaded and re-laid-out by name.

enum class BandKind {
    Title,
    PageHeader,
    ColumnHeader,
    Detail,
    SubDetail,
    GroupHeader,
    GroupFooter,
    Summary,
    PageFooter,
    Child,
    Strings // a band of a list of strings; nothing gives it any, so it prints nothing
};

enum class ElementKind {
    Label,         // fixed text
    DBText,        // a field of a table, with a number mask
    Expr,          // an expression: fields, + - * /, SUM(...), with a number mask
    SysData,       // date, time, date and time, page number, with a leading text
    Memo,          // several lines of fixed text
    Shape,         // rectangle, circle or lines
    Image,         // a picture
    DBImage,       // a picture field
    AmountInWords, // a number (its field, expression or caption) written in words
    Barcode,       // a barcode of its field or text
    ExprMemo,      // several lines, each an expression or fixed text
    RichText,      // formatted text (HTML or plain), printed as its text
    DBRichText,    // formatted text from a field
    Chart,         // a chart; prints its frame
    AngledLabel,   // fixed text at an angle
};

enum class SysDataKind { Date, Time, DateTime, PageNumber };
enum class ShapeKind {
    Rectangle,
    Circle,
    HorizontalLine,
    VerticalLine,
    LeftRightLines,
    TopBottomLines
};

struct Frame {
    bool left = false, right = false, top = false, bottom = false;
    double width = 0.2; // mm
    QColor color = Qt::black;
};

struct ElementDef {
    QString name;
    QString className;
    ElementKind kind = ElementKind::Label;
    QRectF rect;   // mm, within the band
    QString text;  // label and memo text, leading text of system data
    QString field; // "Table.Field" or "Field" of the band's table
    QString expression;
    QString mask;                 // number mask, "#,##0.00"
    bool resetAfterPrint = false; // SUM: start again after the band printed
    SysDataKind sysData = SysDataKind::Date;
    ShapeKind shape = ShapeKind::Rectangle;
    QByteArray picture; // PNG or JPEG bytes
    QFont font = QFont(QStringLiteral("DejaVu Sans"), 9);
    QColor color = Qt::black;
    QColor background = Qt::white;
    int alignment = 0; // Qt::AlignLeft (0 means left), Qt::AlignRight, Qt::AlignHCenter
    Frame frame;
    bool transparent = true;
    bool wordWrap = false;
    bool autoSize = false;
    bool autoStretch = false;
    bool enabled = true;
    double angle = 0;         // degrees, counter-clockwise
    bool alignToBand = false; // placed by its alignment across the band, not at its left
    bool pictureCenter = false, pictureStretch = true; // pictures: centred, stretched to fit
    // Barcodes: symbology (TZemrakBarkod::Tip), narrowest element and bar height in pixels of
    // 0.254 mm (100 per inch), wide-to-narrow ratio, check character.
    int barcodeType = 14;
    int barcodeModule = 1;
    int barcodeHeight = 50;
    double barcodeRatio = 2.0;
    bool barcodeChecksum = false;
};

struct BandDef {
    QString name;
    QString className;
    BandKind kind = BandKind::Detail;
    double height = 6;       // mm
    QString groupExpression; // group header and footer: the value whose change starts a group
    QString parent;          // child band: the band it continues
    QString beforePrint;     // the name of the document's handler that fills it, if any
    bool enabled = true;
    std::vector<ElementDef> elements;
};

struct PageSettings {
    static constexpr double kShortestMm = 10; // the least a paper of its own may measure
    enum class Paper { A4, Letter, Custom };
    Paper paper = Paper::A4;
    double widthMm = 210, heightMm = 297; // for custom paper
    bool landscape = false;
    double left = 10, right = 10, top = 10, bottom = 10; // margins, mm
    int columns = 1;
    double columnSpacing = 0;             // mm between columns
    Frame frame;                          // a frame round the printable area
    QString units = QStringLiteral("mm"); // what the settings window shows: mm, inch, pixel
    bool headerOnFirstPage = true;
    bool footerOnLastPage = true;

    QSizeF size() const; // mm, after orientation
};

struct ReportDef {
    static constexpr int kVersion = 2; // written; 1 loads too
    QString name;
    QString className;
    PageSettings page;
    QFont font = QFont(QStringLiteral("DejaVu Sans"), 9); // the font new elements take
    std::vector<BandDef> bands;

    const BandDef* band(BandKind kind) const;
    QByteArray toJson() const;
    // Throws AppError naming the fault for unknown classes or fields, or malformed data.
    static ReportDef fromJson(const QByteArray& json);
};

// Class names used in saved definitions.
QString elementClassName(ElementKind kind);
QString bandClassName(BandKind kind);
// The kind of an element class, built-in or of the designer; nullopt for an unknown class.
std::optional<ElementKind> elementKindOfClass(const QString& className);
// Band classes of the designer: one for each kind a designed band may have, "TZRQRBand" for the
// standard bands.
QString designerBandClass(BandKind kind);
