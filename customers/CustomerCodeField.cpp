#include "customers/CustomerCodeField.h"

#include "customers/CarKartG.h"
#include "store/CompanyData.h"
#include "store/Table.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>

CustomerCodeField::CustomerCodeField(Shell& shell, QLineEdit* code, QLabel* title)
    : QObject(code)
    , shell_(shell)
    , code_(code)
    , titleLabel_(title)
{
    code_->installEventFilter(this);
}

bool CustomerCodeField::check()
{
    Table& cari = shell_.company->table(QStringLiteral("Cari"));
    const QString code = code_->text().trimmed();
    if (!code.isEmpty() && CompanyData::SeekBackByText(cari, QStringLiteral("CariNo"), code)) {
        id_ = cari.currentId();
        title_ = cari[QStringLiteral("Unvani")].asString();
        if (titleLabel_) titleLabel_->setText(title_);
        Q_EMIT chosen(id_);
        return true;
    }
    id_ = 0;
    title_.clear();
    if (titleLabel_) titleLabel_->clear();
    return false;
}

bool CustomerCodeField::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != code_ || event->type() != QEvent::FocusOut || checking_ ||
        !code_->window()->isVisible())
        return QObject::eventFilter(watched, event);
    checking_ = true; // the questions below take the focus away too
    if (check()) {
        code_->nextInFocusChain()->setFocus();
    } else if (!code_->text().trimmed().isEmpty()) {
        if (ConfirmBox(shell_, QStringLiteral("Cari kart nosu bulunamadı"),
                       QStringLiteral("Yeni kart açılsın mı?"), QStringLiteral("Cari kart kontrol"),
                       code_->window()) == 1) {
            TfrmCarKartG card(shell_, shell_.company->table(QStringLiteral("Cari")),
                              TfrmCarKartG::Mode::NewWithCode, code_->text().trimmed(),
                              code_->window());
            if (card.run() == QDialog::Accepted) check();
        }
        code_->setFocus();
    }
    checking_ = false;
    return QObject::eventFilter(watched, event);
}
