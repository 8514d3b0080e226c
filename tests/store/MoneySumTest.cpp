#include "store/MoneySum.h"
#include "store/AppError.h"
#include <QTemporaryDir>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>
#include <limits>

TEST(MoneySum, AddsStoredAmountsExactlyInAnyOrder)
{
    MoneySum sum;
    sum += 0.1;
    sum += 0.2;
    sum -= 0.3;
    EXPECT_TRUE(sum.isZero());
    // Ten thousand cents make a hundred exactly, where doubles drift.
    MoneySum cents;
    double drift = 0;
    for (int i = 0; i < 10000; ++i) {
        cents += 0.01;
        drift += 0.01;
    }
    EXPECT_EQ(cents.value(), 100.0);
    EXPECT_NE(drift, 100.0);
    EXPECT_EQ(MoneySum::unitsOf(2.675), 26750); // stored as 2.67499…, still 2.6750
    EXPECT_EQ(MoneySum::unitsOf(-1.00005), -10001);
    EXPECT_THROW(MoneySum::unitsOf(1e15), AppError);
    EXPECT_THROW(MoneySum::unitsOf(std::numeric_limits<double>::infinity()), AppError);
    MoneySum big = MoneySum::fromUnits(std::numeric_limits<qint64>::max() - 5);
    EXPECT_THROW(big += 1.0, AppError);
}

TEST(MoneySum, SqliteMakesTheSameSum)
{
    QTemporaryDir dir;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "moneysum");
        db.setDatabaseName(dir.filePath("m.db"));
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec("CREATE TABLE t (v REAL)"));
        MoneySum expected;
        q.prepare("INSERT INTO t VALUES (?)");
        for (double v : {333.33, 333.33, 333.34, -1000.0, 2.675, 0.1, 0.2, -0.30005}) {
            q.addBindValue(v);
            ASSERT_TRUE(q.exec());
            expected += v;
        }
        ASSERT_TRUE(q.exec("SELECT " + MoneySum::sqlSum("v") + " FROM t"));
        ASSERT_TRUE(q.next());
        EXPECT_EQ(MoneySum::fromSql(q.value(0)), expected);
        ASSERT_TRUE(q.exec("SELECT " + MoneySum::sqlSum("v") + " FROM t WHERE v > 1e9"));
        ASSERT_TRUE(q.next());
        EXPECT_TRUE(MoneySum::fromSql(q.value(0)).isZero()); // no rows: NULL, read as 0
    }
    QSqlDatabase::removeDatabase("moneysum");
}
