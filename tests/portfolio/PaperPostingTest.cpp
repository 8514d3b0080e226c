#include "portfolio/PaperPosting.h"
#include "cash/CashLedger.h"
#include "customers/CustomerLedger.h"
#include "portfolio/FirmPaperPosting.h"
#include "portfolio/VoucherPosting.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/CompanyData.h"
#include "store/GlobalData.h"
#include "store/Installation.h"
#include "store/StoreSession.h"
#include "support/FailingWrites.h"
#include "support/Installation.h"
#include "support/KilledProgram.h"

#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class PaperPostingTest : public ::testing::Test {
protected:
    TestCompany t;
    CompanyData& company = *t.company;
    qint64 giver = card("120.01", "Yılmaz Ticaret");
    qint64 other = card("120.02", "Kaya Gıda");
    qint64 bank = card("102.01", "Deniz Bankası", 3);
    const QDate received{2026, 3, 1};
    const QDate due{2026, 4, 15};

    qint64 card(const QString& code, const QString& title, int durum = 1)
    {
        Table& cari = company.table("Cari");
        cari.append();
        cari["CariNo"] = code;
        cari["Unvani"] = title;
        cari["CariDurum"] = durum;
        cari.post();
        return cari.currentId();
    }

    qint64 enter(PaperPosting& posting, double amount = 100.10)
    {
        CustomerPaper p;
        p.girTarihi = received;
        p.vadesi = due;
        p.number = "A-123";
        p.tutari = amount;
        p.banka = "Ziraat";
        p.sube = "Merkez";
        p.customerId = giver;
        return posting.save(p);
    }

    // A paper's field, read fresh.
    QVariant field(const PortfolioKind& kind, qint64 id, const QString& name)
    {
        return company.connection().scalar(
            QStringLiteral("SELECT \"%1\" FROM \"%2\" WHERE \"Nosu\" = ?").arg(name, kind.table),
            {id});
    }

    // Borc, Alacak, Kaynak, CARef, Aciklama of a movement, or nothing.
    SqlRow movement(qint64 id)
    {
        const std::vector<SqlRow> rows = company.connection().select(
            "SELECT \"Borc\", \"Alacak\", \"Kaynak\", \"CARef\", \"Aciklama\" FROM \"CarHar\" "
            "WHERE \"Nosu\" = ?",
            {id});
        return rows.empty() ? SqlRow() : rows.front();
    }

    qint64 count(const QString& sql, const QVariantList& params = {})
    {
        return company.connection().scalar(sql, params).toLongLong();
    }

    // Every card's totals equal the sums of its movements.
    void expectCardTotalsHold()
    {
        EXPECT_EQ(count("SELECT count(*) FROM \"Cari\" c WHERE abs(coalesce(c.\"BakiyeT\",0) - "
                        "(SELECT coalesce(sum(coalesce(\"Borc\",0) - coalesce(\"Alacak\",0)),0) "
                        "FROM \"CarHar\" h WHERE h.\"CARef\" = c.\"Nosu\")) > 0.001"),
                  0);
    }

    PaperStep step(qint64 customer = 0, const QString& note = "not")
    {
        return {QDate(2026, 3, 10), note, customer};
    }
};

} // namespace

