#pragma once

#include <QDate>
#include <QString>
#include <vector>

// The payment plan of an instalment invoice: a down payment and instalments, made equal
// ("Manuel") or by a percentage template, every amount through the company's RoundMoney. A
// rounding amount Y above 1 rounds each instalment of Y or more down to a multiple of Y; the
// difference line takes what the rounding leaves, so that down payment, instalments and
// difference always add up to the amount planned.
namespace InstalmentPlan {

struct Input {
    double amount = 0;              // "Satış tutarı": what the plan covers
    double downPayment = 0;         // "Peşinat tutarı"
    int count = 1;                  // "Taksit adedi"
    int interval = 30;              // "Vade aralığı", days; 30 is a calendar month
    QDate invoiceDate;              // "Fatura tarihi"
    QDate firstDue;                 // "Vade başlangıç tarihi"
    double rounding = 1;            // "Yuvarlama (TL)"
    int differenceLine = 1;         // "Fark hangi takside"
    std::vector<int> templateLines; // a template: down payment %, then one % per instalment
};

struct Line {
    QDate due;
    QString text; // "PEŞİNAT", "1. TAKSİT", …
    double amount = 0;
};

struct Result {
    double downPayment = 0;
    std::vector<double> instalments; // the difference included on its line
    double difference = 0;
    std::vector<Line> lines; // down payment (when above 0) and instalments, with dates
};

// The window's rules before a preview or a save: rounding at least 1, at least one
// instalment, the first due date not before the invoice date, the difference line within the
// instalments; a template sets the count and the down payment.
void normalise(Input& input, bool kurus);
// Refuses what cannot be planned: a down payment above the amount, an interval below one day.
// Empty when the input can be planned, else the message.
QString fault(const Input& input);
Result compute(const Input& input, bool kurus);

// Templates: "Sablon1.pl" … "Sablon3.pl" beside Users.ini, one whole number per line.
QString templatePath(const QString& programDir, int number);
std::vector<int> readTemplate(const QString& path);
// Throws AppError when the file cannot be written; the old one then stays.
void writeTemplate(const QString& path, const std::vector<int>& lines);
// A template may be empty; else it needs two lines or more adding up to 100.
bool templateConsistent(const std::vector<int>& lines);

} // namespace InstalmentPlan
