#include "stock/StockReports.h"
#include "StockBooks.h"
#include "store/AppError.h"
#include "store/MoneyFormat.h"
#include "store/MoneySum.h"
#include "support/Installation.h"
#include "support/QtPrinters.h"
#include "support/Reference.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

using namespace StockReports;

namespace {

class StockReportsTest : public ::testing::Test, protected StockCompany {
protected:
    static QString dump(const PageSet& set) { return dumpWithoutToday(set); }
    static void expectReference(const QString& text, const QString& name)
    {
        expectReferenceIn(QStringLiteral(STOCK_DATA), text, name);
    }
    static QStringList textsOf(const PageSet& set, const QString& band)
    {
        return bandTexts(set, band);
    }
    // A direct sum over the same rows, as the report should print it.
    QString sqlSum(const char* column, const QString& where, const QVariantList& params,
                   const QString& mask)
    {
        const MoneySum sum = MoneySum::fromSql(company.connection().scalar(
            QStringLiteral("SELECT %1 FROM \"StHar\" WHERE %2")
                .arg(MoneySum::sqlSum(QStringLiteral("\"%1\"").arg(QLatin1String(column))), where),
            params));
        return formatNumber(sum.value(), mask);
    }
    qint64 customer(const QString& code, const QString& title)
    {
        return addCustomerCard(company, code, title);
    }
    qint64 stockCard(const QString& code, const QString& name, int kind, const QString& special,
                     double price, const QDate& changed)
    {
        const qint64 id = books.card(code, name);
        company.connection().exec("UPDATE \"Stok\" SET \"MlzKodu\" = ?, \"OzelKod1\" = ?, "
                                  "\"Fiyat2\" = ?, \"DegTarih\" = ? WHERE \"Nosu\" = ?",
                                  {kind, special, price, changed.toString(Qt::ISODate), id});
        return id;
    }
};

} // namespace

TEST_F(StockReportsTest, CardListFiltersOrdersAndPricesAsChosen)
{
    stockCard("A'1", "Çivi", 0, "X", 12.5, QDate(2026, 3, 1));
    stockCard("B2", "Ağaç vida", 3, "Y", 7, QDate(2026, 5, 1));
    stockCard("C3", "Bant", 0, "Y", 3.25, QDate());
    CardChoice all;
    all.price = 2;
    all.changeDate = true;
    const PageSet list = cardList(company, all);
    const QString text = dump(list);
    expectReference(text, "cards.txt");
    EXPECT_TRUE(text.contains("\"FİYATI\"") && text.contains("\"D.TARİH\""));
    EXPECT_TRUE(text.contains("\"12.50\"") && text.contains("\"01.03.2026\""));
    EXPECT_TRUE(text.contains("Listelenen 3 adet"));

    // A quote in a code is a quote; the kind and special codes restrict.
    CardChoice one;
    one.codeFrom = one.codeTo = "A'1";
    EXPECT_TRUE(dump(cardList(company, one)).contains("Listelenen 1 adet"));
    CardChoice mamul;
    mamul.kind = 3;
    EXPECT_TRUE(dump(cardList(company, mamul)).contains("\"B2\""));
    EXPECT_TRUE(dump(cardList(company, mamul)).contains("Listelenen 1 adet"));
    CardChoice special;
    special.specialFrom[0] = special.specialTo[0] = "Y";
    special.order = 1; // by description: Ağaç vida before Bant
    const QStringList names = textsOf(cardList(company, special), "Detay");
    EXPECT_LT(names.indexOf("Ağaç vida"), names.indexOf("Bant"));
    EXPECT_EQ(names.indexOf("Çivi"), -1);
    // Price-change dates; a date text that is not a date does not restrict.
    CardChoice dated;
    dated.dateFrom = "01.04.2026";
    EXPECT_TRUE(dump(cardList(company, dated)).contains("Listelenen 1 adet"));
    dated.dateFrom = "31.02.20x";
    EXPECT_TRUE(dump(cardList(company, dated)).contains("Listelenen 3 adet"));
    CardChoice reversed;
    reversed.codeFrom = "C";
    reversed.codeTo = "B";
    EXPECT_TRUE(dump(cardList(company, reversed)).contains("Listelenen 0 adet"));

    // "&Yazılmasın" with the date asked for: neither the price nor the date prints.
    CardChoice noPrice;
    noPrice.changeDate = true;
    const QString bare = dump(cardList(company, noPrice));
    EXPECT_FALSE(bare.contains("FİYATI"));
    EXPECT_FALSE(bare.contains("D.TARİH"));
    EXPECT_FALSE(bare.contains("01.03.2026"));
}

