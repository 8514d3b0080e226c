#include "instalments/InstalmentPosting.h"

#include "cash/CashLedger.h"
#include "customers/CustomerLedger.h"
#include "invoicing/InvoicePosting.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/CompanyData.h"
#include "store/MoneyFormat.h"
#include "store/RecordWrites.h"
#include "store/Table.h"

#include <cmath>

namespace {

// saveRecord with the cursor handed to the filler.
template <typename Fill> void write(Table& t, qint64 id, Fill fill)
{
    saveRecord(t, id, [&] { fill(t); });
}

QVariant link(qint64 id)
{
    return id ? QVariant(id) : QVariant();
}

} // namespace

// What a payment needs of its plan line.
struct InstalmentPosting::LineFacts {
    qint64 id = 0, saleId = 0, invoiceId = 0, customerId = 0;
    double tutari = 0;
    QDate vadesi;
    QString aciklama;
    double fatNo = 0;
    QString cariNo, unvani;
};

InstalmentPosting::InstalmentPosting(CompanyData& company, const InstalmentSide& side,
                                     InstallSettings* install)
    : company_(company)
    , side_(side)
    , invoices_(install ? std::make_unique<InvoicePosting>(company, *install)
                        : std::make_unique<InvoicePosting>(company))
    , customers_(std::make_unique<CustomerLedger>(company))
    , cash_(std::make_unique<CashLedger>(company))
    , sales_(std::make_unique<Table>(company.connection(), side.sale))
    , plans_(std::make_unique<Table>(company.connection(), side.plan))
    , payments_(std::make_unique<Table>(company.connection(), side.payment))
{
    sales_->open();
    plans_->open();
    payments_->open();
}

InstalmentPosting::~InstalmentPosting() = default;

// --- Sale -------------------------------------------------------------------------------------

qint64 InstalmentPosting::saveSale(qint64 saleId, const Sale& sale)
{
    if (!sale.tarih.isValid()) throw AppError(QStringLiteral("Fiş tarihini giriniz."));
    std::optional<Sale> before;
    if (saleId > 0 && !(before = readSale(saleId)))
        throw AppError(QStringLiteral("Kredili fiş bulunamadı (%1).").arg(saleId));
    const QString code = before ? before->cariNo : sale.cariNo.trimmed();
    const std::optional<CompanyData::Card> card = company_.findCard(
        QStringLiteral("Cari"), QStringLiteral("CariNo"), QStringLiteral("Unvani"), code);
    if (!card && !before) throw AppError(QStringLiteral("Cari kart nosu bulunamadı"));
    std::vector<SqlRow> address;
    if (!before)
        address = company_.connection().select(
            QStringLiteral("SELECT \"IsAdres1\", \"IsAdres2\", \"IsAdres3\", \"Vd\", \"VdNo\" "
                           "FROM \"Cari\" WHERE \"Nosu\" = ?"),
            {card->id});
    return CommandTransaction::run(company_.connection(), [&] {
        write(*sales_, saleId, [&](Table& t) {
            t[QStringLiteral("Tarih")] = sale.tarih;
            t[QStringLiteral("Aciklama")] = sale.aciklama;
            if (!before) {
                t[QStringLiteral("CariNo")] = card->code;
                t[QStringLiteral("Unvani")] = card->title;
                t[QStringLiteral("CARef")] = card->id;
                t[QStringLiteral("Acikmi")] = 0;
                t[QStringLiteral("Manuel")] = 0;
            }
            // What was typed stands; a new sale with nothing typed takes the card's address.
            const bool typed = !(sale.adres1 + sale.adres2 + sale.adres3 + sale.vd + sale.vdNo)
                                    .trimmed()
                                    .isEmpty();
            const bool fromCard = !before && !typed && !address.empty();
            const QString values[] = {sale.adres1, sale.adres2, sale.adres3, sale.vd, sale.vdNo};
            const char* fields[] = {"Adres1", "Adres2", "Adres3", "Vd", "VdNo"};
            for (int i = 0; i < 5; ++i)
                t[QLatin1String(fields[i])] =
                    fromCard ? address.front()[size_t(i)].toString() : values[i];
        });
        return sales_->currentId();
    });
}

