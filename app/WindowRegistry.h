#pragma once

#include <QHash>
#include <functional>

struct Shell;
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

private:
    QHash<int, Opener> openers_;
};
