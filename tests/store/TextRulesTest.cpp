#include "store/TextRules.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

TEST(NormalizeDateText, AcceptsTheUsualWaysOfTypingADate)
{
    const QDate today(2026, 12, 9);
    for (const char* typed : {"010105", "1.1.05", "01/01/2005", "01012005", "1 1 2005", "01,01,05"})
        EXPECT_EQ(NormalizeDateText(typed, today), "01.01.2005") << typed;
    EXPECT_EQ(NormalizeDateText("*", today), "09.12.2026");
    EXPECT_EQ(NormalizeDateText("310205", today), "");
    EXPECT_EQ(NormalizeDateText("29.02.2024", today), "29.02.2024");
    EXPECT_EQ(NormalizeDateText("1.1.77", today), "01.01.1977");
    for (const char* bad : {"", "abc", "1.1", "32.01.2005", "1.13.2005", "1.1.20055", "12345",
                            "1.1.-5", "+1.1.2005", "1.-1.2005", "01.01.+5"})
        EXPECT_EQ(NormalizeDateText(bad, today), "") << bad;
}

TEST(DateText, WritesEveryDateAsTheLocaleWould)
{
    // Each day of a span of years, the first and last years the books can hold, and dates the
    // fast way does not write.
    for (QDate d(1999, 12, 25); d <= QDate(2001, 1, 5); d = d.addDays(1))
        ASSERT_EQ(DateText(d), d.toString("dd.MM.yyyy"));
    for (const QDate d : {QDate(1, 1, 1), QDate(9999, 12, 31), QDate(10000, 1, 1), QDate(-5, 3, 4)})
        EXPECT_EQ(DateText(d), d.toString("dd.MM.yyyy")) << d.toString().toStdString();
    EXPECT_EQ(DateText(QDate()), "");
    EXPECT_EQ(DateText(QDate(2026, 2, 30)), "");
}

TEST(SafeStrToInt, NotAnIntegerGivesZero)
{
    EXPECT_EQ(SafeStrToInt("42"), 42);
    EXPECT_EQ(SafeStrToInt(" -7 "), -7);
    EXPECT_EQ(SafeStrToInt("4.2"), 0);
    EXPECT_EQ(SafeStrToInt("abc"), 0);
    EXPECT_EQ(SafeStrToInt(""), 0);
    EXPECT_EQ(SafeStrToInt("99999999999"), 0);
}
