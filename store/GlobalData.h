#pragma once

#include "store/Connection.h"
#include "store/Table.h"

#include <memory>

class StoreSession;

// The installation-wide tables of the data directory, on the connection "Sorvan": Sirket (the
// companies, ordered by Sirket_1) and FatPlan (the built-in invoice layout).
class GlobalData {
public:
    GlobalData(StoreSession& session, const QString& dataDirectory);

    Connection& connection() { return *connection_; }
    Table& sirket() { return *sirket_; }
    Table& fatPlan() { return *fatPlan_; }

    // Whether Sirket_1 holds the code, on a cursor of its own: sirket() keeps its position.
    bool CompanyCodeExists(const QString& code);

    // Creates Sirket (empty) and FatPlan (one record, the built-in layout) in a new data directory.
    static void createGlobalTables(StoreSession& session, const QString& dataDirectory);

private:
    std::unique_ptr<Connection> connection_;
    std::unique_ptr<Table> sirket_;
    std::unique_ptr<Table> fatPlan_;
    std::unique_ptr<Table> codeCursor_;
};

// The password that protects every table of the system.
QString masterPassword();
// Creates a table and protects it with the master password.
void createProtectedTable(Connection& connection, const TableDef& def);
