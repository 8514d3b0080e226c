#pragma once

#include "app/EntryWindow.h"

class CodeField;

// "Yeni Stok hareketi" / "Eski Stok hareketi": one movement of the current card, an entry or an
// exit. Leaving a quantity or price makes the value quantity × price; a quantity above 0 clears
// the other side; Enter in an empty exit quantity or in the exit value saves.
class TfrmStHarF : public EntryWindow {
    Q_OBJECT
public:
    // `movementId` 0: a new movement for `stockId`.
    TfrmStHarF(Shell& shell, qint64 stockId, qint64 movementId, QWidget* parent = nullptr);
    enum Field { Tarih, BelgeNo, Aciklama, GMiktari, GFiyati, GTutari, CMiktari, CFiyati, CTutari };
    // The editor index of a field (a voucher's line has its code and description first).
    int at(Field field) const { return int(field) + offset_; }
    qint64 savedId() const { return saved_; }

protected:
    // A line of the stock voucher `voucherId`: its card chosen by code (TfrmStFisG).
    TfrmStHarF(Shell& shell, qint64 voucherId, qint64 movementId, bool voucherLine,
               QWidget* parent);
    bool validate() override;
    void save() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void load(qint64 movementId);
    // The value of a side from its quantity and price, when one of them is left.
    void applyLeaveRule(int field);
    void clearSide(bool entry);
    int fieldOf(const QObject* editor) const;

    int offset_ = 0;
    qint64 stockId_ = 0;
    qint64 movementId_;
    qint64 voucherId_ = 0;
    qint64 fRef_ = 0;
    qint64 saved_ = 0;
    CodeField* code_ = nullptr;
};

// A stock voucher's line: the card's code (looked up on leaving and again on saving) and
// description, then the movement as above. Down in the exit value goes back to the code.
class TfrmStFisG : public TfrmStHarF {
    Q_OBJECT
public:
    enum { Kodu = 0, Cinsi = 1 };
    TfrmStFisG(Shell& shell, qint64 voucherId, qint64 movementId, QWidget* parent = nullptr)
        : TfrmStHarF(shell, voucherId, movementId, true, parent)
    {
    }
};
