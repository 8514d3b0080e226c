#include "store/PeriodTransfer.h"

#include "store/AppError.h"
#include "store/CompanyBuild.h"
#include "store/CompanyData.h"
#include "store/CompanySchema.h"
#include "store/GlobalData.h"
#include "store/IniFile.h"
#include "support/Installation.h"

#include <QDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using PeriodTransfer::Options;
using PeriodTransfer::Step;
using PeriodTransfer::Valuation;

const QDate kDate(2027, 1, 1);

// Company ABC with the cards and movements the transfer has to carry.
struct TransferBooks : TestCompany {
    qint64 customer(const QString& code, const QString& title, const QString& contact = {},
                    double credit = 0)
    {
        Table& cari = company->table(QStringLiteral("Cari"));
        cari.append();
        cari[QStringLiteral("CariNo")] = code;
        cari[QStringLiteral("Unvani")] = title;
        cari[QStringLiteral("Yetkili")] = contact;
        cari[QStringLiteral("KrediLimiti")] = credit;
        cari[QStringLiteral("RiskLimiti")] = credit * 2;
        cari[QStringLiteral("BorcT")] = 99.0; // card totals are not carried
        cari.post();
        return cari.currentId();
    }
    void customerMovement(qint64 card, double debit, double credit)
    {
        Table& har = company->table(QStringLiteral("CarHar"));
        har.append();
        har[QStringLiteral("Tarih")] = QDate(2026, 5, 1);
        har[QStringLiteral("CARef")] = card;
        har[QStringLiteral("Borc")] = debit;
        har[QStringLiteral("Alacak")] = credit;
        har.post();
    }
    qint64 stock(const QString& code, double price = 0)
    {
        Table& stok = company->table(QStringLiteral("Stok"));
        stok.append();
        stok[QStringLiteral("Kodu")] = code;
        stok[QStringLiteral("Cinsi")] = QStringLiteral("Cins ") + code;
        stok[QStringLiteral("Fiyat1")] = price;
        stok[QStringLiteral("GMTop")] = 5.0;
        stok[QStringLiteral("DegTarih")] = QDate(2026, 3, 3);
        stok.post();
        return stok.currentId();
    }
    void stockMovement(qint64 card, const QDate& date, double in, double price, double out)
    {
        Table& har = company->table(QStringLiteral("StHar"));
        har.append();
        har[QStringLiteral("Tarih")] = date;
        har[QStringLiteral("STRef")] = card;
        har[QStringLiteral("GMiktari")] = in;
        har[QStringLiteral("GFiyati")] = price;
        har[QStringLiteral("GTutari")] = in * price;
        har[QStringLiteral("CMiktari")] = out;
        har.post();
    }

    PeriodTransfer::Result transfer(const QString& code, bool balances = true,
                                    Valuation valuation = Valuation::Fifo, bool drop = false,
                                    const PeriodTransfer::Progress& progress = {})
    {
        Options o;
        o.code = code;
        o.date = kDate;
        o.balances = balances;
        o.valuation = valuation;
        o.dropSixZeros = drop;
        o.settings = CompanySettings{0, 0, 2, QStringLiteral("YTL"), QStringLiteral("YKR")};
        return PeriodTransfer::run(*company, *global, QStringLiteral("Deneme Ltd."), o, progress);
    }

    // Every record of the company's tables, to see that the transfer changed nothing.
    std::vector<std::vector<SqlRow>> snapshot()
    {
        std::vector<std::vector<SqlRow>> all;
        for (const TableDef& def : companyTableDefs())
            all.push_back(company->connection().select(
                QStringLiteral("SELECT * FROM %1 ORDER BY \"Nosu\"").arg(sqlName(def.name))));
        return all;
    }

