#include "cash/CashReports.h"

#include "cash/CashLedger.h"
#include "cash/SlipKind.h"
#include "printing/ReportBuilder.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/MoneyFormat.h"
#include "store/Table.h"
#include "widgets/AmountInWords.h"

using namespace ReportBuilder;

namespace CashReports {

namespace {

struct BookState {
    std::unique_ptr<Connection::MappedReads> mapped;
    std::unique_ptr<Table> kasa;
    CashTotals carried, running;
    int count = 0;
};

// Three figures (in, out, balance) in the columns of the amounts.
std::vector<ElementDef> figures(const char* prefix, double y)
{
    const auto at = [&](int i, double x) {
        return right(label(QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(i), {x, y, 30, 5},
                           QString()));
    };
    return {at(0, 100), at(1, 130), at(2, 160)};
}

std::vector<ElementDef> with(std::vector<ElementDef> a, const std::vector<ElementDef>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

RunningReport startBook(CompanyData& company, const BookChoice& choice, bool letter)
{
    if (!choice.from.isValid() || !choice.to.isValid())
        throw AppError(QStringLiteral("Tarih aralığı hatalı."));
    auto st = std::make_shared<BookState>();
    st->mapped = std::make_unique<Connection::MappedReads>(company.connection());
    // Brought forward: one sum over the records before the start date.
    st->carried = CashLedger(company).totalsBefore(choice.from);
    st->running = st->carried;

    ReportDef def = standardReport(
        QStringLiteral("frmKasaRapP"), QStringLiteral("KASA DEFTERİ DÖKÜMÜ"), letter,
        QStringLiteral("( %1 - %2 )").arg(dateText(choice.from), dateText(choice.to)));
    def.page.footerOnLastPage = false; // the page with the summary has no page footer
    ElementDef rule = element(ElementKind::Shape, QStringLiteral("cizgi"), {0, 5.2, 190, 0.5});
    rule.shape = ShapeKind::HorizontalLine;
    def.bands.push_back(band(
        BandKind::ColumnHeader, QStringLiteral("Kolonlar"), 12,
        with({bold(label("h1", {0, 0, 20, 5}, QStringLiteral("TARİH"))),
              bold(label("h2", {20, 0, 22, 5}, QStringLiteral("Belge No"))),
              bold(label("h3", {42, 0, 58, 5}, QStringLiteral("AÇIKLAMA"))),
              bold(label("h4", {100, 0, 30, 5}, QStringLiteral("GİREN"), Qt::AlignRight)),
              bold(label("h5", {130, 0, 30, 5}, QStringLiteral("ÇIKAN"), Qt::AlignRight)),
              bold(label("h6", {160, 0, 30, 5}, QStringLiteral("BAKİYE"), Qt::AlignRight)), rule,
              label("lblNakil", {0, 6, 100, 5}, QStringLiteral("Nakledilen Toplam : "),
                    Qt::AlignRight)},
             figures("n", 6))));
    def.bands.push_back(
        band(BandKind::Detail, QStringLiteral("Detay"), 5,
             with({field("f1", {0, 0, 20, 5}, "Tarih"), label("belge", {20, 0, 22, 5}, QString()),
                   label("aciklama", {42, 0, 58, 5}, QString())},
                  figures("d", 0))));
    def.bands.push_back(band(BandKind::PageFooter, QStringLiteral("SayfaSonu"), 7,
                             with({label("lblSayfa", {0, 1, 100, 5},
                                         QStringLiteral("Sayfa Toplamı : "), Qt::AlignRight)},
                                  figures("s", 1))));
    def.bands.push_back(
        band(BandKind::Summary, QStringLiteral("Ozet"), 20,
             with(with({label("lblListelenen", {0, 2, 100, 5},
                              QStringLiteral("Listelenen Toplam : "), Qt::AlignRight),
                        bold(label("lblKasa", {0, 8, 100, 5}, QStringLiteral("KASA TOPLAMI : "),
                                   Qt::AlignRight))},
                       figures("l", 2)),
                  figures("g", 8))));
    summaryCount(def, 14);

    st->kasa = std::make_unique<Table>(company.connection(), QStringLiteral("Kasa"));
    Table& kasa = *st->kasa;
    kasa.setReadFields({QStringLiteral("Tarih"), QStringLiteral("BelgeNo"),
                        QStringLiteral("Aciklama"), QStringLiteral("Giren"),
                        QStringLiteral("Cikan")});
    kasa.setIndexName(QStringLiteral("Kasa_1"));
    kasa.setFilter(QStringLiteral("Tarih >= %1 and Tarih <= %2")
                       .arg(quoted(dateText(choice.from)), quoted(dateText(choice.to))));
    kasa.setFiltered(true);
    kasa.open();
    const int giren = kasa.fieldIndex(QStringLiteral("Giren")),
              cikan = kasa.fieldIndex(QStringLiteral("Cikan")),
              belge = kasa.fieldIndex(QStringLiteral("BelgeNo")),
              aciklama = kasa.fieldIndex(QStringLiteral("Aciklama"));

    RunningReport running{st, std::make_unique<ReportRenderer>(def, &kasa)};
    BookState* s = st.get();
    const QString mask = company.cashMoneyFormat();
    const auto money = [&company, mask](MoneySum v) {
        return formatNumber(company.RoundCash(v.value()), mask);
    };
    const bool hide = choice.hideTotals;
    // In, out and balance; `all` false leaves in and out blank.
    const auto put = [money](BandPrint& p, const char* prefix, const CashTotals& t, bool all) {
        p.setText(QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(0),
                  all ? money(t.giren) : QString());
        p.setText(QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(1),
                  all ? money(t.cikan) : QString());
        p.setText(QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(2), money(t.balance()));
    };
    running.renderer->beforePrint = [s, &kasa, giren, cikan, belge, aciklama, put, money,
                                     hide](BandPrint& p) {
        switch (p.band.kind) {
        case BandKind::ColumnHeader:
            put(p, "n", s->running, !hide);
            break;
        case BandKind::Detail: {
            // Every amount that is not 0 prints, a negative one too, so none moves the
            // balance unseen.
            MoneySum in, out;
            in += kasa.field(giren).asFloat();
            out += kasa.field(cikan).asFloat();
            p.setText(QStringLiteral("d0"), in.isZero() ? QString() : money(in));
            p.setText(QStringLiteral("d1"), out.isZero() ? QString() : money(out));
            p.setText(QStringLiteral("d2"), money(s->running.balance() + in - out));
            p.setText(QStringLiteral("belge"), kasa.field(belge).asString().left(9));
            p.setText(QStringLiteral("aciklama"), kasa.field(aciklama).asString().left(20));
            break;
        }
        case BandKind::PageFooter:
            put(p, "s", {s->running.giren - s->carried.giren, s->running.cikan - s->carried.cikan},
                !hide);
            break;
        case BandKind::Summary:
            put(p, "l", {s->running.giren - s->carried.giren, s->running.cikan - s->carried.cikan},
                true);
            put(p, "g", s->running, !hide);
            p.setText(QStringLiteral("lblAdet"),
                      QStringLiteral("Listelenen %1 adet").arg(s->count));
            break;
        default:
            break;
        }
    };
    // A record counts once it is on paper.
    running.renderer->afterPrint = [s, &kasa, giren, cikan](const BandDef& b) {
        if (b.kind != BandKind::Detail) return;
        s->running.giren += kasa.field(giren).asFloat();
        s->running.cikan += kasa.field(cikan).asFloat();
        ++s->count;
    };
    return running;
}

PageSet book(CompanyData& company, const BookChoice& choice, bool letter)
{
    return startBook(company, choice, letter).renderer->render();
}

PageSet slip(CompanyData& company, const SlipKind& kind, qint64 slipId, const QString& companyTitle,
             bool letter)
{
    const std::vector<SqlRow> rows = company.connection().select(
        QStringLiteral("SELECT \"Tarih\", \"CariNo\", \"Unvani\", \"Aciklama\", \"TopTutar\" "
                       "FROM \"%1\" WHERE \"Nosu\" = ?")
            .arg(kind.table),
        {slipId});
    if (rows.empty()) throw AppError(QStringLiteral("Fiş bulunamadı."));
    const SqlRow& h = rows.front();
    const QString mask = company.cashMoneyFormat();
    const double total = company.RoundCash(h[4].toDouble());

    ReportDef def;
    def.name = QStringLiteral("frmTahsilP");
    def.className = QStringLiteral("TQuickRep");
    def.page.paper = letter ? PageSettings::Paper::Letter : PageSettings::Paper::A4;
    ElementDef heading =
        bold(label("lblBaslik", {0, 0, 190, 8}, kind.printTitle, Qt::AlignHCenter));
    heading.font.setPointSize(14);
    ElementDef page = element(ElementKind::SysData, QStringLiteral("sysSayfa"), {150, 10, 40, 5});
    page.text = QStringLiteral("Sayfa : ");
    page.sysData = SysDataKind::PageNumber;
    page.alignment = Qt::AlignRight;
    const QString date = QDate::fromString(h[0].toString(), Qt::ISODate).isValid()
                             ? dateText(QDate::fromString(h[0].toString(), Qt::ISODate))
                             : QString();
    ElementDef rule = element(ElementKind::Shape, QStringLiteral("cizgi"), {0, 37, 190, 0.5});
    rule.shape = ShapeKind::HorizontalLine;
    def.bands.push_back(
        band(BandKind::PageHeader, QStringLiteral("SayfaBasi"), 39,
             {heading, page, label("lblTarih", {0, 12, 30, 5}, QStringLiteral("Tarih :")),
              label("tarih", {30, 12, 60, 5}, date),
              label("lblCari", {0, 18, 30, 5}, QStringLiteral("Cari Kodu :")),
              label("cariNo", {30, 18, 60, 5}, h[1].toString()),
              label("lblUnvan", {0, 24, 30, 5}, QStringLiteral("Ünvanı :")),
              label("unvani", {30, 24, 160, 5}, h[2].toString()),
              label("lblAciklama", {0, 30, 30, 5}, QStringLiteral("Açıklama :")),
              label("aciklama", {30, 30, 160, 5}, h[3].toString()), rule}));
    def.bands.push_back(band(BandKind::Detail, QStringLiteral("Detay"), 6,
                             {right(field("tutar", {20, 0, 40, 5}, "Tutar", mask)),
                              field("satir", {65, 0, 125, 5}, "Aciklama")}));
    const double signatureY = 28;
    const double companyX = kind.companyOverLeft ? 0 : 120;
    def.bands.push_back(
        band(BandKind::Summary, QStringLiteral("Ozet"), 45,
             {bold(label("lblToplam", {0, 2, 20, 5}, QStringLiteral("TOPLAM : "))),
              bold(right(label("toplam", {20, 2, 40, 5}, formatNumber(total, mask)))),
              label("yazi", {0, 9, 190, 5}, AmountInWords(company, total)),
              label("firma", {companyX, signatureY - 6, 70, 5}, companyTitle,
                    kind.companyOverLeft ? 0 : int(Qt::AlignRight)),
              bold(label("lblSol", {0, signatureY, 70, 5}, QStringLiteral("TAHSİL EDEN"))),
              bold(label("lblSag", {120, signatureY, 70, 5}, QStringLiteral("ÖDEME YAPAN"),
                         Qt::AlignRight))}));

    Table lines(company.connection(), kind.lineTable);
    lines.setFilter(QStringLiteral("%1 = %2").arg(kind.link).arg(slipId));
    lines.setFiltered(true);
    lines.open();
    ReportRenderer renderer(def, &lines);
    return renderer.render();
}

} // namespace CashReports
