#pragma once

#include "printing/ReportWindow.h"
#include "stock/ShelfLabels.h"

#include <array>
#include <memory>

class QCheckBox;
class QTableView;
class Table;
class TableModel;

// "Etiket basımı" (3308): the cards to label (filters, shown in the grid), the sheet and what
// each label prints. The sheet and the choices are kept in Users.ini when the window is left.
class TfrmPifAna : public ReportWindow {
    Q_OBJECT
public:
    TfrmPifAna(Shell& shell, QWidget* parent = nullptr);
    ~TfrmPifAna() override;

    ShelfLabels::Filter filter() const;
    ShelfLabels::Choices choices() const;
    // F5: the cards the labels will be for, in the grid.
    void applyFilter();
    QTableView* grid() const { return grid_; }
    Table& cards() const { return *cards_; }

    CriterionRange<TextCriterion> codes;
    CriterionRange<DateCriterion> dates;
    std::array<CriterionRange<TextCriterion>, 3> special;
    std::array<TextCriterion, ShelfLabels::PageFieldCount> page;
    ChoiceCriterion order, kdv, barcode, nameFont, codeFont, module, price, priceFont, second,
        which;
    QCheckBox *showCode, *showName, *showPrice;

protected:
    void preview() override;
    void print() override;
    void leaving() override;

private:
    // The sheet made whole and checked, the filter applied; false after telling why not.
    bool ready();

    std::unique_ptr<Table> cards_;
    TableModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
};
