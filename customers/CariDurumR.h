#pragma once

#include "customers/CustomerCriteria.h"

// "Cari durum listesi" (command 2302): each chosen card's debit, credit and balance over a date
// range, with the balance bounds and "B&akiyeli" / "T&ümü".
class TfrmCariDurumR : public ReportWindow {
    Q_OBJECT
public:
    explicit TfrmCariDurumR(Shell& shell, QWidget* parent = nullptr);
    PageSet pages() override;

    CardCriteria criteria;
    CriterionRange<DateCriterion> dates;
    CriterionRange<AmountCriterion> bounds;
    ChoiceCriterion balances;

protected:
    // Long over many cards: the preview shows the first page while the rest are made.
    void preview() override;

private:
    CustomerReports::BalanceChoice balanceChoice() const;
};
