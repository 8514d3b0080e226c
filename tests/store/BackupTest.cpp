#include "store/Backup.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/CompanySchema.h"
#include "store/DemoBooks.h"
#include "store/GlobalData.h"
#include "store/InstallSettings.h"
#include "store/Installation.h"
#include "store/StoreSession.h"
#include "support/Installation.h"
#include "support/QtPrinters.h"

#include "store/TurkishCollation.h"

#include <QDir>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

std::vector<SqlRow> allRows(Connection& db, const QString& table)
{
    return db.select(QStringLiteral("SELECT * FROM %1 ORDER BY \"Nosu\"").arg(sqlName(table)));
}

} // namespace

TEST(Backup, RestoredCompanyEqualsTheOriginalTableByTable)
{
    TestInstallation t;
    InstallSettings& install = t.install;
    StoreSession& session = t.session;
    GlobalData& global = *t.global;
    t.createCompany(NewCompany{"ABC", "Deneme Ltd."});
    {
        CompanyData company(session, install, "ABC");
        fillDemoBooks(company, DemoSize::small(), [](const QString&) {});
        // Another workstation keeps a connection open while the backup runs.
        const QString archive =
            backupCompanies(session, global, install, "ABC", defaultBackupDirectory(install));
        EXPECT_TRUE(QFileInfo(archive).fileName().startsWith("Yedek-ABC-"));
    }
    const auto backups = listBackups(defaultBackupDirectory(install));
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(backups[0].companies, QStringList({"ABC"}));

    EXPECT_THROW(restoreCompany(session, global, install, backups[0].path, "ABC", "ABC"), AppError);
    EXPECT_THROW(restoreCompany(session, global, install, backups[0].path, "ABC", "YENI", "YENI"),
                 AppError);
    EXPECT_THROW(restoreCompany(session, global, install, backups[0].path, "ABC", "../X"),
                 AppError);
    restoreCompany(session, global, install, backups[0].path, "ABC", "YENI");

    Connection original(session, install.companyDirectory("ABC"));
    Connection restored(session, install.companyDirectory("YENI"));
    for (const TableDef& def : companyTableDefs()) {
        const auto a = allRows(original, def.name);
        const auto b = allRows(restored, def.name);
        EXPECT_EQ(a, b) << def.name.toStdString();
    }
    EXPECT_EQ(CompanySettings::read(install.companyDirectory("YENI")).tlAyar, 1);
    global.sirket().refresh();
    ASSERT_TRUE(global.sirket().findKey({"YENI"}));
    EXPECT_EQ(global.sirket()["Aciklama"].asString(), "Deneme Ltd.");
    EXPECT_EQ(global.sirket()["Kutuk"].asString(), install.companyDirectory("YENI"));
    CompanyData opened(session, install, "YENI");
    EXPECT_GT(opened.table("Cari").recordCount(), 0);

    // The whole data directory in one archive.
    const QString whole =
        backupCompanies(session, global, install, QString(), defaultBackupDirectory(install));
    const BackupInfo info = readBackupInfo(whole);
    EXPECT_TRUE(info.whole);
    EXPECT_EQ(info.companies, QStringList({"ABC", "YENI"}));
    EXPECT_THROW(readBackupInfo(install.companyDirectory("ABC") + "/Ayar.ini"), AppError);
}

