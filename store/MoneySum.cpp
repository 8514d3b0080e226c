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
    // round() halves away from zero as llround does.
    return QStringLiteral("CAST(round((%1) * %2) AS INTEGER)").arg(expression).arg(kScale);
}

QString MoneySum::sqlSum(const QString& expression)
{
    return QStringLiteral("sum(%1)").arg(sqlUnits(expression));
}

MoneySum& MoneySum::add(qint64 units)
{
    if (__builtin_add_overflow(units_, units, &units_)) tooLarge();
    return *this;
}
