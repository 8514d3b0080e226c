#include "ReportSupport.h"
#include "printing/ReportExpression.h"
#include "store/AppError.h"
#include "support/QtPrinters.h"
#include "widgets/Barkod.h"

namespace {

// 100 × 60 mm pages with 5 mm margins: 50 mm for bands.
ReportDef listReport()
{
    ReportDef def;
    def.name = QStringLiteral("rprListe");
    def.className = QStringLiteral("TQuickRep");
    def.page.paper = PageSettings::Paper::Custom;
    def.page.widthMm = 100;
    def.page.heightMm = 60;
    def.page.left = def.page.right = def.page.top = def.page.bottom = 5;
    def.bands = {
        band(BandKind::Title, "Baslik", 8,
             {element(ElementKind::Label, "lblBaslik", {0, 0, 90, 6}, "KART LİSTESİ")}),
        band(BandKind::PageHeader, "SayfaBasi", 5, {[] {
                 ElementDef e =
                     element(ElementKind::SysData, "sysSayfa", {60, 0, 30, 5}, "Sayfa : ");
                 e.sysData = SysDataKind::PageNumber;
                 return e;
             }()}),
        band(BandKind::Detail, "Detay", 5,
             {element(ElementKind::DBText, "txtKodu", {0, 0, 20, 5}, "Kodu"),
              [] {
                  ElementDef e = element(ElementKind::DBText, "txtTutar", {20, 0, 30, 5}, "Tutar");
                  e.mask = "#,##0.00";
                  e.alignment = Qt::AlignRight;
                  return e;
              }()}),
        band(BandKind::PageFooter, "SayfaSonu", 5, {[] {
                 ElementDef e = element(ElementKind::Expr, "exNakli", {20, 0, 30, 5}, "SUM(Tutar)");
                 e.mask = "#,##0.00";
                 e.alignment = Qt::AlignRight;
                 return e;
             }()}),
        band(BandKind::Summary, "Toplam", 6,
             {element(ElementKind::Label, "lblToplam", {0, 0, 20, 5}, "TOPLAM"),
              [] {
                  ElementDef e =
                      element(ElementKind::Expr, "exToplam", {20, 0, 30, 5}, "SUM(Tutar) * 1");
                  e.mask = "#,##0.00";
                  e.alignment = Qt::AlignRight;
                  return e;
              }()}),
    };
    return def;
}

} // namespace

TEST(Report, TitleFirstPageFootersOnEveryPageAndRunningSums)
{
    ReportData data;
    ReportRenderer renderer(listReport(), data.table.get());
    const PageSet set = renderer.render();
    EXPECT_TRUE(set.finished);
    ASSERT_GT(set.pageCount(), 2);
    expectReference(set.dump(), "list.txt");
    // The title only on page 1; a page footer on every page, the last included.
    const QString dump = set.dump();
    EXPECT_EQ(dump.count("KART LİSTESİ"), 1);
    EXPECT_EQ(dump.count("SayfaSonu text"), set.pageCount());
    EXPECT_TRUE(dump.contains("\"2,205.00\"")); // 10.5 × (1 + … + 20)
}

TEST(Report, GroupBreaksWithGroupSumsAndASuppressedBand)
{
    ReportData data;
    ReportDef def = listReport();
    def.page.heightMm = 200;
    def.bands.push_back(band(BandKind::GroupHeader, "GrupBasi", 5,
                             {element(ElementKind::DBText, "txtTarih", {0, 0, 30, 5}, "Tarih")}));
    def.bands.back().groupExpression = "Tarih";
    ElementDef groupSum = element(ElementKind::Expr, "exGrup", {20, 0, 30, 5}, "SUM(Tutar)");
    groupSum.mask = "#,##0.00";
    groupSum.resetAfterPrint = true;
    def.bands.push_back(band(BandKind::GroupFooter, "GrupSonu", 5, {groupSum}));
    ReportRenderer renderer(def, data.table.get());
    int details = 0;
    renderer.beforePrint = [&](BandPrint& print) {
        if (print.band.name == "Detay" && ++details % 5 == 3)
            print.suppress(); // every fifth, third
        if (print.band.name == "Toplam") print.setText("lblToplam", "GENEL TOPLAM");
    };
    const PageSet set = renderer.render();
    expectReference(set.dump(), "groups.txt");
    const QString dump = set.dump();
    EXPECT_EQ(dump.count("GrupBasi text"), 4);
    EXPECT_EQ(dump.count("GrupSonu text"), 4);
    EXPECT_TRUE(
        dump.contains("\"157.50\"")); // 10.5 × (1+…+5): the sum still counts suppressed lines
    EXPECT_TRUE(dump.contains("\"420.00\"")); // 10.5 × (6+…+10), started again after the footer
    EXPECT_FALSE(dump.contains("\"K03\""));
    EXPECT_TRUE(dump.contains("GENEL TOPLAM"));
}

