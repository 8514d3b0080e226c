#include "customers/CustomerLabels.h"
#include "store/AppError.h"
#include "store/IniFile.h"
#include "support/Installation.h"
#include "support/Reference.h"

#include <gtest/gtest.h>

using namespace CustomerLabels;

namespace {

class CustomerLabelsTest : public ::testing::Test {
protected:
    TestCompany t;
    CompanyData& company = *t.company;

    void card(int n)
    {
        Table& cari = company.table("Cari");
        cari.append();
        cari["CariNo"] = QStringLiteral("M%1").arg(n, 3, 10, QLatin1Char('0'));
        cari["Unvani"] = QStringLiteral("Firma %1").arg(n, 2, 10, QLatin1Char('0'));
        cari["Yetkili"] = QStringLiteral("Yetkili %1").arg(n);
        cari["IsAdres1"] = QStringLiteral("Cadde %1").arg(n);
        cari["PKod"] = "34000";
        cari["Il"] = "İstanbul";
        cari["Ilce"] = "Şişli";
        cari.post();
    }
    Choice a4() const
    {
        Choice c;
        c.sheet = read(IniFile(t.dir.filePath("yok.ini")));
        c.sheet[Uzunluk] = "297";
        c.sheet[Genislik] = "210";
        return c;
    }
    static QStringList band(const PageSet& set, int page)
    {
        QStringList texts;
        const auto p = set.page(page);
        for (int i = 0; i < p->opCount(); ++i)
            if (p->op(i).type == DrawOp::Type::Text) texts << p->op(i).text;
        return texts;
    }
};

} // namespace

TEST_F(CustomerLabelsTest, TheStandardSheetTakesTwelveCardsABandContactFirst)
{
    for (int n = 1; n <= 25; ++n)
        card(n);
    Choice c = a4();
    c.cards.order = 0;
    const PageSet set = labels(company, c);
    ASSERT_EQ(set.pageCount(), 3);
    const QStringList first = band(set, 0);
    EXPECT_EQ(first.mid(0, 4),
              QStringList({"SN: Yetkili 1", "Firma 01", "Cadde 1", "34000 İstanbul Şişli"}));
    EXPECT_EQ(first.size(), 12 * 4);
    EXPECT_EQ(band(set, 2).size(), 4); // one label, eleven empty slots
    expectReferenceIn(QStringLiteral(CUSTOMER_DATA),
                      dumpWithoutToday(labels(company,
                                              [&] {
                                                  Choice one = c;
                                                  one.cards.codeTo = "M002";
                                                  return one;
                                              }())),
                      "cari_etiket_standart.txt");
}

TEST_F(CustomerLabelsTest, TheOwnLayoutStacksOnlyTheLinesShown)
{
    card(1);
    card(2);
    Choice c = a4();
    c.standard = false;
    c.sheet[EGenis] = "100";
    PageSet set = labels(company, c);
    expectReferenceIn(QStringLiteral(CUSTOMER_DATA), dumpWithoutToday(set), "cari_etiket_ozel.txt");
    EXPECT_EQ(band(set, 0).mid(0, 4),
              QStringList({"Firma 01", "SN: Yetkili 1", "Cadde 1", "34000 Şişli  İstanbul"}));
    // Only the post code and the place: one line, at the label's top.
    c.lines = {false, false, false, true, true};
    set = labels(company, c);
    const auto page = set.page(0);
    ASSERT_EQ(band(set, 0), QStringList({"34000 Şişli  İstanbul", "34000 Şişli  İstanbul"}));
    EXPECT_NEAR(page->op(0).rect.y(), 0, 0.01); // the label's first line, at the top
}

TEST_F(CustomerLabelsTest, SheetsThatCannotPrintAreRefusedWithTheirReason)
{
    card(1);
    Choice c = a4();
    EXPECT_EQ(refusal(c), "");
    c.sheet[Uzunluk] = "4a";
    EXPECT_EQ(refusal(c), "\"Sayfa Uzunluğu\" tam sayı olmalı: \"4a\"");
    c.sheet[Uzunluk] = "";
    EXPECT_EQ(refusal(c), "\"Sayfa Uzunluğu\" tam sayı olmalı: \"\"");
    c.sheet[Uzunluk] = "40"; // the default sheet is no page for the standard labels
    EXPECT_EQ(refusal(c), "Standart etiket sayfası (156 × 217 mm) basılacak alana (190 × 40 mm) "
                          "sığmıyor.");
    c.standard = false;
    EXPECT_EQ(refusal(c), "");
    c.sheet[Kolon] = "3";
    EXPECT_EQ(refusal(c), "Etiket (69.6 mm) kolondan (63.3 mm) geniş.");
    c.sheet[Kolon] = "2";
    c.sheet[EGenis] = "200";
    EXPECT_EQ(refusal(c), "Etiket (76.9 mm) sayfadan (40 mm) uzun.");
    c.sheet[Eki] = "'; DROP"; // the prefix is text, printed as typed
    c.sheet[EGenis] = "84";
    EXPECT_EQ(refusal(c), "");
    c.sheet[Kolon] = "0";
    try {
        labels(company, c);
        ADD_FAILURE() << "a sheet without columns printed";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "Etiket ölçüleri hatalı");
        EXPECT_EQ(e.detail(), "Kolon sayısı en az 1 olmalı.");
    }
}
