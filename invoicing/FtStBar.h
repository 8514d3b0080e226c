#pragma once

#include "app/FormBase.h"
#include "invoicing/BarcodeSale.h"

#include <QAbstractTableModel>
#include <memory>

class QButtonGroup;
class QLabel;
class QLineEdit;
class TProDbGrid;
class TZemrakSEdit;

// The rows of a barcode sale as the grid shows and edits them, with one row more at the end:
// the row a scan is typed into, which holds only its code until the code is confirmed.
class SaleRowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    SaleRowsModel(BarcodeSale& sale, const QString& quantityFormat, const QString& moneyFormat,
                  QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

    int newRow() const { return int(sale_.rows().size()); }
    // The code typed into a row and not confirmed yet; empty when none.
    QString typedCode(int row) const;
    void setTypedCode(int row, const QString& code);
    void dropTypedCode() { typed_ = {-1, QString()}; }
    void refresh();

Q_SIGNALS:
    // A number typed into a filled row's cell; the window applies it.
    void numberTyped(int row, int column, double value);

private:
    BarcodeSale& sale_;
    QString quantityFormat_, moneyFormat_;
    std::pair<int, QString> typed_{-1, QString()};
};

// "[-%s-%s-] şirketi barkodlu satış" (opened by 1203 on a new header): scans become rows at once,
// rows of one card fold, the totals run along; F2 or F8 saves the whole sale in one command
// (F8 also prints it), Esc abandons it and deletes the header. Left only through F2, F8 or Esc.
class TfrmFtStBarF : public FormBase {
    Q_OBJECT
public:
    TfrmFtStBarF(Shell& shell, InvoicePosting& posting, qint64 invoiceId,
                 QWidget* parent = nullptr);
    ~TfrmFtStBarF() override;

    TProDbGrid* grid() const { return grid_; }
    SaleRowsModel* model() const { return model_; }
    const BarcodeSale& sale() const { return *sale_; }
    // "Tutarı (+)", "İskonto (-)", "Kdv (+)", "FATURA TOPLAMI" and the row count.
    QString totalText(int index) const;
    QButtonGroup* durum() const { return durum_; }
    QButtonGroup* kdv() const { return kdv_; }
    bool saved() const { return saved_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The code of a row confirmed with Enter or Down: the row is filled from its card.
    void confirmCode(int row);
    // The cell being typed in is taken as if it were left with Enter.
    void commitOpenCell();
    void numberTyped(int row, int column, double value);
    void currentChanged(const QModelIndex& now, const QModelIndex& before);
    void goToNewRow();
    void showTotals();
    bool saveSale();

    InvoicePosting& posting_;
    std::unique_ptr<BarcodeSale> sale_;
    SaleRowsModel* model_;
    TProDbGrid* grid_;
    std::vector<QLineEdit*> panel_;
    QLabel* count_;
    QButtonGroup* durum_ = nullptr;
    QButtonGroup* kdv_ = nullptr;
    bool saved_ = false;
    bool confirming_ = false;
};

// The change window shown at every save of a barcode sale (no border): the sale's total, the
// money given (focus) and the change. Nothing of it is stored; Esc returns to the sale.
class TfrmFtStBarG : public FormBase {
    Q_OBJECT
public:
    TfrmFtStBarG(Shell& shell, double total, QWidget* parent = nullptr);
    TZemrakSEdit* given() const { return given_; }
    QString changeText() const;

protected:
    bool FormKeyDown(QKeyEvent* event) override;

private:
    void showChange();

    double total_;
    QLineEdit* totalBox_;
    TZemrakSEdit* given_;
    QLineEdit* change_;
};
