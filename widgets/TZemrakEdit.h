#pragma once

#include <QLineEdit>

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