TEST_F(StockReportsTest, MovementListCarriesWhatCameBeforeTheStartDate)
{
    const qint64 vida = books.card("V", "Vida");
    books.move(vida, QDate(2001, 2, 27), 10, 2);  // carried
    books.move(vida, QDate(2001, 2, 28), 5, 3);   // carried: the list starts on 1 March
    books.move(vida, QDate(2001, 3, 1), 0, 4, 2); // listed
    for (int i = 0; i < 70; ++i)                  // listed, over more than one page
        books.move(vida, QDate(2001, 3, 2 + i % 29), i % 2 ? 1.5 : 0, 2.25, i % 2 ? 0 : 1);
    books.move(vida, QDate(2001, 4, 1), 100, 1); // after the end: not in the data
    MovementChoice march{QDate(2001, 3, 1), QDate(2001, 3, 31)};
    const PageSet pages = movementList(company, march);
    EXPECT_GT(pages.pageCount(), 1);
    const QString text = dump(pages);
    expectReference(text, "movements.txt");
    EXPECT_TRUE(text.contains("Listelenen 71 adet"));
    EXPECT_FALSE(text.contains("\"28.02.2001\""));
    EXPECT_FALSE(text.contains("\"01.04.2001\""));

    // Page 1 carries the two February entries; "GENEL TOPLAM" is everything up to the end
    // date, "Listelenen Toplam" the printed movements only: each against a sum in SQL.
    const QStringList header = textsOf(pages, "Kolonlar");
    EXPECT_EQ(header.mid(header.indexOf("Nakledilen Toplam : ") + 1, 4),
              (QStringList{"15", "35.00", "0", "0.00"}));
    const QString quantity = company.displayFormat("StHar", "GMiktari"),
                  money = company.moneyFormat();
    const QStringList summary = textsOf(pages, "Ozet");
    const QString upToEnd = "\"Tarih\" <= '2001-03-31'",
                  listed = "\"Tarih\" >= '2001-03-01' AND \"Tarih\" <= '2001-03-31'";
    const int g = summary.indexOf(" GENEL TOPLAM :"), l = summary.indexOf("Listelenen Toplam : ");
    ASSERT_GE(g, 0);
    ASSERT_GE(l, 0);
    EXPECT_EQ(summary.mid(g + 1, 4), (QStringList{sqlSum("GMiktari", upToEnd, {}, quantity),
                                                  sqlSum("GTutari", upToEnd, {}, money),
                                                  sqlSum("CMiktari", upToEnd, {}, quantity),
                                                  sqlSum("CTutari", upToEnd, {}, money)}));
    EXPECT_EQ(summary.mid(l + 1, 4), (QStringList{sqlSum("GMiktari", listed, {}, quantity),
                                                  sqlSum("GTutari", listed, {}, money),
                                                  sqlSum("CMiktari", listed, {}, quantity),
                                                  sqlSum("CTutari", listed, {}, money)}));
    // On Letter paper, across, every column stays between the margins.
    const PageSet letter = movementList(company, march, true);
    double right = 0;
    DrawOp op;
    for (int i = 0; i < letter.page(0)->opCount(); ++i) {
        letter.page(0)->readOp(i, op);
        right = std::max(right, op.rect.right());
    }
    EXPECT_LE(right, 279.4 - 10 + 0.01);
    EXPECT_GT(right, 250);

    // Page 2's header carries everything before it: the carried sums plus page 1's lines.
    const QStringList page2 = textsOf(pages, "Kolonlar").mid(header.size() / pages.pageCount());
    EXPECT_NE(page2.mid(page2.indexOf("Nakledilen Toplam : ") + 1, 4),
              header.mid(header.indexOf("Nakledilen Toplam : ") + 1, 4));
}

TEST_F(StockReportsTest, MovementListByCodesAndByACustomersTitle)
{
    const qint64 vida = books.card("V1", "Vida"), civi = books.card("C1", "Çivi");
    customer("120", "Ali'nin Yeri");
    customer("121", "Uzun Ünvanlı Ticaret ve Sanayi A.Ş.");
    customer("122", "Uzun Ünvanlı Ticaret ve Sanayi Ltd.");
    books.move(vida, QDate(2026, 1, 2), 0, 5, 1, StockKaynak::FA, "Ali'nin Yeri");
    books.move(civi, QDate(2026, 1, 3), 0, 5, 2, StockKaynak::FA,
               QStringLiteral("Uzun Ünvanlı Ticaret ve Sanayi A.Ş.").left(25));
    books.move(civi, QDate(2026, 1, 4), 0, 5, 3, StockKaynak::FA,
               QStringLiteral("Uzun Ünvanlı Ticaret ve Sanayi Ltd.").left(25));
    books.move(vida, QDate(2026, 1, 5), 10, 5); // the movement window's
    MovementChoice all{QDate(2026, 1, 1), QDate(2026, 12, 31)};
    EXPECT_TRUE(dump(movementList(company, all)).contains("Listelenen 4 adet"));

    MovementChoice byCode = all;
    byCode.codeFrom = byCode.codeTo = "V1"; // every writer copies the code, so both are found
    EXPECT_TRUE(dump(movementList(company, byCode)).contains("Listelenen 2 adet"));

    MovementChoice ali = all;
    ali.customerCode = "120";
    const QString aliText = dump(movementList(company, ali));
    expectReference(aliText, "movements-customer.txt");
    EXPECT_TRUE(aliText.contains("Listelenen 1 adet"));
    // Two titles alike in their first 25 characters are one customer here.
    MovementChoice twins = all;
    twins.customerCode = "121";
    EXPECT_TRUE(dump(movementList(company, twins)).contains("Listelenen 2 adet"));
    // A code that finds no card does not restrict.
    MovementChoice unknown = all;
    unknown.customerCode = "999";
    EXPECT_TRUE(dump(movementList(company, unknown)).contains("Listelenen 4 adet"));
}

