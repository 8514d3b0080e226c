#include "store/CodeTransfer.h"

#include "store/AppError.h"
#include "store/CompanyData.h"
#include "support/Installation.h"

#include <gtest/gtest.h>

namespace {

using CodeTransfer::Kind;

// Company ABC with records that name cards by code.
struct CodeBooks : TestCompany {
    qint64 card(const QString& table, const QString& field, const QString& code)
    {
        Table& t = company->table(table);
        t.append();
        t[field] = code;
        t.post();
        return t.currentId();
    }
    qint64 customer(const QString& code) { return card("Cari", "CariNo", code); }
    qint64 stock(const QString& code) { return card("Stok", "Kodu", code); }
    // A record of `table` with `values` (field, value) set.
    qint64 record(const QString& table, const std::vector<std::pair<QString, QVariant>>& values)
    {
        Table t(company->connection(), table);
        t.open();
        t.append();
        for (const auto& [field, value] : values)
            t[field] = value;
        t.post();
        return t.currentId();
    }
    QString text(const QString& table, const QString& field, qint64 id)
    {
        return company->connection()
            .scalar(QStringLiteral("SELECT %1 FROM %2 WHERE \"Nosu\" = ?")
                        .arg(sqlName(field), sqlName(table)),
                    {id})
            .toString();
    }
};

} // namespace

TEST(CodeTransfer, RewritesTheCopiesThatNameTheCardAndNoOthers)
{
    CodeBooks b;
    const qint64 a = b.customer("C1"), other = b.customer("C2");
    const qint64 own1 =
        b.record("CarHar", {{"CariNo", "C1"}, {"CARef", a}, {"Tarih", QDate(2026, 1, 1)}});
    const qint64 own2 =
        b.record("CarHar", {{"CariNo", "C1"}, {"CARef", a}, {"Tarih", QDate(2026, 1, 1)}});
    const qint64 cased =
        b.record("CarHar", {{"CariNo", "c1"}, {"CARef", a}, {"Tarih", QDate(2026, 1, 1)}});
    const qint64 foreign =
        b.record("CarHar", {{"CariNo", "C1"}, {"CARef", other}, {"Tarih", QDate(2026, 1, 1)}});
    // The card is the check's giver and its bank at once.
    const qint64 cek = b.record("Cek", {{"ACariNo", "C1"},
                                        {"ACARef", a},
                                        {"BACariNo", "C1"},
                                        {"BARef", a},
                                        {"CCariNo", "C2"},
                                        {"CCARef", other}});
    const qint64 fcek = b.record("FCek", {{"KCariNo", "C1"}, {"KCARef", a}});
    const qint64 fatura = b.record(
        "Fatura", {{"CariNo", "C1"}, {"CARef", a}, {"FatNo", 1}, {"Tarih", QDate(2026, 1, 1)}});
    const qint64 taksit = b.record("ATaksit", {{"CariNo", "C1"}, {"CARef", a}});
    // Order lines walked in the order of their code would skip or revisit rows: set-wise
    // none is missed.
    std::vector<qint64> lines;
    for (int i = 0; i < 5; ++i)
        lines.push_back(b.record("SipHar", {{"CariNo", "C1"}, {"CARef", a}}));
    b.company->table("SipHar").setIndexName("SipHar_2");

    std::vector<int> steps;
    const qint64 changed = CodeTransfer::run(*b.company, Kind::Customer, a, "YENI",
                                             [&](int done) { steps.push_back(done); });
    EXPECT_EQ(steps.size(), 21u);
    EXPECT_EQ(steps.back(), 21);
    EXPECT_EQ(changed, 2 + 2 + 1 + 1 + 1 + 5 + 1);
    for (const qint64 id : {own1, own2})
        EXPECT_EQ(b.text("CarHar", "CariNo", id), "YENI");
    EXPECT_EQ(b.text("CarHar", "CariNo", cased), "c1");
    EXPECT_EQ(b.text("CarHar", "CariNo", foreign), "C1");
    EXPECT_EQ(b.text("Cek", "ACariNo", cek), "YENI");
    EXPECT_EQ(b.text("Cek", "BACariNo", cek), "YENI");
    EXPECT_EQ(b.text("Cek", "CCariNo", cek), "C2");
    EXPECT_EQ(b.text("FCek", "KCariNo", fcek), "YENI");
    EXPECT_EQ(b.text("Fatura", "CariNo", fatura), "YENI");
    EXPECT_EQ(b.text("ATaksit", "CariNo", taksit), "YENI");
    for (const qint64 id : lines)
        EXPECT_EQ(b.text("SipHar", "CariNo", id), "YENI");
    EXPECT_EQ(b.text("Cari", "CariNo", a), "YENI");
    EXPECT_EQ(b.text("Cari", "CariNo", other), "C2");

    // The shared cursor of the card list reads the new code at once.
    Table& cari = b.company->table("Cari");
    ASSERT_TRUE(cari.gotoId(a));
    EXPECT_EQ(cari["CariNo"].asString(), "YENI");
}

