#pragma once

#include "app/ListWindow.h"
#include "stock/StockReports.h"

#include <array>

class QLineEdit;

// "Stok kartı fiyat değişikliği" (3102): the cards with their three prices and the date of the
// last price change, chosen by code range, exact description and special codes ("Filtrele
// [F5]"); F3 and Enter open the price window of the current card, F6 finds a card in the list.
// The commands act only while a card is listed.
class TfrmStFiyat : public ListWindow {
    Q_OBJECT
public:
    explicit TfrmStFiyat(Shell& shell, QWidget* parent = nullptr);
    ~TfrmStFiyat() override;
    enum Criterion {
        CodeFrom,
        CodeTo,
        Cinsi,
        Special1From,
        Special1To,
        Special2From,
        Special2To,
        Special3From,
        Special3To,
        CriterionCount
    };
    QLineEdit* criterion(Criterion c) const { return criteria_[c]; }
    StockReports::CardChoice choice() const;

protected:
    void editRecord() override;
    void updateCommands() override;

private:
    void applyFilter();
    void findCard();

    std::array<QLineEdit*, CriterionCount> criteria_{};
    bool any_ = true;
};
