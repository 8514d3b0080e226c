#pragma once

#include "cash/CashReports.h"
#include "printing/ReportWindow.h"

// "Kasa defteri dökümü" (5301): the dates of the book (both today at opening) and whether the
// in and out totals print.
class TfrmKasaRap : public ReportWindow {
    Q_OBJECT
public:
    TfrmKasaRap(Shell& shell, QWidget* parent = nullptr);
    RunningReport start() override;
    CashReports::BookChoice choice() const;

    CriterionRange<DateCriterion> dates;
    ChoiceCriterion totals;
};
