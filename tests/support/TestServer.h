#pragma once

#include "store/ServerSettings.h"

#include <QString>
#include <optional>

// The suite runs against a database server when DULVET_TEST_SERVER holds a connection string
// for its maintenance database ("host=/tmp/x user=dulvet dbname=postgres"). Each fixture then
// gets a fresh database of its own, dropped again at its end; without the variable, nothing.
class TestDatabase {
public:
    TestDatabase();
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    static bool wanted();
    const std::optional<ServerSettings>& server() const { return server_; }
    // The connection string of the fixture's database, as Users.ini holds it.
    QString connectionString() const;
    // Ends every connection to the fixture's database, as a server that went away and came
    // back does.
    void cutConnections() const;

private:
    std::optional<ServerSettings> server_;
    QString maintenance_;
};
