#include "printing/Reports.h"

#include "printing/ReportRenderer.h"
#include "store/AppError.h"
#include "store/GlobalData.h"

namespace {

ElementDef item(ElementKind kind, const QString& name, QRectF rect, const QString& value)
{
    ElementDef e;
    e.kind = kind;
    e.name = name;
    e.className = elementClassName(kind);
    e.rect = rect;
    if (kind == ElementKind::DBText)
        e.field = value;
    else if (kind == ElementKind::Expr)
        e.expression = value;
    else
        e.text = value;
    return e;
}

BandDef band(BandKind kind, const QString& name, double height, std::vector<ElementDef> elements)
{
    BandDef b;
    b.kind = kind;
    b.name = name;
    b.className = bandClassName(kind);
    b.height = height;
    b.elements = std::move(elements);
    return b;
}

ReportDef companyListDefinition()
{
    ReportDef def;
    def.name = QStringLiteral("rprSirketListe");
    def.className = QStringLiteral("TQuickRep");
    ElementDef title = item(ElementKind::Label, QStringLiteral("lblBaslik"), {0, 0, 190, 8},
                            QStringLiteral("ŞİRKET LİSTESİ"));
    title.font.setPointSize(14);
    title.font.setBold(true);
    title.alignment = Qt::AlignHCenter;
    ElementDef page = item(ElementKind::SysData, QStringLiteral("sysSayfa"), {150, 0, 40, 5},
                           QStringLiteral("Sayfa : "));
    page.sysData = SysDataKind::PageNumber;
    page.alignment = Qt::AlignRight;
    ElementDef date = item(ElementKind::SysData, QStringLiteral("sysTarih"), {0, 0, 60, 5},
                           QStringLiteral("Tarih : "));
    std::vector<ElementDef> heads = {item(ElementKind::Label, QStringLiteral("lblKodu"),
                                          {0, 6, 25, 5}, QStringLiteral("Ş.Kodu")),
                                     item(ElementKind::Label, QStringLiteral("lblUnvan"),
                                          {25, 6, 75, 5}, QStringLiteral("Ünvanı")),
                                     item(ElementKind::Label, QStringLiteral("lblAdres"),
                                          {100, 6, 90, 5}, QStringLiteral("Diskteki adresi"))};
    for (ElementDef& h : heads) {
        h.font.setBold(true);
        h.frame.bottom = true;
    }
    heads.push_back(page);
    heads.push_back(date);
    ElementDef count = item(ElementKind::Expr, QStringLiteral("exAdet"), {0, 2, 80, 5},
                            QStringLiteral("'Listelenen ' + SUM(1) + ' adet'"));
    def.bands = {
        band(BandKind::Title, QStringLiteral("Baslik"), 12, {title}),
        band(BandKind::PageHeader, QStringLiteral("SayfaBasi"), 13, heads),
        band(BandKind::Detail, QStringLiteral("Detay"), 5,
             {item(ElementKind::DBText, QStringLiteral("txtKodu"), {0, 0, 25, 5},
                   QStringLiteral("SKodu")),
              item(ElementKind::DBText, QStringLiteral("txtUnvan"), {25, 0, 75, 5},
                   QStringLiteral("Aciklama")),
              item(ElementKind::DBText, QStringLiteral("txtAdres"), {100, 0, 90, 5},
                   QStringLiteral("Kutuk"))}),
        band(BandKind::Summary, QStringLiteral("Ozet"), 8, {count}),
    };
    return def;
}

PageSet companyList(GlobalData& global, CompanyData*)
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

const std::map<int, RegisteredReport>& registeredReports()
{
    static const std::map<int, RegisteredReport> reports = {
        {kCompanyListReport, {QStringLiteral("Şirket listesi"), companyList}},
    };
    return reports;
}

PageSet runRegisteredReport(int code, GlobalData& global, CompanyData* company)
{
    const auto it = registeredReports().find(code);
    if (it == registeredReports().end())
        throw AppError(QStringLiteral("%1 kodlu bir rapor yok.").arg(code));
    return it->second.run(global, company);
}
