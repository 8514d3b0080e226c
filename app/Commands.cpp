#include "app/Commands.h"

#include <QHash>
#include <functional>

namespace {

using Opener = std::function<void(Shell&, QWidget*)>;

// One line per command code as its window arrives.
const QHash<int, Opener>& openers()
{
    static const QHash<int, Opener> map;
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
