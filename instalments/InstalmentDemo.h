#pragma once

#include <QString>
#include <functional>

class CompanyData;

// Sample instalment sales and purchases for customers of the company chosen at random, written
// through InstalmentPosting a few hundred to a command: each with an invoice of one to ten
// lines (one in two hundred with five invoices), a down payment and twelve instalments, the
// first lines paid (half in cash, the rest by card or otherwise). `progress` gets a line now
// and then.
void fillDemoInstalments(CompanyData& company, int sales, int purchases,
                         const std::function<void(const QString&)>& progress = {});
