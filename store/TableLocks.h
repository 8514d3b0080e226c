#pragma once

#include <QString>

class Connection;

// Table-level open locks shared by all programs on one set of tables: every open table holds a
// shared lock, an exclusive open an exclusive one (bytes of the directory's lock file, or
// advisory locks on the server). The operating system or the server drops the locks of a
// program that dies, so nothing stays locked. Within the program, holders are counted here.
namespace TableLocks {

// Throws AppError when the table is open elsewhere in a way that conflicts.
void acquire(const Connection& connection, int tableId, bool exclusive, const QString& tableName);
void release(const Connection& connection, int tableId, bool exclusive);

} // namespace TableLocks
