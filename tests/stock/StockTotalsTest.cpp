#include "store/StockTotals.h"
#include "store/AppError.h"

#include <gtest/gtest.h>

using namespace StockTotals;

namespace {

Movement entry(double quantity, double price, double value)
{
    return {units(quantity), units(price), units(value), 0, 0};
}

Movement entry(double quantity, double price)
{
    return entry(quantity, price, quantity * price);
}

Movement leave(double quantity, double value = 0)
{
    return {0, 0, 0, units(quantity), units(value)};
}

} // namespace

TEST(StockTotals, FifoLifoAndAverageOfTwoEntriesAndAnExit)
{
    const Totals t = compute({entry(10, 5), entry(10, 6), leave(12, 66)});
    EXPECT_EQ(t.gm, units(20));
    EXPECT_EQ(t.gt, units(110));
    EXPECT_EQ(t.cm, units(12));
    EXPECT_EQ(t.ct, units(66));
    EXPECT_EQ(t.tm, units(8));
    EXPECT_EQ(t.tt, units(44));
    EXPECT_EQ(t.fifo, units(48)); // 60.00 − 6.00 × 2: the latest entries are on hand
    EXPECT_EQ(t.lifo, units(40)); // 50.00 − 5.00 × 2: the earliest entries are on hand
    EXPECT_EQ(t.ort, units(44));  // 8 at 110.00 / 20

    const Totals none = compute({});
    EXPECT_EQ(none.gm + none.gt + none.cm + none.ct + none.tm + none.tt + none.fifo + none.lifo +
                  none.ort,
              0);

    const Totals noExits = compute({entry(3, 2.5), entry(4, 1.25)});
    EXPECT_EQ(noExits.fifo, units(12.5));
    EXPECT_EQ(noExits.lifo, units(12.5));
}

TEST(StockTotals, NothingOrLessThanNothingOnHand)
{
    // Nothing on hand: the walk stops at the newest entry, whose value less price × quantity
    // is 0, plus what it passed before (a value-only entry).
    const Totals zero = compute({entry(5, 2), leave(5, 10), entry(0, 0, 3)});
    EXPECT_EQ(zero.tm, 0);
    EXPECT_EQ(zero.fifo, units(3)); // 3 (value only) + 10 − 2 × 5
    EXPECT_EQ(zero.lifo, 0);
    EXPECT_EQ(zero.ort, 0);
    // Less than nothing: the walk stops at once; an exit there gives 0.
    const Totals below = compute({entry(2, 4), leave(3)});
    EXPECT_EQ(below.tm, units(-1));
    EXPECT_EQ(below.fifo, 0);
    EXPECT_EQ(below.lifo, units(8) - units(4) * 3); // 8 − 4 × (2 − (−1))
    EXPECT_EQ(below.ort, units(-4));                // −1 at 8 / 2
}

TEST(StockTotals, ValuesWithoutQuantitiesAndQuantitiesWithoutValues)
{
    // A value without a quantity counts in the entry value and the walks.
    const Totals valueOnly = compute({entry(10, 1), entry(0, 0, 5)});
    EXPECT_EQ(valueOnly.gt, units(15));
    EXPECT_EQ(valueOnly.fifo, units(15));
    EXPECT_EQ(valueOnly.ort, units(15)); // 10 at 1.50
    // A quantity without price or value lowers the average and the walks.
    const Totals free = compute({entry(10, 2), entry(10, 0, 0), leave(10)});
    EXPECT_EQ(free.tm, units(10));
    EXPECT_EQ(free.fifo, 0);         // the ten on hand are the free ones
    EXPECT_EQ(free.lifo, units(20)); // the ten on hand are the ones at 2.00
    EXPECT_EQ(free.ort, units(10));  // 10 at 20 / 20
}

TEST(StockTotals, FourDecimalsReadFromTheStoredValueAndExactProducts)
{
    EXPECT_EQ(units(2.675), 26750); // stored just below 2.675, read at four decimals
    EXPECT_EQ(units(0.00005), 1);   // stored just above the half
    EXPECT_EQ(units(0.00015), 1);   // stored just below it
    // Quotients that are exact halves of a unit go to the even neighbour: an average of
    // 0.00015 is held as 0.0002, one of 0.00005 as 0.
    EXPECT_EQ(units(-1.23456), -12346);
    EXPECT_DOUBLE_EQ(toDouble(units(1234.5678)), 1234.5678);
    // A million at a hundred thousand: 10^11, exact through 128-bit intermediates.
    const Totals big = compute({entry(1000000, 100000), entry(1000000, 100000), leave(1000000)});
    EXPECT_EQ(big.tm, units(1000000));
    EXPECT_EQ(big.fifo, units(1e11));
    EXPECT_EQ(big.lifo, units(1e11));
    EXPECT_EQ(big.ort, units(1e11));
    // An average that is not a four-decimal number: 10 / 3 is held as 3.3333.
    const Totals third = compute({entry(3, 0, 10)});
    EXPECT_EQ(third.ort, 99999);                      // 3 × 3.3333
    EXPECT_EQ(compute({entry(2, 0, 0.0003)}).ort, 4); // 2 × 0.0002
    EXPECT_EQ(compute({entry(2, 0, 0.0001)}).ort, 0); // 2 × 0
    EXPECT_THROW(units(1e300), AppError);
}
