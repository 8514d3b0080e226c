// Cash on the large demo books with 3,000 collection and 2,000 payment slips: the cash movements
// window, the cash book, the slip list and the slip commands; then the cash book of the last
// month again after 200,000 more cash records.
//
//   bench_cash [PROGRAM_DIR]   (default: a new installation here; the large demo is made first)
#include "BenchWindows.h"
#include "cash/CashDemo.h"
#include "cash/CashLedger.h"
#include "cash/CashReports.h"
#include "cash/Kasa.h"
#include "cash/SlipPosting.h"
#include "cash/Tahsil.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/Table.h"

#include <QTemporaryDir>
#include <algorithm>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir temp(QDir::current().filePath(QStringLiteral("bench-cash-XXXXXX")));
    const QString programDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();
    try {
        LargeDemo demo(programDir);
        CompanyData& company = *demo.company;
        Connection& db = company.connection();
        const int year = QDate::currentDate().year();
        if (db.scalar(QStringLiteral("SELECT count(*) FROM \"Tahsil\"")).toLongLong() < 3000) {
            std::printf("Writing 3,000 collection and 2,000 payment slips...\n");
            QElapsedTimer timer;
            timer.start();
            fillDemoSlips(company, 3000, 2000);
            std::printf("  %.1f s\n", ms(timer) / 1000);
        }
        std::printf("Cash records: %lld, slips: %lld + %lld\n",
                    db.scalar(QStringLiteral("SELECT count(*) FROM \"Kasa\"")).toLongLong(),
                    db.scalar(QStringLiteral("SELECT count(*) FROM \"Tahsil\"")).toLongLong(),
                    db.scalar(QStringLiteral("SELECT count(*) FROM \"Tediye\"")).toLongLong());

        DemoShell demoShell(demo.install, company);
        Shell& shell = demoShell.shell;
        {
            TfrmKasa window(shell);
            std::printf("frmKasa first paint with totals: %.0f ms (budget 150)\n",
                        firstPaint(window));
        }
        const auto book = [&company](const char* what, QDate from, QDate to, double first,
                                     double whole) {
            firstAndWhole(what, CashReports::startBook(company, {from, to, false}), first, whole);
        };
        const QDate lastMonth(year, 12, 1);
        book("Cash book of the year", QDate(year, 1, 1), QDate(year, 12, 31), 300, 2000);
        book("Cash book of the last month", lastMonth, QDate(year, 12, 31), 200, 2000);
        {
            TfrmTahsil list(shell, collectionSlip());
            std::printf("Slip list first paint: %.0f ms (budget 150)\n", firstPaint(list));
        }

        // Line commands on a slip of 100 lines.
        SlipPosting posting(company, collectionSlip());
        const QString code =
            db.scalar(QStringLiteral("SELECT \"CariNo\" FROM \"Cari\" ORDER BY \"Nosu\" LIMIT 1"))
                .toString();
        const qint64 slip =
            posting.saveHeader(0, {QDate(year, 12, 15), code, QStringLiteral("Bench"), {}});
        posting.openLines(slip);
        std::vector<double> saves, deletes;
        std::vector<qint64> lines;
        for (int i = 0; i < 100; ++i) {
            QElapsedTimer timer;
            timer.start();
            lines.push_back(posting.saveLine(slip, 0, QStringLiteral("Satır"), 10 + i));
            saves.push_back(ms(timer));
        }
        for (int i = 0; i < 20; ++i) {
            QElapsedTimer timer;
            timer.start();
            posting.removeLine(slip, lines.back());
            lines.pop_back();
            deletes.push_back(ms(timer));
        }
        for (int i = 0; i < 20; ++i)
            posting.saveLine(slip, 0, QStringLiteral("Satır"), 1);
        std::printf("Line save: median %.1f ms, worst %.1f ms; line delete: median %.1f ms, "
                    "worst %.1f ms (budget 15, each one durable command)\n",
                    median(saves), *std::max_element(saves.begin(), saves.end()), median(deletes),
                    *std::max_element(deletes.begin(), deletes.end()));
        {
            Table& slips = company.table(QStringLiteral("Tahsil"));
            slips.refresh();
            slips.gotoId(slip);
            QElapsedTimer timer;
            timer.start();
            TfrmTahsilB window(shell, collectionSlip(), slip);
            const double paint = firstPaint(window);
            std::printf("Lines of a 100-line slip open: %.0f ms (budget 150)\n", paint);
        }
        {
            QElapsedTimer timer;
            timer.start();
            posting.removeSlip(slip);
            std::printf("Delete of the 100-line slip: %.1f ms (budget 100)\n", ms(timer));
        }

        // 200,000 more cash records: the brought-forward stays one sum.
        if (db.scalar(QStringLiteral("SELECT count(*) FROM \"Kasa\"")).toLongLong() < 200000) {
            std::printf("Writing 200,000 cash records...\n");
            CashLedger cash(company);
            for (int done = 0; done < 200000;) {
                CommandTransaction batch(db);
                for (int i = 0; i < 5000; ++i, ++done) {
                    CashRecord r;
                    r.tarih = QDate(year, 1, 1).addDays(done % 334); // before December
                    r.belgeNo = QStringLiteral("Y%1").arg(done);
                    r.aciklama = QStringLiteral("Ek kayıt");
                    (done % 2 ? r.giren : r.cikan) = 10 + done % 90;
                    cash.post(r);
                }
                batch.commit();
            }
        }
        book("Cash book of the last month, 200,000 more records", lastMonth, QDate(year, 12, 31),
             300, 2000);
        {
            TfrmKasa window(shell);
            std::printf("frmKasa first paint with totals, 200,000 more records: %.0f ms\n",
                        firstPaint(window));
        }
    } catch (const AppError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