std::optional<InstalmentPosting::Sale> InstalmentPosting::readSale(qint64 saleId)
{
    const std::vector<SqlRow> rows = company_.connection().select(
        QStringLiteral("SELECT \"Tarih\", \"Aciklama\", \"CariNo\", \"Unvani\", \"Adres1\", "
                       "\"Adres2\", \"Adres3\", \"Vd\", \"VdNo\", coalesce(\"CARef\",0), "
                       "coalesce(\"Acikmi\",0) FROM %1 WHERE \"Nosu\" = ?")
            .arg(sqlName(side_.sale)),
        {saleId});
    if (rows.empty()) return std::nullopt;
    const SqlRow& r = rows.front();
    Sale s;
    s.tarih = QDate::fromString(r[0].toString(), Qt::ISODate);
    s.aciklama = r[1].toString();
    s.cariNo = r[2].toString();
    s.unvani = r[3].toString();
    s.adres1 = r[4].toString();
    s.adres2 = r[5].toString();
    s.adres3 = r[6].toString();
    s.vd = r[7].toString();
    s.vdNo = r[8].toString();
    s.customerId = r[9].toLongLong();
    s.acikmi = r[10].toInt();
    return s;
}

bool InstalmentPosting::hasInvoices(qint64 saleId)
{
    return company_.connection()
               .scalar(QStringLiteral("SELECT count(*) FROM \"Fatura\" WHERE coalesce(\"TKRef\",0) "
                                      "= ? AND \"Kaynak\" = 'TK' AND coalesce(\"FatTuru\",0) = ?"),
                       {saleId, side_.fatTuru()})
               .toInt() > 0;
}

void InstalmentPosting::removeSale(qint64 saleId)
{
    CommandTransaction::run(company_.connection(), [&] {
        if (hasInvoices(saleId)) throw AppError(QStringLiteral("İlk önce faturaları iptal ediniz"));
        sales_->removeId(saleId);
    });
}

int InstalmentPosting::closeSale(qint64 saleId)
{
    return CommandTransaction::run(company_.connection(), [&] {
        const Totals t = totals(saleId, 0);
        const bool paid =
            hasInvoices(saleId) && roundMoney(t.bakiye().value(), company_.kurus()) == 0;
        const int state = paid ? 1 : 0;
        const std::optional<Sale> sale = readSale(saleId);
        if (sale && sale->acikmi != state)
            write(*sales_, saleId, [&](Table& t) { t[QStringLiteral("Acikmi")] = state; });
        return state;
    });
}

// --- Invoices ---------------------------------------------------------------------------------

qint64 InstalmentPosting::saveInvoice(qint64 saleId, qint64 invoiceId, const InvoiceHeader& header)
{
    const std::optional<Sale> sale = readSale(saleId);
    if (!sale) throw AppError(QStringLiteral("Kredili fiş bulunamadı (%1).").arg(saleId));
    InvoiceHeader h = header;
    h.cariNo = sale->cariNo;
    h.unvani = sale->unvani;
    h.adres1 = sale->adres1;
    h.adres2 = sale->adres2;
    h.adres3 = sale->adres3;
    h.vd = sale->vd;
    h.vdNo = sale->vdNo;
    h.fDurumu = 0;
    return invoices_->saveHeader(side_.invoiceKind(), invoiceId, h,
                                 InvoiceSource{FaturaKaynak::TK, saleId, false});
}

void InstalmentPosting::removeInvoice(qint64 invoiceId)
{
    CommandTransaction::run(company_.connection(), [&] {
        for (const SqlRow& line : company_.connection().select(
                 QStringLiteral("SELECT \"Nosu\" FROM %1 WHERE coalesce(\"FRef\",0) = ?")
                     .arg(sqlName(side_.plan)),
                 {invoiceId})) {
            const qint64 lineId = line[0].toLongLong();
            for (const SqlRow& payment : company_.connection().select(
                     QStringLiteral("SELECT \"Nosu\" FROM %1 WHERE coalesce(\"Ref\",0) = ?")
                         .arg(sqlName(side_.payment)),
                     {lineId})) {
                removePaymentPostings(payment[0].toLongLong());
                payments_->removeId(payment[0].toLongLong());
            }
            plans_->removeId(lineId);
        }
        invoices_->removeInvoice(invoiceId, FaturaKaynak::TK);
    });
}

// --- Plans ------------------------------------------------------------------------------------

double InstalmentPosting::unplanned(qint64 invoiceId)
{
    const std::optional<InvoiceData> invoice = invoices_->read(invoiceId);
    if (!invoice) return 0;
    const MoneySum planned = MoneySum::fromSql(company_.connection().scalar(
        QStringLiteral("SELECT %1 FROM %2 WHERE coalesce(\"FRef\",0) = ?")
            .arg(MoneySum::sqlSum(QStringLiteral("\"Tutari\"")), sqlName(side_.plan)),
        {invoiceId}));
    return company_.RoundMoney(invoice->gToplam - planned.value());
}

