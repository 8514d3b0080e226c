#pragma once

#include "printing/PageSet.h"

#include <QDate>
#include <QMap>
#include <QString>
#include <functional>
#include <map>
#include <vector>

class CompanyData;
class GlobalData;

// Reports by code, with the choices they take by name, so that they run without a window
// (dulvet-admin report) as well as from their windows. Each subsystem registers its own reports;
// the program and dulvet-admin fill one registry at start-up.
using ReportOptions = QMap<QString, QString>;

struct ReportOption {
    QString name;  // given as --name VALUE
    QString value; // what the value is, for the usage text ("GG.AA.YYYY")
    QString help;
};

struct RegisteredReport {
    QString title;
    bool needsCompany = false;
    std::vector<ReportOption> options;
    // Makes the report's pages; `company` is null when no company is open.
    std::function<PageSet(GlobalData& global, CompanyData* company, const ReportOptions& options)>
        run;
};

class ReportRegistry {
public:
    // Throws AppError for a code registered twice.
    void add(int code, RegisteredReport report);
    const std::map<int, RegisteredReport>& reports() const { return reports_; }
    // Runs a report. Throws AppError for a code without a report, an option the report does not
    // take, or a report that needs a company when none is open.
    PageSet run(int code, GlobalData& global, CompanyData* company,
                const ReportOptions& options = {}) const;

private:
    std::map<int, RegisteredReport> reports_;
};

// Reading options: a date (dd.mm.yyyy and the other forms filters take), `fallback` when absent.
QDate reportDateOption(const ReportOptions& options, const QString& name, const QDate& fallback);
// An amount ("1,250.50" or "1250.50"); `fallback` when absent.
double reportAmountOption(const ReportOptions& options, const QString& name, double fallback);
// One of the given words (case-insensitive); its position, `fallback` when absent.
int reportChoiceOption(const ReportOptions& options, const QString& name, const QStringList& words,
                       int fallback);
