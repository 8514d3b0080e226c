#include "orders/OrderReports.h"

#include "orders/OrderKind.h"
#include "orders/OrderPosting.h"
#include "printing/ReportBuilder.h"
#include "printing/ReportRenderer.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/InstallSettings.h"
#include "store/MoneyFormat.h"
#include "store/Table.h"
#include "widgets/AmountInWords.h"

using namespace ReportBuilder;

namespace OrderReports {

PageSet orderPages(CompanyData& company, const OrderKind& kind, qint64 orderId)
{
    OrderPosting posting(company, kind);
    const std::optional<OrderPosting::Header> order = posting.read(orderId);
    if (!order) throw AppError(QStringLiteral("Sipariş fişi bulunamadı (%1).").arg(orderId));
    const QString money = company.moneyFormat();
    const QString quantity = company.install().invoiceQuantityFormat();
    const QString price = company.kurus()
                              ? QStringLiteral("#,##0.") +
                                    QString(company.settings().priceDecimals(), QLatin1Char('0'))
                              : QStringLiteral("#,##0");

    ReportDef def;
    def.name = QStringLiteral("frmSiparisP");
    def.className = QStringLiteral("TQuickRep");
    def.page.left = 10;
    def.page.bottom = 10;
    def.page.top = 5;
    def.page.right = 5;
    const double w = 210 - def.page.left - def.page.right;

    // Every page: the title, the customer's block, the order's number and dates, the columns.
    std::vector<ElementDef> head;
    ElementDef title = bold(label(QStringLiteral("lblBaslik"), {0, 0, w, 8},
                                  kind.word + QStringLiteral(" SİPARİŞ FİŞİ"), Qt::AlignHCenter));
    title.font.setPointSize(14);
    head.push_back(title);
    const QStringList block = {order->unvani, order->adres1, order->adres2, order->adres3,
                               (order->vd + QLatin1Char(' ') + order->vdNo).trimmed()};
    ElementDef frame = element(ElementKind::Shape, QStringLiteral("shpCari"), {0, 10, 110, 28});
    head.push_back(frame);
    for (int i = 0; i < block.size(); ++i)
        head.push_back(
            label(QStringLiteral("lblCari%1").arg(i + 1), {2, 11.0 + 5.3 * i, 106, 5}, block[i]));
    const QStringList captions = {
        QStringLiteral("Sipariş nosu : "), QStringLiteral("Sipariş tarihi : "),
        QStringLiteral("Sipariş saati : "), QStringLiteral("Termin tarihi : ")};
    const QStringList values = {
        formatNumber(order->sipNo, QStringLiteral("0")), dateText(order->tarih),
        order->saat.toString(QStringLiteral("HH:mm")), dateText(order->terminTar)};
    for (int i = 0; i < captions.size(); ++i) {
        head.push_back(bold(label(QStringLiteral("lblBas%1").arg(i + 1), {118, 12.0 + 6 * i, 38, 5},
                                  captions[i], Qt::AlignRight)));
        head.push_back(
            label(QStringLiteral("lblDeger%1").arg(i + 1), {157, 12.0 + 6 * i, 38, 5}, values[i]));
    }
    ElementDef rule = element(ElementKind::Shape, QStringLiteral("shpCizgi"), {0, 41, w, 0.3});
    rule.shape = ShapeKind::HorizontalLine;
    head.push_back(rule);
    struct Column {
        const char* title;
        const char* field;
        double width;
        bool number;
        QString mask;
        double gap = 0; // space before the column
    };
    const Column columns[] = {{"Kodu", "Kodu", 25, false, {}},
                              {"Stok Cinsi", "Cinsi", 43, false, {}},
                              {"Miktar", "Miktari", 16, true, quantity},
                              {"Br", "Birim", 9, false, {}, 2},
                              {"B.Fiyatı", "BirimF", 18, true, price},
                              {"Tutarı", "Tutari", 20, true, money},
                              {"İskonto", "IskTutar", 18, true, money},
                              {"Kdv", "KdvOran", 9, true, QStringLiteral("#,##0.##")},
                              {"Toplam", "AraTop", 35, true, money}};
    std::vector<ElementDef> detail;
    double x = 0;
    for (const Column& c : columns) {
        x += c.gap;
        const int align = c.number ? int(Qt::AlignRight) : 0;
        head.push_back(bold(label(QStringLiteral("lbl%1").arg(QLatin1String(c.field)),
                                  {x, 43, c.width, 5}, QString::fromUtf8(c.title), align)));
        ElementDef f = field(QStringLiteral("qr%1").arg(QLatin1String(c.field)), {x, 0, c.width, 5},
                             QLatin1String(c.field), c.mask);
        f.alignment = align;
        detail.push_back(f);
        x += c.width;
    }
    def.bands.push_back(band(BandKind::PageHeader, QStringLiteral("Baslik"), 50, head));
    def.bands.push_back(band(BandKind::Detail, QStringLiteral("Detay"), 5, detail));

    // The end: the net total, the VAT and the whole, then the whole in words.
    MoneySum net;
    for (const SqlRow& r : company.connection().select(
             QStringLiteral("SELECT coalesce(\"AraTop\",0) FROM \"SipHar\" WHERE "
                            "coalesce(\"SipRef\",0) = ?"),
             {orderId}))
        net += r[0].toDouble();
    std::vector<ElementDef> end;
    const QStringList endCaptions = {QStringLiteral("TOPLAM : "), QStringLiteral("KDV TUTARI : "),
                                     QStringLiteral("GENEL TOPLAM : ")};
    const double sums[] = {company.RoundMoney(net.value()), order->kdv, order->genTop};
    for (int i = 0; i < 3; ++i) {
        end.push_back(bold(label(QStringLiteral("lblTop%1").arg(i + 1),
                                 {w - 85, 2.0 + 6 * i, 45, 5}, endCaptions[i], Qt::AlignRight)));
        end.push_back(right(label(QStringLiteral("qrTop%1").arg(i + 1),
                                  {w - 40, 2.0 + 6 * i, 40, 5}, formatNumber(sums[i], money))));
    }
    ElementDef words = label(QStringLiteral("lblYazi"), {0, 21, w, 10},
                             AmountInWords(company, company.RoundMoney(order->genTop)));
    words.wordWrap = true;
    end.push_back(words);
    def.bands.push_back(band(BandKind::Summary, QStringLiteral("Toplam"), 32, end));

    Connection::MappedReads mapped(company.connection());
    Table lines(company.connection(), QStringLiteral("SipHar"));
    lines.setReadFields({QStringLiteral("Kodu"), QStringLiteral("Cinsi"), QStringLiteral("Miktari"),
                         QStringLiteral("Birim"), QStringLiteral("BirimF"),
                         QStringLiteral("Tutari"), QStringLiteral("IskTutar"),
                         QStringLiteral("KdvOran"), QStringLiteral("AraTop")});
    lines.setFilter(QStringLiteral("SipRef = %1").arg(orderId));
    lines.setFiltered(true);
    lines.open();
    ReportRenderer renderer(def, &lines);
    return renderer.render();
}

} // namespace OrderReports
