#include "app/WindowRegistry.h"
#include "invoicing/FatKdv.h"
#include "invoicing/FatRap.h"
#include "invoicing/FtSatis.h"
#include "invoicing/Registration.h"

void registerInvoiceWindows(WindowRegistry& windows)
{
    windows.add(1201, [](Shell& shell, QWidget* parent) {
        TfrmFtSatis(shell, purchaseInvoice(), false, parent).run();
    });
    windows.add(1202, [](Shell& shell, QWidget* parent) {
        TfrmFtSatis(shell, salesInvoice(), false, parent).run();
    });
    windows.add(1203, [](Shell& shell, QWidget* parent) {
        TfrmFtSatis(shell, salesInvoice(), true, parent).run();
    });
    windows.add(1301, [](Shell& shell, QWidget* parent) { TfrmFatRap(shell, parent).run(); });
    windows.add(1302, [](Shell& shell, QWidget* parent) { TfrmFatKdv(shell, parent).run(); });
}
