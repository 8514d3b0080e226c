#include "printing/ReportDesign.h"
#include "ReportSupport.h"
#include "printing/DesignDocument.h"
#include "store/AppError.h"
#include "support/QtPrinters.h"
#include "widgets/DisplayText.h"

using namespace ReportDesign;

namespace {

// An A4 report with a title (40 px), a detail (20 px) and a page footer (60 px), and the label
// lblYazi in the footer.
ReportDef designed()
{
    ReportDef def;
    def.name = QStringLiteral("TfrmFtSatisP");
    def.className = QStringLiteral("TQuickRep");
    def.bands = {band(BandKind::Title, "TitleBand1", toMm(40), {}),
                 band(BandKind::Detail, "DetailBand1", toMm(20), {}),
                 band(BandKind::PageFooter, "PageFooterBand1", toMm(60),
                      {element(ElementKind::Label, "lblYazi",
                               {toMm(12), toMm(10), toMm(300), toMm(18)}, "yazıyla")})};
    for (BandDef& b : def.bands)
        b.className = bandClassName(b.kind);
    for (ElementDef& e : def.bands[2].elements)
        e.className = elementClassName(e.kind);
    return def;
}

QPointF px(double x, double y)
{
    return {toMm(x), toMm(y)};
}

const ElementDef& element(const ReportDef& def, Item item)
{
    return def.bands[size_t(item.band)].elements[size_t(item.element)];
}

} // namespace

TEST(ReportDesign, PixelsAndMillimetresRoundTripExactly)
{
    for (int p = 0; p <= 10000; ++p) {
        ASSERT_EQ(std::lround(toPixels(toMm(p))), p);
        ASSERT_NEAR(toPixels(toMm(p)), p, 1e-9);
    }
    // Through the file too: the same layout gives the same bytes.
    ReportDef def = designed();
    def.bands[0].elements.push_back(
        element(ElementKind::Label, "a", {toMm(333), toMm(7), toMm(1), toMm(19)}, "x"));
    def.bands[0].elements.back().className = "TZRQRLabel";
    const QByteArray once = def.toJson();
    EXPECT_EQ(ReportDef::fromJson(once).toJson(), once);
    EXPECT_EQ(std::lround(toPixels(ReportDef::fromJson(once).bands[0].elements[0].rect.x())), 333);
}

