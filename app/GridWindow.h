#pragma once

#include "app/FormBase.h"
#include "app/TableModel.h"

class QButtonGroup;
class QLineEdit;
class QMenu;
class QTableView;
class Table;

// The grid of list windows over a model: whole rows selected, read-only, fixed row height,
// the columns' widths, the last one stretched.
QTableView* makeGridView(TableModel* model, QWidget* parent);

// A window around a grid bound to a table: the lazy model, the grid's current row following the
// table's cursor and back, and a pop-up menu for the window's entries.
class GridWindow : public FormBase {
    Q_OBJECT
public:
    GridWindow(Shell& shell, const QString& title, Table& table, std::vector<GridColumn> columns,
               QWidget* parent = nullptr, bool companyCaption = true);

    QTableView* grid() const { return grid_; }
    TableModel* model() const { return model_; }
    Table& table() const { return table_; }
    // Re-reads the table and puts the grid on the table's current record.
    void reload();
    // Puts the grid (and the table) on the last record, as list windows open.
    void goLast();
    // Read-only boxes the window fills, each after its label: in a row under the grid (totals),
    // or one under the other above it (a document's header) when `above`.
    std::vector<QLineEdit*> addInfoBoxes(const QStringList& labels, bool above = false,
                                         int width = 140);
    // Several rows may be chosen at once (Shift and Ctrl with the arrows or the mouse).
    void setMultiSelect(bool on);
    // The Nosu of the rows chosen, in the grid's order; the current record when none is.
    std::vector<qint64> selectedIds() const;
    // Shows other columns (another order of the same table, for example).
    void setColumns(std::vector<GridColumn> columns);

    // An order the list may be shown in: the choice's caption, the table's index, and the
    // columns that go with it (none: the columns stay).
    struct ListOrder {
        QString caption;
        QString indexName;
        std::vector<GridColumn> columns = {};
    };
    // The order choice above the grid, a radio group titled `title`; choosing an order keeps
    // the current record. Starts in `initial`.
    void setOrders(const QString& title, std::vector<ListOrder> orders, int initial);
    void setOrder(int order);
    int order() const { return order_; }
    QButtonGroup* orderGroup() const { return orderGroup_; }

protected:
    QMenu* popup() const { return popup_; }
    // Enter or a double-click on the grid.
    virtual void gridActivated() {}
    bool eventFilter(QObject* watched, QEvent* event) override;

    void selectTableRow();

private:
    void connectSelection();

    Table& table_;
    TableModel* model_;
    QTableView* grid_;
    QMenu* popup_;
    bool syncing_ = false;
    std::vector<ListOrder> orders_;
    QButtonGroup* orderGroup_ = nullptr;
    int order_ = 0;
};
