#pragma once

#include "app/FormBase.h"
#include "invoicing/InvoiceLayout.h"

#include <QFont>
#include <vector>

class QCheckBox;
class QLineEdit;
class TZemrakEdit;

// "Fatura dizaynı": the built-in invoice layout's band heights, page size and element
// positions (FatPlan) with their show boxes, the discount total's place, the four total labels
// and the font (Users.ini, FATURA). Enter moves on; on the last label text it saves as F2
// does. A layout that cannot print is refused with a notice and the window stays open.
class TfrmFtSatisZ : public FormBase {
    Q_OBJECT
public:
    explicit TfrmFtSatisZ(Shell& shell, QWidget* parent = nullptr);

    // A position row by its label ("Ünvanı : ", "Stok kodu : ", …): left and top editors, box.
    struct Row {
        QString label;
        QString prefix; // FatPlan fields prefix_L, prefix_T
        QString flag;   // FatPlan show flag; empty for rows that always print
        TZemrakEdit* left = nullptr;
        TZemrakEdit* top = nullptr;
        QCheckBox* shown = nullptr;
    };
    const Row* row(const QString& label) const;
    TZemrakEdit* heightEdit(int index) const { return heights_[size_t(index)]; }
    TZemrakEdit* sizeEdit(int index) const { return size_[size_t(index)]; }
    QLineEdit* labelText(int index) const { return texts_[size_t(index)]; }
    QCheckBox* labelShown(int index) const { return textShown_[size_t(index)]; }
    bool saved() const { return saved_; }

protected:
    void lastFieldEnter() override { MenuIslem(QStringLiteral("Kaydet")); }

private:
    void save();
    TZemrakEdit* number(double value, bool decimals);

    InvoicePlan plan_;
    InvoiceLayoutSettings settings_;
    std::vector<TZemrakEdit*> heights_;
    std::vector<TZemrakEdit*> size_;
    std::vector<Row> rows_;
    TZemrakEdit* iskontoLeft_ = nullptr;
    TZemrakEdit* iskontoTop_ = nullptr;
    QCheckBox* iskontoShown_ = nullptr;
    std::vector<QLineEdit*> texts_;
    std::vector<QCheckBox*> textShown_;
    QFont font_;
    bool saved_ = false;
};
