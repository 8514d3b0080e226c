// Quick access on the large demo books: the quick customer view of the customer with the most
// movements, the quick stock view of the stock card with the most movements (its inventory
// values over all of them), and the quick card lists' first paint in each order.
//
//   bench_quick [PROGRAM_DIR]   (default: a new installation here; the large demo is made first)
#include "BenchWindows.h"
#include "app/KartLis.h"
#include "customers/KECari.h"
#include "stock/KEStok.h"
#include "stock/StockFacts.h"
#include "store/AppError.h"

#include <QTemporaryDir>

namespace {

template <typename View> double openView(Shell& shell, qint64 id)
{
    QElapsedTimer timer;
    timer.start();
    View view(shell, id);
    view.show();
    QApplication::processEvents();
    return ms(timer);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir temp(QDir::current().filePath(QStringLiteral("bench-quick-XXXXXX")));
    const QString programDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();
    try {
        LargeDemo demo(programDir);
        CompanyData& company = *demo.company;
        Connection& db = company.connection();
        DemoShell demoShell(demo.install, company);
        Shell& shell = demoShell.shell;
        const SqlRow customer =
            db
                .select(QStringLiteral(
                    "SELECT \"CARef\", count(*) FROM \"CarHar\" GROUP BY \"CARef\" ORDER BY 2 DESC "
                    "LIMIT 1"))
                .front();
        const SqlRow stock =
            db
                .select(QStringLiteral(
                    "SELECT \"STRef\", count(*) FROM \"StHar\" GROUP BY \"STRef\" ORDER BY 2 DESC "
                    "LIMIT 1"))
                .front();
        for (int run = 0; run < 3; ++run) {
            std::printf("Quick customer view, %lld movements: %.0f ms (budget 150)\n",
                        customer[1].toLongLong(),
                        openView<TfrmKECari>(shell, customer[0].toLongLong()));
            std::printf("Quick stock view, %lld movements: %.0f ms (budget 150)\n",
                        stock[1].toLongLong(), openView<TfrmKEStok>(shell, stock[0].toLongLong()));
        }
        for (QuickCard card : {QuickCard::Customer, QuickCard::Stock}) {
            TfrmKartLis list(shell, card);
            const double first = firstPaint(list);
            list.setOrder(0);
            QElapsedTimer timer;
            timer.start();
            list.grid()->viewport()->repaint();
            QApplication::processEvents();
            std::printf("%s card list: first paint %.0f ms, other order %.0f ms (budget 100)\n",
                        card == QuickCard::Customer ? "Customer" : "Stock", first, ms(timer));
        }
    } catch (const AppError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
