#include "app/Commands.h"

#include "customers/CarHar.h"
#include "customers/CarKart.h"
#include "customers/CariRapor.h"

#include <QHash>
#include <functional>

namespace {

using Opener = std::function<void(Shell&, QWidget*)>;

// One line per command code as its window arrives.
const QHash<int, Opener>& openers()
{
    static const QHash<int, Opener> map = {
        {2101,
         [](Shell& shell, QWidget* parent) {
             TfrmCarKart window(shell, parent);
             window.run();
         }},
        {2201, [](Shell& shell, QWidget* parent) { TfrmCarHar::open(shell, parent); }},
        {2301, [](Shell& shell, QWidget* parent) { TfrmCariListeR(shell, parent).run(); }},
        {2302, [](Shell& shell, QWidget* parent) { TfrmCariDurumR(shell, parent).run(); }},
        {2303, [](Shell& shell, QWidget* parent) { TfrmCariHareketR(shell, parent).run(); }},
        {2304, [](Shell& shell, QWidget* parent) { TfrmCariEkstreR(shell, parent).run(); }},
    };
    return map;
}

} // namespace

bool openCommandWindow(int code, Shell& shell, QWidget* parent)
{
    const auto it = openers().find(code);
    if (it == openers().end()) return false;
    (*it)(shell, parent);
    return true;
}
