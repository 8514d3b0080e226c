#include "customers/CarKart.h"

#include "app/KodAktar.h"
#include "customers/CarKartG.h"
#include "customers/CariListe.h"
#include "customers/CustomerOrders.h"
#include "store/CompanyData.h"
#include "store/Table.h"

TfrmCarKart::TfrmCarKart(Shell& shell, QWidget* parent)
    : ListWindow(shell, QStringLiteral("Cari Kartlar"),
                 shell.company->table(QStringLiteral("Cari")),
                 {{QStringLiteral("Nosu"), QStringLiteral("CariNo"), 90},
                  {QStringLiteral("Ünvani"), QStringLiteral("Unvani"), 260},
                  {QStringLiteral("Yetkili"), QStringLiteral("Yetkili"), 150},
                  {QStringLiteral("İş Tel."), QStringLiteral("IsTel"), 110},
                  {QStringLiteral("Cep Tel."), QStringLiteral("CepTel"), 110}},
                 parent)
{
    setObjectName(QStringLiteral("frmCarKart"));
    setDeleteTexts({QStringLiteral("Cari kartı silmek istediğinize"),
                    QStringLiteral("emin misiniz ?"),
                    QStringLiteral("Cari kart bilgilerini tamamıyla kaybedeceksiniz"),
                    QStringLiteral("emin misiniz ? "), QStringLiteral("Cari kart kontrol")});
    addCommand(QStringLiteral("Liste"), QStringLiteral("Kart listesi [F6]"), Qt::Key_F6, QString(),
               [this] {
                   TfrmCariListe::pick(this->shell(), table(), false, this);
                   setOrder(order()); // the pick list leaves its own order
               });
    addCommand(QStringLiteral("KodAktar"), QStringLiteral("Kod aktar [F7]"), Qt::Key_F7, QString(),
               [this] {
                   const qint64 card = table().currentId();
                   TfrmKodAktar window(this->shell(), CodeTransfer::Kind::Customer, table(), this);
                   window.run();
                   table().gotoId(card); // the card may stand elsewhere in code order now
                   reload();
               });
    addQuickCardKey(
        QuickCard::Customer,
        [this] {
            return QuickTarget{table().currentId(), {}};
        },
        true);

    table().setFiltered(false);
    setOrders(QStringLiteral(" Cari kart listesi "),
              {{QStringLiteral("&Nosuna göre"), CustomerOrder::indexName(CustomerOrder::Code)},
               {QStringLiteral("Ün&vanına göre"), CustomerOrder::indexName(CustomerOrder::Title)},
               {QStringLiteral("&Yetkili kişiye göre"),
                CustomerOrder::indexName(CustomerOrder::Contact)}},
              CustomerOrder::Code);
    goLast();
}

void TfrmCarKart::updateCommands()
{
    ListWindow::updateCommands();
    setCommandEnabled(QStringLiteral("KodAktar"), !table().isEmpty());
    setCommandEnabled(QStringLiteral("HizliKart"), !table().isEmpty());
}

void TfrmCarKart::newRecord()
{
    TfrmCarKartG window(shell(), table(), TfrmCarKartG::Mode::New, QString(), this);
    window.run();
}

void TfrmCarKart::editRecord()
{
    TfrmCarKartG window(shell(), table(), TfrmCarKartG::Mode::Edit, QString(), this);
    window.run();
}

void TfrmCarKart::deleteRecord()
{
    if (shell().company->CustomerHasMovements(table().currentId())) {
        NoticeBox(shell(), QStringLiteral("Cari kart üzerinde hareket var"),
                  QStringLiteral("iptal edilemez !"), QStringLiteral("Cari kart kontrol"), this);
        return;
    }
    ListWindow::deleteRecord();
}
