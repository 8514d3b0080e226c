#include "instalments/InstalmentDemo.h"

#include "instalments/InstalmentPosting.h"
#include "invoicing/InvoiceDemo.h"
#include "invoicing/InvoiceMath.h"
#include "invoicing/InvoicePosting.h"
#include "store/CommandTransaction.h"
#include "store/CompanyData.h"

#include <QRandomGenerator>

using Item = DemoCatalogue::Item;

void fillDemoInstalments(CompanyData& company, int sales, int purchases,
                         const std::function<void(const QString&)>& progress)
{
    Connection& db = company.connection();
    const DemoCatalogue catalogue = DemoCatalogue::read(db);
    if (catalogue.empty()) return;
    const std::vector<DemoCatalogue::Card>& cards = catalogue.cards;
    const std::vector<Item>& items = catalogue.items;

    QRandomGenerator rng(20261211);
    const int year = QDate::currentDate().year();
    InvoicePosting invoices(company);
    for (const InstalmentSide* side : {&salesInstalments(), &purchaseInstalments()}) {
        InstalmentPosting posting(company, *side);
        double number = invoices.NextInvoiceNumber(side->invoiceKind());
        const int count = side->sales ? sales : purchases;
        constexpr int kBatch = 100;
        for (int done = 0; done < count;) {
            CommandTransaction batch(db);
            for (int b = 0; b < kBatch && done < count; ++b, ++done) {
                InstalmentPosting::Sale s;
                s.tarih = QDate(year, 1, 1).addDays(rng.bounded(330));
                s.cariNo = cards[rng.bounded(quint32(cards.size()))].code;
                s.aciklama =
                    side->sales ? QStringLiteral("Taksitli satış") : QStringLiteral("Kredili alış");
                const qint64 saleId = posting.saveSale(0, s);
                const std::optional<InstalmentPosting::Sale> sale = posting.readSale(saleId);
                const int invoiceCount = done % 200 == 0 ? 5 : 1;
                for (int n = 0; n < invoiceCount; ++n) {
                    InvoiceData h;
                    h.fatTuru = side->fatTuru();
                    h.fatNo = number++;
                    h.tarih = h.irsTarih = h.vadesi = s.tarih;
                    h.cariNo = sale->cariNo;
                    h.unvani = sale->unvani;
                    h.customerId = sale->customerId;
                    h.kaynak = QStringLiteral("TK");
                    h.tkRef = saleId;
                    std::vector<InvoiceLine> lines;
                    for (int l = 1 + int(rng.bounded(10)); l > 0; --l) {
                        const Item& item = items[rng.bounded(quint32(items.size()))];
                        InvoiceLine line;
                        line.stockId = item.id;
                        line.kodu = item.code;
                        line.cinsi = item.name;
                        line.miktari = 1 + rng.bounded(5);
                        line.birimF = item.price > 0 ? item.price : 100;
                        line.kdvOran = 18;
                        static_cast<LineAmounts&>(line) = computeLine(company, line);
                        lines.push_back(line);
                    }
                    const qint64 invoiceId = invoices.postInvoice(h, lines);
                    InstalmentPlan::Input in;
                    in.amount = posting.unplanned(invoiceId);
                    in.downPayment = company.RoundMoney(in.amount / 10);
                    in.count = 12;
                    in.invoiceDate = s.tarih;
                    in.firstDue = s.tarih.addDays(30);
                    const std::vector<qint64> plan = posting.savePlan(
                        invoiceId, InstalmentPlan::compute(in, company.kurus()).lines);
                    // The first invoice's first lines are paid: six on a sale on average.
                    const int paid = n == 0 ? int(rng.bounded(side->sales ? 13 : 4)) : 0;
                    for (int p = 0; p < paid && p < int(plan.size()); ++p) {
                        InstalmentPosting::Payment pay = posting.proposal(plan[size_t(p)]);
                        pay.tipi =
                            rng.bounded(2) == 0 ? InstalmentPosting::Cash : int(1 + rng.bounded(3));
                        posting.savePayment(plan[size_t(p)], 0, pay);
                    }
                }
                posting.closeSale(saleId);
            }
            batch.commit();
            if (progress)
                progress(QStringLiteral("%1: %2 / %3").arg(side->sale).arg(done).arg(count));
        }
    }
}
