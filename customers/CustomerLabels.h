#pragma once

#include "customers/CustomerReports.h"
#include "printing/PageSet.h"
#include "printing/ReportRenderer.h"

#include <QFont>
#include <QString>
#include <array>

class CompanyData;
class IniFile;

// Address labels of customer cards ("Cari kart Etiket dökümü"): the cards of the card list's
// filter, on the standard sheet of twelve or on a sheet of labels of a set size. The sheet is
// kept in Users.ini [ETIKET].
namespace CustomerLabels {

// The window's fields 10 to 21, as typed.
enum Field {
    Uzunluk,
    Genislik,
    Kolon,
    Ust,
    Alt,
    Sol,
    Sag,
    EUzun,
    EGenis,
    KUzun,
    KSol,
    Eki,
    FieldCount
};
using Sheet = std::array<QString, FieldCount>;
const char* iniKey(Field field);
QString caption(Field field);
QString hint(Field field);
Sheet read(const IniFile& ini);
void write(IniFile& ini, const Sheet& sheet);

struct Lines {
    bool title = true, contact = true, address = true, postCode = true, place = true;
};

struct Choice {
    CustomerReports::CardChoice cards; // order: 0 code, 1 title
    Sheet sheet;
    bool standard = true;
    Lines lines;
    QFont font = QFont(QStringLiteral("Arial"), 8);
};

// The standard sheet in millimetres: twelve labels in two columns and six rows.
constexpr double kStandardWidthMm = 156, kStandardHeightMm = 217;

// Why the labels cannot print, empty when they can: a field of the sheet that is no whole
// number (the prefix aside), sizes of zero, no room between the margins, a sheet or label that
// does not fit the page, a label narrower than its lines start.
QString refusal(const Choice& choice);

// The labels; throws AppError ("Etiket ölçüleri hatalı", the reason) when they cannot print.
PageSet labels(CompanyData& company, const Choice& choice);
// The same, made page by page for the preview.
RunningReport startLabels(CompanyData& company, const Choice& choice);

} // namespace CustomerLabels
