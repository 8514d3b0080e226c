#include "app/WindowRegistry.h"
#include "orders/Registration.h"
#include "orders/SipLis.h"
#include "orders/Siparis.h"

void registerOrderWindows(WindowRegistry& windows)
{
    windows.add(7201, [](Shell& shell, QWidget* parent) {
        TfrmSiparis(shell, salesOrders(), parent).run();
    });
    windows.add(7202, [](Shell& shell, QWidget* parent) {
        TfrmSiparis(shell, purchaseOrders(), parent).run();
    });
    windows.add(7301, [](Shell& shell, QWidget* parent) { TfrmSipLis(shell, parent).run(); });
    windows.add(7302, [](Shell& shell, QWidget* parent) { TfrmSipFzk(shell, parent).run(); });
    windows.add(7303, [](Shell& shell, QWidget* parent) { TfrmSipKal(shell, parent).run(); });
}
