#pragma once

#include "printing/PageSet.h"
#include "printing/ReportRenderer.h"

#include <QDate>
#include <QString>
#include <array>

class CompanyData;
struct OrderKind;

// The printed pages of the orders.
namespace OrderReports {

// "SATIŞ SİPARİŞ FİŞİ" / "ALIŞ SİPARİŞ FİŞİ": the order's customer block and dates on every
// page, its lines, and the totals with the total in words at the end; 210 × 297 mm.
PageSet orderPages(CompanyData& company, const OrderKind& kind, qint64 orderId);

// "… TARİHLERİ SATIŞ SİPARİŞLERİ" (7301): the orders of one kind due within a range, optionally
// of a number, customer code and special code range, open, closed or all; each with its lines
// in the detailed list; running totals at the foot of every page but the last and the totals
// of all at the end.
struct OrderListChoice {
    QDate from, to;                   // delivery dates, both included
    QString numberFrom, numberTo;     // order numbers, compared as numbers; empty: open
    QString customerFrom, customerTo; // customer codes, compared as text
    QString specialFrom, specialTo;   // the order's special code
    int order = 0;                    // 0 delivery date, 1 number, 2 opening date, 3 title
    int type = 0;                     // 0 purchase ("&Alış"), 1 sales ("&Satış")
    bool detail = false;
    int state = 0; // 0 open, 1 closed, 2 all
};
RunningReport startOrderList(CompanyData& company, const OrderListChoice& choice,
                             bool letter = false);
PageSet orderList(CompanyData& company, const OrderListChoice& choice, bool letter = false);

// "SATIŞ SİPARİŞ KALEMLERİ LİSTESİ" (7303): order lines of one kind due within a range,
// optionally of a stock and a customer code range; open (Kalan above 0), closed (0 or below) or
// all; by delivery date or customer code; the quantities summed at the end.
struct LineListChoice {
    QDate from, to;
    QString stockFrom, stockTo, customerFrom, customerTo;
    int order = 0; // 0 delivery date, 1 customer code
    int state = 0; // 0 open, 1 closed, 2 all
    int type = 0;  // 0 purchase, 1 sales
};
RunningReport startLineList(CompanyData& company, const LineListChoice& choice,
                            bool letter = false);
PageSet lineList(CompanyData& company, const LineListChoice& choice, bool letter = false);

// "SİPARİŞ FİZİKİ ENVANTER" (7302): each stock card with what came in and went out, the stock
// on hand, what open purchase and sales orders still wait for, and the balance after them.
struct StockStatusChoice {
    QString codeFrom, codeTo;
    std::array<QString, 3> specialFrom, specialTo;
    int material = 4; // 0 raw material … 3 product, 4 all
    int order = 0;    // 0 code, 1 name
};
RunningReport startStockStatus(CompanyData& company, const StockStatusChoice& choice,
                               bool letter = false);
PageSet stockStatus(CompanyData& company, const StockStatusChoice& choice, bool letter = false);

} // namespace OrderReports
