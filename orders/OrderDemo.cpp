#include "orders/OrderDemo.h"

#include "invoicing/InvoiceDemo.h"
#include "invoicing/InvoiceMath.h"
#include "invoicing/InvoicePosting.h"
#include "orders/OrderPosting.h"
#include "store/CommandTransaction.h"
#include "store/CompanyData.h"

#include <QRandomGenerator>

using Item = DemoCatalogue::Item;

void fillDemoOrders(CompanyData& company, int sales, int purchases,
                    const std::function<void(const QString&)>& progress)
{
    Connection& db = company.connection();
    const DemoCatalogue catalogue = DemoCatalogue::read(db);
    if (catalogue.empty()) return;
    const std::vector<DemoCatalogue::Card>& cards = catalogue.cards;
    const std::vector<Item>& items = catalogue.items;

    QRandomGenerator rng(20261212);
    const int year = QDate::currentDate().year();
    InvoicePosting invoices(company);
    for (const OrderKind* kind : {&salesOrders(), &purchaseOrders()}) {
        OrderPosting posting(company, *kind);
        double number = posting.nextNumber();
        double invoiceNumber = invoices.NextInvoiceNumber(kind->invoiceKind());
        const int count = kind->sipTuru == 1 ? sales : purchases;
        constexpr int kBatch = 100;
        qint64 before = 0;
        QString beforeCard;
        for (int done = 0; done < count;) {
            CommandTransaction batch(db);
            for (int b = 0; b < kBatch && done < count; ++b, ++done) {
                const int part = done % 6;
                OrderPosting::Header h;
                h.sipNo = number++;
                h.tarih = QDate(year, 1, 1).addDays(rng.bounded(330));
                h.saat = QTime(8 + int(rng.bounded(10)), int(rng.bounded(60)));
                h.terminTar = h.tarih.addDays(7 + rng.bounded(30));
                // The one invoiced together with the order before it is the same customer's.
                h.cariNo = part == 3 && before ? beforeCard
                                               : cards[rng.bounded(quint32(cards.size()))].code;
                h.aciklama = kind->sipTuru == 1 ? QStringLiteral("Müşteri siparişi")
                                                : QStringLiteral("Satıcıya sipariş");
                h.ozelKod = QStringLiteral("S%1").arg(rng.bounded(5));
                const qint64 orderId = posting.saveHeader(0, h);
                for (int l = 1 + int(rng.bounded(20)); l > 0; --l) {
                    const Item& item = items[rng.bounded(quint32(items.size()))];
                    OrderPosting::Line line;
                    line.kodu = item.code;
                    line.cinsi = item.name;
                    line.miktari = 1 + rng.bounded(10);
                    line.birimF = item.price > 0 ? item.price : 100;
                    line.kdvOran = 18;
                    line.iskOran = rng.bounded(4) == 0 ? 5 : 0;
                    line.tarih = h.terminTar;
                    posting.saveLine(orderId, 0, line);
                }
                InvoiceHeader ih;
                ih.tarih = ih.irsTarih = ih.vadesi = h.terminTar;
                std::vector<qint64> invoiced;
                if (part == 1 || part == 2)
                    invoiced = {orderId};
                else if (part == 3 && before)
                    invoiced = {before, orderId};
                if (!invoiced.empty()) {
                    ih.fatNo = invoiceNumber++;
                    posting.invoiceFromOrders(invoiced, ih);
                } else if (part == 4) {
                    // Half of the first line delivered by an invoice made elsewhere.
                    const std::optional<OrderPosting::Header> order = posting.read(orderId);
                    const SqlRow first =
                        db.select(QStringLiteral("SELECT \"STRef\", \"Kodu\", \"Miktari\", "
                                                 "\"BirimF\" FROM \"SipHar\" WHERE \"SipRef\" = ? "
                                                 "ORDER BY \"Nosu\" LIMIT 1"),
                                  {orderId})
                            .front();
                    InvoiceData d;
                    static_cast<InvoiceHeader&>(d) = ih;
                    d.fatNo = invoiceNumber++;
                    d.fatTuru = kind->fatTuru();
                    d.cariNo = order->cariNo;
                    d.unvani = order->unvani;
                    d.customerId = order->customerId;
                    d.kaynak = QStringLiteral("SI");
                    d.siRef = orderId;
                    InvoiceLine line;
                    line.stockId = first[0].toLongLong();
                    line.kodu = first[1].toString();
                    line.miktari = std::max(1.0, std::floor(first[2].toDouble() / 2));
                    line.birimF = first[3].toDouble();
                    line.siRef = orderId;
                    static_cast<LineAmounts&>(line) = computeLine(company, line);
                    invoices.postInvoice(d, {line});
                    posting.openLines({orderId});
                }
                posting.close(invoiced.empty() ? std::vector<qint64>{orderId} : invoiced);
                before = part == 2 ? orderId : 0;
                beforeCard = h.cariNo;
            }
            batch.commit();
            if (progress)
                progress(
                    QStringLiteral("Siparis %1: %2 / %3").arg(kind->word).arg(done).arg(count));
        }
    }
}
