#pragma once

#include "instalments/InstalmentReports.h"
#include "printing/ReportWindow.h"

#include <array>

struct InstalmentSide;

// "Kredili satış ödeme listesi" (1303) and "Kredili alış ödeme listesi" (1304): the customer,
// the due dates, the special codes, the payment state and the customer order.
class TfrmTakLis : public ReportWindow {
    Q_OBJECT
public:
    TfrmTakLis(Shell& shell, const InstalmentSide& side, QWidget* parent = nullptr);
    PageSet pages() override;
    InstalmentReports::PaymentListChoice choice() const;

    CodeCriterion customer;
    CriterionRange<DateCriterion> due;
    std::array<CriterionRange<TextCriterion>, 3> special;
    ChoiceCriterion state, order;

protected:
    void preview() override;

private:
    const InstalmentSide& side_;
};
