#include "instalments/InstalmentPlan.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace InstalmentPlan;

namespace {

Input plan(double amount, double down, int count, double rounding = 1, int differenceLine = 1)
{
    Input in;
    in.amount = amount;
    in.downPayment = down;
    in.count = count;
    in.rounding = rounding;
    in.differenceLine = differenceLine;
    in.invoiceDate = QDate(2026, 1, 15);
    in.firstDue = QDate(2026, 2, 15);
    return in;
}

std::vector<double> amounts(const Result& r)
{
    std::vector<double> v;
    for (const Line& l : r.lines)
        v.push_back(l.amount);
    return v;
}

} // namespace

TEST(InstalmentPlan, EqualInstalmentsTheirDifferenceAndRounding)
{
    // 1000 with 100 down over 3, no kuruş: 300 each, nothing left over.
    Result r = compute(plan(1000, 100, 3), false);
    EXPECT_EQ(amounts(r), std::vector<double>({100, 300, 300, 300}));
    EXPECT_EQ(r.lines[0].text, QStringLiteral("PEŞİNAT"));
    EXPECT_EQ(r.lines[0].due, QDate(2026, 1, 15));
    EXPECT_EQ(r.lines[1].text, QStringLiteral("1. TAKSİT"));
    EXPECT_EQ(r.difference, 0);
    // 1000 over 3 with kuruş: 333.33 each, the 0.01 on the chosen line (the second here).
    r = compute(plan(1000, 0, 3, 1, 2), true);
    EXPECT_EQ(amounts(r), std::vector<double>({333.33, 333.34, 333.33}));
    EXPECT_DOUBLE_EQ(r.difference, 0.01);
    // Rounding 50: 333.33 down to 300; the 100 left goes to the first.
    r = compute(plan(1000, 0, 3, 50), true);
    EXPECT_EQ(amounts(r), std::vector<double>({400, 300, 300}));
    EXPECT_DOUBLE_EQ(r.difference, 100);
    // Rounding 1 or less adds nothing to RoundMoney.
    EXPECT_EQ(amounts(compute(plan(1000, 0, 3, 0.5), true)),
              std::vector<double>({333.34, 333.33, 333.33}));
}

TEST(InstalmentPlan, DueDatesFollowTheFirstOne)
{
    Input in = plan(300, 0, 3);
    in.firstDue = QDate(2004, 1, 31);
    Result r = compute(in, false);
    EXPECT_EQ(r.lines[0].due, QDate(2004, 1, 31));
    EXPECT_EQ(r.lines[1].due, QDate(2004, 2, 29));
    EXPECT_EQ(r.lines[2].due, QDate(2004, 3, 31));
    in.firstDue = QDate(2004, 1, 15);
    in.interval = 7;
    EXPECT_EQ(compute(in, false).lines[1].due, QDate(2004, 1, 22));
    in.interval = 45;
    EXPECT_EQ(compute(in, false).lines[1].due, QDate(2004, 2, 29));
}

TEST(InstalmentPlan, TemplatesAndTheWindowsRules)
{
    Input in = plan(1000, 0, 1);
    in.templateLines = {20, 40, 40};
    normalise(in, true);
    EXPECT_EQ(in.count, 2);
    EXPECT_EQ(in.downPayment, 200);
    EXPECT_EQ(amounts(compute(in, true)), std::vector<double>({200, 400, 400}));

    Input odd = plan(500, 0, 0, 0, 9);
    odd.firstDue = QDate(2025, 12, 1); // before the invoice
    normalise(odd, true);
    EXPECT_EQ(odd.count, 1);
    EXPECT_EQ(odd.rounding, 1);
    EXPECT_EQ(odd.differenceLine, 1);
    EXPECT_EQ(odd.firstDue, odd.invoiceDate);
    EXPECT_EQ(fault(plan(100, 150, 2)),
              QStringLiteral("Peşinat tutarı satış tutarından büyük olamaz"));
    EXPECT_EQ(fault(plan(100, 50, 2)), QString());

    EXPECT_TRUE(templateConsistent({}));
    EXPECT_TRUE(templateConsistent({20, 40, 40}));
    EXPECT_FALSE(templateConsistent({20, 40, 30})); // 90
    EXPECT_FALSE(templateConsistent({100}));        // a single line plans nothing

    QTemporaryDir dir;
    const QString path = templatePath(dir.path(), 2);
    EXPECT_TRUE(path.endsWith("/Sablon2.pl"));
    writeTemplate(path, {10, 45, 45});
    EXPECT_EQ(readTemplate(path), std::vector<int>({10, 45, 45}));
    EXPECT_TRUE(readTemplate(dir.filePath("yok.pl")).empty());
}
