#include "app/Yedek.h"

#include "store/AppError.h"
#include "store/Backup.h"
#include "store/GlobalData.h"
#include "store/InstallSettings.h"
#include "widgets/Capitals.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QRadioButton>
#include <QVBoxLayout>

TfrmYedek::TfrmYedek(Shell& shell, QWidget* parent)
    : FormBase(shell, QStringLiteral("Yedekleme"), parent, false)
{
    setObjectName(QStringLiteral("frmYedek"));
    auto* what = new QGroupBox(QStringLiteral(" Yedeklenecek veriler "), this);
    auto* whatLayout = new QVBoxLayout(what);
    whole_ = new QRadioButton(QStringLiteral("Tüm veriler (bütün şirketler)"), what);
    one_ = new QRadioButton(QStringLiteral("Yalnız şu şirket :"), what);
    company_ = new QComboBox(what);
    if (shell.global) {
        Table sirket(shell.global->connection(), QStringLiteral("Sirket"));
        sirket.setIndexName(QStringLiteral("Sirket_1"));
        sirket.open();
        for (sirket.first(); !sirket.eof(); sirket.next())
            company_->addItem(sirket[QStringLiteral("SKodu")].asString() + QStringLiteral(" - ") +
                                  sirket[QStringLiteral("Aciklama")].asString(),
                              sirket[QStringLiteral("SKodu")].asString());
    }
    const int open = company_->findData(shell.activeCompanyCode);
    if (open >= 0) company_->setCurrentIndex(open);
    (shell.companyIsOpen ? one_ : whole_)->setChecked(true);
    whatLayout->addWidget(whole_);
    auto* oneRow = new QHBoxLayout;
    oneRow->addWidget(one_);
    oneRow->addWidget(company_, 1);
    whatLayout->addLayout(oneRow);
    content()->addWidget(what);

    auto* form = new QFormLayout;
    directory_ = new QLineEdit(defaultBackupDirectory(shell.install), this);
    form->addRow(QStringLiteral("Yedek dizini : "), directory_);
    content()->addLayout(form);
    content()->addWidget(new QLabel(QStringLiteral("Önceki yedekler :"), this));
    list_ = new QListWidget(this);
    content()->addWidget(list_, 1);
    auto* restoreForm = new QFormLayout;
    fromCompany_ = new QComboBox(this);
    newCode_ = new QLineEdit(this);
    newCode_->setMaxLength(8);
    typeInCapitals(newCode_);
    restoreForm->addRow(QStringLiteral("Yüklenecek şirket : "), fromCompany_);
    restoreForm->addRow(QStringLiteral("Yeni şirket kodu : "), newCode_);
    content()->addLayout(restoreForm);
    connect(list_, &QListWidget::currentRowChanged, this, [this] { archiveChosen(); });
    connect(directory_, &QLineEdit::editingFinished, this, [this] { refreshList(); });

    addField(directory_, QStringLiteral("Yedeklerin yazılacağı dizin"));
    addField(newCode_, QStringLiteral("Yedeğin yükleneceği yeni şirketin kodu"));
    addCommand(QStringLiteral("Yedek"), QStringLiteral("Yedek al [F2]"), Qt::Key_F2,
               QStringLiteral("Seçilen verilerin yedeğini al"), [this] { backup(); });
    addCommand(QStringLiteral("Yukle"), QStringLiteral("Geri yükle [F3]"), Qt::Key_F3,
               QStringLiteral("Seçilen yedeği yeni bir şirket koduyla yükle"),
               [this] { restore(); });
    addCommand(QStringLiteral("Cikis"), QStringLiteral("Çıkış [Esc]"), Qt::Key_Escape, QString(),
               [this] { closeWindow(QDialog::Accepted); });
    refreshList();
    resize(620, 520);
}

void TfrmYedek::refreshList()
{
    list_->clear();
    for (const BackupInfo& info : listBackups(directory_->text())) {
        auto* item = new QListWidgetItem(
            QStringLiteral("%1   %2   %3")
                .arg(info.created.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")),
                     QFileInfo(info.path).fileName(),
                     (info.whole ? QStringLiteral("Tüm veriler: ") : QString()) +
                         info.companies.join(QStringLiteral(", "))),
            list_);
        item->setData(Qt::UserRole, info.path);
        item->setData(Qt::UserRole + 1, info.companies);
    }
    if (list_->count() > 0) list_->setCurrentRow(0);
    archiveChosen();
}

void TfrmYedek::archiveChosen()
{
    fromCompany_->clear();
    if (QListWidgetItem* item = list_->currentItem())
        fromCompany_->addItems(item->data(Qt::UserRole + 1).toStringList());
}

void TfrmYedek::backup()
{
    if (!shell().global || !shell().session) return;
    const QString code = one_->isChecked() ? company_->currentData().toString() : QString();
    if (one_->isChecked() && code.isEmpty()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString path;
    try {
        path = backupCompanies(*shell().session, *shell().global, shell().install, code,
                               directory_->text());
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();
    refreshList();
    NoticeBox(shell(), QStringLiteral("Yedek alındı:"), QFileInfo(path).fileName(), windowTitle(),
              this);
}

void TfrmYedek::restore()
{
    QListWidgetItem* item = list_->currentItem();
    if (!item || fromCompany_->currentText().isEmpty() || !shell().global || !shell().session)
        return;
    const QString newCode = newCode_->text().trimmed();
    if (newCode.isEmpty()) {
        NoticeBox(shell(), QStringLiteral("Yeni şirket kodunu giriniz."), QString(), windowTitle(),
                  this);
        newCode_->setFocus();
        return;
    }
    if (ConfirmBox(shell(),
                   QStringLiteral("%1 yedeği %2 koduyla").arg(fromCompany_->currentText(), newCode),
                   QStringLiteral("yüklensin mi ?"), windowTitle(), this) != 1)
        return;
    if (ConfirmBox(shell(), QStringLiteral("Yeni bir şirket açılacak,"),
                   QStringLiteral("emin misiniz ?"), windowTitle(), this) != 1)
        return;
    restoreCompany(*shell().session, *shell().global, shell().install,
                   item->data(Qt::UserRole).toString(), fromCompany_->currentText(), newCode,
                   shell().companyIsOpen ? shell().activeCompanyCode : QString());
    NoticeBox(shell(), QStringLiteral("Yedek %1 koduyla yüklendi.").arg(newCode), QString(),
              windowTitle(), this);
}
