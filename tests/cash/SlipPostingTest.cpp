#include "CashBooks.h"
#include "customers/CustomerLedger.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/GlobalData.h"
#include "store/Installation.h"
#include "support/FailingWrites.h"
#include "support/KilledProgram.h"
#include "support/QtPrinters.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class SlipPostingTest : public ::testing::Test, protected CashCompany {
protected:
    qint64 a = customer("120.01", "Yılmaz Ticaret");
    qint64 b = customer("120.02", "Kaya Gıda");

    // The slip's movement and cash record as stored: Borc, Alacak, CARef, BelgeNo and Giren,
    // Cikan, Kaynak, BelgeNo, with the count of each.
    struct Postings {
        int movements = 0, records = 0;
        double borc = 0, alacak = 0, giren = 0, cikan = 0;
        qint64 customerId = 0;
        QString movementBelge, movementKaynak, recordBelge, recordKaynak, recordAciklama;
        QDate movementDate, recordDate;
    };
    Postings postings(const SlipKind& kind, qint64 slipId)
    {
        Postings p;
        const qint64 link = company.connection()
                                .scalar(QStringLiteral("SELECT \"CAHRef\" FROM \"%1\" WHERE "
                                                       "\"Nosu\" = ?")
                                            .arg(kind.table),
                                        {slipId})
                                .toLongLong();
        for (const SqlRow& row : company.connection().select(
                 "SELECT \"Borc\", \"Alacak\", \"CARef\", \"BelgeNo\", \"Kaynak\", \"Tarih\" "
                 "FROM \"CarHar\" WHERE \"Nosu\" = ?",
                 {link})) {
            ++p.movements;
            p.borc = row[0].toDouble();
            p.alacak = row[1].toDouble();
            p.customerId = row[2].toLongLong();
            p.movementBelge = row[3].toString();
            p.movementKaynak = row[4].toString();
            p.movementDate = QDate::fromString(row[5].toString(), Qt::ISODate);
        }
        for (const SqlRow& row : company.connection().select(
                 QStringLiteral("SELECT \"Giren\", \"Cikan\", \"Kaynak\", \"BelgeNo\", "
                                "\"Aciklama\", \"Tarih\" FROM \"Kasa\" WHERE \"%1\" = ?")
                     .arg(kind.link),
                 {slipId})) {
            ++p.records;
            p.giren = row[0].toDouble();
            p.cikan = row[1].toDouble();
            p.recordKaynak = row[2].toString();
            p.recordBelge = row[3].toString();
            p.recordAciklama = row[4].toString();
            p.recordDate = QDate::fromString(row[5].toString(), Qt::ISODate);
        }
        return p;
    }
    double stored(const char* table, const char* field, qint64 id)
    {
        return company.connection()
            .scalar(QStringLiteral("SELECT \"%1\" FROM \"%2\" WHERE \"Nosu\" = ?")
                        .arg(QLatin1String(field), QLatin1String(table)),
                    {id})
            .toDouble();
    }
};

} // namespace

TEST_F(SlipPostingTest, LinesOf100And250GiveOneMovementAndOneCashRecordOf350)
{
    const qint64 slip =
        collections.saveHeader(0, header(QDate(2026, 4, 2), "120.01", "Yılmaz Ticaret", "Nisan"));
    EXPECT_TRUE(collections.openLines(slip)); // the movement and record exist from now, at 0
    Postings p = postings(collectionSlip(), slip);
    EXPECT_EQ(p.movements, 1);
    EXPECT_EQ(p.records, 1);
    EXPECT_DOUBLE_EQ(p.alacak, 0);

    collections.saveLine(slip, 0, "Peşin", 100);
    const qint64 second = collections.saveLine(slip, 0, "Kalan", 250);
    p = postings(collectionSlip(), slip);
    EXPECT_DOUBLE_EQ(stored("Tahsil", "TopTutar", slip), 350);
    EXPECT_EQ(p.movements, 1);
    EXPECT_DOUBLE_EQ(p.alacak, 350);
    EXPECT_DOUBLE_EQ(p.borc, 0);
    EXPECT_EQ(p.customerId, a);
    EXPECT_EQ(p.movementKaynak, "TA");
    EXPECT_EQ(p.movementBelge, QStringLiteral("%1 TAH.FİŞ").arg(slip));
    EXPECT_EQ(p.movementDate, QDate(2026, 4, 2));
    EXPECT_EQ(p.records, 1);
    EXPECT_DOUBLE_EQ(p.giren, 350);
    EXPECT_DOUBLE_EQ(p.cikan, 0);
    EXPECT_EQ(p.recordKaynak, "TA");
    EXPECT_EQ(p.recordBelge, QStringLiteral("%1 TAHSİL FİŞİ İLE").arg(slip).left(20));
    EXPECT_EQ(p.recordAciklama, "Yılmaz Ticaret");
    EXPECT_DOUBLE_EQ(stored("Cari", "AlacakT", a), 350);

    // Deleting a line lowers both at once; editing one changes both.
    collections.removeLine(slip, second);
    p = postings(collectionSlip(), slip);
    EXPECT_DOUBLE_EQ(p.alacak, 100);
    EXPECT_DOUBLE_EQ(p.giren, 100);
    EXPECT_DOUBLE_EQ(stored("Tahsil", "TopTutar", slip), 100);
    const qint64 only = company.connection()
                            .scalar("SELECT \"Nosu\" FROM \"TahHar\" WHERE \"TARef\" = ?", {slip})
                            .toLongLong();
    collections.saveLine(slip, only, "Peşin", 99.995);
    p = postings(collectionSlip(), slip);
    EXPECT_DOUBLE_EQ(p.alacak, 100); // a cash amount: two decimals, halves to even
    EXPECT_DOUBLE_EQ(p.giren, 100);
    EXPECT_EQ(count("SELECT count(*) FROM \"TahHar\""), 1);
}

