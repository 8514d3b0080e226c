#include "customers/CarKart.h"

#include "customers/CarKartG.h"
#include "customers/CariListe.h"
#include "store/CompanyData.h"
#include "store/Table.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

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
                   setOrder(orders_->checkedId());
               });
    // The code transfer and the quick card come with their own windows.
    addCommand(QStringLiteral("KodAktar"), QStringLiteral("Kod aktar [F7]"), Qt::Key_F7, QString(),
               [] {});
    addCommand(QStringLiteral("HizliKart"), QStringLiteral("Hızlı kart [F10]"), Qt::Key_F10,
               QString(), [] {});

    auto* box = new QGroupBox(QStringLiteral(" Cari kart listesi "), this);
    auto* layout = new QHBoxLayout(box);
    orders_ = new QButtonGroup(this);
    const char* captions[] = {"&Nosuna göre", "Ün&vanına göre", "&Yetkili kişiye göre"};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(captions[i]), box);
        radio->setFocusPolicy(Qt::NoFocus);
        orders_->addButton(radio, i);
        layout->addWidget(radio);
    }
    content()->insertWidget(0, box);
    connect(orders_, &QButtonGroup::idClicked, this, &TfrmCarKart::setOrder);
    table().setFiltered(false);
    setOrder(0);
    goLast();
}

void TfrmCarKart::setOrder(int order)
{
    if (QAbstractButton* b = orders_->button(order)) b->setChecked(true);
    const qint64 at = table().currentId();
    table().setIndexName(order == 1   ? QStringLiteral("Cari_2")
                         : order == 2 ? QStringLiteral("Cari_3")
                                      : QStringLiteral("Cari_1"));
    if (at > 0) table().gotoId(at);
    reload();
}

void TfrmCarKart::updateCommands()
{
    ListWindow::updateCommands();
    setCommandEnabled(QStringLiteral("KodAktar"), false);
    setCommandEnabled(QStringLiteral("HizliKart"), false);
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
