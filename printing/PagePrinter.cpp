#include "printing/PagePrinter.h"

#include "store/AppError.h"
#include "store/InstallSettings.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

QPrinter& sharedPrinter(const InstallSettings& install)
{
    static QPrinter* printer = [&] {
        auto* p = new QPrinter(QPrinter::HighResolution);
        p->setPageSize(install.kagit() == 1 ? QPageSize(QPageSize::Letter)
                                            : QPageSize(QPageSize::A4));
        p->setFullPage(true);
        return p;
    }();
    return *printer;
}

bool printPages(const PageSet& pages, const InstallSettings& install, QWidget* parent, bool ask)
{
    if (pages.pageCount() == 0) return false;
    QPrinter& printer = sharedPrinter(install);
    if (ask) {
        QPrintDialog dialog(&printer, parent);
        dialog.setMinMax(1, pages.pageCount());
        if (dialog.exec() != QDialog::Accepted) return false;
    }
    printer.setPageSize(QPageSize(pages.pageSize(0), QPageSize::Millimeter));
    QPainter painter;
    if (!painter.begin(&printer))
        throw AppError(QStringLiteral("Yazıcı hazır değil: %1").arg(printer.printerName()));
    const int from = printer.fromPage() > 0 ? printer.fromPage() - 1 : 0;
    const int to = printer.toPage() > 0 ? printer.toPage() - 1 : pages.pageCount() - 1;
    for (int p = from; p <= to; ++p) {
        if (p > from) printer.newPage();
        pages.paint(p, painter);
    }
    painter.end();
    return true;
}

void printerSetup(const InstallSettings& install, QWidget* parent)
{
    QPageSetupDialog dialog(&sharedPrinter(install), parent);
    dialog.exec();
}
