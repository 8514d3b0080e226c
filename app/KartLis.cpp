#include "app/KartLis.h"

#include "app/QuickAccess.h"
#include "store/CompanyData.h"
#include "store/Table.h"

#include <QTableView>

namespace {

// A cursor of the window's own (the window takes it over): the shared tables stay as they are.
Table& ownCards(Shell& shell, QuickCard card)
{
    auto cards = std::make_unique<Table>(shell.company->connection(), card == QuickCard::Customer
                                                                          ? QStringLiteral("Cari")
                                                                          : QStringLiteral("Stok"));
    cards->setIndexName(card == QuickCard::Customer ? QStringLiteral("Cari_2")
                                                    : QStringLiteral("Stok_2"));
    cards->open();
    return *cards.release();
}

std::vector<GridColumn> columns(const QStringList& fields)
{
    std::vector<GridColumn> list;
    for (const QString& f : fields) {
        const QString title = f == u"CariNo"    ? QStringLiteral("Kodu")
                              : f == u"Unvani"  ? QStringLiteral("Ünvanı")
                              : f == u"Yetkili" ? QStringLiteral("Yetkili")
                              : f == u"Kodu"    ? QStringLiteral("Kodu")
                              : f == u"Cinsi"   ? QStringLiteral("Cinsi")
                                                : QStringLiteral("Birim");
        const bool wide = f == u"Unvani" || f == u"Cinsi" || f == u"Yetkili";
        list.push_back({title, f, wide ? 260 : 110});
    }
    return list;
}

} // namespace

TfrmKartLis::TfrmKartLis(Shell& shell, QuickCard card, QWidget* parent)
    : GridWindow(shell,
                 card == QuickCard::Customer ? QStringLiteral("Kolay erişim - Cari Kart Bilgileri")
                                             : QStringLiteral("Kolay erişim - Stok Kart Bilgileri"),
                 ownCards(shell, card),
                 card == QuickCard::Customer ? columns({"Unvani", "CariNo", "Yetkili"})
                                             : columns({"Cinsi", "Kodu", "Birim"}),
                 parent, false)
    , card_(card)
    , own_(&table())
{
    setObjectName(QStringLiteral("frmKartLis"));
    if (card == QuickCard::Customer)
        setOrders(QStringLiteral(" Kart listesi "),
                  {{QStringLiteral("&Nosuna göre"), QStringLiteral("Cari_1"),
                    columns({"CariNo", "Unvani", "Yetkili"})},
                   {QStringLiteral("&Ünvanına göre"), QStringLiteral("Cari_2"),
                    columns({"Unvani", "CariNo", "Yetkili"})},
                   {QStringLiteral("&Yetkiliye göre"), QStringLiteral("Cari_3"),
                    columns({"Yetkili", "CariNo", "Unvani"})}},
                  1);
    else
        setOrders(QStringLiteral(" Kart listesi "),
                  {{QStringLiteral("&Koduna göre"), QStringLiteral("Stok_1"),
                    columns({"Kodu", "Cinsi", "Birim"})},
                   {QStringLiteral("&Cinsine göre"), QStringLiteral("Stok_2"),
                    columns({"Cinsi", "Kodu", "Birim"})}},
                  1);
    addCommand(QStringLiteral("Goster"), QStringLiteral("Goster [F2]"), Qt::Key_F2, QString(),
               [this] { gridActivated(); });
    addCommand(QStringLiteral("Vazgec"), QStringLiteral("Vazgeç [Esc]"), Qt::Key_Escape, QString(),
               [this] { closeWindow(QDialog::Rejected); });
    resize(720, 520);
    grid()->setFocus();
}

TfrmKartLis::~TfrmKartLis()
{
    // The grid lets go of the table before the table goes.
    grid()->setModel(nullptr);
}

void TfrmKartLis::updateCommands()
{
    setCommandEnabled(QStringLiteral("Goster"), !table().isEmpty());
}

void TfrmKartLis::gridActivated()
{
    if (table().isEmpty()) return;
    if (card_ == QuickCard::Customer)
        QuickCustomerById(shell(), this, table().currentId());
    else
        QuickStockById(shell(), this, table().currentId());
    grid()->setFocus();
}
