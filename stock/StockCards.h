#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

class CompanyData;
class Table;

// Rules of the stock card itself: what the card window shows of its movements, when a save
// dates a price change, when a card may go, and the warnings on its quantity on hand.
namespace StockCards {

// The last entry or exit of a card.
struct LastMovement {
    QDate date;
    double quantity = 0, price = 0, amount = 0;
};

// The card window's read-only panel, from the card's movements by aggregate queries.
struct Panel {
    double giren = 0, cikan = 0, bakiye = 0;  // quantities
    LastMovement alis, satis;                 // last purchase (entry), last sale (exit)
    double cheapestBuy = 0, dearestBuy = 0;   // among entry prices that are not 0
    double cheapestSale = 0, dearestSale = 0; // among exit prices that are not 0
};
Panel panel(CompanyData& company, qint64 stockId);

// Whether a save sets DegTarih to today: a new card with a price that is not 0, or an edited
// card with a price that differs from the one loaded. Prices are compared at the editor's
// decimals, so a price only read and written back is no change.
bool datesPriceChange(bool isNew, const std::array<double, 3>& loaded,
                      const std::array<double, 3>& typed, int decimals);

// The price window's save, one command: the prices that differ from the loaded ones at the
// editor's decimals are written with DegTarih = today; an untouched price keeps its stored
// value to the last decimal. Nothing is written when none differs; true when something was.
bool savePrices(CompanyData& company, qint64 stockId, const std::array<double, 3>& loaded,
                const std::array<double, 3>& typed, int decimals);

// Deletes the card `stok` stands on, in one command, unless it has a movement of any source;
// false (nothing deleted) when it has.
bool deleteCard(CompanyData& company, Table& stok);

// The warning the movement window shows after recomputing a card, as its two lines: a negative
// quantity on hand, else a quantity at or below a critical level that is not 0. None otherwise.
std::optional<QStringList> quantityWarning(const QString& cinsi, const QString& birim,
                                           double kritik, double onHand);

} // namespace StockCards
