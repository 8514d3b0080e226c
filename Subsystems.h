#pragma once

// Every subsystem's windows and reports. The program fills both registries at start-up,
// dulvet-admin the reports; a new subsystem adds one line to each list.
#include "app/WindowRegistry.h"
#include "cash/Registration.h"
#include "customers/Registration.h"
#include "instalments/Registration.h"
#include "invoicing/Registration.h"
#include "orders/Registration.h"
#include "portfolio/Registration.h"
#include "printing/CompanyListReport.h"
#include "printing/ReportRegistry.h"
#include "stock/Registration.h"

inline void registerReports(ReportRegistry& reports)
{
    registerCompanyListReport(reports);
    registerCustomerReports(reports);
    registerStockReports(reports);
    registerCashReports(reports);
    registerInvoiceReports(reports);
    registerPortfolioReports(reports);
    registerInstalmentReports(reports);
    registerOrderReports(reports);
}

inline void registerWindows(WindowRegistry& windows)
{
    registerCustomerWindows(windows);
    registerStockWindows(windows);
    registerCashWindows(windows);
    registerInvoiceWindows(windows);
    registerPortfolioWindows(windows);
    registerInstalmentWindows(windows);
    registerOrderWindows(windows);
}
