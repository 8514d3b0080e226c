#include "store/Table.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "support/TempDir.h"

#include <QDate>
#include <gtest/gtest.h>

namespace {

class TableTest : public ::testing::Test {
protected:
    StoreFixture fx;
    std::unique_ptr<Connection> db;

    void SetUp() override
    {
        db = fx.connect();
        db->createTable(sampleTableDef());
    }

    void add(Table& t, const QString& kodu, const QString& unvani = QString(),
             QDate tarih = QDate(2005, 1, 1), double tutar = 0)
    {
        t.append();
        t["Kodu"] = kodu;
        t["Unvani"] = unvani;
        t["Tarih"] = tarih;
        t["Tutar"] = tutar;
        t.post();
    }

    static QStringList walk(Table& t, const char* field = "Kodu")
    {
        QStringList seen;
        for (t.first(); !t.eof(); t.next())
            seen << t[field].asString();
        return seen;
    }

    static QStringList walkBack(Table& t, const char* field = "Kodu")
    {
        QStringList seen;
        for (t.last(); !t.bof(); t.prior())
            seen.prepend(t[field].asString());
        return seen;
    }
};

} // namespace

TEST_F(TableTest, EmptyTableIsBothBofAndEof)
{
    Table t(*db, "Kart");
    t.open();
    EXPECT_TRUE(t.isEmpty());
    EXPECT_TRUE(t.bof());
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(t.recordCount(), 0);
    EXPECT_EQ(t.recNo(), 0);
    t.next();
    t.prior();
    t.last();
    EXPECT_TRUE(t.isEmpty());
    EXPECT_TRUE(t["Kodu"].isNull());
    EXPECT_THROW(t.edit(), AppError);
    EXPECT_THROW(t.remove(), AppError);
}

TEST_F(TableTest, NavigatesAcrossManyWindowsBothWays)
{
    Table t(*db, "Kart");
    t.open();
    {
        CommandTransaction tx(*db);
        for (int i = 0; i < 200; ++i)
            add(t, QStringLiteral("K%1").arg(i, 3, 10, QLatin1Char('0')));
        tx.commit();
    }
    t.setIndexName("Kod_1");
    const QStringList forward = walk(t);
    ASSERT_EQ(forward.size(), 200);
    EXPECT_EQ(forward.front(), "K000");
    EXPECT_EQ(forward.back(), "K199");
    EXPECT_TRUE(std::is_sorted(forward.begin(), forward.end()));
    EXPECT_EQ(walkBack(t), forward);

    t.first();
    EXPECT_EQ(t.recNo(), 1);
    EXPECT_EQ(t.moveBy(70), 70);
    EXPECT_EQ(t["Kodu"].asString(), "K070");
    EXPECT_EQ(t.recNo(), 71);
    t.setRecNo(150);
    EXPECT_EQ(t["Kodu"].asString(), "K149");
    t.refresh();
    EXPECT_EQ(t.recNo(), 150); // computed afresh after the cache was dropped
    t.last();
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(t.recNo(), 200);
    t.next();
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(t["Kodu"].asString(), "K199"); // stays on the last record
    t.first();
    t.prior();
    EXPECT_TRUE(t.bof());
    EXPECT_EQ(t["Kodu"].asString(), "K000");
}

TEST_F(TableTest, OrdersTurkishTitlesAndKeepsEntryOrderOfEqualKeys)
{
    Table t(*db, "Kart");
    t.open();
    const QStringList titles = {"dam",   "çelik", "cem",  "inci", "ılgaz",
                                "hasan", "Ilık",  "İnce", "CEM"};
    int n = 0;
    for (const QString& title : titles)
        add(t, QString::number(++n), title);
    t.setIndexName("Kod_3");
    EXPECT_EQ(walk(t, "Unvani"), QStringList({"cem", "CEM", "çelik", "dam", "hasan", "ılgaz",
                                              "Ilık", "İnce", "inci"}));
    EXPECT_EQ(walkBack(t, "Unvani"), walk(t, "Unvani"));
    // A search in capitals finds the title stored in small letters, the first of equal keys.
    ASSERT_TRUE(t.findKey({"CEM"}));
    EXPECT_EQ(t["Unvani"].asString(), "cem");
    ASSERT_TRUE(t.findKey({"ILGAZ"}));
    EXPECT_EQ(t["Unvani"].asString(), "ılgaz");
    EXPECT_FALSE(t.findKey({"ILGA"}));
    EXPECT_EQ(t["Unvani"].asString(), "ılgaz"); // a failed search does not move
    t.findNearest({"d"});
    EXPECT_EQ(t["Unvani"].asString(), "dam");
    t.findNearest({"zzz"});
    EXPECT_EQ(t["Unvani"].asString(), "inci");
}

