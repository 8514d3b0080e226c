#include "invoicing/FtSatis.h"
#include "invoicing/FtStBar.h"

#include <utility>

#include "app/CodeField.h"
#include "customers/CustomerCodes.h"
#include "invoicing/FtSatisB.h"
#include "invoicing/InvoicePosting.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/InstallSettings.h"
#include "store/Table.h"

#include <QButtonGroup>
#include <QDebug>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

const QString kDate = QStringLiteral("dd.MM.yyyy");
const QString kControl = QStringLiteral("Fatura kontrol");
const QString kForeign = QStringLiteral("Kaynak program fatura değil!!!");

Table& invoiceTable(Shell& shell, const InvoiceKind& kind)
{
    Table& t = shell.company->table(QStringLiteral("Fatura"));
    t.setFilter(QStringLiteral("FatTuru = %1").arg(kind.fatTuru));
    t.setFiltered(true);
    t.setIndexName(QStringLiteral("Fatura_2"));
    t.refresh();
    return t;
}

std::vector<GridColumn> invoiceColumns(Shell& shell)
{
    const QString money = shell.company->moneyFormat();
    return {{QStringLiteral("Tarih"), QStringLiteral("Tarih"), 80},
            {QStringLiteral("Fat.No"), QStringLiteral("FatNo"), 70, QStringLiteral("0")},
            {QStringLiteral("Cari No"), QStringLiteral("CariNo"), 80},
            {QStringLiteral("Ünvani"), QStringLiteral("Unvani"), 200},
            {QStringLiteral("Toplam"), QStringLiteral("FatTop"), 100, money},
            {QStringLiteral("İskonto"), QStringLiteral("Iskonto"), 80, money},
            {QStringLiteral("Kdv"), QStringLiteral("Kdv"), 90, money},
            {QStringLiteral("Fatura toplamı"), QStringLiteral("GToplam"), 110, money},
            {QStringLiteral("K"), QStringLiteral("Kaynak"), 30},
            {QStringLiteral("Aciklama"), QStringLiteral("Aciklama"), 180}};
}

} // namespace

// --- list --------------------------------------------------------------------------------------

TfrmFtSatis::TfrmFtSatis(Shell& shell, const InvoiceKind& kind, bool barcode, QWidget* parent)
    : ListWindow(shell, barcode ? kind.barcodeListCaption : kind.listCaption,
                 invoiceTable(shell, kind), invoiceColumns(shell), parent)
    , kind_(kind)
    , barcode_(barcode)
    , posting_(std::make_unique<InvoicePosting>(*shell.company, shell.install))
{
    setObjectName(kind.sales ? QStringLiteral("frmFtSatis") : QStringLiteral("frmFtAlis"));
    setDeleteTexts({kind.deleteInvoice, QStringLiteral("istediğinize emin misiniz ?"),
                    QStringLiteral("Faturanın tüm kayıtları SİLİNECEK!!"),
                    QStringLiteral("emin misiniz ?"), kind.deleteTitle});
    OwnedRecords owned{QStringLiteral("Kaynak"),
                       QStringLiteral("FA"),
                       kForeign,
                       QStringLiteral("Düzeltme işlemi yapılamaz"),
                       kControl,
                       QStringLiteral("İptal işlemi yapılamaz"),
                       kControl};
    owned.emptyIsOwn = true;
    setOwnedRecords(owned);
    setOrders(QStringLiteral(" Fatura listesi "),
              {{QStringLiteral("Fatura &nosuna"), QStringLiteral("Fatura_1")},
               {QStringLiteral("Fatura &tarihine"), QStringLiteral("Fatura_2")}},
              1);
    addLinesCommand(QStringLiteral("Fatura hareketleri [F5]"), QStringLiteral("Fatura hareketleri"),
                    [this] { openLines(); });
    setHeaderWindow([this](qint64 invoiceId) {
        TfrmFtSatisA header(this->shell(), *posting_, kind_, invoiceId, barcode_, this);
        header.run();
        // A new header of the barcode list goes on to the counter, not to the line list.
        newSale_ = barcode_ && kind_.sales && invoiceId == 0 && header.savedId();
        return header.savedId();
    });
    setRereadBeforeKeys(true);
    addQuickCardKey(QuickCard::Customer, [this] {
        return QuickTarget{table()["CARef"].asInt64(), {}};
    });
    resize(1000, 600);
    goLast();
}

