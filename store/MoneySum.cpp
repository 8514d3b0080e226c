#include "store/MoneySum.h"

#include "store/AppError.h"

#include <cmath>

namespace {

[[noreturn]] void tooLarge()
{
    throw AppError(QStringLiteral("Tutar toplanamayacak kadar büyük."));
}

} // namespace

qint64 MoneySum::unitsOf(double value)
{
    // Beyond 9·10^14 the units no longer fit in 64 bits.
    if (!std::isfinite(value) || std::fabs(value) >= 9e14) tooLarge();
    return qint64(std::llround(value * double(kScale)));
}

MoneySum MoneySum::fromSql(const QVariant& units)
{
    return fromUnits(units.isNull() ? 0 : units.toLongLong());
}

QString MoneySum::sqlUnits(const QString& expression)
{
    // round() of an exact number halves away from zero as llround does, on both databases (a
    // server rounds a double's halves to even).
    return QStringLiteral("CAST(round(CAST((%1) AS NUMERIC) * %2) AS BIGINT)")
        .arg(expression)
        .arg(kScale);
}

QString MoneySum::sqlSum(const QString& expression)
{
    return QStringLiteral("CAST(sum(%1) AS BIGINT)").arg(sqlUnits(expression));
}

MoneySum& MoneySum::add(qint64 units)
{
    if (__builtin_add_overflow(units_, units, &units_)) tooLarge();
    return *this;
}
