#pragma once

#include "store/StockTotals.h"

#include <QDate>

class CompanyData;

// What the quick stock view shows of a card besides its own fields, all read through queries of
// its own and written nowhere.
struct StockFacts {
    double vatPrices[3] = {0, 0, 0}; // Fiyat1..3 with the card's VAT (Normal)
    struct Last {
        bool found = false;
        QDate tarih;
        double miktar = 0, fiyat = 0, tutar = 0;
    };
    Last lastPurchase, lastSale; // the newest entry and exit
    double cheapestPurchase = 0, dearestPurchase = 0, cheapestSale = 0, dearestSale = 0;
    double giren = 0, cikan = 0, bakiye = 0; // quantities, through RoundMoney
    StockTotals::Totals inventory;           // as the card totals are computed
};

StockFacts quickStockFacts(CompanyData& company, qint64 stockId);
