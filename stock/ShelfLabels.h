#pragma once

#include "printing/PageSet.h"
#include "printing/ReportRenderer.h"

#include <QString>
#include <array>

class CompanyData;
class IniFile;

// Shelf and price labels of stock cards ("Etiket basımı"): one label per card that passes the
// filter, in the chosen order, several side by side on a label sheet. The sheet and most choices
// are kept in Users.ini [ETIKET1].
namespace ShelfLabels {

// The page fields in the order of the window (its fields 11 to 19).
enum PageField { Uzunluk, Genislik, Kolon, Ust, Alt, Sol, Sag, EUzun, EGenis, PageFieldCount };
const char* iniKey(PageField field); // "UZUNLUK" …
QString caption(PageField field);    // "Sayfa Uzunluğu : " …

// Label sizes are in report pixels, 2.6 to the millimetre.
constexpr double kPixelsPerMm = 2.6;

struct Choices {
    std::array<QString, PageFieldCount> page; // as typed
    int order = 0;                            // " Stok listesi ": 0 code, 1 description
    int kdv = 1;       // " KDV ": 0 prices include VAT ("Dahil"), 1 they do not ("Hariç")
    int barcode = 0;   // " Barkod ": 0 not printed, 1 printed
    int nameFont = 1;  // " Cinsi ": 10 or 12
    int codeFont = 1;  // " Kodu ": 10 or 12
    int module = 1;    // " Barkod modülü ": the narrow bar is module + 1 pixels wide
    int price = 0;     // " Etikete Fiyat ": Fiyat1–3
    int priceFont = 4; // " Fiyat ": 10, 12, 16, 18, 22
    bool showCode = true, showName = true, showPrice = true;
    // Not kept: " İkinci Fiyat " (Fiyat1–3, 3 "Hiçbiri") and " Etiket yazılsın ".
    int secondPrice = 3;
    int which = 0;
};
Choices read(const IniFile& ini); // defaults for what is missing or unreadable
void write(IniFile& ini, const Choices& choices);

// The filter fields as typed: code, change date, the three special codes, each from and to.
struct Filter {
    QString codeFrom, codeTo, dateFrom, dateTo;
    std::array<QString, 3> specialFrom, specialTo;
};
// The table filter the window puts on the stock cards (dates as the program writes them).
QString filterText(const Filter& filter);

// Why these labels cannot print, empty when they can: a page value that is no whole number, a
// size of zero, fewer than one column, margins that leave no room, a label wider than its
// column or longer than the page, a label smaller than what it prints.
QString refusal(const Choices& choices);

int fontSize(int choice);      // 10 or 12
int priceFontSize(int choice); // 10, 12, 16, 18, 22
// A price as the label shows it: VAT added when the prices exclude it, in the company's money
// format.
QString priceText(const CompanyData& company, double price, double vatRate, int kdv);

// The labels; throws AppError with the refusal when there is one. Codes whose barcode cannot
// print (not Code 39, or bars too narrow for the box) print without one and are listed in the
// page set's warnings.
PageSet labels(CompanyData& company, const Filter& filter, const Choices& choices);
// The same, made page by page for the preview.
RunningReport startLabels(CompanyData& company, const Filter& filter, const Choices& choices);

} // namespace ShelfLabels
