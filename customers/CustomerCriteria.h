#pragma once

#include "customers/CustomerReports.h"
#include "printing/ReportWindow.h"

#include <array>

// The criteria the card reports (2301, 2302) share, declared on their report window.
struct CardCriteria {
    CriterionRange<TextCriterion> codes; // "Cari kart nosu : ", F6 picks a card
    TextCriterion il;
    std::array<CriterionRange<TextCriterion>, 3> special;
    ChoiceCriterion kind;  // " Cari kart durumu "
    ChoiceCriterion order; // " Cari kart listesi "

    // The code range, starting on the first and the last code in code order.
    static CriterionRange<TextCriterion> addCodes(ReportWindow& window);
    static std::array<CriterionRange<TextCriterion>, 3> addSpecialCodes(ReportWindow& window);
    // The kind group, "&Tümü" chosen.
    static ChoiceCriterion addKind(ReportWindow& window);

    CustomerReports::CardChoice choice() const;
};

// The movement kinds and amounts of 2303 and 2304.
struct MovementCriteria {
    ChoiceCriterion kinds;   // " Hareket türleri "
    ChoiceCriterion amounts; // " Miktarlar "

    static MovementCriteria add(ReportWindow& window);
    CustomerReports::Kinds chosenKinds() const { return CustomerReports::Kinds(kinds.chosen()); }
    CustomerReports::Amounts chosenAmounts() const
    {
        return CustomerReports::Amounts(amounts.chosen());
    }
};

// The movement dates of 2303 and 2304: the working year's first and last day.
CriterionRange<DateCriterion> addMovementDates(ReportWindow& window);
// A statement of one customer over the window's dates and movement choices; dates that are
// not dates are refused ("Tarih aralığı hatalı.").
CustomerReports::StatementChoice statementChoice(qint64 customerId,
                                                 const CriterionRange<DateCriterion>& dates,
                                                 const MovementCriteria& movements);
// "Cari Nosu : " of 2303 and 2304, with the card's title beside it and F6 for the pick list.
CodeCriterion addCustomerCode(ReportWindow& window);
