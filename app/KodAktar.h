#pragma once

#include "app/EntryWindow.h"
#include "store/CodeTransfer.h"

class QProgressBar;

// The code transfer window of the card lists (customer and stock cards, F7): the current
// card's code and the new one; "Kod aktar [F2]" asks twice and rewrites (see CodeTransfer).
// After the checks the window closes, whether the transfer ran, was refused or declined.
class TfrmKodAktar : public EntryWindow {
    Q_OBJECT
public:
    TfrmKodAktar(Shell& shell, CodeTransfer::Kind kind, Table& cards, QWidget* parent = nullptr);

    QProgressBar* progress() const { return progress_; }

protected:
    bool validate() override;
    void save() override;
    void saved() override;

private:
    CodeTransfer::Kind kind_;
    qint64 cardId_;
    QString oldCode_;
    QProgressBar* progress_;
    bool done_ = false;
};
