// Customer windows and reports on the large demo company: opening the card list and the
// movement window, the balance status list over every card, a statement of 20,000 movements.
//
//   bench_customers [PROGRAM_DIR]   (default: a new installation here; the large demo is made
//   first)
#include "BenchWindows.h"
#include "app/MessageWindow.h"
#include "customers/CarHar.h"
#include "customers/CarKart.h"
#include "customers/CustomerLedger.h"
#include "customers/CustomerReports.h"
#include "printing/ReportRenderer.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/CompanyData.h"
#include "store/DemoBooks.h"
#include "store/GlobalData.h"
#include "store/InstallSettings.h"
#include "store/Installation.h"
#include "store/StoreSession.h"
#include "store/Table.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir temp(QDir::current().filePath(QStringLiteral("bench-customers-XXXXXX")));
    const QString programDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();
    try {
        LargeDemo demo(programDir);
        InstallSettings& install = demo.install;
        CompanyData& company = *demo.company;
        CustomerLedger ledger(company);
        // One customer with 20,000 movements, for the statement and the movement window.
        qint64 heavy = 0;
        const std::vector<SqlRow> top = company.connection().select(
            QStringLiteral("SELECT \"CARef\", count(*) FROM \"CarHar\" GROUP BY \"CARef\" ORDER BY "
                           "2 DESC LIMIT 1"));
        heavy = top.front()[0].toLongLong();
        if (top.front()[1].toLongLong() < 20000) {
            CommandTransaction tx(company.connection());
            for (int i = 0; i < 20000; ++i) {
                CustomerMovement m;
                m.tarih = QDate(QDate::currentDate().year(), 1, 1).addDays(i % 360);
                m.customerId = heavy;
                m.borc = i % 2 ? 125.5 : 0;
                m.alacak = i % 2 ? 0 : 99.25;
                m.aciklama = QStringLiteral("Hareket %1").arg(i);
                ledger.post(m);
            }
            tx.commit();
        }
        DemoShell demoShell(install, company);
        Shell& shell = demoShell.shell;

        QElapsedTimer timer;
        timer.start();
        {
            TfrmCarKart cards(shell);
            cards.prepare();
            cards.show();
            cards.grid()->viewport()->repaint();
            QApplication::processEvents();
            std::printf("customer card list (%lld cards): first paint after %.1f ms (budget 150)\n",
                        company.table(QStringLiteral("Cari")).recordCount(), ms(timer));
        }
        Table& cari = company.table(QStringLiteral("Cari"));
        cari.setFiltered(false);
        CompanyData::SeekBackById(cari, heavy);
        company.table(QStringLiteral("CarHar")).setIndexName(QStringLiteral("CarHar_1"));
        timer.restart();
        {
            TfrmCarHar movements(shell);
            movements.prepare();
            movements.show();
            movements.grid()->viewport()->repaint();
            QApplication::processEvents();
            std::printf("movement window on the customer with %lld movements: first paint after "
                        "%.1f ms (budget 150)\n",
                        movements.table().recordCount(), ms(timer));
        }

        timer.restart();
        CustomerReports::BalanceChoice all;
        {
            // As the preview runs it: the first page as soon as it is made.
            RunningReport running = CustomerReports::startBalanceStatus(company, all);
            running.renderer->start();
            while (!running.renderer->done() && running.renderer->pages().pageCount() < 2)
                running.renderer->step(1);
            std::printf("balance status list: first page after %.0f ms (budget 1 s)\n", ms(timer));
        }
        timer.restart();
        const PageSet balances = CustomerReports::balanceStatus(company, all);
        std::printf("balance status list over every card: %d pages in %.0f ms (budget 5 s whole, 1 "
                    "s first page)\n",
                    balances.pageCount(), ms(timer));

        // The movement list over every movement: into the page set, then text and PDF.
        {
            const double rssBefore = rssMb();
            timer.restart();
            CustomerReports::MovementChoice all{QDate(2000, 1, 1), QDate(2100, 12, 31)};
            const PageSet list = CustomerReports::movementList(company, all);
            const double made = ms(timer);
            timer.restart();
            const QString text = list.plainText();
            const double textMs = ms(timer);
            timer.restart();
            QTemporaryDir out;
            list.writePdf(out.filePath(QStringLiteral("liste.pdf")));
            std::printf("movement list (2303) over %lld movements: %d pages made in %.0f ms, text "
                        "in %.0f ms (made + text: budget 3 s), PDF in %.0f ms (made + PDF: "
                        "budget 8 s); memory %.0f MB above the start, peak %.0f MB (budget 200)\n",
                        company.connection()
                            .scalar(QStringLiteral("SELECT count(*) FROM \"CarHar\""))
                            .toLongLong(),
                        list.pageCount(), made, textMs, ms(timer), rssMb() - rssBefore,
                        peakRssMb());
        }

        timer.restart();
        CustomerReports::StatementChoice statement{heavy, QDate(2000, 1, 1), QDate(2100, 12, 31)};
        const PageSet pages = CustomerReports::statement(company, statement);
        std::printf(
            "statement of the customer with 20,000+ movements: %d pages in %.0f ms (budget 2 s)\n",
            pages.pageCount(), ms(timer));
    } catch (const AppError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
