#include "printing/DesignSurface.h"

#include "printing/ReportRenderer.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

using namespace ReportDesign;

namespace {

constexpr double kOrigin = 16;  // surface pixels round the page
constexpr double kHandle = 6;   // a handle's side, surface pixels
constexpr double kBandEdge = 4; // how near a band's bottom edge the pointer sizes the band
constexpr double kMinZoom = 0.25, kMaxZoom = 4;

} // namespace

DesignSurface::DesignSurface(DesignDocument& document, QWidget* parent)
    : QWidget(parent)
    , doc_(document)
{
    setObjectName(QStringLiteral("tasarimYuzeyi"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&doc_, &DesignDocument::changed, this, &DesignSurface::refresh);
    connect(&doc_, &DesignDocument::selectionChanged, this, qOverload<>(&QWidget::update));
    refresh();
}

void DesignSurface::refresh()
{
    view_ = ReportRenderer::designView(doc_.def());
    places_ = bandOrder(doc_.def());
    const QSize wanted = sizeHint();
    if (size() != wanted) resize(wanted);
    update();
}

void DesignSurface::setGrid(bool on)
{
    grid_ = on;
    update();
}

void DesignSurface::setZoom(double zoom)
{
    zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
    resize(sizeHint());
    update();
}

double DesignSurface::scale() const
{
    return zoom_ / kPixelMm;
}

QSize DesignSurface::sizeHint() const
{
    const QSizeF page = view_.pageCount() ? view_.page(0)->size : QSizeF(210, 100);
    return QSize(int(std::ceil(page.width() * scale() + 2 * kOrigin)),
                 int(std::ceil(page.height() * scale() + 2 * kOrigin)));
}

QPointF DesignSurface::toSurface(QPointF mm) const
{
    return QPointF(kOrigin, kOrigin) + mm * scale();
}

QPointF DesignSurface::toReport(QPointF surface) const
{
    return (surface - QPointF(kOrigin, kOrigin)) / scale();
}

double DesignSurface::bandTop(int band) const
{
    for (const BandPlace& p : places_)
        if (p.band == band) return doc_.def().page.top + p.top;
    return 0;
}

QRectF DesignSurface::surfaceRect(Item item) const
{
    const ReportDef& def = doc_.def();
    if (!item.valid()) return {};
    const double top = bandTop(item.band);
    QRectF mm;
    if (item.isBand())
        mm = QRectF(def.page.left, top, printableWidth(def), def.bands[size_t(item.band)].height);
    else
        mm = def.bands[size_t(item.band)].elements[size_t(item.element)].rect.translated(
            def.page.left, top);
    return QRectF(toSurface(mm.topLeft()), mm.size() * scale());
}

Item DesignSurface::itemAt(QPointF surface) const
{
    const ReportDef& def = doc_.def();
    const QPointF mm = toReport(surface);
    if (mm.x() < 0 || mm.x() > def.page.size().width()) return {};
    const int band = bandAt(def, places_, mm.y() - def.page.top);
    if (band < 0) return {};
    const auto& elements = def.bands[size_t(band)].elements;
    for (int e = int(elements.size()) - 1; e >= 0; --e)
        if (surfaceRect({band, e}).adjusted(-1, -1, 1, 1).contains(surface)) return {band, e};
    return {band, -1};
}

int DesignSurface::handleAt(QPointF surface) const
{
    const Item current = doc_.current();
    if (!current.valid() || current.isBand()) return -1;
    const QRectF r = surfaceRect(current);
    const QPointF points[8] = {
        r.topLeft(),     {r.center().x(), r.top()},    r.topRight(),   {r.right(), r.center().y()},
        r.bottomRight(), {r.center().x(), r.bottom()}, r.bottomLeft(), {r.left(), r.center().y()}};
    for (int i = 0; i < 8; ++i)
        if (QRectF(points[i] - QPointF(kHandle, kHandle) / 2, QSizeF(kHandle, kHandle))
                .adjusted(-2, -2, 2, 2)
                .contains(surface))
            return i;
    return -1;
}

void DesignSurface::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor(160, 160, 160));
    if (!view_.pageCount()) return;
    const ReportDef& def = doc_.def();
    const QSizeF page = view_.page(0)->size;
    painter.fillRect(QRectF(toSurface({0, 0}), page * scale()), Qt::white);
    // The printable area's edges.
    painter.setPen(QPen(QColor(200, 200, 200), 1, Qt::DotLine));
    painter.drawRect(QRectF(
        toSurface({def.page.left, def.page.top}),
        QSizeF(printableWidth(def), page.height() - def.page.top - def.page.bottom) * scale()));
    // The grid, where its points stand far enough apart to be seen.
    if (grid_ && kGrid * zoom_ >= 6) {
        painter.setPen(QColor(190, 190, 190));
        for (const BandPlace& p : places_) {
            const QRectF band = surfaceRect({p.band, -1});
            const QRectF shown = band.intersected(event->rect());
            if (shown.isEmpty()) continue;
            const double step = kGrid * zoom_;
            for (double y = band.top() + std::ceil((shown.top() - band.top()) / step) * step;
                 y < shown.bottom(); y += step)
                for (double x = band.left() + std::ceil((shown.left() - band.left()) / step) * step;
                     x < shown.right(); x += step)
                    painter.drawPoint(QPointF(x, y));
        }
    }
    // The elements, painted as the print paints them.
    painter.save();
    painter.translate(toSurface({0, 0}));
    const double perMm = painter.device()->logicalDpiX() / 25.4;
    painter.scale(scale() / perMm, scale() / perMm);
    view_.paint(0, painter);
    painter.restore();
    // Every element's box, faintly.
    painter.setPen(QPen(QColor(170, 170, 170), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    for (const BandPlace& p : places_)
        for (int e = 0; e < int(def.bands[size_t(p.band)].elements.size()); ++e)
            painter.drawRect(surfaceRect({p.band, e}));
    // Each band's bottom edge and name.
    QFont small = font();
    small.setPointSizeF(7);
    painter.setFont(small);
    for (const BandPlace& p : places_) {
        const QRectF band = surfaceRect({p.band, -1});
        const bool chosen = doc_.selection().contains(def.bands[size_t(p.band)].name);
        painter.setPen(chosen ? QPen(QColor(0, 90, 200), 2)
                              : QPen(QColor(120, 120, 120), 1, Qt::DashLine));
        painter.drawLine(band.bottomLeft(), band.bottomRight());
        painter.setPen(QColor(110, 110, 110));
        painter.drawText(band.adjusted(0, 0, -2, -1), Qt::AlignRight | Qt::AlignBottom,
                         def.bands[size_t(p.band)].name);
    }
    // The selection; the current element with its handles.
    const Item current = doc_.current();
    for (const QString& name : doc_.selection()) {
        const Item item = ReportDesign::find(def, name);
        if (!item.valid() || item.isBand()) continue;
        const QRectF r = surfaceRect(item);
        painter.setPen(QPen(QColor(0, 90, 200), 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r);
        if (!(item == current)) continue;
        painter.setPen(QColor(0, 60, 160));
        painter.setBrush(QColor(0, 90, 200));
        for (const QPointF& point : {r.topLeft(), QPointF(r.center().x(), r.top()), r.topRight(),
                                     QPointF(r.right(), r.center().y()), r.bottomRight(),
                                     QPointF(r.center().x(), r.bottom()), r.bottomLeft(),
                                     QPointF(r.left(), r.center().y())})
            painter.drawRect(
                QRectF(point - QPointF(kHandle, kHandle) / 2, QSizeF(kHandle, kHandle)));
    }
}

void DesignSurface::mousePressEvent(QMouseEvent* event)
{
    setFocus();
    const QPointF at = event->position();
    const ReportDef& def = doc_.def();
    const QPointF mm = toReport(at);
    const Item item = itemAt(at);
    if (event->button() == Qt::RightButton) {
        QString name;
        if (item.valid())
            name = item.isBand() ? def.bands[size_t(item.band)].name
                                 : def.bands[size_t(item.band)].elements[size_t(item.element)].name;
        doc_.select(name.isEmpty() ? QStringList() : QStringList{name});
        Q_EMIT contextMenuAt(name, event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    if (tool_ > 0) {
        const bool bandTool = tools()[size_t(tool_)].band;
        const int band = item.valid() ? item.band : -1;
        // The band above a click outside the bands: the last one over the click.
        int above = -1;
        for (const BandPlace& p : places_)
            if (def.page.top + p.top + def.bands[size_t(p.band)].height <= mm.y()) above = p.band;
        const QPointF inBand = band >= 0 ? mm - QPointF(def.page.left, bandTop(band)) : QPointF();
        if (!bandTool && (inBand.x() < 0 || inBand.x() > printableWidth(def))) return;
        if (doc_.create(tool_, band, inBand, above).valid()) {
            tool_ = 0;
            Q_EMIT toolUsed();
        }
        return;
    }
    dragFrom_ = mm;
    if (const int handle = handleAt(at); handle >= 0) {
        const Item current = doc_.current();
        handle_ = handle;
        drag_ = Drag::Resize;
        dragStart_ = {{def.bands[size_t(current.band)].elements[size_t(current.element)].name,
                       def.bands[size_t(current.band)].elements[size_t(current.element)].rect}};
        doc_.beginDrag();
        return;
    }
    if (item.valid() && !item.isBand()) {
        const QString name = def.bands[size_t(item.band)].elements[size_t(item.element)].name;
        QStringList selection = doc_.selection();
        if (event->modifiers() & Qt::ShiftModifier) {
            if (selection.contains(name))
                selection.removeAll(name);
            else
                selection << name;
            doc_.select(selection);
            return;
        }
        if (!selection.contains(name))
            doc_.select({name});
        else { // the one clicked becomes the current one
            selection.removeAll(name);
            selection << name;
            doc_.select(selection);
        }
        dragStart_.clear();
        for (const QString& n : doc_.selection()) {
            const Item i = ReportDesign::find(def, n);
            if (i.valid() && !i.isBand())
                dragStart_.push_back(
                    {n, def.bands[size_t(i.band)].elements[size_t(i.element)].rect});
        }
        drag_ = Drag::Move;
        doc_.beginDrag();
        return;
    }
    if (item.isBand()) {
        const QString name = def.bands[size_t(item.band)].name;
        doc_.select({name});
        if (std::abs(at.y() - surfaceRect(item).bottom()) <= kBandEdge) {
            drag_ = Drag::Band;
            dragBand_ = name;
            bandStart_ = def.bands[size_t(item.band)].height;
            doc_.beginDrag();
        }
        return;
    }
    doc_.select({});
}

void DesignSurface::resizeTo(QPointF mm, bool free)
{
    const ReportDef& def = doc_.def();
    const Item item = ReportDesign::find(def, dragStart_.front().first);
    if (!item.valid()) return;
    const QPointF origin(def.page.left, bandTop(item.band));
    QPointF p = mm - origin;
    const auto snap = [&](double v) {
        const double px = toPixels(v);
        return toMm(free ? std::round(px) : std::round(px / kGrid) * kGrid);
    };
    p = QPointF(std::clamp(snap(p.x()), 0.0, printableWidth(def)),
                std::clamp(snap(p.y()), 0.0, def.bands[size_t(item.band)].height));
    QRectF r = dragStart_.front().second;
    const double one = toMm(1);
    switch (handle_) {
    case 0:
        r.setTopLeft(QPointF(std::min(p.x(), r.right() - one), std::min(p.y(), r.bottom() - one)));
        break;
    case 1:
        r.setTop(std::min(p.y(), r.bottom() - one));
        break;
    case 2:
        r.setTopRight(QPointF(std::max(p.x(), r.left() + one), std::min(p.y(), r.bottom() - one)));
        break;
    case 3:
        r.setRight(std::max(p.x(), r.left() + one));
        break;
    case 4:
        r.setBottomRight(QPointF(std::max(p.x(), r.left() + one), std::max(p.y(), r.top() + one)));
        break;
    case 5:
        r.setBottom(std::max(p.y(), r.top() + one));
        break;
    case 6:
        r.setBottomLeft(QPointF(std::min(p.x(), r.right() - one), std::max(p.y(), r.top() + one)));
        break;
    case 7:
        r.setLeft(std::min(p.x(), r.right() - one));
        break;
    default:
        break;
    }
    doc_.dragTo({{dragStart_.front().first, r}});
}

void DesignSurface::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF mm = toReport(event->position());
    const bool free = event->modifiers() & Qt::ControlModifier;
    switch (drag_) {
    case Drag::Move: {
        const QPointF delta = mm - dragFrom_;
        std::vector<std::pair<QString, QRectF>> rects;
        for (const auto& [name, start] : dragStart_)
            rects.push_back({name, placeInBand(doc_.def(), ReportDesign::find(doc_.def(), name),
                                               start.translated(delta), free ? 0 : kGrid)});
        doc_.dragTo(rects);
        return;
    }
    case Drag::Resize:
        resizeTo(mm, free);
        return;
    case Drag::Band: {
        const ReportDef& def = doc_.def();
        const Item band = ReportDesign::find(def, dragBand_);
        double lowest = toMm(1);
        for (const ElementDef& e : def.bands[size_t(band.band)].elements)
            lowest = std::max(lowest, e.rect.bottom());
        double px = toPixels(bandStart_ + mm.y() - dragFrom_.y());
        px = free ? std::round(px) : std::round(px / kGrid) * kGrid;
        const double height = std::clamp(toMm(px), lowest, printableHeight(def));
        doc_.dragBand(dragBand_, height);
        return;
    }
    case Drag::None:
        break;
    }
    // The pointer tells what a press would do.
    if (tool_ > 0)
        setCursor(Qt::CrossCursor);
    else if (const int h = handleAt(event->position()); h >= 0)
        setCursor(h % 4 == 0   ? Qt::SizeFDiagCursor
                  : h % 4 == 2 ? Qt::SizeBDiagCursor
                  : h % 4 == 1 ? Qt::SizeVerCursor
                               : Qt::SizeHorCursor);
    else if (const Item item = itemAt(event->position());
             item.isBand() &&
             std::abs(event->position().y() - surfaceRect(item).bottom()) <= kBandEdge)
        setCursor(Qt::SizeVerCursor);
    else
        setCursor(Qt::ArrowCursor);
}

void DesignSurface::mouseReleaseEvent(QMouseEvent*)
{
    if (drag_ == Drag::None) return;
    const Drag was = drag_;
    drag_ = Drag::None;
    doc_.endDrag(was == Drag::Move ? QStringLiteral("Taşı") : QStringLiteral("Boyutlandır"));
}

bool DesignSurface::cancelDrag()
{
    if (drag_ == Drag::None) return false;
    drag_ = Drag::None;
    doc_.cancelDrag();
    return true;
}

void DesignSurface::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && cancelDrag()) return;
    const int step = event->modifiers() & Qt::ControlModifier ? kGrid : 1;
    const bool size = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Left:
        doc_.nudge(-step, 0, size);
        return;
    case Qt::Key_Right:
        doc_.nudge(step, 0, size);
        return;
    case Qt::Key_Up:
        doc_.nudge(0, -step, size);
        return;
    case Qt::Key_Down:
        doc_.nudge(0, step, size);
        return;
    case Qt::Key_Delete:
        Q_EMIT deleteRequested();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void DesignSurface::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore(); // the scroll area scrolls
        return;
    }
    setZoom(event->angleDelta().y() > 0 ? zoom_ * 1.25 : zoom_ / 1.25);
    event->accept();
}
