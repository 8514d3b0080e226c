#include "store/AppError.h"
#include "store/LocalQuery.h"
#include "store/Table.h"
#include "support/ErrorText.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <unistd.h>

TEST(Connection, MissingDirectoryOrDatabaseIsNamedAndNothingIsCreated)
{
    StoreFixture fx;
    const QString missing = fx.path("yok");
    EXPECT_TRUE(messageOf([&] { Connection c(*fx.session, missing); }).contains(missing));
    EXPECT_FALSE(QFileInfo::exists(missing));

    const QString empty = fx.path("bos");
    QDir().mkpath(empty);
    EXPECT_TRUE(messageOf([&] { Connection c(*fx.session, empty); }).contains("bulunamadı"));
    EXPECT_TRUE(QDir(empty).isEmpty());
}

TEST(Connection, FileThatIsNotADatabaseIsRefusedAndLeftAlone)
{
    if (TestDatabase::wanted()) GTEST_SKIP() << "a database file's own case";
    StoreFixture fx;
    const QString file = fx.path(Connection::kDatabaseFile);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    const QByteArray junk(4096, 'x');
    f.write(junk);
    f.close();
    const QString message = messageOf([&] { Connection c(*fx.session, fx.path()); });
    EXPECT_TRUE(message.contains("bozuk")) << message.toStdString();
    QFile again(file);
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), junk);
    // The caller can go on: a good directory opens afterwards.
    StoreFixture good;
    auto db = good.connect();
    db->createTable(sampleTableDef());
    Table t(*db, "Kart");
    EXPECT_NO_THROW(t.open());
}

TEST(Connection, MissingTableAndTwoConnectionsAtOnce)
{
    StoreFixture fx;
    auto first = fx.connect();
    first->createTable(sampleTableDef());
    QTemporaryDir otherDir;
    Connection second(*fx.session, otherDir.path(), Connection::OpenMode::CreateIfMissing);
    second.createTable(sampleTableDef("Sirket"));
    EXPECT_NE(first->name(), second.name());

    Table missing(*first, "Sirket");
    EXPECT_TRUE(messageOf([&] { missing.open(); }).contains("Sirket"));
    Table a(*first, "Kart");
    Table b(second, "Sirket");
    a.open();
    b.open();
    EXPECT_TRUE(a.isOpen() && b.isOpen());
    EXPECT_EQ(first->tableNames(), QStringList({"Kart"}));
}

TEST(Connection, ReadOnlyDirectoryGivesAClearErrorAndKeepsTheData)
{
    if (TestDatabase::wanted()) GTEST_SKIP() << "a database file's own case";
    if (geteuid() == 0) {
        // Permissions do not bind the superuser: run this test again as an ordinary user.
        const QString setpriv = QStandardPaths::findExecutable("setpriv");
        if (setpriv.isEmpty()) GTEST_SKIP() << "running as root without setpriv";
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", "/tmp");
        env.insert("HOME", "/tmp");
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(setpriv,
                    {"--reuid=65534", "--regid=65534", "--clear-groups",
                     QCoreApplication::applicationFilePath(),
                     "--gtest_filter=Connection.ReadOnlyDirectoryGivesAClearErrorAndKeepsTheData"});
        ASSERT_TRUE(child.waitForFinished(60000));
        const QString output = QString::fromUtf8(child.readAll());
        if (!output.contains("[ RUN      ]"))
            GTEST_SKIP() << "could not run as an ordinary user: " << output.toStdString();
        EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
        return;
    }
    StoreFixture fx;
    {
        auto db = fx.connect();
        db->createTable(sampleTableDef());
    }
    QFile::setPermissions(fx.path(), QFile::ReadOwner | QFile::ExeOwner);
    {
        Connection db(*fx.session, fx.path());
        Table t(db, "Kart");
        t.open();
        t.append();
        t["Tarih"] = "01.01.2005";
        EXPECT_TRUE(messageOf([&] { t.post(); }).contains("yazılamıyor"));
    }
    QFile::setPermissions(fx.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(StoreSession, PrivateDirectoriesOfLiveProgramsSurviveCleaning)
{
    QTemporaryDir root;
    auto alive = std::make_unique<StoreSession>(root.path());
    const QString aliveDir = alive->privateDirectory();
    // A directory left by a program that died: its lock names a process that no longer runs.
    const QString deadDir = QDir(root.path()).filePath("dulvet-999999-dead");
    QDir().mkpath(deadDir);
    {
        QFile lock(deadDir + ".lock");
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
        lock.write("999999\ndulvet\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    }
    StoreSession second(root.path());
    EXPECT_TRUE(QFileInfo::exists(aliveDir));
    EXPECT_FALSE(QFileInfo::exists(deadDir));
    EXPECT_NE(second.privateDirectory(), aliveDir);
    alive.reset();
    EXPECT_FALSE(QFileInfo::exists(aliveDir));
}

TEST(StoreSession, QueryResultsLiveInThePrivateDirectory)
{
    StoreFixture fx;
    auto db = fx.connect();
    db->createTable(sampleTableDef());
    LocalQuery q(*db, "select count(*) from Kart");
    q.open();
    EXPECT_EQ(q.field(0).asInteger(), 0);
    // On a server they live in the session's own temporary schema, which nobody else sees.
    if (db->onServer())
        EXPECT_EQ(db->workSchema(), "pg_temp");
    else
        EXPECT_TRUE(
            QFileInfo::exists(QDir(fx.session->privateDirectory()).filePath(db->name() + ".db")));
}
