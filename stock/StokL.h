#pragma once

#include "app/PickList.h"

// "Stok kart listesi": every card by code or by description (" Stok kart listesi ", starting in
// the order of STOKL), opening on the current card. Enter takes the highlighted card; "Seç [F2]"
// takes it and keeps the order in STOKL; Esc takes none and leaves the table where it was.
class TfrmStokL : public PickList {
    Q_OBJECT
public:
    struct Choice {
        QString code;
        QString name;
        qint64 id = 0;
    };

    // The list opens on the card `startId`, or on the card the table stands on when it is 0.
    TfrmStokL(Shell& shell, Table& stok, QWidget* parent = nullptr, qint64 startId = 0);
    bool takenWithEnter() const { return enter_; }

    // Shows the list; the shared Stok table stands on the chosen card afterwards, in the order
    // last chosen.
    static Choice pick(Shell& shell, Table& stok, QWidget* parent = nullptr, qint64 startId = 0);

protected:
    void gridActivated() override;

private:
    bool enter_ = false;
};
