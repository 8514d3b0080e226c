#include "instalments/InstalmentPlan.h"

#include "portfolio/VoucherMath.h"
#include "store/AppError.h"
#include "store/InstallSettings.h"
#include "store/MoneyFormat.h"

#include <QFile>
#include <QSaveFile>
#include <cmath>
#include <numeric>

namespace InstalmentPlan {

namespace {

// An instalment as the rounding amount leaves it: down to a multiple of Y when it is Y or more.
double rounded(double amount, double y, bool kurus)
{
    amount = roundMoney(amount, kurus);
    if (y > 1 && amount >= y) amount = roundMoney(std::floor(amount / y + 1e-9) * y, kurus);
    return amount;
}

} // namespace

void normalise(Input& input, bool kurus)
{
    if (input.rounding < 1) input.rounding = 1;
    if (!input.templateLines.empty()) {
        input.count = int(input.templateLines.size()) - 1;
        const int first = input.templateLines.front();
        input.downPayment = first > 0 ? roundMoney(input.amount * first / 100.0, kurus) : 0;
    }
    if (input.count < 1) input.count = 1;
    if (input.invoiceDate.isValid() &&
        (!input.firstDue.isValid() || input.firstDue < input.invoiceDate))
        input.firstDue = input.invoiceDate;
    input.differenceLine = std::clamp(input.differenceLine, 1, input.count);
}

QString fault(const Input& input)
{
    if (input.downPayment > input.amount)
        return QStringLiteral("Peşinat tutarı satış tutarından büyük olamaz");
    if (input.interval < 1) return QStringLiteral("Vade aralığı en az 1 gün olmalı");
    if (input.count < 1) return QStringLiteral("Taksit adedi en az 1 olmalı");
    return {};
}

Result compute(const Input& input, bool kurus)
{
    Result r;
    r.downPayment = roundMoney(input.downPayment, kurus);
    double planned = r.downPayment;
    if (input.templateLines.empty()) {
        const double base = roundMoney(input.amount - r.downPayment, kurus);
        const double each = rounded(base / input.count, input.rounding, kurus);
        r.instalments.assign(size_t(input.count), each);
    } else {
        for (size_t i = 1; i < input.templateLines.size(); ++i)
            r.instalments.push_back(
                rounded(input.amount * input.templateLines[i] / 100.0, input.rounding, kurus));
    }
    planned = std::accumulate(r.instalments.begin(), r.instalments.end(), planned);
    r.difference = roundMoney(input.amount - planned, kurus);
    const size_t line = size_t(std::clamp(input.differenceLine, 1, int(r.instalments.size())) - 1);
    if (!r.instalments.empty())
        r.instalments[line] = roundMoney(r.instalments[line] + r.difference, kurus);

    if (r.downPayment > 0)
        r.lines.push_back({input.invoiceDate, QStringLiteral("PEŞİNAT"), r.downPayment});
    for (size_t q = 0; q < r.instalments.size(); ++q)
        r.lines.push_back({NextDue(input.firstDue, input.interval, int(q)),
                           QStringLiteral("%1. TAKSİT").arg(q + 1), r.instalments[q]});
    return r;
}

QString templatePath(const QString& programDir, int number)
{
    return joinPath(programDir, QStringLiteral("Sablon%1.pl").arg(number));
}

std::vector<int> readTemplate(const QString& path)
{
    std::vector<int> lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return lines;
    // A template is a few lines; anything else in the file is not a template.
    const QByteArray text = file.read(64 * 1024);
    for (const QByteArray& line : text.split('\n')) {
        bool ok = false;
        const int value = line.trimmed().toInt(&ok);
        if (ok && value >= 0 && value <= 100) lines.push_back(value);
    }
    return lines;
}

void writeTemplate(const QString& path, const std::vector<int>& lines)
{
    QSaveFile file(path);
    QByteArray text;
    for (const int value : lines)
        text += QByteArray::number(value) + "\r\n";
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        throw AppError(QStringLiteral("Şablon dosyası yazılamadı: %1").arg(path),
                       file.errorString());
}

bool templateConsistent(const std::vector<int>& lines)
{
    if (lines.empty()) return true;
    return lines.size() >= 2 && std::accumulate(lines.begin(), lines.end(), 0) == 100;
}

} // namespace InstalmentPlan