TEST_F(PaperPostingTest, EveryMoveOfThePositionTableAndNoOther)
{
    for (const PortfolioKind* kind : {&customerChecks(), &customerNotes()}) {
        PaperPosting posting(company, *kind);
        // The operations as the window offers them, by the position they lead to.
        const std::vector<std::function<void(qint64)>> ops = {
            [&](qint64 id) { posting.reset(id); },
            [&](qint64 id) { posting.endorse(id, step(other)); },
            [&](qint64 id) { posting.deposit(id, step(bank)); },
            [&](qint64 id) { posting.collect(id, step()); },
            [&](qint64 id) { posting.bounce(id, step()); },
            [&](qint64 id) { posting.giveBack(id, step()); },
        };
        for (int from = 0; from <= 5; ++from)
            for (int to = 0; to <= 5; ++to) {
                const qint64 id = enter(posting);
                if (from) ops[size_t(from)](id);
                ASSERT_EQ(posting.position(id), from);
                const qint64 movements = count("SELECT count(*) FROM \"CarHar\"");
                const qint64 cash = count("SELECT count(*) FROM \"Kasa\"");
                if (paperMoveAllowed(from, to)) {
                    ops[size_t(to)](id);
                    EXPECT_EQ(posting.position(id), to) << kind->table.toStdString() << from << to;
                    // What the position holds besides the receipt, every record linked.
                    const bool viaBank = to == 3 && from == 2;
                    const int held[] = {0, 1, 1, viaBank ? 3 : 0, 0, 1};
                    QStringList links;
                    for (const char* link :
                         {"ACAHRef", "CCAHRef", "ICAHRef", "BAHRef", "BATRef", "BANRef"})
                        links << QStringLiteral("SELECT \"%1\" FROM \"%2\" WHERE \"Nosu\" = ?")
                                     .arg(QLatin1String(link), kind->table);
                    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\""), 1 + held[to])
                        << kind->table.toStdString() << from << to;
                    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"Nosu\" IN (" +
                                        links.join(" UNION ") + ")",
                                    {id, id, id, id, id, id}),
                              1 + held[to]);
                    const qint64 cashHeld = to == 3 && !viaBank ? 1 : 0;
                    EXPECT_EQ(count("SELECT count(*) FROM \"Kasa\" WHERE \"KARef\" = ? AND "
                                    "\"Kaynak\" = 'CE' AND \"Nosu\" = (SELECT \"TCAHRef\" FROM \"" +
                                        kind->table + "\" WHERE \"Nosu\" = ?)",
                                    {id, id}),
                              cashHeld);
                    EXPECT_EQ(count("SELECT count(*) FROM \"Kasa\""), cashHeld);
                } else {
                    EXPECT_THROW(ops[size_t(to)](id), AppError)
                        << kind->table.toStdString() << from << to;
                    EXPECT_EQ(posting.position(id), from);
                    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\""), movements);
                    EXPECT_EQ(count("SELECT count(*) FROM \"Kasa\""), cash);
                }
                // Back in the portfolio nothing but the receipt is left.
                if (posting.position(id) != 0) posting.reset(id);
                EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"Nosu\" IN (SELECT "
                                "\"CCAHRef\" FROM \"" +
                                    kind->table +
                                    "\" WHERE \"Nosu\" = ?) OR "
                                    "\"Nosu\" IN (SELECT \"ICAHRef\" FROM \"" +
                                    kind->table + "\" WHERE \"Nosu\" = ?)",
                                {id, id}),
                          0);
                posting.remove(id);
            }
        EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\""), 0);
        EXPECT_EQ(count("SELECT count(*) FROM \"Kasa\""), 0);
        expectCardTotalsHold();
    }
}

TEST_F(PaperPostingTest, EndorsingBankingAndCollectingPostWhatTheBooksExpect)
{
    PaperPosting checks(company, customerChecks());
    const qint64 id = enter(checks);
    const SqlRow receipt = movement(field(customerChecks(), id, "ACAHRef").toLongLong());
    EXPECT_DOUBLE_EQ(receipt[1].toDouble(), 100.10);
    EXPECT_EQ(receipt[2].toString(), "CE");
    EXPECT_EQ(receipt[4].toString(), "15.04.2026 Ziraat");

    // Endorse, cancel, endorse: one endorsement movement, and the link points at it.
    EXPECT_THROW(checks.endorse(id, step(giver)), AppError); // not to the one who gave it
    EXPECT_THROW(checks.endorse(id, step(99999)), AppError);
    checks.endorse(id, step(other));
    checks.reset(id);
    checks.endorse(id, step(other));
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"CARef\" = ?", {other}), 1);
    const SqlRow endorsed = movement(field(customerChecks(), id, "CCAHRef").toLongLong());
    EXPECT_DOUBLE_EQ(endorsed[0].toDouble(), 100.10);
    EXPECT_EQ(endorsed[4].toString(), "15.04.2026 CİROLANAN ÇEK");
    // A new amount and due date reach the endorsement.
    CustomerPaper edited;
    edited.id = id;
    edited.girTarihi = received;
    edited.vadesi = QDate(2026, 5, 1);
    edited.number = "A-123";
    edited.tutari = 250;
    edited.banka = "Ziraat";
    edited.customerId = giver;
    checks.save(edited);
    EXPECT_DOUBLE_EQ(movement(field(customerChecks(), id, "CCAHRef").toLongLong())[0].toDouble(),
                     250);
    // Saved without a customer, the endorsement goes and the paper is back in the portfolio.
    checks.endorse(id, step());
    EXPECT_EQ(checks.position(id), 0);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"CARef\" = ?", {other}), 0);

    // Bank and collection through it: three movements on the bank card, all gone on reset.
    EXPECT_THROW(checks.deposit(id, step(other)), AppError); // not a bank card
    checks.deposit(id, step(bank));
    checks.collect(id, step());
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"CARef\" = ? AND \"Borc\" = 250 AND "
                    "\"Kaynak\" = 'CE'",
                    {bank}),
              1);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"CARef\" = ? AND \"Alacak\" = 250 "
                    "AND \"Kaynak\" = 'CE'",
                    {bank}),
              1);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"CARef\" = ? AND \"Borc\" = 250 AND "
                    "\"Kaynak\" = 'BN'",
                    {bank}),
              1);
    EXPECT_EQ(count("SELECT count(*) FROM \"Kasa\""), 0);
    expectCardTotalsHold();
    checks.reset(id);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"CARef\" = ?", {bank}), 0);
    // From the portfolio a collection is in cash, whatever bank came before.
    checks.collect(id, step());
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"CARef\" = ?", {bank}), 0);
    EXPECT_THROW(checks.bounce(id, step()), AppError); // not from Tahsil
    expectCardTotalsHold();
}

