// Invoices on the large demo books with 25,000 invoices: one durable command for a 50-line
// invoice, the line commands on the 200-line invoice (save, opening its lines after a re-date,
// delete), the list's first paint, and the ten-page invoice in the preview and as PDF.
//
//   bench_invoices [PROGRAM_DIR]   (default: a new installation here; the large demo is made
//                                   first)
#include "BenchWindows.h"
#include "invoicing/FtSatis.h"
#include "invoicing/InvoiceDemo.h"
#include "invoicing/InvoicePosting.h"
#include "invoicing/InvoicePrint.h"
#include "printing/Exports.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/GlobalData.h"
#include "store/Table.h"

#include <QTemporaryDir>
#include <algorithm>

namespace {

qint64 invoiceOfLines(Connection& db, int lines)
{
    return db
        .scalar(QStringLiteral("SELECT \"FRef\" FROM \"FatHar\" GROUP BY \"FRef\" HAVING "
                               "count(*) = ? ORDER BY \"FRef\" DESC LIMIT 1"),
                {lines})
        .toLongLong();
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir temp(QDir::current().filePath(QStringLiteral("bench-invoices-XXXXXX")));
    const QString programDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();
    try {
        LargeDemo demo(programDir);
        CompanyData& company = *demo.company;
        Connection& db = company.connection();
        if (db.scalar(QStringLiteral("SELECT count(*) FROM \"Fatura\"")).toLongLong() < 25000) {
            std::printf("Writing 25,000 invoices...\n");
            QElapsedTimer timer;
            timer.start();
            fillDemoInvoices(company, 25000, true);
            std::printf("  %.1f s\n", ms(timer) / 1000);
        }
        std::printf("Invoices: %lld, lines: %lld\n",
                    db.scalar(QStringLiteral("SELECT count(*) FROM \"Fatura\"")).toLongLong(),
                    db.scalar(QStringLiteral("SELECT count(*) FROM \"FatHar\"")).toLongLong());
        InvoicePosting posting(company, demo.install);
        GlobalData global(demo.session, demo.install.dataDirectory());

        // A whole 50-line invoice as one durable command.
        const std::vector<InvoiceLine> fifty = posting.lines(invoiceOfLines(db, 200));
        std::vector<double> posts;
        for (int i = 0; i < 10; ++i) {
            std::optional<InvoiceData> h = posting.read(invoiceOfLines(db, 200));
            h->id = 0;
            h->fDurumu = i % 2;
            QElapsedTimer timer;
            timer.start();
            const qint64 id = posting.postInvoice(
                *h, std::vector<InvoiceLine>(fifty.begin(), fifty.begin() + 50));
            posts.push_back(ms(timer));
            posting.removeInvoice(id);
        }
        std::printf("50-line invoice posted as one command: median %.1f ms, worst %.1f ms "
                    "(budget 30)\n",
                    median(posts), *std::max_element(posts.begin(), posts.end()));

        // Line commands on the 200-line invoice.
        const qint64 big = invoiceOfLines(db, 200);
        std::vector<double> saves;
        std::vector<InvoiceLine> lines = posting.lines(big);
        for (int i = 0; i < 30; ++i) {
            InvoiceLine l = lines[size_t(i * 6)];
            l.miktari += 1;
            static_cast<LineAmounts&>(l) = computeLine(company, l);
            QElapsedTimer timer;
            timer.start();
            posting.saveLine(big, l);
            saves.push_back(ms(timer));
        }
        std::printf("Line save on the 200-line invoice: median %.1f ms, worst %.1f ms "
                    "(budget 15)\n",
                    median(saves), *std::max_element(saves.begin(), saves.end()));
        {
            QElapsedTimer timer;
            timer.start();
            const bool wrote = posting.openLines(big);
            std::printf("Opening its lines, all in step: %.1f ms (wrote: %s)\n", ms(timer),
                        wrote ? "yes" : "no");
            const QDate dated = QDate::fromString(
                db.scalar(QStringLiteral("SELECT \"Tarih\" FROM \"Fatura\" WHERE \"Nosu\" = ?"),
                          {big})
                    .toString(),
                Qt::ISODate);
            db.exec(QStringLiteral("UPDATE \"Fatura\" SET \"Tarih\" = ? WHERE \"Nosu\" = ?"),
                    {dated.addDays(1).toString(Qt::ISODate), big});
            timer.restart();
            posting.openLines(big);
            std::printf("Opening its lines after a re-date (200 lines and movements): %.1f ms "
                        "(budget 150)\n",
                        ms(timer));
        }
        DemoShell demoShell(demo.install, company);
        demoShell.shell.global = &global;
        {
            TfrmFtSatis list(demoShell.shell, salesInvoice());
            std::printf("Sales invoice list first paint: %.0f ms (budget 150)\n", firstPaint(list));
        }

        // The ten-page invoice.
        const qint64 tenPages = invoiceOfLines(db, 270);
        firstAndWhole("Ten-page invoice preview",
                      InvoicePrint::start(company, global.fatPlan(), tenPages, false), 300, 1000);
        {
            QElapsedTimer timer;
            timer.start();
            const PageSet pages = InvoicePrint::pages(company, global.fatPlan(), tenPages, false);
            const QString pdf = QDir(programDir).filePath(QStringLiteral("fatura.pdf"));
            const QStringList written = exportPages(pages, ExportFormat::Pdf, pdf);
            std::printf("Ten-page invoice as PDF (%d pages): %.0f ms (budget 2000)\n",
                        pages.pageCount(), ms(timer));
            for (const QString& f : written)
                QFile::remove(f);
        }
        {
            InvoiceData header = *posting.read(big);
            lines = posting.lines(big);
            QElapsedTimer timer;
            timer.start();
            posting.removeInvoice(big);
            std::printf("Delete of the 200-line invoice: %.1f ms (budget 150)\n", ms(timer));
            // Made again for the next run.
            header.id = 0;
            posting.postInvoice(header, lines);
        }
    } catch (const AppError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
