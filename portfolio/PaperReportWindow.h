#pragma once

#include "portfolio/PortfolioReports.h"
#include "printing/ReportWindow.h"

// A portfolio's paper list (4301 "Müşteri çek listeleri" … 4304 "Firma senet listeleri"): due
// dates (the working year at opening), a position or "Tü&mü", and the text ranges the portfolio
// has; "Referans No" takes digits only.
class TfrmMCekR : public ReportWindow {
    Q_OBJECT
public:
    TfrmMCekR(Shell& shell, const PortfolioKind& kind, QWidget* parent = nullptr);
    RunningReport start() override;
    PaperListChoice choice() const;

    CriterionRange<DateCriterion> dates;
    ChoiceCriterion position;
    CriterionRange<TextCriterion> numbers, customers, references;
    TextCriterion bank, branch;

private:
    const PortfolioKind& kind_;
};