TEST_F(SlipPostingTest, APaymentSlipDebitsTheCustomerAndPaysOut)
{
    const qint64 slip = payments.saveHeader(0, header(QDate(2026, 5, 1), "120.02", "Kaya Gıda"));
    payments.openLines(slip);
    payments.saveLine(slip, 0, "Mal bedeli", 75.5);
    const Postings p = postings(paymentSlip(), slip);
    EXPECT_DOUBLE_EQ(p.borc, 75.5);
    EXPECT_DOUBLE_EQ(p.alacak, 0);
    EXPECT_EQ(p.movementKaynak, "TE");
    EXPECT_EQ(p.movementBelge, QStringLiteral("%1 TED.FİŞ").arg(slip));
    EXPECT_DOUBLE_EQ(p.cikan, 75.5);
    EXPECT_DOUBLE_EQ(p.giren, 0);
    EXPECT_EQ(p.recordKaynak, "TE");
    EXPECT_EQ(p.recordBelge, QStringLiteral("%1 TEDİYE FİŞİ İLE").arg(slip).left(20));
    EXPECT_DOUBLE_EQ(stored("Cari", "BorcT", b), 75.5);
    // The collection side does not see it.
    EXPECT_EQ(count("SELECT count(*) FROM \"Kasa\" WHERE \"TARef\" IS NOT NULL"), 0);
}

TEST_F(SlipPostingTest, AHeaderChangeMovesThePostingsInTheSameCommand)
{
    const qint64 slip = collections.saveHeader(0, header(QDate(2026, 4, 2), "120.01", "Yılmaz"));
    collections.openLines(slip);
    collections.saveLine(slip, 0, QString(), 40);
    EXPECT_DOUBLE_EQ(stored("Cari", "AlacakT", a), 40);

    EXPECT_EQ(
        collections.saveHeader(slip, header(QDate(2026, 4, 9), "120.02", "Kaya Gıda", "Yeni")),
        slip);
    const Postings p = postings(collectionSlip(), slip);
    EXPECT_EQ(p.movements, 1);
    EXPECT_EQ(p.customerId, b);
    EXPECT_EQ(p.movementDate, QDate(2026, 4, 9));
    EXPECT_EQ(p.recordDate, QDate(2026, 4, 9));
    EXPECT_EQ(p.recordAciklama, "Kaya Gıda");
    EXPECT_DOUBLE_EQ(stored("Cari", "AlacakT", a), 0);
    EXPECT_DOUBLE_EQ(stored("Cari", "AlacakT", b), 40);
    const std::optional<SlipData> d = collections.read(slip);
    EXPECT_EQ(d->cariNo, "120.02");
    EXPECT_EQ(d->customerId, b);
    EXPECT_EQ(d->aciklama, "Yeni");
}

// The code is looked up again on saving: an unknown one saves nothing, and a slip never holds
// one card's code with another card's number.
TEST_F(SlipPostingTest, AnUnknownCodeSavesNothing)
{
    try {
        collections.saveHeader(0, header(QDate(2026, 4, 2), "YOK'1", "Kimse"));
        FAIL() << "saved with an unknown code";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "Cari kart nosu bulunamadı");
    }
    EXPECT_EQ(count("SELECT count(*) FROM \"Tahsil\""), 0);
    const qint64 slip = collections.saveHeader(0, header(QDate(2026, 4, 2), " 120.02 ", "X"));
    EXPECT_EQ(collections.read(slip)->customerId, b);
    EXPECT_EQ(collections.read(slip)->cariNo, "120.02");
}

TEST_F(SlipPostingTest, FiveDigitSlipNumbersAreCutTo12CharactersInTheMovement)
{
    collections.saveHeader(0, header(QDate(2026, 4, 2), "120.01", "Yılmaz"));
    company.connection().raiseKeySequence("Tahsil", 12344);
    const qint64 slip = collections.saveHeader(0, header(QDate(2026, 4, 2), "120.01", "Yılmaz"));
    ASSERT_EQ(slip, 12345);
    collections.openLines(slip);
    const Postings p = postings(collectionSlip(), slip);
    EXPECT_EQ(QStringLiteral("12345 TAH.FİŞ").size(), 13);
    EXPECT_EQ(p.movementBelge, "12345 TAH.Fİ");
    // Opening again finds everything in step and writes nothing.
    EXPECT_FALSE(collections.openLines(slip));
}

