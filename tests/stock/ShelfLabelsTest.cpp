#include "stock/ShelfLabels.h"
#include "StockBooks.h"
#include "store/AppError.h"
#include "store/IniFile.h"
#include "support/Reference.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ShelfLabels;

namespace {

class ShelfLabelsTest : public ::testing::Test, protected StockCompany {
protected:
    Choices defaults() const { return read(IniFile(t.dir.filePath("yok.ini"))); }
    qint64 card(const QString& code, const QString& name, double vat, double fiyat1,
                double fiyat2 = 0)
    {
        const qint64 id = books.card(code, name);
        company.connection().exec(
            "UPDATE \"Stok\" SET \"Normal\" = ?, \"Fiyat1\" = ?, \"Fiyat2\" = ? WHERE \"Nosu\" = ?",
            {vat, fiyat1, fiyat2, id});
        return id;
    }
    static QStringList texts(const PageSet& set, const QString& band = QStringLiteral("Etiket"))
    {
        return bandTexts(set, band);
    }
    static void expectReference(const PageSet& set, const QString& name)
    {
        expectReferenceIn(QStringLiteral(STOCK_DATA), dumpWithoutToday(set), name);
    }
};

// The codes a barcode reader finds in a picture, in reading order.
QStringList decoded(const QString& png)
{
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("-q"), png});
    zbar.waitForFinished(60000);
    QStringList codes;
    for (const QString& line : QString::fromUtf8(zbar.readAllStandardOutput()).split('\n'))
        if (line.startsWith(QLatin1String("CODE-39:"))) codes << line.mid(8);
    codes.sort();
    return codes;
}

} // namespace

TEST_F(ShelfLabelsTest, SettingsAreKeptInUsersIniAndTheSecondPriceIsNot)
{
    Choices c = defaults();
    EXPECT_EQ(c.page[Uzunluk], "40");
    EXPECT_EQ(c.page[Kolon], "2");
    EXPECT_EQ(c.page[EUzun], "181");
    EXPECT_EQ(c.kdv, 1);
    EXPECT_EQ(c.priceFont, 4);
    EXPECT_EQ(c.secondPrice, 3); // "Hiçbiri"
    EXPECT_TRUE(c.showCode && c.showName && c.showPrice);
    IniFile ini(t.dir.filePath("Users.ini"));
    c.page[Kolon] = "3";
    c.barcode = 1;
    c.module = 2;
    c.showName = false;
    c.secondPrice = 1;
    write(ini, c);
    const Choices back = read(IniFile(t.dir.filePath("Users.ini")));
    EXPECT_EQ(back.page[Kolon], "3");
    EXPECT_EQ(back.barcode, 1);
    EXPECT_EQ(back.module, 2);
    EXPECT_FALSE(back.showName);
    EXPECT_EQ(back.secondPrice, 3);
    EXPECT_EQ(IniFile(t.dir.filePath("Users.ini")).readString("ETIKET1", "chkCinsi"), "false");
}

TEST_F(ShelfLabelsTest, PricesWithAndWithoutVatAndTheSecondPriceLikeTheFirst)
{
    EXPECT_EQ(priceText(company, 100, 18, 1), "118.00");
    EXPECT_EQ(priceText(company, 100, 18, 0), "100.00");
    EXPECT_EQ(priceText(company, 100, 0, 1), "100.00");
    EXPECT_EQ(priceText(company, 0, 18, 1), "0.00");
    // Second prices made as the first: with kuruş, and in a company without.
    EXPECT_EQ(priceText(company, 10, 25, 1), "12.50");
    EXPECT_EQ(priceText(company, 12.5, 0, 1), "12.50");
    EXPECT_EQ(priceText(company, 10.25, 0, 1), "10.25");
    NewCompany whole{QStringLiteral("TAM"), QStringLiteral("Kuruşsuz Ltd.")};
    whole.settings.tlAyar = 0;
    t.createCompany(whole);
    CompanyData noKurus(t.session, t.install, QStringLiteral("TAM"));
    EXPECT_EQ(priceText(noKurus, 10, 25, 1), "12"); // 12.5 rounds to even
    EXPECT_EQ(priceText(noKurus, 12.5, 0, 1), "13");
    EXPECT_EQ(priceText(noKurus, 10.25, 0, 1), "10");

    card("A1", "Çay 1 kg", 18, 100, 10);
    Choices c = defaults();
    c.secondPrice = 1; // Fiyat [2]
    c.priceFont = 2;   // 16: room for the second price
    PageSet set = labels(company, {}, c);
    EXPECT_EQ(texts(set), QStringList({"A1", "Çay 1 kg", "118.00", "TL", "11.80", "TL"}));
    expectReference(set, "raf_etiketi_ikinci_fiyat.txt");
    // Price font 18 or 22: no second price whatever is chosen.
    c.priceFont = 3;
    EXPECT_EQ(texts(labels(company, {}, c)), QStringList({"A1", "Çay 1 kg", "118.00", "TL"}));
    // Prices that include VAT print as stored; what is not ticked does not print (the price's
    // currency word prints either way).
    c.kdv = 0;
    c.showCode = c.showPrice = false;
    EXPECT_EQ(texts(labels(company, {}, c)), QStringList({"Çay 1 kg", "TL"}));
}

