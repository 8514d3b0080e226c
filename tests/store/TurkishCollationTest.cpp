#include "store/TurkishCollation.h"

#include "support/QtPrinters.h"
#include <QStringList>
#include <algorithm>

#include <gtest/gtest.h>

namespace {

QStringList sorted(QStringList list, bool caseInsensitive = true)
{
    std::stable_sort(list.begin(), list.end(), [&](const QString& a, const QString& b) {
        return TurkishCollation::compare(a, b, caseInsensitive) < 0;
    });
    return list;
}

} // namespace

TEST(TurkishCollation, FollowsTheTurkishAlphabet)
{
    EXPECT_EQ(sorted({"dam", "çelik", "cem"}), QStringList({"cem", "çelik", "dam"}));
    EXPECT_EQ(sorted({"inci", "ılgaz", "hasan"}), QStringList({"hasan", "ılgaz", "inci"}));
    EXPECT_EQ(
        sorted({"şule", "sema", "tan", "üzüm", "ufuk", "ömer", "oya", "pınar", "ğ", "gül", "h"}),
        QStringList(
            {"gül", "ğ", "h", "oya", "ömer", "pınar", "sema", "şule", "tan", "ufuk", "üzüm"}));
    // Digits and signs before letters; Q, W, X in their Latin places.
    EXPECT_EQ(sorted({"b", "1", "-", "x", "w", "q", "z", "p", "r", "v", "y"}),
              QStringList({"-", "1", "b", "p", "q", "r", "v", "w", "x", "y", "z"}));
}

TEST(TurkishCollation, FoldsCaseTheTurkishWay)
{
    EXPECT_EQ(TurkishCollation::compare("İSTANBUL", "istanbul"), 0);
    EXPECT_EQ(TurkishCollation::compare("ISPARTA", "ısparta"), 0);
    EXPECT_EQ(TurkishCollation::compare("IŞIK", "ışık"), 0);
    EXPECT_EQ(TurkishCollation::compare("ÇAĞLA ÖZ", "çağla öz"), 0);
    // Dotted and dotless i are different letters.
    EXPECT_LT(TurkishCollation::compare("ılık", "ilik"), 0);
    EXPECT_NE(TurkishCollation::compare("I", "i"), 0);
    // A prefix sorts first.
    EXPECT_LT(TurkishCollation::compare("ABC", "abcd"), 0);
}

TEST(TurkishCollation, CasedOrderKeepsLettersTogetherButTellsCaseApart)
{
    EXPECT_NE(TurkishCollation::compare("Ali", "ali", false), 0);
    EXPECT_LT(TurkishCollation::compare("ali", "Bora", false), 0);
    EXPECT_GT(TurkishCollation::compare("Zeki", "çınar", true), 0);
    EXPECT_GT(TurkishCollation::compare("Zeki", "çınar", false), 0);
}

TEST(TurkishCollation, MalformedBytesDoNotCrash)
{
    const char bad[] = {char(0xC3), 'a', char(0xFF), char(0xE2), char(0x82)};
    EXPECT_NE(TurkishCollation::compareFolded(bad, sizeof bad, "a", 1), 0);
    EXPECT_EQ(TurkishCollation::compareFolded(bad, sizeof bad, bad, sizeof bad), 0);
}
