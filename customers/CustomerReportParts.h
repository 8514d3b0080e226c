#pragma once

#include "customers/CustomerReports.h"
#include "printing/ReportBuilder.h"

#include <QDate>
#include <QString>
#include <memory>

class ReportDef;
class Table;

// What the four customer reports share: their date texts, the kind codes and the card cursor
// the card reports walk.
namespace CustomerReports {

QString isoDate(const QString& text); // empty for an empty text; throws for a bad date
using ReportBuilder::dateText;
using ReportBuilder::summaryCount;
// The customer cards as a report window leaves them: filtered by the choice, in its order.
// `fields`: the fields the report prints (the others are not read), every field when empty.
std::unique_ptr<Table> cards(CompanyData& company, const CardChoice& choice,
                             const QStringList& fields = {});

} // namespace CustomerReports
