#include "widgets/TZemrakSEdit.h"

#include "widgets/EditKeys.h"

#include <QKeyEvent>

TZemrakSEdit::TZemrakSEdit(QWidget* parent, bool emptyAllowed)
    : QLineEdit(parent)
    , keypad_(-1, 20, emptyAllowed)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setMinimumSize(120, 21);
    showText();
}

void TZemrakSEdit::showText()
{
    QLineEdit::setText(keypad_.text());
}

void TZemrakSEdit::setDecimals(int decimals)
{
    keypad_.setDecimals(decimals);
    showText();
}

void TZemrakSEdit::setMaxLength(int maxLength)
{
    keypad_.setMaxLength(maxLength);
    showText();
}

void TZemrakSEdit::setAsFloat(double value)
{
    keypad_.setValue(value);
    showText();
}

void TZemrakSEdit::sync()
{
    QLineEdit::setText(keypad_.text());
    setCursorPosition(keypad_.cursor());
}

void TZemrakSEdit::typeText(const QString& text)
{
    keypad_.setCursor(cursorPosition());
    for (const QChar c : text)
        keypad_.pressChar(c);
    sync();
}

void TZemrakSEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    keypad_.enter();
    sync();
}

void TZemrakSEdit::keyPressEvent(QKeyEvent* event)
{
    if (isNavigationKey(event->key()) ||
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut)) return;
        QLineEdit::keyPressEvent(event);
        return;
    }
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int end = hasSelectedText() ? selectionEnd() : -1;
    keypad_.setCursor(start, end);
    if (event->key() == Qt::Key_Backspace)
        keypad_.press(MoneyKeypad::Key::Backspace);
    else if (event->key() == Qt::Key_Delete)
        keypad_.press(MoneyKeypad::Key::Delete);
    else if (!event->text().isEmpty() && (spaceAllowed_ || event->text() != QLatin1String(" ")))
        keypad_.pressChar(event->text().front());
    sync();
}
