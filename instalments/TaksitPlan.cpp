#include "instalments/TaksitPlan.h"

#include "invoicing/InvoicePosting.h"
#include "portfolio/VoucherMath.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/IniFile.h"
#include "store/InstallSettings.h"
#include "store/MoneyFormat.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

const QString kPlan = QStringLiteral("PLAN");
const QString kDate = QStringLiteral("dd.MM.yyyy");

FieldSpec field(const char* label, EditorKind kind, int size, const char* hint = "")
{
    return {QString::fromUtf8(label), QString(), kind, size, QString::fromUtf8(hint)};
}

} // namespace

TfrmTaksitD::TfrmTaksitD(Shell& shell, InstalmentPosting& posting, qint64 invoiceId,
                         QWidget* parent)
    : EntryWindow(
          shell, QString(),
          {field("Satış tutarı : ", EditorKind::Money, shell.company->kurus() ? 2 : 0),
           field("Fatura tarihi : ", EditorKind::Date, 0),
           field("Vade aralığı : ", EditorKind::Integer, 0, "Taksitler arasındaki günü giriniz"),
           field("Taksit adedi : ", EditorKind::Integer, 0, "Taksit adedini giriniz"),
           field("Vade başlangıç tarihi : ", EditorKind::Date, 0, "İlk vade tarihini giriniz"),
           field("Yuvarlama (TL) : ", EditorKind::Number, 0, "Taksit yuvarlama tutarını giriniz"),
           field("Peşinat tutarı : ", EditorKind::Money, shell.company->kurus() ? 2 : 0,
                 "Peşinat tutarını giriniz"),
           field("Fark hangi takside : ", EditorKind::Integer, 0,
                 "Yuvarlamadan çıkan fark hangi takside yazılacak?")},
          nullptr, parent)
    , posting_(posting)
    , invoiceId_(invoiceId)
{
    setObjectName(posting.side().sales ? QStringLiteral("frmTaksitD")
                                       : QStringLiteral("frmATaksitD"));
    const std::optional<InvoiceData> invoice = InvoicePosting(*shell.company).read(invoiceId);
    if (!invoice) throw AppError(QStringLiteral("Fatura bulunamadı."));
    invoiceDate_ = invoice->tarih;
    setWindowTitle(invoice->unvani + QStringLiteral(" ödeme planı düzenleme"));
    for (const int f : {int(Tutar), int(FaturaTarihi)}) {
        static_cast<QLineEdit*>(editor(f))->setReadOnly(true);
        editor(f)->setFocusPolicy(Qt::NoFocus);
    }
    // A second plan covers what the first left.
    setNumber(Tutar, posting.unplanned(invoiceId));
    setText(FaturaTarihi, invoiceDate_.toString(kDate));
    type_ = addRadioGroup(QStringLiteral(" Plan tipi "),
                          {QStringLiteral("&Manuel"), QStringLiteral("&1.Şablon"),
                           QStringLiteral("&2.Şablon"), QStringLiteral("&3.Şablon")},
                          0, 0);
    connect(type_, &QButtonGroup::idClicked, this, [this](int type) { chooseType(type); });
    auto* row = new QHBoxLayout;
    list_ = new QListWidget(this);
    list_->setFocusPolicy(Qt::NoFocus);
    difference_ = new QLabel(this);
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Taksit tutarları "), this));
    left->addWidget(list_);
    row->addLayout(left, 1);
    row->addWidget(difference_, 0, Qt::AlignBottom);
    content()->addLayout(row, 1);
    // The purchase side shows no difference.
    difference_->setVisible(posting.side().sales);
    for (int f = Aralik; f <= Fark; ++f)
        if (auto* edit = qobject_cast<QLineEdit*>(editor(f)))
            connect(edit, &QLineEdit::textEdited, this, [this] { showPreview(); });
    chooseType(0);
    resize(560, 560);
}

