#include "store/CompanyBuild.h"

#include "store/AppError.h"
#include "store/Connection.h"
#include "store/GlobalData.h"
#include "store/InstallSettings.h"
#include "store/Installation.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString workPrefix(const QString& code)
{
    return QStringLiteral(".yeni-%1-").arg(code);
}

// The marker opened and locked by this program; -1 when another program holds it or it
// cannot be opened. The lock goes with the program, however it ends.
int lockMarker(const QString& path, bool create)
{
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0666);
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

// rename() that never replaces: a directory made meanwhile under the name stays as it is.
int renameNoReplace(const QString& from, const QString& to)
{
    const QByteArray a = QFile::encodeName(from), b = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS) return -1;
    // A file system without the flag: the check and the rename are two steps there.
    if (QFileInfo::exists(to)) {
        errno = EEXIST;
        return -1;
    }
    return ::rename(a.constData(), b.constData());
}

} // namespace

const QString& CompanyBuild::markerName()
{
    static const QString name = QStringLiteral(".tamamlanmadi");
    return name;
}

CompanyBuild::CompanyBuild(StoreSession& session, const InstallSettings& install,
                           const QString& code)
    : session_(session)
    , target_(install.companyDirectory(code))
{
    QByteArray pattern = QFile::encodeName(
        joinPath(install.dataDirectory(), workPrefix(code) + QStringLiteral("XXXXXX")));
    if (!::mkdtemp(pattern.data())) failedCompanyDirectory(target_, errno);
    directory_ = QFile::decodeName(pattern);
    // mkdtemp keeps the directory to its owner; a company is shared like one made by mkdir.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(pattern.constData(), 0777 & ~mask);
    marker_ = lockMarker(joinPath(directory_, markerName()), true);
    if (marker_ < 0) {
        const int error = errno;
        QDir(directory_).removeRecursively();
        failedCompanyDirectory(target_, error);
    }
}

CompanyBuild::~CompanyBuild()
{
    if (!finished_) removeCompanyStore(session_, directory_);
    release();
}

void CompanyBuild::release()
{
    if (marker_ >= 0) ::close(marker_);
    marker_ = -1;
}

void CompanyBuild::place()
{
    Connection::renameStore(session_, directory_, target_);
    if (renameNoReplace(directory_, target_) != 0) {
        const int error = errno;
        try {
            Connection::renameStore(session_, target_, directory_);
        } catch (const AppError&) {
            // The tables stay under the company's name; the destructor removes them there.
        }
        failedCompanyDirectory(target_, error);
    }
    directory_ = target_;
}

void CompanyBuild::finish()
{
    if (!QFile::remove(joinPath(directory_, markerName())))
        throw AppError(
            QStringLiteral("Şirket tamamlandı olarak işaretlenemedi: %1").arg(directory_));
    finished_ = true;
    release();
}

void clearUnfinishedCompany(StoreSession& session, GlobalData& global,
                            const InstallSettings& install, const QString& code)
{
    if (!usableCompanyCode(code)) return;
    const QString target = install.companyDirectory(code);
    const QString marker = joinPath(target, CompanyBuild::markerName());
    if (QFileInfo::exists(marker)) {
        const int fd = lockMarker(marker, false);
        if (fd < 0)
            throw AppError(QStringLiteral("Bu şirket kodu başka bir işlemde açılıyor."),
                           QStringLiteral("Biraz sonra tekrar deneyiniz."));
        // With its Sirket record the company was whole; only the mark was left.
        if (global.CompanyCodeExists(code))
            QFile::remove(marker);
        else
            removeCompanyStore(session, target);
        ::close(fd);
    }
    const QDateTime now = QDateTime::currentDateTime();
    for (const QFileInfo& work :
         QDir(install.dataDirectory())
             .entryInfoList({workPrefix(code) + QLatin1Char('*')},
                            QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)) {
        const QString path = work.absoluteFilePath();
        const QString workMarker = joinPath(path, CompanyBuild::markerName());
        if (!QFileInfo::exists(workMarker)) {
            // Only a moment passes between making a work directory and marking it.
            if (work.lastModified().secsTo(now) > 60) removeCompanyStore(session, path);
            continue;
        }
        const int fd = lockMarker(workMarker, false);
        if (fd < 0) continue; // being made now
        removeCompanyStore(session, path);
        ::close(fd);
    }
}
