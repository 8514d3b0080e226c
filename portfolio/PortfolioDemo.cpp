#include "portfolio/PortfolioDemo.h"

#include "portfolio/FirmPaperPosting.h"
#include "portfolio/PaperPosting.h"
#include "portfolio/VoucherPosting.h"
#include "store/CommandTransaction.h"
#include "store/CompanyData.h"

#include <QRandomGenerator>

PortfolioDemoSize PortfolioDemoSize::small()
{
    return {8, 8, 4, 4, 1, 3};
}

PortfolioDemoSize PortfolioDemoSize::large()
{
    return {20000, 20000, 5000, 5000, 10, 100};
}

namespace {

constexpr int kBatch = 250;

std::vector<qint64> cardIds(CompanyData& company, bool banks)
{
    std::vector<qint64> ids;
    for (const SqlRow& row : company.connection().select(
             // A number, not a truth value, so that a server compares it as one.
             QStringLiteral(
                 "SELECT \"Nosu\" FROM \"Cari\" WHERE (CASE WHEN coalesce(\"CariDurum\",0) "
                 "= 3 THEN 1 ELSE 0 END) = ? ORDER BY \"Nosu\" LIMIT 5000"),
             {banks ? 1 : 0}))
        ids.push_back(row[0].toLongLong());
    return ids;
}

const QStringList kBanks = {QStringLiteral("Ziraat"),     QStringLiteral("Halk"),
                            QStringLiteral("Vakıf"),      QStringLiteral("İş Bankası"),
                            QStringLiteral("Yapı Kredi"), QStringLiteral("Garanti")};
const QStringList kBranches = {QStringLiteral("Kızılay"), QStringLiteral("Ulus"),
                               QStringLiteral("Çankaya"), QStringLiteral("Şişli"),
                               QStringLiteral("Konak"),   QStringLiteral("Osmangazi")};

struct Writer {
    CompanyData& company;
    QRandomGenerator rng{20261210};
    std::vector<qint64> customers, banks;
    int year = QDate::currentDate().year();
    int number = 100000;

    template <typename T> const T& pick(const std::vector<T>& from)
    {
        return from[rng.bounded(quint32(from.size()))];
    }
    QString pickText(const QStringList& from)
    {
        return from[int(rng.bounded(quint32(from.size())))];
    }
    QDate due() { return QDate(year, 1, 1).addDays(rng.bounded(365)); }
    double amount() { return rng.bounded(10000, 2500000) / 100.0; }

    CustomerPaper customerPaper(const PortfolioKind& kind)
    {
        CustomerPaper p;
        p.vadesi = due();
        p.girTarihi = p.vadesi.addDays(-30 - int(rng.bounded(90)));
        p.number = QString::number(++number);
        p.tutari = amount();
        if (kind.check) {
            p.banka = pickText(kBanks);
            p.sube = pickText(kBranches);
        } else {
            p.adres1 = pickText(kBranches) + QStringLiteral(" Mah.");
        }
        p.sahibi = QStringLiteral("Keşideci %1").arg(rng.bounded(500));
        p.customerId = pick(customers);
        return p;
    }

    // Moves a customer paper to a position drawn at random, as the operations window would.
    void operate(PaperPosting& posting, qint64 id, const CustomerPaper& p)
    {
        const int roll = int(rng.bounded(100));
        const PaperStep step{p.girTarihi.addDays(int(rng.bounded(20))), QString(), 0};
        if (roll < 40) return; // in the portfolio
        if (roll < 55) {
            qint64 to = pick(customers);
            if (to == p.customerId) return;
            posting.endorse(id, {step.tarih, QStringLiteral("Ciro"), to});
        } else if (roll < 70) {
            posting.deposit(id, {step.tarih, QStringLiteral("Tahsile"), pick(banks)});
        } else if (roll < 78) {
            posting.collect(id, step); // in cash
        } else if (roll < 85) {
            posting.deposit(id, {step.tarih, QString(), pick(banks)});
            posting.collect(id, {p.vadesi, QString(), 0}); // through the bank
        } else if (roll < 90) {
            posting.bounce(id, step);
        } else {
            posting.giveBack(id, step);
        }
    }

    FirmPaper firmPaper()
    {
        FirmPaper p;
        p.vadesi = due();
        p.kTarih = p.vadesi.addDays(-30 - int(rng.bounded(60)));
        p.number = QString::number(++number);
        p.tutari = amount();
        p.payeeId = pick(customers);
        p.bankId = pick(banks);
        p.paid = rng.bounded(100) < 60;
        return p;
    }
};

} // namespace

void fillDemoPapers(CompanyData& company, const PortfolioDemoSize& size,
                    const std::function<void(const QString&)>& progress)
{
    Writer w{company};
    w.customers = cardIds(company, false);
    w.banks = cardIds(company, true);
    if (w.customers.size() < 2 || w.banks.empty()) return;
    const std::pair<const PortfolioKind*, int> portfolios[] = {
        {&customerChecks(), size.customerChecks},
        {&customerNotes(), size.customerNotes},
        {&firmChecks(), size.firmChecks},
        {&firmNotes(), size.firmNotes}};
    for (const auto& [kind, count] : portfolios) {
        VoucherPosting vouchers(company, *kind);
        std::unique_ptr<PaperPosting> papers;
        std::unique_ptr<FirmPaperPosting> firm;
        if (kind->firm)
            firm = std::make_unique<FirmPaperPosting>(company, *kind);
        else
            papers = std::make_unique<PaperPosting>(company, *kind);
        // First the vouchers, each a customer's papers entered at once.
        const int inVouchers = std::min(count, size.vouchers * size.voucherSize);
        for (int v = 0; v * size.voucherSize < inVouchers; ++v) {
            CommandTransaction batch(company.connection());
            VoucherHeader h;
            h.tarih = QDate(w.year, 1, 1).addDays(w.rng.bounded(300));
            h.customerId = w.pick(w.customers);
            h.gZam = kind->firm ? 0 : 3;
            h.aciklama = QStringLiteral("Örnek fiş %1").arg(v + 1);
            h.islensin = !kind->firm && v % 2 == 0;
            const qint64 id = vouchers.saveHeader(0, h);
            const int lines = std::min(size.voucherSize, inVouchers - v * size.voucherSize);
            // Papers handed over on the voucher's day, due one to four months later.
            const auto later = [&] { return h.tarih.addDays(30 + int(w.rng.bounded(90))); };
            if (kind->firm) {
                for (int i = 0; i < lines; ++i) {
                    FirmPaper p = w.firmPaper();
                    p.kTarih = h.tarih;
                    p.vadesi = later();
                    vouchers.saveLine(id, p);
                }
            } else if (!kind->check) {
                CustomerPaper p = w.customerPaper(*kind);
                p.girTarihi = h.tarih;
                vouchers.saveSeries(id, p, lines, 30);
            } else {
                for (int i = 0; i < lines; ++i) {
                    CustomerPaper p = w.customerPaper(*kind);
                    p.girTarihi = h.tarih;
                    p.vadesi = later();
                    vouchers.saveLine(id, p);
                }
            }
            batch.commit();
        }
        for (int done = inVouchers; done < count;) {
            CommandTransaction batch(company.connection());
            for (int i = 0; i < kBatch && done < count; ++i, ++done) {
                if (kind->firm) {
                    firm->save(w.firmPaper());
                    continue;
                }
                const CustomerPaper p = w.customerPaper(*kind);
                w.operate(*papers, papers->save(p), p);
            }
            batch.commit();
            if (progress)
                progress(QStringLiteral("%1: %2 / %3").arg(kind->table).arg(done).arg(count));
        }
    }
}