TEST_F(TableTest, CompositeIndexWithBlankKeysLosesNoRecord)
{
    Table t(*db, "Kart");
    t.open();
    add(t, "B", "", QDate(2005, 3, 1));
    add(t, "", "", QDate(2005, 3, 1)); // blank code sorts first within its date
    add(t, "A", "", QDate(2005, 2, 1));
    add(t, "A", "", QDate(2005, 3, 1));
    t.setIndexName("Kod_2");
    EXPECT_EQ(walk(t), QStringList({"A", "", "A", "B"}));
    EXPECT_EQ(walkBack(t), QStringList({"A", "", "A", "B"}));
    ASSERT_TRUE(t.findKey({QDate(2005, 3, 1), "b"}));
    EXPECT_EQ(t["Kodu"].asString(), "B");
    ASSERT_TRUE(t.findKey({"01.03.2005"}));
    EXPECT_EQ(t["Kodu"].asString(), "");
}

TEST_F(TableTest, LongRunsOfEqualKeysKeepEntryOrderAcrossWindows)
{
    Table t(*db, "Kart");
    t.open();
    struct Row {
        QDate date;
        QString code;
        qint64 id;
    };
    std::vector<Row> rows;
    {
        CommandTransaction tx(*db);
        for (int i = 0; i < 300; ++i) {
            const QDate date(2005, 1, 1 + (i * 7) % 3);
            const QString code = i % 5 == 0 ? QString() : (i % 2 ? "x" : "X");
            add(t, code, QString::number(i), date);
            rows.push_back({date, code.toLower(), t.currentId()});
        }
        tx.commit();
    }
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        return std::tie(a.date, a.code) < std::tie(b.date, b.code);
    });
    t.setIndexName("Kod_2");
    std::vector<qint64> forward, backward;
    for (t.first(); !t.eof(); t.next())
        forward.push_back(t.currentId());
    for (t.last(); !t.bof(); t.prior())
        backward.insert(backward.begin(), t.currentId());
    std::vector<qint64> expected;
    for (const Row& r : rows)
        expected.push_back(r.id);
    EXPECT_EQ(forward, expected);
    EXPECT_EQ(backward, expected);
    t.setRecNo(137);
    EXPECT_EQ(t.currentId(), expected[136]);
    t.refresh();
    EXPECT_EQ(t.recNo(), 137);
    // Find key lands on the first record of a run of equal keys.
    const auto firstOfRun = std::find_if(rows.begin(), rows.end(), [](const Row& r) {
        return r.date == QDate(2005, 1, 2) && r.code == "x";
    });
    ASSERT_TRUE(t.findKey({QDate(2005, 1, 2), "X"}));
    EXPECT_EQ(t.currentId(), firstOfRun->id);
    t.next();
    EXPECT_EQ(t.currentId(), std::next(firstOfRun)->id);
}

TEST_F(TableTest, LocateIsExactAndLookupDoesNotMove)
{
    Table t(*db, "Kart");
    t.open();
    add(t, "abc", "küçük");
    add(t, "ABC", "büyük");
    add(t, "O'NEIL", "tırnaklı");
    t.first();
    ASSERT_TRUE(t.locate("Kodu", "ABC"));
    EXPECT_EQ(t["Unvani"].asString(), "büyük");
    ASSERT_TRUE(t.locate("kodu", "abc")); // field names are matched without regard to case
    EXPECT_EQ(t["Unvani"].asString(), "küçük");
    EXPECT_FALSE(t.locate("Kodu", "Abc"));
    ASSERT_TRUE(t.locate("Kodu", "O'NEIL"));
    EXPECT_EQ(t.lookup("Kodu", "ABC", "Unvani").toString(), "büyük");
    EXPECT_EQ(t["Kodu"].asString(), "O'NEIL");
    EXPECT_TRUE(t.lookup("Kodu", "yok", "Unvani").isNull());
    EXPECT_THROW(t.locate("Yok", "x"), AppError);
}

