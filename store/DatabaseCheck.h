#pragma once

#include <QStringList>
#include <vector>

class StoreSession;
struct TableDef;

// Checks a directory against the tables it should hold: every table present with its fields
// (name, kind, size, required) and indexes, every table openable, and the database's own
// integrity check. Returns the problems in plain words; empty when all is well.
QStringList checkDirectory(StoreSession& session, const QString& directory,
                           const std::vector<TableDef>& expected);
