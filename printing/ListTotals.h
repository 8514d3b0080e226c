#pragma once

#include "printing/ReportDef.h"
#include "store/MoneySum.h"

#include <functional>
#include <vector>

struct BandPrint;

// The running totals of a list report: "TOPLAM :" with the sums of the records printed so far at
// the foot of every page but the last (none at all while nothing is listed), and the same sums
// with "Listelenen N adet" in the summary on the last page.
class ListTotals {
public:
    // Adds the page foot and the summary to `def`: the caption right-aligned in `caption`, the
    // sums in `columns` (rectangles of a band's top), each written by `format`.
    ListTotals(ReportDef& def, const QRectF& caption, std::vector<QRectF> columns,
               std::function<QString(const MoneySum&)> format);

    // For the renderer's beforePrint: fills the page foot or the summary (true when the band was
    // one of them).
    bool fill(BandPrint& print) const;
    // Once a record is on paper: its values in the order of the columns.
    void add(std::initializer_list<double> values);
    int count() const { return count_; }

private:
    void put(BandPrint& print, const QString& prefix) const;

    std::vector<MoneySum> sums_;
    std::function<QString(const MoneySum&)> format_;
    int count_ = 0;
};
