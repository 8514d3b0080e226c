#include "store/StoreSession.h"

#include "store/AppError.h"
#include "store/SqlBackend.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QStandardPaths>

namespace {

const QString kWorkPrefix = QStringLiteral("dulvet-");

QString defaultPrivateRoot()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    if (base.isEmpty()) base = QDir::tempPath();
    return QDir(base).filePath(QStringLiteral("dulvet-klt"));
}

} // namespace

StoreSession::StoreSession(const QString& privateRoot)
{
    const QString root = privateRoot.isEmpty() ? defaultPrivateRoot() : privateRoot;
    if (!QDir().mkpath(root))
        throw AppError(QStringLiteral("Geçici çalışma dizini oluşturulamadı: %1").arg(root));
    cleanStaleWorkingDirectories(root);

    const QString name = kWorkPrefix + QString::number(QCoreApplication::applicationPid()) +
                         QLatin1Char('-') +
                         QString::number(QRandomGenerator::global()->generate(), 36);
    const QString directory = QDir(root).filePath(name);
    privateLock_ = std::make_unique<QLockFile>(directory + QStringLiteral(".lock"));
    privateLock_->setStaleLockTime(0);
    if (!privateLock_->tryLock(0) || !QDir().mkpath(directory))
        throw AppError(QStringLiteral("Geçici çalışma dizini kullanılamıyor: %1").arg(directory));
    privateDirectory_ = directory;
}

StoreSession::~StoreSession()
{
    if (!privateDirectory_.isEmpty()) QDir(privateDirectory_).removeRecursively();
    if (privateLock_) privateLock_->unlock();
}

void StoreSession::cleanStaleWorkingDirectories(const QString& root)
{
    QDir dir(root);
    const QStringList entries =
        dir.entryList({kWorkPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        const QString lockPath = dir.filePath(entry + QStringLiteral(".lock"));
        QLockFile lock(lockPath);
        lock.setStaleLockTime(0);
        // A lock we can take belongs to nobody alive (QLockFile treats the lock of a dead
        // process as stale and takes it over).
        if (!lock.tryLock(0)) continue;
        QDir(dir.filePath(entry)).removeRecursively();
        lock.unlock();
    }
}

QString StoreSession::hashPassword(const QString& password, const QString& salt)
{
    return QString::fromLatin1(
        QCryptographicHash::hash((salt + QLatin1Char(':') + password).toUtf8(),
                                 QCryptographicHash::Sha256)
            .toHex());
}

void StoreSession::addPassword(const QString& password)
{
    if (!passwords_.contains(password)) passwords_.append(password);
}

void StoreSession::removePasswords()
{
    passwords_.clear();
}

bool StoreSession::hasPassword(const QString& saltedHash) const
{
    const QString salt = saltedHash.section(QLatin1Char('$'), 0, 0);
    for (const QString& password : passwords_)
        if (salt + QLatin1Char('$') + hashPassword(password, salt) == saltedHash) return true;
    return false;
}

void StoreSession::setControlDirectory(const QString& directory)
{
    if (!directory.isEmpty() && !QFileInfo(directory).isDir())
        throw AppError(QStringLiteral("Veri dizini bulunamadı: %1").arg(directory));
    controlDirectory_ = directory;
}

void StoreSession::setServer(const std::optional<ServerSettings>& server,
                             const QString& dataDirectory)
{
    server_ = server;
    serverDataDirectory_ =
        dataDirectory.isEmpty() ? QString() : QDir::cleanPath(QDir(dataDirectory).absolutePath());
}

QString StoreSession::schemaFor(const QString& directory) const
{
    const QString clean = QDir::cleanPath(QDir(directory).absolutePath());
    if (!serverDataDirectory_.isEmpty() && clean == serverDataDirectory_) return kGlobalSchema;
    return QFileInfo(clean).fileName();
}