TEST(Report, AStretchedElementPushesTheNextBandToANewPage)
{
    ReportData data(3);
    ReportDef def = listReport();
    ElementDef memo = element(ElementKind::DBText, "txtUnvan", {50, 0, 15, 5}, "Unvani");
    memo.wordWrap = true;
    memo.autoStretch = true;
    def.bands[2].elements.push_back(memo);
    ReportRenderer renderer(def, data.table.get());
    renderer.beforePrint = [](BandPrint& print) {
        if (print.band.name == "Detay")
            print.setText("txtUnvan",
                          "uzun bir ünvan satırı ki sığmaz ve aşağıya doğru uzar gider durmadan");
    };
    const PageSet set = renderer.render();
    expectReference(set.dump(), "stretch.txt");
    EXPECT_GE(set.pageCount(), 2);
}

TEST(ReportDef, SavesAndLoadsEveryPropertyAndRefusesUnknownNames)
{
    ReportDef def = listReport();
    def.bands[2].elements[1].frame = Frame{true, false, true, false, 0.5, Qt::red};
    def.bands[2].elements[1].font.setBold(true);
    const QByteArray json = def.toJson();
    const ReportDef back = ReportDef::fromJson(json);
    EXPECT_EQ(back.toJson(), json);
    EXPECT_EQ(back.bands[2].elements[1].mask, "#,##0.00");
    EXPECT_TRUE(back.bands[2].elements[1].frame.top);

    QByteArray unknownClass = json;
    unknownClass.replace("TZRQRDBText", "TZRQRYok");
    EXPECT_THROW(ReportDef::fromJson(unknownClass), AppError);
    QByteArray unknownField = json;
    unknownField.replace("\"wordWrap\"", "\"wordWrapx\"");
    EXPECT_THROW(ReportDef::fromJson(unknownField), AppError);
    EXPECT_THROW(ReportDef::fromJson("{nope"), AppError);
    EXPECT_THROW(ReportDef::fromJson("{\"format\":\"dulvet-rapor\",\"version\":9}"), AppError);

    // Values out of any paper's range and colours that are not colours are faults, not
    // instructions to lay out kilometres of report.
    const auto refused = [&](const QByteArray& from, const QByteArray& to) {
        QByteArray changed = json;
        EXPECT_TRUE(changed.contains(from)) << from.toStdString();
        changed.replace(from, to);
        EXPECT_THROW(ReportDef::fromJson(changed), AppError) << to.toStdString();
    };
    refused("\"color\": \"#ff0000\"", "\"color\": \"kirmizi\"");
    refused("\"color\": \"#000000\"", "\"color\": \"#12\"");
    const QByteArray height = QString::fromUtf8(json)
                                  .section(QLatin1String("\"height\": "), 1)
                                  .section(QLatin1Char(','), 0, 0)
                                  .toUtf8();
    refused("\"height\": " + height + ",", "\"height\": 9e9,");
    refused("\"columns\": 1", "\"columns\": 100000");
    refused("\"rect\": [\n", "\"rect\": [\n                        -1e300,\n");
}

TEST(ReportExpression, ArithmeticTextsAndErrors)
{
    const auto fields = [](const QString& name) -> QVariant {
        return name == "A" ? QVariant(6.0) : QVariant(QStringLiteral("x"));
    };
    EXPECT_DOUBLE_EQ(
        ReportExpression::parse("A * 2 + 3 / (1 + 2) - -1").evaluate(fields).toDouble(), 14);
    EXPECT_EQ(ReportExpression::parse("'Sayın ' + B").evaluate(fields).toString(), "Sayın x");
    EXPECT_DOUBLE_EQ(ReportExpression::parse("A / 0").evaluate(fields).toDouble(), 0);
    ReportExpression sum = ReportExpression::parse("SUM(A) + 1");
    sum.accumulate(fields);
    sum.accumulate(fields);
    EXPECT_DOUBLE_EQ(sum.evaluate(fields).toDouble(), 13);
    sum.resetSums();
    EXPECT_DOUBLE_EQ(sum.evaluate(fields).toDouble(), 1);
    for (const char* bad : {"A +", "(A", "'x", "A $ B", "SUM(A"})
        EXPECT_THROW(ReportExpression::parse(bad), AppError) << bad;
}

