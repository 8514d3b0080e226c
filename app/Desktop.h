#pragma once

class QApplication;
class QWidget;

// What the program sets up on the desktop before its first window.
namespace Desktop {

// Qt's own dialogs and menus (file, print, page set-up, the edit menu) in Turkish.
// False when Qt's Turkish translation is not installed.
bool installTurkishTranslations(QApplication& app);

// Password fields show "*" for every character, as everywhere in the program.
void usePasswordStars(QApplication& app);

// Switches Caps Lock and Num Lock on, so that codes are typed in capitals and Shift with a
// letter stays free for the macros. Possible on X11 only (through XKB); false elsewhere, for
// example on Wayland, where Users.ini's MAKROTUSU=1 moves the macros to Ctrl+Shift+letter.
bool switchLocksOn();

// Shows a window over the whole screen. Full screen is a window manager's matter; without one
// (a kiosk, a bare X server) the window is given the screen's size itself first.
void showCoveringScreen(QWidget& window);

} // namespace Desktop
