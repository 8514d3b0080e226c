#pragma once

#include "app/FormBase.h"

class QLineEdit;

// "Şirket seç": the company code to work on (typed in capitals), chosen with Enter or F2;
// F6 lists the companies. On a known code it sets the open company's code and closes.
class TfrmSirketSec : public FormBase {
    Q_OBJECT
public:
    explicit TfrmSirketSec(Shell& shell, QWidget* parent = nullptr);
    QLineEdit* codeEdit() const { return code_; }

protected:
    void lastFieldEnter() override { MenuIslem(QStringLiteral("Sec")); }

private:
    void choose();
    void pickFromList();
    QLineEdit* code_;
};
