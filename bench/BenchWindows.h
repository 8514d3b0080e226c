#pragma once

// What the window benchmarks share: a message window that answers by itself, the first paint
// of a window and the first page of a report as the preview shows them.
#include "BenchUtil.h"
#include "app/Shell.h"
#include "printing/ReportRenderer.h"

#include <QApplication>
#include <QTableView>

// Messages are counted, not shown: a benchmark has no one to press keys.
struct SilentMessages : MessageHandler {
    int confirmBox(QWidget*, const QString&, const QString&, const QString&) override { return 0; }
    int noticeBox(QWidget*, const QString&, const QString&, const QString&) override { return 1; }
};

// The shell of the windows on the demo company BUYUK, answering messages by itself.
struct DemoShell {
    SilentMessages messages;
    Shell shell;
    DemoShell(InstallSettings& install, CompanyData& company)
        : shell(install, messages)
    {
        shell.company = &company;
        shell.companyIsOpen = true;
        shell.activeCompanyCode = QStringLiteral("BUYUK");
        shell.activeCompanyTitle = QStringLiteral("Deneme");
    }
};

// The first page as the preview shows it, then the rest.
inline void firstAndWhole(const char* what, RunningReport running, double firstBudget,
                          double wholeBudget)
{
    QElapsedTimer timer;
    timer.start();
    running.renderer->start();
    running.renderer->step(1);
    const double first = ms(timer);
    while (!running.renderer->step(50)) {
    }
    std::printf("%s: first page %.0f ms (budget %.0f), whole %d pages %.0f ms (budget %.0f), "
                "peak memory %.0f MB\n",
                what, first, firstBudget, running.renderer->pages().pageCount(), ms(timer),
                wholeBudget, peakRssMb());
}

template <typename Window> double firstPaint(Window& window)
{
    QElapsedTimer timer;
    timer.start();
    window.prepare();
    window.show();
    window.grid()->viewport()->repaint();
    QApplication::processEvents();
    return ms(timer);
}
