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
    // Near the top of the range there is nothing left to round, and nothing may overflow.
    EXPECT_EQ(roundMoney(1e307, true), 1e307);
    EXPECT_EQ(roundMoney(-1.7e308, true), -1.7e308);
    EXPECT_EQ(roundMoney(9007199254740993.0, true), 9007199254740993.0);
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
    // Stored just below a half whose double product with 100 is an exact half: printed as
    // RoundMoney rounds it, not a cent above.
    for (const double amount : {740865532228.085, 963742672030.085, 808588797922.695}) {
        EXPECT_EQ(formatNumber(amount, "#,##0.00"),
                  formatNumber(roundMoney(amount, true), "#,##0.00"))
            << amount;
    }
    EXPECT_EQ(formatNumber(740865532228.085, "#,##0.00"), "740,865,532,228.08");
}