TfrmFtSatis::~TfrmFtSatis()
{
    table().setFiltered(false);
}

void TfrmFtSatis::openLines()
{
    const qint64 invoiceId = table().currentId();
    if (invoiceId <= 0 || !ownedOrTell(kind_.linesRefused, kControl)) return;
    if (std::exchange(newSale_, false)) {
        TfrmFtStBarF sale(shell(), *posting_, invoiceId, this);
        sale.run();
    } else {
        TfrmFtSatisB lines(shell(), *posting_, kind_, invoiceId, barcode_, this);
        lines.run();
    }
    table().refresh();
    table().gotoId(invoiceId);
    reload();
}

void TfrmFtSatis::deleteRecord()
{
    posting_->removeInvoice(table().currentId());
    table().refresh();
}

// --- header ------------------------------------------------------------------------------------

InvoiceHeader invoiceHeaderOf(const EntryWindow& window, const InvoiceHeaderFields& at)
{
    InvoiceHeader h;
    h.tarih = window.value(at.tarih).toDate();
    h.irsTarih = window.value(at.irsTarih).toDate();
    h.vadesi = window.value(at.vadesi).toDate();
    h.fatNo = window.number(at.fatNo);
    h.irsNo = window.number(at.irsNo);
    h.aciklama = window.text(at.aciklama);
    return h;
}

void showInvoiceHeader(EntryWindow& window, const InvoiceData* invoice, double proposedNumber,
                       const InvoiceHeaderFields& at)
{
    if (invoice) {
        window.setText(at.tarih, invoice->tarih.toString(kDate));
        window.setText(at.irsTarih, invoice->irsTarih.toString(kDate));
        // A due date that cannot be read shows the invoice date.
        window.setText(
            at.vadesi,
            (invoice->vadesi.isValid() ? invoice->vadesi : invoice->tarih).toString(kDate));
        window.setNumber(at.fatNo, invoice->fatNo);
        window.setNumber(at.irsNo, invoice->irsNo);
        window.setText(at.aciklama, invoice->aciklama);
        return;
    }
    const QString today = QDate::currentDate().toString(kDate);
    for (int field : {at.tarih, at.irsTarih, at.vadesi})
        window.setText(field, today);
    window.setNumber(at.fatNo, proposedNumber);
    window.setNumber(at.irsNo, 0);
}

namespace {

std::vector<FieldSpec> headerFields(const InvoiceKind& kind)
{
    const auto f = [](const QString& label, EditorKind editor, int size, const char* hint) {
        return FieldSpec{label, QString(), editor, size, QString::fromUtf8(hint)};
    };
    return {
        f(QStringLiteral("Fatura Tarihi : "), EditorKind::Date, 0, "Fatura tarihini giriniz"),
        f(QStringLiteral("İrsaliye Tarihi : "), EditorKind::Date, 0, "İrsaliye tarihini giriniz"),
        f(QStringLiteral("Vadesi : "), EditorKind::Date, 0, "Faturanın vadesini giriniz"),
        f(QStringLiteral("Fatura nosu : "), EditorKind::Integer, 0, "Fatura nosunu giriniz"),
        f(QStringLiteral("İrsaliye Nosu : "), EditorKind::Integer, 0, "İrsaliye nosunu giriniz"),
        f(kind.descriptionLabel, EditorKind::Text, 35, "Fatura açıklamasını giriniz"),
        f(QStringLiteral("Cari kart nosu : "), EditorKind::Code, 10, "Cari kart nosunu giriniz"),
        f(QStringLiteral("Ünvanı : "), EditorKind::Text, 35, "Cari kart ünvanını giriniz"),
        f(QStringLiteral("Adres : "), EditorKind::Text, 35, "Cari kart adresini giriniz"),
        f(QString(), EditorKind::Text, 35, "Cari kart adresini giriniz"),
        f(QString(), EditorKind::Text, 35, "Cari kart adresini giriniz"),
        f(QStringLiteral("Vergi dairesi : "), EditorKind::Text, 15,
          "Cari kart vergi dairesini giriniz"),
        f(QStringLiteral("Vergi hesap no : "), EditorKind::Text, 15,
          "Cari kart vergi nosunu giriniz"),
    };
}

} // namespace

