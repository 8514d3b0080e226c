#include "portfolio/VoucherMath.h"

#include "store/AppError.h"
#include "store/MoneySum.h"

#include <cmath>

namespace {

using Wide = __int128;

// num / den rounded to a whole number, halves to the even one; den > 0.
Wide roundHalfEven(Wide num, Wide den)
{
    Wide q = num / den;
    Wide r = num % den;
    if (r < 0) {
        q -= 1;
        r += den;
    }
    // Now num = q·den + r with 0 ≤ r < den.
    if (2 * r > den || (2 * r == den && q % 2 != 0)) q += 1;
    return q;
}

} // namespace

QDate NextDue(const QDate& from, int days, int steps)
{
    if (!from.isValid()) return from;
    if (days == 30) return from.addMonths(steps);
    return from.addDays(qint64(days) * steps);
}

QString VoucherFigures::averageText() const
{
    if (!hasAverage) return QString();
    return QStringLiteral("%1 %2 gün")
        .arg(averageDue.toString(QStringLiteral("dd.MM.yyyy")))
        .arg(averageDays);
}

VoucherFigures voucherFigures(const QDate& voucherDate, double gZam,
                              const std::vector<VoucherPaper>& papers, bool kurus)
{
    VoucherFigures f;
    Wide t = 0, w = 0;
    for (const VoucherPaper& p : papers) {
        const qint64 units = MoneySum::unitsOf(p.tutari);
        t += units;
        w += Wide(units) *
             (p.vadesi.isValid() && voucherDate.isValid() ? voucherDate.daysTo(p.vadesi) : 0);
    }
    const Wide money = kurus ? 100 : 1; // steps of RoundMoney per unit of money
    f.total = double(roundHalfEven(t * money, MoneySum::kScale)) / double(money);
    if (t <= 0) return f;
    f.hasAverage = true;
    f.averageDays = int(roundHalfEven(w, t));
    f.averageDue = voucherDate.addDays(f.averageDays);
    // RoundMoney(W / T) as k / money; the rate in units as g / kScale; T as t / kScale.
    const Wide k = roundHalfEven(w * money, t);
    const Wide g = MoneySum::unitsOf(gZam);
    // g/kScale / 30 × k/money × t/kScale / 100, rounded to money.
    const Wide den = Wide(30) * 100 * MoneySum::kScale * MoneySum::kScale * money;
    f.surcharge = double(roundHalfEven(g * k * t * money, den)) / double(money);
    return f;
}
