#pragma once

#include "customers/CustomerCriteria.h"

// "Cari durum listesi" (command 2302): each chosen card's debit, credit and balance over a date
// range, with the balance bounds and "B&akiyeli" / "T&ümü".
class TfrmCariDurumR : public ReportWindow {
    Q_OBJECT
public:
    explicit TfrmCariDurumR(Shell& shell, QWidget* parent = nullptr);
    RunningReport start() override;

    CardCriteria criteria;
    CriterionRange<DateCriterion> dates;
    CriterionRange<AmountCriterion> bounds;
    ChoiceCriterion balances;

private:
    CustomerReports::BalanceChoice balanceChoice() const;
};
