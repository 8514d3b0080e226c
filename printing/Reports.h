#pragma once

#include "printing/PageSet.h"

#include <QMap>
#include <QString>
#include <functional>
#include <map>

class CompanyData;
class GlobalData;
class ReportRenderer;

// Reports by command code, with the choices their windows start with, so that they can run
// without a window (dulvet-admin report) as well as from their windows.
// Choices given by name: "customer" (a customer code), "from" and "to" (dates, dd.mm.yyyy).
using ReportOptions = QMap<QString, QString>;

struct RegisteredReport {
    QString title;
    bool needsCompany = false;
    // Makes the report's pages; `company` is null when no company is open.
    std::function<PageSet(GlobalData& global, CompanyData* company, const ReportOptions& options)>
        run;
};

const std::map<int, RegisteredReport>& registeredReports();
// Throws AppError for a code without a report, or one that needs a company when none is open.
PageSet runRegisteredReport(int code, GlobalData& global, CompanyData* company,
                            const ReportOptions& options = {});

// The company list report.
constexpr int kCompanyListReport = 9001;
