#include "instalments/TaksitB.h"

#include "instalments/TaksitG.h"
#include "instalments/TaksitParts.h"
#include "instalments/TaksitPlan.h"
#include "instalments/TaksitS.h"
#include "invoicing/FtSatisB.h"
#include "invoicing/InvoicePosting.h"
#include "printing/PagePrinter.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/MoneyFormat.h"
#include "store/Table.h"

#include <QLineEdit>

TfrmTaksitB::TfrmTaksitB(Shell& shell, InstalmentPosting& posting, qint64 saleId, QWidget* parent)
    : MultiGridWindow(shell, QString(), parent)
    , posting_(posting)
    , saleId_(saleId)
{
    const InstalmentSide& side = posting.side();
    setObjectName(side.sales ? QStringLiteral("frmTaksitB") : QStringLiteral("frmATaksitB"));
    const std::optional<InstalmentPosting::Sale> sale = posting.readSale(saleId);
    if (!sale) throw AppError(QStringLiteral("Kredili fiş bulunamadı (%1).").arg(saleId));
    setWindowTitle(windowTitle() + sale->tarih.toString(QStringLiteral("dd.MM.yyyy")) +
                   QLatin1Char('-') + sale->unvani +
                   (side.sales ? QStringLiteral(" Kredili satış fişi")
                               : QStringLiteral(" Kredili alış fişi")));
    const std::vector<QLineEdit*> header =
        addInfoGrid({QStringLiteral("Fiş tarihi : "), QStringLiteral("Cari no : "),
                     QStringLiteral("Ünvanı :"), QStringLiteral("Açıklama :")},
                    2, 180, 0);
    header[0]->setText(sale->tarih.toString(QStringLiteral("dd.MM.yyyy")));
    header[1]->setText(sale->cariNo);
    header[2]->setText(sale->unvani);
    header[3]->setText(sale->aciklama);
    totals_ = addInfoGrid({QStringLiteral("Toplam : "), QStringLiteral("Planlanan : "),
                           QStringLiteral("Ödenen : "), QStringLiteral("Bakiye : ")},
                          4, 110, 1);

    Connection& db = shell.company->connection();
    const QString names[3] = {QStringLiteral("Fatura"), side.plan, side.payment};
    const QString orders[3] = {QStringLiteral("Fatura_1"), QStringLiteral("Plan_1"),
                               QStringLiteral("Odeme_1")};
    for (int i = 0; i < 3; ++i) {
        tables_[i] = std::make_unique<Table>(db, names[i]);
        tables_[i]->setIndexName(orders[i]);
        tables_[i]->setFilter(QStringLiteral("Nosu = 0"));
        tables_[i]->setFiltered(true);
        tables_[i]->open();
    }
    tables_[Invoices]->setFilter(QStringLiteral("Kaynak = 'TK' and TKRef = %1 and FatTuru = %2")
                                     .arg(saleId)
                                     .arg(side.fatTuru()));
    tables_[Invoices]->last();
    const QString money = shell.company->moneyFormat();
    const auto sure = [this](const QString& a, const QString& c, const QString& t) {
        return this->sure(a, c, t);
    };
    addPane({QStringLiteral("Faturalar"),
             tables_[Invoices].get(),
             {{QStringLiteral("Tarih"), QStringLiteral("Tarih"), 80},
              {QStringLiteral("Fat.No"), QStringLiteral("FatNo"), 70, QStringLiteral("0")},
              {QStringLiteral("Açıklama"), QStringLiteral("Aciklama"), 180},
              {QStringLiteral("Toplam"), QStringLiteral("FatTop"), 100, money},
              {QStringLiteral("İskonto"), QStringLiteral("Iskonto"), 90, money},
              {QStringLiteral("Kdv"), QStringLiteral("Kdv"), 90, money},
              {QStringLiteral("Fatura toplamı"), QStringLiteral("GToplam"), 110, money}},
             [this] { newInvoice(); },
             [this] { editInvoice(table(Invoices).currentId()); },
             [this, sure] {
                 const InstalmentSide& side = posting_.side();
                 if (!sure(side.sales ? QStringLiteral("Satış faturasını iptal etmek")
                                      : QStringLiteral("alış faturasını iptal etmek"),
                           QStringLiteral("Faturanın tüm kayıtları SİLİNECEK!!"),
                           side.sales ? QStringLiteral("Satış faturası iptal")
                                      : QStringLiteral("alış faturası iptal")))
                     return;
                 posting_.removeInvoice(table(Invoices).currentId());
                 refresh(true);
             },
             {},
             [this] { invoiceMoved(); }});
    addPane({QStringLiteral("Ödeme planı"),
             tables_[Plan].get(),
             {{QStringLiteral("Vadesi"), QStringLiteral("Vadesi"), 80},
              {QStringLiteral("Açıklama"), QStringLiteral("Aciklama"), 180},
              {QStringLiteral("Tutarı"), QStringLiteral("Tutari"), 100, money},
              {QStringLiteral("Ödeme"), QStringLiteral("Odeme"), 100, money},
              {QStringLiteral("Bakiye"), QStringLiteral("Bakiye"), 100, money}},
             [this] { newPlan(); },
             [this] {
                 TfrmTaksitE line(this->shell(), posting_, table(Plan).currentId(), this);
                 line.run();
                 refresh(true);
             },
             [this, sure] {
                 if (!sure(QStringLiteral("Taksit plan kalemini iptal etmek"),
                           QStringLiteral("Plan kayıtları SİLİNECEK!!"),
                           QStringLiteral("Taksit plan kontrol")))
                     return;
                 if (posting_.hasPayments(table(Plan).currentId())) {
                     NoticeBox(this->shell(), QStringLiteral("Kayıtlı ödeme var"),
                               QStringLiteral("İptal edilemez"), QStringLiteral("Plan kontrol"),
                               this);
                     return;
                 }
                 posting_.removePlanLine(table(Plan).currentId());
                 refresh(true);
             },
             [this] { return !table(Invoices).isEmpty(); },
             [this] { lineMoved(); }});
    addPane({QStringLiteral("Ödemeler"),
             tables_[Payments].get(),
             {{QStringLiteral("Tarih"), QStringLiteral("Tarih"), 80},
              {QStringLiteral("Açıklama"), QStringLiteral("Aciklama"), 180},
              {QStringLiteral("Tutarı"), QStringLiteral("Tutari"), 100, money},
              {QStringLiteral("N"), QStringLiteral("N"), 24},
              {QStringLiteral("K"), QStringLiteral("K"), 24},
              {QStringLiteral("Ç"), QStringLiteral("C"), 24},
              {QStringLiteral("D"), QStringLiteral("D"), 24}},
             [this] { editPayment(0); },
             [this] { editPayment(table(Payments).currentId()); },
             [this, sure] {
                 if (!sure(QStringLiteral("Taksit ödemesini iptal etmek"),
                           QStringLiteral("Ödeme kayıtları SİLİNECEK!!"),
                           QStringLiteral("Taksit ödeme kontrol")))
                     return;
                 posting_.removePayment(table(Payments).currentId());
                 refresh(true);
             },
             [this] { return !table(Plan).isEmpty(); },
             {}});
    // Under the plan's grid: the header, the sale's totals, then each grid under its title.
    const std::vector<QLineEdit*> plan =
        addInfoGrid({QStringLiteral("Plan toplamları : "), QString(), QString()}, 3, 110, 6);
    totals_.insert(totals_.end(), plan.begin(), plan.end());
    addCommand(QStringLiteral("Sablon"), QStringLiteral("Şablonlar [F8]"), Qt::Key_F8, QString(),
               [this] {
                   TfrmTaksitS templates(this->shell(), this);
                   templates.run();
               });
    if (side.sales) {
        // The note and the plans: F5 previews, F6 prints, F7 sets the printer up.
        addCommand(QStringLiteral("OnIzleme"), QStringLiteral("Ön İzleme [F5]"), Qt::Key_F5,
                   QStringLiteral("Senedi ve ödeme planını ön izler"), [this] { printNote(true); });
        addCommand(QStringLiteral("Yazdir"), QStringLiteral("Yazdır [F6]"), Qt::Key_F6,
                   QStringLiteral("Senedi ve ödeme planını yazdırır"),
                   [this] { printNote(false); });
        addCommand(QStringLiteral("Ayar"), QStringLiteral("Ayar [F7]"), Qt::Key_F7,
                   QStringLiteral("Yazıcı ayarları"),
                   [this] { printerSetup(this->shell().install, this); });
    }
    addQuickCardKey(QuickCard::Customer, [this, id = sale->customerId] {
        return QuickTarget{id, {}};
    });
    invoiceMoved();
    refresh(true);
    resize(900, 720);
}

