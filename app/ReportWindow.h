#pragma once

#include "app/FormBase.h"

// A report's choices: "Ön izleme [F2]", "Yazdırma [F3]", "Ayar [F4]" (printer set-up) and
// "Çıkış [Esc]". A report window puts its choices in content() and overrides the three actions.
class ReportWindow : public FormBase {
    Q_OBJECT
public:
    ReportWindow(Shell& shell, const QString& title, QWidget* parent = nullptr);

protected:
    virtual void preview() {}
    virtual void print() {}
    virtual void printerSetup() {}
};
