#pragma once

#include <QString>
#include <functional>

class CompanyData;

struct DemoSize {
    int customers;
    int suppliers;
    int banks;
    int stockCards;
    int stockMovements;
    int customerMovements;
    int cashRecords;

    static DemoSize small();
    static DemoSize large();
};

// Fills a company with plausible Turkish sample books: cards, movements and cash records.
// `progress` gets a line now and then for long runs.
void fillDemoBooks(CompanyData& company, const DemoSize& size,
                   const std::function<void(const QString&)>& progress);
