#include "app/SirketBilgi.h"

#include "app/CompanySettingsChoice.h"

#include "store/AppError.h"
#include "store/CompanySettings.h"
#include "store/GlobalData.h"
#include "store/InstallSettings.h"
#include "store/Installation.h"
#include "widgets/Capitals.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QVBoxLayout>

namespace {

QLineEdit* capitalsEdit(QWidget* parent, int length)
{
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(length);
    typeInCapitals(edit);
    return edit;
}

// The boxes in the window's order, with the flag each is stored in.
const std::pair<const char*, const char*> kBoxes[] = {
    {"&FATURA", "FATURA"},   {"&CARİ", "CARI"},     {"Ç&EK SENET", "CEKSENET"},
    {"&STOK", "STOK"},       {"&KASA", "KASA"},     {"K&REDİLİ", "NAKLIYE"},
    {"Sİ&PARİŞ", "SIPARIS"}, {"ÜRE&TİM", "URETIM"}, {"&DEPO", "KATALOG"},
};

} // namespace

TfrmSirketBilgi::TfrmSirketBilgi(Shell& shell, const QString& code, QWidget* parent)
    : FormBase(shell, code.isEmpty() ? QStringLiteral("Yeni şirket açılır") : QString(), parent,
               false)
    , isNew_(code.isEmpty())
{
    setObjectName(QStringLiteral("frmSirketBilgi"));
    auto* form = new QFormLayout;
    code_ = capitalsEdit(this, 8);
    title_ = capitalsEdit(this, 30);
    directory_ = new QLineEdit(this);
    directory_->setReadOnly(true);
    directory_->setFocusPolicy(Qt::NoFocus);
    currency_ = new QLineEdit(QStringLiteral("TL"), this);
    currency_->setMaxLength(5);
    subunit_ = new QLineEdit(QStringLiteral("KR"), this);
    subunit_->setMaxLength(5);
    form->addRow(QStringLiteral("Şirket Kodu : "), code_);
    form->addRow(QStringLiteral("Ünvanı : "), title_);
    form->addRow(QStringLiteral("Diskteki adresi : "), directory_);
    form->addRow(QStringLiteral("Para birimi : "), currency_);
    form->addRow(QStringLiteral("Kuruş : "), subunit_);
    content()->addLayout(form);

    for (int g = 0; g < 3; ++g)
        groups_[g] = addRadioGroup(companySettingChoices()[size_t(g)].title,
                                   companySettingChoices()[size_t(g)].choices, 0);
    auto* modules = new QGridLayout;
    int n = 0;
    for (const auto& [caption, flag] : kBoxes) {
        auto* box = new QCheckBox(QString::fromUtf8(caption), this);
        modules->addWidget(box, n / 3, n % 3);
        boxes_.emplace_back(QLatin1String(flag), box);
        ++n;
    }
    content()->addLayout(modules);

    addField(code_, QStringLiteral("Şirket kodunu giriniz"));
    addField(title_, QStringLiteral("Şirket ünvanını giriniz"));
    addField(currency_, QStringLiteral("Para biriminin adını giriniz"));
    addField(subunit_, QStringLiteral("Kuruşun adını giriniz"));
    addCommand(QStringLiteral("Kaydet"), QStringLiteral("Kaydet [F2]"), Qt::Key_F2,
               QStringLiteral("Şirket bilgilerini kayıt et"), [this] { save(); });
    addCommand(QStringLiteral("Vazgec"), QStringLiteral("Vazgeç [Esc]"), Qt::Key_Escape,
               QStringLiteral("Şirket bilgilerinini veya yapılan değişiklikleri kayıt etmeden çık"),
               [this] { closeWindow(QDialog::Rejected); });
    code_->installEventFilter(this);
    title_->installEventFilter(this);

    if (isNew_) {
        for (auto& [flag, box] : boxes_)
            box->setChecked(true);
        setChoice(0, 1);
        setChoice(1, 1);
        setChoice(2, 0);
        code_->setFocus();
        return;
    }
    // An existing company: only the title, the boxes and the settings change.
    Table& sirket = shell.global->sirket();
    sirket.refresh();
    if (sirket.filtered()) sirket.setFiltered(false);
    if (!sirket.locateLast(QStringLiteral("SKodu"), code))
        throw AppError(QStringLiteral("Şirket kodu bulunamadı: %1").arg(code));
    code_->setText(code);
    code_->setReadOnly(true);
    code_->setFocusPolicy(Qt::NoFocus);
    title_->setText(sirket[QStringLiteral("Aciklama")].asString());
    directory_->setText(sirket[QStringLiteral("Kutuk")].asString());
    for (auto& [flag, box] : boxes_)
        box->setChecked(sirket[flag].asString() == QLatin1String("E"));
    const CompanySettings settings = CompanySettings::read(shell.install.companyDirectory(code));
    currency_->setText(settings.tl);
    subunit_->setText(settings.kr);
    setChoice(0, settings.tlAyar);
    setChoice(1, settings.kdvHesap);
    setChoice(2, settings.fiyat);
    setWindowTitle(QStringLiteral(" %1 : %2 Şirket bilgileri").arg(code, title_->text()));
    title_->setFocus();
}