TEST_F(PaperPostingTest, ACheckAndANoteOfTheSameNumberEachKeepTheirOwnCashRecord)
{
    PaperPosting checks(company, customerChecks());
    PaperPosting notes(company, customerNotes());
    qint64 check = 0, note = 0;
    // The two tables number their papers on their own: make both reach the same Nosu.
    while (check < 5)
        check = enter(checks, 40);
    while (note < 5)
        note = enter(notes, 60);
    ASSERT_EQ(check, note);
    checks.collect(check, step());
    notes.collect(note, step());
    CashLedger cash(company);
    const std::optional<CashRecord> checkCash =
        cash.read(field(customerChecks(), check, "TCAHRef").toLongLong());
    const std::optional<CashRecord> noteCash =
        cash.read(field(customerNotes(), note, "TCAHRef").toLongLong());
    ASSERT_TRUE(checkCash && noteCash);
    EXPECT_DOUBLE_EQ(checkCash->giren, 40);
    EXPECT_EQ(checkCash->aciklama, "Yılmaz Ticaret Ziraat Merkez");
    EXPECT_EQ(checkCash->kaynak, "CE");
    EXPECT_DOUBLE_EQ(noteCash->giren, 60);
    EXPECT_EQ(noteCash->aciklama, "Yılmaz Ticaret");
    EXPECT_EQ(noteCash->kaRef, note);

    // Each reset and delete takes its own record and leaves the other's.
    notes.reset(note);
    EXPECT_EQ(count("SELECT count(*) FROM \"Kasa\""), 1);
    EXPECT_TRUE(cash.read(field(customerChecks(), check, "TCAHRef").toLongLong()).has_value());
    EXPECT_EQ(field(customerNotes(), note, "TCAHRef").toLongLong(), 0);
    checks.remove(check, "CE");
    EXPECT_EQ(count("SELECT count(*) FROM \"Kasa\""), 0);
    EXPECT_THROW(notes.remove(note, "MS"), AppError); // another program's paper
    notes.remove(note, "SE");
    EXPECT_EQ(count("SELECT count(*) FROM \"Cek\" WHERE \"Nosu\" = ?", {check}), 0);
}

TEST_F(PaperPostingTest, AFailedOperationLeavesThePaperAndTheBooksAsTheyWere)
{
    PaperPosting checks(company, customerChecks());
    const qint64 id = enter(checks);
    checks.deposit(id, step(bank));
    const qint64 movements = count("SELECT count(*) FROM \"CarHar\"");
    {
        FailingWrites failing(company.connection(), "Cek", "UPDATE");
        EXPECT_THROW(checks.collect(id, step()), AppError); // its last write fails
    }
    EXPECT_EQ(checks.position(id), 2);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\""), movements);
    {
        FailingWrites failing(company.connection(), "Cek", "DELETE");
        EXPECT_THROW(checks.remove(id), AppError);
    }
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\""), movements);
    checks.collect(id, step()); // the cursors are usable after the failures
    EXPECT_EQ(checks.position(id), 3);
    expectCardTotalsHold();
}

