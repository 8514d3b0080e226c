#include "customers/CustomerReportParts.h"

#include "printing/ReportBuilder.h"
#include "printing/ReportRenderer.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/MoneyFormat.h"
#include "store/MoneySum.h"
#include "store/Table.h"

#include <QHash>

using namespace ReportBuilder;

namespace CustomerReports {

PageSet movementList(CompanyData& company, const MovementChoice& choice, bool letter)
{
    QString filter =
        choice.customerId ? QStringLiteral("CARef = %1 and ").arg(choice.customerId) : QString();
    filter += QStringLiteral("Tarih >= '%1' and Tarih <= '%2'")
                  .arg(dateText(choice.from), dateText(choice.to));
    filter += movementConditions(choice.kinds, choice.amounts);
    // The movements are read in date order, not in the order they were stored: map the file
    // rather than read it page by page.
    Connection::MappedReads mapped(company.connection());
    Table har(company.connection(), QStringLiteral("CarHar"));
    // The fields printed and summed; the rest of each movement is not read.
    har.setReadFields({QStringLiteral("Tarih"), QStringLiteral("BelgeNo"),
                       QStringLiteral("Aciklama"), QStringLiteral("CARef"), QStringLiteral("Borc"),
                       QStringLiteral("Alacak")});
    har.setIndexName(QStringLiteral("CarHar_1"));
    har.setFilter(filter);
    har.setFiltered(true);
    har.open();
    // The cards' current codes and titles: read once, not once per movement.
    QHash<qint64, std::pair<QString, QString>> cards;
    QString cardSql = QStringLiteral("SELECT \"Nosu\", \"CariNo\", \"Unvani\" FROM \"Cari\"");
    QVariantList cardParams;
    if (choice.customerId) {
        cardSql += QStringLiteral(" WHERE \"Nosu\" = ?");
        cardParams << choice.customerId;
    }
    for (const SqlRow& row : company.connection().select(cardSql, cardParams))
        cards.insert(row[0].toLongLong(), {row[1].toString(), row[2].toString()});

    const QString mask = company.moneyFormat();
    ReportDef def = standardReport(QStringLiteral("rprCariHareket"),
                                   QStringLiteral("CARİ İŞLEMLER DÖKÜMÜ"), letter);
    def.bands.push_back(
        band(BandKind::ColumnHeader, QStringLiteral("Kolonlar"), 7,
             {bold(label("h1", {0, 0, 18, 5}, QStringLiteral("TARİH"))),
              bold(label("h2", {18, 0, 16, 5}, QStringLiteral("Cari No"))),
              bold(label("h3", {34, 0, 48, 5}, QStringLiteral("Ünvanı"))),
              bold(label("h4", {82, 0, 20, 5}, QStringLiteral("Belge No"))),
              bold(label("h5", {102, 0, 22, 5}, QStringLiteral("AÇIKLAMA"))),
              bold(label("h6", {124, 0, 33, 5}, QStringLiteral("BORÇ"), Qt::AlignRight)),
              bold(label("h7", {157, 0, 33, 5}, QStringLiteral("ALACAK"), Qt::AlignRight))}));
    def.bands.push_back(band(
        BandKind::Detail, QStringLiteral("Detay"), 5,
        {field("f1", {0, 0, 18, 5}, "Tarih"), label("kod", {18, 0, 16, 5}, QString()),
         label("unvan", {34, 0, 48, 5}, QString()), field("f4", {82, 0, 20, 5}, "BelgeNo"),
         field("f5", {102, 0, 22, 5}, "Aciklama"), right(label("borc", {124, 0, 33, 5}, QString())),
         right(label("alacak", {157, 0, 33, 5}, QString()))}));
    def.bands.push_back(band(
        BandKind::Summary, QStringLiteral("Ozet"), 20,
        {bold(label("lblGenel", {36, 2, 86, 5}, QStringLiteral("GENEL TOPLAM :"), Qt::AlignRight)),
         right(label("tBorc", {124, 2, 33, 5}, QString())),
         right(label("tAlacak", {157, 2, 33, 5}, QString())),
         bold(label("lblBakiye", {36, 8, 86, 5}, QStringLiteral("BAKİYE :"), Qt::AlignRight)),
         right(label("tBakiye", {157, 8, 33, 5}, QString()))}));
    summaryCount(def, 14);

    MoneySum borc, alacak;
    const int cardAt = har.fieldIndex(QStringLiteral("CARef")),
              borcAt = har.fieldIndex(QStringLiteral("Borc")),
              alacakAt = har.fieldIndex(QStringLiteral("Alacak"));
    int count = 0;
    ReportRenderer renderer(def, &har);
    renderer.beforePrint = [&](BandPrint& p) {
        if (p.band.kind == BandKind::Detail) {
            // The card of the movement; blanks when it no longer exists.
            const auto card = cards.constFind(har.field(cardAt).asInt64());
            p.setText(QStringLiteral("kod"), card != cards.cend() ? card->first : QString());
            p.setText(QStringLiteral("unvan"), card != cards.cend() ? card->second : QString());
            const double b = har.field(borcAt).asFloat(), a = har.field(alacakAt).asFloat();
            p.setText(QStringLiteral("borc"),
                      b == 0 ? QString() : formatNumber(b, mask)); // a zero amount is left blank
            p.setText(QStringLiteral("alacak"), a == 0 ? QString() : formatNumber(a, mask));
            borc += b;
            alacak += a;
            ++count;
        } else if (p.band.kind == BandKind::Summary) {
            p.setText(QStringLiteral("tBorc"),
                      formatNumber(company.RoundMoney(borc.value()), mask));
            p.setText(QStringLiteral("tAlacak"),
                      formatNumber(company.RoundMoney(alacak.value()), mask));
            p.setText(QStringLiteral("tBakiye"),
                      formatNumber(company.RoundMoney((borc - alacak).value()), mask));
            p.setText(QStringLiteral("lblAdet"), QStringLiteral("Listelenen %1 adet").arg(count));
        }
    };
    return renderer.render();
}

} // namespace CustomerReports
