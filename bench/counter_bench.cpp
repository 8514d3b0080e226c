// The shop counter on the large demo books with 25,000 invoices: the barcode sale window
// (opening, a scan to its row painted, in a fresh and in a 200-row sale, a scale label), a
// 50-row closed sale saved, the invoice list and the VAT summary of a year, and customer
// vouchers (a 500-line voucher opened, a line saved, the voucher deleted).
//
//   bench_counter [PROGRAM_DIR]   (default: a new installation here; the large demo is made first)
#include "BenchWindows.h"
#include "customers/CarFis.h"
#include "customers/CustomerVouchers.h"
#include "invoicing/FtStBar.h"
#include "invoicing/InvoiceDemo.h"
#include "invoicing/InvoiceReports.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/IniFile.h"
#include "store/Table.h"
#include "widgets/ProDbGrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <algorithm>

namespace {

// Keys go to whatever has the focus when each is taken, as a scanner's do.
class FocusRouter : public QObject {
protected:
    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return QObject::event(event);
        auto* key = static_cast<QKeyEvent*>(event);
        QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
        if (QWidget* focus = QApplication::focusWidget()) QApplication::sendEvent(focus, &copy);
        return true;
    }
};

// A scan posted at once (its characters and Enter), taken, and the grid painted: milliseconds.
double scan(FocusRouter& router, TfrmFtStBarF& sale, const QString& code)
{
    QElapsedTimer timer;
    timer.start();
    for (QChar c : code + QLatin1Char('\r')) {
        const bool enter = c == QLatin1Char('\r');
        const int key = enter ? int(Qt::Key_Return) : int(c.toUpper().unicode());
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
            QCoreApplication::postEvent(&router,
                                        new QKeyEvent(type, key, Qt::NoModifier, QString(c)));
    }
    QApplication::processEvents();
    sale.grid()->viewport()->repaint();
    return ms(timer);
}

