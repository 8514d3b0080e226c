#include "widgets/TProZemrakSEdit.h"

#include <QKeyEvent>

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
