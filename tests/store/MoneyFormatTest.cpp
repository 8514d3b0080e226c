#include "store/MoneyFormat.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

TEST(RoundMoney, HalvesGoToTheEvenNeighbourOfTheStoredValue)
{
    EXPECT_DOUBLE_EQ(roundMoney(2.675, true), 2.67); // stored just below 2.675
    EXPECT_DOUBLE_EQ(roundMoney(3 * 12.345, true), 37.04);
    EXPECT_DOUBLE_EQ(roundMoney(12.5, false), 12);
    EXPECT_DOUBLE_EQ(roundMoney(13.5, false), 14);
    EXPECT_DOUBLE_EQ(roundMoney(-2.5, false), -2);
    EXPECT_DOUBLE_EQ(roundMoney(0.125, true), 0.12);
    EXPECT_DOUBLE_EQ(roundMoney(1234567.891, true), 1234567.89);
}

TEST(FormatNumber, MasksWithThousandsAndDecimals)
{
    EXPECT_EQ(formatNumber(1234.5, "#,##0.00"), "1,234.50");
    EXPECT_EQ(formatNumber(1234.4, "#,##0"), "1,234");
    EXPECT_EQ(formatNumber(1234567.891, "#,##0.00"), "1,234,567.89");
    EXPECT_EQ(formatNumber(-1234.5, "#,##0.00"), "-1,234.50");
    EXPECT_EQ(formatNumber(0, "#,##0"), "0");
    EXPECT_EQ(formatNumber(0.5, "#,##0"), "1");
    EXPECT_EQ(formatNumber(-0.001, "#,##0.00"), "0.00");
    EXPECT_EQ(formatNumber(12.3456, "#,##0.0000"), "12.3456");
    EXPECT_EQ(formatNumber(12.3, "0.##"), "12.3");
    EXPECT_EQ(formatNumber(999.999, "#,##0.00"), "1,000.00");
    EXPECT_EQ(stripThousands("1,234,567.89"), "1234567.89");
}
