#include "app/PickList.h"

#include "store/Table.h"

PickList::PickList(Shell& shell, const QString& title, Table& table,
                   std::vector<GridColumn> columns, QWidget* parent)
    : GridWindow(shell, title, table, std::move(columns), parent)
{
    addCommand(QStringLiteral("Sec"), QStringLiteral("Seç [F2]"), Qt::Key_F2, QString(), [this] {
        chosen_ = this->table().currentId();
        closeWindow(QDialog::Accepted);
    });
    addCommand(QStringLiteral("Vazgec"), QStringLiteral("Vazgeç [Esc]"), Qt::Key_Escape, QString(),
               [this] { closeWindow(QDialog::Rejected); });
}

void PickList::gridActivated()
{
    MenuIslem(QStringLiteral("Sec"));
}

void PickList::updateCommands()
{
    setCommandEnabled(QStringLiteral("Sec"), !table().isEmpty());
}

bool pickInto(Shell& shell, const QString& title, Table& list, const QString& index,
              std::vector<GridColumn> columns, QWidget* parent)
{
    Table own(list.connection(), list.name());
    own.setIndexName(index);
    own.setFilter(list.filter());
    own.setFiltered(list.filtered());
    own.open();
    PickList pick(shell, title, own, std::move(columns), parent);
    if (list.currentId() > 0 && own.gotoId(list.currentId())) pick.reload();
    pick.run();
    return pick.chosenId() > 0 && list.gotoId(pick.chosenId());
}
