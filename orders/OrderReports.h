#pragma once

#include "printing/PageSet.h"

class CompanyData;
struct OrderKind;

// The printed pages of the orders.
namespace OrderReports {

// "SATIŞ SİPARİŞ FİŞİ" / "ALIŞ SİPARİŞ FİŞİ": the order's customer block and dates on every
// page, its lines, and the totals with the total in words at the end; 210 × 297 mm.
PageSet orderPages(CompanyData& company, const OrderKind& kind, qint64 orderId);

} // namespace OrderReports
