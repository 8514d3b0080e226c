#pragma once

#include <QString>
#include <functional>

class InstallSettings;
struct ServerSettings;

// Moving a company's books between the database file in its directory and the installation's
// database server, either way, for an office that starts keeping its books on a server (and
// back). The source stays as it was.
enum class MoveDirection { ToServer, ToFiles };

// Copies the company's tables in one command on the target, adds its Sirket record to the
// target's global tables (made there first when missing), then compares the copy with the
// source table by table. A target that already holds the company's tables is refused; a copy
// that fails or differs is removed again. `progress` hears each table as it starts.
void moveCompanyBooks(const InstallSettings& install, const ServerSettings& server,
                      const QString& code, MoveDirection direction,
                      const std::function<void(const QString&)>& progress = {});
