#include "widgets/TZRgrdEdit.h"

#include <QKeyEvent>

TZRgrdEdit::TZRgrdEdit(QWidget* parent)
    : TZemrakSEdit(parent, true)
{
    spaceAllowed_ = false;
}
