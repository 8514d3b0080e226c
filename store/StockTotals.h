#pragma once

#include <QtGlobal>
#include <vector>

// The nine totals of a stock card, derived from its movements in four-decimal fixed point:
// every value is read as a whole number of ten-thousandths, sums are exact, and each product
// and quotient is rounded to four decimals (to nearest, ties to even) through 128-bit
// intermediates, so no total depends on how doubles happen to round.
namespace StockTotals {

constexpr qint64 kScale = 10000; // units per whole: four decimals

// A stored float as ten-thousandths, rounded from the exact stored value (2.675, stored just
// below, reads 2.6750). Throws AppError for a value beyond about 9e14.
qint64 units(double value);
double toDouble(qint64 units);

// a / b rounded to the nearest whole number, ties to even; b is not 0.
qint64 divideRounded(qint64 a, qint64 b);
// The ratio a / b of two values in units, itself in units (a unit price: value / quantity).
qint64 ratio(qint64 a, qint64 b);

// What the totals need of one movement, in units.
struct Movement {
    qint64 gMiktari = 0, gFiyati = 0, gTutari = 0; // entry: quantity, unit price, value
    qint64 cMiktari = 0, cTutari = 0;              // exit: quantity, value
};

struct Totals {
    qint64 gm = 0, gt = 0; // entry quantities and values
    qint64 cm = 0, ct = 0; // exit quantities and values
    qint64 tm = 0, tt = 0; // on hand: gm − cm, gt − ct
    qint64 fifo = 0;       // value on hand, first in first out (made of the latest entries)
    qint64 lifo = 0;       // value on hand, last in first out (made of the earliest entries)
    qint64 ort = 0;        // quantity on hand at the average entry price
};

// The totals of movements given in date order (equal dates in entry order). A pure function:
// the card recomputation, the inventory reports and the quick view share it.
Totals compute(const std::vector<Movement>& movements);

} // namespace StockTotals
