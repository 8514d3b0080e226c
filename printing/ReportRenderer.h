#pragma once

#include "printing/PageSet.h"
#include "printing/ReportDef.h"

#include <QHash>
#include <QImage>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class Table;

// What a before-print handler may change for the band about to print.
// A few values by element name. A band sets two or three: looking them up one by one costs less
// than hashing every element's name.
template <typename T> class ElementValues {
public:
    void insert(const QString& name, T value)
    {
        if (items_.empty()) items_.reserve(8); // one allocation for the few a band sets
        for (auto& [n, v] : items_)
            if (n == name) {
                v = std::move(value);
                return;
            }
        items_.emplace_back(name, std::move(value));
    }
    const T* find(const QString& name) const
    {
        for (const auto& [n, v] : items_)
            if (n == name) return &v;
        return nullptr;
    }
    T value(const QString& name, const T& fallback) const
    {
        const T* found = find(name);
        return found ? *found : fallback;
    }

private:
    std::vector<std::pair<QString, T>> items_;
};

struct BandPrint {
    const BandDef& band;
    ElementValues<QString> texts;   // element name → text to print instead
    ElementValues<bool> enabled;    // element name → printed or not
    ElementValues<QImage> pictures; // picture element name → the picture to draw in its frame
    bool print = true;
    int page = 0;          // the page the band prints on, from 1
    bool lastPage = false; // a page footer closing the report's last page

    void setText(const QString& element, const QString& text) { texts.insert(element, text); }
    void setPicture(const QString& element, QImage picture)
    {
        pictures.insert(element, std::move(picture));
    }
    void setEnabled(const QString& element, bool on) { enabled.insert(element, on); }
    void suppress() { print = false; }
};

// Lays a report definition out over its master table: walks the table in its current order and
// filter, measures each band, places it when it fits and otherwise starts a new page (the page
// footer's height kept free), and fires the events. Never processes UI events; a progress
// handler may cancel between pages.
class ReportRenderer {
public:
    ReportRenderer(const ReportDef& def, Table* master);
    ~ReportRenderer();

    // The sub-detail band runs over `table` once per master record, after `prepare` has set it
    // to that record's rows.
    void setSubDetail(Table* table, std::function<void()> prepare);
    // The same, where `prepare` may answer false: this master record has no rows (the table is
    // not read at all).
    void setSubDetailWhen(Table* table, std::function<bool()> prepare);

    // A further table whose fields elements name as "Table.Field" (a document's header beside
    // its lines); it stays where its owner put it.
    void addTable(Table* table);

    // Without a master table: the detail band prints this many times (labels, copies).
    void setCopies(int copies);
    // A master table without records makes no page at all (no header, no summary of 0).
    void setNothingWhenEmpty(bool on);

    std::function<void()> beforeReport;
    std::function<void(BandPrint&)> beforePrint;
    std::function<void(const BandDef&)> afterPrint;
    // Called after each finished page with the page count; false cancels.
    std::function<bool(int pages)> progress;

    // Renders the whole report.
    PageSet render();
    // The definition as the designer shows it: one page as wide as the report's, its bands one
    // under the other from the top margin in the designer's order, every element drawn as the
    // print draws it (hidden ones too), fields and expressions by what they print.
    static PageSet designView(const ReportDef& def);

    // The same in steps, for a preview that shows the first pages while the rest are made:
    // start(), then step() until it returns true; pages() grows meanwhile.
    void start();
    bool step(int pages);
    void cancel();
    bool done() const;
    const PageSet& pages() const;
    // Something the report could not print as asked, told once in the pages' warnings.
    void warn(const QString& warning);
    PageSet takePages();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// A report ready to be made in steps (the preview shows its first page at once); `state` keeps
// what its handlers work on alive as long as the renderer.
struct RunningReport {
    std::shared_ptr<void> state;
    std::unique_ptr<ReportRenderer> renderer;
};
