#pragma once

#include "app/ListWindow.h"

// "Cari Kartlar" (command 2101): the customer cards in three orders, new, edit and delete (not
// while the card has movements), the pick list on F6.
class TfrmCarKart : public ListWindow {
    Q_OBJECT
public:
    TfrmCarKart(Shell& shell, QWidget* parent = nullptr);

protected:
    void newRecord() override;
    void editRecord() override;
    void deleteRecord() override;
    void updateCommands() override;
};
