#include "invoicing/InvoiceDemo.h"

#include "invoicing/InvoicePosting.h"
#include "store/CommandTransaction.h"
#include "store/CompanyData.h"

#include <QRandomGenerator>

using Card = DemoCatalogue::Card;
using Item = DemoCatalogue::Item;

DemoCatalogue DemoCatalogue::read(Connection& db)
{
    DemoCatalogue c;
    for (const SqlRow& row :
         db.select(QStringLiteral("SELECT \"Nosu\", \"CariNo\", \"Unvani\" FROM \"Cari\" WHERE "
                                  "coalesce(\"CariDurum\",0) <> 3 ORDER BY \"Nosu\" LIMIT 5000")))
        c.cards.push_back({row[0].toLongLong(), row[1].toString(), row[2].toString()});
    for (const SqlRow& row :
         db.select(QStringLiteral("SELECT \"Nosu\", \"Kodu\", \"Cinsi\", \"Birim\", \"Fiyat1\" "
                                  "FROM \"Stok\" ORDER BY \"Nosu\" LIMIT 5000")))
        c.items.push_back({row[0].toLongLong(), row[1].toString(), row[2].toString(),
                           row[3].toString(), row[4].toDouble()});
    return c;
}

void fillDemoInvoices(CompanyData& company, int count, bool large,
                      const std::function<void(const QString&)>& progress)
{
    Connection& db = company.connection();
    const DemoCatalogue catalogue = DemoCatalogue::read(db);
    if (catalogue.empty()) return;
    const std::vector<Card>& cards = catalogue.cards;
    const std::vector<Item>& items = catalogue.items;

    InvoicePosting posting(company);
    QRandomGenerator rng(20261215);
    const int year = QDate::currentDate().year();
    const double rates[] = {1, 8, 18};
    double numbers[2] = {posting.NextInvoiceNumber(purchaseInvoice()),
                         posting.NextInvoiceNumber(salesInvoice())};
    const auto make = [&](int lines, int sales, int closed, QDate date) {
        const Card& card = cards[rng.bounded(quint32(cards.size()))];
        InvoiceData h;
        h.fatTuru = sales;
        h.fatNo = numbers[sales]++;
        h.tarih = h.irsTarih = date;
        h.vadesi = date.addDays(30);
        h.cariNo = card.code;
        h.unvani = card.title;
        h.customerId = card.id;
        h.fDurumu = closed;
        h.aciklama = sales ? QStringLiteral("Satış") : QStringLiteral("Alış");
        std::vector<InvoiceLine> body;
        for (int l = 0; l < lines; ++l) {
            const Item& item = items[rng.bounded(quint32(items.size()))];
            InvoiceLine line;
            line.stockId = item.id;
            line.kodu = item.code;
            line.cinsi = item.name;
            line.birim = item.unit;
            line.miktari = 1 + rng.bounded(20);
            line.birimF = item.price > 0 ? item.price : 10;
            line.iskOran = rng.bounded(4) == 0 ? 5 : 0;
            line.kdvOran = rates[rng.bounded(3)];
            static_cast<LineAmounts&>(line) = computeLine(company, line);
            body.push_back(line);
        }
        posting.postInvoice(h, body);
    };
    constexpr int kBatch = 200;
    for (int done = 0; done < count;) {
        CommandTransaction batch(db);
        for (int i = 0; i < kBatch && done < count; ++i, ++done)
            make(1 + int(rng.bounded(20)), rng.bounded(3) == 0 ? 0 : 1, rng.bounded(3) == 0 ? 1 : 0,
                 QDate(year, 1, 1).addDays(rng.bounded(365)));
        batch.commit();
        if (progress) progress(QStringLiteral("Fatura: %1 / %2").arg(done).arg(count));
    }
    if (large) {
        // The long invoices the benchmarks open and print: 200 lines, and ten pages.
        CommandTransaction batch(db);
        make(200, 1, 0, QDate(year, 12, 20));
        make(270, 1, 1, QDate(year, 12, 21));
        batch.commit();
    }
}
