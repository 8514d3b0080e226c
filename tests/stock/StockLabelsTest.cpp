#include "stock/StockLabels.h"
#include "store/AppError.h"
#include "store/IniFile.h"
#include "support/QtPrinters.h"
#include "support/Reference.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace StockLabels;

namespace {

Layout defaults()
{
    QTemporaryDir dir;
    return readLayout(IniFile(dir.filePath("Users.ini")));
}

} // namespace

TEST(StockLabels, TheTypeFollowsTheCodesLengthAndFallsBackToCode39)
{
    EXPECT_EQ(presetFor("8690000000012"), Type::Ean13);
    EXPECT_EQ(presetFor("869000000001"), Type::Code39); // 12 characters
    EXPECT_EQ(presetFor("96385074"), Type::Ean8);
    EXPECT_EQ(effectiveType(Type::Ean8, "8690000000012"), Type::Code39);
    EXPECT_EQ(effectiveType(Type::Ean13, "96385074"), Type::Code39);
    EXPECT_EQ(effectiveType(Type::Ean13, "8690000000012"), Type::Ean13);
    EXPECT_EQ(effectiveType(Type::Code39, "96385074"), Type::Code39);
}

TEST(StockLabels, TheLayoutIsKeptInUsersIni)
{
    QTemporaryDir dir;
    IniFile ini(dir.filePath("Users.ini"));
    Layout layout = readLayout(ini);
    EXPECT_EQ(layout[Uzunluk], "40");
    EXPECT_EQ(layout[Genislik], "180");
    EXPECT_EQ(layout[EUzun], "181");
    EXPECT_EQ(layout[EGenis], "84");
    EXPECT_EQ(layout[KSol], "10");
    layout[Sol] = "15";
    writeLayout(ini, layout);
    EXPECT_EQ(IniFile(dir.filePath("Users.ini")).readString("BARKOD", "SOL"), "15");
    EXPECT_EQ(readLayout(IniFile(dir.filePath("Users.ini"))), layout);
}

TEST(StockLabels, LayoutsThatCannotPrintAreRefusedWithTheirReason)
{
    const Layout ok = defaults();
    // The defaults fit: a label 181 × 84 pixels (70 × 32 mm) in 160 × 40 mm.
    EXPECT_EQ(refusal("8690000000012", Type::Ean13, ok, 1), "");
    EXPECT_EQ(refusal("ABC-12", Type::Code39, ok, 100), "");

    const auto with = [&](Field f, const char* value) {
        Layout l = ok;
        l[f] = value;
        return refusal("ABC", Type::Code39, l, 1);
    };
    EXPECT_TRUE(with(Sol, "12.5").contains("tam sayı")) << with(Sol, "12.5").toStdString();
    EXPECT_TRUE(with(EUzun, "abc").contains("Etiket uzunluk"));
    EXPECT_TRUE(with(Uzunluk, "0").contains("sıfır"));
    EXPECT_TRUE(with(EGenis, "0").contains("sıfır"));
    EXPECT_TRUE(with(Sag, "170").contains("alan bırakmıyor"));
    EXPECT_TRUE(with(Ust, "40").contains("alan bırakmıyor"));
    EXPECT_TRUE(with(EUzun, "500").contains("büyük"));  // 192 mm across 160
    EXPECT_TRUE(with(EGenis, "110").contains("büyük")); // 42 mm in 40
    EXPECT_TRUE(refusal("ABC", Type::Code39, ok, 0).contains("Kopya adedi"));
    EXPECT_TRUE(refusal("ABC", Type::Code39, ok, 101).contains("Kopya adedi"));
    // A code its symbology cannot carry is refused, not printed shorter.
    EXPECT_TRUE(refusal("ŞEKER", Type::Code39, ok, 1).contains("basılamaz"));
    EXPECT_THROW(labels("ŞEKER", Type::Code39, ok, 1), AppError);
    EXPECT_TRUE(refusal("8690000000019", Type::Ean13, ok, 1).contains("basılamaz")); // check digit
}

TEST(StockLabels, OneLabelPerBandRowAndTheDigitsWhereTheTypePutsThem)
{
    const Layout layout = defaults();
    const PageSet ean13 = labels("8690000000012", Type::Ean13, layout, 3);
    EXPECT_EQ(ean13.pageCount(), 3); // one 32 mm label per 40 mm page
    const QString dump13 = ean13.dump();
    expectReferenceIn(QStringLiteral(STOCK_DATA), dump13, "label-ean13.txt");
    // The three digit groups at Sol, Sol + 20 and Sol + 87 pixels from the page's left margin.
    EXPECT_TRUE(dump13.contains("text 13.8,") && dump13.contains("\"8\""));
    EXPECT_TRUE(dump13.contains("text 21.5,") && dump13.contains("\"690000\""));
    EXPECT_TRUE(dump13.contains("text 47.3,") && dump13.contains("\"000012\""));

    const QString dump8 = labels("96385074", Type::Ean8, layout, 1).dump();
    expectReferenceIn(QStringLiteral(STOCK_DATA), dump8, "label-ean8.txt");
    EXPECT_TRUE(dump8.contains("\"9638\"") && dump8.contains("\"5074\""));

    // Ean-8 asked for a 13-character code prints Code 39 with the whole code.
    const QString dump39 = labels("8690000000012", Type::Ean8, layout, 1).dump();
    expectReferenceIn(QStringLiteral(STOCK_DATA), dump39, "label-code39.txt");
    EXPECT_TRUE(dump39.contains("\"8690000000012\""));
}