TEST(CodeTransfer, ChecksTheNewCodeAsItWillBeStored)
{
    CodeBooks b;
    const qint64 a = b.customer("abc"), other = b.customer("C2");
    EXPECT_EQ(CodeTransfer::storedCode(Kind::Customer, "ABCDEFGHIJK"), "ABCDEFGHIJ");
    EXPECT_EQ(CodeTransfer::storedCode(Kind::Stock, QString(30, 'S')).size(), 25);
    EXPECT_TRUE(CodeTransfer::takenByAnother(*b.company, Kind::Customer, "c2", a));
    EXPECT_FALSE(CodeTransfer::takenByAnother(*b.company, Kind::Customer, "ABC", a));
    EXPECT_TRUE(CodeTransfer::takenByAnother(*b.company, Kind::Customer, "ABC", other));
    EXPECT_THROW(CodeTransfer::run(*b.company, Kind::Customer, a, "c2"), AppError);
    EXPECT_THROW(CodeTransfer::run(*b.company, Kind::Customer, a, QString()), AppError);
    CodeTransfer::run(*b.company, Kind::Customer, a, "ABC");
    EXPECT_EQ(b.text("Cari", "CariNo", a), "ABC");
    CodeTransfer::run(*b.company, Kind::Customer, a, "ABCDEFGHIJK");
    EXPECT_EQ(b.text("Cari", "CariNo", a), "ABCDEFGHIJ");
}

TEST(CodeTransfer, EmptyAndDuplicateCodesMoveOnlyTheCardsOwnRecords)
{
    CodeBooks b;
    const qint64 e1 = b.stock(QString()), e2 = b.stock(QString());
    const qint64 d1 = b.stock("DUP"), d2 = b.stock("DUP");
    const qint64 m1 = b.record("StHar", {{"STRef", e1}, {"Tarih", QDate(2026, 1, 1)}});
    const qint64 m2 = b.record("StHar", {{"STRef", e2}, {"Tarih", QDate(2026, 1, 1)}});
    const qint64 f1 = b.record("FatHar", {{"STRef", d1}, {"Kodu", "DUP"}});
    const qint64 f2 = b.record("FatHar", {{"STRef", d2}, {"Kodu", "DUP"}});
    const qint64 s1 = b.record("SipHar", {{"STRef", d1}, {"Kodu", "DUP"}});
    std::vector<int> steps;
    CodeTransfer::run(*b.company, Kind::Stock, e1, "BOS1", [&](int d) { steps.push_back(d); });
    EXPECT_EQ(steps, std::vector<int>({1, 2, 3}));
    EXPECT_EQ(b.text("StHar", "Kodu", m1), "BOS1");
    EXPECT_EQ(b.text("StHar", "Kodu", m2), "");
    EXPECT_EQ(b.text("Stok", "Kodu", e2), "");
    // The other card with the same code is another card: "DUP" → "DUP1" is refused only when
    // another card has "DUP1".
    EXPECT_TRUE(CodeTransfer::takenByAnother(*b.company, Kind::Stock, "DUP", d1));
    CodeTransfer::run(*b.company, Kind::Stock, d1, "DUP1");
    EXPECT_EQ(b.text("FatHar", "Kodu", f1), "DUP1");
    EXPECT_EQ(b.text("SipHar", "Kodu", s1), "DUP1");
    EXPECT_EQ(b.text("FatHar", "Kodu", f2), "DUP");
    EXPECT_EQ(b.text("Stok", "Kodu", d2), "DUP");
}

TEST(CodeTransfer, AFailureChangesNothingAndStaleEditsAreRefused)
{
    CodeBooks b;
    const qint64 a = b.customer("C1");
    const qint64 har =
        b.record("CarHar", {{"CariNo", "C1"}, {"CARef", a}, {"Tarih", QDate(2026, 1, 1)}});
    const qint64 fatura = b.record(
        "Fatura", {{"CariNo", "C1"}, {"CARef", a}, {"FatNo", 1}, {"Tarih", QDate(2026, 1, 1)}});
    EXPECT_THROW(CodeTransfer::run(*b.company, Kind::Customer, a, "YENI",
                                   [](int done) {
                                       if (done == 15) throw AppError("Tablo kilitli");
                                   }),
                 AppError);
    EXPECT_EQ(b.text("CarHar", "CariNo", har), "C1");
    EXPECT_EQ(b.text("Fatura", "CariNo", fatura), "C1");
    EXPECT_EQ(b.text("Cari", "CariNo", a), "C1");

    // A movement and the card put into edit before the transfer cannot write the old code back.
    Table movement(b.company->connection(), "CarHar");
    movement.open();
    ASSERT_TRUE(movement.gotoId(har));
    movement.edit();
    movement["Aciklama"] = "eski düzeltme";
    Table card(b.company->connection(), "Cari");
    card.open();
    ASSERT_TRUE(card.gotoId(a));
    card.edit();
    card["Unvani"] = "eski";
    CodeTransfer::run(*b.company, Kind::Customer, a, "YENI");
    EXPECT_THROW(movement.post(), AppError);
    movement.cancel();
    EXPECT_THROW(card.post(), AppError);
    card.cancel();
    EXPECT_EQ(b.text("CarHar", "CariNo", har), "YENI");
    EXPECT_EQ(b.text("Cari", "CariNo", a), "YENI");
}
