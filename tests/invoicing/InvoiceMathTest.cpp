#include "invoicing/InvoiceMath.h"
#include "store/CompanyData.h"
#include "store/IniFile.h"
#include "support/Installation.h"

#include <gtest/gtest.h>

namespace {

class InvoiceMathTest : public ::testing::Test {
protected:
    TestCompany t;
    CompanyData& company = *t.company;

    LineAmounts amounts(double quantity, double price, double discountRate, double vatRate)
    {
        LineAmounts a;
        a.miktari = quantity;
        a.birimF = price;
        a.iskOran = discountRate;
        a.kdvOran = vatRate;
        return a;
    }
};

TEST_F(InvoiceMathTest, LineIsRecomputedFromQuantityAndRatesOnSave)
{
    // 1 × 5.00, 10 % discount, 8 % VAT.
    LineAmounts a = computeLine(company, amounts(1, 5, 10, 8));
    EXPECT_DOUBLE_EQ(a.tutari, 5);
    EXPECT_DOUBLE_EQ(a.iskTutar, 0.5);
    EXPECT_DOUBLE_EQ(a.araTop, 4.5);
    EXPECT_DOUBLE_EQ(a.kdvTutar, 0.36);
    EXPECT_DOUBLE_EQ(a.topTutar, 4.86);

    // Changing the quantity alone: amount, discount and VAT follow (no stale amounts).
    a.miktari = 3;
    a = computeLine(company, a);
    EXPECT_DOUBLE_EQ(a.tutari, 15);
    EXPECT_DOUBLE_EQ(a.iskTutar, 1.5);
    EXPECT_DOUBLE_EQ(a.kdvTutar, 1.08);
    EXPECT_DOUBLE_EQ(a.topTutar, 14.58);

    // A discount rate on an amount of 0 gives no discount; once the amount is there, it does.
    LineAmounts zero = computeLine(company, amounts(0, 10, 10, 0));
    EXPECT_DOUBLE_EQ(zero.iskTutar, 0);
    zero.miktari = 2;
    EXPECT_DOUBLE_EQ(computeLine(company, zero).iskTutar, 2);

    // At rate 0 typed amounts stay.
    LineAmounts typed = amounts(2, 10, 0, 0);
    typed.iskTutar = 1.25;
    typed.kdvTutar = 3.4;
    typed = computeLine(company, typed);
    EXPECT_DOUBLE_EQ(typed.iskTutar, 1.25);
    EXPECT_DOUBLE_EQ(typed.araTop, 18.75);
    EXPECT_DOUBLE_EQ(typed.kdvTutar, 3.4);
    EXPECT_DOUBLE_EQ(typed.topTutar, 22.15);
}

TEST_F(InvoiceMathTest, VatInclusivePricesLoseTheirVatOnce)
{
    EXPECT_DOUBLE_EQ(priceWithoutVat(company, 118, 18, true), 100);
    EXPECT_DOUBLE_EQ(priceWithoutVat(company, 118, 18, false), 100);
    EXPECT_DOUBLE_EQ(priceWithoutVat(company, 11.8, 18, true), 10);
    EXPECT_DOUBLE_EQ(priceWithoutVat(company, 118, 0, true), 118);
    EXPECT_DOUBLE_EQ(priceWithoutVat(company, 0, 18, false), 0);
}

TEST_F(InvoiceMathTest, VatByRateRoundsEachRateOnce)
{
    // Three lines at 18 % with net amounts 0.35: per line 0.06 each, per rate 0.19.
    std::vector<LineAmounts> lines;
    for (int i = 0; i < 3; ++i)
        lines.push_back(computeLine(company, amounts(1, 0.35, 0, 18)));
    EXPECT_DOUBLE_EQ(lines[0].kdvTutar, 0.06);
    EXPECT_DOUBLE_EQ(SumVatByRate(company, lines), 0.19);

    // Rates grouped by exact value, in the order they first appear.
    lines.push_back(computeLine(company, amounts(2, 10, 0, 8)));
    lines.push_back(computeLine(company, amounts(1, 1, 10, 18)));
    const std::vector<VatGroup> groups = vatByRate(company, lines);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_DOUBLE_EQ(groups[0].rate, 18);
    EXPECT_DOUBLE_EQ(groups[0].base.value(), 1.95);
    EXPECT_DOUBLE_EQ(groups[0].vat, 0.35);
    EXPECT_DOUBLE_EQ(groups[1].rate, 8);
    EXPECT_DOUBLE_EQ(groups[1].vat, 1.6);
    EXPECT_DOUBLE_EQ(SumVatByRate(company, lines), 1.95);
}

TEST_F(InvoiceMathTest, ScaleBarcodesNeedSettingsThatCanDescribeThem)
{
    IniFile ini(t.install.usersIniPath());
    ini.writeStrings(QStringLiteral("TARTI"), {{"VARMI", "EVET"},
                                               {"KODBOYU", "2"},
                                               {"BOYU", "6"},
                                               {"AGIRLIKBOYU", "3"},
                                               {"AGIRLIKBOLENI", "100"}});
    ScaleSettings s = ScaleSettings::read(ini);
    const std::optional<ScaleReading> r = DecodeScaleBarcode(s, QStringLiteral("271257"));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->code, QStringLiteral("27"));
    EXPECT_DOUBLE_EQ(r->quantity, 1.25);
    // Wrong length, letters in the weight.
    EXPECT_FALSE(DecodeScaleBarcode(s, QStringLiteral("27125")));
    EXPECT_FALSE(DecodeScaleBarcode(s, QStringLiteral("271A57")));
    EXPECT_FALSE(DecodeScaleBarcode(s, QStringLiteral("27-257")));

    // Reading off, or settings that cannot describe a barcode.
    ScaleSettings off = s;
    off.on = false;
    EXPECT_FALSE(DecodeScaleBarcode(off, QStringLiteral("271257")));
    for (auto broken :
         {+[](ScaleSettings& x) { x.kodBoyu = 0; }, +[](ScaleSettings& x) { x.agirlikBoyu = 5; },
          +[](ScaleSettings& x) { x.agirlikBoleni = 0; },
          +[](ScaleSettings& x) { x.agirlikBoyu = 0; }}) {
        ScaleSettings b = s;
        broken(b);
        EXPECT_FALSE(b.usable());
        EXPECT_FALSE(DecodeScaleBarcode(b, QStringLiteral("271257")));
    }
    // The defaults read nothing.
    EXPECT_FALSE(ScaleSettings::read(IniFile(t.dir.filePath("yok.ini"))).usable());
}

} // namespace
