#include "customers/CustomerLedger.h"

#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/CompanyData.h"
#include "store/Table.h"

#include <cmath>

namespace {

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
    , movements_(std::make_unique<Table>(company.connection(), QStringLiteral("CarHar")))
    , cards_(std::make_unique<Table>(company.connection(), QStringLiteral("Cari")))
{
    movements_->open();
    cards_->open();
}

CustomerLedger::~CustomerLedger() = default;

std::vector<QVariant> CustomerLedger::card(qint64 customerId, const QString& fields)
{
    const std::vector<SqlRow> rows = company_.connection().select(
        QStringLiteral("SELECT %1 FROM \"Cari\" WHERE \"Nosu\" = ?").arg(fields), {customerId});
    if (rows.empty()) throw AppError(QStringLiteral("Cari kart bulunamadı (%1).").arg(customerId));
    return rows.front();
}

void CustomerLedger::fill(const CustomerMovement& m, const SqlRow& c)
{
    Table& har = *movements_;
    har[QStringLiteral("Tarih")] = m.tarih;
    har[QStringLiteral("Vadesi")] = m.vadesi.isValid() ? m.vadesi : m.tarih;
    har[QStringLiteral("BelgeNo")] = m.belgeNo;
    har[QStringLiteral("Aciklama")] = m.aciklama;
    har[QStringLiteral("Aciklama1")] = m.aciklama1;
    har[QStringLiteral("BirimF")] = m.birimF;
    har[QStringLiteral("Adet")] = m.adet;
    const auto round = [&](double v) {
        return m.cashAmount ? company_.RoundCash(v) : company_.RoundMoney(v);
    };
    har[QStringLiteral("Borc")] = round(m.borc);
    har[QStringLiteral("Alacak")] = round(m.alacak);
    har[QStringLiteral("Kaynak")] = m.kaynak;
    har[QStringLiteral("CARef")] = m.customerId;
    har[QStringLiteral("CariNo")] = c[0];
    har[QStringLiteral("Unvani")] = c[1];
    har[QStringLiteral("FRef")] = m.fRef ? QVariant(m.fRef) : QVariant();
    har[QStringLiteral("KRef")] = m.kRef ? QVariant(m.kRef) : QVariant();
}

CustomerLedger::Amounts CustomerLedger::storedAmounts()
{
    Table& har = *movements_;
    Amounts a;
    a.customerId = har[QStringLiteral("CARef")].asInt64();
    a.borc += har[QStringLiteral("Borc")].asFloat();
    a.alacak += har[QStringLiteral("Alacak")].asFloat();
    return a;
}

void CustomerLedger::writeTotals(MoneySum borc, MoneySum alacak)
{
    Table& cari = *cards_;
    changeOrCancel(cari, [&] {
        cari.edit();
        cari[QStringLiteral("BorcT")] = borc.value();
        cari[QStringLiteral("AlacakT")] = alacak.value();
        cari[QStringLiteral("BakiyeT")] = (borc - alacak).value();
        cari.post();
    });
}

void CustomerLedger::addToCard(const Amounts& amounts, int sign)
{
    Table& cari = *cards_;
    if (amounts.customerId <= 0 || (amounts.borc.isZero() && amounts.alacak.isZero())) return;
    // The card as it is now, held until the command ends (see Table::editId). A movement of a
    // vanished card changes no card.
    if (!cari.editId(amounts.customerId)) return;
    changeOrCancel(cari, [&] { addToHeldCard(amounts, sign); });
}

void CustomerLedger::addToHeldCard(const Amounts& amounts, int sign)
{
    Table& cari = *cards_;
    if (amounts.borc.isZero() && amounts.alacak.isZero()) {
        cari.cancel();
        return;
    }
    MoneySum borc, alacak;
    borc += cari[QStringLiteral("BorcT")].asFloat();
    alacak += cari[QStringLiteral("AlacakT")].asFloat();
    if (sign > 0) {
        borc += amounts.borc;
        alacak += amounts.alacak;
    } else {
        borc -= amounts.borc;
        alacak -= amounts.alacak;
    }
    writeTotals(borc, alacak);
}

qint64 CustomerLedger::post(const CustomerMovement& movement)
{
    return CommandTransaction::run(company_.connection(), [&] {
        // The card first, held until the command ends: its code and title go into the
        // movement, and its totals take the movement's amounts.
        Table& cari = *cards_;
        if (movement.customerId <= 0 || !cari.editId(movement.customerId))
            throw AppError(QStringLiteral("Cari kart bulunamadı (%1).").arg(movement.customerId));
        qint64 id = 0;
        changeOrCancel(cari, [&] {
            const SqlRow c{cari[QStringLiteral("CariNo")].value(),
                           cari[QStringLiteral("Unvani")].value()};
            id = appendRecord(*movements_, [&] { fill(movement, c); });
            addToHeldCard(storedAmounts(), 1);
        });
        return id;
    });
}

qint64 CustomerLedger::rewrite(qint64 id, const CustomerMovement& movement, bool* wrote)
{
    return CommandTransaction::run(company_.connection(), [&] {
        Table& har = *movements_;
        if (wrote) *wrote = true;
        if (id <= 0 || !har.editId(id)) return post(movement);
        const Amounts before = storedAmounts();
        bool changed = false;
        changeOrCancel(har, [&] {
            fill(movement, card(movement.customerId, QStringLiteral("\"CariNo\", \"Unvani\"")));
            changed = har.postIfChanged();
        });
        if (wrote) *wrote = changed;
        if (!changed) return id;
        Amounts after = storedAmounts();
        if (after.customerId == before.customerId) {
            // One change of the card: what the movement says now less what it said.
            after.borc -= before.borc;
            after.alacak -= before.alacak;
        } else {
            addToCard(before, -1);
        }
        addToCard(after, 1);
        return id;
    });
}

void CustomerLedger::remove(qint64 id)
{
    if (id <= 0) return;
    CommandTransaction::run(company_.connection(), [&] {
        Table& har = *movements_;
        // Held while it goes, so the amounts taken off the card are the ones it had.
        if (!har.editId(id)) return;
        const Amounts before = storedAmounts();
        har.cancel();
        if (har.removeId(id)) addToCard(before, -1);
    });
}

std::optional<CustomerMovement> CustomerLedger::read(qint64 id)
{
    Table& har = *movements_;
    if (id <= 0 || !har.gotoId(id)) return std::nullopt;
    CustomerMovement m;
    m.tarih = har[QStringLiteral("Tarih")].asDate();
    m.vadesi = har[QStringLiteral("Vadesi")].asDate();
    m.belgeNo = har[QStringLiteral("BelgeNo")].asString();
    m.aciklama = har[QStringLiteral("Aciklama")].asString();
    m.aciklama1 = har[QStringLiteral("Aciklama1")].asString();
    m.borc = har[QStringLiteral("Borc")].asFloat();
    m.alacak = har[QStringLiteral("Alacak")].asFloat();
    m.birimF = har[QStringLiteral("BirimF")].asFloat();
    m.adet = har[QStringLiteral("Adet")].asFloat();
    m.kaynak = har[QStringLiteral("Kaynak")].asString();
    m.customerId = har[QStringLiteral("CARef")].asInt64();
    m.fRef = har[QStringLiteral("FRef")].asInt64();
    m.kRef = har[QStringLiteral("KRef")].asInt64();
    return m;
}

std::pair<MoneySum, MoneySum> CustomerLedger::sums(qint64 customerId, const QDate& from,
                                                   const QDate& to)
{
    QString sql = QStringLiteral("SELECT %1, %2 FROM \"CarHar\" WHERE coalesce(\"CARef\",0) = ?")
                      .arg(MoneySum::sqlSum(QStringLiteral("\"Borc\"")),
                           MoneySum::sqlSum(QStringLiteral("\"Alacak\"")));
    QVariantList params{customerId};
    if (from.isValid()) {
        sql += QStringLiteral(" AND \"Tarih\" >= ?");
        params << from.toString(Qt::ISODate);
    }
    if (to.isValid()) {
        sql += QStringLiteral(" AND \"Tarih\" <= ?");
        params << to.toString(Qt::ISODate);
    }
    const SqlRow row = company_.connection().select(sql, params).front();
    return {MoneySum::fromSql(row[0]), MoneySum::fromSql(row[1])};
}

CardTotals CustomerLedger::balance(qint64 customerId, const QDate& from, const QDate& to)
{
    const auto [borc, alacak] = sums(customerId, from, to);
    return {borc.value(), alacak.value()};
}

CardTotals CustomerLedger::recomputeCardTotals(qint64 customerId)
{
    return CommandTransaction::run(company_.connection(), [&]() -> CardTotals {
        // The card is held before its movements are added up: none can come in between.
        if (!cards_->editId(customerId))
            throw AppError(QStringLiteral("Cari kart bulunamadı (%1).").arg(customerId));
        CardTotals totals;
        changeOrCancel(*cards_, [&] {
            const auto [borc, alacak] = sums(customerId, QDate(), QDate());
            writeTotals(borc, alacak);
            totals = {borc.value(), alacak.value()};
        });
        return totals;
    });
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
    std::array<MoneySum, 5> borc{}, alacak{};
    for (const SqlRow& row : company_.connection().select(
             QStringLiteral(
                 "SELECT \"Kaynak\", %1, %2 FROM \"CarHar\" WHERE coalesce(\"CARef\",0) = ? "
                 "GROUP BY \"Kaynak\"")
                 .arg(MoneySum::sqlSum(QStringLiteral("\"Borc\"")),
                      MoneySum::sqlSum(QStringLiteral("\"Alacak\""))),
             {customerId})) {
        const size_t column = size_t(columnOf(row[0].toString()));
        const MoneySum b = MoneySum::fromSql(row[1]), a = MoneySum::fromSql(row[2]);
        borc[column] += b;
        alacak[column] += a;
        borc[CardSummary::Toplam] += b;
        alacak[CardSummary::Toplam] += a;
    }
    CardSummary s;
    for (size_t c = 0; c < 5; ++c)
        s.columns[c] = {borc[c].value(), alacak[c].value()};
    return s;
}
