#pragma once

#include "app/EntryWindow.h"
#include "instalments/InstalmentPosting.h"

class QButtonGroup;

// The invoice header of a sale on instalments: dates, numbers and description; the customer and
// address come from the sale. A saved header opens the invoice's line window.
class TfrmTaksitC : public EntryWindow {
    Q_OBJECT
public:
    enum Field { Tarih, IrsTarih, Vadesi, FatNo, IrsNo, Aciklama };
    TfrmTaksitC(Shell& shell, InstalmentPosting& posting, qint64 saleId, qint64 invoiceId,
                QWidget* parent = nullptr);
    qint64 savedId() const { return saved_; }

protected:
    void save() override;
    void lastFieldEnter() override { MenuIslem(QStringLiteral("Kaydet")); }

private:
    InstalmentPosting& posting_;
    qint64 saleId_, invoiceId_, saved_ = 0;
};

// "Plan düzeltme": a plan line's due date, amount and description.
class TfrmTaksitE : public EntryWindow {
    Q_OBJECT
public:
    enum Field { Vadesi, Tutari, Aciklama };
    TfrmTaksitE(Shell& shell, InstalmentPosting& posting, qint64 lineId, QWidget* parent = nullptr);

protected:
    void save() override;

private:
    InstalmentPosting& posting_;
    qint64 lineId_;
};

// "Ödeme yeni kayıt" / "Ödeme düzeltme": a payment of a plan line, its kind, date, description
// and amount; a payment by check or note asks for the paper in the portfolio.
class TfrmTaksitF : public EntryWindow {
    Q_OBJECT
public:
    enum Field { Tarih, Aciklama, Tutari };
    TfrmTaksitF(Shell& shell, InstalmentPosting& posting, qint64 lineId, qint64 paymentId,
                QWidget* parent = nullptr);
    QButtonGroup* kind() const { return kind_; }

protected:
    void save() override;
    void saved() override;

private:
    InstalmentPosting& posting_;
    qint64 lineId_, paymentId_;
    QButtonGroup* kind_;
};
