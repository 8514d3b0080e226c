// Figures of the table store on a large table: open and move, searches, filtered counts,
// durable appends against raw SQLite on the same disk, and memory at 10 k and 1 M records.
//
//   bench_store [DIRECTORY] [RECORDS]     (defaults: a temporary directory here, 1000000)
#include "BenchUtil.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/StoreSession.h"
#include "store/Table.h"
#include "store/TurkishCollation.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <sqlite3.h>

namespace {

// Milliseconds per call, averaged over `times` calls.
double timeEach(int times, const std::function<void(int)>& action)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < times; ++i)
        action(i);
    return double(timer.nsecsElapsed()) / 1e6 / times;
}

double timeOnce(const std::function<void()>& action)
{
    QElapsedTimer timer;
    timer.start();
    action();
    return double(timer.nsecsElapsed()) / 1e6;
}

TableDef movementTable(const QString& name)
{
    TableDef def;
    def.name = name;
    def.fields = {{"Nosu", FieldKind::AutoInc, 0, true},  {"Kodu", FieldKind::Text, 10, false},
                  {"Unvani", FieldKind::Text, 40, false}, {"Tarih", FieldKind::Date, 0, true},
                  {"Tutar", FieldKind::Float, 0, false},  {"Grup", FieldKind::Integer, 0, false}};
    def.indexes = {{QString(), "Nosu", IndexPrimary | IndexUnique},
                   {name + "_1", "Kodu", IndexCaseInsensitive},
                   {name + "_2", "Tarih", IndexCaseInsensitive}};
    return def;
}

const QStringList kNames = {"Çelik", "Şahin", "Öztürk", "Yıldız",
                            "Işık",  "İnce",  "Güneş",  "Ağaoğlu"};

void fillRow(Table& t, int i)
{
    t.append();
    t.field(1).setValue(QStringLiteral("K%1").arg(i * 7919 % 1000003, 7, 10, QLatin1Char('0')));
    t.field(2).setValue(kNames[i % kNames.size()] + QStringLiteral(" Ticaret %1").arg(i));
    t.field(3).setValue(QDate(2020, 1, 1).addDays(i % 1500));
    t.field(4).setValue(double(i % 1000) + 0.25);
    t.field(5).setValue(i % 100);
    t.post();
}

void fill(Connection& db, const QString& table, int records)
{
    Table t(db, table);
    t.open();
    constexpr int kBatch = 50000;
    for (int done = 0; done < records; done += kBatch) {
        CommandTransaction tx(db);
        for (int i = done; i < std::min(records, done + kBatch); ++i)
            fillRow(t, i);
        tx.commit();
    }
}

