#pragma once

#include "store/CompanySettings.h"

#include <QDate>
#include <QString>
#include <functional>

class CompanyData;
class GlobalData;

// The period transfer: a new company that starts with the open company's customer and stock
// cards and, when asked, one opening ("DEVİR") movement per card carrying its balance. The
// open company is only read, in one consistent view, through cursors of the transfer's own;
// the new company appears whole or not at all (see CompanyBuild).
namespace PeriodTransfer {

// How the stock carried forward is valued (Users.ini STOKD).
enum class Valuation { Fifo = 0, Lifo = 1, Average = 2 };

struct Options {
    QString code;          // the new company's code
    QDate date;            // date of every opening movement
    bool balances = false; // write the opening movements (Users.ini DEVIR)
    Valuation valuation = Valuation::Fifo;
    bool dropSixZeros = false; // amounts, limits and prices divided by 1,000,000
    CompanySettings settings;  // the new company's Ayar.ini
};

enum class Step { Customers, Stock, Company };
// Called as the work goes on (a few hundred times at most): the step, how far it has come and
// how far it goes. Throwing from it stops the transfer like any failure.
using Progress = std::function<void(Step step, qint64 done, qint64 total)>;

struct Result {
    QString directory;
    qint64 customers = 0, customerMovements = 0;
    qint64 stockCards = 0, stockMovements = 0;
};

// Why a code cannot take the new company, with the lines the transfer window shows.
enum class CodeProblem { None, Taken, Directory };
struct CodeCheck {
    CodeProblem problem = CodeProblem::None;
    QString line1, line2;
};
// Removes first what a killed transfer left under the code (see clearUnfinishedCompany).
CodeCheck checkCode(CompanyData& from, GlobalData& global, const QString& code);

// Makes the new company. `activeTitle` is the open company's title, for its Sirket record
// when the open company's own record cannot be found. Throws AppError, leaving nothing made.
Result run(CompanyData& from, GlobalData& global, const QString& activeTitle,
           const Options& options, const Progress& progress = {});

} // namespace PeriodTransfer
