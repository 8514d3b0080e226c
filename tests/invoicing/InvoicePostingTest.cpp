#include "InvoiceBooks.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/GlobalData.h"
#include "store/Installation.h"
#include "support/FailingWrites.h"
#include "support/KilledProgram.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QDate kMarch1(2026, 3, 1);

class InvoicePostingTest : public ::testing::Test, protected InvoiceCompany {
protected:
    qint64 a = customer("120.01", "Yılmaz Ticaret", "Bağdat Cad. 5");
    qint64 b = customer("120.02", "Kaya Gıda");
    qint64 pen = stock("K01", "Kalem", 10, 18);
    qint64 ink = stock("M01", "Mürekkep", 5, 8);

    // The stored customer movement of a link: Borc, Alacak, BelgeNo, Aciklama, CARef.
    SqlRow movement(qint64 id)
    {
        const std::vector<SqlRow> rows = company().connection().select(
            "SELECT \"Borc\", \"Alacak\", \"BelgeNo\", \"Aciklama\", \"CARef\", \"Tarih\", "
            "\"Vadesi\", \"Kaynak\" FROM \"CarHar\" WHERE \"Nosu\" = ?",
            {id});
        return rows.empty() ? SqlRow() : rows.front();
    }
    SqlRow cashRecord(qint64 id)
    {
        const std::vector<SqlRow> rows = company().connection().select(
            "SELECT \"Giren\", \"Cikan\", \"BelgeNo\", \"Aciklama\", \"Kaynak\", \"Tarih\" FROM "
            "\"Kasa\" WHERE \"Nosu\" = ?",
            {id});
        return rows.empty() ? SqlRow() : rows.front();
    }
    double balanceOf(qint64 customerId)
    {
        return value("SELECT \"BakiyeT\" FROM \"Cari\" WHERE \"Nosu\" = ?", {customerId})
            .toDouble();
    }
    // The sales invoice of the worked example: 2 × 10.00 at 18 %, 1 × 5.00 less 10 % at 8 %.
    qint64 example(int closed = 0)
    {
        const qint64 id =
            posting->saveHeader(salesInvoice(), 0, header(120, kMarch1, "120.01", closed));
        posting->saveLine(id, line(pen, 2, 10, 18));
        posting->saveLine(id, line(ink, 1, 5, 8, 10));
        return id;
    }
};

TEST_F(InvoicePostingTest, SalesInvoiceTotalsAndPostings)
{
    const qint64 id = example();
    const InvoiceData inv = *posting->read(id);
    EXPECT_DOUBLE_EQ(inv.fatTop, 25);
    EXPECT_DOUBLE_EQ(inv.iskonto, 0.5);
    EXPECT_DOUBLE_EQ(inv.kdv, 3.96);
    EXPECT_DOUBLE_EQ(inv.gToplam, 28.46);
    EXPECT_EQ(inv.kaynak, QStringLiteral("FA"));
    EXPECT_EQ(inv.cakRef, 0);
    EXPECT_EQ(inv.kRef, 0);
    // The header took the card's title, address and tax office.
    EXPECT_EQ(inv.unvani, QStringLiteral("Yılmaz Ticaret"));
    EXPECT_EQ(inv.adres1, QStringLiteral("Bağdat Cad. 5"));
    EXPECT_EQ(inv.vd, QStringLiteral("Kadıköy"));

    const SqlRow m = movement(inv.cahRef);
    ASSERT_FALSE(m.empty());
    EXPECT_DOUBLE_EQ(m[0].toDouble(), 28.46);
    EXPECT_DOUBLE_EQ(m[1].toDouble(), 0);
    EXPECT_EQ(m[2].toString(), QStringLiteral("120 SAT.FT."));
    EXPECT_EQ(m[4].toLongLong(), a);
    EXPECT_EQ(m[7].toString(), QStringLiteral("FA"));
    EXPECT_DOUBLE_EQ(balanceOf(a), 28.46);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\""), 1);

    // One exit per line, valued at the net amount; the unit price from it.
    const std::vector<SqlRow> moves = company().connection().select(
        "SELECT \"CMiktari\", \"CFiyati\", \"CTutari\", \"GMiktari\", \"BelgeNo\", \"Aciklama\", "
        "\"Kaynak\", \"Tarih\" FROM \"StHar\" ORDER BY \"Nosu\"");
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_DOUBLE_EQ(moves[1][0].toDouble(), 1);
    EXPECT_DOUBLE_EQ(moves[1][1].toDouble(), 4.5);
    EXPECT_DOUBLE_EQ(moves[1][2].toDouble(), 4.5);
    EXPECT_DOUBLE_EQ(moves[1][3].toDouble(), 0);
    EXPECT_EQ(moves[1][4].toString(), QStringLiteral("120"));
    EXPECT_EQ(moves[1][5].toString(), QStringLiteral("Yılmaz Ticaret"));
    EXPECT_EQ(moves[1][6].toString(), QStringLiteral("FA"));
    EXPECT_EQ(moves[1][7].toString(), QStringLiteral("2026-03-01"));
    EXPECT_EQ(posting->lineCount(id), 2);

    // Opening the lines again finds everything in step and writes nothing.
    EXPECT_FALSE(posting->openLines(id));
}