TfrmTaksitB::~TfrmTaksitB() = default;

QString TfrmTaksitB::totalText(int total) const
{
    return totals_[size_t(total)]->text();
}

bool TfrmTaksitB::sure(const QString& line1, const QString& line3, const QString& title)
{
    return ConfirmBox(shell(), line1, QStringLiteral("istediğinize emin misiniz ?"), title, this) ==
               1 &&
           ConfirmBox(shell(), line3, QStringLiteral("emin misiniz ?"), title, this) == 1;
}

void TfrmTaksitB::invoiceMoved()
{
    Table& plan = table(Plan);
    plan.setFilter(QStringLiteral("FRef = %1").arg(table(Invoices).currentId()));
    plan.last();
    reloadPane(Plan);
    lineMoved();
    refresh(false);
}

void TfrmTaksitB::lineMoved()
{
    Table& payments = table(Payments);
    payments.setFilter(QStringLiteral("Ref = %1").arg(table(Plan).currentId()));
    payments.last();
    reloadPane(Payments);
}

void TfrmTaksitB::refresh(bool tell)
{
    // Each grid read again on the record it stood on (or its last), the grids below following
    // the one above.
    for (int pane = 0; pane < 3; ++pane) {
        Table& t = table(pane);
        const qint64 at = t.currentId();
        if (pane == Plan)
            t.setFilter(QStringLiteral("FRef = %1").arg(table(Invoices).currentId()));
        else if (pane == Payments)
            t.setFilter(QStringLiteral("Ref = %1").arg(table(Plan).currentId()));
        t.refresh();
        if (at <= 0 || !t.gotoId(at)) t.last();
        reloadPane(pane);
    }
    const qint64 invoiceId = table(Invoices).currentId();
    const InstalmentPosting::Totals t = posting_.totals(saleId_, invoiceId);
    const QString money = shell().company->moneyFormat();
    const double values[] = {t.toplam.value(),      t.planlanan.value(),  t.odenen.value(),
                             t.bakiye().value(),    t.planTutari.value(), t.planOdeme.value(),
                             t.planBakiye().value()};
    for (size_t i = 0; i < totals_.size(); ++i)
        totals_[i]->setText(formatNumber(values[i], money));
    updateCommands();
    // Told after a command, and when another invoice comes up; not again on its own.
    if (!tell && invoiceId == toldFor_) return;
    toldFor_ = invoiceId;
    const int check = posting_.planCheck(t);
    if (check != 0 && isVisible())
        NoticeBox(shell(), QStringLiteral("Planlanan taksit tutarı"),
                  check > 0 ? QStringLiteral("fatura tutarından FAZLA, DÜZELTİNİZ")
                            : QStringLiteral("fatura tutarından EKSİK, DÜZELTİNİZ"),
                  QStringLiteral("Plan kontrol"), this);
}