TfrmFtSatisA::TfrmFtSatisA(Shell& shell, InvoicePosting& posting, const InvoiceKind& kind,
                           qint64 invoiceId, bool barcode, QWidget* parent)
    : EntryWindow(shell, invoiceId ? kind.oldHeader : kind.newHeader, headerFields(kind), nullptr,
                  parent)
    , posting_(posting)
    , kind_(kind)
    , invoiceId_(invoiceId)
{
    setObjectName(kind.sales ? QStringLiteral("frmFtSatisA") : QStringLiteral("frmFtAlisA"));
    auto* code = static_cast<QLineEdit*>(editor(CariNo));
    code_ = new CodeField(shell, code, customerCodes());
    connect(code_, &CodeField::checked, this, [this](qint64 id) { transfer(id); });
    addCardListCommand(code_, -1, Tarih);
    addQuickCardKey(QuickCard::Customer, [this] { return QuickTarget{0, text(CariNo)}; });

    int durum = barcode ? 1 : 0;
    int kdv = kind.sales ? (barcode ? shell.install.barDahilMi() : 0) : shell.install.dahilMi();
    if (invoiceId_) {
        const std::optional<InvoiceData> inv = posting.read(invoiceId_);
        if (!inv) throw AppError(QStringLiteral("Fatura bulunamadı."));
        showInvoiceHeader(*this, &*inv, 0);
        showCardAddress(
            *this, CariNo,
            {inv->cariNo, inv->unvani, inv->adres1, inv->adres2, inv->adres3, inv->vd, inv->vdNo},
            true);
        durum = inv->fDurumu == 1 ? 1 : 0;
        kdv = inv->kdvDahil == 1 ? 1 : 0;
    } else {
        showInvoiceHeader(*this, nullptr, posting.NextInvoiceNumber(kind));
    }
    durum_ = addRadioGroup(QStringLiteral(" Fatura "),
                           {QStringLiteral("Açık"), QStringLiteral("Kapalı")}, durum);
    kdv_ = addRadioGroup(QStringLiteral(" KDV "),
                         {QStringLiteral("Hariç"), QStringLiteral("Dahil")}, kdv == 1 ? 1 : 0);
    resize(560, 520);
    editor(barcode && !invoiceId_ ? CariNo : Tarih)->setFocus();
}

void TfrmFtSatisA::transfer(qint64 customerId)
{
    if (customerId) {
        if (const std::optional<CardAddress> c = cardAddress(*shell().company, customerId))
            showCardAddress(*this, CariNo, *c, !invoiceId_);
    } else {
        setText(Unvani, QString());
    }
    // The choice of VAT is proposed for the next invoice.
    try {
        const int choice = kdv_ ? kdv_->checkedId() : 0;
        if (kind_.sales)
            shell().install.setBarDahilMi(choice);
        else
            shell().install.setDahilMi(choice);
    } catch (const AppError& e) {
        qWarning() << e.message();
    }
}

bool TfrmFtSatisA::validate()
{
    // The code is looked up again as it stands now.
    if (code_->check()) return true;
    NoticeBox(shell(), QStringLiteral("Cari kart nosu bulunamadı"), QString(),
              QStringLiteral("Cari kart kontrol"), this);
    editor(CariNo)->setFocus();
    return false;
}

void TfrmFtSatisA::save()
{
    InvoiceHeader h = invoiceHeaderOf(*this);
    h.cariNo = text(CariNo);
    h.unvani = text(Unvani);
    h.adres1 = text(Adres1);
    h.adres2 = text(Adres2);
    h.adres3 = text(Adres3);
    h.vd = text(Vd);
    h.vdNo = text(VdNo);
    h.fDurumu = durum_->checkedId();
    h.kdvDahil = kdv_->checkedId();
    saved_ = posting_.saveHeader(kind_, invoiceId_, h);
}
