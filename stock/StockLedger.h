#pragma once

#include "store/StockTotals.h"

#include <QDate>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class CompanyData;
class Table;

// Source codes of stock movements: which program wrote a movement.
namespace StockKaynak {
inline const QString ST = QStringLiteral("ST"); // movement window, vouchers, period transfer
inline const QString FA = QStringLiteral("FA"); // invoices
} // namespace StockKaynak

// One stock movement as a writer gives it: an entry (G…) or an exit (C…), the other side 0.
struct StockMovement {
    QDate tarih;
    QString belgeNo;
    QString aciklama;
    QString cinsi; // empty: the card's description
    QString kodu;  // the card's code when the writer has read the card in the same command
    double gMiktari = 0, gFiyati = 0, gTutari = 0;
    double cMiktari = 0, cFiyati = 0, cTutari = 0;
    QString kaynak = StockKaynak::ST;
    qint64 stockId = 0; // Stok.Nosu
    qint64 fRef = 0;    // the stock voucher, 0 for none
};

// The rules every writer of stock movements follows, built as the customer ledger is (see
// CustomerLedger.h): cursors of its own, one command per write, nothing left in edit. The
// card's code and description are copied into every movement. The card's nine totals are not
// kept by the writes: recomputeTotals derives them when a window or report needs them.
class StockLedger {
public:
    explicit StockLedger(CompanyData& company);
    ~StockLedger();
    StockLedger(const StockLedger&) = delete;
    StockLedger& operator=(const StockLedger&) = delete;

    // Writes a new movement; returns its Nosu. Throws AppError for a card that does not exist.
    qint64 post(const StockMovement& movement);
    // Writes new movements in one command, a few dozen to a statement on a server; returns
    // their Nosu in order.
    std::vector<qint64> postAll(const std::vector<StockMovement>& movements);
    // Rewrites the movement of a link in place; a link to a record that no longer exists gets
    // a new movement. Returns the (possibly new) Nosu. A movement that already says the same is
    // not written; `wrote` tells whether anything was.
    qint64 rewrite(qint64 id, const StockMovement& movement, bool* wrote = nullptr);
    // Gives the movements a new date and document number (an invoice re-dated or numbered
    // anew), a few dozen to a statement.
    void restamp(const std::vector<qint64>& ids, const QDate& tarih, const QString& belgeNo);
    // Deletes the movement of a link; a link to a record that no longer exists is skipped.
    void remove(qint64 id);
    std::optional<StockMovement> read(qint64 id);

    // An invoice line's movement: the unit price is RoundMoney(net / quantity), left empty
    // when the quantity is 0; `entry` for purchases, exit for sales.
    StockMovement invoiceLine(qint64 stockId, const QDate& date, const QString& number,
                              const QString& customerTitle, double quantity, double net,
                              bool entry) const;

    // The card's nine totals from its movements (up to `asOf` when given), read in one query
    // and written into the card in one command. The card's row version is left as it is, so
    // an edit of the card open in a window still saves.
    StockTotals::Totals recomputeTotals(qint64 stockId, const QDate& asOf = QDate());
    // Several cards' totals written in one command (the inventory reports), each card's nine
    // together, its row version left as it is.
    void writeTotals(const std::vector<std::pair<qint64, StockTotals::Totals>>& cards);
    // The same totals, computed and written nowhere.
    StockTotals::Totals totals(qint64 stockId, const QDate& asOf = QDate());

private:
    void fill(const StockMovement& movement);

    CompanyData& company_;
    std::unique_ptr<Table> movements_;
};

// The card's nine totals recomputed from its movements (up to `asOf` when given) and written
// into the card in one command; see StockLedger::recomputeTotals.
StockTotals::Totals RecomputeStockTotals(CompanyData& company, qint64 stockId,
                                         const QDate& asOf = QDate());
