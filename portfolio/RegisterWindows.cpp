#include "app/WindowRegistry.h"
#include "portfolio/PaperReportWindow.h"
#include "portfolio/PaperWindows.h"
#include "portfolio/Registration.h"
#include "portfolio/VoucherWindows.h"

void registerPortfolioWindows(WindowRegistry& windows)
{
    const PortfolioKind* kinds[] = {&customerChecks(), &customerNotes(), &firmChecks(),
                                    &firmNotes()};
    for (int i = 0; i < 4; ++i) {
        const PortfolioKind& kind = *kinds[i];
        windows.add(4101 + i,
                    [&kind](Shell& shell, QWidget* parent) { TfrmCek(shell, kind, parent).run(); });
        windows.add(4201 + i, [&kind](Shell& shell, QWidget* parent) {
            TfrmCekFis(shell, kind, parent).run();
        });
        windows.add(4301 + i, [&kind](Shell& shell, QWidget* parent) {
            TfrmMCekR(shell, kind, parent).run();
        });
    }
}
