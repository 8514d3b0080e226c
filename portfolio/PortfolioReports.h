#pragma once

#include "portfolio/PortfolioKind.h"
#include "printing/ReportRenderer.h"

#include <QDate>
#include <QString>

class CompanyData;

// What the paper lists choose: the due dates (always), a position, and text ranges where the
// portfolio's list has them. Empty texts choose nothing.
struct PaperListChoice {
    QDate from, to;    // due dates, both bounds included
    int position = -1; // the position's code; -1: every position ("Tümü")
    QString numberFrom, numberTo;
    QString customerFrom, customerTo; // giver (customer papers) or payee (firm papers)
    QString bank, branch;             // customer checks: bank and branch; firm checks: bank
    QString refFrom, refTo;           // Nosu, whole numbers
};

namespace PortfolioReports {

// The choice as a filter on the portfolio's table; every text the user typed is compared as
// text (quoted), references as numbers. Throws for a reference that is not a whole number.
QString paperFilter(const PortfolioKind& kind, const PaperListChoice& choice);

// The paper list of a portfolio: one line per paper in due-date order, "TOPLAM : " with the
// amounts' sum and "Listelenen %s adet"; no page at all when nothing is chosen.
RunningReport startPaperList(CompanyData& company, const PortfolioKind& kind,
                             const PaperListChoice& choice, bool letter = false);
PageSet paperList(CompanyData& company, const PortfolioKind& kind, const PaperListChoice& choice,
                  bool letter = false);

// The position choices of a portfolio's list, "Tü&mü" last.
QStringList positionChoices(const PortfolioKind& kind);

} // namespace PortfolioReports
