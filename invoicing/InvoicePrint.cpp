#include "invoicing/InvoicePrint.h"
#include "invoicing/VatRates.h"

#include "invoicing/InvoiceLayout.h"
#include "invoicing/InvoicePosting.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/IniFile.h"
#include "store/InstallSettings.h"
#include "store/MoneyFormat.h"
#include "store/MoneySum.h"
#include "store/Table.h"
#include "widgets/AmountInWords.h"

#include <QFile>
#include <cmath>

namespace InvoicePrint {

namespace {

const QString kDate = QStringLiteral("dd.MM.yyyy");

QString priceMask(const CompanyData& company)
{
    const QString mask = company.displayFormat(QStringLiteral("FatHar"), QStringLiteral("BirimF"));
    return mask.isEmpty() ? company.moneyFormat() : mask;
}

// The rates of Kdv.ZR; nothing when the file is missing.
std::vector<double> listedRates(const CompanyData& company)
{
    return VatRates::values(VatRates::read(company.install().programDir()));
}

// What the handlers work on while the report is made.
struct State {
    InvoiceData invoice;
    std::unique_ptr<Table> lines;
    std::unique_ptr<Table> header; // the invoice's record, for fields a layout names as Fatura.X
    ReportDef def;
    QString money;
    QString price;
    QString fraction; // the mask of quantities with a fraction
    QString memo[3];
    QString words;
    MoneySum carried; // AraTop of the lines printed so far
};

} // namespace

QString layoutPath(const CompanyData& company, bool irsaliye)
{
    return joinPath(company.install().programDir(), irsaliye ? QStringLiteral("TfrmFtSatisP.irs")
                                                             : QStringLiteral("TfrmFtSatisP.ftr"));
}

QString fractionMask(const IniFile& usersIni)
{
    const QString section = QStringLiteral("DISPLAYFORMAT"), key = QStringLiteral("FATURAMIKTAR");
    return usersIni.hasKey(section, key) ? usersIni.readString(section, key)
                                         : QStringLiteral("#,##0.00");
}

std::vector<VatLine> vatDetail(const CompanyData& company, const std::vector<InvoiceLine>& lines)
{
    std::vector<VatLine> groups;
    if (company.settings().vatOnSubtotal()) {
        std::vector<LineAmounts> amounts(lines.begin(), lines.end());
        for (const VatGroup& g : vatByRate(company, amounts))
            groups.push_back({g.rate, g.base.value(), g.vat});
    } else {
        std::vector<std::pair<double, std::pair<MoneySum, MoneySum>>> sums;
        for (const InvoiceLine& l : lines) {
            auto it = std::find_if(sums.begin(), sums.end(),
                                   [&](const auto& s) { return s.first == l.kdvOran; });
            if (it == sums.end()) it = sums.insert(sums.end(), {l.kdvOran, {}});
            it->second.first += l.araTop;
            it->second.second += l.kdvTutar;
        }
        for (const auto& [rate, s] : sums)
            groups.push_back({rate, s.first.value(), s.second.value()});
    }
    groups.erase(std::remove_if(groups.begin(), groups.end(),
                                [](const VatLine& g) { return g.base == 0 && g.vat == 0; }),
                 groups.end());
    // The rates of the list first, in its order; the others after them as they came.
    std::vector<VatLine> ordered;
    for (double rate : listedRates(company))
        for (auto it = groups.begin(); it != groups.end(); ++it)
            if (it->rate == rate) {
                ordered.push_back(*it);
                groups.erase(it);
                break;
            }
    ordered.insert(ordered.end(), groups.begin(), groups.end());
    return ordered;
}

namespace {

// Users.ini as it is on disk now: the layout window or another workstation may have changed it.
IniFile usersNow(CompanyData& company)
{
    return IniFile(company.install().usersIniPath());
}

ReportDef installedLayoutWith(CompanyData& company, Table& fatPlan, bool irsaliye, QString* notice,
                              const IniFile& users)
{
    // A free layout replaces the built-in one only when it loads completely.
    const QString path = layoutPath(company, irsaliye);
    if (QFile::exists(path)) {
        try {
            return readInvoiceLayoutFile(path);
        } catch (const AppError& e) {
            if (notice) *notice = e.detail();
        }
    }
    return builtInInvoiceLayout(readInvoicePlan(fatPlan), InvoiceLayoutSettings::read(users),
                                company.moneyFormat(), priceMask(company));
}

RunningReport startWithSettings(CompanyData& company, qint64 invoiceId, ReportDef layout,
                                const IniFile& users);

} // namespace

ReportDef installedLayout(CompanyData& company, Table& fatPlan, bool irsaliye, QString* notice)
{
    return installedLayoutWith(company, fatPlan, irsaliye, notice, usersNow(company));
}

RunningReport start(CompanyData& company, Table& fatPlan, qint64 invoiceId, bool irsaliye,
                    QString* notice, const QString& layout)
{
    const IniFile users = usersNow(company);
    return startWithSettings(company, invoiceId,
                             layout.isEmpty()
                                 ? installedLayoutWith(company, fatPlan, irsaliye, notice, users)
                                 : readInvoiceLayoutFile(layout),
                             users);
}

RunningReport startWith(CompanyData& company, qint64 invoiceId, ReportDef layout)
{
    return startWithSettings(company, invoiceId, std::move(layout), usersNow(company));
}

namespace {

RunningReport startWithSettings(CompanyData& company, qint64 invoiceId, ReportDef layout,
                                const IniFile& users)
{
    auto state = std::make_shared<State>();
    InvoicePosting posting(company);
    const std::optional<InvoiceData> invoice = posting.read(invoiceId);
    if (!invoice) throw AppError(QStringLiteral("Fatura bulunamadı (%1).").arg(invoiceId));
    state->invoice = *invoice;
    state->money = company.moneyFormat();
    state->price = priceMask(company);
    state->fraction = fractionMask(users);

    state->def = std::move(layout);

    const std::vector<InvoiceLine> lines = posting.lines(invoiceId);
    for (const VatLine& v : vatDetail(company, lines)) {
        const QString sep = state->memo[0].isEmpty() ? QString() : QStringLiteral("\n");
        state->memo[0] += sep + formatNumber(v.base, state->money);
        state->memo[1] += sep + formatNumber(v.rate, QStringLiteral("#,##0.##"));
        state->memo[2] += sep + formatNumber(v.vat, state->money);
    }
    state->words = AmountInWords(company, state->invoice.gToplam);

    state->lines = std::make_unique<Table>(company.connection(), QStringLiteral("FatHar"));
    state->lines->setFilter(QStringLiteral("FRef = %1").arg(invoiceId));
    state->lines->setFiltered(true);
    state->lines->open();
    state->lines->first();

    state->header = std::make_unique<Table>(company.connection(), QStringLiteral("Fatura"));
    state->header->setFilter(QStringLiteral("Nosu = %1").arg(invoiceId));
    state->header->setFiltered(true);
    state->header->open();
    state->header->first();

    RunningReport running;
    running.renderer = std::make_unique<ReportRenderer>(state->def, state->lines.get());
    running.renderer->addTable(state->header.get());
    State* s = state.get();
    CompanyData* c = &company;
    running.renderer->beforePrint = [s, c](BandPrint& p) {
        const InvoiceData& inv = s->invoice;
        const auto number = [](double n) { return n ? QString::number(qint64(n)) : QString(); };
        // Each band is filled by the handler it names; a band that names none prints as laid
        // out.
        const qsizetype handler = invoiceHandlers().indexOf(p.band.beforePrint);
        switch (handler) {
        case 0:
        case 1: {
            const QString prefix = handler == 0 ? QStringLiteral("lblT") : QStringLiteral("lblH");
            p.setText(prefix + QStringLiteral("Tarih"), inv.tarih.toString(kDate));
            p.setText(prefix + QStringLiteral("IrsTarih"), inv.irsTarih.toString(kDate));
            p.setText(prefix + QStringLiteral("IrsNo"), number(inv.irsNo));
            p.setText(prefix + QStringLiteral("Unvani"), inv.unvani);
            p.setText(prefix + QStringLiteral("Adres1"), inv.adres1);
            p.setText(prefix + QStringLiteral("Adres2"), inv.adres2);
            p.setText(prefix + QStringLiteral("Vd"), inv.vd);
            p.setText(prefix + QStringLiteral("VdNo"), inv.vdNo);
            if (handler == 1)
                p.setText(QStringLiteral("lblHNToplam"),
                          formatNumber(s->carried.value(), s->money));
            break;
        }
        case 2: {
            Table& l = *s->lines;
            const double quantity = l[QStringLiteral("Miktari")].asFloat();
            p.setText(
                QStringLiteral("txtMiktari"),
                formatNumber(quantity, quantity == std::trunc(quantity) ? s->money : s->fraction));
            break;
        }
        case 3:
            p.setText(QStringLiteral("txtIskonto"), formatNumber(inv.iskonto, s->money));
            p.setText(QStringLiteral("txtPAraToplam"),
                      formatNumber(c->RoundMoney(inv.fatTop - inv.iskonto), s->money));
            p.setText(QStringLiteral("txtPKdv"), formatNumber(inv.kdv, s->money));
            p.setText(QStringLiteral("txtPGToplam"), formatNumber(inv.gToplam, s->money));
            p.setText(QStringLiteral("memoToplam"), s->memo[0]);
            p.setText(QStringLiteral("memoKdv"), s->memo[1]);
            p.setText(QStringLiteral("memoKdvTutar"), s->memo[2]);
            p.setText(QStringLiteral("lblYazi"), s->words);
            // The amount in words and the last two totals close the invoice's last page only.
            if (!p.lastPage)
                for (const char* name : {"lblYazi", "txtPKdv", "txtPGToplam"})
                    p.setEnabled(QLatin1String(name), false);
            break;
        default:
            break;
        }
    };
    running.renderer->afterPrint = [s](const BandDef& band) {
        if (band.beforePrint == invoiceHandlers()[2])
            s->carried += (*s->lines)[QStringLiteral("AraTop")].asFloat();
    };
    running.state = state;
    return running;
}

} // namespace

PageSet pages(CompanyData& company, Table& fatPlan, qint64 invoiceId, bool irsaliye,
              QString* notice, const QString& layout)
{
    RunningReport running = start(company, fatPlan, invoiceId, irsaliye, notice, layout);
    return running.renderer->render();
}

} // namespace InvoicePrint
