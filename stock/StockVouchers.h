#pragma once

#include "stock/StockLedger.h"

#include <QDate>
#include <QString>
#include <memory>
#include <optional>

class CompanyData;
class Table;

// A stock voucher's header.
struct StockVoucher {
    qint64 id = 0;
    QDate tarih;
    QString aciklama;
};

// The sums of a voucher's lines: entries, exits and their difference, exact.
struct StockVoucherTotals {
    double giren = 0, cikan = 0, bakiye = 0;
};

// The only writer of stock vouchers (StFis) and their lines: ordinary stock movements ("ST")
// that name the voucher in FRef, written through the stock ledger. Each call is one command;
// card totals are not touched (the movement window and the inventory reports derive them).
class StockVoucherPosting {
public:
    explicit StockVoucherPosting(CompanyData& company);
    ~StockVoucherPosting();
    StockVoucherPosting(const StockVoucherPosting&) = delete;
    StockVoucherPosting& operator=(const StockVoucherPosting&) = delete;

    // A new voucher dated `tarih`, posted at once; its Nosu.
    qint64 create(const QDate& tarih);
    // The header as its window leaves it; an empty date is refused.
    void saveHeader(const StockVoucher& voucher);
    std::optional<StockVoucher> read(qint64 voucherId);

    // A line of the voucher: the card is the one whose code is exactly `code` ("Stok kart nosu
    // bulunamadı" otherwise), whose code and description the line takes. `lineId` 0: a new
    // line. Returns the line's Nosu.
    qint64 saveLine(qint64 voucherId, qint64 lineId, const QString& code, StockMovement line);
    void removeLine(qint64 voucherId, qint64 lineId);
    // The voucher with every line: all or nothing.
    void removeVoucher(qint64 voucherId);

    StockVoucherTotals totals(qint64 voucherId);

private:
    CompanyData& company_;
    std::unique_ptr<Table> vouchers_;
    std::unique_ptr<StockLedger> ledger_;
};
