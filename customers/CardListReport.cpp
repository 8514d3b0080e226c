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

PageSet cardList(CompanyData& company, const CardChoice& choice, bool letter)
{
    ReportDef def =
        standardReport(QStringLiteral("rprCariListe"), QStringLiteral("CARİ KART LİSTESİ"), letter);
    def.bands.push_back(
        band(BandKind::ColumnHeader, QStringLiteral("Kolonlar"), 7,
             {bold(label("h1", {0, 0, 22, 5}, QStringLiteral("NOSU"))),
              bold(label("h2", {22, 0, 50, 5}, QStringLiteral("ÜNVANI / YETKİLİ KİŞİ"))),
              bold(label("h3", {72, 0, 46, 5}, QStringLiteral("İŞ ADRESİ"))),
              bold(label("h4", {118, 0, 37, 5}, QStringLiteral("İŞ / CEP TEL"))),
              bold(label("h5", {155, 0, 35, 5}, QStringLiteral("V.D. HESAP NO")))}));
    def.bands.back().elements[0].frame.bottom = true;
    def.bands.push_back(
        band(BandKind::Detail, QStringLiteral("Detay"), 10,
             {field("f1", {0, 0, 22, 5}, "CariNo"), field("f2", {22, 0, 50, 5}, "Unvani"),
              field("f3", {22, 5, 50, 5}, "Yetkili"), field("f4", {72, 0, 46, 5}, "IsAdres1"),
              field("f5", {72, 5, 46, 5}, "IsAdres2"), field("f6", {118, 0, 37, 5}, "IsTel"),
              field("f7", {118, 5, 37, 5}, "CepTel"), field("f8", {155, 0, 35, 5}, "VdNo"),
              field("f9", {155, 5, 35, 5}, "Vd")}));
    def.bands.push_back(band(BandKind::Summary, QStringLiteral("Ozet"), 8));
    summaryCount(def, 2);
    auto table = cards(company, choice);
    int count = 0;
    ReportRenderer renderer(def, table.get());
    renderer.afterPrint = [&](const BandDef& b) {
        if (b.kind == BandKind::Detail) ++count;
    };
    renderer.beforePrint = [&](BandPrint& p) {
        if (p.band.kind == BandKind::Summary)
            p.setText("lblAdet", QStringLiteral("Listelenen %1 adet").arg(count));
    };
    return renderer.render();
}

} // namespace CustomerReports