TEST_F(PaperPostingTest, FirmPapersArePaidThroughTheBankOrTheCashAndSetBack)
{
    FirmPaperPosting checks(company, firmChecks());
    FirmPaper c;
    c.kTarih = received;
    c.vadesi = due;
    c.number = "F-1";
    c.tutari = 500;
    c.payeeId = other;
    c.bankId = other; // not a bank card
    EXPECT_THROW(checks.save(c), AppError);
    c.bankId = 0;
    EXPECT_THROW(checks.save(c), AppError);
    c.bankId = bank;
    c.payeeId = 99999;
    EXPECT_THROW(checks.save(c), AppError);
    EXPECT_EQ(count("SELECT count(*) FROM \"FCek\""), 0);
    c.payeeId = other;
    c.id = checks.save(c);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"CARef\" = ? AND \"Borc\" = 500 AND "
                    "\"Kaynak\" = 'FC' AND \"Aciklama\" = 'BİZİM ÇEKİMİZ'",
                    {other}),
              1);
    // Paid, then set back to "Tanzim": only the issue movement is left.
    c.paid = true;
    checks.save(c);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"CARef\" = ? AND \"Alacak\" = 500 "
                    "AND \"Kaynak\" = 'BN' AND \"Tarih\" = '2026-04-15' AND \"Aciklama\" = "
                    "'Kaya Gıda Deniz Bankası'",
                    {bank}),
              1);
    checks.save(c); // saved again: rewritten, not doubled
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"CARef\" = ?", {bank}), 1);
    c.paid = false;
    checks.save(c);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\""), 1);
    expectCardTotalsHold();

    FirmPaperPosting notes(company, firmNotes());
    FirmPaper n;
    n.kTarih = received;
    n.vadesi = due;
    n.number = "S-9";
    n.tutari = 75.5;
    n.payeeId = other;
    n.paid = true; // paid at once
    n.id = notes.save(n);
    const std::vector<SqlRow> cash = company.connection().select(
        "SELECT \"Cikan\", \"Tarih\", \"Kaynak\", \"KARef\", \"BelgeNo\", \"Aciklama\" "
        "FROM \"Kasa\"");
    ASSERT_EQ(cash.size(), 1u);
    EXPECT_DOUBLE_EQ(cash[0][0].toDouble(), 75.5);
    EXPECT_EQ(cash[0][1].toString(), "2026-04-15");
    EXPECT_EQ(cash[0][2].toString(), "FS");
    EXPECT_EQ(cash[0][3].toLongLong(), n.id);
    EXPECT_EQ(cash[0][4].toString(), "S-9");
    EXPECT_EQ(cash[0][5].toString(), "Kaya Gıda");
    n.paid = false;
    notes.save(n);
    EXPECT_EQ(count("SELECT count(*) FROM \"Kasa\""), 0);
    n.paid = true;
    notes.save(n);
    EXPECT_THROW(notes.remove(n.id, "FC"), AppError);
    notes.remove(n.id, "FS");
    checks.remove(c.id);
    EXPECT_EQ(count("SELECT count(*) FROM \"Kasa\""), 0);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\""), 0);
    EXPECT_EQ(count("SELECT count(*) FROM \"FCek\""), 0);
    EXPECT_EQ(count("SELECT count(*) FROM \"FSenet\""), 0);
    expectCardTotalsHold();
}