TEST_F(TableTest, FiltersWithEveryOperatorAndQuotedCodes)
{
    Table t(*db, "Kart");
    t.open();
    add(t, "A1", "", QDate(2005, 1, 10), 5);
    add(t, "O'NEIL", "", QDate(2005, 2, 10), 10);
    add(t, "100%", "", QDate(2005, 3, 10), 15);
    add(t, "ç1", "", QDate(2005, 4, 10), 20);
    t.setIndexName("Kod_1");
    const auto count = [&](const QString& filter) {
        t.setFilter(filter);
        t.setFiltered(true);
        const qint64 n = t.recordCount();
        EXPECT_EQ(walk(t).size(), n) << filter.toStdString();
        t.setFiltered(false);
        return n;
    };
    EXPECT_EQ(count("Tutar = 10"), 1);
    EXPECT_EQ(count("Tutar <> 10"), 3);
    EXPECT_EQ(count("Tutar < 10"), 1);
    EXPECT_EQ(count("Tutar <= 10"), 2);
    EXPECT_EQ(count("Tutar > 10"), 2);
    EXPECT_EQ(count("Tutar >= 10"), 3);
    EXPECT_EQ(count("Kodu = 'O''NEIL'"), 1);
    EXPECT_EQ(count("Kodu = '100%'"), 1);
    EXPECT_EQ(count("Kodu = 'a1'"), 1);                 // texts compare without regard to case
    EXPECT_EQ(count("Kodu >= 'C' and Kodu <= 'D'"), 1); // Ç lies between C and D
    EXPECT_EQ(count("(Tutar = 5 or Tutar = 20) and Kodu <> 'A1'"), 1);
    EXPECT_EQ(count("Tarih >= '01.02.2005' and Tarih < 01.04.2005"), 2);
    EXPECT_EQ(count("Tarih > '03/01/2005'"), 2);
    EXPECT_EQ(count("Tarih > '2005-03-01'"), 2);
    EXPECT_EQ(count("Unvani = ''"), 4); // blank texts equal the empty text

    t.setFilter("Tutar >= 10");
    t.setFiltered(true);
    EXPECT_EQ(walk(t), QStringList({"100%", "ç1", "O'NEIL"}));
    EXPECT_FALSE(t.findKey({"A1"})); // searches see only what the filter passes
    EXPECT_EQ(t.recordCount(), 3);
    EXPECT_THROW(t.setFilter("Tutar >"), AppError);
    EXPECT_EQ(t.recordCount(), 3); // a refused filter leaves the old one working
    t.setFiltered(false);
    EXPECT_EQ(t.recordCount(), 4);
}

TEST_F(TableTest, PostChecksRequiredFieldsTruncatesAndNumbers)
{
    Table t(*db, "Kart");
    t.open();
    t.append();
    t["Kodu"] = "ÇOK UZUN BİR KOD";
    EXPECT_THROW(t.post(), AppError);           // Tarih is required
    EXPECT_EQ(t.state(), Table::State::Insert); // the buffer survives the refusal
    t["Tarih"] = "15.06.2006";
    t["Adet"] = "12";
    t.post();
    EXPECT_EQ(t["Kodu"].asString(), "ÇOK UZUN B");
    EXPECT_GT(t["Nosu"].asInteger(), 0);
    EXPECT_EQ(t["Tarih"].asDate(), QDate(2006, 6, 15));
    EXPECT_EQ(t["Adet"].asInteger(), 12);

    t.edit();
    EXPECT_THROW(t["Tarih"] = "31.02.2006", AppError);
    EXPECT_THROW(t["Adet"] = "on iki", AppError);
    EXPECT_THROW(t["Adet"] = 5e10, AppError);
    EXPECT_THROW(t["Nosu"] = 99, AppError);
    t["Tarih"] = QVariant();
    EXPECT_THROW(t.post(), AppError);
    t.cancel();
    EXPECT_EQ(t["Tarih"].asDate(), QDate(2006, 6, 15));
    EXPECT_THROW(t["Kodu"] = "x", AppError); // not in edit

    // Nosu keeps growing after a delete: a link to a deleted record never finds a new one.
    const int firstId = t["Nosu"].asInteger();
    t.remove();
    add(t, "Y");
    EXPECT_GT(t["Nosu"].asInteger(), firstId);
}

TEST_F(TableTest, DeletePositionsOnTheNextRecordOrThePriorAtTheEnd)
{
    Table t(*db, "Kart");
    t.open();
    for (const char* code : {"A", "B", "C"})
        add(t, code);
    t.setIndexName("Kod_1");
    t.first();
    t.next();
    t.remove();
    EXPECT_EQ(t["Kodu"].asString(), "C");
    t.remove();
    EXPECT_EQ(t["Kodu"].asString(), "A");
    EXPECT_TRUE(t.eof());
    t.remove();
    EXPECT_TRUE(t.isEmpty());
}