    bool sirketHas(const QString& code) { return global->CompanyCodeExists(code); }
    QStringList leftovers()
    {
        return QDir(install.dataDirectory())
            .entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

std::vector<SqlRow> rows(Connection& db, const QString& sql)
{
    return db.select(sql);
}

} // namespace

TEST(PeriodTransfer, CarriesTheCardsAndOneOpeningMovementForEachBalance)
{
    TransferBooks b;
    const QString longTitle = QStringLiteral("Çok Uzun Ünvanlı Ticaret ve Sanayi Limited Şirketi");
    ASSERT_EQ(longTitle.size(), 50);
    const qint64 c3 = b.customer(QStringLiteral("C3"), longTitle, QStringLiteral("Ali"), 5000000);
    const qint64 c1 = b.customer(QStringLiteral("C1"), QString(), QString());
    const qint64 c2 = b.customer(QStringLiteral("C2"), QStringLiteral("Eşit"));
    b.customer(QStringLiteral("C4"), QStringLiteral("Hareketsiz"));
    const qint64 c5 = b.customer(QStringLiteral("C5"), QStringLiteral("Kuruş artığı"));
    b.customerMovement(c3, 1234567890, 0);
    b.customerMovement(c1, 10, 0);
    b.customerMovement(c1, 0, 25.5);
    b.customerMovement(c2, 100.10, 0);
    b.customerMovement(c2, 0, 100.10);
    // 0.1 + 0.2 − 0.3 is float noise; 0.004 rounds to nothing.
    b.customerMovement(c5, 0.1, 0);
    b.customerMovement(c5, 0.2, 0.304);

    const qint64 s2 = b.stock(QStringLiteral("S2"), 2500000);
    const qint64 s1 = b.stock(QStringLiteral("S1"), 7.125);
    b.stockMovement(s1, QDate(2026, 1, 1), 10, 1, 0);
    b.stockMovement(s1, QDate(2026, 2, 1), 10, 2, 0);
    b.stockMovement(s1, QDate(2026, 3, 1), 0, 0, 5);
    b.stockMovement(s2, QDate(2026, 1, 1), 3, 4, 0);
    b.stockMovement(s2, QDate(2026, 1, 2), 0, 0, 5);
    b.stock(QStringLiteral("S3"));

    const auto before = b.snapshot();
    std::vector<Step> steps;
    const PeriodTransfer::Result r =
        b.transfer(QStringLiteral("YENI"), true, Valuation::Fifo, false,
                   [&](Step step, qint64, qint64) { steps.push_back(step); });
    EXPECT_EQ(b.snapshot(), before) << "the open company stays as it was";
    EXPECT_EQ(r.customers, 5);
    EXPECT_EQ(r.customerMovements, 2);
    EXPECT_EQ(r.stockCards, 3);
    EXPECT_EQ(r.stockMovements, 2);
    EXPECT_EQ(steps.front(), Step::Customers);
    EXPECT_EQ(steps.back(), Step::Company);

    CompanyData made(b.session, b.install, QStringLiteral("YENI"));
    Connection& db = made.connection();
    // Cards in code order, totals empty, blank title and contact as one space.
    const auto cari = rows(db, QStringLiteral("SELECT \"Nosu\", \"CariNo\", \"Unvani\", "
                                              "\"Yetkili\", \"KrediLimiti\", \"BorcT\" FROM "
                                              "\"Cari\" ORDER BY \"Nosu\""));
    ASSERT_EQ(cari.size(), 5u);
    EXPECT_EQ(cari[0][1].toString(), "C1");
    EXPECT_EQ(cari[0][2].toString(), " ");
    EXPECT_EQ(cari[0][3].toString(), " ");
    EXPECT_EQ(cari[2][1].toString(), "C3");
    EXPECT_EQ(cari[2][2].toString(), longTitle);
    EXPECT_EQ(cari[2][4].toDouble(), 5000000.0) << "limits are copied unchanged";
    EXPECT_TRUE(cari[2][5].isNull());
    // Opening movements: C1 owes −15.50 (a credit), C3 a debit; none for C2, C4, C5.
    const auto har = rows(db, QStringLiteral("SELECT \"CARef\", \"CariNo\", \"Unvani\", "
                                             "\"Borc\", \"Alacak\", \"Aciklama\", \"Kaynak\", "
                                             "\"Tarih\" FROM \"CarHar\" ORDER BY \"CARef\""));
    ASSERT_EQ(har.size(), 2u);
    EXPECT_EQ(har[0][0].toLongLong(), cari[0][0].toLongLong());
    EXPECT_TRUE(har[0][3].isNull());
    EXPECT_DOUBLE_EQ(har[0][4].toDouble(), 15.5);
    EXPECT_EQ(har[0][5].toString(), QStringLiteral("DEVİR"));
    EXPECT_EQ(har[0][6].toString(), "CA");
    EXPECT_EQ(har[0][7].toString(), "2027-01-01");
    EXPECT_EQ(har[1][1].toString(), "C3");
    EXPECT_EQ(har[1][2].toString(), longTitle.left(35));
    EXPECT_DOUBLE_EQ(har[1][3].toDouble(), 1234567890.0);

    // Stock: FIFO 15 at 25 (1.67); more out than in: an exit of 2 without value; S3 nothing.
    const auto stok = rows(db, QStringLiteral("SELECT \"Nosu\", \"Kodu\", \"Fiyat1\", \"GMTop\", "
                                              "\"DegTarih\" FROM \"Stok\" ORDER BY \"Nosu\""));
    ASSERT_EQ(stok.size(), 3u);
    EXPECT_EQ(stok[0][1].toString(), "S1");
    EXPECT_DOUBLE_EQ(stok[0][2].toDouble(), 7.125);
    EXPECT_TRUE(stok[0][3].isNull());
    EXPECT_TRUE(stok[0][4].isNull());
    const auto st = rows(db, QStringLiteral("SELECT \"STRef\", \"GMiktari\", \"GTutari\", "
                                            "\"GFiyati\", \"CMiktari\", \"Kodu\", \"Kaynak\", "
                                            "\"Aciklama\" FROM \"StHar\" ORDER BY \"STRef\""));
    ASSERT_EQ(st.size(), 2u);
    EXPECT_EQ(st[0][0].toLongLong(), stok[0][0].toLongLong());
    EXPECT_DOUBLE_EQ(st[0][1].toDouble(), 15);
    EXPECT_DOUBLE_EQ(st[0][2].toDouble(), 25);
    EXPECT_DOUBLE_EQ(st[0][3].toDouble(), 1.67);
    EXPECT_TRUE(st[0][5].isNull());
    EXPECT_EQ(st[0][6].toString(), "ST");
    EXPECT_EQ(st[0][7].toString(), QStringLiteral("DEVİR"));
    EXPECT_TRUE(st[1][1].isNull());
    EXPECT_TRUE(st[1][2].isNull());
    EXPECT_DOUBLE_EQ(st[1][4].toDouble(), 2);

    // The new company's record and settings.
    Table sirket(b.global->connection(), QStringLiteral("Sirket"));
    sirket.open();
    ASSERT_TRUE(sirket.locate(QStringLiteral("SKodu"), QStringLiteral("YENI")));
    EXPECT_EQ(sirket[QStringLiteral("Aciklama")].asString(), "Deneme Ltd.");
    EXPECT_EQ(sirket[QStringLiteral("Kutuk")].asString(),
              b.install.companyDirectory(QStringLiteral("YENI")).left(40));
    for (const char* flag : {"STOK", "CARI", "FATURA", "CEKSENET", "SIPARIS", "TAKSITLI", "URETIM",
                             "KATALOG", "Liste", "KASA", "NAKLIYE"})
        EXPECT_EQ(sirket[QLatin1String(flag)].asString(), "E") << flag;
    EXPECT_TRUE(sirket[QStringLiteral("Yil")].isNull());
    const CompanySettings settings = made.settings();
    EXPECT_EQ(settings.tlAyar, 0);
    EXPECT_EQ(settings.fiyat, 2);
    EXPECT_EQ(settings.tl, "YTL");
    EXPECT_EQ(b.leftovers(), QStringList({"ABC", "YENI"})) << "no work directory is left";
    EXPECT_FALSE(QFileInfo::exists(QDir(r.directory).filePath(CompanyBuild::markerName())));
}

TEST(PeriodTransfer, ValuesTheStockAndDropsSixZeros)
{
    TransferBooks b;
    const qint64 c = b.customer(QStringLiteral("C1"), QStringLiteral("Borçlu"), {}, 5000000);
    b.customerMovement(c, 1234567890, 0);
    const qint64 s = b.stock(QStringLiteral("S1"), 2500000);
    b.stockMovement(s, QDate(2026, 2, 1), 10, 2, 0); // entered after, dated later
    b.stockMovement(s, QDate(2026, 1, 1), 10, 1, 0);
    b.stockMovement(s, QDate(2026, 3, 1), 0, 0, 5);

    const struct {
        const char* code;
        Valuation valuation;
        double value, price;
    } cases[] = {{"FIFO", Valuation::Fifo, 25, 1.67},
                 {"LIFO", Valuation::Lifo, 20, 1.33},
                 {"ORT", Valuation::Average, 22.5, 1.5}};
    for (const auto& c : cases) {
        b.transfer(QLatin1String(c.code), true, c.valuation);
        CompanyData made(b.session, b.install, QLatin1String(c.code));
        const auto st = made.connection().select(
            QStringLiteral("SELECT \"GMiktari\", \"GTutari\", \"GFiyati\" FROM \"StHar\""));
        ASSERT_EQ(st.size(), 1u) << c.code;
        EXPECT_DOUBLE_EQ(st[0][0].toDouble(), 15) << c.code;
        EXPECT_DOUBLE_EQ(st[0][1].toDouble(), c.value) << c.code;
        EXPECT_DOUBLE_EQ(st[0][2].toDouble(), c.price) << c.code;
    }

    b.transfer(QStringLiteral("SIFIR"), true, Valuation::Fifo, true);
    CompanyData made(b.session, b.install, QStringLiteral("SIFIR"));
    Connection& db = made.connection();
    EXPECT_DOUBLE_EQ(db.scalar(QStringLiteral("SELECT \"Borc\" FROM \"CarHar\"")).toDouble(),
                     1234.57);
    EXPECT_DOUBLE_EQ(db.scalar(QStringLiteral("SELECT \"KrediLimiti\" FROM \"Cari\"")).toDouble(),
                     5);
    EXPECT_DOUBLE_EQ(db.scalar(QStringLiteral("SELECT \"Fiyat1\" FROM \"Stok\"")).toDouble(), 2.5);
    // Quantities are never divided; a value of 25 divided is less than a kuruş.
    const auto st =
        db.select(QStringLiteral("SELECT \"GMiktari\", \"GTutari\", \"GFiyati\" FROM \"StHar\""));
    ASSERT_EQ(st.size(), 1u);
    EXPECT_DOUBLE_EQ(st[0][0].toDouble(), 15);
    EXPECT_DOUBLE_EQ(st[0][1].toDouble(), 0);
    EXPECT_DOUBLE_EQ(st[0][2].toDouble(), 0);

    // Without balances both card tables come over and no movement does.
    b.transfer(QStringLiteral("BOS"), false);
    CompanyData bare(b.session, b.install, QStringLiteral("BOS"));
    EXPECT_EQ(bare.connection().scalar(QStringLiteral("SELECT count(*) FROM \"Cari\"")).toInt(), 1);
    EXPECT_EQ(bare.connection().scalar(QStringLiteral("SELECT count(*) FROM \"Stok\"")).toInt(), 1);
    EXPECT_EQ(bare.connection().scalar(QStringLiteral("SELECT count(*) FROM \"CarHar\"")).toInt(),
              0);
    EXPECT_EQ(bare.connection().scalar(QStringLiteral("SELECT count(*) FROM \"StHar\"")).toInt(),
              0);
}

TEST(PeriodTransfer, RefusesCodesThatCannotNameACompany)
{
    TransferBooks b;
    using PeriodTransfer::CodeProblem;
    const auto problem = [&](const QString& code) {
        return PeriodTransfer::checkCode(*b.company, *b.global, code).problem;
    };
    EXPECT_EQ(problem(QString()), CodeProblem::Taken);
    EXPECT_EQ(problem(QStringLiteral("ABC")), CodeProblem::Taken);
    for (const char* bad : {"..", "A/B", "A.B", ".", "A\tB", "UZUNKODLU"}) {
        EXPECT_EQ(problem(QLatin1String(bad)), CodeProblem::Directory) << bad;
        EXPECT_THROW(b.transfer(QLatin1String(bad)), AppError) << bad;
    }
    QDir(b.install.dataDirectory()).mkdir(QStringLiteral("VAR"));
    const PeriodTransfer::CodeCheck dir = PeriodTransfer::checkCode(*b.company, *b.global, "VAR");
    EXPECT_EQ(dir.problem, CodeProblem::Directory);
    EXPECT_EQ(dir.line1, QStringLiteral("Şirket kodunda önceden kayıt edilmiş dizin var"));
    EXPECT_THROW(b.transfer(QStringLiteral("VAR")), AppError);
    EXPECT_EQ(problem(QStringLiteral("YOK")), CodeProblem::None);
    EXPECT_EQ(b.leftovers(), QStringList({"ABC", "VAR"}));

    // A directory that cannot be made for another reason says so.
    try {
        failedCompanyDirectory(QStringLiteral("/x/Y"), ENOSPC);
    } catch (const AppError& e) {
        EXPECT_EQ(e.detail(), QStringLiteral("Diskte yer kalmadı."));
    }
    if (::geteuid() != 0) {
        QFile::setPermissions(b.install.dataDirectory(), QFile::ReadOwner | QFile::ExeOwner);
        try {
            b.transfer(QStringLiteral("IZIN"));
            ADD_FAILURE() << "a read-only data directory took a company";
        } catch (const AppError& e) {
            EXPECT_EQ(e.detail(), QStringLiteral("Bu dizine yazma izniniz yok."));
        }
        QFile::setPermissions(b.install.dataDirectory(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

TEST(PeriodTransfer, AFailureAnywhereLeavesNoCompanyAndTheCodeUsable)
{
    TransferBooks b;
    const qint64 c = b.customer(QStringLiteral("C1"), QStringLiteral("Borçlu"));
    b.customerMovement(c, 10, 0);
    b.stock(QStringLiteral("S1"));
    for (const Step failing : {Step::Customers, Step::Stock, Step::Company}) {
        EXPECT_THROW(b.transfer(QStringLiteral("YENI"), true, Valuation::Fifo, false,
                                [&](Step step, qint64, qint64) {
                                    if (step == failing)
                                        throw AppError(QStringLiteral("Disk dolu"));
                                }),
                     AppError);
        EXPECT_FALSE(b.sirketHas(QStringLiteral("YENI")));
        EXPECT_EQ(b.leftovers(), QStringList({"ABC"}));
        if (b.database.server()) {
            EXPECT_FALSE(Connection::storeExists(
                b.session, b.install.companyDirectory(QStringLiteral("YENI"))));
        }
    }
    b.transfer(QStringLiteral("YENI"));
    EXPECT_TRUE(b.sirketHas(QStringLiteral("YENI")));

    // Without the open company's own record the new one still gets one, with the title given.
    Table sirket(b.global->connection(), QStringLiteral("Sirket"));
    sirket.open();
    ASSERT_TRUE(sirket.locate(QStringLiteral("SKodu"), QStringLiteral("ABC")));
    sirket.remove();
    Options o;
    o.code = QStringLiteral("BASKA");
    o.date = kDate;
    PeriodTransfer::run(*b.company, *b.global, QStringLiteral("Açık şirketin adı"), o);
    sirket.refresh();
    ASSERT_TRUE(sirket.locate(QStringLiteral("SKodu"), QStringLiteral("BASKA")));
    EXPECT_EQ(sirket[QStringLiteral("Aciklama")].asString(), QStringLiteral("Açık şirketin adı"));
}

TEST(PeriodTransfer, WhatAKilledTransferLeftIsClearedByTheNext)
{
    TransferBooks b;
    b.customer(QStringLiteral("C1"), QStringLiteral("Bir"));
    // Killed while copying (a work directory stays) and after the rename (the company's own
    // directory stays, marked, without its Sirket record).
    for (const Step killedAt : {Step::Customers, Step::Company}) {
        fflush(nullptr);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            StoreSession session(b.dir.filePath(QStringLiteral("klt2")));
            session.addPassword(masterPassword());
            useInstallation(session, b.install);
            GlobalData global(session, b.install.dataDirectory());
            CompanyData open(session, b.install, QStringLiteral("ABC"));
            Options o;
            o.code = QStringLiteral("YENI");
            o.date = kDate;
            PeriodTransfer::run(open, global, QString(), o, [&](Step step, qint64, qint64) {
                if (step == killedAt) raise(SIGKILL);
            });
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));
        EXPECT_FALSE(b.sirketHas(QStringLiteral("YENI")));
        EXPECT_EQ(b.leftovers().size(), 2) << b.leftovers().join(' ').toStdString();
        if (killedAt == Step::Company) {
            EXPECT_TRUE(b.leftovers().contains(QStringLiteral("YENI")));
        }
    }
    // The code is free again: the check clears what was left, and the transfer runs.
    EXPECT_EQ(PeriodTransfer::checkCode(*b.company, *b.global, QStringLiteral("YENI")).problem,
              PeriodTransfer::CodeProblem::None);
    EXPECT_EQ(b.leftovers(), QStringList({"ABC"}));
    b.transfer(QStringLiteral("YENI"));
    EXPECT_TRUE(b.sirketHas(QStringLiteral("YENI")));
}