namespace {

// An installation with the small demo books in company ABC.
struct BackupFixture : ::testing::Test {
    TestInstallation t;
    void SetUp() override
    {
        t.createCompany(NewCompany{"ABC", "Deneme Ltd."});
        CompanyData company(t.session, t.install, "ABC");
        fillDemoBooks(company, DemoSize::small(), [](const QString&) {});
    }
    QString backup(const BackupLimits& limits = {})
    {
        return backupCompanies(t.session, *t.global, t.install, "ABC",
                               defaultBackupDirectory(t.install), limits);
    }
    // What the backup directory holds, hidden work directories included.
    QStringList backupDirectory() const
    {
        return QDir(defaultBackupDirectory(t.install))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    void expectSameTables(const QString& a, const QString& b)
    {
        Connection original(t.session, t.install.companyDirectory(a));
        Connection restored(t.session, t.install.companyDirectory(b));
        for (const TableDef& def : companyTableDefs())
            EXPECT_EQ(allRows(original, def.name), allRows(restored, def.name))
                << def.name.toStdString();
    }
};

} // namespace

TEST_F(BackupFixture, ADatabaseLargerThanTheArchivesLongestValueIsStoredInChunks)
{
    // On a server the archive holds the same database file, made from the server's tables.
    if (!t.session.server()) {
        const qint64 size = QFileInfo(t.install.companyDirectory("ABC") + "/dulvet.db").size();
        ASSERT_GT(size, 4 * 65536);
    }
    // The archive takes no value over 64 KiB: the database goes in 16 KiB chunks.
    const QString archive = backup({16384, 65536});
    restoreCompany(t.session, *t.global, t.install, archive, "ABC", "YENI");
    expectSameTables("ABC", "YENI");

    // A chunk the archive cannot take stops the backup; nothing is left behind.
    const QStringList before = backupDirectory();
    EXPECT_THROW(backup({131072, 65536}), AppError);
    EXPECT_EQ(backupDirectory(), before);
}

TEST_F(BackupFixture, ADamagedCompanyIsRefusedAndNoArchiveIsLeft)
{
    if (t.session.server()) GTEST_SKIP() << "a database file's own case";
    {
        // Rows written under a different order than the store's: the indexes on customer codes
        // and titles are out of order, as after a damaged write.
        sqlite3* db = nullptr;
        ASSERT_EQ(
            sqlite3_open(
                QFile::encodeName(t.install.companyDirectory("ABC") + "/dulvet.db").constData(),
                &db),
            SQLITE_OK);
        const auto reversed = [](void*, int a, const void* pa, int b, const void* pb) {
            const int n = std::memcmp(pa, pb, size_t(std::min(a, b)));
            return n != 0 ? -n : b - a;
        };
        for (const char* name : {TurkishCollation::kFolded, TurkishCollation::kCased})
            sqlite3_create_collation(db, name, SQLITE_UTF8, nullptr, reversed);
        ASSERT_EQ(sqlite3_exec(db,
                               "INSERT INTO \"Cari\" (\"CariNo\", \"Unvani\") "
                               "VALUES ('M1', 'Mmm'), ('C1', 'Ccc'), ('T1', 'Ttt')",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK)
            << sqlite3_errmsg(db);
        sqlite3_close(db);
    }
    try {
        backup();
        FAIL() << "a damaged company was backed up";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains("ABC veritabanı bozuk")) << e.what();
    }
    EXPECT_TRUE(backupDirectory().isEmpty()) << backupDirectory().join(' ').toStdString();
}

TEST_F(BackupFixture, AnArchiveWhoseContentWasChangedIsNotRestored)
{
    const QString archive = backup({16384, 0});
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(archive).constData(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, "UPDATE parcalar SET veri = zeroblob(16384) WHERE sira = 3",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
    }
    EXPECT_THROW(restoreCompany(t.session, *t.global, t.install, archive, "ABC", "YENI"), AppError);
    EXPECT_FALSE(QFileInfo::exists(t.install.companyDirectory("YENI")));
    EXPECT_FALSE(t.global->CompanyCodeExists("YENI"));
}

TEST_F(BackupFixture, ArchivesOfTheFirstFormWithWholeFilesStillRestore)
{
    if (t.session.server()) GTEST_SKIP() << "archives of the first form came from database files";
    const QString archive = defaultBackupDirectory(t.install) + "/Yedek-ABC-eski.dvy";
    ASSERT_TRUE(QDir().mkpath(defaultBackupDirectory(t.install)));
    {
        QFile source(t.install.companyDirectory("ABC") + "/dulvet.db");
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        const QByteArray bytes = source.readAll();
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(archive).constData(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db,
                               "CREATE TABLE bilgi (anahtar TEXT PRIMARY KEY, deger TEXT);"
                               "CREATE TABLE dosyalar (sirket TEXT, ad TEXT, veri BLOB);"
                               "CREATE TABLE sirketler (kod TEXT PRIMARY KEY, kayit TEXT);"
                               "INSERT INTO bilgi VALUES ('kapsam', 'sirket');"
                               "INSERT INTO sirketler VALUES ('ABC', '{\"Aciklama\":\"Eski\"}');",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO dosyalar VALUES ('ABC', 'dulvet.db', ?)", -1, &st,
                           nullptr);
        sqlite3_bind_blob(st, 1, bytes.constData(), int(bytes.size()), SQLITE_STATIC);
        EXPECT_EQ(sqlite3_step(st), SQLITE_DONE);
        sqlite3_finalize(st);
        sqlite3_close(db);
    }
    EXPECT_EQ(readBackupInfo(archive).companies, QStringList({"ABC"}));
    restoreCompany(t.session, *t.global, t.install, archive, "ABC", "ESKI");
    expectSameTables("ABC", "ESKI");
}
