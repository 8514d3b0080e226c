#pragma once

#include "store/ServerSettings.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QLockFile;

// What the table store needs before any table opens: the master password, the shared control
// directory (the data directory that every workstation reaches) and a private working directory
// of this running program, where local query results are kept.
//
// The private directory is a subdirectory of its own under the given root, held by a lock file
// for as long as the session lives. At start, subdirectories whose owner is no longer running
// are removed; those of live programs are left alone.
class StoreSession {
public:
    // privateRoot: where this program's working subdirectory is made (created when missing).
    explicit StoreSession(const QString& privateRoot = QString());
    ~StoreSession();
    StoreSession(const StoreSession&) = delete;
    StoreSession& operator=(const StoreSession&) = delete;

    void addPassword(const QString& password);
    void removePasswords();
    bool hasPassword(const QString& saltedHash) const;

    // The data directory; must exist. Empty means "not set".
    void setControlDirectory(const QString& directory);
    const QString& controlDirectory() const { return controlDirectory_; }

    const QString& privateDirectory() const { return privateDirectory_; }

    // An installation that keeps its books on a server: every connection of the session goes
    // there, the data directory's tables to the global schema, each other directory's to the
    // schema named by the directory (the company code). Nothing means database files.
    void setServer(const std::optional<ServerSettings>& server, const QString& dataDirectory);
    const std::optional<ServerSettings>& server() const { return server_; }
    QString schemaFor(const QString& directory) const;

    // Removes the working directories of programs that are no longer running under `root`.
    static void cleanStaleWorkingDirectories(const QString& root);

    static QString hashPassword(const QString& password, const QString& salt);

private:
    QStringList passwords_;
    QString controlDirectory_;
    std::optional<ServerSettings> server_;
    QString serverDataDirectory_;
    QString privateDirectory_;
    std::unique_ptr<QLockFile> privateLock_;
};
