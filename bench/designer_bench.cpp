// The report designer on the large demo books: the built-in invoice layout's first paint, a
// drag step and an undo with 300 elements, the live preview after a change, a 500-element layout
// saved and read back, and a 16 MB layout file read.
//
//   bench_designer [PROGRAM_DIR]   (default: a new installation here; the large demo is made
//                                   first)
#include "BenchWindows.h"
#include "invoicing/InvoiceDemo.h"
#include "invoicing/InvoiceLayout.h"
#include "invoicing/InvoicePrint.h"
#include "invoicing/Ust.h"
#include "printing/DesignSurface.h"
#include "printing/ReportRenderer.h"
#include "store/AppError.h"
#include "store/GlobalData.h"

#include <QTemporaryDir>

using namespace ReportDesign;

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir temp(QDir::current().filePath(QStringLiteral("bench-designer-XXXXXX")));
    const QString programDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();
    try {
        LargeDemo demo(programDir);
        CompanyData& company = *demo.company;
        GlobalData global(demo.session, demo.install.dataDirectory());
        DemoShell demoShell(demo.install, company);
        demoShell.shell.global = &global;
        if (company.connection()
                .scalar(QStringLiteral("SELECT count(*) FROM \"Fatura\""))
                .toLongLong() == 0) {
            std::printf("Writing 200 invoices...\n");
            fillDemoInvoices(company, 200, true);
        }
        const qint64 invoice =
            company.connection()
                .scalar(QStringLiteral("SELECT \"FRef\" FROM \"FatHar\" GROUP BY \"FRef\" "
                                       "ORDER BY count(*) DESC LIMIT 1"))
                .toLongLong();
        QFile::remove(InvoicePrint::layoutPath(company, false));

        QElapsedTimer timer;
        timer.start();
        TfrmUst designer(demoShell.shell, nullptr, invoice);
        designer.show();
        designer.MenuIslem(QStringLiteral("Fatura"));
        designer.surface()->repaint();
        std::printf("built-in invoice layout in the designer: first paint %.0f ms (budget 300)\n",
                    ms(timer));
        timer.restart();
        designer.refreshPreview();
        std::printf("live preview of the invoice (%d pages): %.0f ms (budget 300)\n",
                    designer.previewPages().pageCount(), ms(timer));
        timer.restart();
        const PageSet view = ReportRenderer::designView(designer.document()->def());
        std::printf("  the surface's drawing of the layout: %.1f ms\n", ms(timer));

        // 300 elements: labels on the page header band, in rows.
        DesignDocument& doc = *designer.document();
        doc.change(QStringLiteral("Ekle"), [](ReportDef& d) {
            for (int i = 0; i < 300; ++i)
                create(d, 6, 1, QPointF(toMm(i % 10 * 70), toMm(i / 10 * 10 % 290)));
            return QString();
        });
        int elements = 0;
        for (const BandDef& b : doc.def().bands)
            elements += int(b.elements.size());
        doc.select({QStringLiteral("ZRQRLabel1")});
        const QRectF start = doc.def().bands[1].elements.back().rect;
        std::vector<double> drag;
        doc.beginDrag();
        for (int step = 1; step <= 40; ++step) {
            timer.restart();
            doc.dragTo({{QStringLiteral("ZRQRLabel1"),
                         placeInBand(doc.def(), find(doc.def(), QStringLiteral("ZRQRLabel1")),
                                     start.translated(toMm(step), 0), 4)}});
            designer.surface()->repaint();
            drag.push_back(ms(timer));
        }
        doc.endDrag(QStringLiteral("Taşı"));
        std::vector<double> undo, redo;
        for (int i = 0; i < 10; ++i) {
            timer.restart();
            doc.undoStack().undo();
            undo.push_back(ms(timer));
            timer.restart();
            doc.undoStack().redo();
            redo.push_back(ms(timer));
        }
        std::printf("%d elements: a drag step repainted in %.1f ms (median; budget 16), undo %.1f "
                    "ms, redo %.1f ms (median; budget 10)\n",
                    elements, median(drag), median(undo), median(redo));
        timer.restart();
        designer.refreshPreview();
        std::printf("live preview after a change with %d elements: %.0f ms (budget 300)\n",
                    elements, ms(timer));

        // 500 elements saved and read back.
        ReportDef big = doc.def();
        for (int i = 0; i < 200; ++i)
            create(big, 6, 0, QPointF(toMm(i % 10 * 70), toMm(i / 10 * 12 % 280)));
        const QString file = QDir(programDir).filePath(QStringLiteral("bench.ftr"));
        timer.restart();
        writeInvoiceLayoutFile(file, big);
        const ReportDef back = readInvoiceLayoutFile(file);
        std::printf(
            "%zu-element layout saved and read back: %.0f ms (budget 100)\n",
            [&] {
                size_t n = 0;
                for (const BandDef& b : back.bands)
                    n += b.elements.size();
                return n;
            }(),
            ms(timer));
        // Nearly 16 MB: a picture in the layout.
        ElementDef picture;
        picture.name = QStringLiteral("resim");
        picture.className = QStringLiteral("TZRQRImage");
        picture.kind = ElementKind::Image;
        picture.rect = QRectF(0, 0, 20, 10);
        picture.picture = QByteArray(11 * 1024 * 1024, '\x7f');
        big.bands[0].elements.push_back(picture);
        writeInvoiceLayoutFile(file, big);
        timer.restart();
        readInvoiceLayoutFile(file);
        std::printf("a %.1f MB layout file read: %.0f ms (budget: the window not frozen over 1 "
                    "s)\n",
                    QFileInfo(file).size() / 1048576.0, ms(timer));
    } catch (const AppError& e) {
        std::printf("%s %s\n", qPrintable(e.message()), qPrintable(e.detail()));
        return 1;
    }
    return 0;
}
