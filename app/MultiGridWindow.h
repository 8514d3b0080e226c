#pragma once

#include "app/FormBase.h"
#include "app/TableModel.h"

#include <functional>

class QLabel;
class QTableView;
class Table;

// A window of several grids over the parts of one document (an instalment sale's invoices, plan
// lines and payments; an order's lines and invoices), one under the other. Left and Right move
// between the grids in turn; the grid in use shows its title in bold white; "Yeni kayıt [F2]",
// "Düzeltme [F3]" (also Enter and a double-click) and "İptal [F4]" act on it, F3 and F4 only
// while it has rows. Moving to another row tells the pane, so the grids below can follow.
class MultiGridWindow : public FormBase {
    Q_OBJECT
public:
    struct Pane {
        QString title;
        Table* table = nullptr;
        std::vector<GridColumn> columns;
        std::function<void()> add, change, remove;
        std::function<bool()> canAdd; // empty: always
        std::function<void()> moved;  // the current row changed
    };

    MultiGridWindow(Shell& shell, const QString& title, QWidget* parent = nullptr);

    int addPane(Pane pane);
    int paneCount() const { return int(panes_.size()); }
    int activePane() const { return active_; }
    void setActivePane(int pane);
    QTableView* grid(int pane) const { return panes_[size_t(pane)].grid; }
    TableModel* model(int pane) const { return panes_[size_t(pane)].model; }
    // Re-reads a pane's table and puts its grid on the table's current record.
    void reloadPane(int pane);

protected:
    void updateCommands() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool FormKeyDown(QKeyEvent* event) override;
    // Before "Çıkış [Esc]" closes; an AppError keeps the window open.
    virtual void leaving() {}

private:
    struct Shown : Pane {
        QLabel* label = nullptr;
        QTableView* grid = nullptr;
        TableModel* model = nullptr;
        bool syncing = false;
    };
    void selectTableRow(Shown& pane);
    void runOnActive(std::function<void()> Pane::*action);

    std::vector<Shown> panes_;
    int active_ = 0;
};
