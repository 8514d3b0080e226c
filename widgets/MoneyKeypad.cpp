#include "widgets/MoneyKeypad.h"

#include "store/MoneyFormat.h"

#include <algorithm>
#include <cmath>

MoneyKeypad::MoneyKeypad(int decimals, int maxLength, bool emptyAllowed)
    : decimals_(-1)
    , askedLength_(20)
    , maxLength_(20)
    , emptyAllowed_(emptyAllowed)
{
    setMaxLength(maxLength);
    setDecimals(decimals);
    if (!emptyAllowed_) setValue(0);
}

void MoneyKeypad::setDecimals(int decimals)
{
    if (decimals < -1 || decimals > askedLength_ - 2) return;
    decimals_ = decimals;
    setMaxLength(askedLength_); // from the length asked for, not the one already reduced
    if (!text_.isEmpty() || !emptyAllowed_) setValue(value());
}

void MoneyKeypad::setMaxLength(int maxLength)
{
    if (maxLength >= 22 || maxLength <= decimals_ + 1) return;
    askedLength_ = maxLength;
    if ((maxLength - decimals_ - 1) % 4 == 0) --maxLength;
    maxLength_ = maxLength;
}

QString MoneyKeypad::displayMask() const
{
    return fraction() > 0 ? QStringLiteral("#,##0.") + QString(fraction(), QLatin1Char('0'))
                          : QStringLiteral("#,##0");
}

double MoneyKeypad::value() const
{
    QString digits;
    for (const QChar c : text_)
        if (c.isDigit()) digits += c;
    if (digits.isEmpty()) return 0;
    if (fraction() > 0) {
        while (digits.size() <= fraction())
            digits.prepend(QLatin1Char('0'));
        digits.insert(digits.size() - fraction(), QLatin1Char('.'));
    }
    bool ok = false;
    const double v = digits.toDouble(&ok);
    return ok ? v : 0;
}

void MoneyKeypad::setValue(double value)
{
    text_ = formatNumber(std::fabs(value), displayMask());
    enter();
}

void MoneyKeypad::setText(const QString& text)
{
    QString cleaned;
    for (const QChar c : text)
        if (c.isDigit() || c == QLatin1Char('.')) cleaned += c;
    if (cleaned.isEmpty() && emptyAllowed_) {
        text_.clear();
        cursor_ = 0;
        return;
    }
    bool ok = false;
    const double v = cleaned.toDouble(&ok);
    setValue(ok ? v : 0);
}

void MoneyKeypad::enter()
{
    const int dot = int(text_.indexOf(QLatin1Char('.')));
    cursor_ = dot >= 0 ? dot : int(text_.size());
    selectionEnd_ = -1;
}

void MoneyKeypad::setCursor(int position, int selectionEnd)
{
    cursor_ = std::clamp(position, 0, int(text_.size()));
    selectionEnd_ = selectionEnd > cursor_ ? std::min(selectionEnd, int(text_.size())) : -1;
}

void MoneyKeypad::reformat(int keepRight)
{
    if (text_.isEmpty() && emptyAllowed_) {
        cursor_ = 0;
        return;
    }
    QString digits = text_;
    digits.remove(QLatin1Char(','));
    bool ok = false;
    const double v = digits.toDouble(&ok);
    text_ = formatNumber(ok ? v : 0, displayMask());
    cursor_ = std::clamp(int(text_.size()) - keepRight, 0, int(text_.size()));
    selectionEnd_ = -1;
}

bool MoneyKeypad::pressChar(QChar c)
{
    if (c.isDigit()) return press(Key::Digit, c);
    if (c == QLatin1Char(',') || c == QLatin1Char('.')) return press(Key::Separator);
    if (c == QLatin1Char(' ')) return press(Key::Space);
    return press(Key::Other);
}

bool MoneyKeypad::press(Key key, QChar digit)
{
    if (text_.isEmpty() && emptyAllowed_ && key == Key::Digit) {
        text_ = formatNumber(0, displayMask());
        enter();
    }
    const int d = fraction();
    const int r = rightOf();
    switch (key) {
    case Key::Digit: {
        if (!digit.isDigit()) return false;
        if (d > 0 && r <= d) {
            if (r == 0) return false;
            const int at = int(text_.size()) - r;
            text_[at] = digit;
            reformat(r - 1);
            return true;
        }
        if (text_.size() >= maxLength_) return false;
        const int at = int(text_.size()) - r;
        text_.insert(at, digit);
        reformat(r);
        return true;
    }
    case Key::Separator:
        if (d == 0) return false;
        cursor_ = int(text_.size()) - d;
        selectionEnd_ = -1;
        return true;
    case Key::Space: {
        if (emptyAllowed_) return false;
        const double bigger = value() * 1000;
        if (formatNumber(bigger, displayMask()).size() > maxLength_) return false;
        text_ = formatNumber(bigger, displayMask());
        cursor_ = std::clamp(int(text_.size()) - r, 0, int(text_.size()));
        return true;
    }
    case Key::Backspace:
    case Key::Delete: {
        const bool back = key == Key::Backspace;
        int at = back ? int(text_.size()) - r - 1 : int(text_.size()) - r;
        // Step over separators on the way.
        while (at >= 0 && at < text_.size() && !text_[at].isDigit())
            at += back ? -1 : 1;
        if (at < 0 || at >= text_.size()) return false;
        const int fromEnd = int(text_.size()) - at; // distance of the digit's left edge
        if (d > 0 && fromEnd <= d) {
            text_[at] = QLatin1Char('0'); // the decimal part keeps its length
            reformat(back ? fromEnd : r);
        } else {
            text_.remove(at, 1);
            reformat(back ? fromEnd - 1 : std::min(r, fromEnd - 1));
        }
        return true;
    }
    case Key::Other:
        break;
    }
    return false;
}

QString formatFreeNumber(const QString& text, bool thousands)
{
    QString t = text.trimmed();
    t.remove(QLatin1Char(','));
    const bool negative = t.startsWith(QLatin1Char('-'));
    if (negative) t.remove(0, 1);
    if (t.isEmpty()) return QStringLiteral("0");
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok) return QStringLiteral("0");
    QString shortest = QString::number(v, 'f', 10);
    while (shortest.contains(QLatin1Char('.')) && shortest.endsWith(QLatin1Char('0')))
        shortest.chop(1);
    if (shortest.endsWith(QLatin1Char('.'))) shortest.chop(1);
    QString whole = shortest.section(QLatin1Char('.'), 0, 0);
    const QString decimals = shortest.section(QLatin1Char('.'), 1);
    if (thousands)
        for (int i = int(whole.size()) - 3; i > 0; i -= 3)
            whole.insert(i, QLatin1Char(','));
    QString result = decimals.isEmpty() ? whole : whole + QLatin1Char('.') + decimals;
    if (negative && v != 0) result.prepend(QLatin1Char('-'));
    return result;
}
