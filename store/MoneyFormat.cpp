#include "store/MoneyFormat.h"

#include <cfenv>
#include <cmath>
#include <string>
#include <string_view>

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
    // Reports write hundreds of thousands of amounts: the mask is read in place and the text
    // made in one buffer.
    const qsizetype dot = mask.indexOf(QLatin1Char('.'));
    const QStringView whole = dot < 0 ? QStringView(mask) : QStringView(mask).left(dot);
    const QStringView fraction = dot < 0 ? QStringView() : QStringView(mask).mid(dot + 1);
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
    std::string digits;
    if (scaled < 9.0e15) {
        char buffer[24];
        char* end = buffer + sizeof buffer;
        char* at = end;
        for (qint64 n = qint64(scaled); n > 0 || at == end; n /= 10)
            *--at = char('0' + n % 10);
        digits.assign(at, end);
    } else {
        digits =
            QString::number(std::fabs(value), 'f', decimals).remove(QLatin1Char('.')).toStdString();
    }
    if (int(digits.size()) <= decimals) digits.insert(0, size_t(decimals + 1) - digits.size(), '0');
    const std::string_view integer(digits.data(), digits.size() - size_t(decimals));
    std::string_view decimalsText(digits.data() + integer.size(), size_t(decimals));
    while (int(decimalsText.size()) > required && decimalsText.back() == '0')
        decimalsText.remove_suffix(1);
    const int zeros = std::max(0, minimumWhole - int(integer.size()));
    const int wholeDigits = zeros + int(integer.size());

    const bool negative = value < 0 && scaled != 0;
    QString result;
    result.reserve(1 + wholeDigits + wholeDigits / 3 + 1 + qsizetype(decimalsText.size()));
    if (negative) result += QLatin1Char('-');
    for (int i = 0; i < wholeDigits; ++i) {
        if (grouping && i > 0 && (wholeDigits - i) % 3 == 0) result += QLatin1Char(',');
        result += QLatin1Char(i < zeros ? '0' : integer[size_t(i - zeros)]);
    }
    if (!decimalsText.empty()) {
        result += QLatin1Char('.');
        result += QLatin1StringView(decimalsText.data(), qsizetype(decimalsText.size()));
    }
    return result;
}
