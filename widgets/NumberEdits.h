#pragma once

#include "widgets/MoneyKeypad.h"

#include <QColor>
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

// Read-only totals and amounts of list windows: lights up while focused.
class TProZemrakSEdit : public TZemrakSEdit {
    Q_OBJECT
public:
    explicit TProZemrakSEdit(QWidget* parent = nullptr);
    void setColorAktif(const QColor& color) { colorAktif_ = color; }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QColor colorAktif_;
    QColor colorNormal_;
};

// The VAT rate entry: the money keypad, but its text may stay empty and space does nothing.
class TZRgrdEdit : public TZemrakSEdit {
    Q_OBJECT
public:
    explicit TZRgrdEdit(QWidget* parent = nullptr);
    int id = 0;
};

// Free numbers: quantities and rates. Digits and one "." while typing; on leaving, written with
// thousands ("-1234.5" shows "-1,234.5").
class TZemrakEdit : public QLineEdit {
    Q_OBJECT
public:
    enum EditStyle { esInteger, esFloat };
    explicit TZemrakEdit(QWidget* parent = nullptr);

    void setEditStyle(EditStyle style) { style_ = style; }
    void setThousandsOn(bool on) { thousands_ = on; }
    double asFloat() const;
    int asInteger() const;
    void setAsFloat(double value);
    void setAsInteger(int value);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    EditStyle style_ = esFloat;
    bool thousands_ = true;
};

// Codes with a length limit (Uzunluk).
class TZREdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TZREdit(QWidget* parent = nullptr);
    void setUzunluk(int length) { uzunluk_ = length; }
    int uzunluk() const { return uzunluk_; }
    int id = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int uzunluk_ = 10;
};