TEST_F(SlipPostingTest, OpeningTheLinesRestoresWhatIsMissingOrOutOfStep)
{
    const qint64 slip = collections.saveHeader(0, header(QDate(2026, 4, 2), "120.01", "Yılmaz"));
    collections.openLines(slip);
    collections.saveLine(slip, 0, QString(), 60);
    EXPECT_FALSE(collections.openLines(slip));
    // Another program removed the cash record and changed the movement.
    cash.remove(cash.lastOfSlip(CashLedger::Slip::Collection, slip));
    company.connection().exec("UPDATE \"CarHar\" SET \"Alacak\" = 1");
    EXPECT_TRUE(collections.openLines(slip));
    const Postings p = postings(collectionSlip(), slip);
    EXPECT_EQ(p.records, 1);
    EXPECT_DOUBLE_EQ(p.giren, 60);
    EXPECT_DOUBLE_EQ(p.alacak, 60);
    EXPECT_FALSE(collections.openLines(slip));
}

TEST_F(SlipPostingTest, DeletingASlipTakesItsLinesMovementAndCashRecord)
{
    const qint64 empty = collections.saveHeader(0, header(QDate(2026, 4, 2), "120.01", "Y"));
    collections.openLines(empty);
    const qint64 full = collections.saveHeader(0, header(QDate(2026, 4, 3), "120.01", "Y"));
    collections.openLines(full);
    for (int i = 0; i < 3; ++i)
        collections.saveLine(full, 0, QString::number(i), 10);
    const qint64 never = collections.saveHeader(0, header(QDate(2026, 4, 4), "120.01", "Y"));

    collections.removeSlip(empty);
    collections.removeSlip(never); // never opened: nothing but the slip
    EXPECT_EQ(count("SELECT count(*) FROM \"CarHar\""), 1);
    EXPECT_EQ(count("SELECT count(*) FROM \"Kasa\""), 1);
    collections.removeSlip(full);
    for (const char* table : {"Tahsil", "TahHar", "CarHar", "Kasa"})
        EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(QLatin1String(table))), 0)
            << table;
    EXPECT_DOUBLE_EQ(stored("Cari", "AlacakT", a), 0);
}

TEST_F(SlipPostingTest, AFailureBeforeTheLastWriteLeavesTheSlipAsItWas)
{
    const qint64 slip = collections.saveHeader(0, header(QDate(2026, 4, 2), "120.01", "Yılmaz"));
    collections.openLines(slip);
    collections.saveLine(slip, 0, QString(), 100);
    // The slip's own total is the command's last write; it fails.
    FailingWrites failing(company.connection(), "Tahsil", "UPDATE");
    EXPECT_THROW(collections.saveLine(slip, 0, QString(), 250), AppError);
    const qint64 line = company.connection()
                            .scalar("SELECT \"Nosu\" FROM \"TahHar\" WHERE \"TARef\" = ?", {slip})
                            .toLongLong();
    EXPECT_THROW(collections.removeLine(slip, line), AppError);
    failing.stop();
    EXPECT_EQ(count("SELECT count(*) FROM \"TahHar\""), 1);
    const Postings p = postings(collectionSlip(), slip);
    EXPECT_DOUBLE_EQ(p.alacak, 100);
    EXPECT_DOUBLE_EQ(p.giren, 100);
    EXPECT_DOUBLE_EQ(stored("Cari", "AlacakT", a), 100);
    EXPECT_DOUBLE_EQ(stored("Tahsil", "TopTutar", slip), 100);
    collections.saveLine(slip, 0, QString(), 250); // nothing stayed in edit
    EXPECT_DOUBLE_EQ(postings(collectionSlip(), slip).giren, 350);
}

// A program killed in the middle of a command leaves nothing of it.
TEST_F(SlipPostingTest, AProgramKilledMidCommandLeavesAllOrNothing)
{
    const qint64 slip = collections.saveHeader(0, header(QDate(2026, 4, 2), "120.01", "Yılmaz"));
    collections.openLines(slip);
    collections.saveLine(slip, 0, QString(), 100);
    // Its own connection, as another program has; the line and the postings are written,
    // the command is not yet committed when the program dies.
    runAndKill(t, false, [&](CompanyData& other) {
        SlipPosting(other, collectionSlip()).saveLine(slip, 0, QString(), 250);
    });
    EXPECT_EQ(count("SELECT count(*) FROM \"TahHar\""), 1);
    const Postings p = postings(collectionSlip(), slip);
    EXPECT_DOUBLE_EQ(p.alacak, 100);
    EXPECT_DOUBLE_EQ(p.giren, 100);
    EXPECT_DOUBLE_EQ(stored("Tahsil", "TopTutar", slip), 100);
    // The books stay writable.
    collections.saveLine(slip, 0, QString(), 250);
    EXPECT_DOUBLE_EQ(postings(collectionSlip(), slip).giren, 350);
}
