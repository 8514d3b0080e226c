#pragma once

#include <QLineEdit>

// A date typed as text, tidied when the focus leaves it: "010105", "1.1.05" and "01/01/2005"
// all become "01.01.2005", "*" becomes today, and what is not a date becomes empty.
class DateEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

protected:
    void focusOutEvent(QFocusEvent* event) override;
};
