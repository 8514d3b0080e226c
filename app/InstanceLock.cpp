#include "app/InstanceLock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

QString InstanceLock::lockPath(const QString& name)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    // The name may hold any character; the file name holds its hash.
    const QByteArray hash =
        QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QDir(dir).filePath(QStringLiteral("dulvet-%1.lock").arg(QString::fromLatin1(hash)));
}

InstanceLock::InstanceLock(const QString& name)
    : lock_(std::make_unique<QLockFile>(lockPath(name)))
{
    lock_->setStaleLockTime(0);
    acquired_ = lock_->tryLock(0);
}

InstanceLock::~InstanceLock()
{
    if (acquired_) lock_->unlock();
}
