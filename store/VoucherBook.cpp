#include "store/VoucherBook.h"

#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/CompanyData.h"
#include "store/MoneySum.h"
#include "store/Table.h"

VoucherHeaders::VoucherHeaders(CompanyData& company, const QString& table, const QString& kind)
    : company_(company)
    , table_(table)
    , kind_(kind)
    , vouchers_(std::make_unique<Table>(company.connection(), table))
{
    vouchers_->open();
}

VoucherHeaders::~VoucherHeaders() = default;

qint64 VoucherHeaders::create(const QDate& tarih)
{
    return CommandTransaction::run(company_.connection(), [&] {
        return appendRecord(*vouchers_, [&] { (*vouchers_)[QStringLiteral("Tarih")] = tarih; });
    });
}

void VoucherHeaders::mustExist(qint64 voucherId)
{
    if (!read(voucherId))
        throw AppError(QStringLiteral("%1 fişi bulunamadı (%2).").arg(kind_).arg(voucherId));
}

void VoucherHeaders::save(const VoucherHeader& header)
{
    if (!header.tarih.isValid())
        throw AppError(QStringLiteral("Fiş tarihini giriniz."),
                       QStringLiteral("%1 fiş kontrol").arg(kind_));
    CommandTransaction::run(company_.connection(), [&] {
        Table& v = *vouchers_;
        v.refresh();
        if (!v.editId(header.id))
            throw AppError(QStringLiteral("%1 fişi bulunamadı (%2).").arg(kind_).arg(header.id));
        changeOrCancel(v, [&] {
            v[QStringLiteral("Tarih")] = header.tarih;
            v[QStringLiteral("Aciklama")] = header.aciklama;
            v.postIfChanged();
        });
    });
}

std::optional<VoucherHeader> VoucherHeaders::read(qint64 voucherId)
{
    const std::vector<SqlRow> rows = company_.connection().select(
        QStringLiteral("SELECT \"Tarih\", \"Aciklama\" FROM \"%1\" WHERE \"Nosu\" = ?").arg(table_),
        {voucherId});
    if (rows.empty()) return std::nullopt;
    return VoucherHeader{voucherId, QDate::fromString(rows.front()[0].toString(), Qt::ISODate),
                         rows.front()[1].toString()};
}

void VoucherHeaders::remove(qint64 voucherId)
{
    vouchers_->refresh();
    if (!vouchers_->removeId(voucherId))
        throw AppError(QStringLiteral("%1 fişi bulunamadı (%2).").arg(kind_).arg(voucherId));
}

VoucherTotals VoucherHeaders::sums(const QString& lineTable, const QString& in, const QString& out,
                                   qint64 voucherId, const QString& condition)
{
    const std::vector<SqlRow> rows = company_.connection().select(
        QStringLiteral("SELECT %1, %2 FROM \"%3\" WHERE coalesce(\"FRef\",0) = ?%4")
            .arg(MoneySum::sqlSum(QStringLiteral("\"%1\"").arg(in)),
                 MoneySum::sqlSum(QStringLiteral("\"%1\"").arg(out)), lineTable,
                 condition.isEmpty() ? QString() : QStringLiteral(" AND ") + condition),
        {voucherId});
    const MoneySum a = MoneySum::fromSql(rows.front()[0]), b = MoneySum::fromSql(rows.front()[1]);
    return {company_.RoundMoney(a.value()), company_.RoundMoney(b.value()),
            company_.RoundMoney((a - b).value())};
}
