#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Result {
    int code;
    QString output;
};

Result admin(const QStringList& args)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(DULVET_ADMIN), args);
    process.waitForFinished(120000);
    return {process.exitCode(), QString::fromUtf8(process.readAll())};
}

} // namespace

TEST(Admin, InitCompanyDemoAndCheck)
{
    QTemporaryDir dir;
    const QString home = dir.filePath("kurulum");
    EXPECT_EQ(admin({"init", home}).code, 0);
    EXPECT_TRUE(QFile::exists(home + "/Users.ini"));
    EXPECT_EQ(admin({"init", home}).code, 0); // again: keeps what is there

    EXPECT_EQ(admin({"company", home, "abc", "Deneme Ltd."}).code, 0);
    const Result twice = admin({"company", home, "ABC", "Yine"});
    EXPECT_EQ(twice.code, 1);
    EXPECT_TRUE(twice.output.contains("Hata")) << twice.output.toStdString();

    const Result demo = admin({"demo", home, "ornek", "--size", "small"});
    EXPECT_EQ(demo.code, 0) << demo.output.toStdString();
    EXPECT_EQ(admin({"demo", home, "ORNEK", "--size", "small"}).code,
              1); // only into an empty company

    for (const char* format : {"pdf", "xls", "txt", "qrp"}) {
        const QString out = dir.filePath(QStringLiteral("liste.") + format);
        const Result report =
            admin({"report", home, "-", "9001", "--format", format, "--out", out});
        EXPECT_EQ(report.code, 0) << report.output.toStdString();
        EXPECT_GT(QFileInfo(out).size(), 0) << format;
    }
    EXPECT_EQ(
        admin({"report", home, "-", "1234", "--format", "pdf", "--out", dir.filePath("x.pdf")})
            .code,
        1);
    EXPECT_EQ(
        admin({"report", home, "-", "9001", "--format", "doc", "--out", dir.filePath("x.doc")})
            .code,
        1);

    const Result check = admin({"check", home});
    EXPECT_EQ(check.code, 0) << check.output.toStdString();
    EXPECT_TRUE(check.output.contains("Şirket ORNEK: sorun yok")) << check.output.toStdString();

    // A damaged company database is reported, and the check fails.
    QFile db(home + "/veri/ABC/dulvet.db");
    ASSERT_TRUE(db.open(QIODevice::ReadWrite));
    db.seek(0);
    db.write(QByteArray(100, 'x'));
    db.close();
    const Result broken = admin({"check", home, "ABC"});
    EXPECT_EQ(broken.code, 1);
    EXPECT_TRUE(broken.output.contains("bozuk")) << broken.output.toStdString();

    EXPECT_EQ(admin({"check", dir.filePath("yok")}).code, 1);
    EXPECT_EQ(admin({"bilinmeyen"}).code, 2);
}
