#pragma once

#include "printing/ReportDef.h"

#include <QDate>

// Small pieces the report declarations are built from.
namespace ReportBuilder {

// An element of any kind; `value` is the field of a field, the expression of an expression and
// the text of the others.
ElementDef element(ElementKind kind, const QString& name, QRectF rect,
                   const QString& value = QString());
ElementDef label(const QString& name, QRectF rect, const QString& text, int alignment = 0);
ElementDef field(const QString& name, QRectF rect, const QString& field,
                 const QString& mask = QString());
ElementDef expression(const QString& name, QRectF rect, const QString& expression,
                      const QString& mask = QString());
BandDef band(BandKind kind, const QString& name, double height,
             std::vector<ElementDef> elements = {});
ElementDef bold(ElementDef element);
ElementDef right(ElementDef element);

// An A4 (or Letter, when `letter`) report with the common page header: the title centred,
// "Tarih : " with today's date and "Sayfa : " with the page number, and a subtitle when given.
ReportDef standardReport(const QString& name, const QString& title, bool letter,
                         const QString& subtitle = QString());

// Spreads the standard page header over the page's width (landscape, other paper); returns the
// width between the margins.
double fitPageHeader(ReportDef& def);

// A date as reports print it and filters take it: dd.mm.yyyy.
QString dateText(const QDate& date);
// The summary line "Listelenen %s adet" (element "lblAdet"), at height `y` of the last band.
void summaryCount(ReportDef& def, double y);

// A text for a filter expression: quoted, a quote inside doubled, so that what the user typed is
// compared as text whatever it holds.
QString quoted(const QString& text);

} // namespace ReportBuilder
