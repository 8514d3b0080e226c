#pragma once

#include "orders/OrderReports.h"
#include "printing/ReportWindow.h"

#include <array>

// "Sipariş fişleri listesi" (7301): delivery dates, order numbers, customer and special code
// ranges; order, kind, list type and state.
class TfrmSipLis : public ReportWindow {
    Q_OBJECT
public:
    explicit TfrmSipLis(Shell& shell, QWidget* parent = nullptr);
    ~TfrmSipLis() override;
    RunningReport start() override;
    OrderReports::OrderListChoice choice() const;

    CriterionRange<DateCriterion> dates;
    CriterionRange<TextCriterion> numbers, customers, special;
    ChoiceCriterion order, type, kind, state;
};

// "Sipariş kalemleri listesi" (7303): delivery dates, stock and customer code ranges; order,
// state and kind.
class TfrmSipKal : public ReportWindow {
    Q_OBJECT
public:
    explicit TfrmSipKal(Shell& shell, QWidget* parent = nullptr);
    RunningReport start() override;
    OrderReports::LineListChoice choice() const;

    CriterionRange<DateCriterion> dates;
    CriterionRange<TextCriterion> stocks, customers;
    ChoiceCriterion order, state, type;
};

// "Sipariş fiziki envanter listesi" (7302): stock code and special code ranges, the kind of card
// and the order.
class TfrmSipFzk : public ReportWindow {
    Q_OBJECT
public:
    explicit TfrmSipFzk(Shell& shell, QWidget* parent = nullptr);
    RunningReport start() override;
    OrderReports::StockStatusChoice choice() const;

    CriterionRange<TextCriterion> codes;
    std::array<CriterionRange<TextCriterion>, 3> special;
    ChoiceCriterion kind, order;
};
