#pragma once

#include "app/FormBase.h"

class QPlainTextEdit;

// "Notlar" (Alt+F8): the installation's notes page, plain text with the usual editing keys.
// "Kaydet [F2]" writes it; Esc asks to save when it was changed.
class TfrmNotlar : public FormBase {
    Q_OBJECT
public:
    explicit TfrmNotlar(Shell& shell, QWidget* parent = nullptr);
    QPlainTextEdit* editor() const { return editor_; }

private:
    bool save();

    QPlainTextEdit* editor_;
};
