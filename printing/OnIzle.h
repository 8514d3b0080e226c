#pragma once

#include "app/FormBase.h"
#include "printing/PageSet.h"

#include <atomic>
#include <functional>

class QLabel;
class QScrollArea;
class QTimer;
class ReportRenderer;

// "RAPOR DÜZENLE": the one preview of every report. It pages and zooms, and saves the report as a
// spreadsheet, plain text, one JPEG per page, a PDF or our own report file. Given a renderer, it
// shows the first pages while the rest are still being made; exports wait until the last page.
class TfrmOnIzle : public FormBase {
    Q_OBJECT
public:
    enum class Zoom { FitPage, Original, PageWidth };

    TfrmOnIzle(Shell& shell, PageSet pages, QWidget* parent = nullptr);
    TfrmOnIzle(Shell& shell, ReportRenderer& renderer, QWidget* parent = nullptr);
    ~TfrmOnIzle() override;

    // Asks for a file name (filter, default extension); tests answer without a dialog.
    std::function<QString(const QString& filter, const QString& extension)> chooseFile;

    int currentPage() const { return page_; } // 0-based
    int pageCount() const;
    bool finished() const;
    Zoom zoom() const { return zoom_; }
    const PageSet& pages() const;

    void goToPage(int page);
    void setZoom(Zoom zoom);
    void produce(); // one step of production; called by the timer

protected:
    bool FormKeyDown(QKeyEvent* event) override;
    void updateCommands() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void build();
    void showPage();
    void runExport(const QString& filter, const QString& extension);
    // Text mode: the pages as text in PrnDos.txt, then the printer's bytes to YAZICI.
    void printText();
    void tellWarnings(); // once, when the last page is made

    PageSet own_;
    bool warned_ = false;
    ReportRenderer* renderer_ = nullptr;
    QTimer* timer_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QLabel* view_ = nullptr;
    int page_ = 0;
    Zoom zoom_ = Zoom::PageWidth;
    bool exporting_ = false;
    std::atomic<bool> cancelPrint_ = false; // Esc while the text goes to the printer
};
