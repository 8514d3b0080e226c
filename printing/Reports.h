#pragma once

#include "printing/PageSet.h"

#include <QString>
#include <functional>
#include <map>

class CompanyData;
class GlobalData;
class ReportRenderer;

// Reports by command code, with the choices their windows start with, so that they can run
// without a window (dulvet-admin report) as well as from their windows.
struct RegisteredReport {
    QString title;
    // Makes the report's pages; `company` is null when no company is open.
    std::function<PageSet(GlobalData& global, CompanyData* company)> run;
};

const std::map<int, RegisteredReport>& registeredReports();
// Throws AppError for a code without a report.
PageSet runRegisteredReport(int code, GlobalData& global, CompanyData* company);

// The company list report.
constexpr int kCompanyListReport = 9001;
