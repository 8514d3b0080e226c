#include "stock/StokL.h"

#include "stock/StockOrders.h"
#include "store/InstallSettings.h"
#include "store/Table.h"

#include <algorithm>

namespace {

std::vector<GridColumn> columnsFor(int order)
{
    const GridColumn code(QStringLiteral("Kodu"), QStringLiteral("Kodu"), 160);
    const GridColumn name(QStringLiteral("Cinsi"), QStringLiteral("Cinsi"), 240);
    if (order == StockOrder::Code) return {code, name};
    return {name, code};
}

} // namespace

TfrmStokL::TfrmStokL(Shell& shell, Table& stok, QWidget* parent, qint64 startId)
    : PickList(shell, QStringLiteral("Stok kart listesi"), stok, columnsFor(StockOrder::Name),
               parent)
{
    setObjectName(QStringLiteral("frmStokL"));
    if (startId <= 0) startId = stok.currentId();
    stok.setFiltered(false);
    if (startId > 0) stok.gotoId(startId);
    setOrders(QStringLiteral(" Stok kart listesi "),
              {{QStringLiteral("&Koduna"), StockOrder::indexName(StockOrder::Code),
                columnsFor(StockOrder::Code)},
               {QStringLiteral("&Cinsine"), StockOrder::indexName(StockOrder::Name),
                columnsFor(StockOrder::Name)}},
              std::clamp(shell.install.stokl(), 0, 1));
}

void TfrmStokL::gridActivated()
{
    enter_ = true; // Enter takes the card without keeping the order
    PickList::gridActivated();
}

TfrmStokL::Choice TfrmStokL::pick(Shell& shell, Table& stok, QWidget* parent, qint64 startId)
{
    const qint64 before = stok.currentId();
    TfrmStokL list(shell, stok, parent, startId);
    list.run();
    Choice choice;
    if (list.chosenId() <= 0 || !stok.gotoId(list.chosenId())) {
        if (before > 0) stok.gotoId(before);
        return choice;
    }
    if (!list.takenWithEnter()) shell.install.setStokl(list.order());
    choice.code = stok[QStringLiteral("Kodu")].asString();
    choice.name = stok[QStringLiteral("Cinsi")].asString();
    choice.id = list.chosenId();
    return choice;
}
