#include "widgets/DisplayLabels.h"
#include "printing/ReportDef.h"
#include "widgets/DisplayText.h"

#include <QLocale>
#include <gtest/gtest.h>

TEST(DisplayText, VerticalTextStepsByItsBlanks)
{
    EXPECT_EQ(VerticalText("ALIŞ", 0), QStringLiteral("A\n\rL\n\rI\n\rŞ"));
    EXPECT_EQ(VerticalText("ALIŞ", 2), QStringLiteral("A\n\r  L\n\r    I\n\r      Ş"));
    EXPECT_EQ(DrawnLines(VerticalText("ALIŞ", 2)).split('\n'),
              QStringList({"A", "  L", "    I", "      Ş"}));
    EXPECT_EQ(VerticalText("A", 0), "A");
    EXPECT_EQ(VerticalText("", 3), "");

    TZemrakRLabel label("SATIŞ");
    label.setBosluk(0);
    label.setCevir(true);
    EXPECT_FALSE(label.cevir()); // converted once
    EXPECT_EQ(label.caption(), QStringLiteral("S\n\rA\n\rT\n\rI\n\rŞ"));
    EXPECT_TRUE(label.alignment() & Qt::AlignHCenter);
    EXPECT_FALSE(label.text().contains('\r'));
    label.setBosluk(1);
    TZemrakRLabel stepped("AB");
    stepped.setBosluk(1);
    stepped.setCevir(true);
    EXPECT_TRUE(stepped.alignment() & Qt::AlignLeft);
    EXPECT_EQ(stepped.caption(), QStringLiteral("A\n\r B"));
}

TEST(DisplayText, NumberPanelGroupsTheWholePartAndKeepsTheFraction)
{
    EXPECT_EQ(PanelNumberText(1234567.5), "1,234,567.5");
    EXPECT_EQ(PanelNumberText(-1234.25), "-1,234.25");
    EXPECT_EQ(PanelNumberText(1000), "1,000");
    EXPECT_EQ(PanelNumberText(0.5), "0.5");
    EXPECT_EQ(PanelNumberText(123), "123");
    EXPECT_EQ(PanelNumberText(0), "0");
    EXPECT_EQ(PanelNumberText(-0.75), "-0.75");
    EXPECT_EQ(PanelNumberText(999999999999.99), "999,999,999,999.99");
    EXPECT_DOUBLE_EQ(PanelNumberValue("1,234,567.5"), 1234567.5);
    EXPECT_DOUBLE_EQ(PanelNumberValue("-1,234.25"), -1234.25);
    EXPECT_DOUBLE_EQ(PanelNumberValue("yok"), 0);

    const QLocale before;
    TZRpnlSayi panel;
    EXPECT_EQ(panel.caption(), "0");
    panel.setAsFloat(1234567.5);
    EXPECT_EQ(panel.caption(), "1,234,567.5");
    EXPECT_DOUBLE_EQ(panel.asFloat(), 1234567.5);
    EXPECT_EQ(QLocale(), before); // no program-wide setting changes
    EXPECT_EQ(panel.height(), 21);

    TZRpnlYazi text;
    text.setYazi("Yılmaz Ticaret");
    text.setAlignment(Qt::AlignRight);
    EXPECT_EQ(text.yazi(), "Yılmaz Ticaret");
    EXPECT_TRUE(text.label()->alignment() & Qt::AlignRight);
}

TEST(DisplayText, MarqueeRunsRoundInBothDirections)
{
    EXPECT_EQ(MarqueeStep("ABC ", true), " ABC");
    EXPECT_EQ(MarqueeStep(MarqueeStep("ABC ", true), true), "C AB");
    EXPECT_EQ(MarqueeStep("ABC ", false), "BC A");
    EXPECT_EQ(MarqueeStep("", true), "lZemrakKayanLabe");
    TZemrakKayanLabel marquee("ABC ");
    EXPECT_EQ(marquee.zaman(), 500);
    marquee.tick();
    EXPECT_EQ(marquee.text(), " ABC");
    marquee.setSoldanSaga(false);
    marquee.tick();
    EXPECT_EQ(marquee.text(), "ABC ");
}

TEST(DisplayText, VerticalReportLabelsLoadByTheirClassName)
{
    ReportDef def;
    BandDef band;
    band.className = bandClassName(BandKind::Title);
    band.kind = BandKind::Title;
    ElementDef e;
    e.name = "lblAlis";
    e.className = "TZemrakQRLabel";
    e.kind = ElementKind::Label;
    e.text = VerticalText("ALIŞ", 0);
    band.elements.push_back(e);
    e.name = "lblSatis";
    e.className = "TZRZemrakQRLabel";
    band.elements.push_back(e);
    def.bands.push_back(band);
    const ReportDef back = ReportDef::fromJson(def.toJson());
    ASSERT_EQ(back.bands.front().elements.size(), 2u);
    EXPECT_EQ(back.bands.front().elements[0].className, "TZemrakQRLabel");
    EXPECT_EQ(back.bands.front().elements[1].className, "TZRZemrakQRLabel");
    EXPECT_EQ(back.bands.front().elements[0].kind, ElementKind::Label);
    EXPECT_EQ(back.bands.front().elements[0].text, VerticalText("ALIŞ", 0));
}