QString stockCode(int n)
{
    return QStringLiteral("STK%1").arg(n, 6, 10, QLatin1Char('0'));
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir temp(QDir::current().filePath(QStringLiteral("bench-counter-XXXXXX")));
    const QString programDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();
    try {
        LargeDemo demo(programDir);
        CompanyData& company = *demo.company;
        Connection& db = company.connection();
        IniFile& ini = demo.install.ini();
        ini.writeString(QStringLiteral("TARTI"), QStringLiteral("VARMI"), QStringLiteral("EVET"));
        ini.writeString(QStringLiteral("TARTI"), QStringLiteral("KODBOYU"), QStringLiteral("2"));
        ini.writeString(QStringLiteral("TARTI"), QStringLiteral("BOYU"), QStringLiteral("13"));
        ini.writeString(QStringLiteral("TARTI"), QStringLiteral("AGIRLIKBOYU"),
                        QStringLiteral("5"));
        ini.writeString(QStringLiteral("TARTI"), QStringLiteral("AGIRLIKBOLENI"),
                        QStringLiteral("1000"));
        DemoShell demoShell(demo.install, company);
        Shell& shell = demoShell.shell;
        InvoicePosting posting(company, demo.install);
        const QString customer =
            db.scalar(QStringLiteral("SELECT min(\"CariNo\") FROM \"Cari\"")).toString();
        const auto newHeader = [&](int closed) {
            InvoiceHeader h;
            h.fatNo =
                900000 + db.scalar(QStringLiteral("SELECT count(*) FROM \"Fatura\"")).toDouble();
            h.tarih = h.irsTarih = h.vadesi = QDate::currentDate();
            h.cariNo = customer;
            h.fDurumu = closed;
            h.kdvDahil = 1;
            return posting.saveHeader(salesInvoice(), 0, h);
        };
        if (db.scalar(QStringLiteral("SELECT count(*) FROM \"Fatura\"")).toLongLong() < 25000) {
            std::printf("Writing 25,000 invoices...\n");
            fillDemoInvoices(company, 25000, true);
        }
        std::printf("%lld invoices, %lld stock cards\n",
                    db.scalar(QStringLiteral("SELECT count(*) FROM \"Fatura\"")).toLongLong(),
                    db.scalar(QStringLiteral("SELECT count(*) FROM \"Stok\"")).toLongLong());

        FocusRouter router;
        {
            const qint64 id = newHeader(1);
            QElapsedTimer timer;
            timer.start();
            TfrmFtStBarF sale(shell, posting, id);
            sale.prepare();
            sale.show();
            sale.grid()->viewport()->repaint();
            QApplication::processEvents();
            std::printf("counter window opens in %.1f ms (budget 150)\n", ms(timer));
            std::vector<double> fresh;
            for (int i = 1; i <= 20; ++i)
                fresh.push_back(scan(router, sale, stockCode(i * 7)));
            std::printf("a scan to its row painted, first rows: median %.1f ms, worst %.1f ms "
                        "(budget 30)\n",
                        median(fresh), *std::max_element(fresh.begin(), fresh.end()));
            for (int i = 21; i <= 200; ++i)
                scan(router, sale, stockCode(i * 7));
            std::vector<double> late;
            for (int i = 201; i <= 220; ++i)
                late.push_back(scan(router, sale, stockCode(i * 7)));
            std::printf("a scan in a sale of %zu rows: median %.1f ms, worst %.1f ms (budget 30)\n",
                        sale.sale().rows().size(), median(late),
                        *std::max_element(late.begin(), late.end()));
            std::vector<double> weighed;
            for (int i = 0; i < 10; ++i)
                weighed.push_back(
                    scan(router, sale,
                         QStringLiteral("27%1000003").arg(1000 + i * 37, 5, 10, QLatin1Char('0'))));
            std::printf("a scale label: median %.1f ms, worst %.1f ms (budget 30)\n",
                        median(weighed), *std::max_element(weighed.begin(), weighed.end()));
            sale.closeWindow(QDialog::Rejected);
        }
        {
            std::vector<double> saves;
            for (int round = 0; round < 10; ++round) {
                const std::optional<InvoiceData> header = posting.read(newHeader(1));
                BarcodeSale sale(posting, ScaleSettings::read(ini), *header);
                for (int i = 1; i <= 50; ++i)
                    if (auto found = sale.find(stockCode(round * 500 + i * 9)))
                        sale.fill(int(sale.rows().size()), found->card, found->quantity);
                QElapsedTimer timer;
                timer.start();
                sale.save();
                saves.push_back(ms(timer));
            }
            std::printf("a 50-row closed sale saved, one durable command: median %.1f ms, worst "
                        "%.1f ms (budget 30)\n",
                        median(saves), *std::max_element(saves.begin(), saves.end()));
        }

        // The invoice list and the VAT summary over a year of sales.
        {
            const int year = QDate::currentDate().year();
            InvoiceReports::ListChoice c;
            c.from = QDate(year, 1, 1);
            c.to = QDate(year, 12, 31);
            c.type = 1;
            firstAndWhole("1301 invoice list, a year of sales",
                          InvoiceReports::startList(company, c), 300, 1500);
            c.detail = true;
            firstAndWhole("1301 invoice list with the lines", InvoiceReports::startList(company, c),
                          300, 4000);
            InvoiceReports::VatChoice v;
            v.from = c.from;
            v.to = c.to;
            v.rates = {QStringLiteral("18"), QStringLiteral("8"), QStringLiteral("1"),
                       QStringLiteral("0")};
            QElapsedTimer timer;
            timer.start();
            const PageSet pages = InvoiceReports::vatSummary(company, v);
            std::printf("1302 VAT summary of a year, whole: %.0f ms (budget 400)\n", ms(timer));
        }

        // Customer vouchers.
        CustomerVoucherPosting vouchers(company);
        const qint64 big = vouchers.create(QDate::currentDate());
        {
            CustomerMovement line;
            line.tarih = QDate::currentDate();
            line.borc = 125.5;
            CommandTransaction batch(db);
            for (int l = 0; l < 500; ++l)
                vouchers.saveLine(big, 0, customer, line);
            batch.commit();
        }
        {
            TfrmCarFisF voucher(shell, big);
            std::printf("2202 voucher of 500 lines: opens in %.1f ms (budget 150)\n",
                        firstPaint(voucher));
            CustomerMovement line;
            line.tarih = QDate::currentDate();
            line.alacak = 80;
            std::vector<double> saves;
            QElapsedTimer timer;
            for (int i = 0; i < 30; ++i) {
                timer.restart();
                vouchers.saveLine(big, 0, customer, line);
                voucher.reload();
                vouchers.totals(big);
                QApplication::processEvents();
                saves.push_back(ms(timer));
            }
            std::printf("2202 line save with the grid and totals refreshed: median %.1f ms, worst "
                        "%.1f ms (budget 15)\n",
                        median(saves), *std::max_element(saves.begin(), saves.end()));
        }
        company.table(QStringLiteral("CarHar")).setFiltered(false);
        QElapsedTimer timer;
        timer.start();
        vouchers.removeVoucher(big);
        std::printf("2202 delete of the 530-line voucher, one command: %.1f ms (budget 200)\n",
                    ms(timer));
    } catch (const AppError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
