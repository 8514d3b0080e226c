#include "store/MoneyFormat.h"

#include <cfenv>
#include <cmath>

double roundMoney(double amount, bool kurus)
{
    // nearbyint rounds in the current mode, which is to nearest, ties to even.
    if (std::fegetround() != FE_TONEAREST) std::fesetround(FE_TONEAREST);
    if (!kurus) return std::nearbyint(amount);
    // From 2^52 on every double is a whole number: nothing to round, and the product below
    // would overflow a double on the way back near the top of the range.
    if (std::fabs(amount) >= 0x1p52) return amount;
    // The product of a double and 100 needs 60 bits: exact in long double, so the rounding sees
    // the stored value itself (2.675 is stored as 2.67499999…, which a double product would
    // round up to an exact half).
    const long double cents = std::nearbyintl(static_cast<long double>(amount) * 100.0L);
    return static_cast<double>(cents) / 100.0;
}

QString stripThousands(const QString& text)
{
    QString result = text;
    result.remove(QLatin1Char(','));
    return result;
}

QString formatNumber(double value, const QString& mask)
{
    if (!std::isfinite(value)) return QStringLiteral("0");
    const int dot = mask.indexOf(QLatin1Char('.'));
    const QString whole = dot < 0 ? mask : mask.left(dot);
    const QString fraction = dot < 0 ? QString() : mask.mid(dot + 1);
    const bool grouping = whole.contains(QLatin1Char(','));
    const int required = int(fraction.count(QLatin1Char('0')));
    const int decimals = required + int(fraction.count(QLatin1Char('#')));
    const int minimumWhole = std::max<int>(1, int(whole.count(QLatin1Char('0'))));

    // Scaled as RoundMoney scales: the long double product is exact, so a stored value just
    // below a half (740865532228.085 is 740865532228.08499…) is not rounded up as its double
    // product, an exact half, would be.
    const long double product =
        std::fabs(static_cast<long double>(value)) * std::pow(10.0L, decimals);
    const double scaled = static_cast<double>(std::roundl(product));
    QString digits;
    if (scaled < 9.0e15) {
        digits = QString::number(qint64(scaled));
    } else {
        digits = QString::number(std::fabs(value), 'f', decimals);
        digits.remove(QLatin1Char('.'));
    }
    while (digits.size() <= decimals)
        digits.prepend(QLatin1Char('0'));
    QString integer = digits.left(digits.size() - decimals);
    QString decimalsText = digits.right(decimals);
    while (decimalsText.size() > required && decimalsText.endsWith(QLatin1Char('0')))
        decimalsText.chop(1);
    while (integer.size() < minimumWhole)
        integer.prepend(QLatin1Char('0'));
    if (grouping)
        for (int i = int(integer.size()) - 3; i > 0; i -= 3)
            integer.insert(i, QLatin1Char(','));
    QString result = integer;
    if (!decimalsText.isEmpty()) result += QLatin1Char('.') + decimalsText;
    const bool zero = scaled == 0;
    return (value < 0 && !zero) ? QLatin1Char('-') + result : result;
}
