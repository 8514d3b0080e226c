#include "instalments/InstalmentReports.h"

#include "customers/CustomerReportParts.h"
#include "instalments/InstalmentSide.h"
#include "printing/ReportBuilder.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/CompanySettings.h"
#include "store/IniFile.h"
#include "store/MoneyFormat.h"
#include "store/MoneySum.h"
#include "store/Table.h"
#include "widgets/AmountInWords.h"
#include "widgets/DisplayText.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>

using namespace ReportBuilder;

namespace InstalmentReports {

namespace {

// A balance that rounds to a kuruş or more is unpaid; one that rounds to 0 or below is paid.
constexpr double kUnpaidFrom = 0.005;

// The three amount columns of the plan lines and their totals.
std::vector<ElementDef> amountColumns(const char* prefix, double y)
{
    std::vector<ElementDef> out;
    for (int i = 0; i < 3; ++i)
        out.push_back(right(label(QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(i),
                                  {60.0 + 40 * i, y, 40, 5}, QString())));
    return out;
}

std::vector<ElementDef> planHeading(double y)
{
    return {bold(label("hVade", {20, y, 30, 5}, QStringLiteral("PLAN TARİHİ"))),
            bold(label("hTutar", {60, y, 40, 5}, QStringLiteral("TUTARI"), Qt::AlignRight)),
            bold(label("hOdenen", {100, y, 40, 5}, QStringLiteral("ÖDENEN"), Qt::AlignRight)),
            bold(label("hBakiye", {140, y, 40, 5}, QStringLiteral("Bakiye"), Qt::AlignRight))};
}

std::vector<ElementDef> with(std::vector<ElementDef> a, const std::vector<ElementDef>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Sums {
    MoneySum tutari, odeme, bakiye;
    void add(double t, double o, double b)
    {
        tutari += t;
        odeme += o;
        bakiye += b;
    }
};

// Plan lines as a sub-detail: due date and the three amounts, summed as they print.
struct PlanLines {
    std::unique_ptr<Table> table;
    int vadesi = 0, tutari = 0, odeme = 0, bakiye = 0;

    void open(CompanyData& company, const QString& name)
    {
        table = std::make_unique<Table>(company.connection(), name);
        table->setReadFields({QStringLiteral("Vadesi"), QStringLiteral("Tutari"),
                              QStringLiteral("Odeme"), QStringLiteral("Bakiye")});
        table->setIndexName(QStringLiteral("Plan_1"));
        table->setFilter(QStringLiteral("CARef = -1"));
        table->setFiltered(true);
        table->open();
        vadesi = table->fieldIndex(QStringLiteral("Vadesi"));
        tutari = table->fieldIndex(QStringLiteral("Tutari"));
        odeme = table->fieldIndex(QStringLiteral("Odeme"));
        bakiye = table->fieldIndex(QStringLiteral("Bakiye"));
    }
    // Prints the current line into `p` (prefix "d") and adds it to `sums`.
    void print(BandPrint& p, const std::function<QString(const MoneySum&)>& money,
               std::initializer_list<Sums*> sums) const
    {
        const QDate due = table->field(vadesi).asDate();
        p.setText(QStringLiteral("vade"), due.isValid() ? dateText(due) : QString());
        const double t = table->field(tutari).asFloat(), o = table->field(odeme).asFloat(),
                     b = table->field(bakiye).asFloat();
        MoneySum v[3];
        v[0] += t;
        v[1] += o;
        v[2] += b;
        for (int i = 0; i < 3; ++i)
            p.setText(QStringLiteral("d%1").arg(i), money(v[i]));
        for (Sums* s : sums)
            s->add(t, o, b);
    }
};

void putSums(BandPrint& p, const char* prefix, const Sums& s,
             const std::function<QString(const MoneySum&)>& money)
{
    p.setText(QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(0), money(s.tutari));
    p.setText(QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(1), money(s.odeme));
    p.setText(QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(2), money(s.bakiye));
}

} // namespace

RunningReport startPaymentList(CompanyData& company, const InstalmentSide& side,
                               const PaymentListChoice& choice, bool letter)
{
    struct State {
        std::unique_ptr<Connection::MappedReads> mapped;
        QHash<qint64, int> withLines; // customers with lines that pass
        std::unique_ptr<Table> cards;
        PlanLines lines;
        QString lineFilter; // the conditions after the customer's
        bool printing = false;
        Sums customer, all;
    };
    auto st = std::make_shared<State>();
    st->mapped = std::make_unique<Connection::MappedReads>(company.connection());

    // The plan-line conditions, values written by the program.
    QStringList sql;
    QVariantList values;
    if (choice.dueFrom.isValid()) {
        st->lineFilter += QStringLiteral(" and Vadesi >= ") + quoted(dateText(choice.dueFrom));
        sql << QStringLiteral("\"Vadesi\" >= ?");
        values << choice.dueFrom.toString(Qt::ISODate);
    }
    if (choice.dueTo.isValid()) {
        st->lineFilter += QStringLiteral(" and Vadesi <= ") + quoted(dateText(choice.dueTo));
        sql << QStringLiteral("\"Vadesi\" <= ?");
        values << choice.dueTo.toString(Qt::ISODate);
    }
    if (choice.state != PaymentListChoice::All) {
        const bool paid = choice.state == PaymentListChoice::Paid;
        st->lineFilter +=
            (paid ? QStringLiteral(" and Bakiye < ") : QStringLiteral(" and Bakiye >= ")) +
            QString::number(kUnpaidFrom);
        sql << (paid ? QStringLiteral("coalesce(\"Bakiye\",0) < ?")
                     : QStringLiteral("coalesce(\"Bakiye\",0) >= ?"));
        values << kUnpaidFrom;
    }
    // One grouped query names the customers that print; the others cost no query of their own.
    for (const SqlRow& row : company.connection().select(
             QStringLiteral("SELECT coalesce(\"CARef\",0), count(*) FROM %1%2 GROUP BY "
                            "coalesce(\"CARef\",0)")
                 .arg(sqlName(side.plan), sql.isEmpty() ? QString()
                                                        : QStringLiteral(" WHERE ") +
                                                              sql.join(QStringLiteral(" AND "))),
             values))
        st->withLines.insert(row[0].toLongLong(), row[1].toInt());

    ReportDef def =
        standardReport(side.sales ? QStringLiteral("frmTakLisP") : QStringLiteral("frmATakLisP"),
                       side.sales ? QStringLiteral("KREDİLİ SATIŞ LİSTESİ")
                                  : QStringLiteral("KREDİLİ ALIŞ LİSTESİ"),
                       letter);
    BandDef group = band(BandKind::GroupHeader, QStringLiteral("Cari"), 0);
    group.groupExpression = QStringLiteral("Nosu");
    def.bands.push_back(group);
    ElementDef rule = element(ElementKind::Shape, QStringLiteral("cizgi"), {0, 16.5, 190, 0.3});
    rule.shape = ShapeKind::HorizontalLine;
    def.bands.push_back(band(
        BandKind::Detail, QStringLiteral("Musteri"), 18,
        with({bold(label("h1", {0, 1, 25, 5}, QStringLiteral("CARİ NO"))),
              bold(label("h2", {25, 1, 70, 5}, QStringLiteral("ÜNVANI"))),
              bold(label("h3", {95, 1, 50, 5}, QStringLiteral("YETKİLİ"))),
              bold(label("h4", {145, 1, 45, 5}, QStringLiteral("TELEFON"))),
              field("cariNo", {0, 6, 25, 5}, "CariNo"), field("unvani", {25, 6, 70, 5}, "Unvani"),
              field("yetkili", {95, 6, 50, 5}, "Yetkili"), field("tel", {145, 6, 45, 5}, "IsTel"),
              rule},
             planHeading(12))));
    def.bands.push_back(
        band(BandKind::SubDetail, QStringLiteral("Plan"), 5,
             with({label("vade", {20, 0, 30, 5}, QString())}, amountColumns("d", 0))));
    def.bands.push_back(band(
        BandKind::GroupFooter, QStringLiteral("CariToplam"), 8,
        with({bold(label("lblToplam", {0, 1, 60, 5}, QStringLiteral("TOPLAM : "), Qt::AlignRight))},
             amountColumns("t", 1))));
    def.bands.push_back(band(BandKind::Summary, QStringLiteral("Ozet"), 10,
                             with({bold(label("lblGenel", {0, 3, 60, 5},
                                              QStringLiteral("GENEL TOPLAM : "), Qt::AlignRight))},
                                  amountColumns("g", 3))));

    CustomerReports::CardChoice cards;
    cards.codeFrom = cards.codeTo = choice.customerCode.trimmed();
    cards.specialFrom = choice.specialFrom;
    cards.specialTo = choice.specialTo;
    cards.order = choice.order == 0 ? 0 : 1;
    st->cards = CustomerReports::cards(company, cards,
                                       {QStringLiteral("CariNo"), QStringLiteral("Unvani"),
                                        QStringLiteral("Yetkili"), QStringLiteral("IsTel")});
    st->lines.open(company, side.plan);

    RunningReport running{st, std::make_unique<ReportRenderer>(def, st->cards.get())};
    State* s = st.get();
    running.renderer->setSubDetailWhen(s->lines.table.get(), [s] {
        const qint64 id = s->cards->currentId();
        if (!s->withLines.contains(id)) return false; // a card without lines reads nothing
        Table& t = *s->lines.table;
        t.setFilter(QStringLiteral("CARef = %1").arg(id) + s->lineFilter);
        t.setFiltered(true);
        return true;
    });
    const QString mask = company.moneyFormat();
    const std::function<QString(const MoneySum&)> money = [&company, mask](const MoneySum& v) {
        return formatNumber(company.RoundMoney(v.value()), mask);
    };
    running.renderer->beforePrint = [s, money](BandPrint& p) {
        switch (p.band.kind) {
        case BandKind::GroupHeader:
            p.suppress();
            break;
        case BandKind::Detail:
            s->printing = s->withLines.contains(s->cards->currentId());
            s->customer = {};
            if (!s->printing) p.suppress();
            break;
        case BandKind::SubDetail:
            s->lines.print(p, money, {&s->customer, &s->all});
            break;
        case BandKind::GroupFooter:
            // The break comes with the next card current: the one printed is remembered.
            if (!s->printing) {
                p.suppress();
                break;
            }
            putSums(p, "t", s->customer, money);
            break;
        case BandKind::Summary:
            putSums(p, "g", s->all, money);
            break;
        default:
            break;
        }
    };
    return running;
}

PageSet paymentList(CompanyData& company, const InstalmentSide& side,
                    const PaymentListChoice& choice, bool letter)
{
    return startPaymentList(company, side, choice, letter).renderer->render();
}

// --- The promissory note --------------------------------------------------------------------

namespace {
const QString kSection = QStringLiteral("TAKSITLI");
// The court town the installation starts with; the user overwrites it once and it is kept.
const QString kTown = QStringLiteral("İSTANBUL");
} // namespace

NoteChoice readNoteSettings(const IniFile& ini)
{
    NoteChoice c;
    c.lbl1 = ini.readString(kSection, QStringLiteral("lbl1"), QStringLiteral("in"));
    c.kime = ini.readString(kSection, QStringLiteral("Kime"));
    c.lbl2 = ini.readString(kSection, QStringLiteral("lbl2"), QStringLiteral("sine"));
    c.lbl3 = ini.readString(kSection, QStringLiteral("lbl3"), QStringLiteral("m."));
    c.lbl4 = ini.readString(kSection, QStringLiteral("lbl4"), QStringLiteral("malen"));
    c.lbl5 = ini.readString(kSection, QStringLiteral("lbl5"), kTown);
    c.lbl6 = ini.readString(kSection, QStringLiteral("lbl6"), QStringLiteral("m."));
    c.genis = ini.readFloat(kSection, QStringLiteral("GENIS"), 215.9);
    c.uzun = ini.readFloat(kSection, QStringLiteral("UZUN"), 279.4);
    return c;
}

void writeNoteSettings(IniFile& ini, const NoteChoice& c)
{
    ini.writeStrings(kSection, {{QStringLiteral("lbl1"), c.lbl1},
                                {QStringLiteral("Kime"), c.kime},
                                {QStringLiteral("lbl2"), c.lbl2},
                                {QStringLiteral("lbl3"), c.lbl3},
                                {QStringLiteral("lbl4"), c.lbl4},
                                {QStringLiteral("lbl5"), c.lbl5},
                                {QStringLiteral("lbl6"), c.lbl6},
                                {QStringLiteral("GENIS"), QString::number(c.genis)},
                                {QStringLiteral("UZUN"), QString::number(c.uzun)}});
}

NoteSale noteSale(CompanyData& company, qint64 saleId)
{
    const std::vector<SqlRow> rows = company.connection().select(
        QStringLiteral("SELECT \"Nosu\", \"Unvani\", \"Adres1\", \"Adres2\", \"Adres3\", \"Vd\", "
                       "\"VdNo\" FROM \"Taksit\" WHERE \"Nosu\" = ?"),
        {saleId});
    if (rows.empty())
        throw AppError(QStringLiteral("Kredili satış fişi bulunamadı (%1).").arg(saleId));
    const SqlRow& r = rows.front();
    NoteSale sale{r[0].toLongLong(), 0,
                  r[1].toString(),   r[2].toString(),
                  r[3].toString(),   r[4].toString(),
                  r[5].toString(),   r[6].toString()};
    const MoneySum total = MoneySum::fromSql(company.connection().scalar(
        QStringLiteral("SELECT %1 FROM \"Fatura\" WHERE coalesce(\"TKRef\",0) = ? AND "
                       "\"Kaynak\" = 'TK' AND \"FatTuru\" = ?")
            .arg(MoneySum::sqlSum(QStringLiteral("\"GToplam\""))),
        {saleId, salesInstalments().fatTuru()}));
    sale.total = total.value();
    return sale;
}

QString noteAmount(CompanyData& company, double total)
{
    return QStringLiteral("# %1 # %2")
        .arg(formatNumber(company.RoundMoney(total), company.moneyFormat()), company.settings().tl);
}

PageSet notePages(CompanyData& company, qint64 saleId, const NoteChoice& c)
{
    if (c.genis < PageSettings::kShortestMm || c.uzun < PageSettings::kShortestMm)
        throw AppError(QStringLiteral("Kağıt genişliği ve uzunluğu en az %1 mm olmalıdır.")
                           .arg(PageSettings::kShortestMm));
    const NoteSale sale = noteSale(company, saleId);
    const QString mask = company.moneyFormat();

    ReportDef def;
    def.name = QStringLiteral("frmTaksitP");
    def.className = QStringLiteral("TQuickRep");
    def.page.paper = PageSettings::Paper::Custom;
    def.page.widthMm = c.genis;
    def.page.heightMm = c.uzun;
    const double w = std::max(10.0, c.genis - def.page.left - def.page.right);

    // The note: three headed cells, the fixed text with the user's endings, the payer block and
    // the cut line.
    const auto cell = [](const char* name, double x, double width, const QString& head,
                         const QString& value) {
        ElementDef h = bold(label(QStringLiteral("h%1").arg(QLatin1String(name)), {x, 0, width, 5},
                                  head, Qt::AlignHCenter));
        h.frame = {true, true, true, true};
        ElementDef v = label(QLatin1String(name), {x, 5, width, 6}, value, Qt::AlignHCenter);
        v.frame = {true, true, true, true};
        return std::vector<ElementDef>{h, v};
    };
    std::vector<ElementDef> note;
    const double third = w / 3;
    for (const auto& part :
         {cell("odemeGunu", 0, third, QStringLiteral("ÖDEME GÜNÜ"), c.odemeGunu),
          cell("tutar", third, third, QStringLiteral("TÜRK LİRASI"),
               noteAmount(company, sale.total)),
          cell("no", 2 * third, third, QStringLiteral("NO"), QString::number(sale.nosu))})
        note.insert(note.end(), part.begin(), part.end());
    const QStringList lines = {
        QStringLiteral("İş bu emre muharrer senedim%1 mukabilinde %2 tarihinde")
            .arg(c.lbl1, c.tarih),
        QStringLiteral("Sayın %1 veya emrühavale%2").arg(c.kime, c.lbl2),
        QStringLiteral("yukarıda yazılı yalnız ") + AmountInWords(company, sale.total),
        QStringLiteral("ödeyeceği%1 Bedeli %2 ahzolunmuştur. İş bu bono vadesinde ödenmediği "
                       "takdirde")
            .arg(c.lbl3, c.lbl4),
        QStringLiteral("müteakip bonoların da muacceliyet kesbedeceğini, ihtilaf vukuunda %1")
            .arg(c.lbl5),
        QStringLiteral("mahkemelerinin selahiyetini şimdiden kabul eyleri%1").arg(c.lbl6)};
    for (int i = 0; i < lines.size(); ++i) {
        ElementDef line =
            label(QStringLiteral("satir%1").arg(i + 1), {0, 14.0 + 5.5 * i, w, 5}, lines[i]);
        line.wordWrap = true;
        note.push_back(line);
    }
    // The payer block: ÖDEYECEK down the side, a rule, the four lines.
    const double top = 14 + 5.5 * lines.size() + 2;
    ElementDef payer = element(ElementKind::Memo, QStringLiteral("odeyecek"), {0, top, 6, 34},
                               VerticalText(QStringLiteral("ÖDEYECEK"), 0));
    payer.font.setPointSize(7);
    payer.font.setBold(true);
    note.push_back(payer);
    ElementDef bar = element(ElementKind::Shape, QStringLiteral("dikey"), {7, top, 0.3, 34});
    bar.shape = ShapeKind::VerticalLine;
    note.push_back(bar);
    const QStringList captions = {
        QStringLiteral("İsim"),  QStringLiteral("Adresi"),      QString(), QString(),
        QStringLiteral("KEFİL"), QStringLiteral("Vergi Da. No")};
    const QStringList values = {sale.unvani, sale.adres1,
                                sale.adres2, sale.adres3,
                                c.kefil,     (sale.vd + QLatin1Char(' ') + sale.vdNo).trimmed()};
    for (int i = 0; i < captions.size(); ++i) {
        const double y = top + 1 + 5.5 * i;
        if (!captions[i].isEmpty()) {
            note.push_back(bold(label(QStringLiteral("b%1").arg(i), {10, y, 28, 5}, captions[i])));
            note.push_back(label(QStringLiteral("i%1").arg(i), {38, y, 3, 5}, QStringLiteral(":")));
        }
        note.push_back(label(QStringLiteral("v%1").arg(i), {42, y, w - 42, 5}, values[i]));
    }
    // The cut line, dash and dot across the page.
    ElementDef cutLine = label(QStringLiteral("kesme"), {0, top + 37, w, 5}, QString());
    QImage printer(1, 1, QImage::Format_RGB32); // measured as a 300 dpi printer sets it
    printer.setDotsPerMeterX(int(300 / 0.0254));
    printer.setDotsPerMeterY(int(300 / 0.0254));
    const double step =
        QFontMetricsF(cutLine.font, &printer).horizontalAdvance(QStringLiteral("-.")) / 300 * 25.4;
    cutLine.text = QStringLiteral("-.").repeated(std::max(1, int((w - 1) / step)));
    note.push_back(cutLine);
    BandDef title = band(BandKind::Title, QStringLiteral("Senet"), top + 44, note);
    title.enabled = c.note;
    def.bands.push_back(title);

    const double col = w / 6;
    const QStringList heads = {QStringLiteral("FAT.NOSU"), QStringLiteral("TARİH"),
                               QStringLiteral("ÜNVANI"),   QStringLiteral("TUTARI"),
                               QStringLiteral("KDV"),      QStringLiteral("GENEL TOPLAM")};
    std::vector<ElementDef> invoice;
    for (int i = 0; i < heads.size(); ++i) {
        const int align = i >= 3 ? int(Qt::AlignRight) : 0;
        invoice.push_back(
            bold(label(QStringLiteral("fh%1").arg(i), {col * i, 1, col, 5}, heads[i], align)));
        invoice.push_back(
            label(QStringLiteral("fv%1").arg(i), {col * i, 6, col, 5}, QString(), align));
    }
    BandDef detail =
        band(BandKind::Detail, QStringLiteral("Fatura"), 18, with(invoice, planHeading(12)));
    detail.enabled = c.plans;
    def.bands.push_back(detail);
    BandDef plan = band(BandKind::SubDetail, QStringLiteral("Plan"), 5,
                        with({label("vade", {20, 0, 30, 5}, QString())}, amountColumns("d", 0)));
    plan.enabled = c.plans;
    def.bands.push_back(plan);

    Connection::MappedReads mapped(company.connection());
    Table fatura(company.connection(), QStringLiteral("Fatura"));
    fatura.setReadFields({QStringLiteral("FatNo"), QStringLiteral("Tarih"),
                          QStringLiteral("Unvani"), QStringLiteral("FatTop"),
                          QStringLiteral("Iskonto"), QStringLiteral("Kdv"),
                          QStringLiteral("GToplam")});
    fatura.setIndexName(QStringLiteral("Fatura_1"));
    fatura.setFilter(QStringLiteral("Kaynak = 'TK' and TKRef = %1 and FatTuru = %2")
                         .arg(saleId)
                         .arg(salesInstalments().fatTuru()));
    fatura.setFiltered(true);
    fatura.open();
    PlanLines plans;
    plans.open(company, salesInstalments().plan);

    // Without the plans no invoice prints: the note alone, once.
    ReportRenderer renderer(def, c.plans ? &fatura : nullptr);
    if (!c.plans) renderer.setCopies(0);
    renderer.setSubDetail(plans.table.get(), [&] {
        plans.table->setFilter(QStringLiteral("FRef = %1").arg(fatura.currentId()));
        plans.table->setFiltered(true);
    });
    const std::function<QString(const MoneySum&)> money = [&company, mask](const MoneySum& v) {
        return formatNumber(company.RoundMoney(v.value()), mask);
    };
    renderer.beforePrint = [&](BandPrint& p) {
        if (p.band.kind == BandKind::Detail) {
            const auto f = [&](const char* name) {
                return fatura.fieldByName(QLatin1String(name));
            };
            const QDate date = f("Tarih").asDate();
            MoneySum net, kdv, total;
            net += f("FatTop").asFloat();
            net -= f("Iskonto").asFloat();
            kdv += f("Kdv").asFloat();
            total += f("GToplam").asFloat();
            const QString texts[6] = {QString::number(qint64(f("FatNo").asFloat())),
                                      date.isValid() ? dateText(date) : QString(),
                                      f("Unvani").asString(),
                                      money(net),
                                      money(kdv),
                                      money(total)};
            for (int i = 0; i < 6; ++i)
                p.setText(QStringLiteral("fv%1").arg(i), texts[i]);
        } else if (p.band.kind == BandKind::SubDetail) {
            plans.print(p, money, {});
        }
    };
    return renderer.render();
}

} // namespace InstalmentReports
