#pragma once

#include "app/VoucherWindows.h"

// Stock vouchers: lines are stock movements of any cards, summed by their entry and exit values.
VoucherKind stockVoucherKind();

// "Stok hareket fişleri" (3202).
class TfrmStFis : public VoucherListWindow {
    Q_OBJECT
public:
    explicit TfrmStFis(Shell& shell, QWidget* parent = nullptr);
};

// One stock voucher with its lines.
class TfrmStFisF : public VoucherWindow {
    Q_OBJECT
public:
    TfrmStFisF(Shell& shell, qint64 voucherId, QWidget* parent = nullptr);
};