struct Raw {
    sqlite3* db = nullptr;
    explicit Raw(const QString& file)
    {
        sqlite3_open(file.toUtf8().constData(), &db);
        TurkishCollation::registerOn(db);
        sqlite3_exec(
            db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL; PRAGMA cache_size=-16384",
            nullptr, nullptr, nullptr);
        sqlite3_busy_timeout(db, 15000);
    }
    ~Raw() { sqlite3_close(db); }
    void exec(const char* sql) { sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }
    void insert(sqlite3_stmt* st, int i)
    {
        const QByteArray code =
            QStringLiteral("K%1").arg(i * 7919 % 1000003, 7, 10, QLatin1Char('0')).toUtf8();
        const QByteArray title =
            (kNames[i % kNames.size()] + QStringLiteral(" Ticaret %1").arg(i)).toUtf8();
        const QByteArray date = QDate(2020, 1, 1).addDays(i % 1500).toString(Qt::ISODate).toUtf8();
        sqlite3_bind_text(st, 1, code.constData(), int(code.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, title.constData(), int(title.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 3, date.constData(), int(date.size()), SQLITE_TRANSIENT);
        sqlite3_bind_double(st, 4, double(i % 1000) + 0.25);
        sqlite3_bind_int(st, 5, i % 100);
        sqlite3_step(st);
        sqlite3_reset(st);
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temp(QDir::current().filePath(QStringLiteral("bench-store-XXXXXX")));
    const QString dir = argc > 1 && argv[1][0] ? QString::fromLocal8Bit(argv[1]) : temp.path();
    const int records = argc > 2 ? std::atoi(argv[2]) : 1000000;
    try {
        StoreSession session(QDir(dir).filePath(QStringLiteral("klt")));
        Connection db(session, dir, Connection::OpenMode::CreateIfMissing);
        for (const char* name : {"Small", "Big", "Ours1", "Raw1", "OursN", "RawN"})
            if (!db.tableExists(name)) db.createTable(movementTable(name));
        if (Table probe(db, "Big"); true) {
            probe.open();
            if (probe.recordCount() < records) {
                std::printf("Filling %d records (with 10,000 in a small table)...\n", records);
                const double ms = timeOnce([&] {
                    fill(db, "Small", 10000);
                    fill(db, "Big", records);
                });
                std::printf("  filled in %.1f s (%.0f records/s through the store)\n", ms / 1000,
                            (records + 10000) / (ms / 1000));
            }
        }
        std::printf("\nTable of %d records, two secondary indexes\n", records);

        // Memory: open with a named index and go to the last record, then walk a screenful.
        const auto openLast = [&](const char* name, double* rss) {
            Table t(db, name);
            t.setIndexName(QStringLiteral("%1_1").arg(name));
            const double ms = timeOnce([&] {
                t.open();
                t.last();
            });
            for (int i = 0; i < 1000; ++i)
                t.prior();
            *rss = rssMb();
            return ms;
        };
        double rssSmall = 0, rssBig = 0;
        openLast("Small", &rssSmall); // warm the code paths once
        const double openSmall = openLast("Small", &rssSmall);
        const double openBig = openLast("Big", &rssBig);
        std::printf(
            "open with named index + last:   10 k: %.3f ms   1 M: %.3f ms   (budget 20 ms)\n",
            openSmall, openBig);
        std::printf("RSS after open/last/1000 priors: 10 k: %.1f MB   1 M: %.1f MB\n", rssSmall,
                    rssBig);

        Table t(db, "Big");
        t.setIndexName("Big_1");
        t.open();
        std::printf("first:      %.4f ms\n", timeEach(1000, [&](int) { t.first(); }));
        std::printf("last:       %.4f ms\n", timeEach(1000, [&](int) { t.last(); }));
        t.first();
        std::printf("next:       %.4f ms (walking 100,000 records)\n",
                    timeEach(100000, [&](int) { t.next(); }));
        std::printf("prior:      %.4f ms (walking 100,000 records)\n",
                    timeEach(100000, [&](int) { t.prior(); }));
        QRandomGenerator rng(42);
        std::printf(
            "find key:   %.4f ms (random codes, 2,000 searches)\n", timeEach(2000, [&](int) {
                const int i = int(rng.bounded(records));
                t.findKey({QStringLiteral("k%1").arg(i * 7919 % 1000003, 7, 10, QLatin1Char('0'))});
            }));
        std::printf("next after refresh: %.4f ms\n", timeEach(2000, [&](int) {
                        t.refresh();
                        t.next();
                    }));

        t.setFilter(QStringLiteral("Grup = 7"));
        t.setFiltered(true);
        std::printf("count, filter keeping 1%% (Grup = 7, no index):      %.1f ms -> %lld\n",
                    timeEach(3,
                             [&](int) {
                                 t.refresh();
                                 t.recordCount();
                             }),
                    t.recordCount());
        t.setFilter(QStringLiteral("Tarih >= '01.01.2020' and Tarih < '16.01.2020'"));
        t.setFiltered(true);
        std::printf("count, filter keeping 1%% (Tarih range, indexed):    %.1f ms -> %lld\n",
                    timeEach(3,
                             [&](int) {
                                 t.refresh();
                                 t.recordCount();
                             }),
                    t.recordCount());
        t.setFiltered(false);
        std::printf("count, no filter:                                    %.1f ms\n",
                    timeEach(3, [&](int) {
                        t.refresh();
                        t.recordCount();
                    }));

        // Durable single-record commands: ours against raw SQLite, same disk, same schema.
        constexpr int kSingles = 300;
        Table ours(db, "Ours1");
        ours.open();
        const double oursSingle = timeEach(kSingles, [&](int i) { fillRow(ours, i); });
        Raw raw(QDir(dir).filePath(Connection::kDatabaseFile));
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(raw.db,
                           "INSERT INTO \"Raw1\" "
                           "(\"Kodu\",\"Unvani\",\"Tarih\",\"Tutar\",\"Grup\") VALUES (?,?,?,?,?)",
                           -1, &st, nullptr);
        const double rawSingle = timeEach(kSingles, [&](int i) { raw.insert(st, i); });
        sqlite3_finalize(st);
        std::printf("durable append+post, one command each: store %.3f ms, raw SQLite %.3f ms "
                    "(x%.2f, budget 1.5)\n",
                    oursSingle, rawSingle, oursSingle / rawSingle);

        constexpr int kBatch = 10000;
        Table many(db, "OursN");
        many.open();
        const double oursMany = timeOnce([&] {
            CommandTransaction tx(db);
            for (int i = 0; i < kBatch; ++i)
                fillRow(many, i);
            tx.commit();
        });
        sqlite3_prepare_v2(raw.db,
                           "INSERT INTO \"RawN\" "
                           "(\"Kodu\",\"Unvani\",\"Tarih\",\"Tutar\",\"Grup\") VALUES (?,?,?,?,?)",
                           -1, &st, nullptr);
        const double rawMany = timeOnce([&] {
            raw.exec("BEGIN IMMEDIATE");
            for (int i = 0; i < kBatch; ++i)
                raw.insert(st, i);
            raw.exec("COMMIT");
        });
        sqlite3_finalize(st);
        std::printf("10,000 appends in one transaction: store %.1f ms, raw SQLite %.1f ms (x%.2f, "
                    "budget 3)\n",
                    oursMany, rawMany, oursMany / rawMany);
    } catch (const AppError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