std::vector<qint64> InstalmentPosting::savePlan(qint64 invoiceId,
                                                const std::vector<InstalmentPlan::Line>& lines)
{
    return CommandTransaction::run(company_.connection(), [&] {
        const std::optional<InvoiceData> invoice = invoices_->read(invoiceId);
        if (!invoice || invoice->kaynak != FaturaKaynak::TK)
            throw AppError(QStringLiteral("Kredili fatura bulunamadı (%1).").arg(invoiceId));
        if (unplanned(invoiceId) <= 0)
            throw AppError(QStringLiteral("Planlanan taksit fatura tutarına eşit"),
                           QStringLiteral("Tekrar planlama yapamazsınız"));
        std::vector<qint64> ids;
        for (const InstalmentPlan::Line& line : lines) {
            write(*plans_, 0, [&](Table& t) {
                t[QStringLiteral("Vadesi")] = line.due;
                t[QStringLiteral("Aciklama")] = line.text;
                t[QStringLiteral("Tutari")] = line.amount;
                t[QStringLiteral("Odeme")] = 0.0;
                t[QStringLiteral("Bakiye")] = line.amount;
                t[QStringLiteral("Ref")] = invoice->tkRef;
                t[QStringLiteral("FRef")] = invoiceId;
                t[QStringLiteral("CARef")] = invoice->customerId;
            });
            ids.push_back(plans_->currentId());
        }
        return ids;
    });
}

void InstalmentPosting::savePlanLine(qint64 lineId, const QDate& due, double amount,
                                     const QString& text)
{
    if (!due.isValid()) throw AppError(QStringLiteral("Plan tarihini giriniz."));
    CommandTransaction::run(company_.connection(), [&] {
        write(*plans_, lineId, [&](Table& t) {
            t[QStringLiteral("Vadesi")] = due;
            t[QStringLiteral("Tutari")] = amount;
            t[QStringLiteral("Aciklama")] = text;
        });
        refreshLine(lineId);
    });
}

bool InstalmentPosting::hasPayments(qint64 lineId)
{
    return company_.connection()
               .scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE coalesce(\"Ref\",0) = ?")
                           .arg(sqlName(side_.payment)),
                       {lineId})
               .toInt() > 0;
}

void InstalmentPosting::removePlanLine(qint64 lineId)
{
    CommandTransaction::run(company_.connection(), [&] {
        if (hasPayments(lineId))
            throw AppError(QStringLiteral("Kayıtlı ödeme var"), QStringLiteral("İptal edilemez"));
        plans_->removeId(lineId);
    });
}

// --- Payments ---------------------------------------------------------------------------------

InstalmentPosting::LineFacts InstalmentPosting::lineFacts(qint64 lineId)
{
    const std::vector<SqlRow> rows = company_.connection().select(
        QStringLiteral("SELECT p.\"Nosu\", coalesce(p.\"Ref\",0), coalesce(p.\"FRef\",0), "
                       "coalesce(p.\"CARef\",0), coalesce(p.\"Tutari\",0), p.\"Vadesi\", "
                       "p.\"Aciklama\", coalesce(f.\"FatNo\",0), s.\"CariNo\", s.\"Unvani\" FROM "
                       "%1 p LEFT JOIN \"Fatura\" f ON f.\"Nosu\" = p.\"FRef\" LEFT JOIN %2 s ON "
                       "s.\"Nosu\" = p.\"Ref\" WHERE p.\"Nosu\" = ?")
            .arg(sqlName(side_.plan), sqlName(side_.sale)),
        {lineId});
    if (rows.empty()) throw AppError(QStringLiteral("Plan kalemi bulunamadı (%1).").arg(lineId));
    const SqlRow& r = rows.front();
    return {r[0].toLongLong(), r[1].toLongLong(), r[2].toLongLong(),
            r[3].toLongLong(), r[4].toDouble(),   QDate::fromString(r[5].toString(), Qt::ISODate),
            r[6].toString(),   r[7].toDouble(),   r[8].toString(),
            r[9].toString()};
}

MoneySum InstalmentPosting::paidOn(qint64 lineId)
{
    return MoneySum::fromSql(company_.connection().scalar(
        QStringLiteral("SELECT %1 FROM %2 WHERE coalesce(\"Ref\",0) = ?")
            .arg(MoneySum::sqlSum(QStringLiteral("\"Tutari\"")), sqlName(side_.payment)),
        {lineId}));
}

