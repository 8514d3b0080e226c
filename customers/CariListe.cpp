#include "customers/CariListe.h"

#include "customers/CustomerOrders.h"
#include "store/InstallSettings.h"
#include "store/Table.h"

#include <algorithm>

namespace {

std::vector<GridColumn> columnsFor(int order)
{
    const GridColumn code(QStringLiteral("Kodu"), QStringLiteral("CariNo"), 90);
    const GridColumn title(QStringLiteral("Ünvanı"), QStringLiteral("Unvani"), 260);
    const GridColumn contact(QStringLiteral("Yetkili"), QStringLiteral("Yetkili"), 160);
    if (order == CustomerOrder::Code) return {code, title, contact};
    if (order == CustomerOrder::Contact) return {contact, code, title};
    return {title, contact, code};
}

} // namespace

TfrmCariListe::TfrmCariListe(Shell& shell, Table& cari, bool banksOnly, QWidget* parent,
                             qint64 startId)
    : PickList(shell, QStringLiteral("Cari kart listesi"), cari, columnsFor(1), parent)
{
    setObjectName(QStringLiteral("frmCariListe"));
    if (startId <= 0) startId = cari.currentId();
    if (banksOnly) {
        cari.setFilter(QStringLiteral("CariDurum = 3"));
        cari.setFiltered(true);
    }
    if (startId > 0) cari.gotoId(startId); // the filter went back to the first card
    setOrders(QStringLiteral(" Cari kart listesi "),
              {{QStringLiteral("&Koduna"), CustomerOrder::indexName(CustomerOrder::Code),
                columnsFor(CustomerOrder::Code)},
               {QStringLiteral("Ü&nvanina"), CustomerOrder::indexName(CustomerOrder::Title),
                columnsFor(CustomerOrder::Title)},
               {QStringLiteral("&Yetkili kişiye"), CustomerOrder::indexName(CustomerOrder::Contact),
                columnsFor(CustomerOrder::Contact)}},
              std::clamp(shell.install.caril(), 0, 2));
}

TfrmCariListe::Choice TfrmCariListe::pick(Shell& shell, Table& cari, bool banksOnly,
                                          QWidget* parent, qint64 startId)
{
    TfrmCariListe list(shell, cari, banksOnly, parent, startId);
    list.run();
    Choice choice;
    if (list.chosenId() <= 0 || !cari.gotoId(list.chosenId())) return choice;
    shell.install.setCaril(list.order());
    choice.code = cari[QStringLiteral("CariNo")].asString();
    choice.title = cari[QStringLiteral("Unvani")].asString();
    choice.id = list.chosenId();
    choice.gzam = cari[QStringLiteral("GZam")].asFloat();
    return choice;
}
