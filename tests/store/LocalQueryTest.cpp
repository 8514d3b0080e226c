#include "store/LocalQuery.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "support/TempDir.h"

#include <QDate>
#include <gtest/gtest.h>

namespace {

class LocalQueryTest : public ::testing::Test {
protected:
    StoreFixture fx;
    std::unique_ptr<Connection> db;

    void SetUp() override
    {
        db = fx.connect();
        db->createTable(sampleTableDef("CarHar"));
        Table t(*db, "CarHar");
        t.open();
        CommandTransaction tx(*db);
        const struct {
            const char* code;
            int day;
            double amount;
        } rows[] = {{"A", 1, 10.5}, {"B", 2, 20}, {"A", 3, 30}, {"C", 4, 40}, {"A", 5, 50}};
        for (const auto& r : rows) {
            t.append();
            t["Kodu"] = r.code;
            t["Tarih"] = QDate(2005, 1, r.day);
            t["Tutar"] = r.amount;
            t["Adet"] = r.day;
            t.post();
        }
        tx.commit();
    }
};

} // namespace

TEST_F(LocalQueryTest, SumsWithDatesInAllThreeForms)
{
    for (const char* where : {"Tarih >= '02.01.2005' and Tarih <= '04.01.2005'",
                              "Tarih >= '01/02/2005' and Tarih <= '01/04/2005'",
                              "Tarih >= 02.01.2005 and Tarih <= 04.01.2005"}) {
        LocalQuery q(*db, QStringLiteral("Select Sum(Tutar), Count(*) From \"CarHar.DB\" Where ") +
                              where);
        q.open();
        EXPECT_EQ(q.recordCount(), 1);
        EXPECT_DOUBLE_EQ(q.field(0).asFloat(), 90);
        EXPECT_EQ(q.field(1).asInteger(), 3);
        EXPECT_EQ(q.field(0).name(), "Sum(Tutar)");
    }
    LocalQuery empty(*db, "select sum(Tutar) from carhar where Kodu = 'Z'");
    empty.open();
    EXPECT_TRUE(empty.field(0).isNull()); // an empty sum is blank; callers count it as 0
}

TEST_F(LocalQueryTest, SelectAllWithOrderIsNavigatedLikeATable)
{
    LocalQuery q(*db, "Select * From \"CarHar\" Where (Kodu = 'a') Order By Tutar desc");
    q.open();
    EXPECT_EQ(q.recordCount(), 3);
    QList<double> amounts;
    for (q.first(); !q.eof(); q.next())
        amounts << q["Tutar"].asFloat();
    EXPECT_EQ(amounts, QList<double>({50, 30, 10.5}));
    q.last();
    EXPECT_EQ(q["Tarih"].asDate(), QDate(2005, 1, 1));
    EXPECT_THROW(q.append(), AppError);
    EXPECT_THROW(q.remove(), AppError);

    // Reopened with another text, it shows the new result.
    q.setText("select Kodu, Tutar as T from CarHar where Adet > 3 order by Kodu");
    q.open();
    EXPECT_EQ(q.fieldCount(), 2);
    EXPECT_EQ(q.field(1).name(), "T");
    EXPECT_EQ(q["Kodu"].asString(), "A");
    q.next();
    EXPECT_EQ(q["Kodu"].asString(), "C");
}

TEST_F(LocalQueryTest, MalformedQueriesGiveClearErrors)
{
    const char* bad[] = {
        "Select From CarHar",
        "Select * CarHar",
        "Select * From Yok",
        "Select Yok From CarHar",
        "Select Median(Tutar) From CarHar",
        "Select * From CarHar Where Tutar = ",
        "Select * From CarHar Where Kodu = 'x'; delete from CarHar",
        "Select * From CarHar Order By Yok",
        "Select Kodu, Sum(Tutar) From CarHar",
        "Select * From CarHar Where Tarih = '13/45/2005'",
    };
    for (const char* text : bad) {
        LocalQuery q(*db, text);
        EXPECT_THROW(q.open(), AppError) << text;
        EXPECT_FALSE(q.isOpen());
    }
    Table t(*db, "CarHar");
    t.open();
    EXPECT_EQ(t.recordCount(), 5);
}
