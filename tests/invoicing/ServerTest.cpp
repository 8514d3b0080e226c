#include "customers/CustomerLedger.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/CompanyMove.h"
#include "store/CompanySchema.h"
#include "store/DatabaseCheck.h"
#include "store/DemoBooks.h"
#include "store/StoreCopy.h"
#include "support/ErrorText.h"
#include "support/Installation.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

CustomerMovement movement(qint64 customer, double borc)
{
    CustomerMovement m;
    m.tarih = QDate(2026, 5, 4);
    m.customerId = customer;
    m.borc = borc;
    return m;
}

} // namespace

// The server goes away in the middle of a command: the command fails with a message a user
// understands, nothing of it stays, and the next command finds the server again.
TEST(ServerLoss, ACommandCutOffLeavesNothingAndTheNextOneReconnects)
{
    if (!TestDatabase::wanted()) GTEST_SKIP() << "for a database server";
    TestCompany t;
    CompanyData& company = *t.company;
    const qint64 a = addCustomerCard(company, "A1", "Alıcı");
    CustomerLedger ledger(company);
    ledger.post(movement(a, 10));
    {
        CommandTransaction command(company.connection());
        ledger.post(movement(a, 20));
        t.database.cutConnections();
        EXPECT_TRUE(
            messageOf([&] { ledger.post(movement(a, 30)); }).contains("Sunucu bağlantısı koptu"));
        EXPECT_THROW(command.commit(), AppError);
    }
    // The next command reconnects; tables open again, with their open locks taken anew.
    ledger.post(movement(a, 40));
    Table cari(company.connection(), "Cari");
    EXPECT_NO_THROW(cari.open());
    EXPECT_EQ(company.connection()
                  .scalar("SELECT count(*) FROM \"CarHar\" WHERE \"CARef\" = ?", {a})
                  .toInt(),
              2);
    EXPECT_DOUBLE_EQ(ledger.balance(a).borc, 50);
    ASSERT_TRUE(cari.gotoId(a));
    EXPECT_DOUBLE_EQ(cari["BorcT"].asFloat(), 50);

    // Cut again outside any command: a read finds the server again by itself.
    t.database.cutConnections();
    EXPECT_EQ(company.connection().scalar("SELECT count(*) FROM \"Cari\"").toInt(), 1);
}

// A company's books move from their database file to the server and back: the same tables,
// records, keys and key counters on each side, checked table by table.
TEST(ServerMove, BooksMovedToTheServerAndBackAreTheSameTableByTable)
{
    if (!TestDatabase::wanted()) GTEST_SKIP() << "for a database server";
    TestInstallation files{TestInstallation::OnFiles{}};
    files.createCompany(NewCompany{"ABC", "Deneme Ltd."});
    {
        CompanyData company(files.session, files.install, "ABC");
        fillDemoBooks(company, DemoSize::small(), [](const QString&) {});
        // A key counter ahead of the last record: keys handed out are never handed out again.
        Table cari(company.connection(), "Cari");
        cari.open();
        cari.last();
        cari.remove();
        // Amounts that only add up exactly when stored exactly.
        company.connection().exec("UPDATE \"CarHar\" SET \"Borc\" = 0.1 + 0.2 WHERE \"Nosu\" = 1");
    }
    const ServerSettings server = *files.database.server();
    const QString directory = files.install.companyDirectory("ABC");
    moveCompanyBooks(files.install, server, "ABC", MoveDirection::ToServer);

    StoreSession onServer(files.dir.filePath("klt-sunucu"));
    onServer.addPassword(masterPassword());
    onServer.setServer(server, files.install.dataDirectory());
    {
        Connection file(files.session, directory);
        Connection there(onServer, directory);
        EXPECT_EQ(compareStores(file, there), QStringList());
        EXPECT_EQ(checkDirectory(onServer, directory, companyTableDefs()), QStringList());
        GlobalData global(onServer, files.install.dataDirectory());
        EXPECT_TRUE(global.CompanyCodeExists("ABC"));
    }
    // Moving it there a second time is refused and changes nothing.
    EXPECT_TRUE(messageOf([&] {
                    moveCompanyBooks(files.install, server, "ABC", MoveDirection::ToServer);
                }).contains("zaten var"));

    // And back into a directory whose file was put aside.
    const QString kept = files.dir.filePath("eski");
    QDir().mkpath(kept);
    ASSERT_TRUE(QFile::rename(directory + "/dulvet.db", kept + "/dulvet.db"));
    moveCompanyBooks(files.install, server, "ABC", MoveDirection::ToFiles);
    Connection original(files.session, kept);
    Connection back(files.session, directory);
    EXPECT_EQ(compareStores(original, back), QStringList());
    EXPECT_EQ(back.keySequence("Cari"), original.keySequence("Cari"));
}
