#include "customers/CustomerReports.h"
#include "customers/CustomerLedger.h"
#include "store/CompanyData.h"
#include "store/Table.h"
#include "support/Installation.h"
#include "support/QtPrinters.h"
#include "support/Reference.h"

#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace CustomerReports;

namespace {

class CustomerReportsTest : public ::testing::Test {
protected:
    TestCompany t; // ABC, kuruş on
    std::unique_ptr<CompanyData>& company = t.company;
    std::unique_ptr<CustomerLedger> ledger = std::make_unique<CustomerLedger>(*company);

    qint64 card(const QString& code, const QString& title, int kind = 0)
    {
        Table& cari = company->table("Cari");
        cari.append();
        cari["CariNo"] = code;
        cari["Unvani"] = title;
        cari["CariDurum"] = kind;
        cari.post();
        return cari.currentId();
    }

    void move(qint64 customer, QDate date, double borc, double alacak,
              const QString& kaynak = Kaynak::CA)
    {
        CustomerMovement m;
        m.tarih = date;
        m.customerId = customer;
        m.borc = borc;
        m.alacak = alacak;
        m.kaynak = kaynak;
        m.aciklama = QStringLiteral("Hareket %1").arg(date.toString("dd.MM"));
        ledger->post(m);
    }

    static QString dump(const PageSet& set) { return dumpWithoutToday(set); }

    static void expectReference(const QString& text, const QString& name)
    {
        expectReferenceIn(QStringLiteral(CUSTOMER_DATA), text, name);
    }
};

} // namespace

TEST_F(CustomerReportsTest, CardListByKindAndQuotedCodes)
{
    card("120.01", "Yılmaz Ticaret");
    card("B2", "Ziraat Bankası", 3);
    card("B1", "Halk Bankası", 3);
    card("O'NEIL", "O'Neil Ltd.");
    CardChoice banks;
    banks.kind = 3;
    banks.order = 1; // by title
    const QString text = dump(cardList(*company, banks));
    EXPECT_LT(text.indexOf("Halk Bankası"), text.indexOf("Ziraat Bankası"));
    EXPECT_FALSE(text.contains("Yılmaz"));
    EXPECT_TRUE(text.contains("Listelenen 2 adet"));
    CardChoice quote;
    quote.codeFrom = quote.codeTo = "O'NEIL"; // a quote is a quote, not the end of a text
    EXPECT_EQ(cardFilter(quote), "CariNo >= 'O''NEIL' and CariNo <= 'O''NEIL'");
    const QString one = dump(cardList(*company, quote));
    EXPECT_TRUE(one.contains("O'Neil Ltd."));
    EXPECT_TRUE(one.contains("Listelenen 1 adet"));
}

