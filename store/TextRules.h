#pragma once

#include <QDate>
#include <QString>

// The date as the books write it, dd.mm.yyyy; empty for a date that is not valid. Reports write
// hundreds of thousands of these, so it does not go through the locale.
QString DateText(const QDate& date);

// "*" is today; blanks, "/", "," and "." separate day, month and year; 8 or 6 digits without
// separators are ddmmyyyy or ddmmyy. The result is written dd.mm.yyyy, or empty when the text is
// not a date. Two-digit years fall within fifty years either side of today.
QString NormalizeDateText(const QString& text, const QDate& today = QDate::currentDate());

// The integer value of the text; 0 when it is not an integer.
int SafeStrToInt(const QString& text);