void InstalmentPosting::refreshLine(qint64 lineId)
{
    const MoneySum paid = paidOn(lineId);
    const std::vector<SqlRow> now = company_.connection().select(
        QStringLiteral("SELECT coalesce(\"Tutari\",0), coalesce(\"Odeme\",0), "
                       "coalesce(\"Bakiye\",0) FROM %1 WHERE \"Nosu\" = ?")
            .arg(sqlName(side_.plan)),
        {lineId});
    if (now.empty()) return;
    MoneySum due;
    due += now.front()[0].toDouble();
    const double odeme = paid.value(), bakiye = (due - paid).value();
    if (now.front()[1].toDouble() == odeme && now.front()[2].toDouble() == bakiye) return;
    write(*plans_, lineId, [&](Table& t) {
        t[QStringLiteral("Odeme")] = odeme;
        t[QStringLiteral("Bakiye")] = bakiye;
    });
}

InstalmentPosting::Payment InstalmentPosting::proposal(qint64 lineId)
{
    // Read only: the balance from the line's amount less the exact sum of its payments, so a
    // stale Bakiye does not matter and nothing is written while a window only opens.
    const LineFacts line = lineFacts(lineId);
    const MoneySum paid = paidOn(lineId);
    MoneySum due;
    due += line.tutari;
    return {line.vadesi, line.aciklama, (due - paid).value(), Cash};
}

std::optional<InstalmentPosting::Payment> InstalmentPosting::readPayment(qint64 paymentId)
{
    const std::vector<SqlRow> rows = company_.connection().select(
        QStringLiteral("SELECT \"Tarih\", \"Aciklama\", coalesce(\"Tutari\",0), "
                       "coalesce(\"Tipi\",0) FROM %1 WHERE \"Nosu\" = ?")
            .arg(sqlName(side_.payment)),
        {paymentId});
    if (rows.empty()) return std::nullopt;
    const SqlRow& r = rows.front();
    return Payment{QDate::fromString(r[0].toString(), Qt::ISODate), r[1].toString(),
                   r[2].toDouble(), r[3].toInt()};
}

void InstalmentPosting::removePaymentPostings(qint64 paymentId)
{
    const std::vector<SqlRow> links = company_.connection().select(
        QStringLiteral("SELECT coalesce(\"CAHRef\",0), coalesce(\"KARef\",0) FROM %1 WHERE "
                       "\"Nosu\" = ?")
            .arg(sqlName(side_.payment)),
        {paymentId});
    if (links.empty()) return;
    if (const qint64 movement = links.front()[0].toLongLong()) customers_->remove(movement);
    if (const qint64 record = links.front()[1].toLongLong()) cash_->remove(record);
}

