#include "app/AccessConfig.h"
#include "app/CommandTree.h"
#include "app/InstanceLock.h"
#include "store/AppError.h"
#include "support/QtPrinters.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

AccessRights rights(std::initializer_list<int> flags)
{
    AccessRights r;
    for (int f : flags)
        r.set(size_t(f));
    return r;
}

AccessConfig sample()
{
    AccessConfig c;
    c.protection = true;
    c.generalPassword = "genel";
    c.userPasswords = {"ali", "genel", "ortak", "ortak"};
    c.userRights = {rights({10, 11}), rights({13}), rights({14}), rights({15})};
    return c;
}

ModuleFlags flagsOf(std::initializer_list<const char*> on)
{
    QStringList list;
    for (const char* f : on)
        list << f;
    return [list](const QString& field) {
        return list.contains(field) ? QStringLiteral("E") : QStringLiteral("H");
    };
}

QStringList captions(const std::vector<CommandNode>& nodes)
{
    QStringList list;
    for (const CommandNode& n : nodes)
        list << n.caption;
    return list;
}

} // namespace

TEST(AccessConfig, MatchOrderLaterMatchesWin)
{
    const AccessConfig c = AccessConfig::fromBytes(sample().toBytes()); // through the file layout
    EXPECT_TRUE(c.protection);
    EXPECT_EQ(c.match("4729"), allRights());
    EXPECT_EQ(c.match("ali"), rights({10, 11}));
    EXPECT_EQ(c.match("genel"), rights({13})); // user 2's password equals the general one
    EXPECT_EQ(c.match("ortak"), rights({15})); // two users: the higher-numbered wins
    EXPECT_FALSE(c.match("Ali").has_value());  // case-sensitive
    EXPECT_FALSE(c.match("").has_value());

    AccessConfig empty4 = sample();
    empty4.userPasswords[3] = "";
    EXPECT_EQ(AccessConfig::fromBytes(empty4.toBytes()).match(""), rights({15}));
}

TEST(AccessConfig, FileLayoutAndDamagedFiles)
{
    const QByteArray bytes = sample().toBytes();
    ASSERT_EQ(bytes.size(), 440);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[373], 5);
    EXPECT_EQ(bytes.mid(374, 5), QByteArray("genel"));
    EXPECT_EQ(bytes[265 + 9], 1);  // user 1, right 10
    EXPECT_EQ(bytes[346 + 14], 1); // user 4, right 15

    QTemporaryDir dir;
    EXPECT_FALSE(AccessConfig::read(dir.filePath("Cnf.HDB")).protection); // missing: off
    QByteArray damaged = bytes;
    damaged[373] = char(200); // a length far beyond the field
    damaged[417] = char(255);
    const AccessConfig c = AccessConfig::fromBytes(damaged);
    EXPECT_EQ(c.generalPassword.size(), 10);
    EXPECT_EQ(c.userPasswords[3].size(), 10); // clamped: never read past the record
    EXPECT_FALSE(AccessConfig::fromBytes(bytes.left(300)).protection);
    sample().write(dir.filePath("Cnf.HDB"));
    EXPECT_EQ(AccessConfig::read(dir.filePath("Cnf.HDB")).match("ali"), rights({10, 11}));

    // A password the code page cannot hold is refused, and the file written before stays.
    AccessConfig greek = sample();
    greek.userPasswords[1] = QStringLiteral("şifreΩ");
    EXPECT_THROW(greek.write(dir.filePath("Cnf.HDB")), AppError);
    EXPECT_THROW(greek.toBytes(), AppError);
    EXPECT_EQ(AccessConfig::read(dir.filePath("Cnf.HDB")).match("ali"), rights({10, 11}));
    AccessConfig turkish = sample();
    turkish.userPasswords[1] = QStringLiteral("ğüşıöçİ");
    turkish.write(dir.filePath("Cnf.HDB"));
    EXPECT_EQ(AccessConfig::read(dir.filePath("Cnf.HDB")).userPasswords[1], "ğüşıöçİ");
}

TEST(CommandTree, BranchesGroupsAndLeavesFollowFlagsAndRights)
{
    const auto all = buildCommandTree(
        flagsOf({"STOK", "CARI", "FATURA", "CEKSENET", "SIPARIS", "KASA", "NAKLIYE"}), allRights());
    EXPECT_EQ(captions(all), QStringList({"SİPARİŞ", "FATURA", "KREDİLİ ALIŞ-SATIŞ", "CARİ", "STOK",
                                          "ÇEK SENET", "KASA"}));
    const CommandNode& stok = all[4];
    EXPECT_EQ(captions(stok.children), QStringList({"Kartlar", "Hareketler", "Raporlar"}));
    EXPECT_EQ(stok.children[2].children[1].caption, "Etiket basımı");
    EXPECT_EQ(stok.children[2].children[1].code, 3308);
    EXPECT_EQ(stok.children[2].children[2].code, 3302);
    EXPECT_EQ(all[1].children[0].children.front().code, 1203);
    EXPECT_EQ(all[0].image, 23);
    EXPECT_EQ(stok.children[0].image, 5);
    EXPECT_EQ(stok.code, -1);

    // Flag 5 without 28, 29, 30: an empty "Hareketler" under "FATURA".
    const auto invoices = buildCommandTree(flagsOf({"FATURA"}), rights({5}));
    ASSERT_EQ(invoices.size(), 1u);
    ASSERT_EQ(invoices[0].children.size(), 1u);
    EXPECT_EQ(invoices[0].children[0].caption, "Hareketler");
    EXPECT_TRUE(invoices[0].children[0].children.empty());
    const auto sales = buildCommandTree(flagsOf({"FATURA"}), rights({5, 29}));
    EXPECT_EQ(sales[0].children[0].children.size(), 1u);
    EXPECT_EQ(sales[0].children[0].children[0].caption, "Satış faturası");

    EXPECT_TRUE(buildCommandTree(flagsOf({}), allRights()).empty());
    EXPECT_TRUE(buildCommandTree(flagsOf({"URETIM", "KATALOG", "TAKSITLI"}), allRights()).empty());
    EXPECT_EQ(commandCaption(2101), "Cari kartlar");
    EXPECT_EQ(commandCaption(9999), "");
}

TEST(InstanceLock, OneInstancePerNameAndStaleLocksDoNotBlock)
{
    {
        InstanceLock first("ORSİL_DULVET_test");
        EXPECT_TRUE(first.acquired());
        InstanceLock other("BASKA_KURULUM_test");
        EXPECT_TRUE(other.acquired());
    }
    // A lock left by a process that is gone.
    const QString path = InstanceLock::lockPath("KALAN_test");
    QFile stale(path);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("999999\ndulvet\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    InstanceLock after("KALAN_test");
    EXPECT_TRUE(after.acquired());
}
