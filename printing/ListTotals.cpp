#include "printing/ListTotals.h"

#include "printing/ReportBuilder.h"
#include "printing/ReportRenderer.h"

using namespace ReportBuilder;

ListTotals::ListTotals(ReportDef& def, const QRectF& caption, std::vector<QRectF> columns,
                       std::function<QString(const MoneySum&)> format)
    : sums_(columns.size())
    , format_(std::move(format))
{
    def.page.footerOnLastPage = false; // the last page has the summary instead
    const auto row = [&](const QString& prefix, double y) {
        std::vector<ElementDef> e = {
            bold(label(prefix + QStringLiteral("Baslik"), caption.translated(0, y),
                       QStringLiteral("TOPLAM :"), Qt::AlignRight))};
        for (size_t i = 0; i < columns.size(); ++i)
            e.push_back(bold(
                right(label(prefix + QString::number(i), columns[i].translated(0, y), QString()))));
        return e;
    };
    def.bands.push_back(
        band(BandKind::PageFooter, QStringLiteral("SayfaSonu"), 7, row(QStringLiteral("s"), 1)));
    def.bands.push_back(
        band(BandKind::Summary, QStringLiteral("Ozet"), 16, row(QStringLiteral("l"), 2)));
    summaryCount(def, 9);
}

void ListTotals::put(BandPrint& print, const QString& prefix) const
{
    for (size_t i = 0; i < sums_.size(); ++i)
        print.setText(prefix + QString::number(i), format_(sums_[i]));
}

bool ListTotals::fill(BandPrint& print) const
{
    if (print.band.kind == BandKind::PageFooter) {
        // Nothing listed: no totals at the foot either.
        if (count_ == 0)
            print.suppress();
        else
            put(print, QStringLiteral("s"));
        return true;
    }
    if (print.band.kind == BandKind::Summary) {
        put(print, QStringLiteral("l"));
        print.setText(QStringLiteral("lblAdet"), QStringLiteral("Listelenen %1 adet").arg(count_));
        return true;
    }
    return false;
}

void ListTotals::add(std::initializer_list<double> values)
{
    size_t i = 0;
    for (double v : values)
        if (i < sums_.size()) sums_[i++] += v;
    ++count_;
}
