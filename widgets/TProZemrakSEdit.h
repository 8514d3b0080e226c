#pragma once

#include "widgets/TZemrakSEdit.h"

#include <QColor>

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
