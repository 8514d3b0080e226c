#pragma once

#include "invoicing/InvoiceMath.h"

#include <optional>

class EntryWindow;
class QBoxLayout;
class QLineEdit;

// The amount fields of a line window: seven editors one after the other from `first` (quantity,
// unit price, amount, discount rate and amount, VAT rate and amount) and, in `layout`, the
// read-only "Ara Toplam : " and "Fatura Tutarı : " they add up to.
class LineAmountFields {
public:
    LineAmountFields(EntryWindow& window, int first, QBoxLayout* layout);
    // What the fields hold, with the net and the total worked out.
    LineAmounts read() const;
    void show(const LineAmounts& amounts);
    // The line's arithmetic for the field left, when it is one of the seven.
    void leave(int field);
    bool holds(int field) const { return field >= first_ && field < first_ + 7; }
    QString araToplamText() const;
    QString toplamText() const;

private:
    EntryWindow& window_;
    int first_;
    QLineEdit* araTop_;
    QLineEdit* topTutar_;
};
