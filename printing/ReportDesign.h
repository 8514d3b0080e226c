#pragma once

#include "printing/ReportDef.h"

#include <QPointF>
#include <QStringList>
#include <array>

// What the report designer knows of a definition, without any window: its tools, the names it
// gives, where items may go, what a layout must be to print. Positions the designer shows are in
// report pixels of 1/96 inch; the definition keeps millimetres.
namespace ReportDesign {

inline constexpr double kPixelMm = 25.4 / 96;
inline constexpr int kNameLimit = 64;

double toPixels(double mm); // exact for every whole pixel count stored as millimetres
double toMm(double pixels);

// The 22 tools in the order of their buttons; 0 is the pointer.
struct Tool {
    // What a new item says: nothing, its name, the amount in words' sample, or its name
    // written vertically (centred).
    enum class Start { Nothing, Name, Words, Vertical };
    QString className; // empty for the pointer
    QString prefix;    // of new items' names
    bool band = false; // placed on the report (outside the bands), else on a band
    Start start = Start::Nothing;
};
const std::vector<Tool>& tools();
inline constexpr int kToolCount = 22;

// A valid item name: [A-Za-z_][A-Za-z0-9_]*, at most 64 characters. Empty when it is; else why.
QString nameFault(const QString& name);

// Every name the definition bears: the report's bands and elements.
QStringList names(const ReportDef& def);
// The prefix followed by the smallest number from 1 that no item bears.
QString newName(const ReportDef& def, const QString& prefix);

// Where an item is in the definition: a band, or an element of a band.
struct Item {
    int band = -1;
    int element = -1; // -1: the band itself
    bool operator==(const Item&) const = default;
    bool valid() const { return band >= 0; }
    bool isBand() const { return band >= 0 && element < 0; }
};
Item find(const ReportDef& def, const QString& name);

// The bands as the page shows them, top to bottom, with their tops in millimetres from the top
// of the printable area: title, page header, column header, group headers, detail, sub-details,
// group footers, summary, page footer; child bands under the band they continue; strings bands
// last.
struct BandPlace {
    int band;
    double top;
};
std::vector<BandPlace> bandOrder(const ReportDef& def);
// The band at a height of the design surface (mm from the printable top); -1 outside them.
int bandAt(const ReportDef& def, double y);
// The same among places already worked out by bandOrder.
int bandAt(const ReportDef& def, const std::vector<BandPlace>& places, double y);
double printableWidth(const ReportDef& def);
double printableHeight(const ReportDef& def);

// Creating with a tool. A band tool on the surface outside the bands, an element tool on a band
// with its top left at `at` (mm within the band); otherwise nothing (an invalid Item). The item
// gets its name and initial text; `aboveBand` is the band above the click, which a child band
// continues.
Item create(ReportDef& def, int tool, int band, QPointF at, int aboveBand = -1);

// An element's rectangle moved within its band: clamped so that it stays inside, snapped to the
// grid step (in pixels) when one is given.
QRectF placeInBand(const ReportDef& def, Item item, QRectF rect, int gridPixels = 0);

// Why the geometry cannot print (for the "Ebatlar" window and the panel): a size under one
// pixel, an element outside its band, a band taller than the printable length. Empty when it
// can.
QString geometryFault(const ReportDef& def, Item item, const QRectF& rectMm);
QString bandHeightFault(const ReportDef& def, int band, double heightMm);
// Why the page settings cannot print: margins leaving no page, no column width.
QString pageFault(const PageSettings& page);

// Sizes in whole pixels and a name given to an item, as "Ebatlar" and the panel give them: an
// element takes left, top, width and length, a band its length (the last of the four). Sizes
// that cannot print refuse the whole (the reason is returned); a name that cannot be taken is
// left while the sizes are (`nameRefused` says why).
QString applySizes(ReportDef& def, Item item, const std::array<double, 4>& pixels,
                   const QString& name, QString* nameRefused);

// Renames; empty when done, else why the old name stays.
QString rename(ReportDef& def, Item item, const QString& name);
// Deletes an item (a band with its elements); to front or back of its band's drawing order.
void remove(ReportDef& def, Item item);
Item toFront(ReportDef& def, Item item);
Item toBack(ReportDef& def, Item item);

// The mask of " Noktadan sonraki ondalık sayı adedi" entries: "Yok", "0" … "0.000".
QStringList decimalChoices();
QString maskOfDecimals(int choice);
int decimalsOfMask(const QString& mask); // the entry the mask selects; 0 ("Yok") for others

// Why an expression memo's text cannot print: an expression in braces that does not parse.
QString memoFault(const QString& text);

// Everything a layout file must be to replace the built-in layout: names valid and unique,
// handler names among `handlers`, sizes that print, expressions that parse. Empty when it is;
// else the first fault.
QString layoutFault(const ReportDef& def, const QStringList& handlers);

} // namespace ReportDesign
