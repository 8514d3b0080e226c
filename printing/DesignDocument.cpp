#include "printing/DesignDocument.h"

#include <QUndoCommand>

// One step: the definition before and after it.
class DesignStep : public QUndoCommand {
public:
    DesignStep(DesignDocument& document, const QString& text, ReportDef before, ReportDef after)
        : QUndoCommand(text)
        , document_(document)
        , before_(std::move(before))
        , after_(std::move(after))
    {
    }
    void undo() override { document_.setDef(before_); }
    void redo() override { document_.setDef(after_); }

private:
    DesignDocument& document_;
    ReportDef before_, after_;
};

namespace {

// Steps kept for undoing: each holds two whole definitions.
constexpr int kUndoLimit = 200;

bool same(const ReportDef& a, const ReportDef& b)
{
    return a.toJson() == b.toJson();
}

} // namespace

DesignDocument::DesignDocument(ReportDef def, QObject* parent)
    : QObject(parent)
    , def_(std::move(def))
{
    stack_.setUndoLimit(kUndoLimit);
}

void DesignDocument::setDef(const ReportDef& def)
{
    def_ = def;
    // What was selected and is gone is no longer selected.
    QStringList kept;
    for (const QString& name : selected_)
        if (ReportDesign::find(def_, name).valid()) kept << name;
    const bool selectionLost = kept != selected_;
    selected_ = kept;
    Q_EMIT changed();
    if (selectionLost) Q_EMIT selectionChanged();
}

QString DesignDocument::change(const QString& text, const std::function<QString(ReportDef&)>& edit)
{
    ReportDef after = def_;
    if (QString refused = edit(after); !refused.isEmpty()) return refused;
    if (same(after, def_)) return QString();
    stack_.push(new DesignStep(*this, text, def_, std::move(after)));
    return QString();
}

ReportDesign::Item DesignDocument::create(int tool, int band, QPointF at, int aboveBand)
{
    ReportDesign::Item made;
    change(QStringLiteral("Ekle"), [&](ReportDef& d) {
        made = ReportDesign::create(d, tool, band, at, aboveBand);
        return QString();
    });
    if (made.valid())
        select({made.isBand() ? def_.bands[size_t(made.band)].name
                              : def_.bands[size_t(made.band)].elements[size_t(made.element)].name});
    return made;
}

void DesignDocument::beginDrag()
{
    dragStart_ = def_;
    dragging_ = true;
}

void DesignDocument::dragTo(const std::vector<std::pair<QString, QRectF>>& rects)
{
    if (!dragging_) return;
    for (const auto& [name, rect] : rects) {
        const ReportDesign::Item item = ReportDesign::find(def_, name);
        if (!item.valid() || item.isBand()) continue;
        def_.bands[size_t(item.band)].elements[size_t(item.element)].rect = rect;
    }
    Q_EMIT changed();
}

void DesignDocument::dragBand(const QString& band, double heightMm)
{
    if (!dragging_) return;
    const ReportDesign::Item item = ReportDesign::find(def_, band);
    if (!item.isBand()) return;
    def_.bands[size_t(item.band)].height = heightMm;
    Q_EMIT changed();
}

void DesignDocument::endDrag(const QString& text)
{
    if (!dragging_) return;
    dragging_ = false;
    if (same(def_, dragStart_)) return;
    ReportDef after = def_;
    def_ = dragStart_;
    stack_.push(new DesignStep(*this, text, std::move(dragStart_), std::move(after)));
}

void DesignDocument::cancelDrag()
{
    if (!dragging_) return;
    dragging_ = false;
    setDef(dragStart_);
}

void DesignDocument::select(const QStringList& names)
{
    if (names == selected_) return;
    selected_ = names;
    Q_EMIT selectionChanged();
}

ReportDesign::Item DesignDocument::current() const
{
    for (auto it = selected_.crbegin(); it != selected_.crend(); ++it)
        if (const ReportDesign::Item item = ReportDesign::find(def_, *it); item.valid())
            return item;
    return {};
}

QString DesignDocument::nudge(int dx, int dy, bool resize)
{
    return change(
        resize ? QStringLiteral("Boyutlandır") : QStringLiteral("Kaydır"), [&](ReportDef& d) {
            for (const QString& name : selected_) {
                const ReportDesign::Item item = ReportDesign::find(d, name);
                if (!item.valid()) continue;
                if (item.isBand()) {
                    if (!resize || dy == 0) continue;
                    const double height = ReportDesign::toMm(std::max(
                        1.0, std::round(ReportDesign::toPixels(d.bands[size_t(item.band)].height)) +
                                 dy));
                    if (ReportDesign::bandHeightFault(d, item.band, height).isEmpty())
                        d.bands[size_t(item.band)].height = height;
                    continue;
                }
                ElementDef& e = d.bands[size_t(item.band)].elements[size_t(item.element)];
                if (resize) {
                    QRectF r = e.rect;
                    r.setWidth(ReportDesign::toMm(
                        std::max(1.0, std::round(ReportDesign::toPixels(r.width())) + dx)));
                    r.setHeight(ReportDesign::toMm(
                        std::max(1.0, std::round(ReportDesign::toPixels(r.height())) + dy)));
                    // A size that would leave the band stays as it was.
                    if (ReportDesign::geometryFault(d, item, r).isEmpty()) e.rect = r;
                } else {
                    e.rect = ReportDesign::placeInBand(
                        d, item, e.rect.translated(ReportDesign::toMm(dx), ReportDesign::toMm(dy)));
                }
            }
            return QString();
        });
}