TEST_F(InvoicePostingTest, PurchaseInvoiceCreditsTheSupplierAndEntersStock)
{
    const qint64 id = posting->saveHeader(purchaseInvoice(), 0, header(7, kMarch1, "120.02", 1));
    posting->saveLine(id, line(pen, 10, 4, 18));
    const InvoiceData inv = *posting->read(id);
    EXPECT_EQ(inv.fatTuru, 0);
    EXPECT_DOUBLE_EQ(inv.gToplam, 47.2);
    const SqlRow m = movement(inv.cahRef);
    EXPECT_DOUBLE_EQ(m[1].toDouble(), 47.2);
    EXPECT_EQ(m[2].toString(), QStringLiteral("7 AL.FT."));
    // Closed: settled by a debit, paid out of the cash box.
    const SqlRow s = movement(inv.cakRef);
    EXPECT_DOUBLE_EQ(s[0].toDouble(), 47.2);
    EXPECT_EQ(s[3].toString(), QStringLiteral("NOLU KAPALI ALIŞ FATURASI"));
    const SqlRow r = cashRecord(inv.kRef);
    EXPECT_DOUBLE_EQ(r[1].toDouble(), 47.2);
    EXPECT_EQ(r[2].toString(), QStringLiteral("7 AL.FT."));
    EXPECT_EQ(r[3].toString(), QStringLiteral("Kaya Gıda"));
    EXPECT_DOUBLE_EQ(balanceOf(b), 0);
    EXPECT_DOUBLE_EQ(value("SELECT \"GMiktari\" FROM \"StHar\"").toDouble(), 10);
    EXPECT_DOUBLE_EQ(value("SELECT \"GTutari\" FROM \"StHar\"").toDouble(), 40);
}

TEST_F(InvoicePostingTest, VatPerRateWhenTheCompanyAsksForIt)
{
    const auto invoiceVat = [&] {
        const qint64 id = posting->saveHeader(salesInvoice(), 0, header(1, kMarch1, "120.01"));
        for (int i = 0; i < 3; ++i)
            posting->saveLine(id, line(pen, 1, 0.35, 18));
        return posting->read(id)->kdv;
    };
    reopen(0);
    EXPECT_DOUBLE_EQ(invoiceVat(), 0.18);
    reopen(1);
    EXPECT_DOUBLE_EQ(invoiceVat(), 0.19);
    // The lines keep their own VAT.
    EXPECT_DOUBLE_EQ(
        value("SELECT sum(\"KdvTutar\") FROM \"FatHar\" WHERE \"FRef\" = 2").toDouble(), 0.18);
}

