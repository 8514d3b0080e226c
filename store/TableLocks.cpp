#include "store/TableLocks.h"

#include "store/AppError.h"

#include <QHash>
#include <QMutex>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace TableLocks {
namespace {

struct Holding {
    int shared = 0;
    bool exclusive = false;
};

struct LockFile {
    int fd = -1;
    QHash<int, Holding> tables;
};

// fcntl locks belong to the process and vanish when any descriptor of the file closes, so
// the process keeps exactly one descriptor per lock file and counts its own holders here.
QMutex mutex;
QHash<QString, LockFile>& files()
{
    static QHash<QString, LockFile> map;
    return map;
}

bool setLock(int fd, int tableId, short type)
{
    struct flock request {};
    request.l_type = type;
    request.l_whence = SEEK_SET;
    request.l_start = tableId;
    request.l_len = 1;
    while (fcntl(fd, F_SETLK, &request) == -1) {
        if (errno != EINTR) return false;
    }
    return true;
}

} // namespace

void acquire(const QString& lockFilePath, int tableId, bool exclusive, const QString& tableName)
{
    QMutexLocker locker(&mutex);
    LockFile& file = files()[lockFilePath];
    if (file.fd < 0) {
        const QByteArray path = lockFilePath.toLocal8Bit();
        file.fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (file.fd < 0) file.fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    }
    Holding& holding = file.tables[tableId];
    const auto busy = [&] {
        return AppError(exclusive ? QStringLiteral("%1 tablosu başka bir yerde açık; tek "
                                                   "kullanıcılı açılamadı.")
                                        .arg(tableName)
                                  : QStringLiteral("%1 tablosu başka bir kullanıcı tarafından "
                                                   "tek kullanıcılı açılmış.")
                                        .arg(tableName));
    };
    if (holding.exclusive || (exclusive && holding.shared > 0)) throw busy();
    if (file.fd < 0) {
        // No lock file and no way to make one: the directory is read-only, so nobody writes
        // here and shared reading is safe; exclusivity cannot be promised.
        if (exclusive) throw busy();
        ++holding.shared;
        return;
    }
    const bool first = holding.shared == 0;
    if (exclusive || first) {
        // A lock file we may only read carries read locks but no write lock, so on a
        // read-only directory shared opens work and exclusive ones are refused.
        if (!setLock(file.fd, tableId, exclusive ? F_WRLCK : F_RDLCK)) throw busy();
    }
    if (exclusive)
        holding.exclusive = true;
    else
        ++holding.shared;
}

void release(const QString& lockFilePath, int tableId, bool exclusive)
{
    QMutexLocker locker(&mutex);
    auto fileIt = files().find(lockFilePath);
    if (fileIt == files().end()) return;
    auto it = fileIt->tables.find(tableId);
    if (it == fileIt->tables.end()) return;
    if (exclusive)
        it->exclusive = false;
    else if (it->shared > 0)
        --it->shared;
    if (!it->exclusive && it->shared == 0) {
        if (fileIt->fd >= 0) setLock(fileIt->fd, tableId, F_UNLCK);
        fileIt->tables.erase(it);
    }
}

} // namespace TableLocks
