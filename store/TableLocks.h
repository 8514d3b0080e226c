#pragma once

#include <QString>

// Table-level open locks shared by all programs on one data directory: every open table holds
// a shared lock on one byte of the directory's lock file, an exclusive open holds a write lock on
// it. The operating system drops the locks of a program that dies, so nothing stays locked.
namespace TableLocks {

// Throws AppError when the table is open elsewhere in a way that conflicts.
void acquire(const QString& lockFilePath, int tableId, bool exclusive, const QString& tableName);
void release(const QString& lockFilePath, int tableId, bool exclusive);

} // namespace TableLocks
