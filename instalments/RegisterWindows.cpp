#include "app/WindowRegistry.h"
#include "instalments/Registration.h"
#include "instalments/TakLis.h"
#include "instalments/Taksit.h"

void registerInstalmentWindows(WindowRegistry& windows)
{
    windows.add(1204, [](Shell& shell, QWidget* parent) {
        TfrmTaksit(shell, salesInstalments(), parent).run();
    });
    windows.add(1205, [](Shell& shell, QWidget* parent) {
        TfrmTaksit(shell, purchaseInstalments(), parent).run();
    });
    windows.add(1303, [](Shell& shell, QWidget* parent) {
        TfrmTakLis(shell, salesInstalments(), parent).run();
    });
    windows.add(1304, [](Shell& shell, QWidget* parent) {
        TfrmTakLis(shell, purchaseInstalments(), parent).run();
    });
}
