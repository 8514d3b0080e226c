#include "customers/CustomerVouchers.h"

#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/CompanyData.h"

CustomerVoucherPosting::CustomerVoucherPosting(CompanyData& company)
    : HeaderedVoucherBook(company, QStringLiteral("CarFis"), QStringLiteral("Cari"))
    , company_(company)
    , ledger_(std::make_unique<CustomerLedger>(company))
{
}

CustomerVoucherPosting::~CustomerVoucherPosting() = default;

void CustomerVoucherPosting::mustBeLineOf(qint64 voucherId, qint64 lineId)
{
    const std::optional<CustomerMovement> stored = ledger_->read(lineId);
    if (!stored || stored->fRef != voucherId || stored->kaynak != Kaynak::CA)
        throw AppError(QStringLiteral("Cari hareket bu fişin değil."),
                       QStringLiteral("Cari hareket kontrol"));
}

qint64 CustomerVoucherPosting::saveLine(qint64 voucherId, qint64 lineId, const QString& code,
                                        CustomerMovement line)
{
    if (!line.tarih.isValid()) throw AppError(QStringLiteral("Cari hareket tarihini giriniz."));
    return CommandTransaction::run(company_.connection(), [&] {
        const std::optional<CompanyData::Card> card =
            company_.findCard(QStringLiteral("Cari"), QStringLiteral("CariNo"),
                              QStringLiteral("Unvani"), code.trimmed());
        if (!card || code.trimmed().isEmpty())
            throw AppError(QStringLiteral("Cari kart nosu bulunamadı"),
                           QStringLiteral("Cari kart kontrol"));
        headers_.mustExist(voucherId);
        if (lineId > 0) mustBeLineOf(voucherId, lineId);
        line.customerId = card->id;
        line.kaynak = Kaynak::CA;
        line.fRef = voucherId;
        return lineId > 0 ? ledger_->rewrite(lineId, line) : ledger_->post(line);
    });
}

void CustomerVoucherPosting::removeLine(qint64 voucherId, qint64 lineId)
{
    CommandTransaction::run(company_.connection(), [&] {
        mustBeLineOf(voucherId, lineId);
        ledger_->remove(lineId);
    });
}

void CustomerVoucherPosting::removeVoucher(qint64 voucherId)
{
    // Only the hand-entered lines are the voucher's: another document's movement that happens
    // to carry the same number in FRef stays.
    CommandTransaction::run(company_.connection(), [&] {
        for (const SqlRow& row : company_.connection().select(
                 QStringLiteral("SELECT \"Nosu\" FROM \"CarHar\" WHERE coalesce(\"FRef\",0) = ? "
                                "AND \"Kaynak\" = ? ORDER BY \"Nosu\""),
                 {voucherId, Kaynak::CA}))
            ledger_->remove(row[0].toLongLong());
        headers_.remove(voucherId);
    });
}

VoucherTotals CustomerVoucherPosting::totals(qint64 voucherId)
{
    return headers_.sums(QStringLiteral("CarHar"), QStringLiteral("Borc"), QStringLiteral("Alacak"),
                         voucherId, QStringLiteral("\"Kaynak\" = 'CA'"));
}
