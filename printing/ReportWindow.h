#pragma once

#include "app/FormBase.h"

class PageSet;
class ReportRenderer;

// A report's choices: "Ön izleme [F2]", "Yazdırma [F3]", "Ayar [F4]" (printer set-up) and
// "Çıkış [Esc]". A report window puts its choices in content() and overrides the three actions.
class ReportWindow : public FormBase {
    Q_OBJECT
public:
    ReportWindow(Shell& shell, const QString& title, QWidget* parent = nullptr);

protected:
    virtual void preview() {}
    virtual void print() {}
    // The shared printer set-up of every report window.
    virtual void printerSetup();

    // Shows the report in the preview while it is made.
    void showPreview(ReportRenderer& renderer);
    // Prints finished pages through the system's print dialog.
    void printPages(const PageSet& pages);
    // Shows finished pages in the preview.
    void showPages(PageSet pages);
};
