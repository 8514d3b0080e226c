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

bool WindowRegistry::showCard(QuickCard card, Shell& shell, QWidget* parent, qint64 id) const
{
    const CardView& view = views_[int(card)];
    if (!view) return false;
    view(shell, parent, id);
    return true;
}
