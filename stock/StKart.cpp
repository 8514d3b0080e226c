#include "stock/StKart.h"

#include "app/KodAktar.h"
#include "stock/StKartF.h"
#include "stock/StockCards.h"
#include "stock/StockOrders.h"
#include "stock/StokL.h"
#include "store/CompanyData.h"
#include "store/Table.h"

TfrmStKart::TfrmStKart(Shell& shell, QWidget* parent)
    : ListWindow(shell, QStringLiteral("Stok Kartları"),
                 shell.company->table(QStringLiteral("Stok")),
                 {{QStringLiteral("Kodu"), QStringLiteral("Kodu"), 160},
                  {QStringLiteral("Cinsi"), QStringLiteral("Cinsi"), 220},
                  {QStringLiteral("Birim"), QStringLiteral("Birim"), 60},
                  {QStringLiteral("2.Birim"), QStringLiteral("Birim2"), 60},
                  {QStringLiteral("Ö.Kod[1]"), QStringLiteral("OzelKod1"), 70},
                  {QStringLiteral("Ö.Kod[2]"), QStringLiteral("OzelKod2"), 70},
                  {QStringLiteral("Ö.Kod[3]"), QStringLiteral("OzelKod3"), 70}},
                 parent)
{
    setObjectName(QStringLiteral("frmStKart"));
    setDeleteTexts({QStringLiteral("Stok kartını silmek istediğinize"),
                    QStringLiteral("emin misiniz ?"),
                    QStringLiteral("Stok kartı bilgilerini tamamıyla kaybedeceksiniz"),
                    QStringLiteral("emin misiniz ?"), QStringLiteral("Stok kart kontrol")});
    addCommand(QStringLiteral("Liste"), QStringLiteral("Kart listesi [F6]"), Qt::Key_F6, QString(),
               [this] {
                   TfrmStokL::pick(this->shell(), table(), this);
                   setOrder(order()); // the pick list leaves its own order
               });
    addCommand(QStringLiteral("KodAktar"), QStringLiteral("Kod aktar [F7]"), Qt::Key_F7, QString(),
               [this] {
                   const qint64 card = table().currentId();
                   TfrmKodAktar window(this->shell(), CodeTransfer::Kind::Stock, table(), this);
                   window.run();
                   table().gotoId(card); // the card may stand elsewhere in code order now
                   reload();
               });
    addQuickCardKey(QuickCard::Stock, [this] { return QuickTarget{table().currentId(), {}}; });

    table().setFiltered(false);
    setOrders(QStringLiteral(" Stok kart listesini "),
              {{QStringLiteral("Koduna göre listele"), StockOrder::indexName(StockOrder::Code)},
               {QStringLiteral("Cinsine göre listele"), StockOrder::indexName(StockOrder::Name)}},
              StockOrder::Code);
    goLast();
}

void TfrmStKart::updateCommands()
{
    ListWindow::updateCommands();
    setCommandEnabled(QStringLiteral("KodAktar"), !table().isEmpty());
}

void TfrmStKart::newRecord()
{
    TfrmStKartF window(shell(), table(), TfrmStKartF::Mode::New, QString(), this);
    window.run();
}

void TfrmStKart::editRecord()
{
    TfrmStKartF window(shell(), table(), TfrmStKartF::Mode::Edit, QString(), this);
    window.run();
}

void TfrmStKart::deleteRecord()
{
    if (!StockCards::deleteCard(*shell().company, table()))
        NoticeBox(shell(), QStringLiteral("Stok kartı üzerinde hareket var"),
                  QStringLiteral("iptal edilemez !"), QStringLiteral("Stok kart kontrol"), this);
}
