#include "store/ServerSettings.h"
#include "store/AppError.h"
#include "store/IniFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ServerSettings, AConnectionStringOrTheKeys)
{
    QTemporaryDir dir;
    IniFile ini(dir.filePath("Users.ini"));
    // Books in files: nothing to connect to.
    EXPECT_FALSE(ServerSettings::read(ini));

    ini.writeString("SERVER", "PGSUNUCU",
                    "host=/run/postgresql port = 5433 dbname='defter ofis' user=muhasebe "
                    "sslmode=require application_name='d\\'v'");
    std::optional<ServerSettings> s = ServerSettings::read(ini);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->host, "/run/postgresql");
    EXPECT_EQ(s->port, 5433);
    EXPECT_EQ(s->database, "defter ofis");
    EXPECT_EQ(s->user, "muhasebe");
    EXPECT_EQ(s->options, "sslmode=require;application_name=d'v");

    ini.removeKey("SERVER", "PGSUNUCU");
    ini.writeStrings(
        "SERVER", {{"PGHOST", "sunucu.ofis"}, {"PGVERITABANI", "dulvet"}, {"PGKULLANICI", "ali"}});
    s = ServerSettings::read(ini);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->host, "sunucu.ofis");
    EXPECT_EQ(s->port, 5432);
    EXPECT_EQ(s->database, "dulvet");
}

TEST(ServerSettings, PasswordsAndMalformedStringsAreRefused)
{
    for (const char* bad :
         {"host=x dbname=d password=gizli", "host=x dbname", "dbname='açık",
          "host=x port=99999 dbname=d", "host=x port=abc dbname=d", "host=x", "=d"}) {
        EXPECT_THROW(ServerSettings::parse(QString::fromUtf8(bad)), AppError) << bad;
    }
    try {
        ServerSettings::parse("dbname=d PASSWORD=x");
        FAIL() << "a password was taken";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "Users.ini içinde sunucu parolası tutulmaz.");
    }
    QTemporaryDir dir;
    IniFile ini(dir.filePath("Users.ini"));
    ini.writeStrings("SERVER", {{"PGVERITABANI", "d"}, {"PGPAROLA", "gizli"}});
    EXPECT_THROW(ServerSettings::read(ini), AppError);
}