TEST_F(InvoicePostingTest, ClosingAndReopeningAnInvoice)
{
    const qint64 id = example();
    InvoiceHeader h = header(120, kMarch1, "120.01", 1);
    posting->saveHeader(salesInvoice(), id, h);
    InvoiceData inv = *posting->read(id);
    ASSERT_GT(inv.cakRef, 0);
    ASSERT_GT(inv.kRef, 0);
    const SqlRow s = movement(inv.cakRef);
    EXPECT_DOUBLE_EQ(s[1].toDouble(), 28.46);
    EXPECT_EQ(s[2].toString(), QStringLiteral("120"));
    EXPECT_EQ(s[3].toString(), QStringLiteral("NOLU KAPALI SATIŞ FATURASI"));
    const SqlRow r = cashRecord(inv.kRef);
    EXPECT_DOUBLE_EQ(r[0].toDouble(), 28.46);
    EXPECT_EQ(r[2].toString(), QStringLiteral("120 ST.FT."));
    EXPECT_EQ(r[4].toString(), QStringLiteral("FA"));
    EXPECT_DOUBLE_EQ(balanceOf(a), 0);

    // A line more keeps the settlement and the cash record with the new total.
    posting->saveLine(id, line(pen, 1, 10, 18));
    inv = *posting->read(id);
    EXPECT_DOUBLE_EQ(inv.gToplam, 40.26);
    EXPECT_DOUBLE_EQ(cashRecord(inv.kRef)[0].toDouble(), 40.26);
    EXPECT_DOUBLE_EQ(movement(inv.cakRef)[1].toDouble(), 40.26);

    h.fDurumu = 0;
    posting->saveHeader(salesInvoice(), id, h);
    inv = *posting->read(id);
    EXPECT_EQ(inv.cakRef, 0);
    EXPECT_EQ(inv.kRef, 0);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\""), 1);
    EXPECT_EQ(count("SELECT count(*) FROM \"Kasa\""), 0);
    EXPECT_DOUBLE_EQ(balanceOf(a), 40.26);
}

TEST_F(InvoicePostingTest, HeaderChangesReachTheLinkedRecords)
{
    const qint64 id = example(1);
    // Another customer and a new date: the movements follow, the lines and stock are re-dated.
    InvoiceHeader h = header(121, QDate(2026, 3, 5), "120.02", 1);
    posting->saveHeader(salesInvoice(), id, h);
    const InvoiceData inv = *posting->read(id);
    EXPECT_EQ(inv.customerId, b);
    EXPECT_EQ(inv.unvani, QStringLiteral("Kaya Gıda"));
    // An old invoice keeps its address as it was.
    EXPECT_EQ(inv.adres1, QString());
    EXPECT_EQ(movement(inv.cahRef)[4].toLongLong(), b);
    EXPECT_EQ(movement(inv.cakRef)[4].toLongLong(), b);
    EXPECT_DOUBLE_EQ(balanceOf(a), 0);
    EXPECT_EQ(count("SELECT count(*) FROM \"FatHar\" WHERE \"Tarih\" = '2026-03-05'"), 2);
    EXPECT_EQ(count("SELECT count(*) FROM \"StHar\" WHERE \"Tarih\" = '2026-03-05' AND "
                    "\"BelgeNo\" = '121'"),
              2);
    EXPECT_EQ(cashRecord(inv.kRef)[5].toString(), QStringLiteral("2026-03-05"));
}

TEST_F(InvoicePostingTest, OpeningTheLinesRedatesOnlyWhatDiffers)
{
    const qint64 id = example();
    // Another program moved the header to 5 March; the lines still say 1 March.
    company().connection().exec("UPDATE \"Fatura\" SET \"Tarih\" = '2026-03-05' WHERE "
                                "\"Nosu\" = ?",
                                {id});
    EXPECT_TRUE(posting->openLines(id));
    EXPECT_EQ(count("SELECT count(*) FROM \"FatHar\" WHERE \"Tarih\" = '2026-03-05'"), 2);
    EXPECT_EQ(count("SELECT count(*) FROM \"StHar\" WHERE \"Tarih\" = '2026-03-05'"), 2);
    EXPECT_EQ(movement(posting->read(id)->cahRef)[5].toString(), QStringLiteral("2026-03-05"));
    EXPECT_FALSE(posting->openLines(id));
}

TEST_F(InvoicePostingTest, LineChangesAndDeletes)
{
    const qint64 id = example();
    InvoiceLine first = posting->lines(id).front();
    const qint64 firstMove = first.stHRef;
    first.miktari = 5;
    first.cinsi = QStringLiteral("Kalem mavi");
    static_cast<LineAmounts&>(first) = computeLine(company(), first);
    posting->saveLine(id, first);
    // The same movement is rewritten, with the line's description.
    EXPECT_EQ(posting->lines(id).front().stHRef, firstMove);
    EXPECT_DOUBLE_EQ(
        value("SELECT \"CMiktari\" FROM \"StHar\" WHERE \"Nosu\" = ?", {firstMove}).toDouble(), 5);
    EXPECT_EQ(value("SELECT \"Cinsi\" FROM \"StHar\" WHERE \"Nosu\" = ?", {firstMove}).toString(),
              QStringLiteral("Kalem mavi"));
    EXPECT_DOUBLE_EQ(posting->read(id)->gToplam, 63.86);

    posting->removeLine(id, first.id);
    EXPECT_EQ(count("SELECT count(*) FROM \"StHar\""), 1);
    EXPECT_DOUBLE_EQ(posting->read(id)->gToplam, 4.86);
    EXPECT_DOUBLE_EQ(balanceOf(a), 4.86);
    // A line of another invoice is not touched.
    const qint64 other = posting->saveHeader(salesInvoice(), 0, header(130, kMarch1, "120.02"));
    posting->removeLine(other, posting->lines(id).front().id);
    EXPECT_EQ(posting->lineCount(id), 1);
}

