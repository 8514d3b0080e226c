#include "customers/CustomerReports.h"

#include "printing/ReportBuilder.h"
#include "printing/ReportRenderer.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/Expression.h"
#include "store/MoneyFormat.h"
#include "store/Table.h"

#include <QHash>
#include <cmath>

using namespace ReportBuilder;

namespace CustomerReports {

namespace {

const QStringList& kindCodes(Kinds kinds)
{
    static const QList<QStringList> codes = {
        {"CA"}, {"FA"}, {"TK", "TA", "TE", "BN"}, {"CE", "SE", "MF", "MS", "FC", "FS"}, {}};
    return codes[int(kinds)];
}

QString isoDate(const QString& text)
{
    if (text.trimmed().isEmpty()) return QString();
    const QDate date = parseDateLiteral(text);
    if (!date.isValid()) throw AppError(QStringLiteral("Tarih hatalı: %1").arg(text));
    return date.toString(Qt::ISODate);
}

QString dateText(const QDate& date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

void summaryCount(ReportDef& def, double y)
{
    def.bands.back().elements.push_back(label(QStringLiteral("lblAdet"), {0, y, 80, 5}, QString()));
}

} // namespace

QString cardFilter(const CardChoice& c)
{
    QStringList parts;
    if (c.kind >= 0) parts << QStringLiteral("CariDurum = %1").arg(c.kind);
    const auto add = [&](const QString& text, const char* term) {
        if (!text.isEmpty()) parts << QLatin1String(term) + quoted(text);
    };
    add(c.codeFrom, "CariNo >= ");
    add(c.codeTo, "CariNo <= ");
    add(c.il, "Il = ");
    for (int i = 0; i < 3; ++i) {
        add(c.specialFrom[size_t(i)], i == 0   ? "OzelKod1 >= "
                                      : i == 1 ? "OzelKod2 >= "
                                               : "OzelKod3 >= ");
        add(c.specialTo[size_t(i)], i == 0   ? "OzelKod1 <= "
                                    : i == 1 ? "OzelKod2 <= "
                                             : "OzelKod3 <= ");
    }
    return parts.join(QStringLiteral(" and "));
}

QString movementConditions(Kinds kinds, Amounts amounts)
{
    QString text;
    if (amounts == Amounts::Borc) text += QStringLiteral(" and (Borc > 0)");
    if (amounts == Amounts::Alacak) text += QStringLiteral(" and (Alacak > 0)");
    const QStringList& codes = kindCodes(kinds);
    if (!codes.isEmpty()) {
        QStringList terms;
        for (const QString& code : codes)
            terms << QStringLiteral("Kaynak = ") + quoted(code);
        text += QStringLiteral(" and (") + terms.join(QStringLiteral(" or ")) + QLatin1Char(')');
    }
    return text;
}

namespace {

// The customer table as a report window leaves it.
std::unique_ptr<Table> cards(CompanyData& company, const CardChoice& choice)
{
    auto table = std::make_unique<Table>(company.connection(), QStringLiteral("Cari"));
    table->setIndexName(choice.order == 1   ? QStringLiteral("Cari_2")
                        : choice.order == 2 ? QStringLiteral("Cari_3")
                                            : QStringLiteral("Cari_1"));
    table->setFilter(cardFilter(choice));
    table->setFiltered(true);
    table->open();
    return table;
}

} // namespace

PageSet cardList(CompanyData& company, const CardChoice& choice, bool letter)
{
    ReportDef def =
        standardReport(QStringLiteral("rprCariListe"), QStringLiteral("CARİ KART LİSTESİ"), letter);
    def.bands.push_back(
        band(BandKind::ColumnHeader, QStringLiteral("Kolonlar"), 7,
             {bold(label("h1", {0, 0, 22, 5}, QStringLiteral("NOSU"))),
              bold(label("h2", {22, 0, 55, 5}, QStringLiteral("ÜNVANI / YETKİLİ KİŞİ"))),
              bold(label("h3", {77, 0, 50, 5}, QStringLiteral("İŞ ADRESİ"))),
              bold(label("h4", {127, 0, 33, 5}, QStringLiteral("İŞ / CEP TEL"))),
              bold(label("h5", {160, 0, 30, 5}, QStringLiteral("V.D. HESAP NO")))}));
    def.bands.back().elements[0].frame.bottom = true;
    def.bands.push_back(
        band(BandKind::Detail, QStringLiteral("Detay"), 10,
             {field("f1", {0, 0, 22, 5}, "CariNo"), field("f2", {22, 0, 55, 5}, "Unvani"),
              field("f3", {22, 5, 55, 5}, "Yetkili"), field("f4", {77, 0, 50, 5}, "IsAdres1"),
              field("f5", {77, 5, 50, 5}, "IsAdres2"), field("f6", {127, 0, 33, 5}, "IsTel"),
              field("f7", {127, 5, 33, 5}, "CepTel"), field("f8", {160, 0, 30, 5}, "VdNo"),
              field("f9", {160, 5, 30, 5}, "Vd")}));
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

RunningReport startBalanceStatus(CompanyData& company, const BalanceChoice& choice, bool letter)
{
    // Open ends as bounds every date passes.
    QString from = isoDate(choice.dateFrom), to = isoDate(choice.dateTo);
    if (from.isEmpty()) from = QStringLiteral("0000-00-00");
    if (to.isEmpty()) to = QStringLiteral("9999-12-31");
    // One grouped query gives every card's sums in the date range and its movement count.
    struct Sums {
        double borc = 0, alacak = 0;
        qint64 count = 0;
    };
    // What the hooks work on lives as long as the renderer, which may run in steps.
    struct State {
        QHash<qint64, Sums> sums;
        std::unique_ptr<Table> table;
        double borc = 0, alacak = 0, bakiye = 0, positive = 0, negative = 0;
        int count = 0;
    };
    auto st = std::make_shared<State>();
    QHash<qint64, Sums>& sums = st->sums;
    for (const SqlRow& row : company.connection().select(
             QStringLiteral("SELECT \"CARef\", sum(CASE WHEN \"Tarih\" >= ? AND \"Tarih\" <= ? "
                            "THEN \"Borc\" ELSE 0 END), "
                            "sum(CASE WHEN \"Tarih\" >= ? AND \"Tarih\" <= ? THEN \"Alacak\" ELSE "
                            "0 END), count(*) "
                            "FROM \"CarHar\" GROUP BY \"CARef\""),
             {from, to, from, to}))
        sums.insert(row[0].toLongLong(),
                    {row[1].toDouble(), row[2].toDouble(), row[3].toLongLong()});

    const QString mask = company.moneyFormat();
    ReportDef def =
        standardReport(QStringLiteral("rprCariDurum"), QStringLiteral("CARİ DURUM LİSTESİ"), letter,
                       (choice.dateFrom + QLatin1Char(' ') + choice.dateTo).trimmed());
    def.bands.push_back(
        band(BandKind::ColumnHeader, QStringLiteral("Kolonlar"), 7,
             {bold(label("h1", {0, 0, 25, 5}, QStringLiteral("NOSU"))),
              bold(label("h2", {25, 0, 70, 5}, QStringLiteral("ÜNVANI"))),
              bold(label("h3", {95, 0, 30, 5}, QStringLiteral("BORÇ"), Qt::AlignRight)),
              bold(label("h4", {125, 0, 30, 5}, QStringLiteral("ALACAK"), Qt::AlignRight)),
              bold(label("h5", {155, 0, 35, 5}, QStringLiteral("BAKİYE"), Qt::AlignRight))}));
    def.bands.push_back(
        band(BandKind::Detail, QStringLiteral("Detay"), 5,
             {field("f1", {0, 0, 25, 5}, "CariNo"), field("f2", {25, 0, 70, 5}, "Unvani"),
              right(label("borc", {95, 0, 30, 5}, QString())),
              right(label("alacak", {125, 0, 30, 5}, QString())),
              right(label("bakiye", {155, 0, 35, 5}, QString()))}));
    def.bands.push_back(
        band(BandKind::Summary, QStringLiteral("Ozet"), 24,
             {bold(label("lblToplam", {25, 2, 70, 5}, QStringLiteral("TOPLAM : "), Qt::AlignRight)),
              right(label("tBorc", {95, 2, 30, 5}, QString())),
              right(label("tAlacak", {125, 2, 30, 5}, QString())),
              right(label("tBakiye", {155, 2, 35, 5}, QString())),
              label("lblBorcB", {25, 8, 70, 5}, QStringLiteral("Borç bakiye toplamı : "),
                    Qt::AlignRight),
              right(label("tBorcB", {155, 8, 35, 5}, QString())),
              label("lblAlacakB", {25, 13, 70, 5}, QStringLiteral("Alacak bakiye toplamı : "),
                    Qt::AlignRight),
              right(label("tAlacakB", {155, 13, 35, 5}, QString()))}));
    summaryCount(def, 18);

    st->table = cards(company, choice);
    RunningReport running{st, std::make_unique<ReportRenderer>(def, st->table.get())};
    const QString money = mask;
    running.renderer->beforePrint = [st, &company, choice, money](BandPrint& p) {
        const QString& mask = money;
        State& t = *st;
        if (p.band.kind == BandKind::Detail) {
            const Sums s = t.sums.value(t.table->currentId());
            // Compared after RoundMoney: 333.33 + 333.33 + 333.34 − 1000 is nothing, not 1e-13.
            const double balance = company.RoundMoney(s.borc - s.alacak);
            if (choice.balancedOnly &&
                (s.count == 0 || balance == 0 || (choice.lowest > 0 && balance < choice.lowest) ||
                 (choice.highest > 0 && balance > choice.highest))) {
                p.suppress();
                return;
            }
            p.setText("borc", formatNumber(s.borc, mask));
            p.setText("alacak", formatNumber(s.alacak, mask));
            p.setText("bakiye", formatNumber(balance, mask));
            t.borc += s.borc;
            t.alacak += s.alacak;
            t.bakiye += balance;
            (balance > 0 ? t.positive : t.negative) += balance;
            ++t.count;
        } else if (p.band.kind == BandKind::Summary) {
            p.setText("tBorc", formatNumber(t.borc, mask));
            p.setText("tAlacak", formatNumber(t.alacak, mask));
            p.setText("tBakiye", formatNumber(t.bakiye, mask));
            p.setText("tBorcB", formatNumber(t.positive, mask));
            p.setText("tAlacakB", formatNumber(t.negative, mask));
            p.setText("lblAdet", QStringLiteral("Listelenen %1 adet").arg(t.count));
        }
    };
    return running;
}

PageSet balanceStatus(CompanyData& company, const BalanceChoice& choice, bool letter)
{
    return startBalanceStatus(company, choice, letter).renderer->render();
}

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

PageSet statement(CompanyData& company, const StatementChoice& choice, bool letter)
{
    const std::vector<SqlRow> card = company.connection().select(
        QStringLiteral("SELECT \"CariNo\", \"Unvani\" FROM \"Cari\" WHERE \"Nosu\" = ?"),
        {choice.customerId});
    if (card.empty()) throw AppError(QStringLiteral("Cari kart bulunamadı."));
    const QString conditions = movementConditions(choice.kinds, choice.amounts);
    Table har(company.connection(), QStringLiteral("CarHar"));
    har.setIndexName(QStringLiteral("CarHar_1"));
    har.setFilter(QStringLiteral("(CARef = %1) and (Tarih <= '%2')")
                      .arg(choice.customerId)
                      .arg(dateText(choice.to)) +
                  conditions);
    har.setFiltered(true);
    har.open();

    // Carried forward: the movements of the set before the from-date.
    qint64 carriedBorc = 0, carriedAlacak = 0;
    const auto fixed = [](double v) { return qint64(std::llround(v * 10000)); };
    for (har.first(); !har.eof() && har[QStringLiteral("Tarih")].asDate() < choice.from;
         har.next()) {
        carriedBorc += fixed(har[QStringLiteral("Borc")].asFloat());
        carriedAlacak += fixed(har[QStringLiteral("Alacak")].asFloat());
    }
    qint64 runBorc = carriedBorc, runAlacak = carriedAlacak;
    int count = 0;

    const QString mask = company.moneyFormat();
    const auto money = [&](qint64 v) { return formatNumber(v / 10000.0, mask); };
    ReportDef def = standardReport(
        QStringLiteral("rprCariEkstre"), QStringLiteral("CARİ İŞLEMLER EKSTRESİ"), letter,
        QStringLiteral("( %1 - %2 )").arg(dateText(choice.from), dateText(choice.to)));
    BandDef& header = def.bands.back();
    header.height = 26;
    header.elements.push_back(label("lblKod", {0, 14, 100, 5},
                                    QStringLiteral("Cari Kart Nosu : ") + card[0][0].toString()));
    header.elements.push_back(label("lblUnvan", {0, 19, 150, 5},
                                    QStringLiteral("Cari Kart Ünvanı : ") + card[0][1].toString()));
    def.page.footerOnLastPage = false; // the page with the summary has no page footer
    def.bands.push_back(band(
        BandKind::ColumnHeader, QStringLiteral("Kolonlar"), 12,
        {bold(label("h1", {0, 0, 20, 5}, QStringLiteral("TARİH"))),
         bold(label("h2", {20, 0, 20, 5}, QStringLiteral("VADESİ"))),
         bold(label("h3", {40, 0, 22, 5}, QStringLiteral("Belge No"))),
         bold(label("h4", {62, 0, 50, 5}, QStringLiteral("AÇIKLAMA"))),
         bold(label("h5", {112, 0, 26, 5}, QStringLiteral("BORÇ"), Qt::AlignRight)),
         bold(label("h6", {138, 0, 26, 5}, QStringLiteral("ALACAK"), Qt::AlignRight)),
         bold(label("h7", {164, 0, 26, 5}, QStringLiteral("BAKİYE"), Qt::AlignRight)),
         label("lblNakil", {40, 6, 72, 5}, QStringLiteral("Nakledilen Toplam : "), Qt::AlignRight),
         right(label("nBorc", {112, 6, 26, 5}, QString())),
         right(label("nAlacak", {138, 6, 26, 5}, QString())),
         right(label("nBakiye", {164, 6, 26, 5}, QString()))}));
    def.bands.push_back(band(
        BandKind::Detail, QStringLiteral("Detay"), 5,
        {field("f1", {0, 0, 20, 5}, "Tarih"), field("f2", {20, 0, 20, 5}, "Vadesi"),
         field("f3", {40, 0, 22, 5}, "BelgeNo"), field("f4", {62, 0, 50, 5}, "Aciklama"),
         field("f5", {112, 0, 26, 5}, "Borc", mask), field("f6", {138, 0, 26, 5}, "Alacak", mask),
         right(label("bakiye", {164, 0, 26, 5}, QString()))}));
    def.bands.push_back(
        band(BandKind::PageFooter, QStringLiteral("SayfaSonu"), 7,
             {label("lblSayfa", {40, 1, 72, 5}, QStringLiteral("Sayfa Toplamı : "), Qt::AlignRight),
              right(label("sBorc", {112, 1, 26, 5}, QString())),
              right(label("sAlacak", {138, 1, 26, 5}, QString())),
              right(label("sBakiye", {164, 1, 26, 5}, QString()))}));
    def.bands.push_back(band(
        BandKind::Summary, QStringLiteral("Ozet"), 20,
        {label("lblListelenen", {40, 2, 72, 5}, QStringLiteral("Listelenen Toplam : "),
               Qt::AlignRight),
         right(label("lBorc", {112, 2, 26, 5}, QString())),
         right(label("lAlacak", {138, 2, 26, 5}, QString())),
         right(label("lBakiye", {164, 2, 26, 5}, QString())),
         bold(label("lblGenel", {40, 8, 72, 5}, QStringLiteral("GENEL TOPLAM : "), Qt::AlignRight)),
         right(label("gBorc", {112, 8, 26, 5}, QString())),
         right(label("gAlacak", {138, 8, 26, 5}, QString())),
         right(label("gBakiye", {164, 8, 26, 5}, QString()))}));
    summaryCount(def, 14);

    // "&2. Stoklu ekstre": the lines of the invoice behind an "FA" movement, under it.
    Table lines(company.connection(), QStringLiteral("FatHar"));
    qint64 invoiceId = 0;
    QString invoiceCaption;
    if (choice.withStock) {
        const QString quantity =
            company.displayFormat(QStringLiteral("FatHar"), QStringLiteral("Miktari"));
        BandDef caption = band(
            BandKind::Child, QStringLiteral("FaturaBasligi"), 11,
            {bold(label("lblFatura", {20, 0, 170, 5}, QString())),
             bold(label("d1", {20, 5, 30, 5}, QStringLiteral("STOK KODU"))),
             bold(label("d2", {50, 5, 45, 5}, QStringLiteral("STOKCİNSİ"))),
             bold(label("d3", {95, 5, 10, 5}, QStringLiteral("BR"))),
             bold(label("d4", {105, 5, 20, 5}, QStringLiteral("MİKTARI"), Qt::AlignRight)),
             bold(label("d5", {125, 5, 25, 5}, QStringLiteral("KDV'SİZ TOPLAM"), Qt::AlignRight)),
             bold(label("d6", {150, 5, 18, 5}, QStringLiteral("KDV"), Qt::AlignRight)),
             bold(label("d7", {168, 5, 22, 5}, QStringLiteral("GENEL TOPLAM"), Qt::AlignRight))});
        caption.parent = QStringLiteral("Detay");
        def.bands.push_back(caption);
        def.bands.push_back(band(BandKind::SubDetail, QStringLiteral("FaturaSatiri"), 5,
                                 {field("s1", {20, 0, 30, 5}, "FatHar.Kodu"),
                                  field("s2", {50, 0, 45, 5}, "FatHar.Cinsi"),
                                  field("s3", {95, 0, 10, 5}, "FatHar.Birim"),
                                  field("s4", {105, 0, 20, 5}, "FatHar.Miktari", quantity),
                                  field("s5", {125, 0, 25, 5}, "FatHar.AraTop", mask),
                                  field("s6", {150, 0, 18, 5}, "FatHar.KdvTutar", mask),
                                  field("s7", {168, 0, 22, 5}, "FatHar.TopTutar", mask)}));
        lines.open();
    }
    // The invoice of the current movement, when it is one within the dates.
    const auto findInvoice = [&] {
        invoiceId = 0;
        const QDate date = har[QStringLiteral("Tarih")].asDate();
        if (!choice.withStock || har[QStringLiteral("Kaynak")].asString() != QLatin1String("FA") ||
            date < choice.from || date > choice.to)
            return;
        const std::vector<SqlRow> rows = company.connection().select(
            QStringLiteral("SELECT \"Nosu\", \"Tarih\", \"FatNo\", \"FatTuru\" FROM \"Fatura\" "
                           "WHERE \"CAHRef\" = ? LIMIT 1"),
            {har.currentId()});
        if (rows.empty()) return;
        invoiceId = rows[0][0].toLongLong();
        invoiceCaption =
            QStringLiteral("%1  TARİHLİ  %2  NOLU %3 FATURASI DETAYI")
                .arg(QDate::fromString(rows[0][1].toString(), Qt::ISODate)
                         .toString(QStringLiteral("dd.MM.yyyy")),
                     formatNumber(rows[0][2].toDouble(), QStringLiteral("0")),
                     rows[0][3].toInt() != 0 ? QStringLiteral("SATIŞ") : QStringLiteral("ALIŞ"));
    };

    ReportRenderer renderer(def, &har);
    if (choice.withStock)
        renderer.setSubDetail(&lines, [&] {
            // Only a printed invoice movement shows its lines; the others match nothing.
            lines.setFilter(QStringLiteral("FRef = %1").arg(invoiceId ? invoiceId : -1));
            lines.setFiltered(true);
        });
    renderer.beforePrint = [&](BandPrint& p) {
        if (p.band.name == QLatin1String("FaturaBasligi")) {
            if (!invoiceId)
                p.suppress();
            else
                p.setText("lblFatura", invoiceCaption);
            return;
        }
        switch (p.band.kind) {
        case BandKind::ColumnHeader:
            p.setText("nBorc", money(runBorc));
            p.setText("nAlacak", money(runAlacak));
            p.setText("nBakiye", money(runBorc - runAlacak));
            break;
        case BandKind::Detail:
            // Movements before the from-date are in the carried-forward sums, not on paper.
            findInvoice();
            if (har[QStringLiteral("Tarih")].asDate() < choice.from) {
                p.suppress();
                break;
            }
            p.setText("bakiye", money(runBorc + fixed(har[QStringLiteral("Borc")].asFloat()) -
                                      runAlacak - fixed(har[QStringLiteral("Alacak")].asFloat())));
            break;
        case BandKind::PageFooter:
            p.setText("sBorc", money(runBorc));
            p.setText("sAlacak", money(runAlacak));
            p.setText("sBakiye", money(runBorc - runAlacak));
            break;
        case BandKind::Summary:
            p.setText("lBorc", money(runBorc - carriedBorc));
            p.setText("lAlacak", money(runAlacak - carriedAlacak));
            p.setText("lBakiye", money(runBorc - carriedBorc - (runAlacak - carriedAlacak)));
            p.setText("gBorc", money(runBorc));
            p.setText("gAlacak", money(runAlacak));
            p.setText("gBakiye", money(runBorc - runAlacak));
            p.setText("lblAdet", QStringLiteral("Listelenen %1 adet").arg(count));
            break;
        default:
            break;
        }
    };
    // A line counts once it is on paper.
    renderer.afterPrint = [&](const BandDef& b) {
        if (b.kind != BandKind::Detail) return;
        runBorc += fixed(har[QStringLiteral("Borc")].asFloat());
        runAlacak += fixed(har[QStringLiteral("Alacak")].asFloat());
        ++count;
    };
    return renderer.render();
}

} // namespace CustomerReports
