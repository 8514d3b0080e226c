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
