#include "invoicing/VatRates.h"

#include "store/AppError.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <cmath>

namespace VatRates {

namespace {

bool number(const QString& typed, double* value)
{
    bool ok = false;
    *value = QString(typed).trimmed().replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    return ok && std::isfinite(*value);
}

} // namespace

QString path(const QString& programDir)
{
    return QDir(programDir).filePath(QStringLiteral("Kdv.ZR"));
}

QString text(const QString& typed)
{
    double value = 0;
    return number(typed, &value) ? QString::number(value, 'g', 12) : QString();
}

QStringList read(const QString& programDir)
{
    QStringList rates;
    QFile file(path(programDir));
    if (!file.open(QIODevice::ReadOnly)) return rates;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QString rate = text(QString::fromLatin1(line));
        if (!rate.isEmpty()) rates << rate;
    }
    return rates;
}

std::vector<double> values(const QStringList& rates)
{
    std::vector<double> out;
    for (const QString& r : rates) {
        double value = 0;
        if (number(r, &value)) out.push_back(value);
    }
    return out;
}

void write(const QString& programDir, const QStringList& rates)
{
    QSaveFile out(path(programDir));
    const QByteArray bytes = rates.isEmpty()
                                 ? QByteArray()
                                 : (rates.join(QLatin1Char('\n')) + QLatin1Char('\n')).toLatin1();
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        throw AppError(QStringLiteral("KDV oranları kaydedilemedi: %1").arg(path(programDir)),
                       out.errorString());
}

bool same(double a, double b)
{
    return std::llround(a * 10000) == std::llround(b * 10000);
}

} // namespace VatRates
