#pragma once

#include <QString>
#include <functional>

class CompanyData;

// Sample invoices for the demo books: `count` invoices of 1 to 20 lines, sales and purchases,
// a third of them closed (paid in cash), posted as the invoice windows post them, in batches.
// With `large`, one invoice of 200 lines and one of ten printed pages are added.
void fillDemoInvoices(CompanyData& company, int count, bool large,
                      const std::function<void(const QString&)>& progress = {});
