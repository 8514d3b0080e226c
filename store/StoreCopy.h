#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class Connection;

// Moving a set of tables between a database file and a server schema, either way: for backups
// and restores on a server, and for moving a company's books to a server and back.

// Copies every table of `from` into `to`, which holds none of them yet: definitions, password
// protection, every record with its key and row version, and key generators (so keys already
// handed out are never handed out again). One command on `to`: a failure leaves it as it was.
// `progress` hears each table's name as its copy starts.
void copyStore(Connection& from, Connection& to,
               const std::function<void(const QString& table)>& progress = {});

// The differences between two sets of tables, table by table: missing tables, definitions,
// record counts, and the first records whose values differ. Empty when they are the same.
QStringList compareStores(Connection& a, Connection& b);
