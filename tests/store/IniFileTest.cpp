#include "store/IniFile.h"
#include "store/AppError.h"
#include "store/InstallSettings.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(IniFile, TurkishTextRoundTripsInCodePage1254)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Ayar.ini");
    IniFile ini(path);
    ini.writeString("AYAR", "TL", "Türk Lirası ĞÜŞİÖÇ ğüşıöç");
    const QByteArray bytes = readBytes(path);
    EXPECT_TRUE(
        bytes.contains("T\xFCrk Liras\xFD \xD0\xDC\xDE\xDD\xD6\xC7 \xF0\xFC\xFE\xFD\xF6\xE7"));
    EXPECT_EQ(IniFile(path).readString("ayar", "tl"), "Türk Lirası ĞÜŞİÖÇ ğüşıöç");
}

TEST(IniFile, MissingOrUnreadableValuesGiveTheDefaultAndKeepTheRest)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Users.ini");
    writeBytes(path, "\x01\x02 garbage line\r\n"
                     "[SERVER]\r\n"
                     "no equals sign here\r\n"
                     "XP=abc\r\n"
                     "KAGIT=1\r\n"
                     "MEM=bad\x81"
                     "byte\r\n"
                     "ANA=/veri/\r\n"
                     "[FATURA]\r\n"
                     "SATISNO=12.5x\r\n");
    InstallSettings settings(dir.path());
    EXPECT_EQ(settings.xp(), 0);               // wrong kind
    EXPECT_EQ(settings.kagit(), 1);            // kept
    EXPECT_EQ(settings.mem(), "ORSİL_DULVET"); // unknown code page byte
    EXPECT_EQ(settings.ana(), "/veri/");
    EXPECT_EQ(settings.satisNo(), 0);
    EXPECT_EQ(settings.caril(), 1);     // missing key
    EXPECT_EQ(settings.planVade(), 30); // missing section

    QTemporaryDir empty;
    InstallSettings none(empty.path()); // missing file
    EXPECT_TRUE(none.ana().isEmpty());
    EXPECT_EQ(none.dataDirectory(), empty.path());
    EXPECT_EQ(none.stokMiktarFormat(), "#,##0");
    EXPECT_EQ(none.klt(), "c:\\windows\\temp\\");
    EXPECT_FALSE(none.privateRoot().contains('\\'));
}

TEST(IniFile, WritingKeepsCommentsUnknownKeysAndLineLayout)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Users.ini");
    const QByteArray original = "; installation settings\n"
                                "[SERVER]\n"
                                "ANA=/veri/\n"
                                "ESKI=1\n"
                                "\n"
                                "[BILINMEYEN]\n"
                                "X=y\n";
    writeBytes(path, original);
    IniFile ini(path);
    ini.writeInteger("server", "xp", 1);
    ini.writeString("SERVER", "ANA", "/yeni/");
    ini.writeString("MAKRO", "mnuA", "Sayın müşterimiz");
    EXPECT_EQ(readBytes(path), QByteArray("; installation settings\n"
                                          "[SERVER]\n"
                                          "ANA=/yeni/\n"
                                          "ESKI=1\n"
                                          "xp=1\n"
                                          "\n"
                                          "[BILINMEYEN]\n"
                                          "X=y\n"
                                          "\n"
                                          "[MAKRO]\n"
                                          "mnuA=Say\xFDn m\xFC\xFEterimiz\n"));
    ini.removeKey("SERVER", "ESKI");
    EXPECT_FALSE(IniFile(path).hasKey("SERVER", "ESKI"));
    EXPECT_EQ(IniFile(path).keys("server"), QStringList({"ANA", "xp"}));
}

TEST(IniFile, AWriteThatFailsLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sub/Ayar.ini");
    IniFile ini(path); // its directory does not exist: nothing can be written
    EXPECT_THROW(ini.writeString("AYAR", "TL", "TL"), AppError);
    EXPECT_FALSE(QFile::exists(path));

    // Another program's change made meanwhile survives our write.
    const QString shared = dir.filePath("Users.ini");
    IniFile first(shared);
    IniFile second(shared);
    first.writeString("SERVER", "A", "1");
    second.writeString("SERVER", "B", "2");
    EXPECT_EQ(IniFile(shared).readString("SERVER", "A"), "1");
    EXPECT_EQ(IniFile(shared).readString("SERVER", "B"), "2");
}

TEST(Paths, JoinWithOrWithoutSeparator)
{
    EXPECT_EQ(joinPath("/veri/", "ABC"), "/veri/ABC");
    EXPECT_EQ(joinPath("/veri", "ABC"), "/veri/ABC");
    EXPECT_EQ(joinPath("c:\\veri\\", "ABC"), "c:\\veri/ABC");
    EXPECT_EQ(joinPath("", "ABC"), "ABC");
    EXPECT_EQ(programDirectory("/tmp/kurulum"), "/tmp/kurulum");
}
