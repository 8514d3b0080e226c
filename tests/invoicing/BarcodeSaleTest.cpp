#include "invoicing/BarcodeSale.h"
#include "InvoiceBooks.h"
#include "store/AppError.h"
#include "support/FailingWrites.h"
#include "support/KilledProgram.h"

#include <gtest/gtest.h>

namespace {

class BarcodeSaleTest : public ::testing::Test {
protected:
    InvoiceCompany books;
    qint64 cola = 0, peynir = 0;

    void SetUp() override
    {
        books.customer("120.01", "Ali'nin Yeri");
        cola = books.stock("8690001", "Kola 1 lt", 11.80, 18);
        peynir = books.stock("27", "Beyaz peynir", 100, 8);
    }
    InvoiceData saleHeader(int closed = 1, int kdvDahil = 1)
    {
        InvoiceHeader h = books.header(501, QDate(2026, 5, 4), "120.01", closed);
        h.vadesi = QDate(2026, 6, 4);
        h.kdvDahil = kdvDahil;
        const qint64 id = books.posting->saveHeader(salesInvoice(), 0, h);
        return *books.posting->read(id);
    }
    static ScaleSettings scale(bool on = true)
    {
        ScaleSettings s;
        s.on = on;
        s.kodBoyu = 2;
        s.boyu = 6;
        s.agirlikBoyu = 3;
        s.agirlikBoleni = 100;
        return s;
    }
    // What the counter does for a scan: find the card and fill a new row.
    static int scan(BarcodeSale& sale, const QString& code)
    {
        const std::optional<ScannedCard> found = sale.find(code);
        if (!found) return -1;
        return sale.fill(int(sale.rows().size()), found->card, found->quantity);
    }
};

} // namespace

TEST_F(BarcodeSaleTest, ScansFillFoldAndTotalRows)
{
    BarcodeSale sale(*books.posting, scale(), saleHeader(1, 1));
    // Three scans of one code: one row of 3.
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(scan(sale, "8690001"), 0);
    ASSERT_EQ(sale.rows().size(), 1u);
    const SaleRow& r = sale.rows()[0];
    EXPECT_EQ(r.miktari, 3);
    // "Dahil": 11.80 with 18 % is 10.00 before VAT.
    EXPECT_EQ(r.birimF, 10);
    EXPECT_EQ(r.tutari, 30);
    EXPECT_EQ(r.kdvTutar, 5.4);
    EXPECT_EQ(r.topTutar, 35.4);

    // A scale label: code 27, weight 125 over 100, a check digit.
    EXPECT_EQ(scan(sale, "271253"), 1);
    EXPECT_EQ(sale.rows()[1].miktari, 1.25);
    EXPECT_EQ(sale.rows()[1].kodu, "27");
    EXPECT_EQ(scan(sale, "27125"), -1);  // five characters: no scale barcode
    EXPECT_EQ(scan(sale, "270003"), -1); // a weight of nothing would sell one piece
    EXPECT_EQ(scan(sale, "27a253"), -1); // letters in the weight
    // A second label of the same card folds into its row.
    EXPECT_EQ(scan(sale, "270509"), 1);
    EXPECT_EQ(sale.rows()[1].miktari, 1.75);

    // Every change of the amount recomputes discount and VAT from their rates.
    sale.setNumber(0, BarcodeSale::Miktari, 1);
    EXPECT_EQ(sale.rows()[0].kdvTutar, 1.8);
    sale.setNumber(0, BarcodeSale::Miktari, 2);
    EXPECT_EQ(sale.rows()[0].tutari, 20);
    EXPECT_EQ(sale.rows()[0].araTop, 20);
    EXPECT_EQ(sale.rows()[0].kdvTutar, 3.6);
    sale.setNumber(0, BarcodeSale::IskOran, 10);
    EXPECT_EQ(sale.rows()[0].iskTutar, 2);
    EXPECT_EQ(sale.rows()[0].kdvTutar, 3.24);
    EXPECT_THROW(sale.setNumber(0, BarcodeSale::Miktari, 0), AppError);
    EXPECT_EQ(sale.rows()[0].miktari, 2);

    // Totals: T 20 + 162.04 (1.75 × 92.59), D 2, V 3.24 + 12.96.
    const BarcodeSale::Totals t = sale.totals();
    EXPECT_EQ(sale.rows()[1].birimF, 92.59);
    EXPECT_EQ(t.tutari, 182.03);
    EXPECT_EQ(t.iskonto, 2);
    EXPECT_EQ(t.kdv, 16.2);
    EXPECT_EQ(t.toplam, 196.23);
    sale.remove(0);
    EXPECT_EQ(sale.rows().size(), 1u);
}

TEST_F(BarcodeSaleTest, PricesOnAnInvoiceWithoutVatAndScaleReadingOff)
{
    BarcodeSale sale(*books.posting, scale(false), saleHeader(0, 0));
    EXPECT_EQ(scan(sale, "8690001"), 0);
    EXPECT_EQ(sale.rows()[0].birimF, 11.8);
    EXPECT_EQ(sale.rows()[0].kdvTutar, 2.12);
    EXPECT_EQ(scan(sale, "271253"), -1); // "HAYIR": never a scale barcode
}

