#include "cash/CashDemo.h"

#include "cash/SlipPosting.h"
#include "store/CommandTransaction.h"
#include "store/CompanyData.h"

#include <QRandomGenerator>

void fillDemoSlips(CompanyData& company, int collections, int payments,
                   const std::function<void(const QString&)>& progress)
{
    struct Card {
        QString code, title;
    };
    std::vector<Card> cards;
    // Customers and suppliers; the bank cards (CariDurum 3) take no cash slips.
    for (const SqlRow& row : company.connection().select(
             QStringLiteral("SELECT \"CariNo\", \"Unvani\" FROM \"Cari\" WHERE "
                            "coalesce(\"CariDurum\",0) <> 3 ORDER BY \"Nosu\" LIMIT 5000")))
        cards.push_back({row[0].toString(), row[1].toString()});
    if (cards.empty()) return;
    QRandomGenerator rng(20261210);
    const int year = QDate::currentDate().year();
    constexpr int kBatch = 250;
    for (const auto& [kind, count] :
         {std::pair{&collectionSlip(), collections}, std::pair{&paymentSlip(), payments}}) {
        SlipPosting posting(company, *kind);
        for (int done = 0; done < count;) {
            CommandTransaction batch(company.connection());
            for (int i = 0; i < kBatch && done < count; ++i, ++done) {
                const Card& card = cards[rng.bounded(quint32(cards.size()))];
                const QDate date = QDate(year, 1, 1).addDays(rng.bounded(365));
                const qint64 slip = posting.saveHeader(
                    0, {date, card.code, card.title,
                        kind->collection ? QStringLiteral("Tahsilat") : QStringLiteral("Ödeme")});
                posting.openLines(slip);
                const int lines = 1 + int(rng.bounded(5));
                for (int l = 0; l < lines; ++l)
                    posting.saveLine(slip, 0,
                                     kind->collection ? QStringLiteral("Nakit tahsilat")
                                                      : QStringLiteral("Nakit ödeme"),
                                     rng.bounded(1000, 250000) / 100.0);
            }
            batch.commit();
            if (progress)
                progress(QStringLiteral("%1: %2 / %3").arg(kind->table).arg(done).arg(count));
        }
    }
}
