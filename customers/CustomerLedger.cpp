#include "customers/CustomerLedger.h"

#include "store/AppError.h"
#include "store/CompanyData.h"

#include <cmath>

namespace {

qint64 fixed4(double value)
{
    return qint64(std::llround(value * 10000.0));
}

int columnOf(const QString& kaynak)
{
    if (kaynak == Kaynak::FA) return CardSummary::Fatura;
    if (kaynak == Kaynak::TK || kaynak == Kaynak::TA || kaynak == Kaynak::TE ||
        kaynak == Kaynak::BN)
        return CardSummary::Nakit;
    if (kaynak == Kaynak::CE || kaynak == Kaynak::SE || kaynak == Kaynak::MF ||
        kaynak == Kaynak::MS || kaynak == Kaynak::FC || kaynak == Kaynak::FS)
        return CardSummary::CekSenet;
    return CardSummary::Dekont;
}

} // namespace

CustomerLedger::CustomerLedger(CompanyData& company)
    : company_(company)
{
}

// The card's fields, read past any filter the shared Cari table may have.
std::vector<QVariant> CustomerLedger::card(qint64 customerId, const QString& fields)
{
    const std::vector<SqlRow> rows = company_.connection().select(
        QStringLiteral("SELECT %1 FROM \"Cari\" WHERE \"Nosu\" = ?").arg(fields), {customerId});
    if (rows.empty()) throw AppError(QStringLiteral("Cari kart bulunamadı (%1).").arg(customerId));
    return rows.front();
}

void CustomerLedger::fill(const CustomerMovement& m)
{
    const SqlRow c = card(m.customerId, QStringLiteral("\"CariNo\", \"Unvani\""));
    Table& har = company_.table(QStringLiteral("CarHar"));
    har[QStringLiteral("Tarih")] = m.tarih;
    har[QStringLiteral("Vadesi")] = m.vadesi.isValid() ? m.vadesi : m.tarih;
    har[QStringLiteral("BelgeNo")] = m.belgeNo;
    har[QStringLiteral("Aciklama")] = m.aciklama;
    har[QStringLiteral("Aciklama1")] = m.aciklama1;
    har[QStringLiteral("BirimF")] = m.birimF;
    har[QStringLiteral("Adet")] = m.adet;
    har[QStringLiteral("Borc")] = company_.RoundMoney(m.borc);
    har[QStringLiteral("Alacak")] = company_.RoundMoney(m.alacak);
    har[QStringLiteral("Kaynak")] = m.kaynak;
    har[QStringLiteral("CARef")] = m.customerId;
    har[QStringLiteral("CariNo")] = c[0];
    har[QStringLiteral("Unvani")] = c[1];
    har[QStringLiteral("FRef")] = m.fRef ? QVariant(m.fRef) : QVariant();
    har[QStringLiteral("KRef")] = m.kRef ? QVariant(m.kRef) : QVariant();
}

qint64 CustomerLedger::post(const CustomerMovement& movement)
{
    Table& har = company_.table(QStringLiteral("CarHar"));
    har.append();
    try {
        fill(movement);
        har.post();
    } catch (...) {
        har.cancel();
        throw;
    }
    return har.currentId();
}

qint64 CustomerLedger::rewrite(qint64 id, const CustomerMovement& movement)
{
    Table& har = company_.table(QStringLiteral("CarHar"));
    if (id <= 0 || !CompanyData::SeekBackById(har, id)) return post(movement);
    har.edit();
    try {
        fill(movement);
        har.post();
    } catch (...) {
        har.cancel();
        throw;
    }
    return id;
}

void CustomerLedger::remove(qint64 id)
{
    Table& har = company_.table(QStringLiteral("CarHar"));
    if (id > 0 && CompanyData::SeekBackById(har, id)) har.remove();
}

CardTotals CustomerLedger::balance(qint64 customerId, const QDate& from, const QDate& to)
{
    QString sql = QStringLiteral("SELECT Borc, Alacak FROM \"CarHar\" WHERE \"CARef\" = ?");
    QVariantList params{customerId};
    if (from.isValid()) {
        sql += QStringLiteral(" AND \"Tarih\" >= ?");
        params << from.toString(Qt::ISODate);
    }
    if (to.isValid()) {
        sql += QStringLiteral(" AND \"Tarih\" <= ?");
        params << to.toString(Qt::ISODate);
    }
    qint64 borc = 0, alacak = 0;
    for (const SqlRow& row : company_.connection().select(sql, params)) {
        borc += fixed4(row[0].toDouble());
        alacak += fixed4(row[1].toDouble());
    }
    return {borc / 10000.0, alacak / 10000.0};
}

CardTotals CustomerLedger::recomputeCardTotals(qint64 customerId)
{
    const CardTotals totals = balance(customerId);
    Table& cari = company_.table(QStringLiteral("Cari"));
    const qint64 at = cari.currentId();
    if (!CompanyData::SeekBackById(cari, customerId))
        throw AppError(QStringLiteral("Cari kart bulunamadı (%1).").arg(customerId));
    CommandTransaction transaction(company_.connection());
    cari.edit();
    cari[QStringLiteral("BorcT")] = totals.borc;
    cari[QStringLiteral("AlacakT")] = totals.alacak;
    cari[QStringLiteral("BakiyeT")] = totals.bakiye();
    cari.post();
    transaction.commit();
    if (at > 0 && at != customerId) cari.gotoId(at);
    return totals;
}

QList<QStringList> CustomerLedger::limitWarnings(qint64 customerId, const CardTotals& totals)
{
    const SqlRow c =
        card(customerId, QStringLiteral("\"Unvani\", \"RiskLimiti\", \"KrediLimiti\""));
    const QString title = c[0].toString();
    const double risk = c[1].toDouble();
    const double credit = c[2].toDouble();
    const double balance = totals.bakiye();
    const auto money = [this](double v) {
        return company_.FormatMoneyText(QString::number(v, 'f', 4));
    };
    QList<QStringList> warnings;
    if (balance > risk && balance > 0 && risk != 0)
        warnings << QStringList{QStringLiteral("%1 risk limiti %2 TL").arg(title, money(risk)),
                                QStringLiteral("bakiye %1 TL").arg(money(balance))};
    if (std::fabs(balance) > credit && balance < 0 && credit != 0)
        warnings << QStringList{
            QStringLiteral("%1 kredimizin limiti %2 TL").arg(title, money(credit)),
            QStringLiteral("bakiyemiz %1 TL").arg(money(balance))};
    return warnings;
}

CardSummary CustomerLedger::summary(qint64 customerId)
{
    std::array<qint64, 5> borc{}, alacak{};
    for (const SqlRow& row : company_.connection().select(
             QStringLiteral("SELECT \"Kaynak\", sum(\"Borc\"), sum(\"Alacak\") FROM \"CarHar\" "
                            "WHERE \"CARef\" = ? "
                            "GROUP BY \"Kaynak\""),
             {customerId})) {
        const int column = columnOf(row[0].toString());
        borc[size_t(column)] += fixed4(row[1].toDouble());
        alacak[size_t(column)] += fixed4(row[2].toDouble());
        borc[CardSummary::Toplam] += fixed4(row[1].toDouble());
        alacak[CardSummary::Toplam] += fixed4(row[2].toDouble());
    }
    CardSummary s;
    for (size_t c = 0; c < 5; ++c)
        s.columns[c] = {borc[c] / 10000.0, alacak[c] / 10000.0};
    return s;
}
