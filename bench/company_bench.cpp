// Opening a company: an empty one against one with the large demo books.
//
//   bench_company [PROGRAM_DIR]   (default: a new installation in a temporary directory here,
//                                  whose large demo company is made first, which takes a minute)
#include "BenchUtil.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/DemoBooks.h"
#include "store/GlobalData.h"
#include "store/InstallSettings.h"
#include "store/Installation.h"
#include "store/StoreSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

double medianOpenMs(StoreSession& session, const InstallSettings& install, const QString& code)
{
    std::vector<double> times;
    for (int i = 0; i < 15; ++i) {
        QElapsedTimer timer;
        timer.start();
        CompanyData company(session, install, code);
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temp(QDir::current().filePath(QStringLiteral("bench-company-XXXXXX")));
    const QString programDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();
    try {
        BenchInstallation setup(programDir);
        InstallSettings& install = setup.install;
        StoreSession& session = setup.session;
        {
            GlobalData global(session, install.dataDirectory());
            for (const char* code : {"BOS", "BUYUK"}) {
                if (global.CompanyCodeExists(QLatin1String(code))) continue;
                createCompany(session, global, install,
                              NewCompany{QLatin1String(code), QStringLiteral("Deneme")});
                if (QLatin1String(code) == QLatin1String("BUYUK")) {
                    std::printf("Writing the large demo books...\n");
                    QElapsedTimer timer;
                    timer.start();
                    CompanyData company(session, install, QStringLiteral("BUYUK"));
                    fillDemoBooks(company, DemoSize::large(), [](const QString&) {});
                    std::printf("  written in %.1f s\n", timer.elapsed() / 1000.0);
                }
            }
        }
        const double empty = medianOpenMs(session, install, QStringLiteral("BOS"));
        const double large = medianOpenMs(session, install, QStringLiteral("BUYUK"));
        std::printf("open company (median of 15): empty %.2f ms, large demo %.2f ms "
                    "(budget 150 ms, and at most 50 ms over empty)\n",
                    empty, large);
    } catch (const AppError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
