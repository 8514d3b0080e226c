#include "widgets/TZREdit.h"

#include "widgets/EditKeys.h"

#include <QKeyEvent>

TZREdit::TZREdit(QWidget* parent)
    : QLineEdit(parent)
{
}

void TZREdit::keyPressEvent(QKeyEvent* event)
{
    // A key that types replaces the selection, so it fits when what stays and what comes do:
    // a full field whose text is selected (as Enter leaves it) can be overtyped.
    const qsizetype after = text().size() - selectedText().size() + event->text().size();
    if (after <= uzunluk_ || event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete ||
        isNavigationKey(event->key()) || event->text().isEmpty() ||
        !event->text().at(0).isPrint()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (text().size() > uzunluk_) {
        setText(text().left(uzunluk_));
        setCursorPosition(int(text().size()));
    }
}
