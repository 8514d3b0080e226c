// The period transfer of the large demo books (50,000 customers with 300,000 movements, 20,000
// stock cards with 1,000,000 movements), with balances and without, and the code transfer of a
// customer given 20,000 movements and a stock card given 50,000 more, interleaved with the
// rest. Each figure is the best and the slowest of three; the books are left as they were.
//
//   bench_transfers [PROGRAM_DIR]   (default: a new installation here; the large demo is made
//   first)
#include "BenchUtil.h"
#include "store/AppError.h"
#include "store/CodeTransfer.h"
#include "store/CommandTransaction.h"
#include "store/PeriodTransfer.h"
#include "store/Table.h"

#include <QCoreApplication>
#include <QTemporaryDir>

namespace {

// Removes a company the bench made: its tables, directory and Sirket record.
void dropCompany(LargeDemo& demo, GlobalData& global, const QString& code)
{
    removeCompanyStore(demo.session, demo.install.companyDirectory(code));
    Table sirket(global.connection(), QStringLiteral("Sirket"));
    sirket.open();
    while (sirket.locate(QStringLiteral("SKodu"), code))
        sirket.remove();
}

void report(const char* what, std::vector<double> times, double budget, const char* extra = "")
{
    std::sort(times.begin(), times.end());
    std::printf("%-58s best %8.1f ms  slowest %8.1f ms  (budget %.0f ms)%s\n", what, times.front(),
                times.back(), budget, extra);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temp(QDir::current().filePath(QStringLiteral("bench-transfer-XXXXXX")));
    const QString programDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();
    try {
        LargeDemo demo(programDir);
        CompanyData& company = *demo.company;
        GlobalData global(demo.session, demo.install.dataDirectory());

        for (const bool balances : {true, false}) {
            std::vector<double> times;
            double grown = 0;
            PeriodTransfer::Result result;
            for (int run = 0; run < 3; ++run) {
                const QString code = QStringLiteral("DVR%1").arg(run);
                dropCompany(demo, global, code);
                PeriodTransfer::Options o;
                o.code = code;
                o.date = QDate(2027, 1, 1);
                o.balances = balances;
                // The program's own memory (the mapped database file aside), at every step.
                const double before = statusMb("RssAnon:");
                double peak = before;
                QElapsedTimer timer;
                timer.start();
                result = PeriodTransfer::run(company, global, QStringLiteral("Deneme"), o,
                                             [&](PeriodTransfer::Step, qint64, qint64) {
                                                 peak = std::max(peak, statusMb("RssAnon:"));
                                             });
                times.push_back(ms(timer));
                grown = std::max(grown, peak - before);
                dropCompany(demo, global, code);
            }
            char extra[160];
            std::snprintf(extra, sizeof extra,
                          "\n    %lld customers, %lld opening movements; %lld stock cards, %lld "
                          "opening movements; own memory at most +%.0f MB",
                          result.customers, result.customerMovements, result.stockCards,
                          result.stockMovements, grown);
            report(balances ? "Period transfer with balances (Fifo)"
                            : "Period transfer without balances",
                   times, balances ? 8000 : 4000, extra);
        }

        // The code transfer: one customer and one stock card with many movements among the rest.
        Connection& db = company.connection();
        const qint64 customer =
            db.scalar(QStringLiteral("SELECT min(\"Nosu\") FROM \"Cari\"")).toLongLong();
        const qint64 stock =
            db.scalar(QStringLiteral("SELECT min(\"Nosu\") FROM \"Stok\"")).toLongLong();
        const QString customerCode =
            db.scalar(QStringLiteral("SELECT \"CariNo\" FROM \"Cari\" WHERE \"Nosu\" = ?"),
                      {customer})
                .toString();
        const QString stockCode =
            db.scalar(QStringLiteral("SELECT \"Kodu\" FROM \"Stok\" WHERE \"Nosu\" = ?"), {stock})
                .toString();
        const QString mark = QStringLiteral("KOD-BENCH");
        CommandTransaction::run(db, [&] {
            Table carHar(db, QStringLiteral("CarHar")), stHar(db, QStringLiteral("StHar"));
            carHar.open();
            stHar.open();
            for (int i = 0; i < 70000; ++i) {
                const bool toCustomer = i % 7 < 2; // 20,000 and 50,000, interleaved
                Table& t = toCustomer ? carHar : stHar;
                t.append();
                t[QStringLiteral("Tarih")] = QDate(2026, 1, 1).addDays(i % 365);
                t[QStringLiteral("Aciklama")] = mark;
                if (toCustomer) {
                    t[QStringLiteral("CARef")] = customer;
                    t[QStringLiteral("CariNo")] = customerCode;
                    t[QStringLiteral("Borc")] = 10.0;
                } else {
                    t[QStringLiteral("STRef")] = stock;
                    t[QStringLiteral("Kodu")] = stockCode;
                    t[QStringLiteral("GMiktari")] = 1.0;
                }
                t.post();
            }
        });
        for (const auto kind : {CodeTransfer::Kind::Customer, CodeTransfer::Kind::Stock}) {
            const bool isCustomer = kind == CodeTransfer::Kind::Customer;
            const qint64 card = isCustomer ? customer : stock;
            const QString original = isCustomer ? customerCode : stockCode;
            std::vector<double> times;
            qint64 changed = 0;
            for (int run = 0; run < 3; ++run) {
                QElapsedTimer timer;
                timer.start();
                changed =
                    CodeTransfer::run(company, kind, card, QStringLiteral("KODBENCH%1").arg(run));
                times.push_back(ms(timer));
            }
            CodeTransfer::run(company, kind, card, original);
            char extra[80];
            std::snprintf(extra, sizeof extra, "  %lld records", changed);
            report(isCustomer ? "Code transfer of a customer with 20,000+ movements"
                              : "Code transfer of a stock card with 50,000+ movements",
                   times, isCustomer ? 1000 : 1500, extra);
        }
        CommandTransaction::run(db, [&] {
            db.exec(QStringLiteral("DELETE FROM \"CarHar\" WHERE \"Aciklama\" = ?"), {mark});
            db.exec(QStringLiteral("DELETE FROM \"StHar\" WHERE \"Aciklama\" = ?"), {mark});
        });
    } catch (const AppError& e) {
        std::fprintf(stderr, "%s %s\n", qPrintable(e.message()), qPrintable(e.detail()));
        return 1;
    }
    return 0;
}
