#include "portfolio/PortfolioReports.h"

#include "printing/ReportBuilder.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/MoneyFormat.h"
#include "store/MoneySum.h"
#include "store/Table.h"

using namespace ReportBuilder;

namespace PortfolioReports {

namespace {

struct Column {
    const char* heading;
    const char* field;
    double width; // mm on the page across its margins
    bool amount = false;
};

struct ListLayout {
    QString name, title;
    bool landscape = false;
    std::vector<Column> columns;
};

const ListLayout& layoutOf(const PortfolioKind& kind)
{
    static const ListLayout checks{QStringLiteral("frmMCekR1"),
                                   QStringLiteral("MÜŞTERİ ÇEK LİSTESİ"),
                                   true,
                                   {{"VADESİ", "Vadesi", 22},
                                    {"G.TARİHİ", "GirTarihi", 22},
                                    {"BANKASI", "Banka", 35},
                                    {"ŞUBESİ", "Sube", 27},
                                    {"ÇEK NOSU", "CekNo", 27},
                                    {"A.CARİ KART ÜNV", "AUnvani", 55},
                                    {"TUTARI", "TUTARI", 28, true},
                                    {"D", "CekDurumu", 8},
                                    {"Ref.", "Nosu", 14},
                                    {"CİROLANAN ÜNV.", "CUnvani", 39}}};
    static const ListLayout notes{QStringLiteral("frmMSenR1"),
                                  QStringLiteral("MÜŞTERİ SENET LİSTESİ"),
                                  true,
                                  {{"VADESİ", "Vadesi", 22},
                                   {"G.TARİHİ", "GirTarihi", 22},
                                   {"A.CARİ KART ÜNVANI", "AUnvani", 60},
                                   {"SENET NOSU", "SenetNo", 27},
                                   {"SENET SAHİBİ", "SenetSahibi", 52},
                                   {"TUTARI", "TUTARI", 28, true},
                                   {"D", "SenetDurumu", 8},
                                   {"Ref", "Nosu", 14},
                                   {"CİROLANAN ÜNV.", "CUnvani", 44}}};
    static const ListLayout firmChecks{QStringLiteral("frmFCekR1"),
                                       QStringLiteral("FİRMA ÇEK LİSTESİ"),
                                       false,
                                       {{"VADESİ", "Vadesi", 20},
                                        {"G.TARİHİ", "KTarih", 20},
                                        {"BANKASI", "Banka", 38},
                                        {"ÇEK NOSU", "CekNo", 26},
                                        {"K.CARİ KART ÜNVANI", "KUnvani", 52},
                                        {"TUTARI", "TUTARI", 28, true},
                                        {"D", "FCekDurumu", 8}}};
    static const ListLayout firmNotes{QStringLiteral("frmFSenR1"),
                                      QStringLiteral("FİRMA SENET LİSTESİ"),
                                      false,
                                      {{"VADESİ", "Vadesi", 22},
                                       {"G.TARİHİ", "KTarih", 22},
                                       {"SENET NOSU", "SenetNo", 30},
                                       {"K.CARİ KART ÜNVANI", "KUnvani", 82},
                                       {"TUTARI", "TUTARI", 28, true},
                                       {"D", "FSenetDurumu", 8}}};
    if (kind.firm) return kind.check ? firmChecks : firmNotes;
    return kind.check ? checks : notes;
}

qint64 reference(const QString& text)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < 0)
        throw AppError(QStringLiteral("Referans No yalnız rakam olmalı: %1").arg(text),
                       QStringLiteral("Referans No kontrol"));
    return value;
}

// What the report's handlers work on; alive as long as the renderer.
struct State {
    std::unique_ptr<Connection::MappedReads> mapped;
    std::unique_ptr<Table> papers;
    MoneySum total;
    int count = 0;
};

} // namespace

QStringList positionChoices(const PortfolioKind& kind)
{
    QStringList items;
    if (kind.firm)
        items = {QStringLiteral("&Tanzim"), QStringLiteral("Ö&dendi")};
    else
        items = {QStringLiteral("&Portföy"),
                 QStringLiteral("&Ciro"),
                 QStringLiteral("&Banka"),
                 QStringLiteral("&Tahsil"),
                 kind.check ? QStringLiteral("&Karşılıksız") : QStringLiteral("P&rotesto"),
                 QStringLiteral("İ&ade")};
    items << QStringLiteral("Tü&mü");
    return items;
}