TEST_F(InvoicePostingTest, DeletingAnInvoiceTakesEverythingItOwns)
{
    const qint64 id = example(1);
    const qint64 keep = posting->saveHeader(salesInvoice(), 0, header(121, kMarch1, "120.02"));
    posting->saveLine(keep, line(pen, 1, 10));
    // The cash record was deleted elsewhere already.
    company().connection().exec("DELETE FROM \"Kasa\"");
    posting->removeInvoice(id);
    EXPECT_FALSE(posting->read(id));
    EXPECT_EQ(count("SELECT count(*) FROM \"FatHar\""), 1);
    EXPECT_EQ(count("SELECT count(*) FROM \"StHar\""), 1);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\""), 1);
    EXPECT_DOUBLE_EQ(balanceOf(a), 0);
    EXPECT_DOUBLE_EQ(balanceOf(b), 10);
}

TEST_F(InvoicePostingTest, InvoicesOfOtherProgramsAreRefused)
{
    InvoiceData order;
    order.fatNo = 300;
    order.fatTuru = 1;
    order.tarih = kMarch1;
    order.cariNo = QStringLiteral("120.01");
    order.customerId = a;
    order.kaynak = FaturaKaynak::SI;
    order.siRef = 9;
    const qint64 id = posting->postInvoice(order, {line(pen, 3, 10, 18)});
    EXPECT_DOUBLE_EQ(posting->read(id)->gToplam, 35.4);
    EXPECT_EQ(posting->read(id)->kaynak, QStringLiteral("SI"));

    try {
        posting->removeInvoice(id);
        FAIL() << "deleted";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Kaynak program fatura değil!!!"));
        EXPECT_EQ(e.detail(), QStringLiteral("İptal işlemi yapılamaz"));
    }
    EXPECT_THROW(posting->saveHeader(salesInvoice(), id, header(300, kMarch1, "120.01")), AppError);
    EXPECT_EQ(posting->read(id)->kaynak, QStringLiteral("SI"));
    // The order module deletes its own.
    posting->removeInvoice(id, FaturaKaynak::SI);
    EXPECT_EQ(count("SELECT count(*) FROM \"StHar\""), 0);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\""), 0);
}

TEST_F(InvoicePostingTest, BadHeadersWriteNothing)
{
    try {
        posting->saveHeader(salesInvoice(), 0, header(5, kMarch1, "999"));
        FAIL() << "saved";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Cari kart nosu bulunamadı"));
    }
    EXPECT_THROW(posting->saveHeader(salesInvoice(), 0, header(0, kMarch1, "120.01")), AppError);
    EXPECT_THROW(posting->saveHeader(salesInvoice(), 0, header(5, QDate(), "120.01")), AppError);
    // A code with a quote is data.
    EXPECT_THROW(posting->saveHeader(salesInvoice(), 0, header(5, kMarch1, "1' OR '1'='1")),
                 AppError);
    EXPECT_EQ(count("SELECT count(*) FROM \"Fatura\""), 0);
    EXPECT_EQ(t.install.satisNo(), 0);
    // A line of a card that does not exist.
    const qint64 id = posting->saveHeader(salesInvoice(), 0, header(5, kMarch1, "120.01"));
    InvoiceLine l = line(pen, 1, 10);
    l.stockId = 999;
    EXPECT_THROW(posting->saveLine(id, l), AppError);
    EXPECT_EQ(count("SELECT count(*) FROM \"FatHar\""), 0);
    EXPECT_EQ(count("SELECT count(*) FROM \"StHar\""), 0);
}