void TfrmTaksitB::newInvoice()
{
    editInvoice(0);
}

void TfrmTaksitB::editInvoice(qint64 invoiceId)
{
    TfrmTaksitC header(shell(), posting_, saleId_, invoiceId, this);
    header.run();
    if (header.savedId() && !invoiceId) {
        // A new invoice goes on to its lines.
        InvoicePosting invoices(*shell().company, shell().install);
        TfrmFtSatisB lines(shell(), invoices, posting_.side().invoiceKind(), header.savedId(),
                           false, this);
        lines.run();
        table(Invoices).refresh();
        table(Invoices).gotoId(header.savedId());
    }
    refresh(true);
    invoiceMoved();
}

void TfrmTaksitB::newPlan()
{
    if (posting_.unplanned(table(Invoices).currentId()) <= 0) {
        NoticeBox(shell(), QStringLiteral("Planlanan taksit fatura tutarına eşit"),
                  QStringLiteral("Tekrar planlama yapamazsınız"), QStringLiteral("Plan kontrol"),
                  this);
        return;
    }
    TfrmTaksitD plan(shell(), posting_, table(Invoices).currentId(), this);
    plan.run();
    table(Plan).last();
    refresh(true);
}

void TfrmTaksitB::editPayment(qint64 paymentId)
{
    TfrmTaksitF payment(shell(), posting_, table(Plan).currentId(), paymentId, this);
    payment.run();
    refresh(true);
}

void TfrmTaksitB::updateCommands()
{
    MultiGridWindow::updateCommands();
    if (!posting_.side().sales) return;
    const bool planned = !table(Plan).isEmpty();
    setCommandEnabled(QStringLiteral("OnIzleme"), planned);
    setCommandEnabled(QStringLiteral("Yazdir"), planned);
}

void TfrmTaksitB::printNote(bool preview)
{
    // The print reads the sale's invoices and plans itself; the grids stay where they are and
    // are read again afterwards, on the sale's last invoice.
    TfrmTaksitG print(shell(), saleId_, preview, this);
    print.run();
    table(Invoices).refresh();
    table(Invoices).last();
    invoiceMoved();
}

void TfrmTaksitB::leaving()
{
    posting_.closeSale(saleId_);
}