void TfrmTaksitD::chooseType(int type)
{
    template_.clear();
    if (type > 0) {
        template_ = InstalmentPlan::readTemplate(
            InstalmentPlan::templatePath(shell().install.programDir(), type));
        if (template_.empty() || !InstalmentPlan::templateConsistent(template_)) {
            NoticeBox(shell(), QStringLiteral("%1. şablon tutarlı değil").arg(type),
                      QStringLiteral("Lütfen düzeltiniz"), QStringLiteral("Şablon kontrol"), this);
            template_.clear();
            type = 0;
            type_->button(0)->setChecked(true);
        }
    }
    const IniFile& ini = shell().install.ini();
    if (type == 0) {
        // The opening values, again whenever "Manuel" is chosen.
        setText(Baslangic, NextDue(invoiceDate_, 30, 1).toString(kDate));
        setNumber(Yuvarlama, std::max(1.0, ini.readFloat(kPlan, QStringLiteral("YUVARLA"), 0)));
        setNumber(Aralik, ini.readFloat(kPlan, QStringLiteral("VADE"), 30));
        setNumber(Adet, 1);
        setNumber(Pesinat, 0);
        setNumber(Fark, 1);
    } else {
        InstalmentPlan::Input in = input();
        setNumber(Adet, in.count);
        setNumber(Pesinat, in.downPayment);
    }
    for (const int f : {int(Aralik), int(Adet), int(Pesinat)}) {
        static_cast<QLineEdit*>(editor(f))->setReadOnly(type > 0);
        editor(f)->setFocusPolicy(type > 0 ? Qt::NoFocus : Qt::StrongFocus);
    }
    editor(type > 0 ? Baslangic : Aralik)->setFocus();
    showPreview();
}

InstalmentPlan::Input TfrmTaksitD::input()
{
    InstalmentPlan::Input in;
    in.amount = number(Tutar);
    in.downPayment = number(Pesinat);
    in.count = value(Adet).toInt();
    in.interval = value(Aralik).toInt();
    in.invoiceDate = invoiceDate_;
    in.firstDue = value(Baslangic).toDate();
    in.rounding = number(Yuvarlama);
    in.differenceLine = value(Fark).toInt();
    in.templateLines = template_;
    InstalmentPlan::normalise(in, shell().company->kurus());
    return in;
}

void TfrmTaksitD::showPreview()
{
    list_->clear();
    InstalmentPlan::Input in;
    try {
        in = input();
    } catch (const AppError&) {
        return; // a date being typed
    }
    if (!InstalmentPlan::fault(in).isEmpty()) {
        difference_->clear();
        return;
    }
    const InstalmentPlan::Result r = InstalmentPlan::compute(in, shell().company->kurus());
    for (const double amount : r.instalments)
        list_->addItem(shell().company->FormatMoneyText(QString::number(amount, 'f', 2)));
    difference_->setText(QStringLiteral("Fark : ") +
                         shell().company->FormatMoneyText(QString::number(r.difference, 'f', 2)));
}

QStringList TfrmTaksitD::preview() const
{
    QStringList lines;
    for (int i = 0; i < list_->count(); ++i)
        lines << list_->item(i)->text();
    return lines;
}

QString TfrmTaksitD::difference() const
{
    return difference_->text();
}

bool TfrmTaksitD::validate()
{
    InstalmentPlan::Input in = input();
    // What the window shows is what is saved: the normalised values go back into it.
    setNumber(Yuvarlama, in.rounding);
    setNumber(Adet, in.count);
    setText(Baslangic, in.firstDue.toString(kDate));
    setNumber(Fark, in.differenceLine);
    showPreview();
    const QString fault = InstalmentPlan::fault(in);
    if (fault.isEmpty()) return true;
    NoticeBox(shell(), fault, QString(), QStringLiteral("Plan kontrol"), this);
    return false;
}

void TfrmTaksitD::save()
{
    const InstalmentPlan::Input in = input();
    posting_.savePlan(invoiceId_, InstalmentPlan::compute(in, shell().company->kurus()).lines);
}

void TfrmTaksitD::done(int result)
{
    // The rounding amount is kept whether the plan was saved or not.
    try {
        shell().install.ini().writeFloat(kPlan, QStringLiteral("YUVARLA"),
                                         std::max(1.0, number(Yuvarlama)));
    } catch (const AppError&) {
        // A setting that cannot be written does not keep the window open.
    }
    EntryWindow::done(result);
}
