#pragma once

#include <QHash>
#include <functional>

#include "app/Shell.h"

class QWidget;

// The windows of the command tree's codes. Each subsystem registers its own windows; the program
// fills one registry at start-up and the main window opens commands through it.
class WindowRegistry {
public:
    using Opener = std::function<void(Shell& shell, QWidget* parent)>;

    // Throws AppError for a code registered twice.
    void add(int code, Opener opener);
    bool contains(int code) const { return openers_.contains(code); }
    // Opens the window of a code; false for a code that no window serves yet.
    bool open(int code, Shell& shell, QWidget* parent) const;

    // The quick view of one card (customers/, stock/ register theirs), and showing it.
    using CardView = std::function<void(Shell& shell, QWidget* parent, qint64 id)>;
    void setCardView(QuickCard card, CardView view) { views_[int(card)] = std::move(view); }
    bool showCard(QuickCard card, Shell& shell, QWidget* parent, qint64 id) const;

private:
    QHash<int, Opener> openers_;
    CardView views_[2];
};
