#include "app/ListWindow.h"

#include <QKeyEvent>

#include "store/CommandTransaction.h"
#include "store/Table.h"

#include <QPushButton>

ListWindow::ListWindow(Shell& shell, const QString& title, Table& table,
                       std::vector<GridColumn> columns, QWidget* parent, const ListTexts& texts,
                       bool companyCaption)
    : GridWindow(shell, title, table, std::move(columns), parent, companyCaption)
    , deleteTexts_{QStringLiteral("Kaydı silmek istediğinize"), QStringLiteral("emin misiniz ?"),
                   QStringLiteral("Kayıt bilgilerini tamamıyla kaybedeceksiniz"),
                   QStringLiteral("emin misiniz ? "), title}
{
    // A list without new records or deletes leaves their captions empty.
    if (!texts.newCaption.isEmpty())
        addCommand(QStringLiteral("Yeni"), texts.newCaption, Qt::Key_F2, texts.newHint, [this] {
            newRecord();
            reload();
        });
    addCommand(QStringLiteral("Duzeltme"), texts.editCaption, Qt::Key_F3, texts.editHint, [this] {
        if (!owned(true)) return;
        editRecord();
        reload();
    });
    if (!texts.deleteCaption.isEmpty())
        addCommand(QStringLiteral("Iptal"), texts.deleteCaption, Qt::Key_F4, texts.deleteHint,
                   [this] { askAndDelete(); });
    addCommand(QStringLiteral("Cikis"), texts.exitCaption, Qt::Key_Escape, texts.exitHint, [this] {
        leaving();
        closeWindow(QDialog::Accepted);
    });
    addPopupEntry(popup(), texts.editPopup, QStringLiteral("Duzeltme"));
    if (!texts.deleteCaption.isEmpty())
        addPopupEntry(popup(), texts.deletePopup, QStringLiteral("Iptal"));
}

void ListWindow::updateCommands()
{
    const bool any = !table().isEmpty();
    setCommandEnabled(QStringLiteral("Duzeltme"), any);
    setCommandEnabled(QStringLiteral("Iptal"), any);
    if (hasLines_) setCommandEnabled(QStringLiteral("Hareketler"), any);
}

void ListWindow::addLinesCommand(const QString& caption, const QString& popupText,
                                 std::function<void()> open)
{
    hasLines_ = true;
    addCommand(QStringLiteral("Hareketler"), caption, Qt::Key_F5, QString(), std::move(open));
    addPopupEntry(popup(), popupText, QStringLiteral("Hareketler"));
}

void ListWindow::newRecord()
{
    if (!header_) return;
    const qint64 saved = header_(0);
    if (!saved) return;
    table().refresh();
    table().gotoId(saved);
    reload();
    updateCommands(); // the first document of an empty list turns its lines command on
    if (hasLines_) MenuIslem(QStringLiteral("Hareketler"));
}

void ListWindow::editRecord()
{
    if (!header_) return;
    const qint64 saved = header_(table().currentId());
    if (!saved) return;
    table().refresh();
    table().gotoId(saved);
    reload();
    updateCommands(); // the first document of an empty list turns its lines command on
    if (hasLines_) MenuIslem(QStringLiteral("Hareketler"));
}

void ListWindow::gridActivated()
{
    MenuIslem(hasLines_ ? QStringLiteral("Hareketler") : QStringLiteral("Duzeltme"));
}

bool ListWindow::FormKeyDown(QKeyEvent* event)
{
    if (rereadBeforeKeys_ && event->key() >= Qt::Key_F1 && event->key() <= Qt::Key_F12) {
        const qint64 at = table().currentId();
        table().refresh();
        if (at > 0) table().gotoId(at);
        reload();
    }
    return GridWindow::FormKeyDown(event);
}

void ListWindow::askAndDelete()
{
    if (!owned(false) || !canDelete()) return;
    const DeleteTexts& t = deleteTexts_;
    if (ConfirmBox(shell(), t.first1, t.first2, t.title, this) != 1) return;
    if (ConfirmBox(shell(), t.second1, t.second2, t.title, this) != 1) return;
    deleteRecord();
    reload();
}

bool ListWindow::owned(bool edit)
{
    return ownedOrTell(edit ? owned_.editLine : owned_.deleteLine,
                       edit ? owned_.editTitle : owned_.deleteTitle);
}

bool ListWindow::ownedOrTell(const QString& line, const QString& title)
{
    if (owned_.field.isEmpty()) return true;
    const QString source = table()[owned_.field].asString();
    if (source == owned_.value || (owned_.emptyIsOwn && source.isEmpty())) return true;
    NoticeBox(shell(), owned_.refused, line, title, this);
    return false;
}

void ListWindow::deleteRecord()
{
    CommandTransaction::run(table().connection(), [&] { table().remove(); });
}
