#pragma once

#include <QDate>
#include <QString>
#include <vector>

// The due date `steps` periods of `days` after `from`: a period of 30 days is a calendar
// month, the day kept or, where the month is shorter, its last day (from 31 January 2004:
// 29 February, 31 March, 30 April); any other period is that many days.
QDate NextDue(const QDate& from, int days, int steps);

// One paper of a voucher, as its figures need it.
struct VoucherPaper {
    double tutari = 0;
    QDate vadesi;
};

// The figures of a voucher's lines. T is the sum of the amounts, W the sum of each amount
// times its days from the voucher date to its due date; both are added exactly (amounts in
// units of 1/10000, whole days), so the roundings below see the true W / T.
struct VoucherFigures {
    bool hasAverage = false; // T > 0
    int averageDays = 0;     // W / T rounded to a whole day, halves to even
    QDate averageDue;        // the voucher date + averageDays
    double surcharge = 0;    // RoundMoney(GZam / 30 × RoundMoney(W / T) × T / 100)
    double total = 0;        // RoundMoney(T)

    // "dd.MM.yyyy n gün", empty without an average.
    QString averageText() const;
};

// `kurus`: whether money keeps two decimals (the company's RoundMoney).
VoucherFigures voucherFigures(const QDate& voucherDate, double gZam,
                              const std::vector<VoucherPaper>& papers, bool kurus);
