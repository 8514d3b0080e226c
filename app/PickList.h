#pragma once

#include "app/GridWindow.h"

// A pick list: "Seç [F2]" or Enter takes the highlighted record, "Vazgeç [Esc]" closes.
class PickList : public GridWindow {
    Q_OBJECT
public:
    PickList(Shell& shell, const QString& title, Table& table, std::vector<GridColumn> columns,
             QWidget* parent = nullptr);
    // Nosu of the record taken, 0 when none was.
    qint64 chosenId() const { return chosen_; }

protected:
    void gridActivated() override;
    void updateCommands() override;

private:
    qint64 chosen_ = 0;
};

// A pick list over a cursor of its own on `list`'s table, in the order `index` and under the
// same filter, standing on `list`'s current record; the record taken becomes `list`'s current
// (its order untouched). True when one was taken.
bool pickInto(Shell& shell, const QString& title, Table& list, const QString& index,
              std::vector<GridColumn> columns, QWidget* parent);
