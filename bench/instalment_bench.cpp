// Instalment credit on the large demo books with 10,000 instalment sales (an invoice of one to
// ten lines, fifty sales with five), a down payment and twelve instalments each, about 60,000
// payments and 2,000 purchases: the two lists and the sale window, the durable commands of a
// plan, a payment and an invoice delete, the payment list and the note.
//
//   bench_instalments [PROGRAM_DIR]   (default: a new installation here; the large demo and the
//   instalments are made first)
#include "BenchWindows.h"
#include "instalments/InstalmentDemo.h"
#include "instalments/InstalmentPosting.h"
#include "instalments/InstalmentReports.h"
#include "instalments/Taksit.h"
#include "instalments/TaksitB.h"
#include "invoicing/InvoiceMath.h"
#include "invoicing/InvoicePosting.h"
#include "store/AppError.h"
#include "store/Table.h"

#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir temp(QDir::current().filePath(QStringLiteral("bench-instalments-XXXXXX")));
    const QString programDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();
    try {
        LargeDemo demo(programDir);
        CompanyData& company = *demo.company;
        Connection& db = company.connection();
        if (db.scalar(QStringLiteral("SELECT count(*) FROM \"Taksit\"")).toLongLong() < 10000) {
            std::printf("Writing 10,000 instalment sales and 2,000 purchases...\n");
            const double took = timed([&] { fillDemoInstalments(company, 10000, 2000); });
            std::printf("  %.1f s\n", took / 1000);
        }
        for (const char* table :
             {"Taksit", "Plan", "Odeme", "ATaksit", "APlan", "AOdeme", "Fatura", "CarHar", "Kasa"})
            std::printf(
                "%s: %lld records\n", table,
                db.scalar(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(QLatin1String(table)))
                    .toLongLong());

        DemoShell demoShell(demo.install, company);
        Shell& shell = demoShell.shell;
        for (const InstalmentSide* side : {&salesInstalments(), &purchaseInstalments()}) {
            std::vector<double> paints;
            for (int i = 0; i < 5; ++i) {
                TfrmTaksit list(shell, *side);
                paints.push_back(firstPaint(list));
            }
            reportTimes(side->sales ? "1204 list first paint" : "1205 list first paint", paints,
                        150);
        }

        InstalmentPosting posting(company, salesInstalments());
        // A sale with five invoices (the demo makes one in two hundred so).
        const qint64 fiveInvoices =
            db.scalar(QStringLiteral("SELECT \"TKRef\" FROM \"Fatura\" WHERE \"Kaynak\" = 'TK' "
                                     "AND \"FatTuru\" = 1 GROUP BY \"TKRef\" HAVING count(*) = 5 "
                                     "LIMIT 1"))
                .toLongLong();
        std::vector<double> paints;
        for (int i = 0; i < 5; ++i)
            paints.push_back(timed([&] {
                TfrmTaksitB sale(shell, posting, fiveInvoices);
                sale.prepare();
                sale.show();
                for (int pane = 0; pane < sale.paneCount(); ++pane)
                    sale.grid(pane)->viewport()->repaint();
                QApplication::processEvents();
            }));
        reportTimes("Sale window with 5 invoices, first paint", paints, 150);

        // Durable commands on a new invoice of that sale.
        const qint64 stock =
            db.scalar(QStringLiteral("SELECT min(\"Nosu\") FROM \"Stok\"")).toLongLong();
        InvoicePosting invoices(company);
        const auto newInvoice = [&](double amount) {
            InvoiceHeader h;
            h.fatNo = invoices.NextInvoiceNumber(salesInvoice());
            h.tarih = h.irsTarih = h.vadesi = QDate::currentDate();
            const qint64 id = posting.saveInvoice(fiveInvoices, 0, h);
            InvoiceLine l;
            l.stockId = stock;
            l.miktari = 1;
            l.birimF = amount;
            static_cast<LineAmounts&>(l) = computeLine(company, l);
            invoices.saveLine(id, l);
            return id;
        };
        const auto planOf = [&](qint64 invoiceId, int count) {
            InstalmentPlan::Input in;
            in.amount = posting.unplanned(invoiceId);
            in.downPayment = 100;
            in.count = count;
            in.invoiceDate = in.firstDue = QDate::currentDate();
            return InstalmentPlan::compute(in, company.kurus()).lines;
        };
        std::vector<double> plans12, plans120, payments, deletes;
        for (int round = 0; round < 5; ++round) {
            const qint64 a = newInvoice(12000), b = newInvoice(120000);
            const auto lines12 = planOf(a, 12);
            const auto lines120 = planOf(b, 120);
            std::vector<qint64> saved;
            plans12.push_back(timed([&] { saved = posting.savePlan(a, lines12); }));
            plans120.push_back(timed([&] { posting.savePlan(b, lines120); }));
            for (qint64 line : saved) {
                InstalmentPosting::Payment p = posting.proposal(line);
                p.tipi = line % 2 ? InstalmentPosting::Cash : InstalmentPosting::Card;
                payments.push_back(timed([&] { posting.savePayment(line, 0, p); }));
            }
            deletes.push_back(timed([&] { posting.removeInvoice(a); }));
            posting.removeInvoice(b);
        }
        reportTimes("12-instalment plan save", plans12, 20);
        reportTimes("120-instalment plan save", plans120, 50);
        reportTimes("Payment save (cash or card)", payments, 15);
        reportTimes("Delete of an invoice with 12 paid lines", deletes, 60);

        InstalmentReports::PaymentListChoice all;
        firstAndWhole("1303 payment list, every customer",
                      InstalmentReports::startPaymentList(company, salesInstalments(), all), 500,
                      4000);
        InstalmentReports::PaymentListChoice one;
        one.customerCode =
            db.scalar(QStringLiteral("SELECT \"CariNo\" FROM \"Taksit\" WHERE \"Nosu\" = ?"),
                      {fiveInvoices})
                .toString();
        std::vector<double> ones;
        for (int i = 0; i < 5; ++i)
            ones.push_back(
                timed([&] { InstalmentReports::paymentList(company, salesInstalments(), one); }));
        reportTimes("1303 payment list, one customer", ones, 200);
        InstalmentReports::NoteChoice note;
        std::vector<double> notes;
        for (int i = 0; i < 5; ++i)
            notes.push_back(
                timed([&] { InstalmentReports::notePages(company, fiveInvoices, note); }));
        reportTimes("Note with 5 invoices and their plans", notes, 300);
    } catch (const AppError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
