#pragma once

#include "app/EntryWindow.h"
#include "app/ListWindow.h"
#include "invoicing/InvoiceKind.h"
#include "invoicing/InvoiceMath.h"
#include "invoicing/InvoicePosting.h"
#include "invoicing/LineAmountFields.h"

#include <memory>
#include <optional>

class CodeField;
class QButtonGroup;
class QLineEdit;

// The invoice (or its delivery note) through its free layout, previewed or printed.
void printInvoice(Shell& shell, qint64 invoiceId, bool irsaliye, bool preview, QWidget* parent);

// An invoice's lines with its header and totals above them. Opening brings the lines' dates
// and the postings into step (one command, writing only what differs). Each line command
// posts the line, its stock movement, the totals and the postings in one command. Sales add
// preview, print and the layout window; in barcode mode a new line starts at once.
class TfrmFtSatisB : public ListWindow {
    Q_OBJECT
public:
    TfrmFtSatisB(Shell& shell, InvoicePosting& posting, const InvoiceKind& kind, qint64 invoiceId,
                 bool barcode, QWidget* parent = nullptr);
    ~TfrmFtSatisB() override;
    // The panel's boxes, in the order of Panel.
    enum Panel {
        PTarih,
        PFatNo,
        PTutar,
        PIrsTarih,
        PIrsNo,
        PIskonto,
        PVadesi,
        PCariNo,
        PKdv,
        PVd,
        PVdNo,
        PToplam,
        PUnvani,
        PAdet
    };
    QString panelText(int box) const;
    QButtonGroup* durum() const { return durum_; }
    QButtonGroup* kdv() const { return kdv_; }

protected:
    void newRecord() override;
    void editRecord() override;
    void deleteRecord() override;
    void updateCommands() override;
    void showEvent(QShowEvent* event) override;

private:
    void openLine(qint64 lineId);
    void print(bool irsaliye, bool preview);
    void saveColumnWidths();

    InvoicePosting& posting_;
    const InvoiceKind& kind_;
    qint64 invoiceId_;
    bool barcode_;
    bool started_ = false;
    std::vector<QLineEdit*> panel_;
    QButtonGroup* durum_ = nullptr;
    QButtonGroup* kdv_ = nullptr;
};

// One invoice line: the card by its code (with the code field rule, proposals of price and
// VAT rate on a new line), description, unit, quantity, price, amounts and rates, with the
// line's arithmetic on leaving each field. Saving recomputes the line from its rates. In
// barcode mode a confirmed code becomes a line of quantity 1 (or a scale barcode's weight) at
// once and the window clears for the next.
class TfrmFtSatisF : public EntryWindow {
    Q_OBJECT
public:
    TfrmFtSatisF(Shell& shell, InvoicePosting& posting, const InvoiceKind& kind, qint64 invoiceId,
                 qint64 lineId, bool barcode, QWidget* parent = nullptr);
    enum Field {
        Kodu,
        Cinsi,
        Birim,
        Miktari,
        BirimF,
        Tutari,
        IskOran,
        IskTutar,
        KdvOran,
        KdvTutar
    };
    qint64 savedId() const { return saved_; }
    QString araToplamText() const;
    QString toplamText() const;

Q_SIGNALS:
    void lineSaved(qint64 lineId);

protected:
    bool validate() override;
    void save() override;
    void saved() override;
    void lastFieldEnter() override { MenuIslem(QStringLiteral("Kaydet")); }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void codeChecked(qint64 stockId);
    void transfer(qint64 stockId);
    void leave(int field);
    LineAmounts amounts() const { return amounts_->read(); }
    void setAmounts(const LineAmounts& a) { amounts_->show(a); }
    void clearForNext();

    InvoicePosting& posting_;
    const InvoiceKind& kind_;
    qint64 invoiceId_;
    qint64 lineId_;
    bool barcode_;
    int kdvDahil_ = 0;
    qint64 saved_ = 0;
    CodeField* code_ = nullptr;
    QString lineKodu_;            // the code the line holds (the card's after a transfer)
    bool confirmedByKey_ = false; // the code was left with Enter or Down
    bool picking_ = false;
    double scaleQuantity_ = 0;
    QString convertedPrice_; // the purchase price text as the last conversion left it
    std::optional<InvoicePosting::StockCard> card_; // found for the code at save
    std::unique_ptr<LineAmountFields> amounts_;
};