TEST_F(TableTest, CommandTransactionRollsBackEverything)
{
    Table t(*db, "Kart");
    t.open();
    add(t, "KALICI");
    try {
        CommandTransaction tx(*db);
        add(t, "GEÇİCİ1");
        add(t, "GEÇİCİ2");
        t.append();
        t["Kodu"] = "EKSİK";
        t.post(); // no Tarih: refused, and the command fails as a whole
        tx.commit();
        FAIL() << "post should have failed";
    } catch (const AppError&) {
    }
    t.cancel();
    t.refresh();
    EXPECT_EQ(walk(t), QStringList({"KALICI"}));
    EXPECT_EQ(t.recordCount(), 1);

    // Nested commands commit with the outer one only.
    {
        CommandTransaction outer(*db);
        {
            CommandTransaction inner(*db);
            add(t, "İÇ");
            inner.commit();
        }
        EXPECT_TRUE(db->inTransaction());
        outer.commit();
    }
    EXPECT_FALSE(db->inTransaction());
    EXPECT_EQ(t.recordCount(), 2);
}

TEST_F(TableTest, RefreshShowsWhatAnotherConnectionPosted)
{
    Table mine(*db, "Kart");
    mine.open();
    add(mine, "A");
    auto other = fx.connect(Connection::OpenMode::Existing);
    Table theirs(*other, "Kart");
    theirs.open();
    add(theirs, "B");
    mine.refresh();
    EXPECT_EQ(mine.recordCount(), 2);
    mine.setIndexName("Kod_1");
    EXPECT_EQ(walk(mine), QStringList({"A", "B"}));

    // The record under the cursor deleted elsewhere: a read moves to the one that follows.
    mine.first();
    theirs.setIndexName("Kod_1");
    theirs.first();
    theirs.remove();
    mine.refresh();
    EXPECT_EQ(mine["Kodu"].asString(), "B");
}

TEST_F(TableTest, ConcurrentEditOfOneRecordIsRefused)
{
    Table mine(*db, "Kart");
    mine.open();
    add(mine, "A", "ilk");
    auto other = fx.connect(Connection::OpenMode::Existing);
    Table theirs(*other, "Kart");
    theirs.open();

    mine.edit();
    theirs.edit();
    theirs["Unvani"] = "onların";
    theirs.post();
    mine["Unvani"] = "benim";
    EXPECT_THROW(mine.post(), AppError);
    mine.cancel();
    mine.refresh();
    EXPECT_EQ(mine["Unvani"].asString(), "onların");
    mine.edit(); // a fresh edit sees the new version and may post
    mine["Unvani"] = "benim";
    mine.post();
    theirs.refresh();
    EXPECT_EQ(theirs["Unvani"].asString(), "benim");

    mine.edit();
    theirs.remove();
    EXPECT_THROW(mine.post(), AppError);
    mine.cancel();

    // A record deleted elsewhere is not silently swapped for its neighbour when edited.
    add(mine, "B", "b");
    add(mine, "C", "c");
    mine.setIndexName("Kod_1");
    ASSERT_TRUE(mine.findKey({"B"}));
    theirs.refresh();
    ASSERT_TRUE(theirs.locate("Kodu", "B"));
    theirs.remove();
    EXPECT_THROW(mine.edit(), AppError);
    EXPECT_EQ(mine.state(), Table::State::Browse);
}

TEST_F(TableTest, ExclusiveOpenAndMasterPassword)
{
    Table shared(*db, "Kart");
    shared.open();
    Table exclusive(*db, "Kart");
    EXPECT_THROW(exclusive.open(true), AppError);
    shared.close();
    exclusive.open(true);
    EXPECT_THROW(shared.open(), AppError);
    db->protectTable(exclusive, "gizli");
    exclusive.close();

    fx.session->removePasswords();
    EXPECT_THROW(shared.open(), AppError);
    fx.session->addPassword("yanlış");
    EXPECT_THROW(shared.open(), AppError);
    fx.session->addPassword("gizli");
    shared.open();
    EXPECT_TRUE(shared.isOpen());
    EXPECT_THROW(db->protectTable(shared, "x"), AppError); // only when open exclusively
}

TEST_F(TableTest, IndexNamesBelongToTheirTable)
{
    db->createTable(sampleTableDef("Ikinci"));
    Table t(*db, "Ikinci");
    t.setIndexName("Kod_1");
    t.open();
    add(t, "B");
    add(t, "A");
    EXPECT_EQ(walk(t), QStringList({"A", "B"}));
    EXPECT_THROW(t.setIndexName("Yok_9"), AppError);
    EXPECT_THROW(db->createTable(sampleTableDef("Ikinci")), AppError);
}