TEST_F(CustomerReportsTest, BalanceStatusBoundsAndModes)
{
    const qint64 a = card("A", "Alacaklı"), b = card("B", "Borçlu"), c = card("C", "Eski"),
                 d = card("D", "Hareketsiz"), e = card("E", "Üçte bir");
    move(a, QDate(2026, 3, 1), 0, 250);
    move(b, QDate(2026, 3, 1), 500, 0);
    move(c, QDate(2025, 6, 1), 300, 0); // outside the date range
    move(e, QDate(2026, 3, 1), 333.33, 0);
    move(e, QDate(2026, 3, 2), 333.33, 0);
    move(e, QDate(2026, 3, 3), 333.34, 0);
    move(e, QDate(2026, 3, 4), 0, 1000);
    Q_UNUSED(d);
    BalanceChoice choice;
    choice.dateFrom = "01.01.2026";
    choice.dateTo = "31.12.2026";
    const QString balanced = dump(balanceStatus(*company, choice));
    expectReference(balanced, "balances.txt");
    EXPECT_TRUE(balanced.contains("\"Alacaklı\""));
    EXPECT_TRUE(balanced.contains("\"Borçlu\""));
    EXPECT_FALSE(balanced.contains("\"Eski\""));       // balance 0 in the range
    EXPECT_FALSE(balanced.contains("\"Hareketsiz\"")); // no movement at all
    EXPECT_FALSE(balanced.contains("\"Üçte bir\""));   // zero after rounding
    EXPECT_TRUE(balanced.contains("\"-250.00\""));     // the credit-balance total, negative
    EXPECT_TRUE(balanced.contains("Listelenen 2 adet"));

    choice.lowest = 100; // leaves out every negative balance
    const QString bounded = dump(balanceStatus(*company, choice));
    EXPECT_FALSE(bounded.contains("\"Alacaklı\""));
    EXPECT_TRUE(bounded.contains("\"Borçlu\""));

    choice.lowest = 0;
    choice.balancedOnly = false; // "T&ümü": every card, with zeros
    const QString all = dump(balanceStatus(*company, choice));
    EXPECT_TRUE(all.contains("\"Eski\""));
    EXPECT_TRUE(all.contains("\"Hareketsiz\""));
    EXPECT_TRUE(all.contains("Listelenen 5 adet"));

    // Without dates every movement counts; the debit total is the direct sum over the printed
    // cards' movements.
    const QString open = dump(balanceStatus(*company, BalanceChoice{}));
    EXPECT_TRUE(open.contains("\"Eski\""));
    EXPECT_FALSE(open.contains("\"Üçte bir\""));
    const double debit =
        company->connection()
            .scalar("SELECT sum(\"Borc\") FROM \"CarHar\" WHERE \"CARef\" IN (?, ?, ?)", {a, b, c})
            .toDouble();
    EXPECT_DOUBLE_EQ(debit, 800);
    // The summary's debit column (at 95 mm) prints that sum.
    EXPECT_TRUE(
        open.contains(QStringLiteral("Ozet text 95.0,")) &&
        open.contains(QRegularExpression(R"(Ozet text 95\.0,[0-9.]+ 35\.0x5\.0 "800\.00")")));
    EXPECT_TRUE(open.contains("Listelenen 3 adet"));
}

TEST_F(CustomerReportsTest, MovementListLeavesZeroAmountsBlank)
{
    const qint64 a = card("A", "Alıcı");
    move(a, QDate(2026, 2, 1), 100, 0);
    move(a, QDate(2026, 2, 2), 0, 40, Kaynak::TA);
    MovementChoice choice{QDate(2026, 1, 1), QDate(2026, 12, 31)};
    const QString text = dump(movementList(*company, choice));
    expectReference(text, "movements.txt");
    EXPECT_FALSE(text.contains("\"0.00\""));
    EXPECT_TRUE(text.contains("Listelenen 2 adet"));
    choice.kinds = Kinds::Nakit;
    EXPECT_TRUE(dump(movementList(*company, choice)).contains("Listelenen 1 adet"));
    // A movement whose card is gone prints blanks for the card instead of another card's data.
    company->connection().exec("DELETE FROM \"Cari\" WHERE \"Nosu\" = ?", {a});
    choice.kinds = Kinds::Tumu;
    const QString orphan = dump(movementList(*company, choice));
    EXPECT_FALSE(orphan.contains("Alıcı"));
}

