#include "store/StockTotals.h"

#include "store/AppError.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace StockTotals {

namespace {

using Wide = __int128;

// a / b rounded to the nearest whole number, ties to even; b is not 0.
Wide divideToEven(Wide a, Wide b)
{
    if (b < 0) {
        a = -a;
        b = -b;
    }
    const bool negative = a < 0;
    const Wide magnitude = negative ? -a : a;
    Wide quotient = magnitude / b;
    const Wide remainder = magnitude % b;
    if (2 * remainder > b || (2 * remainder == b && quotient % 2 != 0)) ++quotient;
    return negative ? -quotient : quotient;
}

qint64 narrow(Wide value)
{
    if (value > Wide(std::numeric_limits<qint64>::max()) ||
        value < Wide(std::numeric_limits<qint64>::min()))
        throw AppError(QStringLiteral("Stok tutarı hesaplanamayacak kadar büyük."));
    return qint64(value);
}

// The product of two fixed-point values, rounded back to four decimals.
qint64 multiply(qint64 a, qint64 b)
{
    return narrow(divideToEven(Wide(a) * b, kScale));
}

// The value on hand when the stock is made of the movements met first in the walk: entries add
// their quantity and value until the quantity passes what is on hand; the last entry counts
// only for the part of it that is still there.
template <typename Walk> qint64 valueOnHand(Walk begin, Walk end, qint64 onHand)
{
    Wide quantity = 0, value = 0;
    for (Walk it = begin; it != end; ++it) {
        quantity += it->gMiktari;
        value += it->gTutari;
        if (quantity > onHand)
            return narrow(value - divideToEven(Wide(it->gFiyati) * (quantity - onHand), kScale));
    }
    return narrow(value);
}

} // namespace

qint64 units(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > 9.0e14)
        throw AppError(QStringLiteral("Stok tutarı hesaplanamayacak kadar büyük."),
                       QString::number(value));
    if (std::fegetround() != FE_TONEAREST) std::fesetround(FE_TONEAREST);
    // The product with 10,000 is exact in long double: the rounding sees the stored value.
    return qint64(std::nearbyintl(static_cast<long double>(value) * kScale));
}

qint64 divideRounded(qint64 a, qint64 b)
{
    return narrow(divideToEven(a, b));
}

qint64 ratio(qint64 a, qint64 b)
{
    return narrow(divideToEven(Wide(a) * kScale, b));
}

double toDouble(qint64 units)
{
    return double(units) / kScale;
}

Totals compute(const std::vector<Movement>& movements)
{
    Wide gm = 0, gt = 0, cm = 0, ct = 0;
    for (const Movement& m : movements) {
        gm += m.gMiktari;
        gt += m.gTutari;
        cm += m.cMiktari;
        ct += m.cTutari;
    }
    Totals t;
    t.gm = narrow(gm);
    t.gt = narrow(gt);
    t.cm = narrow(cm);
    t.ct = narrow(ct);
    t.tm = narrow(gm - cm);
    t.tt = narrow(gt - ct);
    t.fifo = valueOnHand(movements.rbegin(), movements.rend(), t.tm);
    t.lifo = valueOnHand(movements.begin(), movements.end(), t.tm);
    // The average entry price, itself held at four decimals.
    const qint64 average = t.gt != 0 && t.gm != 0 ? ratio(t.gt, t.gm) : 0;
    t.ort = multiply(t.tm, average);
    return t;
}

} // namespace StockTotals
