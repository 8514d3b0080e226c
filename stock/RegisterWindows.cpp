#include "app/WindowRegistry.h"
#include "stock/KEStok.h"
#include "stock/Registration.h"
#include "stock/StFis.h"
#include "stock/StFiyat.h"
#include "stock/StHar.h"
#include "stock/StKart.h"
#include "stock/PifAna.h"
#include "stock/StockReportWindows.h"

void registerStockWindows(WindowRegistry& windows)
{
    windows.setCardView(QuickCard::Stock, [](Shell& shell, QWidget* parent, qint64 id) {
        TfrmKEStok(shell, id, parent).run();
    });
    windows.add(3101, [](Shell& shell, QWidget* parent) { TfrmStKart(shell, parent).run(); });
    windows.add(3102, [](Shell& shell, QWidget* parent) { TfrmStFiyat(shell, parent).run(); });
    windows.add(3201, [](Shell& shell, QWidget* parent) { TfrmStHar::open(shell, parent); });
    windows.add(3202, [](Shell& shell, QWidget* parent) { TfrmStFis(shell, parent).run(); });
    windows.add(3301, [](Shell& shell, QWidget* parent) { TfrmStRKart(shell, parent).run(); });
    windows.add(3302, [](Shell& shell, QWidget* parent) { TfrmStRHar(shell, parent).run(); });
    windows.add(3303, [](Shell& shell, QWidget* parent) {
        TfrmStREnv(shell, InventoryReports::Kind::Physical, parent).run();
    });
    windows.add(3304, [](Shell& shell, QWidget* parent) {
        TfrmStREnv(shell, InventoryReports::Kind::Financial, parent).run();
    });
    windows.add(3305, [](Shell& shell, QWidget* parent) {
        TfrmStREnv(shell, InventoryReports::Kind::Profit, parent).run();
    });
    windows.add(3306, [](Shell& shell, QWidget* parent) { TfrmStRKat(shell, parent).run(); });
    windows.add(3307, [](Shell& shell, QWidget* parent) { TfrmStREks(shell, parent).run(); });
    windows.add(3308, [](Shell& shell, QWidget* parent) { TfrmPifAna(shell, parent).run(); });
}
