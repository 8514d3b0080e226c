#include "InvoiceBooks.h"
#include "customers/CustomerLedger.h"

#include <QProcess>
#include <gtest/gtest.h>

// Eight workstations post customer movements and invoices on one company at once. On a
// server every command collides with others now and then; each collision must be run again
// whole, so that nothing is lost, nothing doubled, and every card total still equals the sum
// of its movements.
TEST(ServerConcurrency, EightWorkstationsPostTogetherAndTheBooksAddUp)
{
    // A database file takes one writer at a time; eight writing without a pause outwait its
    // patience, which is why offices with several workstations keep their books on a server.
    if (!TestDatabase::wanted()) GTEST_SKIP() << "for a database server";
    constexpr int kWorkstations = 8;
    constexpr int movements = 2000;
    constexpr int invoices = 500;
    TestCompany t;
    CompanyData& company = *t.company;
    for (int i = 0; i < 20; ++i)
        addCustomerCard(company, QStringLiteral("C%1").arg(i), QStringLiteral("Müşteri %1").arg(i));
    Table& stok = company.table("Stok");
    for (int i = 0; i < 20; ++i) {
        stok.append();
        stok["Kodu"] = QStringLiteral("S%1").arg(i);
        stok["Cinsi"] = QStringLiteral("Mal %1").arg(i);
        stok.post();
    }

    std::vector<std::unique_ptr<QProcess>> workers;
    for (int w = 0; w < kWorkstations; ++w) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QStringLiteral(SERVER_POSTER),
                 {t.dir.path(), t.dir.filePath(QStringLiteral("klt%1").arg(w)), "ABC",
                  QStringLiteral("İş%1").arg(w), QString::number(movements),
                  QString::number(invoices)});
        ASSERT_TRUE(p->waitForStarted());
        workers.push_back(std::move(p));
    }
    for (auto& p : workers) {
        ASSERT_TRUE(p->waitForFinished(1200000));
        EXPECT_EQ(p->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p->exitCode(), 0);
    }

    Connection& db = company.connection();
    const auto count = [&](const char* sql) { return db.scalar(QLatin1String(sql)).toLongLong(); };
    // Nothing lost or doubled: every workstation's movements and invoices are there once.
    for (int w = 0; w < kWorkstations; ++w) {
        const QString tag = QStringLiteral("İş%1").arg(w);
        EXPECT_EQ(db.scalar("SELECT count(*) FROM \"CarHar\" WHERE \"Aciklama\" = ? AND "
                            "\"Kaynak\" = 'CA'",
                            {tag})
                      .toLongLong(),
                  movements)
            << tag.toStdString();
        EXPECT_EQ(
            db.scalar("SELECT count(*) FROM \"Fatura\" WHERE \"Aciklama\" = ?", {tag}).toLongLong(),
            invoices);
    }
    EXPECT_EQ(count("SELECT count(*) FROM \"FatHar\""), qint64(kWorkstations) * invoices * 5);
    EXPECT_EQ(count("SELECT count(*) FROM \"StHar\""), qint64(kWorkstations) * invoices * 5);
    EXPECT_EQ(count("SELECT count(*) FROM (SELECT \"FatNo\" FROM \"Fatura\" GROUP BY \"FatNo\" "
                    "HAVING count(*) > 1) AS twice"),
              0);
    EXPECT_EQ(count("SELECT count(DISTINCT \"Nosu\") FROM \"CarHar\""),
              count("SELECT count(*) FROM \"CarHar\""));
    // Every customer card's totals are the sums of its movements (stock card totals are
    // derived when needed, not kept by the postings).
    CustomerLedger customers(company);
    for (const SqlRow& row : db.select("SELECT \"Nosu\", \"BorcT\", \"AlacakT\" FROM \"Cari\"")) {
        const CardTotals sums = customers.balance(row[0].toLongLong());
        EXPECT_NEAR(row[1].toDouble(), sums.borc, 1e-6);
        EXPECT_NEAR(row[2].toDouble(), sums.alacak, 1e-6);
    }
}
