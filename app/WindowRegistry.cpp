#include "app/WindowRegistry.h"

#include "store/AppError.h"

void WindowRegistry::add(int code, Opener opener)
{
    if (openers_.contains(code))
        throw AppError(QStringLiteral("%1 kodlu pencere iki kez tanımlanmış.").arg(code));
    openers_.insert(code, std::move(opener));
}

bool WindowRegistry::open(int code, Shell& shell, QWidget* parent) const
{
    const auto it = openers_.find(code);
    if (it == openers_.end()) return false;
    (*it)(shell, parent);
    return true;
}
