#include "app/MessageWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

int ConfirmBox(Shell& shell, const QString& line1, const QString& line2, const QString& title,
               QWidget* parent)
{
    return shell.messages.confirmBox(parent, line1, line2, title);
}

int ConfirmScanBox(Shell& shell, const QString& line1, const QString& line2, const QString& title,
                   QWidget* parent)
{
    return shell.messages.confirmBoxKeysOnly(parent, line1, line2, title);
}

int NoticeBox(Shell& shell, const QString& line1, const QString& line2, const QString& title,
              QWidget* parent)
{
    return shell.messages.noticeBox(parent, line1, line2, title);
}

MessageWindow::MessageWindow(Kind kind, const QString& line1, const QString& line2,
                             const QString& title, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    setModal(true);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QApplication::palette().color(
                                     kind == Kind::Confirm ? QPalette::Dark : QPalette::Button));
    setPalette(p);

    auto* top = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(style()
                        ->standardIcon(kind == Kind::Confirm ? QStyle::SP_MessageBoxQuestion
                                                             : QStyle::SP_MessageBoxInformation)
                        .pixmap(40, 40));
    top->addWidget(icon);
    auto* text = new QVBoxLayout;
    for (const QString& line : {line1, line2}) {
        auto* label = new QLabel(line, this);
        label->setAlignment(Qt::AlignCenter);
        QFont f = label->font();
        f.setBold(true);
        label->setFont(f);
        text->addWidget(label);
    }
    top->addLayout(text, 1);
    if (!QApplication::windowIcon().isNull()) {
        auto* logo = new QLabel(this);
        logo->setPixmap(QApplication::windowIcon().pixmap(40, 40));
        top->addWidget(logo);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    if (kind == Kind::Confirm) {
        auto* yes = new QPushButton(QStringLiteral("Evet [F2]"), this);
        auto* no = new QPushButton(QStringLiteral("Hayır [Esc]"), this);
        connect(yes, &QPushButton::clicked, this, [this] { answer(1); });
        connect(no, &QPushButton::clicked, this, [this] { answer(0); });
        buttons->addWidget(yes);
        buttons->addWidget(no);
        no->setDefault(true);
        no->setFocus();
    } else {
        auto* ok = new QPushButton(QStringLiteral("Tamam [F2]"), this);
        connect(ok, &QPushButton::clicked, this, [this] { answer(1); });
        buttons->addWidget(ok);
        ok->setDefault(true);
        ok->setFocus();
    }
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setMinimumWidth(360);
}

void MessageWindow::setKeysOnly()
{
    keysOnly_ = true;
    // Buttons take no focus, so no key reaches them; a click still does.
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setDefault(false);
        button->setAutoDefault(false);
    }
    setFocus();
}

void MessageWindow::answer(int result)
{
    closing_ = true;
    done(result);
}

void MessageWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
        answer(1);
    } else if (event->key() == Qt::Key_Escape) {
        answer(0);
    } else if (event->key() == Qt::Key_F4 && event->modifiers() & Qt::AltModifier) {
        event->accept();
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (!keysOnly_)
            if (auto* button = qobject_cast<QPushButton*>(focusWidget())) button->click();
    } else {
        QDialog::keyPressEvent(event);
    }
}

void MessageWindow::closeEvent(QCloseEvent* event)
{
    // Closing from the window manager (Alt+F4, the title bar) is not an answer.
    if (!closing_) event->ignore();
}

int DialogMessages::confirmBox(QWidget* parent, const QString& line1, const QString& line2,
                               const QString& title)
{
    MessageWindow window(MessageWindow::Kind::Confirm, line1, line2, title, parent);
    return window.exec();
}

int DialogMessages::confirmBoxKeysOnly(QWidget* parent, const QString& line1, const QString& line2,
                                       const QString& title)
{
    MessageWindow window(MessageWindow::Kind::Confirm, line1, line2, title, parent);
    window.setKeysOnly();
    return window.exec();
}

int DialogMessages::noticeBox(QWidget* parent, const QString& line1, const QString& line2,
                              const QString& title)
{
    MessageWindow window(MessageWindow::Kind::Notice, line1, line2, title, parent);
    return window.exec();
}
