#include "app/WindowRegistry.h"
#include "orders/Registration.h"
#include "orders/Siparis.h"

void registerOrderWindows(WindowRegistry& windows)
{
    windows.add(7201, [](Shell& shell, QWidget* parent) {
        TfrmSiparis(shell, salesOrders(), parent).run();
    });
    windows.add(7202, [](Shell& shell, QWidget* parent) {
        TfrmSiparis(shell, purchaseOrders(), parent).run();
    });
}
