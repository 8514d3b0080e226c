#pragma once

#include "app/EntryWindow.h"
#include "app/VoucherWindows.h"

class CodeField;

// Customer vouchers: lines are hand-entered movements of any customers, summed by their debits
// and credits.
VoucherKind customerVoucherKind();

// "Cari fiş hareketleri" (2202).
class TfrmCarFis : public VoucherListWindow {
    Q_OBJECT
public:
    explicit TfrmCarFis(Shell& shell, QWidget* parent = nullptr);
};

// One customer voucher with its lines.
class TfrmCarFisF : public VoucherWindow {
    Q_OBJECT
public:
    TfrmCarFisF(Shell& shell, qint64 voucherId, QWidget* parent = nullptr);
};

// "Yeni Cari hareket" / "Eski Cari hareket": a line of a customer voucher, its customer chosen
// by code. A positive debit clears the credit and the other way round; Enter in "Alacak" saves.
class TfrmCarFisG : public EntryWindow {
    Q_OBJECT
public:
    enum Field { CariNo, Unvani, Tarih, Vadesi, BelgeNo, Aciklama, Borc, Alacak };
    TfrmCarFisG(Shell& shell, qint64 voucherId, qint64 lineId, QWidget* parent = nullptr);
    qint64 savedId() const { return saved_; }

protected:
    bool validate() override;
    void save() override;
    void lastFieldEnter() override { MenuIslem(QStringLiteral("Kaydet")); }

private:
    qint64 voucherId_, lineId_, saved_ = 0;
    CodeField* code_;
    bool clearing_ = false;
};
