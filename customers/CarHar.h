#pragma once

#include "app/ListWindow.h"

class QLineEdit;

// "Cari İşlemler" (command 2201): the movements of one customer, chosen from the pick list,
// with the card totals under the grid. Only hand-entered ("CA") movements are edited or deleted
// here. After every command the card totals are recomputed and a customer over a limit is warned
// once; activating the window again does not repeat the warning.
class TfrmCarHar : public ListWindow {
    Q_OBJECT
public:
    TfrmCarHar(Shell& shell, QWidget* parent = nullptr);
    // Opens the window on the customer chosen from the pick list.
    static void open(Shell& shell, QWidget* parent);
    qint64 customerId() const { return customerId_; }
    QString totalText(int index) const; // 0 borç, 1 alacak, 2 bakiye

protected:
    void newRecord() override;
    void editRecord() override;
    void deleteRecord() override;
    void updateCommands() override;

private:
    void showCustomer();

    qint64 customerId_ = 0;
    QLineEdit* totals_[3];
};
