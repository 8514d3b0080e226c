#include "app/WindowRegistry.h"
#include "cash/Kasa.h"
#include "cash/KasaRap.h"
#include "cash/Registration.h"
#include "cash/Tahsil.h"

void registerCashWindows(WindowRegistry& windows)
{
    windows.add(5201, [](Shell& shell, QWidget* parent) {
        TfrmTahsil(shell, collectionSlip(), parent).run();
    });
    windows.add(5202, [](Shell& shell, QWidget* parent) {
        TfrmTahsil(shell, paymentSlip(), parent).run();
    });
    windows.add(5203, [](Shell& shell, QWidget* parent) { TfrmKasa(shell, parent).run(); });
    windows.add(5301, [](Shell& shell, QWidget* parent) { TfrmKasaRap(shell, parent).run(); });
}
