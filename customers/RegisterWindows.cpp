#include "app/WindowRegistry.h"
#include "customers/CarFis.h"
#include "customers/CarHar.h"
#include "customers/CarKart.h"
#include "customers/CariDurumR.h"
#include "customers/CariEkstreR.h"
#include "customers/CariEtiket.h"
#include "customers/CariHareketR.h"
#include "customers/CariListeR.h"
#include "customers/KECari.h"
#include "customers/Registration.h"

void registerCustomerWindows(WindowRegistry& windows)
{
    windows.add(2101, [](Shell& shell, QWidget* parent) { TfrmCarKart(shell, parent).run(); });
    windows.add(2201, [](Shell& shell, QWidget* parent) { TfrmCarHar::open(shell, parent); });
    windows.add(2202, [](Shell& shell, QWidget* parent) { TfrmCarFis(shell, parent).run(); });
    windows.add(2301, [](Shell& shell, QWidget* parent) { TfrmCariListeR(shell, parent).run(); });
    windows.add(2305, [](Shell& shell, QWidget* parent) { TfrmCariEtiket(shell, parent).run(); });
    windows.add(2302, [](Shell& shell, QWidget* parent) { TfrmCariDurumR(shell, parent).run(); });
    windows.add(2303, [](Shell& shell, QWidget* parent) { TfrmCariHareketR(shell, parent).run(); });
    windows.add(2304, [](Shell& shell, QWidget* parent) { TfrmCariEkstreR(shell, parent).run(); });
    windows.setCardView(QuickCard::Customer, [](Shell& shell, QWidget* parent, qint64 id) {
        TfrmKECari(shell, id, parent).run();
    });
}
