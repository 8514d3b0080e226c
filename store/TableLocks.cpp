#include "store/TableLocks.h"

#include "store/AppError.h"
#include "store/Connection.h"

#include <QHash>
#include <QMutex>
#include <memory>

namespace TableLocks {
namespace {

struct Holding {
    int shared = 0;
    bool exclusive = false;
};

struct Place {
    std::shared_ptr<OpenLocks> locks;
    QHash<int, Holding> tables;
};

// Locks belong to the program (fcntl locks to the process and vanish when any descriptor of
// the file closes; advisory locks to one server session), so the program keeps one lock place
// per set of tables and counts its own holders here.
QMutex mutex;
QHash<QString, Place>& places()
{
    static QHash<QString, Place> map;
    return map;
}

} // namespace

void acquire(const Connection& connection, int tableId, bool exclusive, const QString& tableName)
{
    QMutexLocker locker(&mutex);
    Place& place = places()[connection.lockKey()];
    if (!place.locks) place.locks = connection.openLocks();
    Holding& holding = place.tables[tableId];
    const auto busy = [&] {
        return AppError(exclusive ? QStringLiteral("%1 tablosu başka bir yerde açık; tek "
                                                   "kullanıcılı açılamadı.")
                                        .arg(tableName)
                                  : QStringLiteral("%1 tablosu başka bir kullanıcı tarafından "
                                                   "tek kullanıcılı açılmış.")
                                        .arg(tableName));
    };
    if (holding.exclusive || (exclusive && holding.shared > 0)) throw busy();
    if (!place.locks->usable()) {
        // No lock file and no way to make one: the directory is read-only, so nobody writes
        // here and shared reading is safe; exclusivity cannot be promised.
        if (exclusive) throw busy();
        ++holding.shared;
        return;
    }
    const bool first = holding.shared == 0;
    if ((exclusive || first) && !place.locks->lock(tableId, exclusive)) throw busy();
    if (exclusive)
        holding.exclusive = true;
    else
        ++holding.shared;
}

void release(const Connection& connection, int tableId, bool exclusive)
{
    QMutexLocker locker(&mutex);
    auto placeIt = places().find(connection.lockKey());
    if (placeIt == places().end()) return;
    auto it = placeIt->tables.find(tableId);
    if (it == placeIt->tables.end()) return;
    if (exclusive)
        it->exclusive = false;
    else if (it->shared > 0)
        --it->shared;
    if (!it->exclusive && it->shared == 0) {
        if (placeIt->locks->usable()) placeIt->locks->unlock(tableId, exclusive);
        placeIt->tables.erase(it);
        // The last table released lets the place go, and with it a server lock connection.
        if (placeIt->tables.isEmpty()) places().erase(placeIt);
    }
}

} // namespace TableLocks
