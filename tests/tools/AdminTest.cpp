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

Result admin(const QStringList& args,
             QProcess::ProcessChannelMode channels = QProcess::MergedChannels)
{
    QProcess process;
    process.setProcessChannelMode(channels);
    // As from a plain terminal: no runtime directory, about which Qt would have a word to say.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(environment);
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
    // The stock reports with their options.
    const QString stockOut = dir.filePath("stok.txt");
    for (const QStringList& options :
         {QStringList{"3301", "--price", "1", "--change-date", "evet", "--order", "name"},
          QStringList{"3302", "--from", "01.01.2020", "--to", "31.12.2099", "--code-from",
                      "STK000001", "--customer", "120.001"},
          QStringList{"3306", "--picture", "card", "--title", "Katalog"},
          QStringList{"3307", "--stock", "STK000001", "--from", "01.06.2020"},
          QStringList{"5301", "--from", "01.01.2020", "--to", "31.12.2099", "--totals", "hide"},
          QStringList{"5301"}, QStringList{"5201", "--slip", "1"},
          QStringList{"5202", "--slip", "2"}, QStringList{"1202", "--number", "1"},
          QStringList{"1202", "--number", "1", "--document", "irsaliye"},
          QStringList{"3303", "--date", "30.06.2026", "--kind", "3"},
          QStringList{"3304", "--order", "name"},
          QStringList{"3305", "--method", "ortalama", "--code-from", "STK000001"},
          QStringList{"4301", "--position", "6"},
          QStringList{"4302", "--position", "6", "--ref-from", "1"},
          QStringList{"4303", "--position", "2"}, QStringList{"4304", "--position", "2"},
          QStringList{"1301", "--type", "satis", "--list", "detay", "--number-from", "2"},
          QStringList{"1302", "--rates", "18,8"}}) {
        const Result stock = admin(QStringList{"report", home, "ORNEK"} + options +
                                   QStringList{"--format", "txt", "--out", stockOut});
        EXPECT_EQ(stock.code, 0) << stock.output.toStdString();
        EXPECT_GT(QFileInfo(stockOut).size(), 0) << options.front().toStdString();
    }
    const Result noCard = admin(
        {"report", home, "ORNEK", "3307", "--stock", "YOK'", "--format", "txt", "--out", stockOut});
    EXPECT_EQ(noCard.code, 1);
    // A bank no check names: no page, and no file.
    QFile::remove(stockOut);
    const Result none = admin({"report", home, "ORNEK", "4303", "--position", "2", "--bank",
                               "O'Bank'", "--format", "txt", "--out", stockOut});
    EXPECT_EQ(none.code, 0);
    EXPECT_TRUE(none.output.contains("dosya yazılmadı")) << none.output.toStdString();
    EXPECT_FALSE(QFile::exists(stockOut));
    for (const QStringList& wrong :
         {QStringList{"--position", "9"}, QStringList{"--ref-to", "1x"}}) {
        const Result refused = admin(QStringList{"report", home, "ORNEK", "4301"} + wrong +
                                     QStringList{"--format", "txt", "--out", stockOut});
        EXPECT_EQ(refused.code, 1) << wrong.front().toStdString();
    }
    EXPECT_TRUE(noCard.output.contains("Stok kartı bulunamadı")) << noCard.output.toStdString();
    const Result noSlip = admin(
        {"report", home, "ORNEK", "5201", "--slip", "99", "--format", "txt", "--out", stockOut});
    EXPECT_EQ(noSlip.code, 1);
    EXPECT_TRUE(noSlip.output.contains("Fiş bulunamadı")) << noSlip.output.toStdString();
    const Result noInvoice = admin(
        {"report", home, "ORNEK", "1202", "--number", "999", "--format", "txt", "--out", stockOut});
    EXPECT_EQ(noInvoice.code, 1);
    EXPECT_TRUE(noInvoice.output.contains("999 nolu satış faturası bulunamadı"))
        << noInvoice.output.toStdString();
    EXPECT_EQ(admin({"report", home, "ORNEK", "3301", "--price", "7", "--format", "txt", "--out",
                     stockOut})
                  .code,
              1);
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
    EXPECT_EQ(broken.code, 3); // problems found
    EXPECT_TRUE(broken.output.contains("bozuk")) << broken.output.toStdString();

    EXPECT_EQ(admin({"check", dir.filePath("yok")}).code, 1);
    EXPECT_EQ(admin({"bilinmeyen"}).code, 2);
}

TEST(Admin, HelpAndVersionGoToStandardOutputWithExitZeroAndQtKeepsQuiet)
{
    for (const QStringList& args : {QStringList{"--help"}, QStringList{"report", "--help"},
                                    QStringList{"backup", "/yok", "--help"}}) {
        const Result help = admin(args, QProcess::SeparateChannels);
        EXPECT_EQ(help.code, 0) << args.join(' ').toStdString();
        EXPECT_TRUE(help.output.startsWith("Kullanım:")) << help.output.toStdString();
        EXPECT_TRUE(help.output.contains("Çıkış kodları"));
    }
    const Result version = admin({"--version"}, QProcess::SeparateChannels);
    EXPECT_EQ(version.code, 0);
    EXPECT_TRUE(version.output.startsWith("dulvet-admin ")) << version.output.toStdString();

    const Result wrong = admin({"bilinmeyen"}, QProcess::SeparateChannels);
    EXPECT_EQ(wrong.code, 2);
    EXPECT_TRUE(wrong.output.isEmpty()); // the usage went to standard error

    QTemporaryDir dir;
    const Result init = admin({"init", dir.filePath("kurulum")});
    EXPECT_EQ(init.code, 0);
    EXPECT_FALSE(init.output.contains("QStandardPaths")) << init.output.toStdString();
    EXPECT_FALSE(init.output.contains("XDG_RUNTIME_DIR")) << init.output.toStdString();
}
