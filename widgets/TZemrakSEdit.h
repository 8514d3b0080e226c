#pragma once

#include "widgets/MoneyKeypad.h"

#include <QLineEdit>

// Money and price entry that works like a cash-register keypad (see MoneyKeypad).
class TZemrakSEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TZemrakSEdit(QWidget* parent = nullptr, bool emptyAllowed = false);

    void setDecimals(int decimals);
    int decimals() const { return keypad_.decimals(); }
    void setMaxLength(int maxLength);
    int maxLength() const { return keypad_.maxLength(); }
    double asFloat() const { return keypad_.value(); }
    void setAsFloat(double value);
    // Types the text key by key, as the keypad takes it (macros paste this way).
    void typeText(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void showText();
    bool spaceAllowed_ = true;

private:
    void sync();
    MoneyKeypad keypad_;
};