TEST_F(CustomerReportsTest, StatementCarriesForward)
{
    const qint64 a = card("120.01", "Yılmaz Ticaret");
    move(a, QDate(2025, 12, 1), 1000, 0);
    move(a, QDate(2025, 12, 5), 0, 200);
    for (int day = 1; day <= 60; ++day)
        move(a, QDate(2026, 1, 1).addDays(day), day % 3 ? 10.5 * day : 0, day % 3 ? 0 : 50);
    StatementChoice choice{a, QDate(2026, 1, 1), QDate(2026, 12, 31)};
    const PageSet pages = statement(*company, choice);
    EXPECT_GT(pages.pageCount(), 1);
    const QString text = dump(pages);
    expectReference(text, "statement.txt");
    // Page 1's column header shows the carried-forward sums; the first line adds its own amount.
    EXPECT_TRUE(text.contains("Kolonlar text 95.0,42.0 35.0x5.0 \"1,000.00\""));
    EXPECT_TRUE(text.contains("Detay text 165.0,48.0 35.0x5.0 \"810.50\"")); // 1000 − 200 + 10.50
    EXPECT_TRUE(text.contains("Sayfa Toplamı"));
    EXPECT_TRUE(text.contains("Listelenen 60 adet"));

    StatementChoice later{a, QDate(2027, 1, 1), QDate(2027, 12, 31)}; // after every movement
    const QString empty = dump(statement(*company, later));
    EXPECT_TRUE(empty.contains("Listelenen 0 adet"));
    EXPECT_FALSE(empty.contains("Detay text"));
    EXPECT_TRUE(empty.contains("lBorc") || empty.contains("\"0.00\""));

    StatementChoice debitsOnly = choice;
    debitsOnly.amounts = Amounts::Borc; // credits left out of every sum
    const QString debits = dump(statement(*company, debitsOnly));
    EXPECT_TRUE(debits.contains("Kolonlar text 130.0,42.0 35.0x5.0 \"0.00\""));

    // The quick view's statement: the same figures without the due dates.
    StatementChoice quick = choice;
    quick.withoutDueDate = true;
    const QString shortened = dump(statement(*company, quick));
    EXPECT_FALSE(shortened.contains("VADESİ"));
    EXPECT_TRUE(shortened.contains("Detay text 165.0,48.0 35.0x5.0 \"810.50\""));
    EXPECT_TRUE(shortened.contains("Listelenen 60 adet"));
}

TEST_F(CustomerReportsTest, StockStatementPrintsInvoiceLines)
{
    const qint64 a = card("S1", "Stoklu");
    CustomerMovement m;
    m.tarih = QDate(2026, 4, 1);
    m.customerId = a;
    m.borc = 236;
    m.kaynak = Kaynak::FA;
    const qint64 movement = ledger->post(m);
    move(a, QDate(2026, 4, 2), 0, 100);
    // An invoice written directly, as invoice posting will write it.
    Table& fatura = company->table("Fatura");
    fatura.append();
    fatura["FatNo"] = 1234;
    fatura["FatTuru"] = 1;
    fatura["Tarih"] = QDate(2026, 4, 1);
    fatura["CAHRef"] = movement;
    fatura.post();
    Table& lines = company->table("FatHar");
    for (int i = 1; i <= 2; ++i) {
        lines.append();
        lines["FRef"] = fatura.currentId();
        lines["Kodu"] = QStringLiteral("STK%1").arg(i);
        lines["Cinsi"] = QStringLiteral("Çelik vida M%1").arg(i * 4);
        lines["Birim"] = "Adet";
        lines["Miktari"] = 10 * i;
        lines["AraTop"] = 100.0 * i / 3;
        lines["KdvTutar"] = 18.0 * i / 3;
        lines["TopTutar"] = 118.0 * i / 3;
        lines.post();
    }
    StatementChoice choice{a, QDate(2026, 1, 1), QDate(2026, 12, 31)};
    choice.withStock = true;
    const QString text = dump(statement(*company, choice));
    expectReference(text, "statement-stock.txt");
    EXPECT_TRUE(text.contains("01.04.2026  TARİHLİ  1234  NOLU SATIŞ FATURASI DETAYI"));
    EXPECT_TRUE(text.contains("\"Çelik vida M8\""));
    EXPECT_EQ(text.count("FaturaSatiri text"), 2 * 7);
    EXPECT_EQ(text.count("NOLU"), 1); // only under the invoice movement
    choice.withStock = false;
    EXPECT_FALSE(dump(statement(*company, choice)).contains("NOLU"));
}

