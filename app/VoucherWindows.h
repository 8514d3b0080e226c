#pragma once

#include "app/ListWindow.h"

#include <functional>
#include <memory>

class CompanyData;
class DateEdit;
class QLineEdit;
class VoucherBook;

// What a kind of voucher (stock, customer) shows and whom it asks: its header table, the lines'
// table and columns, its texts, its writer and its line window.
struct VoucherKind {
    QString listName, voucherName; // the windows' names ("TfrmStFis", "TfrmStFisF")
    QString headerTable;           // "StFis"
    QString listCaption;           // "Stok fiş hareketleri "
    ListWindow::DeleteTexts listDelete;
    QString lineTable;    // "StHar"
    QString lineIndex;    // "StHar_1"
    QString lineOwnTerms; // what else makes a line the voucher's ("Kaynak = 'CA'"), or empty
    std::function<std::vector<GridColumn>(CompanyData&)> lineColumns;
    QString captionWord; // "stok fiş": "[-%s-%s-] şirketi stok fiş [%s : %s]"
    ListWindow::DeleteTexts lineDelete;
    QStringList totalLabels; // the three sums under the lines
    QuickCard quickCard;
    QString cardRef; // the lines' card link ("STRef")
    std::function<std::unique_ptr<VoucherBook>(CompanyData&)> book;
    // Runs the line window for a new (0) or a stored line; the Nosu of a saved line, else 0.
    std::function<qint64(Shell&, qint64 voucherId, qint64 lineId, QWidget* parent)> lineWindow;
};

// The vouchers of a kind in date order. F2 posts a voucher dated today at once and opens it;
// F3 and Enter open the current one; F4 deletes it with its lines.
class VoucherListWindow : public ListWindow {
    Q_OBJECT
public:
    VoucherListWindow(Shell& shell, VoucherKind kind, QWidget* parent = nullptr);

protected:
    void newRecord() override;
    void editRecord() override;
    void deleteRecord() override;

private:
    void open(qint64 voucherId);
    VoucherKind kind_;
};

// One voucher: its date and description above, its lines below with their sums. Each line
// command is one command; the header is saved by Esc.
class VoucherWindow : public ListWindow {
    Q_OBJECT
public:
    VoucherWindow(Shell& shell, VoucherKind kind, qint64 voucherId, QWidget* parent = nullptr);
    ~VoucherWindow() override;
    QLineEdit* dateField() const;
    QLineEdit* descriptionField() const { return description_; }
    QString totalText(int index) const;

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

    VoucherKind kind_;
    qint64 voucherId_;
    std::unique_ptr<VoucherBook> book_;
    DateEdit* date_;
    QLineEdit* description_;
    std::vector<QLineEdit*> totals_;
};
