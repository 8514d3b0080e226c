#include "store/Installation.h"
#include "store/AppError.h"
#include "support/FailingWrites.h"
#include "support/Installation.h"

#include <QDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

std::string messageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const AppError& e) {
        return (e.message() + " | " + e.detail()).toStdString();
    }
    return "no error";
}

} // namespace

TEST(CompanyCreation, AFailedMkdirNamesItsCauseNotAnExistingDirectory)
{
    TestInstallation t;
    const QString data = t.install.dataDirectory();
    // The data directory goes away under the running program (a removed share, say).
    const QString moved = t.dir.filePath("tasindi");
    ASSERT_TRUE(QDir().rename(data, moved));
    const std::string missing = messageOf([&] { t.createCompany(NewCompany{"ABC", "Deneme"}); });
    ASSERT_TRUE(QDir().rename(moved, data));
    EXPECT_NE(missing.find("Şirket dizini oluşturulamadı"), std::string::npos) << missing;
    EXPECT_NE(missing.find("Veri dizini bulunamadı"), std::string::npos) << missing;

    if (::geteuid() != 0) { // root writes anywhere
        QFile::setPermissions(data, QFile::ReadOwner | QFile::ExeOwner);
        const std::string denied = messageOf([&] { t.createCompany(NewCompany{"ABC", "Deneme"}); });
        QFile::setPermissions(data, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_NE(denied.find("yazma izniniz yok"), std::string::npos) << denied;
    }

    ASSERT_TRUE(QDir().mkdir(t.install.companyDirectory("ABC")));
    const std::string exists = messageOf([&] { t.createCompany(NewCompany{"ABC", "Deneme"}); });
    EXPECT_NE(exists.find("önceden kayıt edilmiş dizin var"), std::string::npos) << exists;
}

TEST(CompanyCreation, AFailureAfterTheDirectoryWasMadeRemovesItSoTheCodeStaysFree)
{
    TestInstallation t;
    FailingWrites failing(t.global->connection(), "Sirket", "INSERT");
    EXPECT_THROW(t.createCompany(NewCompany{"ABC", "Deneme"}), AppError);
    EXPECT_FALSE(QFileInfo::exists(t.install.companyDirectory("ABC")));
    EXPECT_FALSE(t.global->CompanyCodeExists("ABC"));

    failing.stop();
    t.createCompany(NewCompany{"ABC", "Deneme"});
    EXPECT_TRUE(QFileInfo::exists(t.install.companyDirectory("ABC") + "/Ayar.ini"));
    EXPECT_TRUE(t.global->CompanyCodeExists("ABC"));
}
