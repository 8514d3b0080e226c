#pragma once

#include "app/ListWindow.h"

// "Stok Kartları" (command 3101): the stock cards by code or by description, new, edit and
// delete (not while the card has a movement of any source), the pick list on F6.
class TfrmStKart : public ListWindow {
    Q_OBJECT
public:
    TfrmStKart(Shell& shell, QWidget* parent = nullptr);

protected:
    void newRecord() override;
    void editRecord() override;
    void deleteRecord() override;
    void updateCommands() override;
};
