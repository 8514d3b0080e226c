#pragma once

#include <QString>
#include <optional>

class IniFile;

// Where an office keeps its books on a PostgreSQL server: Users.ini, section SERVER, either one
// connection string (PGSUNUCU, "host=… port=… dbname=… user=…") or the keys PGHOST, PGPORT,
// PGVERITABANI and PGKULLANICI. The password is never kept here: the server's client library
// takes it from PGPASSWORD or ~/.pgpass.
struct ServerSettings {
    QString host; // a name, an address or a socket directory
    int port = 5432;
    QString database;
    QString user;
    QString options; // other connection options, as written

    // Nothing when the installation keeps its books in files (no server keys). Throws AppError,
    // naming the fault, for a connection string that cannot be read, a port that is not one, no
    // database, or a password written into the file.
    static std::optional<ServerSettings> read(const IniFile& usersIni);
    // The same for one connection string.
    static ServerSettings parse(const QString& connection);
};
