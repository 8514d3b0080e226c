#include "app/ListWindow.h"

#include "store/Table.h"

#include <QPushButton>

ListWindow::ListWindow(Shell& shell, const QString& title, Table& table,
                       std::vector<GridColumn> columns, QWidget* parent)
    : GridWindow(shell, title, table, std::move(columns), parent)
    , deleteTexts_{QStringLiteral("Kaydı silmek istediğinize"), QStringLiteral("emin misiniz ?"),
                   QStringLiteral("Kayıt bilgilerini tamamıyla kaybedeceksiniz"),
                   QStringLiteral("emin misiniz ? "), title}
{
    addCommand(QStringLiteral("Yeni"), QStringLiteral("Yeni kayıt [F2]"), Qt::Key_F2, QString(),
               [this] {
                   newRecord();
                   reload();
               });
    addCommand(QStringLiteral("Duzeltme"), QStringLiteral("Düzeltme [F3]"), Qt::Key_F3, QString(),
               [this] {
                   editRecord();
                   reload();
               });
    addCommand(QStringLiteral("Iptal"), QStringLiteral("İptal [F4]"), Qt::Key_F4, QString(),
               [this] { askAndDelete(); });
    addCommand(QStringLiteral("Cikis"), QStringLiteral("Çıkış [Esc]"), Qt::Key_Escape, QString(),
               [this] { closeWindow(QDialog::Accepted); });
    addPopupEntry(popup(), QStringLiteral("Düzeltme"), QStringLiteral("Duzeltme"));
    addPopupEntry(popup(), QStringLiteral("İptal"), QStringLiteral("Iptal"));
}

void ListWindow::setNewHint(const QString& hint)
{
    if (QPushButton* button = commandButton(QStringLiteral("Yeni"))) button->setToolTip(hint);
}

void ListWindow::updateCommands()
{
    const bool any = !table().isEmpty();
    setCommandEnabled(QStringLiteral("Duzeltme"), any);
    setCommandEnabled(QStringLiteral("Iptal"), any);
}

void ListWindow::gridActivated()
{
    MenuIslem(QStringLiteral("Duzeltme"));
}

void ListWindow::askAndDelete()
{
    const DeleteTexts& t = deleteTexts_;
    if (ConfirmBox(shell(), t.first1, t.first2, t.title, this) != 1) return;
    if (ConfirmBox(shell(), t.second1, t.second2, t.title, this) != 1) return;
    deleteRecord();
    reload();
}

void ListWindow::deleteRecord()
{
    CommandTransaction transaction(table().connection());
    table().remove();
    transaction.commit();
}
