#pragma once

#include "app/GridWindow.h"

#include <memory>

// "Kolay erişim - Cari Kart Bilgileri" (Alt+F9) and "Kolay erişim - Stok Kart Bilgileri"
// (Alt+F10): every card in the chosen order; "Goster [F2]", Enter or a double click shows the
// quick view of the highlighted card. It reads through a cursor of its own, so the window it
// was opened from keeps its tables as they were.
class TfrmKartLis : public GridWindow {
    Q_OBJECT
public:
    TfrmKartLis(Shell& shell, QuickCard card, QWidget* parent = nullptr);
    ~TfrmKartLis() override;

protected:
    void gridActivated() override;
    void updateCommands() override;

private:
    QuickCard card_;
    std::unique_ptr<Table> own_; // the grid's table, this window's own
};
