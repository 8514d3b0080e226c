#include "printing/CompanyListReport.h"

#include "printing/ReportBuilder.h"
#include "printing/ReportRegistry.h"
#include "printing/ReportRenderer.h"
#include "store/GlobalData.h"
#include "store/Table.h"

namespace {

using ReportBuilder::band;
using ReportBuilder::element;

ReportDef companyListDefinition()
{
    ReportDef def;
    def.name = QStringLiteral("rprSirketListe");
    def.className = QStringLiteral("TQuickRep");
    ElementDef title = element(ElementKind::Label, QStringLiteral("lblBaslik"), {0, 0, 190, 8},
                               QStringLiteral("ŞİRKET LİSTESİ"));
    title.font.setPointSize(14);
    title.font.setBold(true);
    title.alignment = Qt::AlignHCenter;
    ElementDef page = element(ElementKind::SysData, QStringLiteral("sysSayfa"), {150, 0, 40, 5},
                              QStringLiteral("Sayfa : "));
    page.sysData = SysDataKind::PageNumber;
    page.alignment = Qt::AlignRight;
    ElementDef date = element(ElementKind::SysData, QStringLiteral("sysTarih"), {0, 0, 60, 5},
                              QStringLiteral("Tarih : "));
    std::vector<ElementDef> heads = {element(ElementKind::Label, QStringLiteral("lblKodu"),
                                             {0, 6, 25, 5}, QStringLiteral("Ş.Kodu")),
                                     element(ElementKind::Label, QStringLiteral("lblUnvan"),
                                             {25, 6, 75, 5}, QStringLiteral("Ünvanı")),
                                     element(ElementKind::Label, QStringLiteral("lblAdres"),
                                             {100, 6, 90, 5}, QStringLiteral("Diskteki adresi"))};
    for (ElementDef& h : heads) {
        h.font.setBold(true);
        h.frame.bottom = true;
    }
    heads.push_back(page);
    heads.push_back(date);
    ElementDef count = element(ElementKind::Expr, QStringLiteral("exAdet"), {0, 2, 80, 5},
                               QStringLiteral("'Listelenen ' + SUM(1) + ' adet'"));
    def.bands = {
        band(BandKind::Title, QStringLiteral("Baslik"), 12, {title}),
        band(BandKind::PageHeader, QStringLiteral("SayfaBasi"), 13, heads),
        band(BandKind::Detail, QStringLiteral("Detay"), 5,
             {element(ElementKind::DBText, QStringLiteral("txtKodu"), {0, 0, 25, 5},
                      QStringLiteral("SKodu")),
              element(ElementKind::DBText, QStringLiteral("txtUnvan"), {25, 0, 75, 5},
                      QStringLiteral("Aciklama")),
              element(ElementKind::DBText, QStringLiteral("txtAdres"), {100, 0, 90, 5},
                      QStringLiteral("Kutuk"))}),
        band(BandKind::Summary, QStringLiteral("Ozet"), 8, {count}),
    };
    return def;
}

PageSet companyList(GlobalData& global, CompanyData*, const ReportOptions&)
{
    Table sirket(global.connection(), QStringLiteral("Sirket"));
    sirket.setIndexName(QStringLiteral("Sirket_1"));
    sirket.setFilter(QStringLiteral("Liste = 'E'"));
    sirket.setFiltered(true);
    sirket.open();
    ReportRenderer renderer(companyListDefinition(), &sirket);
    return renderer.render();
}

} // namespace

void registerCompanyListReport(ReportRegistry& reports)
{
    reports.add(kCompanyListReport, {QStringLiteral("Şirket listesi"), false, {}, companyList});
}
