#include "widgets/TZemrakEdit.h"

#include "widgets/EditKeys.h"
#include "widgets/MoneyKeypad.h"

#include <QKeyEvent>

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
    if (digit || dot || event->key() == Qt::Key_Backspace || isNavigationKey(event->key()) ||
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
