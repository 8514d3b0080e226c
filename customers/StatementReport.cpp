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
    MoneySum carriedBorc, carriedAlacak;
    for (har.first(); !har.eof() && har[QStringLiteral("Tarih")].asDate() < choice.from;
         har.next()) {
        carriedBorc += har[QStringLiteral("Borc")].asFloat();
        carriedAlacak += har[QStringLiteral("Alacak")].asFloat();
    }
    MoneySum runBorc = carriedBorc, runAlacak = carriedAlacak;
    int count = 0;

    const QString mask = company.moneyFormat();
    const auto money = [&](MoneySum v) { return formatNumber(v.value(), mask); };
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
         bold(label("h3", {40, 0, 18, 5}, QStringLiteral("Belge No"))),
         bold(label("h4", {58, 0, 27, 5}, QStringLiteral("AÇIKLAMA"))),
         bold(label("h5", {85, 0, 35, 5}, QStringLiteral("BORÇ"), Qt::AlignRight)),
         bold(label("h6", {120, 0, 35, 5}, QStringLiteral("ALACAK"), Qt::AlignRight)),
         bold(label("h7", {155, 0, 35, 5}, QStringLiteral("BAKİYE"), Qt::AlignRight)),
         label("lblNakil", {0, 6, 85, 5}, QStringLiteral("Nakledilen Toplam : "), Qt::AlignRight),
         right(label("nBorc", {85, 6, 35, 5}, QString())),
         right(label("nAlacak", {120, 6, 35, 5}, QString())),
         right(label("nBakiye", {155, 6, 35, 5}, QString()))}));
    def.bands.push_back(band(
        BandKind::Detail, QStringLiteral("Detay"), 5,
        {field("f1", {0, 0, 20, 5}, "Tarih"), field("f2", {20, 0, 20, 5}, "Vadesi"),
         field("f3", {40, 0, 18, 5}, "BelgeNo"), field("f4", {58, 0, 27, 5}, "Aciklama"),
         field("f5", {85, 0, 35, 5}, "Borc", mask), field("f6", {120, 0, 35, 5}, "Alacak", mask),
         right(label("bakiye", {155, 0, 35, 5}, QString()))}));
    def.bands.push_back(
        band(BandKind::PageFooter, QStringLiteral("SayfaSonu"), 7,
             {label("lblSayfa", {0, 1, 85, 5}, QStringLiteral("Sayfa Toplamı : "), Qt::AlignRight),
              right(label("sBorc", {85, 1, 35, 5}, QString())),
              right(label("sAlacak", {120, 1, 35, 5}, QString())),
              right(label("sBakiye", {155, 1, 35, 5}, QString()))}));
    def.bands.push_back(band(
        BandKind::Summary, QStringLiteral("Ozet"), 20,
        {label("lblListelenen", {0, 2, 85, 5}, QStringLiteral("Listelenen Toplam : "),
               Qt::AlignRight),
         right(label("lBorc", {85, 2, 35, 5}, QString())),
         right(label("lAlacak", {120, 2, 35, 5}, QString())),
         right(label("lBakiye", {155, 2, 35, 5}, QString())),
         bold(label("lblGenel", {0, 8, 85, 5}, QStringLiteral("GENEL TOPLAM : "), Qt::AlignRight)),
         right(label("gBorc", {85, 8, 35, 5}, QString())),
         right(label("gAlacak", {120, 8, 35, 5}, QString())),
         right(label("gBakiye", {155, 8, 35, 5}, QString()))}));
    summaryCount(def, 14);
    if (choice.withoutDueDate)
        for (BandDef& b : def.bands) {
            std::erase_if(b.elements,
                          [](const ElementDef& e) { return e.name == u"h2" || e.name == u"f2"; });
            // Belge No and the description take the room of the due date.
            for (ElementDef& e : b.elements) {
                if (e.name == u"h3" || e.name == u"f3") e.rect.moveLeft(20);
                if (e.name == u"h4" || e.name == u"f4") e.rect.setLeft(38);
            }
        }

    // "&2. Stoklu ekstre": the lines of the invoice behind an "FA" movement, under it.
    Table lines(company.connection(), QStringLiteral("FatHar"));
    qint64 invoiceId = 0;
    QString invoiceCaption;
    if (choice.withStock) {
        const QString quantity =
            company.displayFormat(QStringLiteral("FatHar"), QStringLiteral("Miktari"));
        BandDef caption = band(
            BandKind::Child, QStringLiteral("FaturaBasligi"), 11,
            {bold(label("lblFatura", {10, 0, 180, 5}, QString())),
             bold(label("d1", {10, 5, 22, 5}, QStringLiteral("STOK KODU"))),
             bold(label("d2", {32, 5, 30, 5}, QStringLiteral("STOKCİNSİ"))),
             bold(label("d3", {62, 5, 8, 5}, QStringLiteral("BR"))),
             bold(label("d4", {70, 5, 18, 5}, QStringLiteral("MİKTARI"), Qt::AlignRight)),
             bold(label("d5", {88, 5, 34, 5}, QStringLiteral("KDV'SİZ TOPLAM"), Qt::AlignRight)),
             bold(label("d6", {122, 5, 34, 5}, QStringLiteral("KDV"), Qt::AlignRight)),
             bold(label("d7", {156, 5, 34, 5}, QStringLiteral("GENEL TOPLAM"), Qt::AlignRight))});
        caption.parent = QStringLiteral("Detay");
        def.bands.push_back(caption);
        def.bands.push_back(band(BandKind::SubDetail, QStringLiteral("FaturaSatiri"), 5,
                                 {field("s1", {10, 0, 22, 5}, "FatHar.Kodu"),
                                  field("s2", {32, 0, 30, 5}, "FatHar.Cinsi"),
                                  field("s3", {62, 0, 8, 5}, "FatHar.Birim"),
                                  field("s4", {70, 0, 18, 5}, "FatHar.Miktari", quantity),
                                  field("s5", {88, 0, 34, 5}, "FatHar.AraTop", mask),
                                  field("s6", {122, 0, 34, 5}, "FatHar.KdvTutar", mask),
                                  field("s7", {156, 0, 34, 5}, "FatHar.TopTutar", mask)}));
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
            {
                MoneySum balance = runBorc - runAlacak;
                balance += har[QStringLiteral("Borc")].asFloat();
                balance -= har[QStringLiteral("Alacak")].asFloat();
                p.setText("bakiye", money(balance));
            }
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
        runBorc += har[QStringLiteral("Borc")].asFloat();
        runAlacak += har[QStringLiteral("Alacak")].asFloat();
        ++count;
    };
    return renderer.render();
}

} // namespace CustomerReports
