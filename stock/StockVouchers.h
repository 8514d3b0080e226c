#pragma once

#include "stock/StockLedger.h"
#include "store/VoucherBook.h"

#include <memory>

class CompanyData;

// The only writer of stock vouchers (StFis) and their lines: ordinary stock movements ("ST")
// that name the voucher in FRef, written through the stock ledger. Each call is one command;
// card totals are not touched (the movement window and the inventory reports derive them).
// Totals: entry values, exit values and their difference.
class StockVoucherPosting : public HeaderedVoucherBook {
public:
    explicit StockVoucherPosting(CompanyData& company);
    ~StockVoucherPosting() override;

    // A line of the voucher: the card is the one whose code is exactly `code` ("Stok kart nosu
    // bulunamadı" otherwise), whose code and description the line takes. `lineId` 0: a new
    // line. Returns the line's Nosu.
    qint64 saveLine(qint64 voucherId, qint64 lineId, const QString& code, StockMovement line);
    void removeLine(qint64 voucherId, qint64 lineId) override;
    void removeVoucher(qint64 voucherId) override;
    VoucherTotals totals(qint64 voucherId) override;

private:
    // The stored line, refused when it is not the voucher's.
    void mustBeLineOf(qint64 voucherId, qint64 lineId);

    CompanyData& company_;
    std::unique_ptr<StockLedger> ledger_;
};
