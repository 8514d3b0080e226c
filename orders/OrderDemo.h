#pragma once

#include <QString>
#include <functional>

class CompanyData;

// Sample sales and purchase orders for customers of the company chosen at random, written
// through OrderPosting a hundred to a command: each of one to twenty lines; of every six, two are
// invoiced whole, one together with the order before it (the same customer's), one in part (half
// of its first line by an invoice made elsewhere, linked when its lines are opened), and two not
// at all. `progress` gets a line now and then.
void fillDemoOrders(CompanyData& company, int sales, int purchases,
                    const std::function<void(const QString&)>& progress = {});
