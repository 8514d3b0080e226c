#include "app/Yardim.h"

#include "store/HelpText.h"
#include "store/InstallSettings.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QUrl>
#include <QVBoxLayout>

TfrmYardim::TfrmYardim(const QString& programDir, QWidget* active, QWidget* parent)
    : QDialog(parent)
    , memo_(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("frmYardim"));
    QWidget* window = active ? active->window() : nullptr;
    setWindowTitle(QStringLiteral("Yardım - ") + (window ? window->windowTitle() : QString()));
    memo_->setReadOnly(true);
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette palette = memo_->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Dark));
    palette.setColor(QPalette::Text, palette.color(QPalette::HighlightedText));
    memo_->setPalette(palette);
    memo_->setPlainText(HelpLinesFor(programDir, window ? window->objectName() : QString())
                            .join(QLatin1Char('\n')));
    memo_->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(memo_);
    resize(560, 360);
}

QString TfrmYardim::text() const
{
    return memo_->toPlainText();
}

bool TfrmYardim::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == memo_ && event->type() == QEvent::KeyPress) {
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) reject();
        return true; // the help is read, not typed into
    }
    return QDialog::eventFilter(watched, event);
}

void showHelp(Shell& shell, QWidget* active)
{
    TfrmYardim help(shell.install.programDir(), active, active);
    help.exec();
}

void showBrowserHelp(Shell& shell, QWidget* parent)
{
    const QString page =
        QDir(shell.install.programDir()).filePath(QStringLiteral("Help/Dulvet.htm"));
    if (!QFileInfo::exists(page)) {
        NoticeBox(shell, QStringLiteral("Yardım sayfası bulunamadı"), page,
                  QStringLiteral("Yardım"), parent);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(page)))
        NoticeBox(shell, QStringLiteral("Yardım sayfası açılamadı"),
                  QStringLiteral("Masaüstünde bir tarayıcı bulunamadı."), QStringLiteral("Yardım"),
                  parent);
}
