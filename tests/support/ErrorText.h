#pragma once

#include "store/AppError.h"

#include <QString>
#include <functional>

// The message of the AppError an action throws; empty when it throws none.
inline QString messageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const AppError& e) {
        return e.message();
    }
    return QString();
}
