#include "customers/CustomerReportParts.h"

#include "printing/ReportBuilder.h"
#include "printing/ReportRenderer.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/MoneyFormat.h"
#include "store/MoneySum.h"
#include "store/Table.h"

using namespace ReportBuilder;

namespace CustomerReports {

PageSet movementList(CompanyData& company, const MovementChoice& choice, bool letter)
{
    QString filter =
        choice.customerId ? QStringLiteral("CARef = %1 and ").arg(choice.customerId) : QString();
    filter += QStringLiteral("Tarih >= '%1' and Tarih <= '%2'")
                  .arg(dateText(choice.from), dateText(choice.to));
    filter += movementConditions(choice.kinds, choice.amounts);
    Table har(company.connection(), QStringLiteral("CarHar"));
    har.setIndexName(QStringLiteral("CarHar_1"));
    har.setFilter(filter);
    har.setFiltered(true);
    har.open();
    Table cari(company.connection(), QStringLiteral("Cari"));
    cari.open();

    const QString mask = company.moneyFormat();
    ReportDef def = standardReport(QStringLiteral("rprCariHareket"),
                                   QStringLiteral("CARİ İŞLEMLER DÖKÜMÜ"), letter);
    def.bands.push_back(
        band(BandKind::ColumnHeader, QStringLiteral("Kolonlar"), 7,
             {bold(label("h1", {0, 0, 20, 5}, QStringLiteral("TARİH"))),
              bold(label("h2", {20, 0, 20, 5}, QStringLiteral("Cari No"))),
              bold(label("h3", {40, 0, 45, 5}, QStringLiteral("Ünvanı"))),
              bold(label("h4", {85, 0, 20, 5}, QStringLiteral("Belge No"))),
              bold(label("h5", {105, 0, 35, 5}, QStringLiteral("AÇIKLAMA"))),
              bold(label("h6", {140, 0, 25, 5}, QStringLiteral("BORÇ"), Qt::AlignRight)),
              bold(label("h7", {165, 0, 25, 5}, QStringLiteral("ALACAK"), Qt::AlignRight))}));
    def.bands.push_back(band(
        BandKind::Detail, QStringLiteral("Detay"), 5,
        {field("f1", {0, 0, 20, 5}, "Tarih"), label("kod", {20, 0, 20, 5}, QString()),
         label("unvan", {40, 0, 45, 5}, QString()), field("f4", {85, 0, 20, 5}, "BelgeNo"),
         field("f5", {105, 0, 35, 5}, "Aciklama"), right(label("borc", {140, 0, 25, 5}, QString())),
         right(label("alacak", {165, 0, 25, 5}, QString()))}));
    def.bands.push_back(band(
        BandKind::Summary, QStringLiteral("Ozet"), 20,
        {bold(label("lblGenel", {85, 2, 55, 5}, QStringLiteral("GENEL TOPLAM :"), Qt::AlignRight)),
         right(label("tBorc", {140, 2, 25, 5}, QString())),
         right(label("tAlacak", {165, 2, 25, 5}, QString())),
         bold(label("lblBakiye", {85, 8, 55, 5}, QStringLiteral("BAKİYE :"), Qt::AlignRight)),
         right(label("tBakiye", {165, 8, 25, 5}, QString()))}));
    summaryCount(def, 14);

    double borc = 0, alacak = 0;
    int count = 0;
    ReportRenderer renderer(def, &har);
    renderer.beforePrint = [&](BandPrint& p) {
        if (p.band.kind == BandKind::Detail) {
            // The card of the movement; blanks when it no longer exists.
            const bool found = cari.gotoId(har[QStringLiteral("CARef")].asInt64());
            p.setText("kod", found ? cari[QStringLiteral("CariNo")].asString() : QString());
            p.setText("unvan", found ? cari[QStringLiteral("Unvani")].asString() : QString());
            const double b = har[QStringLiteral("Borc")].asFloat(),
                         a = har[QStringLiteral("Alacak")].asFloat();
            p.setText("borc",
                      b == 0 ? QString() : formatNumber(b, mask)); // a zero amount is left blank
            p.setText("alacak", a == 0 ? QString() : formatNumber(a, mask));
            borc += b;
            alacak += a;
            ++count;
        } else if (p.band.kind == BandKind::Summary) {
            p.setText("tBorc", formatNumber(borc, mask));
            p.setText("tAlacak", formatNumber(alacak, mask));
            p.setText("tBakiye", formatNumber(borc - alacak, mask));
            p.setText("lblAdet", QStringLiteral("Listelenen %1 adet").arg(count));
        }
    };
    return renderer.render();
}

} // namespace CustomerReports
