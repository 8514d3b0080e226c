#include "widgets/ProDbGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

class NumberCellEditor : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const QString t = event->text();
        if (t == QLatin1String("-")) {
            const int at = cursorPosition();
            if (text().startsWith(QLatin1Char('-'))) {
                setText(text().mid(1));
                setCursorPosition(std::max(0, at - 1));
            } else {
                setText(QLatin1Char('-') + text());
                setCursorPosition(at + 1);
            }
            return;
        }
        if (t == QLatin1String("e") || t == QLatin1String("E")) {
            if (!text().contains(QLatin1Char('E'))) insert(QStringLiteral("E"));
            return;
        }
        if (t == QLatin1String(".") && text().contains(QLatin1Char('.'))) return;
        if (t.size() == 1 && !t.front().isDigit() && t != QLatin1String(".")) return;
        QLineEdit::keyPressEvent(event);
    }
};

} // namespace

QWidget* NumberCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex&) const
{
    auto* editor = new NumberCellEditor(parent);
    editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return editor;
}

TProDbGrid::TProDbGrid(QWidget* parent)
    : QTableView(parent)
{
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    horizontalHeader()->setSectionsMovable(false);
    verticalHeader()->setVisible(true);
}

bool TProDbGrid::advance()
{
    QAbstractItemModel* m = model();
    if (!m) return false;
    QModelIndex at = currentIndex();
    if (!at.isValid()) return false;
    if (state() == QAbstractItemView::EditingState) {
        // Commit the open editor before moving on.
        if (QWidget* editor = indexWidget(at)) commitData(editor);
        closePersistentEditor(at);
        setCurrentIndex(at);
    }
    if (at.column() + 1 < m->columnCount()) {
        setCurrentIndex(m->index(at.row(), at.column() + 1));
        return true;
    }
    int row = at.row() + 1;
    if (row >= m->rowCount()) {
        if (!m->insertRows(m->rowCount(), 1)) return false;
        row = m->rowCount() - 1;
    }
    setCurrentIndex(m->index(row, 0));
    return true;
}

void TProDbGrid::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool shiftRight =
        event->key() == Qt::Key_Right && event->modifiers() == Qt::ShiftModifier;
    if (enter || shiftRight) {
        if (advance()) {
            event->accept();
            return;
        }
    }
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier) {
        if (KayitSilinsinMi && model() && currentIndex().isValid())
            model()->removeRows(currentIndex().row(), 1);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}
