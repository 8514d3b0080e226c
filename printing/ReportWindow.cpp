#include "printing/ReportWindow.h"

#include "printing/OnIzle.h"
#include "printing/PagePrinter.h"
#include "printing/ReportRenderer.h"

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

void ReportWindow::printerSetup()
{
    ::printerSetup(shell().install, this);
}

void ReportWindow::showPreview(ReportRenderer& renderer)
{
    TfrmOnIzle preview(shell(), renderer, this);
    preview.exec();
}

void ReportWindow::printPages(const PageSet& pages)
{
    ::printPages(pages, shell().install, this);
}

void ReportWindow::showPages(PageSet pages)
{
    hide();
    TfrmOnIzle preview(shell(), std::move(pages), parentWidget());
    preview.exec();
    show();
}
