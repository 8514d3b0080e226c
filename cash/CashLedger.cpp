#include "cash/CashLedger.h"

#include "store/CommandTransaction.h"
#include "store/CompanyData.h"
#include "store/Table.h"

CashLedger::CashLedger(CompanyData& company)
    : company_(company)
    , kasa_(std::make_unique<Table>(company.connection(), QStringLiteral("Kasa")))
{
    kasa_->open();
}

CashLedger::~CashLedger() = default;

void CashLedger::fill(const CashRecord& r)
{
    Table& kasa = *kasa_;
    const auto link = [](qint64 id) { return id ? QVariant(id) : QVariant(); };
    kasa[QStringLiteral("Tarih")] = r.tarih;
    kasa[QStringLiteral("BelgeNo")] = r.belgeNo; // the store cuts texts to their size
    kasa[QStringLiteral("Aciklama")] = r.aciklama;
    kasa[QStringLiteral("Giren")] = company_.RoundCash(r.giren);
    kasa[QStringLiteral("Cikan")] = company_.RoundCash(r.cikan);
    kasa[QStringLiteral("Kaynak")] = r.kaynak;
    kasa[QStringLiteral("KARef")] = link(r.kaRef);
    kasa[QStringLiteral("TARef")] = link(r.taRef);
    kasa[QStringLiteral("TERef")] = link(r.teRef);
}

qint64 CashLedger::post(const CashRecord& record)
{
    return CommandTransaction::run(company_.connection(),
                                   [&] { return appendRecord(*kasa_, [&] { fill(record); }); });
}

qint64 CashLedger::rewrite(qint64 id, const CashRecord& record, bool* wrote)
{
    return CommandTransaction::run(company_.connection(), [&] {
        return rewriteRecord(
            *kasa_, id, [&] { fill(record); }, wrote);
    });
}

void CashLedger::remove(qint64 id)
{
    if (id <= 0) return;
    CommandTransaction::run(company_.connection(), [&] { kasa_->removeId(id); });
}

std::optional<CashRecord> CashLedger::read(qint64 id)
{
    Table& kasa = *kasa_;
    kasa.refresh();
    if (id <= 0 || !kasa.gotoId(id)) return std::nullopt;
    CashRecord r;
    r.tarih = kasa[QStringLiteral("Tarih")].asDate();
    r.belgeNo = kasa[QStringLiteral("BelgeNo")].asString();
    r.aciklama = kasa[QStringLiteral("Aciklama")].asString();
    r.giren = kasa[QStringLiteral("Giren")].asFloat();
    r.cikan = kasa[QStringLiteral("Cikan")].asFloat();
    r.kaynak = kasa[QStringLiteral("Kaynak")].asString();
    r.kaRef = kasa[QStringLiteral("KARef")].asInt64();
    r.taRef = kasa[QStringLiteral("TARef")].asInt64();
    r.teRef = kasa[QStringLiteral("TERef")].asInt64();
    return r;
}

qint64 CashLedger::lastWhere(const QString& condition, const QVariantList& params)
{
    return company_.connection()
        .scalar(QStringLiteral("SELECT max(\"Nosu\") FROM \"Kasa\" WHERE %1").arg(condition),
                params)
        .toLongLong();
}

qint64 CashLedger::lastOfSlip(Slip slip, qint64 slipId)
{
    if (slipId <= 0) return 0;
    return lastWhere(slip == Slip::Collection ? QStringLiteral("coalesce(\"TARef\",0) = ?")
                                              : QStringLiteral("coalesce(\"TERef\",0) = ?"),
                     {slipId});
}

qint64 CashLedger::lastLinked(qint64 kaRef, const QString& kaynak)
{
    if (kaRef <= 0) return 0;
    return lastWhere(QStringLiteral("coalesce(\"KARef\",0) = ? AND \"Kaynak\" = ?"),
                     {kaRef, kaynak});
}

CashTotals CashLedger::totalsBefore(const QDate& date)
{
    QString sql = QStringLiteral("SELECT %1, %2 FROM \"Kasa\"")
                      .arg(MoneySum::sqlSum(QStringLiteral("\"Giren\"")),
                           MoneySum::sqlSum(QStringLiteral("\"Cikan\"")));
    QVariantList params;
    if (date.isValid()) {
        // Through the date index: records without a date come first in it, as in the book.
        sql += QStringLiteral(" WHERE coalesce(\"Tarih\",'') < ?");
        params << date.toString(Qt::ISODate);
    }
    const SqlRow row = company_.connection().select(sql, params).front();
    return {MoneySum::fromSql(row[0]), MoneySum::fromSql(row[1])};
}

CashTotals CashLedger::totals()
{
    return totalsBefore(QDate());
}
