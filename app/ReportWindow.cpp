#include "app/ReportWindow.h"

ReportWindow::ReportWindow(Shell& shell, const QString& title, QWidget* parent)
    : FormBase(shell, title, parent)
{
    addCommand(QStringLiteral("OnIzleme"), QStringLiteral("Ön izleme [F2]"), Qt::Key_F2, QString(),
               [this] { preview(); });
    addCommand(QStringLiteral("Yazdirma"), QStringLiteral("Yazdırma [F3]"), Qt::Key_F3, QString(),
               [this] { print(); });
    addCommand(QStringLiteral("Ayar"), QStringLiteral("Ayar [F4]"), Qt::Key_F4, QString(),
               [this] { printerSetup(); });
    addCommand(QStringLiteral("Cikis"), QStringLiteral("Çıkış [Esc]"), Qt::Key_Escape, QString(),
               [this] { closeWindow(QDialog::Accepted); });
}
