#include "widgets/NumberEdits.h"

#include <QKeyEvent>

namespace {

// Keys that move the focus or the cursor pass to the line edit (and the window) untouched.
bool isNavigation(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return true;
    default:
        return key >= Qt::Key_F1 && key <= Qt::Key_F35;
    }
}

} // namespace

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
    if (isNavigation(event->key()) ||
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

TProZemrakSEdit::TProZemrakSEdit(QWidget* parent)
    : TZemrakSEdit(parent)
    , colorAktif_(QColor(255, 255, 225))
    , colorNormal_(palette().color(QPalette::Base))
{
    setReadOnly(true);
}

void TProZemrakSEdit::focusInEvent(QFocusEvent* event)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, colorAktif_);
    setPalette(p);
    TZemrakSEdit::focusInEvent(event);
}

void TProZemrakSEdit::focusOutEvent(QFocusEvent* event)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, colorNormal_);
    setPalette(p);
    TZemrakSEdit::focusOutEvent(event);
}

TZRgrdEdit::TZRgrdEdit(QWidget* parent)
    : TZemrakSEdit(parent, true)
{
    spaceAllowed_ = false;
}

TZemrakEdit::TZemrakEdit(QWidget* parent)
    : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setText(QStringLiteral("0"));
}

double TZemrakEdit::asFloat() const
{
    QString t = text();
    t.remove(QLatin1Char(','));
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok ? v : 0;
}

int TZemrakEdit::asInteger() const
{
    return int(std::llround(asFloat()));
}

void TZemrakEdit::setAsFloat(double value)
{
    setText(formatFreeNumber(QString::number(value, 'f', 10), thousands_));
}

void TZemrakEdit::setAsInteger(int value)
{
    setText(formatFreeNumber(QString::number(value), thousands_));
}

void TZemrakEdit::keyPressEvent(QKeyEvent* event)
{
    const QString t = event->text();
    const bool digit = t.size() == 1 && t.front().isDigit();
    const bool dot =
        t == QLatin1String(".") && style_ == esFloat && !text().contains(QLatin1Char('.'));
    if (digit || dot || event->key() == Qt::Key_Backspace || isNavigation(event->key()) ||
        event->key() == Qt::Key_Delete)
        QLineEdit::keyPressEvent(event);
}

void TZemrakEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    QString t = text();
    t.remove(QLatin1Char(','));
    setText(t);
    selectAll();
}

void TZemrakEdit::focusOutEvent(QFocusEvent* event)
{
    setText(formatFreeNumber(text(), thousands_));
    QLineEdit::focusOutEvent(event);
}

TZREdit::TZREdit(QWidget* parent)
    : QLineEdit(parent)
{
}

void TZREdit::keyPressEvent(QKeyEvent* event)
{
    if (text().size() < uzunluk_ || event->key() == Qt::Key_Backspace ||
        isNavigation(event->key()) || event->text().isEmpty()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    setText(text().left(uzunluk_));
    setCursorPosition(int(text().size()));
}
