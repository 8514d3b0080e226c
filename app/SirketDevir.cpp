#include "app/SirketDevir.h"

#include "app/CompanySettingsChoice.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/InstallSettings.h"
#include "store/PeriodTransfer.h"
#include "store/TextRules.h"

#include <QButtonGroup>
#include <QDate>
#include <QDebug>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kServer = QStringLiteral("SERVER");
const QString kCheckTitle = QStringLiteral("Şirket kontrol");

} // namespace

TfrmSirketDevir::TfrmSirketDevir(Shell& shell, QWidget* parent)
    : EntryWindow(shell,
                  shell.activeCompanyCode + QLatin1Char('-') + shell.activeCompanyTitle +
                      QStringLiteral(" devir işlemleri"),
                  {{QStringLiteral("Açılacak YENİ şirket kodu : "), QString(), EditorKind::Code, 8,
                    QStringLiteral("Devredilecek yeni şirketin kodunu giriniz")},
                   {QStringLiteral("Devir tarihi : "), QString(), EditorKind::Date, 0,
                    QStringLiteral("Devir hareketlerinin tarihi")},
                   {QStringLiteral("&Bakiyeler devir edilsin"), QString(), EditorKind::Check, 0,
                    QStringLiteral("Cari ve stok bakiyeleri devir hareketiyle aktarılır")},
                   {QStringLiteral("Para biriminden 6 sıfır atılsın"), QString(), EditorKind::Check,
                    0, QStringLiteral("Tutarlar, limitler ve fiyatlar 1.000.000'a bölünür")},
                   {QStringLiteral("Para birimi : "), QString(), EditorKind::Text, 5,
                    QStringLiteral("Yeni şirketin para birimi")},
                   {QStringLiteral("Kuruş : "), QString(), EditorKind::Text, 5,
                    QStringLiteral("Yeni şirketin kuruş adı")}},
                  nullptr, parent, false)
{
    setObjectName(QStringLiteral("frmSirketDevir"));
    auto* explanation = new QLabel(QStringLiteral("Şirket devri çalışmakta olduğunuz şirketin\n"
                                                  "bilgilerini devir eder. Eğer başka bir\n"
                                                  "şirket devri yapmak istiyorsanız\n"
                                                  "çalıştığınız şirketi değiştiriniz"),
                                   this);
    content()->insertWidget(0, explanation);
    const IniFile& ini = shell.install.ini();
    setText(Date, DateText(QDate::currentDate()));
    setChecked(Balances, ini.readBool(kServer, QStringLiteral("DEVIR"), false));
    setText(Currency, QStringLiteral("TL"));
    setText(Subunit, QStringLiteral("KR"));
    // The grid of fields is second in the content; the choices follow it.
    valuation_ = addRadioGroup(
        QStringLiteral(" Stok devir tipi "),
        {QStringLiteral("&Fifo"), QStringLiteral("&Lifo"), QStringLiteral("&Ortalama")},
        std::clamp(ini.readInteger(kServer, QStringLiteral("STOKD"), 0), 0, 2), 2);
    const int initial[3] = {1, 1, 0}; // kuruş "Var", VAT "Matrah toplamından", prices "2"
    for (int g = 0; g < 3; ++g)
        settings_[g] = addRadioGroup(companySettingChoices()[size_t(g)].title,
                                     companySettingChoices()[size_t(g)].choices, initial[g], 3 + g);
    progress_ = addProgressBar();
    commandButton(QStringLiteral("Kaydet"))->setText(QStringLiteral("Devir et [F2]"));
    setSaveHints(QStringLiteral("Şirket devir işlemi yapılır."),
                 QStringLiteral("Şirket devir işleminden çıkış"));
    editor(Code)->setFocus();
}

bool TfrmSirketDevir::validate()
{
    done_ = false;
    if (!shell().companyIsOpen || !shell().company || !shell().global) {
        NoticeBox(shell(), QStringLiteral("Seçili şirket yok"),
                  QStringLiteral("lütfen şirket seçip deneyiniz"), kCheckTitle, this);
        return false;
    }
    const QString code = text(Code).trimmed();
    const PeriodTransfer::CodeCheck check =
        PeriodTransfer::checkCode(*shell().company, *shell().global, code);
    if (check.problem == PeriodTransfer::CodeProblem::Taken) {
        NoticeBox(shell(), check.line1, check.line2, kCheckTitle, this);
        editor(Code)->setFocus();
        return false;
    }
    // The choices are remembered for the next transfer; a Users.ini that cannot be written
    // does not stop this one.
    try {
        IniFile& ini = shell().install.ini();
        ini.writeBool(kServer, QStringLiteral("DEVIR"), checked(Balances));
        ini.writeInteger(kServer, QStringLiteral("STOKD"), std::max(0, valuation_->checkedId()));
    } catch (const AppError& e) {
        qWarning() << "Devir seçimleri yazılamadı:" << e.message();
    }
    if (check.problem == PeriodTransfer::CodeProblem::Directory) {
        NoticeBox(shell(), check.line1, check.line2, QStringLiteral("Şirket bilgileri kontrol"),
                  this);
        closeWindow(QDialog::Rejected);
        return false;
    }
    return true;
}

void TfrmSirketDevir::save()
{
    PeriodTransfer::Options o;
    o.code = text(Code).trimmed();
    o.date = value(Date).toDate(); // a date that cannot be read is refused with its field
    if (!o.date.isValid()) o.date = QDate::currentDate();
    setText(Date, DateText(o.date));
    o.balances = checked(Balances);
    o.valuation = PeriodTransfer::Valuation(std::max(0, valuation_->checkedId()));
    o.dropSixZeros = checked(DropZeros);
    o.settings.tlAyar = std::max(0, settings_[0]->checkedId());
    o.settings.kdvHesap = std::max(0, settings_[1]->checkedId());
    o.settings.fiyat = std::max(0, settings_[2]->checkedId());
    o.settings.tl = text(Currency).trimmed();
    o.settings.kr = text(Subunit).trimmed();
    // The customers take about half the time, the stock the rest, the company record a moment.
    const auto step = [this](PeriodTransfer::Step s, qint64 done, qint64 total) {
        const int from = s == PeriodTransfer::Step::Customers ? 0
                         : s == PeriodTransfer::Step::Stock   ? 500
                                                              : 980;
        const int span = s == PeriodTransfer::Step::Company ? 20
                         : s == PeriodTransfer::Step::Stock ? 480
                                                            : 500;
        showProgress(progress_, from + int(total > 0 ? span * done / total : 0), 1000);
    };
    try {
        PeriodTransfer::run(*shell().company, *shell().global, shell().activeCompanyTitle, o, step);
        done_ = true;
    } catch (const AppError& e) {
        showProgress(progress_, 0, 1000);
        NoticeBox(shell(),
                  e.detail().isEmpty() ? e.message() : e.message() + QLatin1Char(' ') + e.detail(),
                  QStringLiteral("Devir yapılmadı."), kCheckTitle, this);
    }
}

void TfrmSirketDevir::saved()
{
    if (!done_) return;
    NoticeBox(shell(), QStringLiteral("%1 şirketine devir tamamlandı").arg(text(Code).trimmed()),
              QStringLiteral("Şirket seç [F2] ile açabilirsiniz."), QStringLiteral("Şirket devri"),
              this);
    closeWindow(QDialog::Accepted);
}
