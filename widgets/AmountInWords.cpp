#include "widgets/AmountInWords.h"

#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/CompanySettings.h"

#include <algorithm>
#include <cmath>

namespace {

const char* const kOnes[] = {"",    "BİR",  "İKİ",  "ÜÇ",    "DÖRT",
                             "BEŞ", "ALTI", "YEDİ", "SEKİZ", "DOKUZ"};
const char* const kTens[] = {"",     "ON",     "YİRMİ",  "OTUZ",   "KIRK",
                             "ELLİ", "ALTMIŞ", "YETMİŞ", "SEKSEN", "DOKSAN"};
const char* const kScales[] = {"KATRİLYON", "TRİLYON", "MİLYAR", "MİLYON", "BİN", ""};

QString ones(int d)
{
    return QString::fromUtf8(kOnes[d]);
}
QString tens(int d)
{
    return QString::fromUtf8(kTens[d]);
}
QString hundreds(int d)
{
    return d == 0 ? QString() : d == 1 ? QStringLiteral("YÜZ") : ones(d) + QStringLiteral("YÜZ");
}

// Rule A: one group of three digits, then its scale word when the group has any word.
QString group(int h, int t, int u, const QString& scale)
{
    const QString words = hundreds(h) + tens(t) + ones(u);
    return words.isEmpty() ? QString() : words + scale;
}

// The general number format: at most 15 significant digits, shortest form, no exponent.
QString generalFormat(double value)
{
    if (value == 0) return QStringLiteral("0");
    // Digits before the point; zero or less below 1, where the fifteen count from the first
    // significant digit (0.999999999999999 keeps its fifteen nines).
    const int magnitude = int(std::floor(std::log10(std::fabs(value)))) + 1;
    QString text = QString::number(value, 'f', std::clamp(15 - magnitude, 0, 340));
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    }
    return text;
}

// Words of a whole number of at most 18 digits (rule A and B.5–6 without "SIFIR").
QString wholeWords(const QString& digits, bool loneThousand)
{
    const QString padded = digits.rightJustified(18, QLatin1Char('0'));
    QString words;
    for (int g = 0; g < 6; ++g) {
        const int h = padded[g * 3].digitValue(), t = padded[g * 3 + 1].digitValue(),
                  u = padded[g * 3 + 2].digitValue();
        QString part = group(h, t, u, QString::fromUtf8(kScales[g]));
        // "BİN", never "BİRBİN", for a thousands group of 001.
        if (loneThousand && g == 4 && part == QStringLiteral("BİRBİN"))
            part = QStringLiteral("BİN");
        words += part;
    }
    return words;
}

} // namespace

QString AmountInWords(double amount, const QString& currency, const QString& subunit)
{
    if (!std::isfinite(amount)) throw AppError(QStringLiteral("Tutar yazıya çevrilemedi."));
    amount = std::fabs(amount);
    if (amount >= 1e15)
        throw AppError(QStringLiteral("Tutar yazıya çevrilemeyecek kadar büyük."),
                       generalFormat(amount));
    const bool fraction = amount - std::trunc(amount) > 0;
    QString text = generalFormat(amount);
    if (!text.contains(QLatin1Char('.'))) text += QStringLiteral(".00");
    const QString whole = text.section(QLatin1Char('.'), 0, 0);
    const QString hundredths =
        text.section(QLatin1Char('.'), 1).left(2).leftJustified(2, QLatin1Char('0'));
    QString words = wholeWords(whole, true);
    if (words.isEmpty()) words = QStringLiteral("SIFIR");
    if (!fraction) return QStringLiteral("Yalnız %1 %2 'dır.").arg(words, currency);
    const QString cents = tens(hundredths[0].digitValue()) + ones(hundredths[1].digitValue());
    return QStringLiteral("Yalnız %1  %2  %3 %4 'tur.").arg(words, currency, cents, subunit);
}

QString AmountInWords(const CompanyData& company, double amount)
{
    const CompanySettings settings = CompanySettings::read(company.directory());
    return AmountInWords(amount, settings.tl, settings.kr);
}

QString YaziFloat(double value)
{
    const QString text = generalFormat(std::fabs(value));
    const QString whole = text.section(QLatin1Char('.'), 0, 0).right(15);
    // A lone thousand is "BİN" here too: "BİRBİN" is wrong Turkish on a printed document.
    return QStringLiteral("Yalnız %1 TL dir.").arg(wholeWords(whole, true));
}

QString CevirCaption(const QString& caption)
{
    QString text = caption.trimmed();
    text.replace(QLatin1Char(','), QLatin1Char('.')); // the Turkish decimal comma
    bool ok = false;
    const double value = text.toDouble(&ok);
    return YaziFloat(ok && std::isfinite(value) && std::fabs(value) < 1e15 ? std::trunc(value) : 0);
}
