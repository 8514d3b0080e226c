#pragma once

#include "customers/CustomerReports.h"

#include <QDate>
#include <QString>
#include <memory>

class ReportDef;
class Table;

// What the four customer reports share: their date texts, the kind codes and the card cursor
// the card reports walk.
namespace CustomerReports {

QString isoDate(const QString& text); // empty for an empty text; throws for a bad date
QString dateText(const QDate& date);
// The summary line "Listelenen %s adet", at height `y` of the summary band.
void summaryCount(ReportDef& def, double y);
// The customer cards as a report window leaves them: filtered by the choice, in its order.
// `fields`: the fields the report prints (the others are not read), every field when empty.
std::unique_ptr<Table> cards(CompanyData& company, const CardChoice& choice,
                             const QStringList& fields = {});

} // namespace CustomerReports
