#pragma once

#include "invoicing/InvoiceReports.h"
#include "printing/ReportWindow.h"

// "Fatura listesi" (1301): the invoice dates (the working year), number and customer code
// ranges, purchases or sales, by number or by date, normal or with the lines.
class TfrmFatRap : public ReportWindow {
    Q_OBJECT
public:
    explicit TfrmFatRap(Shell& shell, QWidget* parent = nullptr);
    RunningReport start() override;
    InvoiceReports::ListChoice choice() const;

    CriterionRange<DateCriterion> dates;
    CriterionRange<TextCriterion> numbers, customers;
    ChoiceCriterion type, order, kind;
};