TEST_F(PaperPostingTest, AVoucherKeepsItsSurchargeAndTakesItsPapersToANewCustomer)
{
    VoucherPosting vouchers(company, customerChecks());
    const QDate dated(2026, 3, 1);
    VoucherHeader header{dated, giver, 3, "ilk", true};
    const qint64 v = vouchers.saveHeader(0, header);
    // An empty voucher posts a surcharge of 0.
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"Kaynak\" = 'MF' AND \"Borc\" = 0"), 1);
    CustomerPaper paper;
    paper.girTarihi = dated;
    paper.number = "V-1";
    paper.tutari = 100.10;
    paper.banka = "Ziraat";
    paper.vadesi = dated.addDays(30);
    const qint64 first = vouchers.saveLine(v, paper);
    paper.vadesi = dated.addDays(61);
    vouchers.saveLine(v, paper);
    EXPECT_EQ(vouchers.figures(v).averageDays, 46);
    const auto surcharge = [&] {
        return company.connection().select(
            "SELECT \"Borc\", \"CARef\", \"Aciklama\", \"BelgeNo\" FROM \"CarHar\" WHERE "
            "\"Nosu\" = (SELECT \"CAHRef\" FROM \"CekFis\" WHERE \"Nosu\" = ?)",
            {v});
    };
    ASSERT_EQ(surcharge().size(), 1u);
    EXPECT_DOUBLE_EQ(surcharge().front()[0].toDouble(), 9.11);
    EXPECT_EQ(surcharge().front()[2].toString(), "REF. ÇEK FİŞİ G.ZAMMI");
    EXPECT_EQ(surcharge().front()[3].toString(), QString::number(v));
    EXPECT_EQ(field(customerChecks(), first, "Kaynak").toString(), "MF");
    EXPECT_EQ(field(customerChecks(), first, "FRef").toLongLong(), v);

    // Another customer: the papers, their receipts, their returns and the surcharge go along.
    PaperPosting checks(company, customerChecks());
    checks.giveBack(first, step());
    header.customerId = other;
    vouchers.saveHeader(v, header);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"CARef\" = ?", {giver}), 0);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"CARef\" = ?", {other}), 4);
    EXPECT_EQ(field(customerChecks(), first, "ACariNo").toString(), "120.02");
    expectCardTotalsHold();
    // Not posted any more: the surcharge goes.
    header.islensin = false;
    vouchers.saveHeader(v, header);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"Kaynak\" = 'MF' AND \"Aciklama\" "
                    "LIKE 'REF.%'"),
              0);
    // A paper of the entry window is not the voucher's to change.
    EXPECT_THROW(vouchers.removeLine(v, enter(checks)), AppError);

    vouchers.removeVoucher(v);
    EXPECT_EQ(count("SELECT count(*) FROM \"Cek\" WHERE \"FRef\" = ?", {v}), 0);
    EXPECT_EQ(count("SELECT count(*) FROM \"CekFis\""), 0);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"CARef\" = ?", {other}), 0);
    expectCardTotalsHold();
}

TEST_F(PaperPostingTest, ASeriesOfNotesFallsDueMonthByMonth)
{
    VoucherPosting vouchers(company, customerNotes());
    const qint64 v = vouchers.saveHeader(0, {QDate(2004, 1, 31), giver, 0, "", false});
    CustomerPaper note;
    note.girTarihi = QDate(2004, 1, 31);
    note.vadesi = QDate(2004, 1, 31);
    note.number = "S";
    note.tutari = 50;
    EXPECT_THROW(vouchers.saveSeries(v, note, 0, 30), AppError);
    EXPECT_THROW(vouchers.saveSeries(v, note, 3, 0), AppError);
    EXPECT_EQ(count("SELECT count(*) FROM \"Senet\""), 0);
    const std::vector<qint64> ids = vouchers.saveSeries(v, note, 3, 30);
    ASSERT_EQ(ids.size(), 3u);
    EXPECT_EQ(field(customerNotes(), ids[0], "Vadesi").toString(), "2004-02-29");
    EXPECT_EQ(field(customerNotes(), ids[1], "Vadesi").toString(), "2004-03-31");
    EXPECT_EQ(field(customerNotes(), ids[2], "Vadesi").toString(), "2004-04-30");
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"Kaynak\" = 'MS' AND \"Alacak\" = 50"),
              3);
    expectCardTotalsHold();
}

TEST_F(PaperPostingTest, AFirmVoucherIssuesToItsCustomerAndMovesOnlyTheIssueMovements)
{
    VoucherPosting vouchers(company, firmChecks());
    const qint64 v = vouchers.saveHeader(0, {QDate(2026, 3, 1), giver, 5, "firma", true});
    FirmPaper check;
    check.kTarih = QDate(2026, 3, 1);
    check.vadesi = QDate(2026, 4, 1);
    check.number = "F-1";
    check.tutari = 250;
    check.bankId = bank;
    check.paid = true;
    const qint64 paid = vouchers.saveLine(v, check);
    check.paid = false;
    check.number = "F-2";
    const qint64 open = vouchers.saveLine(v, check);
    // No surcharge on firm papers; the paid check names itself on its bank movement.
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"Aciklama\" LIKE 'REF.%'"), 0);
    EXPECT_EQ(count("SELECT \"KRef\" FROM \"CarHar\" WHERE \"Kaynak\" = 'BN'"), paid);
    EXPECT_EQ(field(firmChecks(), paid, "Kaynak").toString(), "FC");
    EXPECT_EQ(field(firmChecks(), paid, "FRef").toLongLong(), v);
    EXPECT_EQ(vouchers.figures(v).total, 500);
    EXPECT_DOUBLE_EQ(vouchers.figures(v).surcharge, 0);

    // Another payee: the checks and their issue movements move, the bank movement stays.
    vouchers.saveHeader(v, {QDate(2026, 3, 1), other, 0, "firma", false});
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"CARef\" = ?", {giver}), 0);
    EXPECT_EQ(
        count("SELECT count(*) FROM \"CarHar\" WHERE \"CARef\" = ? AND \"Borc\" = 250", {other}),
        2);
    EXPECT_EQ(
        count("SELECT count(*) FROM \"CarHar\" WHERE \"CARef\" = ? AND \"Kaynak\" = 'BN'", {bank}),
        1);
    EXPECT_EQ(field(firmChecks(), open, "KCariNo").toString(), "120.02");
    expectCardTotalsHold();

    // A firm check of another voucher or of the entry window is not this voucher's line.
    FirmPaperPosting firm(company, firmChecks());
    check.number = "F-3";
    const qint64 single = firm.save({0, check.kTarih, check.vadesi, "F-3", 10, giver, bank, false});
    EXPECT_THROW(vouchers.removeLine(v, single), AppError);
    vouchers.removeVoucher(v);
    EXPECT_EQ(count("SELECT count(*) FROM \"FCek\""), 1);
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\" WHERE \"CARef\" IN (?, ?)", {other, bank}), 0);
    expectCardTotalsHold();
}

