// Orders on the large demo books with 20,000 orders of one to twenty lines (about 210,000), both
// kinds, two thirds invoiced (some in part, some together): the list, an order window with three
// invoices and one of twenty orders together, the durable commands of a line save, an invoice
// from twenty lines and its delete, and the three order reports.
//
//   bench_orders [PROGRAM_DIR]   (default: a new installation here; the large demo and the
//   orders are made first)
#include "BenchWindows.h"
#include "invoicing/InvoiceMath.h"
#include "invoicing/InvoicePosting.h"
#include "orders/OrderDemo.h"
#include "orders/OrderPosting.h"
#include "orders/OrderReports.h"
#include "orders/Siparis.h"
#include "orders/SiparisB.h"
#include "store/AppError.h"
#include "store/Table.h"

#include <QTableView>
#include <QTemporaryDir>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir temp(QDir::current().filePath(QStringLiteral("bench-orders-XXXXXX")));
    const QString programDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();
    try {
        LargeDemo demo(programDir);
        CompanyData& company = *demo.company;
        Connection& db = company.connection();
        if (db.scalar(QStringLiteral("SELECT count(*) FROM \"Siparis\"")).toLongLong() < 20000) {
            std::printf("Writing 14,000 sales and 6,000 purchase orders...\n");
            const double took = timed([&] { fillDemoOrders(company, 14000, 6000); });
            std::printf("  %.1f s\n", took / 1000);
        }
        for (const char* table : {"Siparis", "SipHar", "Fatura", "FatHar", "StHar"})
            std::printf(
                "%s: %lld records\n", table,
                db.scalar(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(QLatin1String(table)))
                    .toLongLong());

        DemoShell demoShell(demo.install, company);
        Shell& shell = demoShell.shell;
        std::vector<double> paints;
        for (int i = 0; i < 5; ++i) {
            TfrmSiparis list(shell, salesOrders());
            paints.push_back(firstPaint(list));
        }
        reportTimes("7201 list first paint", paints, 150);

        OrderPosting posting(company, salesOrders(), &demo.install);
        const auto windowTime = [&](const std::vector<qint64>& ids) {
            return timed([&] {
                TfrmSiparisB w(shell, posting, ids);
                w.prepare();
                w.show();
                for (int pane = 0; pane < w.paneCount(); ++pane)
                    w.grid(pane)->viewport()->repaint();
                QApplication::processEvents();
            });
        };
        // An order of twenty lines with three invoices: made here, invoiced three times.
        const QString card =
            db.scalar(QStringLiteral("SELECT \"CariNo\" FROM \"Siparis\" WHERE \"SipTuru\" = 1 "
                                     "ORDER BY \"Nosu\" LIMIT 1"))
                .toString();
        const std::vector<SqlRow> stocks =
            db.select(QStringLiteral("SELECT \"Kodu\" FROM \"Stok\" ORDER BY \"Nosu\" LIMIT 20"));
        const auto newOrder = [&](int lines, double quantity) {
            OrderPosting::Header h;
            h.sipNo = posting.nextNumber();
            h.tarih = h.terminTar = QDate::currentDate();
            h.saat = QTime(9, 0);
            h.cariNo = card;
            const qint64 id = posting.saveHeader(0, h);
            for (int l = 0; l < lines; ++l) {
                OrderPosting::Line line;
                line.kodu = stocks[size_t(l) % stocks.size()][0].toString();
                line.miktari = quantity;
                line.birimF = 10 + l;
                line.kdvOran = 18;
                line.tarih = h.terminTar;
                posting.saveLine(id, 0, line);
            }
            return id;
        };
        InvoicePosting invoices(company);
        const auto header = [&] {
            InvoiceHeader h;
            h.fatNo = invoices.NextInvoiceNumber(salesInvoice());
            h.tarih = h.irsTarih = h.vadesi = QDate::currentDate();
            return h;
        };
        const qint64 three = newOrder(20, 9);
        for (int i = 0; i < 3; ++i) {
            // A third each time: the open lines invoiced, then each invoice line cut to 3.
            const qint64 invoice = posting.invoiceFromOrders({three}, header());
            for (const SqlRow& r :
                 db.select(QStringLiteral("SELECT \"Nosu\" FROM \"FatHar\" WHERE \"FRef\" = ?"),
                           {invoice})) {
                std::optional<InvoiceLine> l = invoices.readLine(r[0].toLongLong());
                l->miktari = 3;
                static_cast<LineAmounts&>(*l) = computeLine(company, *l);
                invoices.saveLine(invoice, *l);
            }
            posting.openLines({three});
        }
        std::vector<double> opens;
        for (int i = 0; i < 5; ++i)
            opens.push_back(windowTime({three}));
        reportTimes("Order of 20 lines with 3 invoices, window first paint", opens, 100);
        std::vector<qint64> twenty;
        for (const SqlRow& r : db.select(QStringLiteral("SELECT \"Nosu\" FROM \"Siparis\" WHERE "
                                                        "\"SipTuru\" = 1 AND \"CariNo\" = ? "
                                                        "ORDER BY \"Nosu\" LIMIT 20"),
                                         {card}))
            twenty.push_back(r[0].toLongLong());
        while (twenty.size() < 20)
            twenty.push_back(newOrder(5, 2));
        std::vector<double> combined;
        for (int i = 0; i < 5; ++i)
            combined.push_back(windowTime(twenty));
        reportTimes("20 orders together, window first paint", combined, 300);

        std::vector<double> lineSaves, fromOrders, deletes;
        for (int round = 0; round < 5; ++round) {
            const qint64 id = newOrder(19, 4);
            OrderPosting::Line line;
            line.kodu = stocks.front()[0].toString();
            line.miktari = 4;
            line.birimF = 12.5;
            line.kdvOran = 18;
            line.tarih = QDate::currentDate();
            lineSaves.push_back(timed([&] { posting.saveLine(id, 0, line); }));
            qint64 invoice = 0;
            const InvoiceHeader h = header();
            fromOrders.push_back(timed([&] { invoice = posting.invoiceFromOrders({id}, h); }));
            deletes.push_back(timed([&] { posting.removeInvoice(invoice, {id}); }));
        }
        reportTimes("Order line save", lineSaves, 15);
        reportTimes("Invoice from an order of 20 lines", fromOrders, 40);
        reportTimes("Delete of that invoice", deletes, 30);

        OrderReports::OrderListChoice list;
        list.from = QDate(QDate::currentDate().year() - 1, 1, 1);
        list.to = QDate(QDate::currentDate().year() + 1, 12, 31);
        list.type = 1;
        list.state = 2;
        firstAndWhole("7301 order list, every sales order",
                      OrderReports::startOrderList(company, list), 500, 2000);
        list.detail = true;
        firstAndWhole("7301 order list with the lines", OrderReports::startOrderList(company, list),
                      500, 4000);
        OrderReports::LineListChoice lines;
        lines.from = list.from;
        lines.to = list.to;
        lines.type = 1;
        lines.state = 2;
        firstAndWhole("7303 order lines, every sales line",
                      OrderReports::startLineList(company, lines), 500, 3000);
        firstAndWhole("7302 stock against orders, every card",
                      OrderReports::startStockStatus(company, {}), 1000, 2000);
    } catch (const AppError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
