#pragma once

#include <QString>

// The cash-register keypad behind the money editors: a fixed number of decimals, digits
// inserted at the cursor in the whole part and overwriting in the decimal part, thousands
// separators put in by themselves, the space key multiplying by 1000. Pure logic, so that the
// key sequences can be checked without a display.
class MoneyKeypad {
public:
    enum class Key { Digit, Separator, Space, Backspace, Delete, Other };

    explicit MoneyKeypad(int decimals = -1, int maxLength = 20, bool emptyAllowed = false);

    // Decimals from -1 to maxLength - 2 (-1 and 0: no decimal part); maxLength below 22 and
    // above decimals + 1, one less when the whole part would end on a bare separator.
    void setDecimals(int decimals);
    void setMaxLength(int maxLength);
    int decimals() const { return decimals_; }
    int maxLength() const { return maxLength_; }
    QString displayMask() const;

    const QString& text() const { return text_; }
    int cursor() const { return cursor_; }
    void setText(const QString& text); // reformatted; the cursor goes before the decimals
    void setCursor(int position, int selectionEnd = -1);
    void enter(); // the cursor goes just before the decimal separator

    double value() const;
    void setValue(double value);

    // Applies one key; returns false when the key is ignored.
    bool press(Key key, QChar digit = QChar());
    bool pressChar(QChar c);

private:
    int fraction() const { return decimals_ > 0 ? decimals_ : 0; }
    int rightOf() const { return int(text_.size()) - std::max(cursor_, selectionEnd_); }
    void reformat(int keepRight);

    int decimals_;
    int askedLength_; // as set; maxLength_ is it less the separator rule for these decimals
    int maxLength_;
    bool emptyAllowed_;
    QString text_;
    int cursor_ = 0;
    int selectionEnd_ = -1;
};

// The free number editor's text on leaving the field: "-1234.5" gives "-1,234.5", "" gives "0",
// "12." gives "12"; without thousands the "," are left out.
QString formatFreeNumber(const QString& text, bool thousands);