TEST_F(ShelfLabelsTest, TheFilterAndTheOrderChooseTheCards)
{
    card("B2", "Şeker", 8, 30);
    card("A1", "Zeytin", 8, 50);
    card("C3", "Bal", 8, 70);
    company.connection().exec("UPDATE \"Stok\" SET \"OzelKod1\" = 'GIDA', \"DegTarih\" = "
                              "'2026-03-01' WHERE \"Kodu\" = 'C3'");
    Choices c = defaults();
    const auto codes = [&](const Filter& f) {
        QStringList out;
        const PageSet set = labels(company, f, c);
        for (const QString& text : texts(set))
            if (text.size() == 2 && text[1].isDigit()) out << text;
        return out;
    };
    EXPECT_EQ(codes({}), QStringList({"A1", "B2", "C3"}));
    Filter upTo;
    upTo.codeTo = "B2";
    EXPECT_EQ(codes(upTo), QStringList({"A1", "B2"}));
    Filter special;
    special.specialFrom[0] = special.specialTo[0] = "GIDA";
    special.dateFrom = "1.3.2026";
    EXPECT_EQ(codes(special), QStringList({"C3"}));
    Filter quoted;
    quoted.codeFrom = quoted.codeTo = "Ali'nin Yeri";
    EXPECT_EQ(codes(quoted), QStringList());
    EXPECT_EQ(labels(company, quoted, c).pageCount(), 1); // one empty page
    c.order = 1;                                          // by description
    EXPECT_EQ(codes({}), QStringList({"C3", "B2", "A1"}));
    expectReference(labels(company, {}, defaults()), "raf_etiketi.txt");
}

TEST_F(ShelfLabelsTest, SheetsThatCannotHoldTheLabelsAreRefused)
{
    const Choices ok = defaults();
    EXPECT_EQ(refusal(ok), "");
    const auto with = [&](PageField f, const char* value, int barcode = 0) {
        Choices c = ok;
        c.page[size_t(f)] = QString::fromLatin1(value);
        c.barcode = barcode;
        return refusal(c);
    };
    EXPECT_EQ(with(Sol, "4a"), "\"Sol Marjin\" tam sayı olmalı: \"4a\"");
    EXPECT_EQ(with(Uzunluk, ""), "\"Sayfa Uzunluğu\" tam sayı olmalı: \"\"");
    EXPECT_EQ(with(EGenis, "0"), "Etiket ölçüleri sıfır olamaz.");
    EXPECT_EQ(with(Genislik, "0"), "Sayfa ölçüleri sıfır olamaz.");
    EXPECT_EQ(with(Kolon, "0"), "Kolon sayısı en az 1 olmalı.");
    EXPECT_EQ(with(Sag, "170"), "Kenar boşlukları sayfada basılacak alan bırakmıyor.");
    EXPECT_EQ(with(Kolon, "3"), "Etiket (69.6 mm) kolondan (53.3 mm) geniş.");
    EXPECT_EQ(with(EGenis, "120"), "Etiket (46.2 mm) sayfadan (40 mm) uzun.");
    // The defaults (84 pixels high) hold the prices but not the barcode below them.
    EXPECT_EQ(with(EGenis, "84", 1), "Etiket (181 × 84 piksel) basılacaklardan (169 × 96 piksel) "
                                     "küçük.");
    EXPECT_EQ(with(EGenis, "96", 1), "");
    Choices bad = ok;
    bad.page[Kolon] = "0";
    try {
        labels(company, {}, bad);
        ADD_FAILURE() << "a sheet without columns printed";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "Etiket ölçüleri hatalı");
        EXPECT_EQ(e.detail(), "Kolon sayısı en az 1 olmalı.");
    }
}

TEST_F(ShelfLabelsTest, BarcodesScanFromThePdfAndThePictureAtEveryModule)
{
    card("STK-001", "Vida", 18, 1.5);
    card("ABC123", "Somun", 18, 2);
    card("kucuk", "Pul", 18, 0.5);                       // Code 39 has no small letters
    card("KOD12345678901234567890X", "Uzun kod", 18, 1); // bars too narrow for the box
    Choices c = defaults();
    c.barcode = 1;
    c.page[EGenis] = "100";
    const bool tools = !QStandardPaths::findExecutable("zbarimg").isEmpty() &&
                       !QStandardPaths::findExecutable("pdftoppm").isEmpty();
    for (int module = 0; module < 3; ++module) {
        SCOPED_TRACE(module);
        c.module = module;
        const PageSet set = labels(company, {}, c);
        ASSERT_EQ(set.warnings.size(), 2);
        EXPECT_TRUE(set.warnings[0].startsWith("KOD12345678901234567890X (çizgiler "))
            << set.warnings[0].toStdString();
        EXPECT_TRUE(set.warnings[1].startsWith("kucuk (")) << set.warnings[1].toStdString();
        if (module == 1) expectReference(set, "raf_etiketi_barkod.txt");
        if (!tools) continue;
        QTemporaryDir dir;
        QStringList found;
        for (int p = 0; p < set.pageCount(); ++p) {
            const QString png = dir.filePath(QStringLiteral("sayfa%1.png").arg(p));
            ASSERT_TRUE(set.pageImage(p, 300).save(png));
            found += decoded(png);
        }
        found.sort();
        EXPECT_EQ(found, QStringList({"ABC123", "STK-001"}));
        const QString pdf = dir.filePath("etiket.pdf");
        set.writePdf(pdf);
        QProcess::execute("pdftoppm", {"-r", "300", "-png", pdf, dir.filePath("pdf")});
        found.clear();
        for (const QString& png : QDir(dir.path()).entryList({"pdf*.png"}))
            found += decoded(dir.filePath(png));
        found.sort();
        EXPECT_EQ(found, QStringList({"ABC123", "STK-001"}));
    }
    if (!tools) GTEST_SKIP() << "zbarimg or pdftoppm is not installed";
}
