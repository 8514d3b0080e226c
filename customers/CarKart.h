#pragma once

#include "app/ListWindow.h"

class QButtonGroup;

// "Cari Kartlar" (command 2101): the customer cards in three orders, new, edit and delete (not
// while the card has movements), the pick list on F6.
class TfrmCarKart : public ListWindow {
    Q_OBJECT
public:
    TfrmCarKart(Shell& shell, QWidget* parent = nullptr);
    void setOrder(int order); // 0 code, 1 title, 2 contact

protected:
    void newRecord() override;
    void editRecord() override;
    void deleteRecord() override;
    void updateCommands() override;

private:
    QButtonGroup* orders_;
};
