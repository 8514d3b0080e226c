#pragma once

#include <QString>

// The orders of stock cards that lists, pick lists and reports offer: by code (Stok_1) and by
// description (Stok_2).
namespace StockOrder {
enum { Code, Name };
inline QString indexName(int order)
{
    return order == Name ? QStringLiteral("Stok_2") : QStringLiteral("Stok_1");
}
} // namespace StockOrder