// A failure at the hundredth paper of a series or of a voucher's delete leaves the books as
// they were: the command is one.
TEST_F(PaperPostingTest, AFailureAtTheHundredthPaperLeavesTheBooksUnchanged)
{
    VoucherPosting vouchers(company, customerNotes());
    const qint64 v = vouchers.saveHeader(0, {QDate(2026, 1, 10), giver, 2, "", true});
    CustomerPaper note;
    note.girTarihi = QDate(2026, 1, 10);
    note.vadesi = note.girTarihi;
    note.number = "S";
    note.tutari = 10;
    const auto books = [&] {
        return QStringList{
            QString::number(count("SELECT count(*) FROM \"Senet\"")),
            QString::number(count("SELECT count(*) FROM \"CarHar\"")),
            company.connection()
                .scalar("SELECT coalesce(sum(\"Borc\" - \"Alacak\"),0) FROM \"CarHar\"")
                .toString(),
            company.connection()
                .scalar("SELECT \"BakiyeT\" FROM \"Cari\" WHERE \"Nosu\" = ?", {giver})
                .toString()};
    };
    const QStringList before = books();
    {
        FailingWrites full(company.connection(), "Senet", "INSERT",
                           "(SELECT count(*) FROM \"Senet\") >= 99");
        EXPECT_THROW(vouchers.saveSeries(v, note, 100, 30), AppError);
    }
    EXPECT_EQ(books(), before);
    vouchers.saveSeries(v, note, 100, 30);
    const QStringList saved = books();
    EXPECT_EQ(saved[0], "100");
    {
        FailingWrites full(company.connection(), "Senet", "DELETE",
                           "(SELECT count(*) FROM \"Senet\") <= 1");
        EXPECT_THROW(vouchers.removeVoucher(v), AppError);
    }
    EXPECT_EQ(books(), saved);
    EXPECT_EQ(count("SELECT count(*) FROM \"SenFis\""), 1);
    vouchers.removeVoucher(v);
    EXPECT_EQ(books()[0], "0");
    expectCardTotalsHold();
}

// A program killed in the middle of a paper's command leaves nothing of it; one killed after
// the command ended leaves all of it.
TEST_F(PaperPostingTest, AProgramKilledMidCommandLeavesAllOrNothing)
{
    PaperPosting checks(company, customerChecks());
    const qint64 id = enter(checks);
    const auto killedAfter = [&](bool commit) {
        runAndKill(t, commit, [&](CompanyData& other) {
            PaperPosting(other, customerChecks()).collect(id, {QDate(2026, 3, 20), "kasaya", 0});
        });
    };
    killedAfter(false);
    EXPECT_EQ(checks.position(id), PaperPosition::Portfoy);
    EXPECT_EQ(count("SELECT count(*) FROM \"Kasa\""), 0);
    killedAfter(true);
    EXPECT_EQ(checks.position(id), PaperPosition::Tahsil);
    EXPECT_EQ(count("SELECT count(*) FROM \"Kasa\" WHERE \"Giren\" = 100.1 AND \"Kaynak\" = 'CE'"),
              1);
    checks.reset(id); // the books stay writable
    EXPECT_EQ(count("SELECT count(*) FROM \"Kasa\""), 0);
}
