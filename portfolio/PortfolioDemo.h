#pragma once

#include <QString>
#include <functional>

class CompanyData;

// How many sample papers each portfolio gets, and how many of them come in vouchers of
// `voucherSize` papers.
struct PortfolioDemoSize {
    int customerChecks = 0, customerNotes = 0, firmChecks = 0, firmNotes = 0;
    int vouchers = 0; // per portfolio
    int voucherSize = 100;

    static PortfolioDemoSize small();
    static PortfolioDemoSize large();
};

// Sample papers in every position, for customers and banks of the company chosen at random,
// written through the portfolio's writers (movements and cash records included) a few hundred
// to a command. `progress` gets a line now and then.
void fillDemoPapers(CompanyData& company, const PortfolioDemoSize& size,
                    const std::function<void(const QString&)>& progress = {});
