// Stock on the large demo books (1,000,000 movements), one card given 50,000 movements and 500
// catalogue cards with 100 KB pictures: the totals, the card windows, the movement window and
// the four stock reports.
//
//   bench_stock [PROGRAM_DIR]   (default: a new installation here; the large demo is made first)
#include "BenchWindows.h"
#include "app/Shell.h"
#include "printing/ReportRenderer.h"
#include "stock/InventoryReports.h"
#include "stock/StFis.h"
#include "stock/StFiyat.h"
#include "stock/StHar.h"
#include "stock/StKart.h"
#include "stock/StKartF.h"
#include "stock/StockCards.h"
#include "stock/StockLedger.h"
#include "stock/StockReports.h"
#include "stock/StockVouchers.h"
#include "stock/StokL.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/CompanySchema.h"
#include "store/StockTotals.h"
#include "store/Table.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>

namespace {

// A photograph-like JPEG of about 100 KB.
QByteArray picture(int seed)
{
    QImage image(640, 480, QImage::Format_RGB32);
    QRandomGenerator rng(quint32(seed + 1));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y,
                           qRgb((x + seed) % 256 ^ int(rng.bounded(64)),
                                (y * 2) % 256 ^ int(rng.bounded(64)), int(rng.bounded(256))));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 80);
    return bytes;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir temp(QDir::current().filePath(QStringLiteral("bench-stock-XXXXXX")));
    const QString programDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();
    try {
        LargeDemo demo(programDir);
        CompanyData& company = *demo.company;
        Connection& db = company.connection();
        const int year = QDate::currentDate().year();
        if (argc > 2 && qstrcmp(argv[2], "3302") == 0) { // for a profiler: the long list alone
            firstAndWhole(
                "3302 movement list over every movement",
                StockReports::startMovementList(company, {QDate(year, 1, 1), QDate(year, 12, 31)}),
                1000, 15000);
            return 0;
        }

        // The pure totals: a million movements of one card in memory.
        {
            std::vector<StockTotals::Movement> movements(1000000);
            for (size_t i = 0; i < movements.size(); ++i) {
                if (i % 3 == 0)
                    movements[i] = {qint64(10 + i % 7) * 10000, 25000, qint64(10 + i % 7) * 25000,
                                    0, 0};
                else
                    movements[i] = {0, 0, 0, 40000, 100000};
            }
            QElapsedTimer timer;
            timer.start();
            const StockTotals::Totals t = StockTotals::compute(movements);
            std::printf("StockTotals over 1,000,000 movements: %.1f ms, %.1f M movements/s "
                        "(budget 3 M/s; on hand %lld)\n",
                        ms(timer), 1000.0 / ms(timer), t.tm / 10000);
        }

        // One card with 50,000 movements.
        qint64 heavy = db.scalar(QStringLiteral("SELECT \"Nosu\" FROM \"Stok\" WHERE \"Kodu\" = "
                                                "'STK000001'"))
                           .toLongLong();
        StockLedger ledger(company);
        if (db.scalar(
                  QStringLiteral("SELECT count(*) FROM \"StHar\" WHERE coalesce(\"STRef\",0) = ?"),
                  {heavy})
                .toLongLong() < 50000) {
            std::printf("Writing 50,000 movements of one card...\n");
            CommandTransaction tx(db);
            for (int i = 0; i < 50000; ++i) {
                StockMovement m;
                m.stockId = heavy;
                m.tarih = QDate(year, 1, 1).addDays(i % 365);
                m.belgeNo = QString::number(900000 + i);
                m.aciklama = i % 3 ? QStringLiteral("Satış") : QStringLiteral("Alış");
                if (i % 3 == 0) {
                    m.gMiktari = 30;
                    m.gFiyati = 12.5;
                    m.gTutari = 375;
                } else {
                    m.cMiktari = 14;
                    m.cFiyati = 19.75;
                    m.cTutari = 276.5;
                }
                ledger.post(m);
            }
            tx.commit();
        }
        if (db.scalar(QStringLiteral("SELECT count(*) FROM \"Stok\" WHERE \"Katalog\" = 0 AND "
                                     "length(\"StokRes\") > 90000"))
                .toLongLong() < 500) {
            std::printf("Writing 500 catalogue pictures...\n");
            CommandTransaction tx(db);
            db.exec(QStringLiteral("UPDATE \"Stok\" SET \"Katalog\" = 1"));
            for (int i = 0; i < 500; ++i)
                db.exec(QStringLiteral("UPDATE \"Stok\" SET \"Katalog\" = 0, \"StokRes\" = ? "
                                       "WHERE \"Nosu\" = ?"),
                        {picture(i), heavy + 1 + i * 37});
            tx.commit();
        }
        const qint64 pictureBytes =
            db.scalar(QStringLiteral("SELECT avg(length(\"StokRes\")) FROM \"Stok\" WHERE "
                                     "\"Katalog\" = 0"))
                .toLongLong();

        QElapsedTimer timer;
        timer.start();
        ledger.recomputeTotals(heavy);
        std::printf("RecomputeStockTotals of the card with 50,000+ movements, durable: %.1f ms "
                    "(budget 150)\n",
                    ms(timer));

        // The store's seek pattern over that card's movements in date order, with and without
        // the (STRef, Tarih) index.
        const auto walk = [&] {
            Table har(db, QStringLiteral("StHar"));
            har.setReadFields({QStringLiteral("GMiktari")});
            har.setIndexName(QStringLiteral("StHar_1"));
            har.setFilter(QStringLiteral("STRef = %1").arg(heavy));
            har.setFiltered(true);
            har.open();
            QElapsedTimer t;
            t.start();
            int n = 0;
            for (har.first(); !har.eof(); har.next())
                ++n;
            return std::make_pair(n, ms(t));
        };
        const auto withIndex = walk();
        db.exec(QStringLiteral("DROP INDEX \"StHar__STRef_Tarih\""));
        const auto without = walk();
        for (const SqlIndex& index : companyExtraIndexes())
            if (db.storedIndex(index.name).isEmpty()) db.createIndex(index);
        std::printf("walking the card's %d movements in date order: %.0f ms with the (STRef, "
                    "Tarih) index, %.0f ms without\n",
                    withIndex.first, withIndex.second, without.second);

        DemoShell demoShell(demo.install, company);
        Shell& shell = demoShell.shell;
        Table& stok = company.table(QStringLiteral("Stok"));
        {
            TfrmStKart cards(shell);
            std::printf("3101 card list (%lld cards): first paint %.1f ms (budget 150)\n",
                        stok.recordCount(), firstPaint(cards));
        }
        for (int order : {0, 1}) {
            demo.install.setStokl(order);
            TfrmStokL list(shell, stok);
            std::printf("stock pick list by %s: first paint %.1f ms (budget 150)\n",
                        order ? "description" : "code", firstPaint(list));
        }
        stok.gotoId(heavy);
        {
            timer.restart();
            TfrmStKartF card(shell, stok, TfrmStKartF::Mode::Edit);
            card.prepare();
            card.show();
            QApplication::processEvents();
            std::printf("card window of the card with 50,000+ movements: first paint %.1f ms "
                        "(budget 150)\n",
                        ms(timer));
            card.MenuIslem(QStringLiteral("Vazgec"));
        }
        stok.setIndexName(QStringLiteral("Stok_2"));
        company.table(QStringLiteral("StHar")).setIndexName(QStringLiteral("StHar_1"));
        stok.gotoId(heavy);
        {
            TfrmStHar movements(shell);
            std::printf("3201 on that card, recompute included: first paint %.1f ms (budget "
                        "250)\n",
                        firstPaint(movements));
        }
        company.table(QStringLiteral("StHar")).setFiltered(false);

        const QDate jan1(year, 1, 1), dec1(year, 12, 1), dec31(year, 12, 31);
        firstAndWhole("3307 statement of that card, whole year",
                      StockReports::startStatement(company, {heavy, jan1, dec31}), 300, 2000);
        firstAndWhole("3307 statement of that card from 1 December",
                      StockReports::startStatement(company, {heavy, dec1, dec31}), 300, 2000);
        firstAndWhole("3302 movement list, December only",
                      StockReports::startMovementList(company, {dec1, dec31}), 500, 3000);
        for (bool mapped : {false, true}) {
            // What the reading alone costs: every movement in date order, no pages.
            std::unique_ptr<Connection::MappedReads> map;
            if (mapped) map = std::make_unique<Connection::MappedReads>(db);
            Table har(db, QStringLiteral("StHar"));
            har.setReadFields(
                {QStringLiteral("Tarih"), QStringLiteral("Kodu"), QStringLiteral("Cinsi"),
                 QStringLiteral("BelgeNo"), QStringLiteral("Aciklama"), QStringLiteral("GMiktari"),
                 QStringLiteral("GFiyati"), QStringLiteral("GTutari"), QStringLiteral("CMiktari"),
                 QStringLiteral("CFiyati"), QStringLiteral("CTutari")});
            har.setIndexName(QStringLiteral("StHar_1"));
            har.open();
            timer.restart();
            qint64 n = 0;
            for (har.first(); !har.eof(); har.next())
                ++n;
            std::printf("reading all %lld movements in date order, file %s: %.0f ms\n", n,
                        mapped ? "mapped" : "read page by page", ms(timer));
        }
        firstAndWhole("3302 movement list over every movement",
                      StockReports::startMovementList(company, {jan1, dec31}), 1000, 15000);

        timer.restart();
        const PageSet cards = StockReports::cardList(company, {});
        std::printf("3301 card list: %d pages in %.0f ms (budget 1500)\n", cards.pageCount(),
                    ms(timer));
        timer.restart();
        StockReports::CatalogueChoice catalogue{QStringLiteral("Katalog"), 0,
                                                StockReports::CatalogueChoice::Pictures::Fit, 1};
        const PageSet pages = StockReports::catalogue(company, catalogue);
        std::printf("3306 catalogue of 500 cards with %lld KB pictures: %d pages in %.0f ms "
                    "(budget 5000), peak memory %.0f MB\n",
                    pictureBytes / 1024, pages.pageCount(), ms(timer), peakRssMb());

        // 3303-3305 over every card, without a date and as of 30 June.
        for (const QDate& asOf : {QDate(), QDate(year, 6, 30)}) {
            InventoryReports::Choice choice;
            choice.date = asOf;
            const char* when = asOf.isValid() ? "as of 30 June" : "no date";
            firstAndWhole(
                qPrintable(QStringLiteral("3303 physical inventory, %1").arg(when)),
                InventoryReports::start(company, InventoryReports::Kind::Physical, choice), 1000,
                5000);
            firstAndWhole(
                qPrintable(QStringLiteral("3304 financial inventory, %1").arg(when)),
                InventoryReports::start(company, InventoryReports::Kind::Financial, choice), 1000,
                5000);
            choice.method = InventoryReports::Method::Average;
            firstAndWhole(qPrintable(QStringLiteral("3305 profit analysis, %1").arg(when)),
                          InventoryReports::start(company, InventoryReports::Kind::Profit, choice),
                          1000, 5000);
        }

        // 3102: the price change list, opened and filtered on a description.
        {
            TfrmStFiyat prices(shell);
            std::printf("3102 price list (%lld cards): first paint %.1f ms (budget 150)\n",
                        stok.recordCount(), firstPaint(prices));
            const QString name =
                db.scalar(
                      QStringLiteral("SELECT \"Cinsi\" FROM \"Stok\" ORDER BY \"Nosu\" LIMIT 1"))
                    .toString();
            prices.criterion(TfrmStFiyat::Cinsi)->setText(name);
            timer.restart();
            prices.MenuIslem(QStringLiteral("Filtrele"));
            prices.grid()->viewport()->repaint();
            QApplication::processEvents();
            std::printf("3102 filter on a description: %.1f ms (budget 150)\n", ms(timer));
            stok.setFiltered(false);
        }
        {
            const qint64 card =
                db.scalar(QStringLiteral("SELECT max(\"Nosu\") FROM \"Stok\"")).toLongLong();
            std::vector<double> saves;
            for (int i = 0; i < 20; ++i) {
                timer.restart();
                StockCards::savePrices(company, card, {1, 2, 3}, {1, 2, 3.0 + i + 1}, 2);
                saves.push_back(ms(timer));
            }
            std::printf("3102 price save, one durable command: median %.1f ms, worst %.1f ms "
                        "(budget 15)\n",
                        median(saves), *std::max_element(saves.begin(), saves.end()));
        }

        // 3202: 10,000 vouchers of three lines, then one of 500 lines, on the last card (the
        // first is the one with 50,000 movements measured above).
        StockVoucherPosting vouchers(company);
        const QString code =
            db.scalar(
                  QStringLiteral("SELECT \"Kodu\" FROM \"Stok\" ORDER BY \"Nosu\" DESC LIMIT 1"))
                .toString();
        StockMovement line;
        line.tarih = QDate(year, 6, 1);
        line.gMiktari = 2;
        line.gFiyati = 1.25;
        line.gTutari = 2.5;
        if (db.scalar(QStringLiteral("SELECT count(*) FROM \"StFis\"")).toLongLong() < 10000) {
            std::printf("Writing 10,000 stock vouchers...\n");
            timer.restart();
            for (int done = 0; done < 10000;) {
                CommandTransaction batch(db);
                for (int i = 0; i < 500; ++i, ++done) {
                    const qint64 v = vouchers.create(QDate(year, 1, 1).addDays(done % 365));
                    for (int l = 0; l < 3; ++l)
                        vouchers.saveLine(v, 0, code, line);
                }
                batch.commit();
            }
            std::printf("  %.1f s\n", ms(timer) / 1000);
        }
        {
            TfrmStFis list(shell);
            std::printf("3202 voucher list (%lld vouchers): first paint %.1f ms (budget 150)\n",
                        db.scalar(QStringLiteral("SELECT count(*) FROM \"StFis\"")).toLongLong(),
                        firstPaint(list));
        }
        const qint64 big = vouchers.create(QDate(year, 12, 1));
        {
            CommandTransaction batch(db);
            for (int l = 0; l < 500; ++l)
                vouchers.saveLine(big, 0, code, line);
            batch.commit();
        }
        {
            timer.restart();
            TfrmStFisF voucher(shell, big);
            std::printf("3202 voucher of 500 lines: opens in %.1f ms (budget 150)\n",
                        firstPaint(voucher));
            std::vector<double> saves;
            for (int i = 0; i < 30; ++i) {
                timer.restart();
                vouchers.saveLine(big, 0, code, line);
                voucher.reload();
                vouchers.totals(big);
                QApplication::processEvents();
                saves.push_back(ms(timer));
            }
            std::printf("3202 line save with the grid and totals refreshed: median %.1f ms, worst "
                        "%.1f ms (budget 15)\n",
                        median(saves), *std::max_element(saves.begin(), saves.end()));
        }
        company.table(QStringLiteral("StHar")).setFiltered(false);
        timer.restart();
        vouchers.removeVoucher(big);
        std::printf("3202 delete of the 530-line voucher: %.1f ms (budget 100)\n", ms(timer));
    } catch (const AppError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
