#pragma once

#include "widgets/TZREdit.h"

// Codes are typed in capitals, Turkish ones included.
class CodeEdit : public TZREdit {
    Q_OBJECT
public:
    using TZREdit::TZREdit;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