TEST(ReportDesign, EveryToolMakesItsNamedItemWithItsText)
{
    ReportDef def = designed();
    // Element tools on the detail band, each at 4, 2 pixels.
    for (int tool = 6; tool < kToolCount; ++tool) {
        const Item made = create(def, tool, 1, px(4, 2));
        ASSERT_TRUE(made.valid()) << tool;
        const ElementDef& e = element(def, made);
        EXPECT_EQ(e.name, tools()[size_t(tool)].prefix + "1");
        EXPECT_EQ(e.className, tools()[size_t(tool)].className);
        EXPECT_EQ(std::lround(toPixels(e.rect.x())), 4);
        EXPECT_EQ(std::lround(toPixels(e.rect.y())), 2);
        // Cut to the band: 20 pixels high, from 2 down.
        EXPECT_LE(e.rect.bottom(), def.bands[1].height + 1e-9) << e.name.toStdString();
    }
    // What they say from the start: a label its name, a shape and system data nothing, the
    // amount in words its sample, the vertical label its name downwards.
    const auto made = [&](int tool) { return def.bands[1].elements[size_t(tool - 6)]; };
    EXPECT_EQ(made(6).text, "ZRQRLabel1");
    EXPECT_EQ(made(18).text, "ZRQRAngledLabel1");
    EXPECT_EQ(made(9).text, "");
    EXPECT_EQ(made(14).text, "");
    EXPECT_EQ(made(19).text, "Yalnız  TL dir.");
    EXPECT_EQ(made(19).kind, ElementKind::AmountInWords);
    EXPECT_EQ(made(20).text, VerticalText("ZRZemrakQrLabel1", 0));
    EXPECT_EQ(made(20).alignment, int(Qt::AlignHCenter));
    // They all load back by class name with their kinds.
    const ReportDef back = ReportDef::fromJson(def.toJson());
    EXPECT_EQ(back.toJson(), def.toJson());
    EXPECT_EQ(back.bands[1].elements[6].kind, ElementKind::RichText);
    EXPECT_EQ(back.bands[1].elements[11].kind, ElementKind::Chart);
    EXPECT_EQ(back.bands[1].elements[12].kind, ElementKind::AngledLabel);

    // Band tools on the surface outside the bands: the sub-detail, strings and group bands, the
    // first standard band the report lacks (the page header), a child of the band above.
    EXPECT_EQ(create(def, 1, -1, {}).band, 3);
    EXPECT_EQ(def.bands[3].kind, BandKind::SubDetail);
    EXPECT_EQ(def.bands[3].name, "ZRQRSubDetail1");
    create(def, 2, -1, {});
    EXPECT_EQ(def.bands[4].kind, BandKind::Strings);
    create(def, 5, -1, {});
    EXPECT_EQ(def.bands[5].kind, BandKind::GroupHeader);
    EXPECT_EQ(def.bands[5].className, "TZRQRGroup");
    create(def, 3, -1, {});
    EXPECT_EQ(def.bands[6].kind, BandKind::PageHeader);
    EXPECT_EQ(def.bands[6].className, "TZRQRBand");
    create(def, 3, -1, {});
    create(def, 3, -1, {});
    EXPECT_EQ(def.bands[7].kind, BandKind::ColumnHeader);
    EXPECT_EQ(def.bands[8].kind, BandKind::Summary);
    EXPECT_FALSE(create(def, 3, -1, {}).valid()); // every standard band is there
    EXPECT_FALSE(create(def, 4, -1, {}).valid()); // a child needs a band above it
    const Item child = create(def, 4, -1, {}, 1);
    EXPECT_EQ(def.bands[size_t(child.band)].parent, "DetailBand1");
    EXPECT_EQ(def.bands[size_t(child.band)].name, "ZRQRChildBand1");
    // And they too load back by class.
    EXPECT_EQ(ReportDef::fromJson(def.toJson()).toJson(), def.toJson());

    // Tools on the wrong target make nothing: a band tool on a band, an element tool outside
    // the bands, the pointer, a point outside the band.
    const size_t bands = def.bands.size();
    EXPECT_FALSE(create(def, 5, 1, px(1, 1)).valid());
    EXPECT_FALSE(create(def, 6, -1, px(1, 1)).valid());
    EXPECT_FALSE(create(def, 0, 1, px(1, 1)).valid());
    EXPECT_FALSE(create(def, 6, 1, px(1, 25)).valid());
    EXPECT_EQ(def.bands.size(), bands);
}

TEST(ReportDesign, NamesAreTheSmallestFreeNumberAndRenamesAreChecked)
{
    ReportDef def = designed();
    for (int i = 0; i < 3; ++i)
        create(def, 6, 0, px(10 * i, 0));
    EXPECT_EQ(names(def).mid(1, 3), QStringList({"ZRQRLabel1", "ZRQRLabel2", "ZRQRLabel3"}));
    remove(def, find(def, "ZRQRLabel2"));
    create(def, 6, 0, px(50, 0));
    EXPECT_EQ(def.bands[0].elements.back().name, "ZRQRLabel2");

    // A taken name keeps the old one; so do names that are no identifier.
    const Item yazi = find(def, "lblYazi");
    EXPECT_FALSE(rename(def, yazi, "ZRQRLabel1").isEmpty());
    EXPECT_FALSE(rename(def, yazi, "zrqrlabel1").isEmpty());
    for (const QString& bad : {QString(), QStringLiteral("İmza"), QStringLiteral("1Etiket"),
                               QStringLiteral("a b"), QString(65, QLatin1Char('a'))})
        EXPECT_FALSE(rename(def, yazi, bad).isEmpty()) << bad.toStdString();
    EXPECT_EQ(element(def, yazi).name, "lblYazi");
    EXPECT_EQ(rename(def, yazi, QString(64, QLatin1Char('a'))), "");
    EXPECT_EQ(rename(def, yazi, "lblImza_2"), "");
    EXPECT_EQ(element(def, yazi).name, "lblImza_2");
    // A band renamed takes its child bands along.
    create(def, 4, -1, {}, 1);
    EXPECT_EQ(rename(def, find(def, "DetailBand1"), "Kalem"), "");
    EXPECT_EQ(def.bands.back().parent, "Kalem");
}

