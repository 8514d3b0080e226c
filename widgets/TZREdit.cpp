#include "widgets/TZREdit.h"

#include "widgets/EditKeys.h"

#include <QKeyEvent>

TZREdit::TZREdit(QWidget* parent)
    : QLineEdit(parent)
{
}

void TZREdit::keyPressEvent(QKeyEvent* event)
{
    if (text().size() < uzunluk_ || event->key() == Qt::Key_Backspace ||
        isNavigationKey(event->key()) || event->text().isEmpty()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    setText(text().left(uzunluk_));
    setCursorPosition(int(text().size()));
}
