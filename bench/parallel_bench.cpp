// Posting rate of one workstation against eight posting at once, on the large demo books of an
// installation (database files or a server, as its Users.ini says):
//   bench_parallel PROGRAM_DIR [POSTS_EACH]
// Each post is one durable command: a customer movement and its card's totals. The workers open
// the books first and start posting together, so only posting is timed.
#include "customers/CustomerLedger.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/GlobalData.h"
#include "store/InstallSettings.h"
#include "store/Installation.h"
#include "store/StoreSession.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>

namespace {

int work(const QString& programDir, const QString& privateDir, int posts, quint32 seed)
{
    InstallSettings install(programDir);
    StoreSession session(privateDir);
    session.addPassword(masterPassword());
    useInstallation(session, install);
    CompanyData company(session, install, QStringLiteral("BUYUK"));
    CustomerLedger ledger(company);
    const qint64 cards = company.connection()
                             .scalar(QStringLiteral("SELECT max(\"Nosu\") FROM \"Cari\""))
                             .toLongLong();
    QRandomGenerator rng(seed);
    // Ready; posting starts when the bench says so.
    std::printf("hazır\n");
    std::fflush(stdout);
    char go[8];
    if (!std::fgets(go, sizeof go, stdin)) return 1;
    for (int i = 0; i < posts; ++i) {
        CustomerMovement m;
        m.tarih = QDate(2026, 6, 1);
        m.aciklama = QStringLiteral("Hız denemesi");
        m.customerId = 1 + qint64(rng.bounded(quint32(cards)));
        m.borc = 1 + rng.bounded(100);
        ledger.post(m);
    }
    return 0;
}

// Seconds for `workers` programs to post `posts` each, all starting at once.
double run(const QString& programDir, int workers, int posts)
{
    QTemporaryDir klt;
    std::vector<std::unique_ptr<QProcess>> running;
    for (int w = 0; w < workers; ++w) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--worker"), programDir, klt.filePath(QString::number(w)),
                  QString::number(posts), QString::number(w + 1)});
        running.push_back(std::move(p));
    }
    for (auto& p : running)
        while (!p->canReadLine())
            if (!p->waitForReadyRead(60000))
                throw AppError(QStringLiteral("A worker did not start."));
    QElapsedTimer timer;
    timer.start();
    for (auto& p : running) {
        p->write("go\n");
        p->waitForBytesWritten();
    }
    for (auto& p : running)
        if (!p->waitForFinished(-1) || p->exitCode() != 0) std::printf("a worker failed\n");
    return timer.elapsed() / 1000.0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    try {
        if (argc == 6 && QLatin1String(argv[1]) == QLatin1String("--worker"))
            return work(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                        std::atoi(argv[4]), quint32(std::atoi(argv[5])));
        if (argc < 2) {
            std::fprintf(stderr, "usage: bench_parallel PROGRAM_DIR [POSTS_EACH]\n");
            return 2;
        }
        const QString programDir = QString::fromLocal8Bit(argv[1]);
        const int posts = argc > 2 ? std::atoi(argv[2]) : 1000;
        const double one = run(programDir, 1, posts);
        const double eight = run(programDir, 8, posts);
        std::printf("posts per second: one workstation %.0f, eight at once %.0f (%.1fx; budget "
                    "3x on a server)\n",
                    posts / one, 8 * posts / eight, (8 * posts / eight) / (posts / one));
        return 0;
    } catch (const AppError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
