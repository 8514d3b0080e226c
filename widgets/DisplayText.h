#pragma once

#include <QString>

// The texts of the display labels, kept apart from the widgets so that the report engine and
// the tests use the same rules.

// A caption written vertically, one character per line: each character but the last is
// followed by a line feed, a carriage return and i × `bosluk` blanks (i counting from 1), so
// that with blanks the letters step to the right. An empty caption stays empty.
QString VerticalText(const QString& caption, int bosluk);
// The lines of a vertical text as they are drawn (the carriage returns dropped).
QString DrawnLines(const QString& text);

// The number panel's caption: the shortest decimal text of the value (15 significant digits),
// the whole part grouped by thousands with ",", the fraction as written, a trailing point
// dropped: 1234567.5 → "1,234,567.5", -1234.25 → "-1,234.25", 1000 → "1,000", 0.5 → "0.5".
// Values of 10^15 and above in magnitude show in exponent form, ungrouped.
QString PanelNumberText(double value);
// The caption read back as a number (its "," removed); 0 when it is not one.
double PanelNumberValue(const QString& caption);

// One step of the marquee: the last character to the front (`soldanSaga`) or the first to the
// end. An empty caption runs as "ZemrakKayanLabel".
QString MarqueeStep(const QString& caption, bool soldanSaga);