TEST_F(TableTest, ACursorOfSomeFieldsReadsThemAndItsOrderAndNeverWrites)
{
    Table writer(*db, "Kart");
    writer.open();
    for (int i = 0; i < 300; ++i) // more rows than one window, in reverse code order
        add(writer, QStringLiteral("K%1").arg(999 - i), QStringLiteral("Ünvan %1").arg(i),
            QDate(2005, 1, 1).addDays(i), i * 1.5);

    Table report(*db, "Kart");
    report.setIndexName("Kod_1");
    report.setReadFields({"Tutar"});
    report.open();
    QStringList codes;
    double total = 0;
    for (report.first(); !report.eof(); report.next()) {
        codes << report["Kodu"].asString(); // the order's field is read
        total += report["Tutar"].asFloat();
        EXPECT_TRUE(report["Unvani"].asString().isEmpty()); // not asked for
        EXPECT_GT(report.currentId(), 0);
    }
    QStringList sorted = walk(writer);
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(codes, sorted); // every row once, in the order of the codes, across windows
    EXPECT_DOUBLE_EQ(total, 1.5 * 299 * 300 / 2);
    // Writing would put empty fields over real ones: refused.
    report.first();
    EXPECT_THROW(report.edit(), AppError);
    EXPECT_THROW(report.append(), AppError);
}

TEST_F(TableTest, CommandCursorsAppendManyEditAndDeleteByKey)
{
    Table t(*db, "Kart");
    t.open();
    add(t, "ÖNCE");
    const qint64 before = t.currentId();

    // 70 records go 32 + 32 + 4 + 2 to a statement on a server: every one arrives, in order,
    // with texts cut to size and keys above every earlier one.
    std::vector<qint64> keys;
    CommandTransaction::run(*db, [&] {
        keys = t.appendAll(70, [&](int i) {
            t["Kodu"] = QStringLiteral("K%1-UZUN-KOD").arg(i, 2, 10, QLatin1Char('0'));
            t["Tarih"] = QDate(2026, 1, 1).addDays(i);
            t["Tutar"] = i * 1.5;
        });
    });
    ASSERT_EQ(keys.size(), 70u);
    for (size_t i = 1; i < keys.size(); ++i)
        ASSERT_LT(keys[i - 1], keys[i]);
    EXPECT_GT(keys.front(), before);
    EXPECT_EQ(t.currentId(), keys.back()); // the cursor stands on the last
    EXPECT_EQ(t["Kodu"].asString(), "K69-UZUN-K");
    ASSERT_TRUE(t.gotoId(keys[40]));
    EXPECT_EQ(t["Kodu"].asString(), "K40-UZUN-K");
    EXPECT_EQ(t["Tarih"].asDate(), QDate(2026, 1, 1).addDays(40));
    EXPECT_DOUBLE_EQ(t["Tutar"].asFloat(), 60);
    add(t, "SONRA"); // the key generator went past the keys taken together
    EXPECT_GT(t.currentId(), keys.back());

    // A refused record leaves the whole command unwritten, the cursor usable.
    EXPECT_THROW(CommandTransaction::run(*db,
                                         [&] {
                                             t.appendAll(3, [&](int i) {
                                                 t["Kodu"] = "EKSİK";
                                                 if (i < 2) t["Tarih"] = QDate(2026, 2, 2);
                                             });
                                         }),
                 AppError);
    EXPECT_EQ(t.state(), Table::State::Browse);
    t.refresh();
    EXPECT_EQ(t.recordCount(), 72);
    EXPECT_TRUE(t.appendAll(0, [](int) {}).empty());

    // Edit by key: one read that finds (and on a server holds) the record; none for a key
    // that is not there.
    CommandTransaction::run(*db, [&] {
        EXPECT_FALSE(t.editId(999999));
        EXPECT_EQ(t.state(), Table::State::Browse);
        ASSERT_TRUE(t.editId(keys[5]));
        EXPECT_EQ(t.state(), Table::State::Edit);
        EXPECT_EQ(t["Kodu"].asString(), "K05-UZUN-K");
        t["Unvani"] = "düzeltildi";
        t.post();
    });
    ASSERT_TRUE(t.gotoId(keys[5]));
    EXPECT_EQ(t["Unvani"].asString(), "düzeltildi");
    EXPECT_EQ(db->scalar("SELECT \"_Surum\" FROM \"Kart\" WHERE \"Nosu\" = ?", {keys[5]}).toInt(),
              2);

    // Delete by key, standing anywhere; the cursor finds its place on the next read.
    ASSERT_TRUE(t.gotoId(keys[6]));
    EXPECT_TRUE(t.removeId(keys[6]));
    EXPECT_FALSE(t.removeId(keys[6]));
    EXPECT_NE(t.currentId(), keys[6]);
    EXPECT_FALSE(t.gotoId(keys[6]));
    EXPECT_EQ(t.recordCount(), 71);
}
