#include "stock/StockVouchers.h"

#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/CompanyData.h"

StockVoucherPosting::StockVoucherPosting(CompanyData& company)
    : HeaderedVoucherBook(company, QStringLiteral("StFis"), QStringLiteral("Stok"))
    , company_(company)
    , ledger_(std::make_unique<StockLedger>(company))
{
}

StockVoucherPosting::~StockVoucherPosting() = default;

void StockVoucherPosting::mustBeLineOf(qint64 voucherId, qint64 lineId)
{
    const std::optional<StockMovement> stored = ledger_->read(lineId);
    if (!stored || stored->fRef != voucherId)
        throw AppError(QStringLiteral("Stok hareketi bu fişin değil."),
                       QStringLiteral("Stok hareket kontrol"));
}

qint64 StockVoucherPosting::saveLine(qint64 voucherId, qint64 lineId, const QString& code,
                                     StockMovement line)
{
    if (!line.tarih.isValid()) throw AppError(QStringLiteral("Stok hareketi tarihini giriniz."));
    return CommandTransaction::run(company_.connection(), [&] {
        const std::optional<CompanyData::Card> card =
            company_.findCard(QStringLiteral("Stok"), QStringLiteral("Kodu"),
                              QStringLiteral("Cinsi"), code.trimmed());
        if (!card || code.trimmed().isEmpty())
            throw AppError(QStringLiteral("Stok kart nosu bulunamadı"),
                           QStringLiteral("Stok kart kontrol"));
        headers_.mustExist(voucherId);
        if (lineId > 0) mustBeLineOf(voucherId, lineId);
        line.stockId = card->id;
        line.kodu = card->code;
        line.cinsi = card->title;
        line.kaynak = StockKaynak::ST;
        line.fRef = voucherId;
        return lineId > 0 ? ledger_->rewrite(lineId, line) : ledger_->post(line);
    });
}

void StockVoucherPosting::removeLine(qint64 voucherId, qint64 lineId)
{
    CommandTransaction::run(company_.connection(), [&] {
        mustBeLineOf(voucherId, lineId);
        ledger_->remove(lineId);
    });
}

void StockVoucherPosting::removeVoucher(qint64 voucherId)
{
    CommandTransaction::run(company_.connection(), [&] {
        for (const SqlRow& row : company_.connection().select(
                 QStringLiteral("SELECT \"Nosu\" FROM \"StHar\" WHERE coalesce(\"FRef\",0) = ? "
                                "ORDER BY \"Nosu\""),
                 {voucherId}))
            ledger_->remove(row[0].toLongLong());
        headers_.remove(voucherId);
    });
}

VoucherTotals StockVoucherPosting::totals(qint64 voucherId)
{
    return headers_.sums(QStringLiteral("StHar"), QStringLiteral("GTutari"),
                         QStringLiteral("CTutari"), voucherId);
}
