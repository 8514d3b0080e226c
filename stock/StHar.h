#pragma once

#include "app/ListWindow.h"

class CompanyData;
class QLineEdit;

// The columns of a grid of stock movements: `leading`, then the six numbers and "K".
std::vector<GridColumn> stockMovementColumns(CompanyData& company, std::vector<GridColumn> leading);

// "Stok İşlemleri" (command 3201): the movements of one stock card, chosen from the pick list,
// with the card's nine totals under the grid. Only "ST" movements are edited or deleted here.
// After every command the totals are recomputed and a negative or critical quantity on hand is
// warned about; activating the window again does not repeat the warning.
class TfrmStHar : public ListWindow {
    Q_OBJECT
public:
    TfrmStHar(Shell& shell, QWidget* parent = nullptr);
    // Opens the window on the card chosen from the pick list (the current card when none is).
    static void open(Shell& shell, QWidget* parent);
    qint64 stockId() const { return stockId_; }
    // The totals as shown: GİREN quantity and value, ÇIKAN, BAKİYE, then FİFO, LİFO, ORTALAMA.
    QString totalText(int index) const;

protected:
    void newRecord() override;
    void editRecord() override;
    void deleteRecord() override;
    void updateCommands() override;

private:
    void showCard();

    qint64 stockId_ = 0;
    QLineEdit* totals_[9];
};