namespace {

// Finds every text of the pages on its line of the text export, whole and set apart from its
// neighbours by a space or the line's end. Right-aligned texts (the amounts) must also fit
// their boxes in the PDF at the printer's resolution.
void expectEveryTextIntact(const PageSet& pages, const std::string& report)
{
    const QStringList texts = pages.plainText().split(QLatin1Char('\f'));
    ASSERT_EQ(texts.size(), pages.pageCount() + 1) << report;
    QImage printer(1, 1, QImage::Format_RGB32);
    printer.setDotsPerMeterX(int(300 / 0.0254));
    printer.setDotsPerMeterY(int(300 / 0.0254));
    int checked = 0;
    for (int p = 0; p < pages.pageCount(); ++p) {
        QStringList lines = texts[p].split(QLatin1Char('\n'));
        if (p > 0) lines.removeFirst(); // the line the form feed ended
        const auto page = pages.page(p);
        for (int i = 0; i < page->opCount(); ++i) {
            const DrawOp op = page->op(i);
            if (op.type != DrawOp::Type::Text || op.text.isEmpty()) continue;
            const int line = int(std::lround(op.rect.y() / (25.4 / 6)));
            ASSERT_LT(line, lines.size()) << report;
            const QString& row = lines[line];
            bool found = false;
            for (qsizetype at = row.indexOf(op.text); at >= 0 && !found;
                 at = row.indexOf(op.text, at + 1)) {
                const qsizetype end = at + op.text.size();
                found = (at == 0 || row[at - 1] == QLatin1Char(' ') ||
                         op.text.startsWith(QLatin1Char(' '))) &&
                        (end == row.size() || row[end] == QLatin1Char(' ') ||
                         op.text.endsWith(QLatin1Char(' ')));
            }
            EXPECT_TRUE(found) << report << " page " << p + 1 << ": \"" << op.text.toStdString()
                               << "\" not whole on line " << line << ": " << row.toStdString();
            if (op.alignment & Qt::AlignRight) {
                const double mm =
                    QFontMetricsF(op.font, &printer).horizontalAdvance(op.text) / 300 * 25.4;
                EXPECT_LE(mm, op.rect.width()) << report << ": " << op.text.toStdString();
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 15) << report;
}

} // namespace

TEST_F(CustomerReportsTest, TheTextExportKeepsEveryFieldWholeWithLargeAmountsAndLongTexts)
{
    // Fields at their longest: codes, titles, telephone and tax numbers run to the field size.
    Table& cari = company->table("Cari");
    cari.append();
    cari["CariNo"] = "C000012345";
    cari["Unvani"] = QString("Büyük Şişli Çarşı İnşaat Taahhüt Ticaret Anonim Ş.").left(50);
    cari["Yetkili"] = "Ayşe Yılmaz Öztürkoğlu";
    cari["IsAdres1"] = "Cumhuriyet Mah. Atatürk Bulvarı No: 123/45";
    cari["IsTel"] = "0212 555 66 77 / 123";
    cari["CepTel"] = "0532 111 22 33";
    cari["VdNo"] = "123456789012345";
    cari["Vd"] = "Büyük Mükellefl";
    cari.post();
    const qint64 id = cari.currentId();
    card("B2", "Ziraat Bankası", 3);
    // 14-digit amounts, a balance of minus 500 billion on the way, and sums that reach
    // 999,999,999,999.99.
    move(id, QDate(2026, 1, 1), 499999999999.99, 0);
    move(id, QDate(2026, 1, 2), 0, 999999999999.99);
    move(id, QDate(2026, 12, 31), 500000000000, 0);

    CardChoice cards;
    expectEveryTextIntact(cardList(*company, cards), "2301");
    BalanceChoice balances;
    balances.balancedOnly = false;
    expectEveryTextIntact(balanceStatus(*company, balances), "2302");
    const MovementChoice movements{QDate(2026, 1, 1), QDate(2026, 12, 31)};
    expectEveryTextIntact(movementList(*company, movements), "2303");
    const StatementChoice statementChoice{id, QDate(2026, 1, 1), QDate(2026, 12, 31)};
    expectEveryTextIntact(statement(*company, statementChoice), "2304");
}
