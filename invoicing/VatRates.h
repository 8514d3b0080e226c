#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The VAT rate list of the installation: Kdv.ZR in the program directory, one rate per line as
// the program writes numbers (18, 0.5), shared by every company. The VAT summary lists its
// rates; the printed invoice orders its VAT lines by it.
namespace VatRates {

QString path(const QString& programDir);
// The rates as listed; lines that are not numbers are skipped; nothing when the file is
// missing or unreadable.
QStringList read(const QString& programDir);
std::vector<double> values(const QStringList& rates);
// The whole list, written atomically; throws AppError when it cannot be, the old list staying.
void write(const QString& programDir, const QStringList& rates);
// A rate as the list writes it; empty for a text that is no number.
QString text(const QString& typed);
// Rates compared in fixed point (four decimals).
bool same(double a, double b);

} // namespace VatRates
