#pragma once

#include "app/PickList.h"

// "Cari kart listesi": every card, or the bank cards only, ordered by code, title or contact
// (" Cari kart listesi "), starting on the current card. "Seç [F2]" or Enter takes a card and
// keeps the order in CARIL; Esc takes none.
class TfrmCariListe : public PickList {
    Q_OBJECT
public:
    struct Choice {
        QString code;
        QString title;
        qint64 id = 0;
        double gzam = 0;
    };

    // The list opens on the card `startId`, or on the card the table stands on when it is 0
    // (the first card when that one is not in the list).
    TfrmCariListe(Shell& shell, Table& cari, bool banksOnly, QWidget* parent = nullptr,
                  qint64 startId = 0);

    // Shows the list; the shared Cari table stands on the chosen card afterwards. The bank-only
    // list leaves the table filtered to banks.
    static Choice pick(Shell& shell, Table& cari, bool banksOnly = false, QWidget* parent = nullptr,
                       qint64 startId = 0);
};
