#include "widgets/Barkod.h"
#include "store/AppError.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TZemrakBarkod make(TZemrakBarkod::Tip tip, const QString& text, int modul = 1)
{
    TZemrakBarkod b;
    b.tip = tip;
    b.Metin = text;
    b.setModul(modul);
    b.Yukseklik = 60;
    return b;
}

int modules(const TZemrakBarkod& b)
{
    int total = 0;
    for (const QChar c : b.elements())
        total += (c.unicode() - '0') % 5 + 1;
    return total;
}

QString errorOf(const TZemrakBarkod& b)
{
    try {
        b.elements();
    } catch (const AppError& e) {
        return e.message();
    }
    return QString();
}

} // namespace

TEST(Barkod, EanLengthsPaddingAndErrors)
{
    const TZemrakBarkod ean = make(TZemrakBarkod::bcCodeEAN13, "8690101110016");
    EXPECT_EQ(modules(ean), 95);
    EXPECT_TRUE(ean.elements().startsWith("505"));
    EXPECT_EQ(ean.Genislik(), 95);
    EXPECT_EQ(make(TZemrakBarkod::bcCodeEAN13, "123").elements(),
              make(TZemrakBarkod::bcCodeEAN13, "0000000000123").elements());
    EXPECT_EQ(errorOf(make(TZemrakBarkod::bcCodeEAN13, "12345678901234")),
              "Invalid Text len (EAN13)");
    EXPECT_EQ(errorOf(make(TZemrakBarkod::bcCodeEAN13, "86901A")), "Barcode must be numeric");
    EXPECT_EQ(modules(make(TZemrakBarkod::bcCodeEAN8, "96385074")), 67);
    EXPECT_EQ(errorOf(make(TZemrakBarkod::bcCodeEAN8, "123456789")), "Invalid Text len (EAN8)");
    TZemrakBarkod checked = make(TZemrakBarkod::bcCodeEAN13, "869010111001");
    checked.IslemKontrolu = true;
    EXPECT_EQ(checked.elements(), ean.elements()); // 6 is the check digit of 869010111001
    // With the check asked for, a full code's own check digit is verified, not printed blind.
    TZemrakBarkod full = make(TZemrakBarkod::bcCodeEAN13, "8690101110016");
    full.IslemKontrolu = true;
    EXPECT_EQ(full.elements(), ean.elements());
    full.Metin = "8690101110017";
    EXPECT_EQ(errorOf(full), "Invalid check digit (EAN13)");
    full.IslemKontrolu = false; // without the check the code is printed as given
    EXPECT_EQ(errorOf(full), "");
}

TEST(Barkod, Code39WidthsAndRefusedCharacters)
{
    TZemrakBarkod code = make(TZemrakBarkod::bcCode39, "AB-12", 3);
    const auto w = code.widths();
    EXPECT_EQ(w[0], 3);
    EXPECT_EQ(w[1], 6);
    code.Oran = 1.5; // limited to 2.0 for Code 39
    code.setModul(2);
    EXPECT_EQ(code.widths()[1], 4);
    TZemrakBarkod other = make(TZemrakBarkod::bcCode128B, "x", 2);
    other.Oran = 1.5; // left as it is for Code 128
    EXPECT_EQ(other.widths()[1], 3);
    code.setModul(60); // outside 1..49: ignored
    EXPECT_EQ(code.modul(), 2);
    // Lower-case and Turkish letters would be left out and another code printed: refused.
    EXPECT_TRUE(errorOf(make(TZemrakBarkod::bcCode39, "ab-12")).contains("'a'"));
    EXPECT_TRUE(errorOf(make(TZemrakBarkod::bcCode39, "ŞİŞE")).contains("'Ş'"));
    EXPECT_TRUE(errorOf(make(TZemrakBarkod::bcCode128B, "ABC")).contains("desteklenmiyor"));
    // Start and stop and five characters, 13 modules each with its gap, the stop without one.
    EXPECT_EQ(modules(make(TZemrakBarkod::bcCode39, "AB-12")), 7 * 13 - 1);
}

// A scanner's view: symbols drawn with a quiet zone and read back with zbarimg.
TEST(Barkod, ScannerReadsWhatWasEncoded)
{
    const QString zbarimg = QStandardPaths::findExecutable("zbarimg");
    if (zbarimg.isEmpty()) GTEST_SKIP() << "zbarimg (zbar-tools) is not installed";
    QRandomGenerator rng(2026);
    QTemporaryDir dir;
    const auto randomDigits = [&](int n) {
        QString s;
        for (int i = 0; i < n; ++i)
            s += QChar('0' + int(rng.bounded(10)));
        return s;
    };
    const QString code39Set = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
    for (const auto tip :
         {TZemrakBarkod::bcCodeEAN13, TZemrakBarkod::bcCodeEAN8, TZemrakBarkod::bcCode39}) {
        for (int modul = 1; modul <= 3; ++modul) {
            QStringList files, expected;
            const int count = modul == 1 ? 200 : 40;
            for (int i = 0; i < count; ++i) {
                TZemrakBarkod b;
                b.tip = tip;
                b.setModul(modul);
                b.Yukseklik = 40;
                if (tip == TZemrakBarkod::bcCode39) {
                    QString text;
                    for (int n = 1 + int(rng.bounded(10)); n > 0; --n)
                        text += code39Set[int(rng.bounded(code39Set.size()))];
                    b.Metin = text.trimmed().isEmpty() ? "X" : text.trimmed();
                } else {
                    b.IslemKontrolu = true; // a valid check digit, as scanners require
                    b.Metin = randomDigits(tip == TZemrakBarkod::bcCodeEAN13 ? 12 : 7);
                }
                QImage symbol = b.image();
                // zbar samples one pixel per module unreliably; a symbol of module 1 is read
                // at twice the size, as a scanner reads a print at its own resolution.
                if (modul == 1)
                    symbol = symbol.scaled(symbol.size() * 2, Qt::IgnoreAspectRatio,
                                           Qt::FastTransformation);
                const int zone = 12 * std::max(2, modul);
                QImage framed(symbol.width() + 2 * zone, symbol.height() + 20,
                              QImage::Format_RGB32);
                framed.fill(Qt::white);
                QPainter(&framed).drawImage(zone, 10, symbol);
                const QString file = dir.filePath(QStringLiteral("b%1.png").arg(i));
                ASSERT_TRUE(framed.save(file));
                files << file;
                if (tip == TZemrakBarkod::bcCode39) {
                    expected << b.Metin;
                } else {
                    // The digits the symbol carries, check digit included.
                    const QString digits = b.Metin;
                    int sum = 0;
                    for (int k = 0; k < digits.size(); ++k)
                        sum += (k % 2 == 0 ? 3 : 1) * digits[digits.size() - 1 - k].digitValue();
                    expected << digits + QString::number((10 - sum % 10) % 10);
                }
            }
            QProcess zbar;
            zbar.start(zbarimg, QStringList{"--nodbus", "--raw", "-q"} + files);
            ASSERT_TRUE(zbar.waitForFinished(120000));
            const QStringList decoded =
                QString::fromUtf8(zbar.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
            ASSERT_EQ(decoded.size(), expected.size())
                << TZemrakBarkod::typeName(tip).toStdString() << " module " << modul;
            for (int i = 0; i < expected.size(); ++i)
                EXPECT_EQ(decoded[i], expected[i])
                    << TZemrakBarkod::typeName(tip).toStdString() << " module " << modul;
        }
    }
}
