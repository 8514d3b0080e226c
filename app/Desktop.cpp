#include "app/Desktop.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QProxyStyle>
#include <QScreen>
#include <QTranslator>
#include <QWidget>
#include <dlfcn.h>

namespace Desktop {

bool installTurkishTranslations(QApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Turkish), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QApplication::installTranslator(translator);
    return true;
}

namespace {

class PasswordStars : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter) return '*';
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

} // namespace

void usePasswordStars(QApplication&)
{
    QApplication::setStyle(new PasswordStars(QApplication::style()->name()));
}

void showCoveringScreen(QWidget& window)
{
    if (QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen())
        window.setGeometry(screen->geometry());
    window.showFullScreen();
}

bool switchLocksOn()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return false;
    // libX11 is there wherever X11 is; it is opened when needed so that the program needs no
    // X11 headers to build and runs where there is none.
    void* x11 = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
    if (!x11) return false;
    using OpenDisplay = void* (*)(const char*);
    using CloseDisplay = int (*)(void*);
    using KeysymToModifiers = unsigned int (*)(void*, unsigned long);
    using LockModifiers = int (*)(void*, unsigned int, unsigned int, unsigned int);
    using Flush = int (*)(void*);
    const auto open = reinterpret_cast<OpenDisplay>(dlsym(x11, "XOpenDisplay"));
    const auto close = reinterpret_cast<CloseDisplay>(dlsym(x11, "XCloseDisplay"));
    const auto modifiers = reinterpret_cast<KeysymToModifiers>(dlsym(x11, "XkbKeysymToModifiers"));
    const auto lock = reinterpret_cast<LockModifiers>(dlsym(x11, "XkbLockModifiers"));
    const auto flush = reinterpret_cast<Flush>(dlsym(x11, "XFlush"));
    bool done = false;
    if (open && close && modifiers && lock && flush) {
        if (void* display = open(nullptr)) {
            constexpr unsigned int kUseCoreKeyboard = 0x0100;
            constexpr unsigned int kLockMask = 1 << 1; // Caps Lock
            constexpr unsigned long kNumLockKeysym = 0xff7f;
            const unsigned int mask = kLockMask | modifiers(display, kNumLockKeysym);
            done = lock(display, kUseCoreKeyboard, mask, mask) != 0;
            flush(display);
            close(display);
        }
    }
    dlclose(x11);
    return done;
}

} // namespace Desktop
