#pragma once

#include "store/CompanyData.h"
#include "store/DemoBooks.h"
#include "store/GlobalData.h"
#include "store/InstallSettings.h"
#include "store/Installation.h"
#include "store/StoreSession.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

// A line of /proc/self/status in MB ("VmRSS:" resident now, "VmHWM:" the peak so far).
inline double statusMb(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').front().toDouble() / 1024.0;
    return 0;
}

// Resident memory of this process in MB.
inline double rssMb()
{
    return statusMb("VmRSS:");
}

// The most resident memory this process has had, in MB.
inline double peakRssMb()
{
    return statusMb("VmHWM:");
}

// The middle of a set of timings.
inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

inline double ms(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e6;
}

// How long `work` took, in milliseconds.
template <typename Work> double timed(Work&& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return ms(timer);
}

// One line of timings: the median and the worst against the budget.
inline void reportTimes(const char* what, const std::vector<double>& times, double budget)
{
    std::printf("%s: median %.1f ms, worst %.1f ms (budget %.0f)\n", what, median(times),
                *std::max_element(times.begin(), times.end()), budget);
}

// An installation at `programDir` with a session that knows the master password, made there
// first when there is none.
struct BenchInstallation {
    InstallSettings install;
    StoreSession session;

    explicit BenchInstallation(const QString& programDir)
        : install(programDir)
        , session(install.privateRoot())
    {
        session.addPassword(masterPassword());
        if (install.ana().isEmpty()) {
            initInstallation(session, programDir,
                             QDir(programDir).filePath(QStringLiteral("veri")));
            install.reload();
        }
        useInstallation(session, install);
    }
};

// The large demo books (company BUYUK) in an installation at `programDir`, made there first
// when they are not.
struct LargeDemo : BenchInstallation {
    std::unique_ptr<CompanyData> company;

    explicit LargeDemo(const QString& programDir)
        : BenchInstallation(programDir)
    {
        {
            GlobalData global(session, install.dataDirectory());
            if (!global.CompanyCodeExists(QStringLiteral("BUYUK"))) {
                std::printf("Writing the large demo books...\n");
                createCompany(session, global, install,
                              NewCompany{QStringLiteral("BUYUK"), QStringLiteral("Deneme")});
                CompanyData made(session, install, QStringLiteral("BUYUK"));
                fillDemoBooks(made, DemoSize::large(), [](const QString&) {});
            }
        }
        company = std::make_unique<CompanyData>(session, install, QStringLiteral("BUYUK"));
    }
};
