#include "app/Sifre.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmSifre::TfrmSifre(Shell& shell, const AccessConfig& config, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , shell_(shell)
    , config_(config)
{
    setObjectName(QStringLiteral("frmSifre"));
    setWindowTitle(QStringLiteral("Şifrenizi Giriniz"));
    setModal(true);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Genel yetki şifresi : "), this));
    edit_ = new QLineEdit(this);
    edit_->setEchoMode(QLineEdit::Password);
    edit_->setMaxLength(10);
    row->addWidget(edit_);
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("TAMAM"), this);
    auto* quit = new QPushButton(QStringLiteral("ÇIK"), this);
    ok->setAutoDefault(false);
    quit->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &TfrmSifre::tamam);
    connect(quit, &QPushButton::clicked, this, [this] { finish(QDialog::Rejected); });
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(quit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    edit_->setFocus();
}

void TfrmSifre::finish(int result)
{
    closing_ = true;
    done(result);
}

void TfrmSifre::tamam()
{
    rights_ = config_.match(edit_->text());
    if (rights_) {
        finish(QDialog::Accepted);
        return;
    }
    if (++failures_ >= 4) {
        finish(QDialog::Rejected);
        return;
    }
    NoticeBox(shell_, QStringLiteral("Hatalı şifre!!!"), QString(), windowTitle(), this);
    edit_->clear();
    edit_->setFocus();
}

void TfrmSifre::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        tamam();
        return;
    case Qt::Key_Escape:
        finish(QDialog::Rejected);
        return;
    case Qt::Key_F4:
        if (event->modifiers() & Qt::AltModifier) return;
        break;
    default:
        break;
    }
    QDialog::keyPressEvent(event);
}

void TfrmSifre::closeEvent(QCloseEvent* event)
{
    if (!closing_) event->ignore();
}

std::optional<AccessRights> AskAccessPassword(Shell& shell, const AccessConfig& config,
                                              QWidget* parent)
{
    if (!config.protection) return allRights();
    TfrmSifre window(shell, config, parent);
    window.exec();
    return window.rights();
}
