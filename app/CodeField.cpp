#include "app/CodeField.h"

#include "store/CompanyData.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVariant>

namespace {
constexpr const char* kProperty = "dulvetCodeField";
}

CodeField::CodeField(Shell& shell, QLineEdit* code, const CodeKind& kind, QLabel* title,
                     bool offerNew)
    : QObject(code)
    , shell_(shell)
    , code_(code)
    , kind_(kind)
    , titleLabel_(title)
    , offerNew_(offerNew)
{
    code_->setProperty(kProperty, QVariant::fromValue(static_cast<QObject*>(this)));
    code_->installEventFilter(this);
}

CodeField* CodeField::of(const QWidget* edit)
{
    return edit ? qobject_cast<CodeField*>(edit->property(kProperty).value<QObject*>()) : nullptr;
}

bool CodeField::check()
{
    const std::optional<CompanyData::Card> card =
        shell_.company ? shell_.company->findCard(kind_.table, kind_.codeField, kind_.titleField,
                                                  code_->text().trimmed(), kind_.filter)
                       : std::nullopt;
    id_ = card ? card->id : 0;
    title_ = card ? card->title : QString();
    if (titleLabel_) titleLabel_->setText(title_);
    Q_EMIT checked(id_);
    if (card) Q_EMIT chosen(id_);
    return card.has_value();
}

void CodeField::pick(QWidget* parent)
{
    if (!kind_.pick) return;
    checking_ = true; // the list takes the focus away; that is not leaving the field
    const QString code = kind_.pick(shell_, code_->text(), parent);
    checking_ = false;
    if (!code.isEmpty()) {
        code_->setText(code);
        check();
    }
    code_->setFocus();
}

bool CodeField::eventFilter(QObject* watched, QEvent* event)
{
    // Another window taking over (a message, the window closing) is not leaving the field.
    if (watched != code_ || event->type() != QEvent::FocusOut || checking_ ||
        !code_->window()->isVisible() ||
        static_cast<QFocusEvent*>(event)->reason() == Qt::ActiveWindowFocusReason)
        return QObject::eventFilter(watched, event);
    checking_ = true; // the questions below take the focus away too
    if (check()) {
        // On to the next field, unless the focus has already gone somewhere of its own.
        QWidget* now = QApplication::focusWidget();
        if (!now || now == code_ || now->window() != code_->window())
            code_->nextInFocusChain()->setFocus();
    } else if (!code_->text().trimmed().isEmpty() && offerNew_ && kind_.newCard) {
        if (ConfirmBox(shell_, kind_.notFound, kind_.askNew, kind_.title, code_->window()) == 1 &&
            kind_.newCard(shell_, code_->text().trimmed(), code_->window()))
            check();
        if (id_ == 0 && afterUnknown_)
            afterUnknown_->setFocus();
        else
            code_->setFocus();
    }
    checking_ = false;
    return QObject::eventFilter(watched, event);
}
