#pragma once

#include "app/ListWindow.h"

class DateEdit;
class QLineEdit;
class StockVoucherPosting;

// "Stok hareket fişleri" (3202): the stock vouchers in date order. F2 posts a voucher dated
// today at once and opens it; F3 and Enter open the current one; F4 deletes it with its lines.
class TfrmStFis : public ListWindow {
    Q_OBJECT
public:
    explicit TfrmStFis(Shell& shell, QWidget* parent = nullptr);

protected:
    void newRecord() override;
    void editRecord() override;
    void deleteRecord() override;

private:
    void open(qint64 voucherId);
};

// One stock voucher: its date and description above, its lines below with the sums of their
// entry and exit values. Each line command is one command; the header is saved by Esc.
class TfrmStFisF : public ListWindow {
    Q_OBJECT
public:
    TfrmStFisF(Shell& shell, qint64 voucherId, QWidget* parent = nullptr);
    ~TfrmStFisF() override;
    QLineEdit* dateField() const;
    QLineEdit* descriptionField() const { return description_; }
    QString totalText(int index) const; // Giren, Çıkan, Bakiye

protected:
    void newRecord() override;
    void editRecord() override;
    void deleteRecord() override;
    void updateCommands() override;
    void leaving() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openLine(qint64 lineId);
    void refreshCaption();

    qint64 voucherId_;
    std::unique_ptr<StockVoucherPosting> posting_;
    DateEdit* date_;
    QLineEdit* description_;
    std::vector<QLineEdit*> totals_;
};
