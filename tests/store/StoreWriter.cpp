// A second program for the concurrency tests: appends records to a shared table, one command
// each, then waits until it sees the other program's records too.
#include "store/AppError.h"
#include "store/StoreSession.h"
#include "store/Table.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QThread>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 6 && argc != 7) {
        std::fprintf(stderr, "usage: store_writer DIR PRIVATE TAG COUNT EXPECTED_TOTAL [SERVER]\n");
        return 2;
    }
    try {
        StoreSession session(QString::fromLocal8Bit(argv[2]));
        if (argc == 7 && argv[6][0])
            session.setServer(ServerSettings::parse(QString::fromLocal8Bit(argv[6])), QString());
        Connection db(session, QString::fromLocal8Bit(argv[1]));
        Table t(db, QStringLiteral("Kart"));
        t.open();
        const QString tag = QString::fromLocal8Bit(argv[3]);
        const int count = std::atoi(argv[4]);
        const int expected = std::atoi(argv[5]);
        for (int i = 0; i < count; ++i) {
            t.append();
            t["Kodu"] = QStringLiteral("%1%2").arg(tag).arg(i);
            t["Tarih"] = QDate(2005, 1, 1);
            t.post();
        }
        QElapsedTimer timer;
        timer.start();
        for (;;) {
            t.refresh();
            if (t.recordCount() >= expected) break;
            if (timer.elapsed() > 120000) {
                std::fprintf(stderr, "saw only %lld records\n", t.recordCount());
                return 1;
            }
            QThread::msleep(20);
        }
        return 0;
    } catch (const AppError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
