#include "store/TextRules.h"

#include <QStringList>

namespace {

int windowYear(int twoDigits, int currentYear)
{
    const int pivot = currentYear - 50;
    int year = pivot - pivot % 100 + twoDigits;
    if (year < pivot) year += 100;
    return year;
}

} // namespace

QString NormalizeDateText(const QString& text, const QDate& today)
{
    QString t = text.trimmed();
    if (t == QLatin1String("*")) return today.toString(QStringLiteral("dd.MM.yyyy"));
    for (QChar& c : t)
        if (c == QLatin1Char(' ') || c == QLatin1Char('/') || c == QLatin1Char(','))
            c = QLatin1Char('.');
    if (!t.contains(QLatin1Char('.')) && (t.size() == 8 || t.size() == 6))
        t = t.left(2) + QLatin1Char('.') + t.mid(2, 2) + QLatin1Char('.') + t.mid(4);
    const QStringList parts = t.split(QLatin1Char('.'));
    if (parts.size() != 3) return QString();
    // Day, month and year are digits only: toInt() would take "-5" or "+1" as well.
    for (const QString& part : parts)
        for (const QChar c : part)
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) return QString();
    bool okDay = false, okMonth = false, okYear = false;
    const int day = parts[0].toInt(&okDay);
    const int month = parts[1].toInt(&okMonth);
    int year = parts[2].toInt(&okYear);
    if (!okDay || !okMonth || !okYear || parts[2].size() > 4 || parts[2].isEmpty())
        return QString();
    if (parts[2].size() <= 2) year = windowYear(year, today.year());
    const QDate date(year, month, day);
    return DateText(date);
}

QString DateText(const QDate& date)
{
    int year = 0, month = 0, day = 0;
    date.getDate(&year, &month, &day);
    if (!date.isValid() || year < 1 || year > 9999) {
        return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString();
    }
    const char16_t text[10] = {char16_t(u'0' + day / 10),
                               char16_t(u'0' + day % 10),
                               u'.',
                               char16_t(u'0' + month / 10),
                               char16_t(u'0' + month % 10),
                               u'.',
                               char16_t(u'0' + year / 1000),
                               char16_t(u'0' + year / 100 % 10),
                               char16_t(u'0' + year / 10 % 10),
                               char16_t(u'0' + year % 10)};
    return QString(reinterpret_cast<const QChar*>(text), 10);
}

int SafeStrToInt(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}
