#pragma once

#include "printing/ReportDesign.h"

#include <QObject>
#include <QStringList>
#include <QUndoStack>
#include <functional>

// A definition being designed, with its undo history: every change is one step that holds the
// definition before and after it, so undoing returns to the very bytes it came from. A drag
// changes the definition as it goes and becomes one step when it ends. Items are kept selected
// by name, which stays true when others are added, removed or reordered.
class DesignDocument : public QObject {
    Q_OBJECT
public:
    explicit DesignDocument(ReportDef def, QObject* parent = nullptr);

    const ReportDef& def() const { return def_; }
    QUndoStack& undoStack() { return stack_; }
    bool modified() const { return !stack_.isClean(); }
    void setSaved() { stack_.setClean(); }

    // Applies a change as one step named `text`. The change works on a copy; what it returns
    // is why it was refused (nothing changes, no step). A change that changes nothing makes no
    // step either.
    QString change(const QString& text, const std::function<QString(ReportDef&)>& edit);

    // Creating with a tool (see ReportDesign::create): the new item, selected; invalid when the
    // tool made nothing there.
    ReportDesign::Item create(int tool, int band, QPointF at, int aboveBand = -1);

    // Moving or sizing by the mouse: begin keeps the definition as it was, update sets the
    // items' rectangles (clamped to their bands), end makes the one step, cancel puts back.
    void beginDrag();
    void dragTo(const std::vector<std::pair<QString, QRectF>>& rects);
    void dragBand(const QString& band, double heightMm);
    void endDrag(const QString& text);
    void cancelDrag();
    bool dragging() const { return dragging_; }

    QStringList selection() const { return selected_; }
    void select(const QStringList& names);
    ReportDesign::Item current() const; // the last selected item still there

    // Arrows: move the selection by pixels (clamped), or size it (Shift).
    QString nudge(int dx, int dy, bool resize);

Q_SIGNALS:
    void changed();          // the definition changed (a step, an undo, a redo, a drag)
    void selectionChanged(); // the selected names changed

private:
    friend class DesignStep;
    void setDef(const ReportDef& def);

    ReportDef def_;
    ReportDef dragStart_;
    bool dragging_ = false;
    QUndoStack stack_;
    QStringList selected_;
};
