#pragma once

#include "printing/DesignDocument.h"
#include "printing/PageSet.h"

#include <QWidget>

// The page being designed: its bands one under the other, each element drawn as the print draws
// it, the selection with its handles. The pointer selects (Shift adds), drags elements within
// their band (on a 4-pixel grid unless Ctrl is held), sizes them by their eight handles and
// bands by their bottom edge; Esc cancels a drag. With a tool down a click creates its item.
// Arrows nudge a pixel (Ctrl: a grid step; Shift: size), Del deletes, Ctrl+wheel zooms.
class DesignSurface : public QWidget {
    Q_OBJECT
public:
    explicit DesignSurface(DesignDocument& document, QWidget* parent = nullptr);

    void setTool(int tool) { tool_ = tool; }
    int tool() const { return tool_; }
    void setGrid(bool on);
    bool grid() const { return grid_; }
    double zoom() const { return zoom_; }
    void setZoom(double zoom);

    static constexpr int kGrid = 4; // pixels
    // Where a point of the report (mm from the page's top left) is on the surface, and back.
    QPointF toSurface(QPointF mm) const;
    QPointF toReport(QPointF surface) const;
    // The item under a surface point: an element, else a band; invalid on the page outside.
    ReportDesign::Item itemAt(QPointF surface) const;
    // An element's or band's rectangle on the surface.
    QRectF surfaceRect(ReportDesign::Item item) const;

    QSize sizeHint() const override;
    // Puts back what a drag under way changed (Esc); false when no drag was under way.
    bool cancelDrag();

Q_SIGNALS:
    void toolUsed();                                           // the pointer comes back
    void contextMenuAt(const QString& item, QPoint globalPos); // empty item: the report
    void deleteRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    enum class Drag { None, Move, Resize, Band };
    void refresh();
    double scale() const; // surface pixels per millimetre
    double bandTop(int band) const;
    int handleAt(QPointF surface) const; // 0–7 of the current element, -1 for none
    void resizeTo(QPointF mm, bool free);

    DesignDocument& doc_;
    PageSet view_;
    std::vector<ReportDesign::BandPlace> places_;
    int tool_ = 0;
    bool grid_ = true;
    double zoom_ = 1;
    Drag drag_ = Drag::None;
    QPointF dragFrom_; // mm on the page
    std::vector<std::pair<QString, QRectF>> dragStart_;
    int handle_ = -1;
    QString dragBand_;
    double bandStart_ = 0;
};