TEST_F(InvoicePostingTest, Numbering)
{
    // Sales: the highest number + 1; the counter wins only when higher.
    EXPECT_DOUBLE_EQ(posting->NextInvoiceNumber(salesInvoice()), 1);
    posting->saveHeader(salesInvoice(), 0, header(120, kMarch1, "120.01"));
    posting->saveHeader(salesInvoice(), 0, header(80, QDate(2026, 3, 9), "120.01"));
    t.install.setSatisNo(100);
    EXPECT_DOUBLE_EQ(posting->NextInvoiceNumber(salesInvoice()), 121);
    t.install.setSatisNo(500);
    EXPECT_DOUBLE_EQ(posting->NextInvoiceNumber(salesInvoice()), 500);
    posting->saveHeader(salesInvoice(), 0, header(500, kMarch1, "120.01"));
    t.install.reload();
    EXPECT_EQ(t.install.satisNo(), 501);
    // Changing an invoice does not move the counter.
    posting->saveHeader(salesInvoice(), 1, header(700, kMarch1, "120.01"));
    t.install.reload();
    EXPECT_EQ(t.install.satisNo(), 501);

    // Purchases: the last invoice in date order, or in number order when asked.
    posting->saveHeader(purchaseInvoice(), 0, header(120, QDate(2026, 2, 1), "120.02"));
    posting->saveHeader(purchaseInvoice(), 0, header(50, QDate(2026, 2, 10), "120.02"));
    t.install.setAlisNo(0);
    EXPECT_DOUBLE_EQ(posting->NextInvoiceNumber(purchaseInvoice()), 51);
    EXPECT_DOUBLE_EQ(posting->NextInvoiceNumber(purchaseInvoice(), true), 121);
}

TEST_F(InvoicePostingTest, BarcodeScansOfOneCardFoldIntoOneLine)
{
    const qint64 id = posting->saveHeader(salesInvoice(), 0, header(1, kMarch1, "120.01", 1));
    qint64 kept = 0;
    for (int i = 0; i < 3; ++i)
        kept = posting->saveLine(id, line(pen, 1, 10, 18, 10), true);
    posting->saveLine(id, line(ink, 1, 5, 8), true);
    const std::vector<InvoiceLine> lines = posting->lines(id);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].id, kept);
    EXPECT_DOUBLE_EQ(lines[0].miktari, 3);
    EXPECT_DOUBLE_EQ(lines[0].tutari, 30);
    EXPECT_DOUBLE_EQ(lines[0].iskTutar, 3); // the discount follows the quantity
    EXPECT_DOUBLE_EQ(lines[0].kdvTutar, 4.86);
    EXPECT_EQ(count("SELECT count(*) FROM \"StHar\" WHERE \"STRef\" = ?", {pen}), 1);
    EXPECT_DOUBLE_EQ(
        value("SELECT \"CMiktari\" FROM \"StHar\" WHERE \"STRef\" = ?", {pen}).toDouble(), 3);
    EXPECT_DOUBLE_EQ(
        value("SELECT \"CTutari\" FROM \"StHar\" WHERE \"STRef\" = ?", {pen}).toDouble(), 27);
    EXPECT_DOUBLE_EQ(posting->read(id)->gToplam, 31.86 + 5.4);
}

TEST_F(InvoicePostingTest, DeadLinksAreSkippedOnDeleteAndReplacedOnPost)
{
    const qint64 id = example(1);
    // The customer movement and a stock movement vanished elsewhere.
    const InvoiceData inv = *posting->read(id);
    company().connection().exec("DELETE FROM \"CarHar\" WHERE \"Nosu\" = ?", {inv.cahRef});
    company().connection().exec("DELETE FROM \"StHar\" WHERE \"Nosu\" = ?",
                                {posting->lines(id).front().stHRef});
    EXPECT_TRUE(posting->openLines(id));
    const InvoiceData after = *posting->read(id);
    EXPECT_NE(after.cahRef, inv.cahRef);
    EXPECT_DOUBLE_EQ(movement(after.cahRef)[0].toDouble(), 28.46);
    // Saving the line again gives it a movement.
    posting->saveLine(id, posting->lines(id).front());
    EXPECT_EQ(count("SELECT count(*) FROM \"StHar\""), 2);
    posting->removeInvoice(id);
    EXPECT_EQ(count("SELECT count(*) FROM \"StHar\""), 0);
    EXPECT_EQ(count("SELECT count(*) FROM \"Kasa\""), 0);
}

