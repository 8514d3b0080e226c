#include "store/Table.h"
#include "support/TempDir.h"

#include <QDate>
#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>

// Two programs append to one table at the same time, each record its own durable command.
TEST(Concurrency, TwoProgramsAppendWithoutLosingOrDuplicatingRecords)
{
    constexpr int kEach = 1000;
    StoreFixture fx;
    {
        auto db = fx.connect();
        db->createTable(sampleTableDef());
    }
    QProcess other;
    other.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    other.start(QStringLiteral(STORE_WRITER),
                {fx.path(), fx.path("klt2"), "P", QString::number(kEach),
                 QString::number(2 * kEach), fx.database.connectionString()});
    ASSERT_TRUE(other.waitForStarted());

    auto db = fx.connect(Connection::OpenMode::Existing);
    Table t(*db, "Kart");
    t.open();
    for (int i = 0; i < kEach; ++i) {
        t.append();
        t["Kodu"] = QStringLiteral("Q%1").arg(i);
        t["Tarih"] = QDate(2005, 1, 1);
        t.post();
    }
    ASSERT_TRUE(other.waitForFinished(180000));
    EXPECT_EQ(other.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(other.exitCode(), 0) << "the other program did not see all records";

    t.refresh();
    EXPECT_EQ(t.recordCount(), 2 * kEach);
    QSet<qint64> ids;
    QSet<QString> codes;
    for (t.first(); !t.eof(); t.next()) {
        ids.insert(t.currentId());
        codes.insert(t["Kodu"].asString());
    }
    EXPECT_EQ(ids.size(), 2 * kEach);
    EXPECT_EQ(codes.size(), 2 * kEach);
}
