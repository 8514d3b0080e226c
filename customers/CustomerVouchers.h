#pragma once

#include "customers/CustomerLedger.h"
#include "store/VoucherBook.h"

#include <memory>

class CompanyData;

// The only writer of customer vouchers (CarFis) and their lines: hand-entered customer
// movements ("CA") of any customers that name the voucher in FRef, written through the customer
// ledger, so each customer's totals follow in the same command. Totals: debits, credits and
// their difference.
class CustomerVoucherPosting : public HeaderedVoucherBook {
public:
    explicit CustomerVoucherPosting(CompanyData& company);
    ~CustomerVoucherPosting() override;

    // A line of the voucher for the customer whose code is exactly `code` ("Cari kart nosu
    // bulunamadı" otherwise). `lineId` 0: a new line. Returns the line's Nosu.
    qint64 saveLine(qint64 voucherId, qint64 lineId, const QString& code, CustomerMovement line);
    void removeLine(qint64 voucherId, qint64 lineId) override;
    void removeVoucher(qint64 voucherId) override;
    VoucherTotals totals(qint64 voucherId) override;

private:
    void mustBeLineOf(qint64 voucherId, qint64 lineId);

    CompanyData& company_;
    std::unique_ptr<CustomerLedger> ledger_;
};
