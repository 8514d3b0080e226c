#include "instalments/TaksitParts.h"

#include "invoicing/FtSatis.h"
#include "invoicing/InvoicePosting.h"
#include "store/AppError.h"
#include "store/CompanyData.h"

#include <QButtonGroup>

namespace {

const QString kDate = QStringLiteral("dd.MM.yyyy");

FieldSpec field(const char* label, EditorKind kind, int size, const char* hint)
{
    return {QString::fromUtf8(label), QString(), kind, size, QString::fromUtf8(hint)};
}

} // namespace

// --- invoice header --------------------------------------------------------------------------

TfrmTaksitC::TfrmTaksitC(Shell& shell, InstalmentPosting& posting, qint64 saleId, qint64 invoiceId,
                         QWidget* parent)
    : EntryWindow(
          shell,
          QStringLiteral("%1 %2 fatura")
              .arg(invoiceId ? QStringLiteral("Eski") : QStringLiteral("Yeni"),
                   posting.side().sales ? QStringLiteral("Kredili") : QStringLiteral("kredili")),
          {field("Fatura Tarihi : ", EditorKind::Date, 0, "Fatura tarihini giriniz"),
           field("İrsaliye Tarihi : ", EditorKind::Date, 0, "İrsaliye tarihini giriniz"),
           field("Vadesi : ", EditorKind::Date, 0, "Fatura vadesini giriniz"),
           field("Fatura nosu : ", EditorKind::Integer, 0, "Fatura nosunu giriniz"),
           field("İrsaliye Nosu : ", EditorKind::Integer, 0, "İrsaliye nosunu giriniz"),
           field("Fat.Açıklaması : ", EditorKind::Text, 35, "Fatura açıklamasını giriniz")},
          nullptr, parent)
    , posting_(posting)
    , saleId_(saleId)
    , invoiceId_(invoiceId)
{
    setObjectName(posting.side().sales ? QStringLiteral("frmTaksitC")
                                       : QStringLiteral("frmATaksitC"));
    setWrapFields(true);
    InvoicePosting invoices(*shell.company);
    std::optional<InvoiceData> inv;
    if (invoiceId_ && !(inv = invoices.read(invoiceId_)))
        throw AppError(QStringLiteral("Fatura bulunamadı."));
    // A new header proposes the next number; the counter moves when it is saved.
    showInvoiceHeader(*this, inv ? &*inv : nullptr,
                      inv ? 0 : invoices.NextInvoiceNumber(posting.side().invoiceKind()));
    editor(Tarih)->setFocus();
}

void TfrmTaksitC::save()
{
    saved_ = posting_.saveInvoice(saleId_, invoiceId_, invoiceHeaderOf(*this));
}

// --- plan line ----------------------------------------------------------------------------------

TfrmTaksitE::TfrmTaksitE(Shell& shell, InstalmentPosting& posting, qint64 lineId, QWidget* parent)
    : EntryWindow(shell, QStringLiteral("Plan düzeltme"),
                  {field("Vadesi : ", EditorKind::Date, 0, "Plan tarihini giriniz"),
                   field("TUTARI : ", EditorKind::Money, shell.company->kurus() ? 2 : 0,
                         "Plan tutarını giriniz"),
                   field("Açıklama : ", EditorKind::Text, 25, "Plan açıklamasını giriniz")},
                  nullptr, parent)
    , posting_(posting)
    , lineId_(lineId)
{
    setObjectName(posting.side().sales ? QStringLiteral("frmTaksitE")
                                       : QStringLiteral("frmATaksitE"));
    const std::vector<SqlRow> line = shell.company->connection().select(
        QStringLiteral("SELECT \"Vadesi\", coalesce(\"Tutari\",0), \"Aciklama\" FROM %1 WHERE "
                       "\"Nosu\" = ?")
            .arg(sqlName(posting.side().plan)),
        {lineId});
    if (line.empty()) throw AppError(QStringLiteral("Plan kalemi bulunamadı."));
    setText(Vadesi, QDate::fromString(line.front()[0].toString(), Qt::ISODate).toString(kDate));
    setNumber(Tutari, line.front()[1].toDouble());
    setText(Aciklama, line.front()[2].toString());
}

void TfrmTaksitE::save()
{
    posting_.savePlanLine(lineId_, value(Vadesi).toDate(), number(Tutari), text(Aciklama));
}

// --- payment ------------------------------------------------------------------------------------

TfrmTaksitF::TfrmTaksitF(Shell& shell, InstalmentPosting& posting, qint64 lineId, qint64 paymentId,
                         QWidget* parent)
    : EntryWindow(shell,
                  paymentId ? QStringLiteral("Ödeme düzeltme") : QStringLiteral("Ödeme yeni kayıt"),
                  {field("Ödeme tarihi : ", EditorKind::Date, 0, "Ödeme tarihini giriniz"),
                   field("Açıklama : ", EditorKind::Text, 25, "Ödeme açıklamasını giriniz"),
                   field("Ödeme Tutarı : ", EditorKind::Money, shell.company->kurus() ? 2 : 0,
                         "Ödeme tutarını giriniz")},
                  nullptr, parent)
    , posting_(posting)
    , lineId_(lineId)
    , paymentId_(paymentId)
{
    setObjectName(posting.side().sales ? QStringLiteral("frmTaksitF")
                                       : QStringLiteral("frmATaksitF"));
    const std::optional<InstalmentPosting::Payment> p =
        paymentId ? posting.readPayment(paymentId) : posting.proposal(lineId);
    if (!p) throw AppError(QStringLiteral("Ödeme bulunamadı."));
    setText(Tarih, p->tarih.toString(kDate));
    setText(Aciklama, p->aciklama);
    setNumber(Tutari, p->tutari);
    kind_ = addRadioGroup(QStringLiteral(" Ödeme tipi "),
                          {QStringLiteral("&Nakit"), QStringLiteral("&Kredi kartı"),
                           QStringLiteral("Çek-&Senet"), QStringLiteral("&Diğer")},
                          p->tipi, 0);
    // Choosing a kind goes on to the date.
    connect(kind_, &QButtonGroup::idClicked, this, [this] { editor(Tarih)->setFocus(); });
    editor(Tarih)->setFocus();
}

void TfrmTaksitF::save()
{
    posting_.savePayment(
        lineId_, paymentId_,
        {value(Tarih).toDate(), text(Aciklama), number(Tutari), std::max(0, kind_->checkedId())});
}

void TfrmTaksitF::saved()
{
    if (kind_->checkedId() == InstalmentPosting::Paper)
        NoticeBox(shell(), QStringLiteral("Çek yada senet kaydını"),
                  QStringLiteral("Çek-Senet modülüne giriniz"),
                  QStringLiteral("Çek senet ödeme kontrol"), this);
    EntryWindow::saved();
}
