#pragma once

#include <QString>

// The orders of customer cards that lists, pick lists and reports offer: by code (Cari_1), by
// title (Cari_2) and by contact person (Cari_3). Each window words its choices its own way.
namespace CustomerOrder {
enum { Code, Title, Contact };
inline QString indexName(int order)
{
    return order == Title     ? QStringLiteral("Cari_2")
           : order == Contact ? QStringLiteral("Cari_3")
                              : QStringLiteral("Cari_1");
}
} // namespace CustomerOrder