TEST_F(InvoicePostingTest, WholeInvoiceForOtherModules)
{
    InvoiceData sale;
    sale.fatNo = 77;
    sale.fatTuru = 1;
    sale.tarih = kMarch1;
    sale.cariNo = QStringLiteral("120.01");
    sale.unvani = QStringLiteral("Yılmaz Ticaret");
    sale.customerId = a;
    sale.fDurumu = 1;
    const qint64 id = posting->postInvoice(sale, {line(pen, 2, 10, 18), line(ink, 1, 5, 8, 10)});
    const InvoiceData inv = *posting->read(id);
    EXPECT_DOUBLE_EQ(inv.gToplam, 28.46);
    EXPECT_DOUBLE_EQ(cashRecord(inv.kRef)[0].toDouble(), 28.46);
    EXPECT_EQ(count("SELECT count(*) FROM \"StHar\""), 2);
    // Lines join a stored header.
    InvoiceData more = inv;
    posting->postInvoice(more, {line(pen, 1, 10, 18)});
    EXPECT_DOUBLE_EQ(posting->read(id)->gToplam, 40.26);

    // Many lines, written a few dozen to a statement: each line keeps its own movement.
    std::vector<InvoiceLine> many;
    for (int i = 0; i < 45; ++i)
        many.push_back(i % 3 ? line(pen, i + 1, 10, 18) : line(ink, i + 1, 5, 8));
    const qint64 big = posting->postInvoice(sale, many);
    EXPECT_EQ(count("SELECT count(*) FROM \"FatHar\" h JOIN \"StHar\" s ON s.\"Nosu\" = "
                    "h.\"STHRef\" WHERE h.\"FRef\" = ? AND s.\"STRef\" = h.\"STRef\" AND "
                    "s.\"CMiktari\" = h.\"Miktari\" AND "
                    "s.\"CTutari\" = h.\"AraTop\" AND s.\"Kodu\" = h.\"Kodu\"",
                    {big}),
              45);
    EXPECT_EQ(count("SELECT count(DISTINCT \"STHRef\") FROM \"FatHar\" WHERE \"FRef\" = ?", {big}),
              45);
    EXPECT_EQ(t.install.satisNo(), 0);
}

TEST_F(InvoicePostingTest, AFailureBeforeTheLastWriteLeavesNothing)
{
    const qint64 id = example(1);
    const InvoiceData before = *posting->read(id);
    // The header's own write is each command's last.
    {
        FailingWrites updates(company().connection(), "Fatura", "UPDATE");
        FailingWrites deletes(company().connection(), "Fatura", "DELETE");
        EXPECT_THROW(posting->saveLine(id, line(pen, 7, 10, 18)), std::exception);
        EXPECT_THROW(posting->removeInvoice(id), std::exception);
    }
    EXPECT_EQ(posting->lineCount(id), 2);
    EXPECT_EQ(count("SELECT count(*) FROM \"StHar\""), 2);
    EXPECT_DOUBLE_EQ(cashRecord(before.kRef)[0].toDouble(), 28.46);
    EXPECT_DOUBLE_EQ(movement(before.cahRef)[0].toDouble(), 28.46);
    EXPECT_DOUBLE_EQ(balanceOf(a), 0);
    EXPECT_FALSE(posting->openLines(id));
    // The cursors are usable again.
    posting->saveLine(id, line(pen, 1, 10));
    EXPECT_EQ(posting->lineCount(id), 3);
}

TEST_F(InvoicePostingTest, AProgramKilledMidPostLeavesAllOrNothing)
{
    const qint64 id = example(1);
    runAndKill(t, false, [&](CompanyData& other) {
        InvoicePosting p(other, t.install);
        InvoiceLine l;
        l.stockId = pen;
        l.kodu = QStringLiteral("K01");
        l.miktari = 50;
        l.birimF = 10;
        static_cast<LineAmounts&>(l) = computeLine(other, l);
        p.saveLine(id, l);
    });
    EXPECT_EQ(posting->lineCount(id), 2);
    EXPECT_EQ(count("SELECT count(*) FROM \"StHar\""), 2);
    const InvoiceData inv = *posting->read(id);
    EXPECT_DOUBLE_EQ(inv.gToplam, 28.46);
    EXPECT_DOUBLE_EQ(cashRecord(inv.kRef)[0].toDouble(), 28.46);
    EXPECT_FALSE(posting->openLines(id));
}

} // namespace