QCheckBox* TfrmSirketBilgi::moduleBox(const QString& flag) const
{
    for (const auto& [f, box] : boxes_)
        if (f == flag) return box;
    return nullptr;
}

void TfrmSirketBilgi::setChoice(int group, int index)
{
    if (QAbstractButton* button = groups_[group]->button(index)) button->setChecked(true);
}

void TfrmSirketBilgi::codeLeft()
{
    if (!isNew_) return;
    directory_->setText(shell().install.companyDirectory(code_->text().trimmed()));
    setWindowTitle(
        QStringLiteral(" %1 : %2 Yeni Şirket").arg(code_->text().trimmed(), title_->text()));
}

bool TfrmSirketBilgi::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == code_ && event->type() == QEvent::FocusOut) codeLeft();
    if (event->type() == QEvent::KeyPress && (watched == code_ || watched == title_)) {
        // Enter, Up and Down go from the code to the title and from the title back to the code.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (isNew_ && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Up ||
                       key == Qt::Key_Down)) {
            (watched == code_ ? title_ : code_)->setFocus();
            return true;
        }
    }
    return FormBase::eventFilter(watched, event);
}

void TfrmSirketBilgi::save()
{
    NewCompany company{code_->text().trimmed(), title_->text().trimmed()};
    company.settings.tlAyar = std::max(0, groups_[0]->checkedId());
    company.settings.kdvHesap = std::max(0, groups_[1]->checkedId());
    company.settings.fiyat = std::max(0, groups_[2]->checkedId());
    company.settings.tl = currency_->text().trimmed();
    company.settings.kr = subunit_->text().trimmed();
    for (const auto& [flag, box] : boxes_)
        if (!box->isChecked()) company.modulesOff << flag;
    if (!isNew_) {
        updateCompany(*shell().global, shell().install, company);
        closeWindow(QDialog::Accepted);
        return;
    }
    if (company.code.isEmpty()) {
        NoticeBox(shell(), QStringLiteral("Sirket kodu boş girilemez !!"), QString(),
                  QStringLiteral("Şirket bilgileri kontrolu"), this);
        closeWindow(QDialog::Rejected);
        return;
    }
    try {
        checkNewCompanyCode(*shell().global, shell().install, company.code);
    } catch (const AppError& e) {
        // A refused code is told and the window closes, leaving no record behind.
        NoticeBox(shell(), e.message(), e.detail(), QStringLiteral("Şirket bilgileri kontrol"),
                  this);
        closeWindow(QDialog::Rejected);
        return;
    }
    // A failure while the tables are made is shown by the command handler; the window stays.
    createCompany(*shell().session, *shell().global, shell().install, company);
    closeWindow(QDialog::Accepted);
}
