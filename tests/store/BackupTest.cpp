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

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
