#pragma once

#include "customers/CustomerCriteria.h"

// "Cari kart ekstresi" (command 2304): one customer's statement between two dates, with the
// carried-forward totals, optionally with the lines of its invoices.
class TfrmCariEkstreR : public ReportWindow {
    Q_OBJECT
public:
    explicit TfrmCariEkstreR(Shell& shell, QWidget* parent = nullptr);
    PageSet pages() override;

    CriterionRange<DateCriterion> dates;
    CodeCriterion customer; // starts on the current card
    ChoiceCriterion order;
    MovementCriteria movements;
    ChoiceCriterion stock;
};
