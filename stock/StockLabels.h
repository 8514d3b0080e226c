#pragma once

#include "printing/PageSet.h"

#include <QString>
#include <array>

class IniFile;

// Barcode labels of a stock card: the layout kept in Users.ini [BARKOD], the symbology chosen by
// the code's length, and a report of as many labels as copies, one per band row.
namespace StockLabels {

enum class Type { Ean13, Ean8, Code39 };

// The nine layout values in the order of the window's fields, as texts (whole numbers).
enum Field { Uzunluk, Genislik, Ust, Alt, Sol, Sag, EUzun, EGenis, KSol, FieldCount };
using Layout = std::array<QString, FieldCount>;

// Label sizes are kept in pixels of 1/2.6 mm.
constexpr double kPixelsPerMm = 2.6;

const char* iniKey(Field field);       // "UZUNLUK" …
QString caption(Field field);          // "Sayfa Uzunluğu : " …
Layout readLayout(const IniFile& ini); // defaults for missing keys
void writeLayout(IniFile& ini, const Layout& layout);

// The type the window starts on: Ean-13 for 13 characters, Ean-8 for 8, else Code 39.
Type presetFor(const QString& code);
// The type that prints: Ean-13 or Ean-8 only for a code of their length, else Code 39.
Type effectiveType(Type chosen, const QString& code);

// Why the labels cannot print, empty when they can: a layout value that is not a whole number,
// a zero size, margins that leave no area, a label larger than the area, copies outside 1–100,
// a code the symbology cannot encode.
QString refusal(const QString& code, Type type, const Layout& layout, int copies);

// The labels; throws AppError with the refusal when there is one.
PageSet labels(const QString& code, Type type, const Layout& layout, int copies);

} // namespace StockLabels
