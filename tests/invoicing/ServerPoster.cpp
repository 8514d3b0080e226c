// A workstation for the concurrency test: posts customer movements and invoices of five lines
// on one company, each its own command, and prints how many it posted.
#include "customers/CustomerLedger.h"
#include "invoicing/InvoiceKind.h"
#include "invoicing/InvoiceMath.h"
#include "invoicing/InvoicePosting.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/CompanyData.h"
#include "store/GlobalData.h"
#include "store/InstallSettings.h"
#include "store/Installation.h"
#include "store/StoreSession.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 7) {
        std::fprintf(stderr, "usage: server_poster PROGRAM_DIR PRIVATE CODE TAG MOVEMENTS "
                             "INVOICES\n");
        return 2;
    }
    try {
        InstallSettings install(QString::fromLocal8Bit(argv[1]));
        StoreSession session(QString::fromLocal8Bit(argv[2]));
        session.addPassword(masterPassword());
        useInstallation(session, install);
        CompanyData company(session, install, QString::fromLocal8Bit(argv[3]));
        const QString tag = QString::fromLocal8Bit(argv[4]);
        const int movements = std::atoi(argv[5]);
        const int invoices = std::atoi(argv[6]);
        CustomerLedger ledger(company);
        InvoicePosting posting(company, install);
        std::vector<qint64> customers, stocks;
        for (const SqlRow& row :
             company.connection().select(QStringLiteral("SELECT \"Nosu\" FROM \"Cari\"")))
            customers.push_back(row[0].toLongLong());
        for (const SqlRow& row :
             company.connection().select(QStringLiteral("SELECT \"Nosu\" FROM \"Stok\"")))
            stocks.push_back(row[0].toLongLong());
        QRandomGenerator rng(quint32(qHash(tag)));
        const auto pick = [&](const std::vector<qint64>& ids) {
            return ids[rng.bounded(quint32(ids.size()))];
        };
        int posted = 0;
        const int total = movements + invoices;
        for (int i = 0; i < total; ++i) {
            // Invoices are spread among the movements, so both kinds collide with the others.
            if (invoices > 0 && i % (total / invoices) == 0 && posted < invoices) {
                InvoiceData h;
                h.fatTuru = 1;
                h.tarih = h.irsTarih = h.vadesi = QDate(2026, 3, 1);
                h.customerId = pick(customers);
                const SqlRow card = company.connection()
                                        .select(QStringLiteral("SELECT \"CariNo\", \"Unvani\" "
                                                               "FROM \"Cari\" WHERE \"Nosu\" = ?"),
                                                {h.customerId})
                                        .front();
                h.cariNo = card[0].toString();
                h.unvani = card[1].toString();
                h.aciklama = tag;
                std::vector<InvoiceLine> lines;
                for (int l = 0; l < 5; ++l) {
                    InvoiceLine line;
                    line.stockId = pick(stocks);
                    line.kodu = QStringLiteral("S%1").arg(line.stockId);
                    line.miktari = 1 + rng.bounded(5);
                    line.birimF = 10 + rng.bounded(90);
                    line.kdvOran = 18;
                    static_cast<LineAmounts&>(line) = computeLine(company, line);
                    lines.push_back(line);
                }
                // The number is taken in the same command that writes it.
                CommandTransaction::run(company.connection(), [&] {
                    h.fatNo = posting.NextInvoiceNumber(salesInvoice());
                    posting.postInvoice(h, lines);
                });
                ++posted;
            } else {
                CustomerMovement m;
                m.tarih = QDate(2026, 3, 1);
                m.aciklama = tag;
                m.customerId = pick(customers);
                (i % 2 ? m.borc : m.alacak) = 1 + rng.bounded(1000) / 4.0;
                ledger.post(m);
            }
        }
        std::printf("%d\n", total);
        return 0;
    } catch (const AppError& e) {
        std::fprintf(stderr, "%s (%s)\n", e.what(), e.detail().toUtf8().constData());
        return 1;
    }
}
