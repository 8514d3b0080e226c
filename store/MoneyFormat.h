#pragma once

#include <QString>

// Rounds to two decimals (kurus) or to whole units, an exact half of the stored double going to
// the even neighbour: 2.675 (stored just below) gives 2.67, 12.5 gives 12, 13.5 gives 14.
double roundMoney(double amount, bool kurus);

// Writes a number with a display mask such as "#,##0", "#,##0.00" or "0.####": "," in the
// mask asks for thousands separated by ",", the digits after "." give the decimals ("0"
// always shown, "#" only when not zero). Halves round away from zero, as on printed forms.
QString formatNumber(double value, const QString& mask);

// Removes every "," of the text.
QString stripThousands(const QString& text);
