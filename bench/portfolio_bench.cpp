// Checks and notes on the large demo books with 20,000 customer checks, 20,000 customer notes,
// 5,000 firm checks and 5,000 firm notes in every position: the four lists and their position
// and date changes, a paper operation, the 100-paper voucher commands and the four paper lists.
//
//   bench_portfolio [PROGRAM_DIR]   (default: a new installation here; the large demo is made
//   first)
#include "BenchWindows.h"
#include "portfolio/PaperPosting.h"
#include "portfolio/PaperWindows.h"
#include "portfolio/PortfolioDemo.h"
#include "portfolio/PortfolioReports.h"
#include "portfolio/VoucherPosting.h"
#include "store/AppError.h"
#include "store/Table.h"

#include <QTemporaryDir>
#include <algorithm>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir temp(QDir::current().filePath(QStringLiteral("bench-portfolio-XXXXXX")));
    const QString programDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();
    try {
        LargeDemo demo(programDir);
        CompanyData& company = *demo.company;
        Connection& db = company.connection();
        const int year = QDate::currentDate().year();
        if (db.scalar(QStringLiteral("SELECT count(*) FROM \"Cek\"")).toLongLong() < 20000) {
            std::printf("Writing 50,000 checks and notes...\n");
            const double took = timed([&] { fillDemoPapers(company, PortfolioDemoSize::large()); });
            std::printf("  %.1f s\n", took / 1000);
        }
        for (const char* table : {"Cek", "Senet", "FCek", "FSenet", "CarHar", "Kasa"})
            std::printf(
                "%s: %lld records\n", table,
                db.scalar(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(QLatin1String(table)))
                    .toLongLong());

        DemoShell demoShell(demo.install, company);
        Shell& shell = demoShell.shell;
        shell.workingYear = year;
        for (const PortfolioKind* kind :
             {&customerChecks(), &customerNotes(), &firmChecks(), &firmNotes()}) {
            TfrmCek list(shell, *kind);
            const double paint = firstPaint(list);
            std::vector<double> changes;
            for (int i = 0; i < 2 * kind->positions.size(); ++i)
                changes.push_back(timed([&] {
                    list.choosePosition(i % kind->positions.size());
                    list.grid()->viewport()->repaint();
                    QApplication::processEvents();
                }));
            for (int month = 1; month <= 6; ++month)
                changes.push_back(timed([&] {
                    list.setBounds(QDate(year, month, 1), true, QDate(year, 12, 31), month % 2);
                    list.grid()->viewport()->repaint();
                    QApplication::processEvents();
                }));
            std::printf("%s list: first paint with total %.0f ms (budget 150)\n",
                        qPrintable(kind->table), paint);
            reportTimes(qPrintable(kind->table + QStringLiteral(" list, position or date change")),
                        changes, 150);
        }

        // Operations on papers in the portfolio: each one durable command.
        PaperPosting checks(company, customerChecks());
        const std::vector<SqlRow> held = db.select(
            QStringLiteral("SELECT \"Nosu\", \"ACARef\" FROM \"Cek\" WHERE \"CekDurumu\" = 0 "
                           "AND coalesce(\"FRef\",0) = 0 LIMIT 40"));
        const qint64 endorsee = db.scalar(QStringLiteral("SELECT min(\"Nosu\") FROM \"Cari\" WHERE "
                                                         "coalesce(\"CariDurum\",0) <> 3"))
                                    .toLongLong();
        const qint64 bank =
            db.scalar(QStringLiteral("SELECT min(\"Nosu\") FROM \"Cari\" WHERE \"CariDurum\" = 3"))
                .toLongLong();
        std::vector<double> operations;
        for (const SqlRow& row : held) {
            const qint64 id = row[0].toLongLong();
            const QDate day(year, 6, 1);
            if (row[1].toLongLong() != endorsee)
                operations.push_back(timed([&] { checks.endorse(id, {day, {}, endorsee}); }));
            else
                operations.push_back(timed([&] { checks.deposit(id, {day, {}, bank}); }));
            operations.push_back(timed([&] { checks.reset(id); }));
            operations.push_back(timed([&] { checks.collect(id, {day, {}, 0}); }));
            operations.push_back(timed([&] { checks.reset(id); }));
        }
        reportTimes("Paper operation (endorse, deposit, collect, reset)", operations, 50);

        // The 100-paper voucher commands.
        VoucherPosting vouchers(company, customerChecks());
        const qint64 customer = held.front()[1].toLongLong();
        const qint64 voucher =
            vouchers.saveHeader(0, {QDate(year, 3, 1), customer, 3, "Bench", true});
        CustomerPaper paper;
        paper.girTarihi = QDate(year, 3, 1);
        paper.number = QStringLiteral("B");
        paper.tutari = 1000;
        paper.banka = QStringLiteral("Ziraat");
        std::vector<double> lines;
        for (int i = 0; i < 100; ++i) {
            paper.vadesi = QDate(year, 3, 1).addDays(30 + i);
            lines.push_back(timed([&] { vouchers.saveLine(voucher, paper); }));
        }
        reportTimes("Voucher line save over up to 100 papers", lines, 50);
        std::printf(
            "Customer change over 100 papers: %.0f ms (budget 250)\n", timed([&] {
                vouchers.saveHeader(voucher, {QDate(year, 3, 1), endorsee, 3, "Bench", true});
            }));
        std::printf("Delete of a 100-paper voucher: %.0f ms (budget 250)\n",
                    timed([&] { vouchers.removeVoucher(voucher); }));
        VoucherPosting notes(company, customerNotes());
        const qint64 series = notes.saveHeader(0, {QDate(year, 3, 1), customer, 3, "Seri", true});
        paper.adres1 = QStringLiteral("Kızılay");
        std::printf("Series of 100 notes: %.0f ms (budget 250)\n",
                    timed([&] { notes.saveSeries(series, paper, 100, 30); }));
        notes.removeVoucher(series);

        PaperListChoice all;
        all.from = QDate(year, 1, 1);
        all.to = QDate(year, 12, 31);
        for (const PortfolioKind* kind :
             {&customerChecks(), &customerNotes(), &firmChecks(), &firmNotes()})
            firstAndWhole(qPrintable(kind->table + QStringLiteral(" list with Tümü")),
                          PortfolioReports::startPaperList(company, *kind, all), 500, 2000);
    } catch (const AppError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
