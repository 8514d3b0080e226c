#include "customers/CarHar.h"

#include "customers/CarHarG.h"
#include "customers/CarKartG.h"
#include "customers/CariListe.h"
#include "customers/CustomerLedger.h"
#include "store/CompanyData.h"
#include "store/MoneyFormat.h"
#include "store/Table.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TfrmCarHar::TfrmCarHar(Shell& shell, QWidget* parent)
    : ListWindow(
          shell, QStringLiteral("Cari İşlemler"), shell.company->table(QStringLiteral("CarHar")),
          {{QStringLiteral("Tarih"), QStringLiteral("Tarih"), 80},
           {QStringLiteral("Vadesi"), QStringLiteral("Vadesi"), 80},
           {QStringLiteral("Belge No"), QStringLiteral("BelgeNo"), 80},
           {QStringLiteral("Açıklama"), QStringLiteral("Aciklama"), 160},
           {QStringLiteral("Açıklama"), QStringLiteral("Aciklama1"), 120},
           {QStringLiteral("Fiyatı"), QStringLiteral("BirimF"), 80, QStringLiteral("#,##0.00")},
           {QStringLiteral("Adet"), QStringLiteral("Adet"), 60, QStringLiteral("#,##0.##")},
           {QStringLiteral("Borç"), QStringLiteral("Borc"), 100, shell.company->moneyFormat()},
           {QStringLiteral("Alacak"), QStringLiteral("Alacak"), 100, shell.company->moneyFormat()},
           {QStringLiteral("K"), QStringLiteral("Kaynak"), 30}},
          parent)
{
    setObjectName(QStringLiteral("frmCarHar"));
    setDeleteTexts({QStringLiteral("Cari hareketi silmek istediğinize"),
                    QStringLiteral("emin misiniz ? "),
                    QStringLiteral("Cari hareket bilgisini tamamıyla kaybedeceksiniz"),
                    QStringLiteral("emin misiniz ? "), QStringLiteral("Cari hareket kontrol")});
    setOwnedRecords(
        {QStringLiteral("Kaynak"), Kaynak::CA, QStringLiteral("Kaynak program cari hareket değil"),
         QStringLiteral("DÜZELTME işlemi yapılamaz !"), QStringLiteral("Cari hareket kontrol"),
         QStringLiteral("İPTAL işlemi yapılamaz"), QStringLiteral("Cari hareket kontrolu")});
    addCommand(QStringLiteral("YeniKart"), QStringLiteral("Yeni Cari Kart [F5]"), Qt::Key_F5,
               QString(), [this] {
                   TfrmCarKartG window(this->shell(),
                                       this->shell().company->table(QStringLiteral("Cari")),
                                       TfrmCarKartG::Mode::New, QString(), this);
                   window.run();
               });
    addCommand(QStringLiteral("Liste"), QStringLiteral("Kart Listesi [F6]"), Qt::Key_F6, QString(),
               [this] {
                   Table& cari = this->shell().company->table(QStringLiteral("Cari"));
                   TfrmCariListe::pick(this->shell(), cari, false, this);
                   showCustomer();
                   goLast();
               });
    addQuickCardKey(
        QuickCard::Customer,
        [this] {
            return QuickTarget{customerId_, {}};
        },
        true);

    const std::vector<QLineEdit*> boxes =
        addInfoBoxes({QStringLiteral("Borç"), QStringLiteral("Alacak"), QStringLiteral("Bakiye")});
    std::copy(boxes.begin(), boxes.end(), totals_);
    resize(980, 560);
    showCustomer();
    goLast();
}

void TfrmCarHar::open(Shell& shell, QWidget* parent)
{
    Table& cari = shell.company->table(QStringLiteral("Cari"));
    const qint64 current = cari.currentId(); // the list opens on the card last worked on
    cari.setFiltered(false);
    cari.setIndexName(QStringLiteral("Cari_2"));
    Table& har = shell.company->table(QStringLiteral("CarHar"));
    har.setIndexName(QStringLiteral("CarHar_1"));
    TfrmCariListe::pick(shell, cari, false, parent, current);
    // The window works on the card the table stands on: the one chosen (switching the filter
    // off goes back to the first card).
    const qint64 chosen = cari.currentId();
    cari.setFiltered(false);
    if (chosen > 0) cari.gotoId(chosen);
    TfrmCarHar window(shell, parent);
    window.run();
    har.setFiltered(false);
}

QString TfrmCarHar::totalText(int index) const
{
    return totals_[index]->text();
}

void TfrmCarHar::showCustomer()
{
    Table& cari = shell().company->table(QStringLiteral("Cari"));
    customerId_ = cari.isEmpty() ? 0 : cari.currentId();
    table().setFilter(QStringLiteral("CARef = %1").arg(customerId_));
    table().setFiltered(true);
    setWindowTitle(QStringLiteral("[-%1-%2-] şirketi Cari İşlemler [%3 : %4]")
                       .arg(shell().activeCompanyCode, shell().activeCompanyTitle,
                            customerId_ ? cari[QStringLiteral("CariNo")].asString() : QString(),
                            customerId_ ? cari[QStringLiteral("Unvani")].asString() : QString()));
    reload();
}

void TfrmCarHar::updateCommands()
{
    ListWindow::updateCommands();
    setCommandEnabled(QStringLiteral("HizliKart"), customerId_ > 0);
    if (!customerId_) {
        for (QLineEdit* box : totals_)
            box->clear();
        return;
    }
    // The totals are recomputed after every command; a warning is shown once for it.
    CustomerLedger ledger(*shell().company);
    const CardTotals totals = ledger.recomputeCardTotals(customerId_);
    const QString mask = shell().company->moneyFormat();
    totals_[0]->setText(formatNumber(totals.borc, mask));
    totals_[1]->setText(formatNumber(totals.alacak, mask));
    totals_[2]->setText(formatNumber(totals.bakiye(), mask));
    for (const QStringList& warning : ledger.limitWarnings(customerId_, totals))
        NoticeBox(shell(), warning[0], warning[1], QStringLiteral("Cari hareket bilgi"), this);
}

void TfrmCarHar::newRecord()
{
    if (!customerId_) {
        NoticeBox(shell(), QStringLiteral("Kayıtlı cari kart yok"),
                  QStringLiteral("işlem yapılamaz !"), QStringLiteral("Cari hareket kontrol"),
                  this);
        return;
    }
    TfrmCarHarG window(shell(), customerId_, 0, this);
    window.run();
    if (window.savedId()) table().gotoId(window.savedId());
}

void TfrmCarHar::editRecord()
{
    TfrmCarHarG window(shell(), customerId_, table().currentId(), this);
    window.run();
    if (window.savedId()) table().gotoId(window.savedId());
}

void TfrmCarHar::deleteRecord()
{
    CustomerLedger(*shell().company).remove(table().currentId());
}
