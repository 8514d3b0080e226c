#pragma once

#include <QString>
#include <QVariant>
#include <compare>

// An exact sum of stored amounts or quantities. Each value counts with four decimals in a 64-bit
// integer, so a column adds up to the same figure in any order and 0.1 + 0.2 − 0.3 is nothing.
// Stored values stay doubles; callers pass the result through RoundMoney. SQLite makes the same
// sum with sqlSum(), so a grouped query and a walk over the rows agree to the last unit.
class MoneySum {
public:
    static constexpr qint64 kScale = 10000;

    constexpr MoneySum() = default;
    static constexpr MoneySum fromUnits(qint64 units)
    {
        MoneySum sum;
        sum.units_ = units;
        return sum;
    }
    // A stored value in units of 1/10000; throws AppError for a value too large to add up.
    static qint64 unitsOf(double value);
    // A sum read from SQLite: NULL (no rows) is 0.
    static MoneySum fromSql(const QVariant& units);
    // SQL for the units of a column or expression, and for their sum.
    static QString sqlUnits(const QString& expression);
    static QString sqlSum(const QString& expression);

    MoneySum& operator+=(double value) { return add(unitsOf(value)); }
    MoneySum& operator-=(double value) { return add(-unitsOf(value)); }
    MoneySum& operator+=(MoneySum other) { return add(other.units_); }
    MoneySum& operator-=(MoneySum other) { return add(-other.units_); }
    friend MoneySum operator+(MoneySum a, MoneySum b) { return a += b; }
    friend MoneySum operator-(MoneySum a, MoneySum b) { return a -= b; }
    MoneySum operator-() const { return fromUnits(-units_); }
    friend bool operator==(MoneySum, MoneySum) = default;
    friend auto operator<=>(MoneySum, MoneySum) = default;

    qint64 units() const { return units_; }
    double value() const { return double(units_) / double(kScale); }
    bool isZero() const { return units_ == 0; }

private:
    MoneySum& add(qint64 units);
    qint64 units_ = 0;
};
