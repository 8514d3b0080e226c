#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The Turkish Windows code page of the settings files.
namespace Cp1254 {

// Decodes; empty optional when a byte has no character in the code page.
std::optional<QString> decode(const QByteArray& bytes);
// Encodes; characters outside the code page become '?'.
QByteArray encode(const QString& text);

} // namespace Cp1254
