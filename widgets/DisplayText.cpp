#include "widgets/DisplayText.h"

#include <cmath>

QString VerticalText(const QString& caption, int bosluk)
{
    QString result;
    const qsizetype n = caption.size();
    for (qsizetype i = 0; i + 1 < n; ++i) {
        result += caption[i];
        result += QLatin1Char('\n');
        result += QLatin1Char('\r');
        result += QString(qsizetype(i + 1) * qMax(0, bosluk), QLatin1Char(' '));
    }
    if (n > 0) result += caption[n - 1];
    return result;
}

QString DrawnLines(const QString& text)
{
    QString lines = text;
    lines.remove(QLatin1Char('\r'));
    return lines;
}

QString PanelNumberText(double value)
{
    if (!std::isfinite(value)) return QStringLiteral("0");
    QString s = QString::number(value, 'g', 15);
    if (s.contains(QLatin1Char('e'))) return s; // no settled display: shown as written
    bool negative = false;
    if (s.startsWith(QLatin1Char('-'))) {
        negative = true;
        s.remove(0, 1);
    }
    if (s.isEmpty()) s = QStringLiteral("0");
    // The whole part as digits, the fraction exactly as written.
    const QString whole = QString::number(qint64(std::trunc(std::fabs(value))));
    QString fraction = s.mid(whole.size());
    QString grouped = whole;
    for (qsizetype i = grouped.size() - 3; i > 0; i -= 3)
        grouped.insert(i, QLatin1Char(','));
    QString result = grouped + fraction;
    if (result.endsWith(QLatin1Char('.'))) result.chop(1);
    if (negative && result != u"0") result.prepend(QLatin1Char('-'));
    return result;
}

double PanelNumberValue(const QString& caption)
{
    QString text = caption;
    text.remove(QLatin1Char(','));
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? value : 0;
}

QString MarqueeStep(const QString& caption, bool soldanSaga)
{
    const QString text = caption.isEmpty() ? QStringLiteral("ZemrakKayanLabel") : caption;
    if (text.size() < 2) return text;
    return soldanSaga ? text.right(1) + text.left(text.size() - 1) : text.mid(1) + text.left(1);
}
