#pragma once

#include <QString>
#include <functional>
#include <vector>

class CompanyData;
class Connection;

// What sample documents are made of: the first 5,000 customer cards that are not banks and the
// first 5,000 stock cards.
struct DemoCatalogue {
    struct Card {
        qint64 id;
        QString code, title;
    };
    struct Item {
        qint64 id;
        QString code, name, unit;
        double price;
    };
    std::vector<Card> cards;
    std::vector<Item> items;
    static DemoCatalogue read(Connection& db);
    bool empty() const { return cards.empty() || items.empty(); }
};

// Sample invoices for the demo books: `count` invoices of 1 to 20 lines, sales and purchases,
// a third of them closed (paid in cash), posted as the invoice windows post them, in batches.
// With `large`, one invoice of 200 lines and one of ten printed pages are added.
void fillDemoInvoices(CompanyData& company, int count, bool large,
                      const std::function<void(const QString&)>& progress = {});
