#include "portfolio/VoucherMath.h"

#include <gtest/gtest.h>

TEST(VoucherMath, NextDueKeepsCalendarMonthsAndCountsOtherPeriodsInDays)
{
    const QDate from(2004, 1, 31);
    EXPECT_EQ(NextDue(from, 30, 1), QDate(2004, 2, 29));
    EXPECT_EQ(NextDue(from, 30, 2), QDate(2004, 3, 31)); // from the first date, not the last
    EXPECT_EQ(NextDue(from, 30, 3), QDate(2004, 4, 30));
    EXPECT_EQ(NextDue(from, 30, 0), from);
    EXPECT_EQ(NextDue(from, 15, 2), QDate(2004, 3, 1));
    EXPECT_EQ(NextDue(from, 31, 1), QDate(2004, 3, 2));
}

TEST(VoucherMath, AverageDueAndSurchargeSeeTheTrueRatio)
{
    const QDate voucher(2026, 3, 1);
    // 100.10 × 30 + 100.10 × 61 over 200.20 is exactly 45.5: the even day is 46. In doubles
    // the ratio comes out a hair below and would give 45.
    VoucherFigures f = voucherFigures(
        voucher, 3, {{100.10, voucher.addDays(30)}, {100.10, voucher.addDays(61)}}, true);
    ASSERT_TRUE(f.hasAverage);
    EXPECT_EQ(f.averageDays, 46);
    EXPECT_EQ(f.averageDue, voucher.addDays(46));
    EXPECT_EQ(f.averageText(), QStringLiteral("16.04.2026 46 gün"));
    EXPECT_DOUBLE_EQ(f.total, 200.20);
    // 3 / 30 × 45.50 × 200.20 / 100 = 9.1091
    EXPECT_DOUBLE_EQ(f.surcharge, 9.11);
    // Without kuruş the ratio and the surcharge are whole: 3/30 × 46 × 200.20 / 100 = 9.2092.
    f = voucherFigures(voucher, 3, {{100.10, voucher.addDays(30)}, {100.10, voucher.addDays(61)}},
                       false);
    EXPECT_DOUBLE_EQ(f.surcharge, 9);
    EXPECT_DOUBLE_EQ(f.total, 200);

    // 44.5 days goes down to the even 44; papers due before the voucher lower the average.
    f = voucherFigures(voucher, 0, {{10, voucher.addDays(40)}, {10, voucher.addDays(49)}}, true);
    EXPECT_EQ(f.averageDays, 44);
    EXPECT_DOUBLE_EQ(f.surcharge, 0);
    f = voucherFigures(voucher, 6, {{300, voucher.addDays(-10)}, {100, voucher.addDays(50)}}, true);
    EXPECT_EQ(f.averageDays, 5);
    EXPECT_DOUBLE_EQ(f.surcharge, 6.0 / 30 * 5 * 400 / 100);
    f = voucherFigures(voucher, 6, {{100, voucher.addDays(-20)}}, true);
    EXPECT_EQ(f.averageDays, -20);
    EXPECT_DOUBLE_EQ(f.surcharge, -4);

    // An empty voucher, and one of papers of 0: no average, nothing to add.
    for (const std::vector<VoucherPaper>& papers :
         {std::vector<VoucherPaper>{}, std::vector<VoucherPaper>{{0, voucher.addDays(30)}}}) {
        f = voucherFigures(voucher, 5, papers, true);
        EXPECT_FALSE(f.hasAverage);
        EXPECT_TRUE(f.averageText().isEmpty());
        EXPECT_DOUBLE_EQ(f.surcharge, 0);
        EXPECT_DOUBLE_EQ(f.total, 0);
    }
}
