#include "stock/StockVouchers.h"

#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/CompanyData.h"
#include "store/MoneySum.h"
#include "store/Table.h"

namespace {

AppError unknownCard()
{
    return AppError(QStringLiteral("Stok kart nosu bulunamadı"),
                    QStringLiteral("Stok kart kontrol"));
}

} // namespace

StockVoucherPosting::StockVoucherPosting(CompanyData& company)
    : company_(company)
    , vouchers_(std::make_unique<Table>(company.connection(), QStringLiteral("StFis")))
    , ledger_(std::make_unique<StockLedger>(company))
{
    vouchers_->open();
}

StockVoucherPosting::~StockVoucherPosting() = default;

qint64 StockVoucherPosting::create(const QDate& tarih)
{
    return CommandTransaction::run(company_.connection(), [&] {
        return appendRecord(*vouchers_, [&] { (*vouchers_)[QStringLiteral("Tarih")] = tarih; });
    });
}

void StockVoucherPosting::saveHeader(const StockVoucher& voucher)
{
    if (!voucher.tarih.isValid())
        throw AppError(QStringLiteral("Fiş tarihini giriniz."), QStringLiteral("Stok fiş kontrol"));
    CommandTransaction::run(company_.connection(), [&] {
        Table& v = *vouchers_;
        v.refresh();
        if (!v.editId(voucher.id))
            throw AppError(QStringLiteral("Stok fişi bulunamadı (%1).").arg(voucher.id));
        changeOrCancel(v, [&] {
            v[QStringLiteral("Tarih")] = voucher.tarih;
            v[QStringLiteral("Aciklama")] = voucher.aciklama;
            v.postIfChanged();
        });
    });
}

std::optional<StockVoucher> StockVoucherPosting::read(qint64 voucherId)
{
    const std::vector<SqlRow> rows = company_.connection().select(
        QStringLiteral("SELECT \"Tarih\", \"Aciklama\" FROM \"StFis\" WHERE \"Nosu\" = ?"),
        {voucherId});
    if (rows.empty()) return std::nullopt;
    return StockVoucher{voucherId, QDate::fromString(rows.front()[0].toString(), Qt::ISODate),
                        rows.front()[1].toString()};
}

qint64 StockVoucherPosting::saveLine(qint64 voucherId, qint64 lineId, const QString& code,
                                     StockMovement line)
{
    if (!line.tarih.isValid()) throw AppError(QStringLiteral("Stok hareketi tarihini giriniz."));
    return CommandTransaction::run(company_.connection(), [&] {
        const std::optional<CompanyData::Card> card =
            company_.findCard(QStringLiteral("Stok"), QStringLiteral("Kodu"),
                              QStringLiteral("Cinsi"), code.trimmed());
        if (!card || code.trimmed().isEmpty()) throw unknownCard();
        if (!read(voucherId))
            throw AppError(QStringLiteral("Stok fişi bulunamadı (%1).").arg(voucherId));
        if (lineId > 0) {
            const std::optional<StockMovement> stored = ledger_->read(lineId);
            if (!stored || stored->fRef != voucherId)
                throw AppError(QStringLiteral("Stok hareketi bu fişin değil."),
                               QStringLiteral("Stok hareket kontrol"));
        }
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
        const std::optional<StockMovement> stored = ledger_->read(lineId);
        if (!stored || stored->fRef != voucherId)
            throw AppError(QStringLiteral("Stok hareketi bu fişin değil."),
                           QStringLiteral("Stok hareket kontrol"));
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
        vouchers_->refresh();
        if (!vouchers_->removeId(voucherId))
            throw AppError(QStringLiteral("Stok fişi bulunamadı (%1).").arg(voucherId));
    });
}

StockVoucherTotals StockVoucherPosting::totals(qint64 voucherId)
{
    const std::vector<SqlRow> rows = company_.connection().select(
        QStringLiteral("SELECT %1, %2 FROM \"StHar\" WHERE coalesce(\"FRef\",0) = ?")
            .arg(MoneySum::sqlSum(QStringLiteral("\"GTutari\"")),
                 MoneySum::sqlSum(QStringLiteral("\"CTutari\""))),
        {voucherId});
    const MoneySum in = MoneySum::fromSql(rows.front()[0]),
                   out = MoneySum::fromSql(rows.front()[1]);
    return {company_.RoundMoney(in.value()), company_.RoundMoney(out.value()),
            company_.RoundMoney((in - out).value())};
}
