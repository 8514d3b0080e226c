#pragma once

#include "app/EntryWindow.h"

class CustomerLedger;

// The fields of a hand-entered customer movement, in the order of TfrmCarHarG::Field.
std::vector<FieldSpec> customerMovementFields(int decimals, int priceDecimals);

// "Yeni Cari hareket" / "Eski Cari hareket": one hand-entered movement of the current customer.
// Quantity × price fills the side of the type ("B" debit, "A" credit); Enter in "Alacak" saves.
class TfrmCarHarG : public EntryWindow {
    Q_OBJECT
public:
    // `movementId` 0: a new movement for `customerId`.
    TfrmCarHarG(Shell& shell, qint64 customerId, qint64 movementId, QWidget* parent = nullptr);
    enum Field { Tarih, Vadesi, BelgeNo, Aciklama, Aciklama1, Tipi, BirimF, Adet, Borc, Alacak };
    qint64 savedId() const { return saved_; }

protected:
    void save() override;
    void lastFieldEnter() override { MenuIslem(QStringLiteral("Kaydet")); }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void recompute(int changed);

    qint64 customerId_;
    qint64 movementId_;
    qint64 fRef_ = 0;
    qint64 saved_ = 0;
    bool updating_ = false;
};