qint64 InstalmentPosting::savePayment(qint64 lineId, qint64 paymentId, const Payment& payment)
{
    if (!payment.tarih.isValid()) throw AppError(QStringLiteral("Ödeme tarihini giriniz."));
    if (payment.tipi < Cash || payment.tipi > Other)
        throw AppError(QStringLiteral("Ödeme tipi geçerli değil."));
    return CommandTransaction::run(company_.connection(), [&] {
        const LineFacts line = lineFacts(lineId);
        qint64 movementId = 0, recordId = 0;
        if (paymentId > 0) {
            const std::vector<SqlRow> links = company_.connection().select(
                QStringLiteral("SELECT coalesce(\"CAHRef\",0), coalesce(\"KARef\",0) FROM %1 "
                               "WHERE \"Nosu\" = ?")
                    .arg(sqlName(side_.payment)),
                {paymentId});
            if (links.empty())
                throw AppError(QStringLiteral("Ödeme bulunamadı; başka bir kullanıcı silmiş "
                                              "olabilir."));
            movementId = links.front()[0].toLongLong();
            recordId = links.front()[1].toLongLong();
        }
        const double amount = company_.RoundMoney(payment.tutari);
        const QString belgeNo =
            QString::number(qint64(std::llround(line.fatNo))) + side_.paymentText;
        // The customer movement: cash and card.
        if (payment.tipi == Cash || payment.tipi == Card) {
            CustomerMovement m;
            m.tarih = payment.tarih;
            m.belgeNo = belgeNo;
            m.aciklama = payment.aciklama;
            (side_.sales ? m.alacak : m.borc) = amount;
            m.kaynak = Kaynak::TK;
            m.customerId = line.customerId;
            movementId = movementId ? customers_->rewrite(movementId, m) : customers_->post(m);
        } else if (movementId) {
            customers_->remove(movementId);
            movementId = 0;
        }
        // The cash record: cash only.
        if (payment.tipi == Cash) {
            CashRecord c;
            c.tarih = payment.tarih;
            c.belgeNo = belgeNo;
            c.aciklama = payment.aciklama + QLatin1Char('-') + line.unvani;
            (side_.sales ? c.giren : c.cikan) = amount;
            c.kaynak = CashKaynak::TK;
            recordId = recordId ? cash_->rewrite(recordId, c) : cash_->post(c);
        } else if (recordId) {
            cash_->remove(recordId);
            recordId = 0;
        }
        write(*payments_, paymentId, [&](Table& t) {
            t[QStringLiteral("Ref")] = lineId;
            t[QStringLiteral("TRef")] = line.saleId;
            t[QStringLiteral("CARef")] = line.customerId;
            t[QStringLiteral("Tarih")] = payment.tarih;
            t[QStringLiteral("Aciklama")] = payment.aciklama;
            t[QStringLiteral("Tutari")] = amount;
            t[QStringLiteral("Tipi")] = payment.tipi;
            const char* marks[] = {"N", "K", "C", "D"};
            for (int i = 0; i < 4; ++i)
                t[QLatin1String(marks[i])] =
                    i == payment.tipi ? QStringLiteral("x") : QStringLiteral(" ");
            t[QStringLiteral("CAHRef")] = link(movementId);
            t[QStringLiteral("KARef")] = link(recordId);
        });
        const qint64 id = payments_->currentId();
        refreshLine(lineId);
        return id;
    });
}

void InstalmentPosting::removePayment(qint64 paymentId)
{
    CommandTransaction::run(company_.connection(), [&] {
        const qint64 lineId = company_.connection()
                                  .scalar(QStringLiteral("SELECT coalesce(\"Ref\",0) FROM %1 "
                                                         "WHERE \"Nosu\" = ?")
                                              .arg(sqlName(side_.payment)),
                                          {paymentId})
                                  .toLongLong();
        removePaymentPostings(paymentId);
        payments_->removeId(paymentId);
        if (lineId) refreshLine(lineId);
    });
}

// --- Totals -----------------------------------------------------------------------------------

InstalmentPosting::Totals InstalmentPosting::totals(qint64 saleId, qint64 invoiceId)
{
    Connection& db = company_.connection();
    Totals t;
    t.toplam = MoneySum::fromSql(
        db.scalar(QStringLiteral("SELECT %1 FROM \"Fatura\" WHERE coalesce(\"TKRef\",0) = ? AND "
                                 "\"Kaynak\" = 'TK' AND coalesce(\"FatTuru\",0) = ?")
                      .arg(MoneySum::sqlSum(QStringLiteral("\"GToplam\""))),
                  {saleId, side_.fatTuru()}));
    const auto sums = [&](const char* link, qint64 id) {
        const std::vector<SqlRow> rows =
            db.select(QStringLiteral("SELECT %1, %2 FROM %3 WHERE coalesce(\"%4\",0) = ?")
                          .arg(MoneySum::sqlSum(QStringLiteral("\"Tutari\"")),
                               MoneySum::sqlSum(QStringLiteral("\"Odeme\"")), sqlName(side_.plan),
                               QLatin1String(link)),
                      {id});
        return std::pair{MoneySum::fromSql(rows.front()[0]), MoneySum::fromSql(rows.front()[1])};
    };
    std::tie(t.planlanan, t.odenen) = sums("Ref", saleId);
    if (invoiceId > 0) {
        std::tie(t.planTutari, t.planOdeme) = sums("FRef", invoiceId);
        t.invoiceTotal =
            db.scalar(QStringLiteral("SELECT coalesce(\"GToplam\",0) FROM \"Fatura\" WHERE "
                                     "\"Nosu\" = ?"),
                      {invoiceId})
                .toDouble();
    }
    return t;
}

int InstalmentPosting::planCheck(const Totals& t) const
{
    const bool kurus = company_.kurus();
    if (roundMoney(t.toplam.value(), kurus) == roundMoney(t.planlanan.value(), kurus)) return 0;
    const double plan = roundMoney(t.planTutari.value(), kurus);
    const double invoice = roundMoney(t.invoiceTotal, kurus);
    return plan > invoice ? 1 : plan < invoice ? -1 : 0;
}
