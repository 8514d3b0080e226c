#include "widgets/DateEdit.h"

#include "store/TextRules.h"

void DateEdit::focusOutEvent(QFocusEvent* event)
{
    if (!text().trimmed().isEmpty()) setText(NormalizeDateText(text()));
    QLineEdit::focusOutEvent(event);
}