TEST_F(BarcodeSaleTest, VatPerRateWhenTheCompanyComputesItSo)
{
    books.reopen(1);
    BarcodeSale sale(*books.posting, scale(), saleHeader(0, 0));
    // Three rows of 0.05 at 18 %: per line 0.01 each, per rate 0.03 × 18 % = 0.03 (0.027).
    const qint64 sakiz = books.stock("SKZ", "Sakız", 0.05, 18);
    const qint64 lokum = books.stock("LKM", "Lokum", 0.05, 18);
    const qint64 seker = books.stock("SKR", "Şeker", 0.05, 18);
    for (qint64 id : {sakiz, lokum, seker})
        sale.fill(int(sale.rows().size()), *books.posting->stockCard(id));
    EXPECT_EQ(sale.totals().kdv, 0.03);
}

TEST_F(BarcodeSaleTest, AClosedSaleWritesEverythingInOneCommand)
{
    BarcodeSale sale(*books.posting, scale(), saleHeader(1, 1));
    scan(sale, "8690001");
    scan(sale, "8690001");
    scan(sale, "271253");
    const double shown = sale.totals().toplam;
    const qint64 id = sale.header().id;

    // The saved header already holds its (empty) postings; a failure before the last write
    // (the header's totals) leaves them so, writes nothing more and keeps the rows.
    const auto amounts = [&] {
        return books.value("SELECT coalesce(sum(\"Borc\" + \"Alacak\"),0) FROM \"CarHar\"")
                   .toDouble() +
               books.value("SELECT coalesce(sum(\"Giren\"),0) FROM \"Kasa\"").toDouble();
    };
    {
        FailingWrites full(books.company().connection(), "Fatura", "UPDATE");
        EXPECT_THROW(sale.save(), AppError);
    }
    EXPECT_EQ(books.count("SELECT count(*) FROM \"FatHar\""), 0);
    EXPECT_EQ(books.count("SELECT count(*) FROM \"StHar\""), 0);
    EXPECT_EQ(amounts(), 0);
    EXPECT_EQ(sale.rows().size(), 2u);

    sale.save();
    const InvoiceData saved = *books.posting->read(id);
    EXPECT_EQ(saved.gToplam, shown);
    EXPECT_EQ(books.count("SELECT count(*) FROM \"FatHar\" WHERE \"FRef\" = ?", {id}), 2);
    EXPECT_EQ(books.count("SELECT count(*) FROM \"StHar\" WHERE \"Kaynak\" = 'FA' AND "
                          "\"CMiktari\" > 0"),
              2);
    // The debit, the settling credit and the cash record carry the shown total; the sale's
    // movement falls due on the invoice's due date.
    EXPECT_EQ(books.value("SELECT \"Borc\" FROM \"CarHar\" WHERE \"Nosu\" = ?", {saved.cahRef})
                  .toDouble(),
              shown);
    EXPECT_EQ(books.value("SELECT \"Vadesi\" FROM \"CarHar\" WHERE \"Nosu\" = ?", {saved.cahRef})
                  .toString(),
              "2026-06-04");
    EXPECT_EQ(books.value("SELECT \"Alacak\" FROM \"CarHar\" WHERE \"Nosu\" = ?", {saved.cakRef})
                  .toDouble(),
              shown);
    EXPECT_EQ(
        books.value("SELECT \"Giren\" FROM \"Kasa\" WHERE \"Nosu\" = ?", {saved.kRef}).toDouble(),
        shown);
    EXPECT_EQ(
        books.value("SELECT \"BelgeNo\" FROM \"Kasa\" WHERE \"Nosu\" = ?", {saved.kRef}).toString(),
        "501 ST.FT.");
}

TEST_F(BarcodeSaleTest, AKilledSaveLeavesAllOrNothingAndAnAbandonedSaleLeavesNoTrace)
{
    const InvoiceData header = saleHeader(1, 1);
    const auto killedAfter = [&](bool commit) {
        runAndKill(books.t, commit, [&](CompanyData& other) {
            InvoicePosting posting(other);
            BarcodeSale sale(posting, scale(), header);
            scan(sale, "8690001");
            scan(sale, "271253");
            sale.save();
        });
    };
    const auto cash = [&] {
        return books.value("SELECT coalesce(sum(\"Giren\"),0) FROM \"Kasa\"").toDouble();
    };
    killedAfter(false);
    EXPECT_EQ(books.count("SELECT count(*) FROM \"FatHar\""), 0);
    EXPECT_EQ(books.count("SELECT count(*) FROM \"StHar\""), 0);
    EXPECT_EQ(cash(), 0);
    killedAfter(true);
    EXPECT_EQ(books.count("SELECT count(*) FROM \"FatHar\""), 2);
    EXPECT_EQ(books.count("SELECT count(*) FROM \"StHar\""), 2);
    EXPECT_EQ(cash(), books.posting->read(header.id)->gToplam);
    EXPECT_GT(cash(), 0);

    // A card deleted at another workstation meanwhile: refused, the rows stay.
    BarcodeSale gone(*books.posting, scale(), saleHeader(0, 0));
    scan(gone, "8690001");
    books.company().connection().exec("DELETE FROM \"Stok\" WHERE \"Nosu\" = ?", {cola});
    EXPECT_THROW(gone.save(), AppError);
    EXPECT_EQ(gone.rows().size(), 1u);

    // Abandoned: the header goes, nothing else was written.
    BarcodeSale abandoned(*books.posting, scale(), saleHeader(0, 0));
    scan(abandoned, "271253");
    abandoned.abandon();
    EXPECT_FALSE(books.posting->read(abandoned.header().id));
    EXPECT_EQ(books.count("SELECT count(*) FROM \"StHar\""), 2);
}