QString paperFilter(const PortfolioKind& kind, const PaperListChoice& c)
{
    if (!c.from.isValid() || !c.to.isValid())
        throw AppError(QStringLiteral("Vade tarihlerini giriniz."));
    QStringList parts;
    parts << QStringLiteral("Vadesi >= ") + quoted(dateText(c.from))
          << QStringLiteral("Vadesi <= ") + quoted(dateText(c.to));
    if (c.position >= 0) parts << QStringLiteral("%1 = %2").arg(kind.positionField).arg(c.position);
    const auto add = [&](const QString& text, const QString& term) {
        if (!text.isEmpty()) parts << term + quoted(text);
    };
    add(c.numberFrom, kind.numberField + QStringLiteral(" >= "));
    add(c.numberTo, kind.numberField + QStringLiteral(" <= "));
    const QString customer = kind.firm ? QStringLiteral("KCariNo") : QStringLiteral("ACariNo");
    add(c.customerFrom, customer + QStringLiteral(" >= "));
    add(c.customerTo, customer + QStringLiteral(" <= "));
    if (kind.check) add(c.bank, QStringLiteral("Banka = "));
    if (kind.check && !kind.firm) add(c.branch, QStringLiteral("Sube = "));
    if (!kind.firm) {
        if (!c.refFrom.isEmpty()) parts << QStringLiteral("Nosu >= %1").arg(reference(c.refFrom));
        if (!c.refTo.isEmpty()) parts << QStringLiteral("Nosu <= %1").arg(reference(c.refTo));
    }
    return parts.join(QStringLiteral(" and "));
}

RunningReport startPaperList(CompanyData& company, const PortfolioKind& kind,
                             const PaperListChoice& choice, bool letter)
{
    const ListLayout& layout = layoutOf(kind);
    auto st = std::make_shared<State>();
    QStringList read;
    for (const Column& c : layout.columns)
        read << QLatin1String(c.field);
    st->papers = std::make_unique<Table>(company.connection(), kind.table);
    st->papers->setReadFields(read);
    st->papers->setIndexName(kind.table + QStringLiteral("_1"));
    st->papers->setFilter(paperFilter(kind, choice));
    st->papers->setFiltered(true);
    st->papers->open();
    st->mapped = std::make_unique<Connection::MappedReads>(company.connection());

    const QString money = company.moneyFormat();
    ReportDef def = standardReport(layout.name, layout.title, letter);
    def.page.landscape = layout.landscape;
    const double width = fitPageHeader(def);
    double columnsWidth = 0;
    for (const Column& c : layout.columns)
        columnsWidth += c.width;
    const double shrink = std::min(1.0, width / columnsWidth);
    std::vector<ElementDef> headings, details;
    double x = 0, amountX = 0, amountW = 0;
    for (const Column& c : layout.columns) {
        const double w = c.width * shrink;
        const QRectF at(x, 0, w, 5);
        const QString name = QLatin1String(c.field);
        // Amounts to the right; the position's one digit centred, clear of them.
        const bool centred = name == kind.positionField;
        const int align = c.amount ? Qt::AlignRight : centred ? Qt::AlignHCenter : 0;
        headings.push_back(
            bold(label(QStringLiteral("h_") + name, at, QString::fromUtf8(c.heading), align)));
        ElementDef detail = c.amount ? right(field(QStringLiteral("f_") + name, at, name, money))
                                     : field(QStringLiteral("f_") + name, at, name);
        if (centred) detail.alignment = Qt::AlignHCenter;
        details.push_back(detail);
        if (c.amount) {
            amountX = x;
            amountW = w;
        }
        x += w;
    }
    def.bands.push_back(band(BandKind::ColumnHeader, QStringLiteral("Kolonlar"), 7, headings));
    for (ElementDef& e : def.bands.back().elements)
        e.frame.bottom = true;
    def.bands.push_back(band(BandKind::Detail, QStringLiteral("Detay"), 5, details));
    def.bands.push_back(
        band(BandKind::Summary, QStringLiteral("Ozet"), 14,
             {bold(label(QStringLiteral("lblToplam"), {0, 2, amountX, 5},
                         QStringLiteral("TOPLAM : "), Qt::AlignRight)),
              bold(right(label(QStringLiteral("tTutar"), {amountX, 2, amountW, 5}, QString())))}));
    summaryCount(def, 8);

    RunningReport running{st, std::make_unique<ReportRenderer>(def, st->papers.get())};
    running.renderer->setNothingWhenEmpty(true);
    running.renderer->beforePrint = [st, &company, money](BandPrint& p) {
        State& t = *st;
        if (p.band.kind == BandKind::Detail) {
            t.total += (*t.papers)[QStringLiteral("TUTARI")].asFloat();
            ++t.count;
        } else if (p.band.kind == BandKind::Summary) {
            p.setText(QStringLiteral("tTutar"),
                      formatNumber(company.RoundMoney(t.total.value()), money));
            p.setText(QStringLiteral("lblAdet"), QStringLiteral("Listelenen %1 adet").arg(t.count));
        }
    };
    running.renderer->beforeReport = [st] {
        st->total = MoneySum();
        st->count = 0;
    };
    return running;
}

PageSet paperList(CompanyData& company, const PortfolioKind& kind, const PaperListChoice& choice,
                  bool letter)
{
    return startPaperList(company, kind, choice, letter).renderer->render();
}

} // namespace PortfolioReports
