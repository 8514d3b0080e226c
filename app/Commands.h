#pragma once

#include "app/Shell.h"

class QWidget;

// Opens the window of a command code of the tree. Returns false for a code that no window
// serves yet, which then changes nothing.
bool openCommandWindow(int code, Shell& shell, QWidget* parent);
