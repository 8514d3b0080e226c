#include "widgets/CodeEdit.h"

#include <QKeyEvent>
#include <QLocale>

void CodeEdit::keyPressEvent(QKeyEvent* event)
{
    // The key itself is made a capital, so the line keeps its selection and undo steps.
    const QLocale turkish(QLocale::Turkish);
    const QString upper = turkish.toUpper(event->text());
    if (upper != event->text()) {
        QKeyEvent capital(event->type(), event->key(), event->modifiers(), upper,
                          event->isAutoRepeat(), ushort(event->count()));
        TZREdit::keyPressEvent(&capital);
        event->setAccepted(capital.isAccepted());
    } else {
        TZREdit::keyPressEvent(event);
    }
    // What came in another way (a paste) is made capitals too.
    if (text() != turkish.toUpper(text())) {
        const int at = cursorPosition();
        setText(turkish.toUpper(text()));
        setCursorPosition(at);
    }
}
