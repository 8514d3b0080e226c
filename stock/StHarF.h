#pragma once

#include "app/EntryWindow.h"

// "Yeni Stok hareketi" / "Eski Stok hareketi": one movement of the current card, an entry or an
// exit. Leaving a quantity or price makes the value quantity × price; a quantity above 0 clears
// the other side; Enter in an empty exit quantity or in the exit value saves.
class TfrmStHarF : public EntryWindow {
    Q_OBJECT
public:
    // `movementId` 0: a new movement for `stockId`.
    TfrmStHarF(Shell& shell, qint64 stockId, qint64 movementId, QWidget* parent = nullptr);
    enum Field { Tarih, BelgeNo, Aciklama, GMiktari, GFiyati, GTutari, CMiktari, CFiyati, CTutari };
    qint64 savedId() const { return saved_; }

protected:
    void save() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The value of a side from its quantity and price, when one of them is left.
    void applyLeaveRule(int field);
    void clearSide(bool entry);

    qint64 stockId_;
    qint64 movementId_;
    qint64 fRef_ = 0;
    qint64 saved_ = 0;
};