TEST_F(StockReportsTest, StatementOfOneCardFromItsStartDate)
{
    const qint64 vida = books.card("V", "Vida"), other = books.card("X", "Başka");
    books.move(vida, QDate(2026, 2, 28), 10, 2.5); // carried
    books.move(vida, QDate(2026, 3, 1), 0, 4, 3);  // listed
    books.move(vida, QDate(2026, 3, 31), 2, 0);    // listed; zero price and value print blank
    books.move(other, QDate(2026, 3, 2), 7, 1);    // another card's
    const PageSet pages = statement(company, {vida, QDate(2026, 3, 1), QDate(2026, 3, 31)});
    const QString text = dump(pages);
    expectReference(text, "statement.txt");
    EXPECT_TRUE(text.contains("(01.03.2026 - 31.03.2026) STOK KART EKSTRESİ"));
    EXPECT_TRUE(text.contains("Stok Kart Kodu : V") && text.contains("Stok Kart Cinsi : Vida"));
    const QStringList header = textsOf(pages, "Kolonlar");
    EXPECT_EQ(header.mid(header.indexOf("Nakledilen Toplam : ") + 1, 4),
              (QStringList{"10", "25.00", "0", "0.00"}));
    const QStringList summary = textsOf(pages, "Ozet");
    EXPECT_EQ(summary.mid(summary.indexOf(" GENEL TOPLAM :") + 1, 4),
              (QStringList{"12", "25.00", "3", "12.00"}));
    EXPECT_EQ(summary.mid(summary.indexOf("Listelenen Toplam : ") + 1, 4),
              (QStringList{"2", "0.00", "3", "12.00"}));
    EXPECT_TRUE(summary.contains("Listelenen 2 adet"));
    const QStringList lines = textsOf(pages, "Detay");
    EXPECT_FALSE(lines.contains("0.00"));
    EXPECT_THROW(statement(company, {0, QDate(2026, 1, 1), QDate(2026, 12, 31)}), AppError);
}

TEST_F(StockReportsTest, CatalogueOfMarkedCardsInThreePictureModes)
{
    // A red picture 40 × 20 pixels: fitted it fills the frame's width, unscaled it stays small.
    QImage red(40, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    red.save(&buffer, "PNG");
    const qint64 a = books.card("A", "Resimli"), b = books.card("B", "Kendi ayarıyla");
    books.card("C", "Katalog dışı");
    for (qint64 id : {a, b})
        company.connection().exec(
            "UPDATE \"Stok\" SET \"Katalog\" = 0, \"StokRes\" = ?, \"Fiyat1\" = 9.9 "
            "WHERE \"Nosu\" = ?",
            {png, id});
    company.setPictureFitted("STOK", b, true);

    const auto redShare = [](const PageSet& set, int index) {
        const QImage& image = set.picture(index);
        int reds = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                reds += image.pixel(x, y) == qRgb(255, 0, 0);
        return double(reds) / (image.width() * image.height());
    };
    CatalogueChoice choice{"Deneme Ltd. Kataloğu", 0, CatalogueChoice::Pictures::Fit, 1};
    const PageSet fitted = catalogue(company, choice);
    const QString text = dump(fitted);
    expectReference(text, "catalogue.txt");
    EXPECT_TRUE(text.contains("\"Deneme Ltd. Kataloğu\"") && text.contains("\"NOSU : \""));
    EXPECT_TRUE(text.contains("\"ÜRÜN TANIMI : \"") && text.contains("\"9.90\""));
    EXPECT_FALSE(text.contains("Katalog dışı"));
    EXPECT_TRUE(text.contains("Listelenen 2 adet"));
    ASSERT_GE(fitted.pictureCount(), 1);
    EXPECT_GT(redShare(fitted, 0), 0.4);
    // Held at print size: a 60 × 45 mm frame at 150 dots per inch.
    EXPECT_EQ(fitted.picture(0).width(), 354);

    choice.pictures = CatalogueChoice::Pictures::Original;
    choice.price = 0;
    const PageSet original = catalogue(company, choice);
    EXPECT_LT(redShare(original, 0), 0.1);
    EXPECT_FALSE(dump(original).contains("FİYATI"));

    choice.pictures = CatalogueChoice::Pictures::FromCard; // A unscaled, B fitted
    const PageSet own = catalogue(company, choice);
    ASSERT_EQ(own.pictureCount(), 2);
    EXPECT_LT(redShare(own, 0), 0.1);
    EXPECT_GT(redShare(own, 1), 0.4);
}
