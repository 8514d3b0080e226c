#include "widgets/AmountInWords.h"
#include "store/AppError.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {
QString words(double amount)
{
    return AmountInWords(amount, "TL", "KR");
}
} // namespace

TEST(AmountInWords, WorkedExamples)
{
    EXPECT_EQ(words(0), "Yalnız SIFIR TL 'dır.");
    EXPECT_EQ(words(1000), "Yalnız BİN TL 'dır.");
    EXPECT_EQ(words(1001000), "Yalnız BİRMİLYONBİN TL 'dır.");
    EXPECT_EQ(words(101000), "Yalnız YÜZBİRBİN TL 'dır.");
    EXPECT_EQ(words(1234.5), "Yalnız BİNİKİYÜZOTUZDÖRT  TL  ELLİ KR 'tur.");
    EXPECT_EQ(words(12.05), "Yalnız ONİKİ  TL  BEŞ KR 'tur.");
    EXPECT_EQ(words(0.5), "Yalnız SIFIR  TL  ELLİ KR 'tur.");
}

TEST(AmountInWords, EdgeCases)
{
    EXPECT_EQ(words(11000), "Yalnız ONBİRBİN TL 'dır.");
    EXPECT_EQ(words(21000), "Yalnız YİRMİBİRBİN TL 'dır.");
    EXPECT_EQ(words(1000000), "Yalnız BİRMİLYON TL 'dır.");
    EXPECT_EQ(words(100), "Yalnız YÜZ TL 'dır.");
    EXPECT_EQ(words(200), "Yalnız İKİYÜZ TL 'dır.");
    EXPECT_EQ(words(110), "Yalnız YÜZON TL 'dır.");
    EXPECT_EQ(words(12.345), "Yalnız ONİKİ  TL  OTUZDÖRT KR 'tur."); // the third decimal is dropped
    EXPECT_EQ(words(5.001), "Yalnız BEŞ  TL   KR 'tur.");
    EXPECT_EQ(words(999999999999999),
              "Yalnız DOKUZYÜZDOKSANDOKUZTRİLYONDOKUZYÜZDOKSANDOKUZMİLYARDOKUZYÜZDOKSANDOKUZMİLYON"
              "DOKUZYÜZDOKSANDOKUZBİNDOKUZYÜZDOKSANDOKUZ TL 'dır.");
    EXPECT_EQ(words(1000000000), "Yalnız BİRMİLYAR TL 'dır.");
    EXPECT_EQ(AmountInWords(25, "EURO", "CENT"), "Yalnız YİRMİBEŞ EURO 'dır.");
    EXPECT_EQ(words(-5), "Yalnız BEŞ TL 'dır."); // the words of the absolute value
    EXPECT_THROW(words(1e15), AppError);
    // Below 1 the fifteen significant digits start at the first nonzero one: fifteen nines
    // are 99 kuruş, not a whole lira.
    EXPECT_EQ(words(0.999999999999999), "Yalnız SIFIR  TL  DOKSANDOKUZ KR 'tur.");
    EXPECT_EQ(words(0.05), "Yalnız SIFIR  TL  BEŞ KR 'tur.");
}

TEST(AmountInWordsElement, YaziFloatAndCevir)
{
    EXPECT_EQ(CevirCaption("1234,99"), "Yalnız BİNİKİYÜZOTUZDÖRT TL dir.");
    EXPECT_EQ(CevirCaption("1000"), "Yalnız BİN TL dir."); // a lone thousand is "BİN" here too
    EXPECT_EQ(CevirCaption("21000"), "Yalnız YİRMİBİRBİN TL dir.");
    EXPECT_EQ(CevirCaption("yok"), "Yalnız  TL dir.");
    EXPECT_EQ(YaziFloat(0), "Yalnız  TL dir.");
    EXPECT_EQ(YaziFloat(-5), "Yalnız BEŞ TL dir.");
}
