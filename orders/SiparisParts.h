#pragma once

#include "app/EntryWindow.h"
#include "invoicing/InvoiceMath.h"
#include "invoicing/InvoicePosting.h"
#include "invoicing/LineAmountFields.h"
#include "orders/OrderPosting.h"

#include <memory>
#include <optional>

class CodeField;
class QLineEdit;

// One order line: the stock card by its code (the code field rule; a new line proposes the
// card's VAT rate and first price), description, unit, two notes, quantity, price, amounts and
// rates with the line's arithmetic on leaving each field, and the line's delivery date. With
// scale barcodes on, a code no card has is read as one and the line is saved at once.
class TfrmSiparisC : public EntryWindow {
    Q_OBJECT
public:
    enum Field {
        Kodu,
        Cinsi,
        Birim,
        Aciklama1,
        Aciklama2,
        Miktari,
        BirimF,
        Tutari,
        IskOran,
        IskTutar,
        KdvOran,
        KdvTutar,
        Tarih
    };
    TfrmSiparisC(Shell& shell, OrderPosting& posting, qint64 orderId, qint64 lineId,
                 QWidget* parent = nullptr);
    qint64 savedId() const { return saved_; }
    QString araToplamText() const { return amounts_->araToplamText(); }
    QString toplamText() const { return amounts_->toplamText(); }

protected:
    bool validate() override;
    void save() override;
    void lastFieldEnter() override { MenuIslem(QStringLiteral("Kaydet")); }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void codeChecked(qint64 stockId);

    OrderPosting& posting_;
    qint64 orderId_, lineId_, saved_ = 0;
    CodeField* code_ = nullptr;
    QString lineKodu_; // the code the line holds (the card's after a look-up)
    bool picking_ = false;
    double scaleQuantity_ = 0;
    std::optional<InvoicePosting::StockCard> card_; // found for the code at save
    std::unique_ptr<LineAmountFields> amounts_;
};

// The header of an invoice made from the order (or orders): dates, numbers, description and due
// date. A new one proposes the next invoice number and posts the invoice with one line per open
// order line; an existing one is saved again as an invoice header (re-dated, totals, postings).
class TfrmSiparisD : public EntryWindow {
    Q_OBJECT
public:
    enum Field { Tarih, FatNo, IrsTarih, IrsNo, Aciklama, Vadesi };
    TfrmSiparisD(Shell& shell, OrderPosting& posting, std::vector<qint64> orderIds,
                 qint64 invoiceId, const QString& description, QWidget* parent = nullptr);
    qint64 savedId() const { return saved_; }

protected:
    bool validate() override;
    void save() override;

private:
    OrderPosting& posting_;
    std::vector<qint64> orderIds_;
    qint64 invoiceId_, saved_ = 0;
};
