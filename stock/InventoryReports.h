#pragma once

#include "printing/ReportRenderer.h"
#include "stock/StockReports.h"

class CompanyData;

// The inventory reports (3303 physical, 3304 financial, 3305 profit analysis): every chosen card
// with its totals recomputed from its movements up to the inventory date and written back into
// the card, a row each, and the sums.
namespace InventoryReports {

enum class Kind { Physical, Financial, Profit };
enum class Method { Fifo, Lifo, Average };

struct Choice {
    StockReports::CardChoice cards; // codes, special codes, kind, order
    QDate date;                     // invalid: every movement
    Method method = Method::Fifo;   // the profit analysis's valuation
};

RunningReport start(CompanyData& company, Kind kind, const Choice& choice, bool letter = false);
PageSet report(CompanyData& company, Kind kind, const Choice& choice, bool letter = false);

} // namespace InventoryReports
