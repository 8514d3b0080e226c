#include "printing/Reports.h"

#include "customers/CustomerReports.h"
#include "printing/ReportBuilder.h"
#include "printing/ReportRenderer.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/Expression.h"
#include "store/GlobalData.h"

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

// The choices a report window starts with: the working year's dates unless told otherwise.
QDate optionDate(const ReportOptions& options, const QString& name, const QDate& fallback)
{
    if (!options.contains(name)) return fallback;
    const QDate date = parseDateLiteral(options.value(name));
    if (!date.isValid())
        throw AppError(QStringLiteral("Tarih hatalı: %1").arg(options.value(name)));
    return date;
}

qint64 optionCustomer(CompanyData& company, const ReportOptions& options)
{
    const QString code = options.value(QStringLiteral("customer"));
    const std::vector<SqlRow> rows = company.connection().select(
        QStringLiteral("SELECT \"Nosu\" FROM \"Cari\" WHERE \"CariNo\" = ?"), {code});
    if (code.isEmpty() || rows.empty())
        throw AppError(QStringLiteral("Cari kart bulunamadı: %1").arg(code));
    return rows.front()[0].toLongLong();
}

PageSet customerCards(GlobalData&, CompanyData* company, const ReportOptions&)
{
    return CustomerReports::cardList(*company, CustomerReports::CardChoice{});
}

PageSet customerBalances(GlobalData&, CompanyData* company, const ReportOptions& options)
{
    CustomerReports::BalanceChoice choice;
    choice.dateFrom = options.value(QStringLiteral("from"));
    choice.dateTo = options.value(QStringLiteral("to"));
    return CustomerReports::balanceStatus(*company, choice);
}

PageSet customerMovements(GlobalData&, CompanyData* company, const ReportOptions& options)
{
    const int year = QDate::currentDate().year();
    CustomerReports::MovementChoice choice;
    choice.from = optionDate(options, QStringLiteral("from"), QDate(year, 1, 1));
    choice.to = optionDate(options, QStringLiteral("to"), QDate(year, 12, 31));
    if (options.contains(QStringLiteral("customer")))
        choice.customerId = optionCustomer(*company, options);
    return CustomerReports::movementList(*company, choice);
}

PageSet customerStatement(GlobalData&, CompanyData* company, const ReportOptions& options)
{
    const int year = QDate::currentDate().year();
    CustomerReports::StatementChoice choice;
    choice.customerId = optionCustomer(*company, options);
    choice.from = optionDate(options, QStringLiteral("from"), QDate(year, 1, 1));
    choice.to = optionDate(options, QStringLiteral("to"), QDate(year, 12, 31));
    return CustomerReports::statement(*company, choice);
}

} // namespace

const std::map<int, RegisteredReport>& registeredReports()
{
    static const std::map<int, RegisteredReport> reports = {
        {kCompanyListReport, {QStringLiteral("Şirket listesi"), false, companyList}},
        {2301, {QStringLiteral("Cari kart listesi"), true, customerCards}},
        {2302, {QStringLiteral("Cari durum listesi"), true, customerBalances}},
        {2303, {QStringLiteral("Cari işlemler listesi"), true, customerMovements}},
        {2304, {QStringLiteral("Cari kart ekstresi"), true, customerStatement}},
    };
    return reports;
}

PageSet runRegisteredReport(int code, GlobalData& global, CompanyData* company,
                            const ReportOptions& options)
{
    const auto it = registeredReports().find(code);
    if (it == registeredReports().end())
        throw AppError(QStringLiteral("%1 kodlu bir rapor yok.").arg(code));
    if (it->second.needsCompany && !company)
        throw AppError(
            QStringLiteral("%1 raporu için bir şirket seçilmeli.").arg(it->second.title));
    return it->second.run(global, company, options);
}
