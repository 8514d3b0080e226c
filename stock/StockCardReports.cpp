#include "stock/StockReports.h"

#include "printing/ReportBuilder.h"
#include "stock/StockOrders.h"
#include "store/CompanyData.h"
#include "store/IniFile.h"
#include "store/Table.h"
#include "store/TextRules.h"

#include <QPainter>

using namespace ReportBuilder;

namespace StockReports {

namespace {

const char* const kPriceFields[] = {"Fiyat1", "Fiyat2", "Fiyat3"};

QString priceField(int price)
{
    return price >= 1 && price <= 3 ? QLatin1String(kPriceFields[price - 1]) : QString();
}

// The summary line "Listelenen %s adet" and the counter behind it.
void countDetails(ReportRenderer& renderer, int& count)
{
    renderer.afterPrint = [&count](const BandDef& b) {
        if (b.kind == BandKind::Detail) ++count;
    };
}

// A card's picture as it prints in a frame of `frame` mm: fitted (proportions kept) or unscaled
// (the picture's own size at 96 dots per inch, its top left part when larger), drawn once at
// 150 dots per inch so the page holds no more than it prints.
QImage atPrintSize(const QByteArray& bytes, QSizeF frame, bool fit)
{
    QImage picture;
    if (bytes.isEmpty() || !picture.loadFromData(bytes)) return {};
    const double dotsPerMm = 150 / 25.4;
    const QSize size(int(frame.width() * dotsPerMm), int(frame.height() * dotsPerMm));
    QImage canvas(size, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (fit) {
        const QImage scaled = picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        painter.drawImage((size.width() - scaled.width()) / 2,
                          (size.height() - scaled.height()) / 2, scaled);
    } else {
        const double factor = 150.0 / 96.0;
        painter.drawImage(QRectF(0, 0, picture.width() * factor, picture.height() * factor),
                          picture);
    }
    painter.end();
    return canvas;
}

} // namespace

QString cardFilter(const CardChoice& c)
{
    QStringList parts;
    if (c.kind >= 0) parts << QStringLiteral("MlzKodu = %1").arg(c.kind);
    const auto add = [&](const QString& text, const QString& term) {
        if (!text.isEmpty()) parts << term + quoted(text);
    };
    add(c.codeFrom, QStringLiteral("Kodu >= "));
    add(c.codeTo, QStringLiteral("Kodu <= "));
    add(c.cinsi, QStringLiteral("Cinsi = "));
    // Dates as the program writes them; a text that is not a date does not restrict.
    add(NormalizeDateText(c.dateFrom), QStringLiteral("DegTarih >= "));
    add(NormalizeDateText(c.dateTo), QStringLiteral("DegTarih <= "));
    for (int i = 0; i < 3; ++i) {
        add(c.specialFrom[size_t(i)], QStringLiteral("OzelKod%1 >= ").arg(i + 1));
        add(c.specialTo[size_t(i)], QStringLiteral("OzelKod%1 <= ").arg(i + 1));
    }
    return parts.join(QStringLiteral(" and "));
}

PageSet cardList(CompanyData& company, const CardChoice& choice, bool letter)
{
    const QString price = priceField(choice.price);
    const bool changeDate = choice.changeDate && !price.isEmpty();
    ReportDef def =
        standardReport(QStringLiteral("TfrmStRKart1"), QStringLiteral("STOK KART LİSTESİ"), letter);
    std::vector<ElementDef> headings = {
        bold(label("h1", {0, 0, 34, 5}, QStringLiteral("KODU"))),
        bold(label("h2", {34, 0, 48, 5}, QStringLiteral("CİNSİ"))),
        bold(label("h3", {82, 0, 14, 5}, QStringLiteral("BİRİM"))),
        bold(label("h4", {96, 0, 15, 5}, QStringLiteral("Ö.K.[1]"))),
        bold(label("h5", {111, 0, 15, 5}, QStringLiteral("Ö.K.[2]"))),
        bold(label("h6", {126, 0, 15, 5}, QStringLiteral("Ö.K.[3]")))};
    std::vector<ElementDef> fields = {
        field("f1", {0, 0, 34, 5}, "Kodu"),       field("f2", {34, 0, 48, 5}, "Cinsi"),
        field("f3", {82, 0, 14, 5}, "Birim"),     field("f4", {96, 0, 15, 5}, "OzelKod1"),
        field("f5", {111, 0, 15, 5}, "OzelKod2"), field("f6", {126, 0, 15, 5}, "OzelKod3")};
    if (!price.isEmpty()) {
        headings.push_back(
            bold(label("h7", {138, 0, 30, 5}, QStringLiteral("FİYATI"), Qt::AlignRight)));
        fields.push_back(right(field("f7", {138, 0, 30, 5}, price,
                                     company.displayFormat(QStringLiteral("Stok"), price))));
    }
    if (changeDate) {
        headings.push_back(bold(label("h8", {170, 0, 20, 5}, QStringLiteral("D.TARİH"))));
        fields.push_back(field("f8", {170, 0, 20, 5}, "DegTarih"));
    }
    def.bands.push_back(band(BandKind::ColumnHeader, QStringLiteral("Kolonlar"), 7, headings));
    def.bands.push_back(band(BandKind::Detail, QStringLiteral("Detay"), 5, fields));
    def.bands.push_back(band(BandKind::Summary, QStringLiteral("Ozet"), 8));
    summaryCount(def, 2);

    Table stok(company.connection(), QStringLiteral("Stok"));
    QStringList read = {QStringLiteral("Kodu"),     QStringLiteral("Cinsi"),
                        QStringLiteral("Birim"),    QStringLiteral("OzelKod1"),
                        QStringLiteral("OzelKod2"), QStringLiteral("OzelKod3"),
                        QStringLiteral("DegTarih")};
    if (!price.isEmpty()) read << price;
    stok.setReadFields(read);
    stok.setIndexName(StockOrder::indexName(choice.order));
    stok.setFilter(cardFilter(choice));
    stok.setFiltered(true);
    stok.open();
    int count = 0;
    ReportRenderer renderer(def, &stok);
    countDetails(renderer, count);
    renderer.beforePrint = [&](BandPrint& p) {
        if (p.band.kind == BandKind::Summary)
            p.setText("lblAdet", QStringLiteral("Listelenen %1 adet").arg(count));
    };
    return renderer.render();
}

PageSet catalogue(CompanyData& company, const CatalogueChoice& choice, bool letter)
{
    const QString price = priceField(choice.price);
    ReportDef def = standardReport(QStringLiteral("TfrmStRKat1"), choice.title, letter);
    const QRectF frame(0, 1, 60, 45);
    ElementDef picture = element(ElementKind::DBImage, QStringLiteral("Resim"), frame);
    picture.field = QStringLiteral("StokRes");
    picture.frame = {true, true, true, true};
    std::vector<ElementDef> elements = {
        picture, bold(label("lblNo", {66, 6, 34, 6}, QStringLiteral("NOSU : "))),
        field("fKodu", {100, 6, 90, 6}, "Kodu"),
        bold(label("lblTanim", {66, 14, 34, 6}, QStringLiteral("ÜRÜN TANIMI : "))),
        field("fCinsi", {100, 14, 90, 6}, "Cinsi")};
    if (!price.isEmpty()) {
        elements.push_back(bold(label("lblFiyat", {66, 22, 34, 6}, QStringLiteral("FİYATI : "))));
        elements.push_back(field("fFiyat", {100, 22, 40, 6}, price,
                                 company.displayFormat(QStringLiteral("Stok"), price)));
    }
    def.bands.push_back(band(BandKind::Detail, QStringLiteral("Detay"), 50, elements));
    def.bands.push_back(band(BandKind::Summary, QStringLiteral("Ozet"), 8));
    summaryCount(def, 2);

    Table stok(company.connection(), QStringLiteral("Stok"));
    QStringList read = {QStringLiteral("Kodu"), QStringLiteral("Cinsi"), QStringLiteral("StokRes")};
    if (!price.isEmpty()) read << price;
    stok.setReadFields(read);
    stok.setIndexName(StockOrder::indexName(choice.order));
    stok.setFilter(QStringLiteral("Katalog = 0"));
    stok.setFiltered(true);
    stok.open();
    // "K&arttan al": each card's own display mode, read from Resimler.ini once.
    const IniFile resimler(company.directory() + QStringLiteral("/Resimler.ini"));
    const int pictureAt = stok.fieldIndex(QStringLiteral("StokRes"));
    int count = 0;
    ReportRenderer renderer(def, &stok);
    countDetails(renderer, count);
    renderer.beforePrint = [&](BandPrint& p) {
        if (p.band.kind == BandKind::Summary) {
            p.setText("lblAdet", QStringLiteral("Listelenen %1 adet").arg(count));
        } else if (p.band.kind == BandKind::Detail) {
            bool fit = choice.pictures == CatalogueChoice::Pictures::Fit;
            if (choice.pictures == CatalogueChoice::Pictures::FromCard)
                fit = resimler.readInteger(QStringLiteral("STOK"),
                                           QString::number(stok.currentId()), 0) == 1;
            p.setPicture(QStringLiteral("Resim"),
                         atPrintSize(stok.field(pictureAt).asBytes(), frame.size(), fit));
        }
    };
    return renderer.render();
}

} // namespace StockReports