TEST(Report, HeaderAndFooterOptionsOnTheFirstAndLastPage)
{
    ReportData data;
    ReportDef def = listReport();
    def.page.headerOnFirstPage = false;
    def.page.footerOnLastPage = false;
    ReportRenderer renderer(def, data.table.get());
    const PageSet set = renderer.render();
    const QString dump = set.dump();
    ASSERT_GT(set.pageCount(), 2);
    EXPECT_EQ(dump.count("SayfaBasi text"), set.pageCount() - 1); // not on page 1
    EXPECT_EQ(dump.count("SayfaSonu text"), set.pageCount() - 1); // not on the last page
    EXPECT_FALSE(dump.section("page 1\n", 1).section("page 2", 0, 0).contains("Sayfa :"));
}

TEST(Report, DetailBandsRunDownTheColumns)
{
    ReportData data(20);
    ReportDef def = listReport();
    def.page.columns = 2; // 45 mm each
    ReportRenderer renderer(def, data.table.get());
    const PageSet set = renderer.render();
    expectReference(set.dump(), "columns.txt");
    // Page 1: K01–K06 in the first column, K07–K12 in the second, at the same heights.
    const QString page1 = set.dump().section("page 2", 0, 0);
    EXPECT_TRUE(page1.contains("Detay text 5.0,18.0 20.0x5.0 \"K01\""));
    EXPECT_TRUE(page1.contains("Detay text 50.0,18.0 20.0x5.0 \"K07\""));
    EXPECT_FALSE(page1.contains("\"K13\""));
}

TEST(Report, AmountInWordsAndBarcodeElements)
{
    ReportData data;
    ReportDef def = listReport();
    ElementDef words = element(ElementKind::AmountInWords, "yazi", {0, 6, 90, 5}, QString());
    words.className = "TZRZemrakDoubleToQYazi"; // the designer variant loads as the element
    words.expression = "SUM(Tutar)";
    ElementDef code = element(ElementKind::Barcode, "barkod", {0, 12, 40, 15}, "8690101110016");
    code.barcodeHeight = 40;
    BandDef& summary = def.bands.back();
    summary.height = 30;
    summary.elements.push_back(words);
    summary.elements.push_back(code);
    const ReportDef loaded = ReportDef::fromJson(def.toJson());
    EXPECT_EQ(loaded.bands.back().elements[2].kind, ElementKind::AmountInWords);
    EXPECT_EQ(loaded.bands.back().elements[3].barcodeHeight, 40);

    ReportRenderer renderer(loaded, data.table.get());
    const PageSet set = renderer.render();
    const QString dump = set.dump();
    EXPECT_TRUE(dump.contains("\"Yalnız İKİBİNİKİYÜZBEŞ TL dir.\"")) << dump.toStdString();
    EXPECT_TRUE(dump.contains("Toplam picture")); // the barcode, 95 modules at 0.254 mm
    EXPECT_TRUE(dump.contains("24.1x10.2"));
    const QImage page = set.pageImage(set.pageCount() - 1, 100);
    EXPECT_FALSE(page.isNull());

    summary.elements.back().text = "86901A"; // not numeric: the report stops with the message
    ReportRenderer failing(def, data.table.get());
    try {
        failing.render();
        FAIL() << "a bad barcode printed";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "Barcode must be numeric");
    }

    // A Code 39 code with characters the symbology lacks: that element prints nothing, the
    // report goes on, and the code is listed once however often it was met.
    ReportDef labels = listReport();
    ElementDef bad = element(ElementKind::Barcode, "kotu", {100, 0, 30, 5}, "raf-1");
    bad.barcodeType = TZemrakBarkod::bcCode39;
    ElementDef good = bad;
    good.name = "iyi";
    good.text = "RAF-1";
    good.rect.moveLeft(140);
    for (BandDef& band : labels.bands)
        if (band.kind == BandKind::Detail) {
            band.elements.push_back(bad);
            band.elements.push_back(good);
        }
    ReportRenderer going(labels, data.table.get());
    const PageSet printed = going.render();
    EXPECT_EQ(printed.warnings.size(), 1);
    EXPECT_TRUE(printed.warnings.value(0).startsWith("raf-1 ("))
        << printed.warnings.join(' ').toStdString();
    EXPECT_EQ(printed.dump().count("Detay picture"), 20); // the good code on all twenty rows
}