TEST(ReportDesign, PlacesSnapAndStayInTheirBandAndRefusalsNameTheValue)
{
    ReportDef def = designed();
    const Item yazi = find(def, "lblYazi");
    const QRectF r = element(def, yazi).rect;
    // Snapped to 4 pixels; clamped to the band at every edge.
    QRectF moved = placeInBand(def, yazi, r.translated(toMm(5), toMm(1)), 4);
    EXPECT_NEAR(toPixels(moved.x()), 16, 1e-9);
    EXPECT_NEAR(toPixels(moved.y()), 12, 1e-9);
    moved = placeInBand(def, yazi, r.translated(toMm(-100), toMm(100)));
    EXPECT_NEAR(toPixels(moved.x()), 0, 1e-9);
    EXPECT_NEAR(toPixels(moved.bottom()), 60, 1e-9);
    moved = placeInBand(def, yazi, r.translated(toMm(5000), 0));
    EXPECT_LE(moved.right(), printableWidth(def) + 1e-9);

    EXPECT_EQ(geometryFault(def, yazi, r), "");
    EXPECT_EQ(geometryFault(def, yazi, QRectF(r.topLeft(), QSizeF(0, r.height()))),
              "lblYazi: genişlik 0 pixel; en az 1 pixel olmalı.");
    EXPECT_EQ(geometryFault(def, yazi, r.translated(0, toMm(50))),
              "lblYazi: üst 60 + uzunluk 18 pixel, PageFooterBand1 bandının uzunluğunu (60 "
              "pixel) aşıyor.");
    EXPECT_NE(geometryFault(def, yazi, r.translated(toMm(99999), 0)), "");
    EXPECT_NE(bandHeightFault(def, 2, toMm(20)), ""); // lblYazi would be left outside
    EXPECT_NE(bandHeightFault(def, 0, printableHeight(def) + 1), "");
    EXPECT_EQ(bandHeightFault(def, 0, toMm(1)), "");
    PageSettings page;
    page.left = page.right = 105;
    EXPECT_NE(pageFault(page), "");
    page.left = page.right = 10;
    page.columns = 4;
    page.columnSpacing = 70;
    EXPECT_NE(pageFault(page), "");
    page.columnSpacing = 10;
    EXPECT_EQ(pageFault(page), "");
}

TEST(DesignDocument, EveryChangeIsOneStepAndUndoGivesBackTheVeryBytes)
{
    DesignDocument doc(designed());
    const QByteArray loaded = doc.def().toJson();
    const Item made = doc.create(6, 1, px(4, 2));
    EXPECT_EQ(doc.selection(), QStringList{"ZRQRLabel1"});
    EXPECT_EQ(doc.undoStack().count(), 1);
    EXPECT_TRUE(doc.modified());
    // A drag is one step however many moves it makes; Esc puts it back without a step.
    doc.beginDrag();
    const QRectF start = element(doc.def(), made).rect;
    for (int x = 5; x < 60; x += 5)
        doc.dragTo({{"ZRQRLabel1", placeInBand(doc.def(), made, start.translated(toMm(x), 0), 4)}});
    doc.endDrag("Taşı");
    EXPECT_EQ(doc.undoStack().count(), 2);
    EXPECT_NEAR(toPixels(element(doc.def(), made).rect.x()), 60, 1e-9); // 4 + 55, on the grid
    const QByteArray afterDrag = doc.def().toJson();
    doc.beginDrag();
    doc.dragTo({{"ZRQRLabel1", QRectF(0, 0, toMm(10), toMm(10))}});
    doc.cancelDrag();
    EXPECT_EQ(doc.def().toJson(), afterDrag);
    EXPECT_EQ(doc.undoStack().count(), 2);
    // Nudges stay in the band; sizes that would leave it stay as they were.
    doc.nudge(0, 100, false);
    EXPECT_NEAR(toPixels(element(doc.def(), made).rect.bottom()), 20, 1e-9);
    const QRectF before = element(doc.def(), made).rect;
    doc.nudge(0, 5, true);
    EXPECT_EQ(element(doc.def(), made).rect, before);
    doc.nudge(7, 0, true);
    EXPECT_NEAR(toPixels(element(doc.def(), made).rect.width()), 72, 1e-9);
    // A refused change makes no step.
    const int steps = doc.undoStack().count();
    EXPECT_NE(doc.change("Ad", [](ReportDef& d) { return rename(d, find(d, "lblYazi"), "1x"); }),
              "");
    EXPECT_EQ(doc.undoStack().count(), steps);
    // Delete and undo; then undo everything.
    doc.change("Sil", [](ReportDef& d) {
        remove(d, find(d, "ZRQRLabel1"));
        return QString();
    });
    EXPECT_TRUE(doc.selection().isEmpty());
    doc.undoStack().undo();
    EXPECT_TRUE(find(doc.def(), "ZRQRLabel1").valid());
    while (doc.undoStack().canUndo())
        doc.undoStack().undo();
    EXPECT_EQ(doc.def().toJson(), loaded);
    EXPECT_FALSE(doc.modified());
    while (doc.undoStack().canRedo())
        doc.undoStack().redo();
    EXPECT_FALSE(find(doc.def(), "ZRQRLabel1").valid());
}

