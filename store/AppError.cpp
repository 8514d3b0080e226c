#include "store/AppError.h"

AppError::AppError(const QString& message)
    : std::runtime_error(message.toStdString())
    , message_(message)
{
}

AppError::AppError(const QString& message, const QString& detail)
    : std::runtime_error((detail.isEmpty() ? message : message + " (" + detail + ")").toStdString())
    , message_(message)
    , detail_(detail)
{
}
