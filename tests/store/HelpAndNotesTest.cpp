#include "store/AppError.h"
#include "store/Cp1254.h"
#include "store/HelpText.h"
#include "store/NotesFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

TEST(HelpText, LinesShowWithoutTheirKeyAndGarbageIsLeftOut)
{
    const QByteArray file = Cp1254::encode(QStringLiteral("; yorum\r\n"
                                                          "[frmCarKart]\r\n"
                                                          "01=Cari kartlar: müşteri ve satıcı\r\n"
                                                          "001=üç harfli anahtar\r\n"
                                                          "eşittir yok\r\n"
                                                          "; 02=yorum\r\n"
                                                          "02=\r\n"
                                                          "[FRMSTKART]\r\n"
                                                          "01=Stok\r\n")) +
                            "03=bad \x81 byte\r\n";
    EXPECT_EQ(HelpLines(file, "frmCarKart"),
              QStringList({"Cari kartlar: müşteri ve satıcı", "=üç harfli anahtar", ""}));
    // Sections match without regard to case; a byte the code page lacks drops its line.
    EXPECT_EQ(HelpLines(file, "frmStKart"), QStringList({"Stok"}));
    EXPECT_TRUE(HelpLines(file, "frmYok").isEmpty());
    EXPECT_TRUE(HelpLines(QByteArray("\x00\xff garbage", 10), "frmCarKart").isEmpty());
}

TEST(HelpText, TheStarterHelpIsInstalledOnceInItsCodePage)
{
    QTemporaryDir dir;
    installStarterHelp(dir.path());
    QFile file(dir.filePath("Yardim.hl1"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(Cp1254::decode(bytes).has_value());
    EXPECT_TRUE(bytes.contains("\r\n"));
    const QStringList main = HelpLinesFor(dir.path(), "frmAnaMenu");
    ASSERT_FALSE(main.isEmpty());
    EXPECT_TRUE(main.front().startsWith("Ana menü"));
    EXPECT_FALSE(HelpLinesFor(dir.path(), "frmCarKart").isEmpty());
    // An edited file stays.
    file.close();
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Cp1254::encode(QStringLiteral("[frmAnaMenu]\r\n01=Kendi yardımım\r\n")));
    file.close();
    installStarterHelp(dir.path());
    EXPECT_EQ(HelpLinesFor(dir.path(), "frmAnaMenu"), QStringList({"Kendi yardımım"}));
    EXPECT_TRUE(HelpLinesFor(dir.filePath("yok"), "frmAnaMenu").isEmpty());
}

TEST(NotesFile, RoundTripAndFailedWritesKeepTheOldNotes)
{
    QTemporaryDir dir;
    EXPECT_EQ(readNotes(dir.path()), QString());
    const QString text = QStringLiteral("Çarşamba: Şükrü Bey'e ödeme\nİğdır şubesi ğüşıöç\n");
    writeNotes(dir.path(), text);
    EXPECT_EQ(readNotes(dir.path()), text);
    if (geteuid() != 0) { // root writes anywhere
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_THROW(writeNotes(dir.path(), QStringLiteral("yeni")), AppError);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_EQ(readNotes(dir.path()), text);
    }
    EXPECT_THROW(writeNotes(dir.filePath("yok/alt"), QStringLiteral("x")), AppError);
}