TEST(ReportDesign, DecimalChoicesMapToMasks)
{
    EXPECT_EQ(decimalChoices(), QStringList({"Yok", "0", "0.0", "0.00", "0.000"}));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(decimalsOfMask(maskOfDecimals(i)), i);
    EXPECT_EQ(maskOfDecimals(3), "#,##0.00");
    EXPECT_EQ(decimalsOfMask("#,##0.0000"), 0);
}

TEST(Report, TheDesignersKindsPrint)
{
    ReportData data(3);
    ReportDef def;
    def.page.paper = PageSettings::Paper::Custom;
    def.page.widthMm = 100;
    def.page.heightMm = 60;
    def.page.left = def.page.right = def.page.top = def.page.bottom = 5;
    def.page.columns = 2;
    def.page.columnSpacing = 10;
    def.page.frame = Frame{true, true, true, true, 0.3, Qt::black};
    const auto make = [](ElementKind kind, const char* name, QRectF r, const QString& text) {
        ElementDef e = element(kind, name, r, text);
        e.text = text;
        return e;
    };
    ElementDef memo =
        make(ElementKind::ExprMemo, "memo", {0, 0, 30, 10}, "Kod {Kodu}\n{Tutar * 2}");
    memo.mask = "#,##0.00";
    ElementDef rich = make(ElementKind::RichText, "rich", {0, 10, 30, 5}, "<b>Kalın</b> yazı");
    ElementDef angled = make(ElementKind::AngledLabel, "aci", {0, 15, 10, 5}, "Açılı");
    angled.angle = 90;
    ElementDef chart = make(ElementKind::Chart, "grafik", {30, 0, 5, 5}, QString());
    ElementDef right = make(ElementKind::Label, "sag", {0, 20, 10, 5}, "Sağ");
    right.alignToBand = true;
    right.alignment = Qt::AlignRight;
    def.bands = {band(BandKind::Detail, "Detay", 40, {memo, rich, angled, chart, right})};
    const PageSet set = ReportRenderer(def, data.table.get()).render();
    ASSERT_EQ(set.pageCount(), 2); // two columns of 40 mm on the first page, one on the second
    std::vector<DrawOp> ops;
    for (int i = 0; i < set.page(0)->opCount(); ++i)
        ops.push_back(set.page(0)->op(i));
    const auto text = [&](const QString& t) {
        return std::find_if(ops.begin(), ops.end(), [&](const DrawOp& op) { return op.text == t; });
    };
    EXPECT_NE(text("Kod K01\n21.00"), ops.end());
    EXPECT_NE(text("Kalın yazı"), ops.end());
    ASSERT_NE(text("Açılı"), ops.end());
    EXPECT_EQ(text("Açılı")->angle, 90);
    // Aligned to the band's right: the column is (90 − 10) / 2 = 40 mm; the second column
    // starts 40 + 10 mm further.
    std::vector<double> lefts;
    for (const DrawOp& op : ops)
        if (op.text == "Sağ") lefts.push_back(op.rect.left());
    EXPECT_EQ(lefts, (std::vector<double>{5 + 30, 5 + 50 + 30}));
    // The chart's frame and the page frame round the printable area.
    EXPECT_TRUE(std::any_of(ops.begin(), ops.end(), [](const DrawOp& op) {
        return op.type == DrawOp::Type::Rect && op.rect == QRectF(35, 5, 5, 5);
    }));
    EXPECT_TRUE(std::any_of(ops.begin(), ops.end(), [](const DrawOp& op) {
        return op.type == DrawOp::Type::Line && op.rect == QRectF(5, 5, 90, 0);
    }));
}
