#include "support/TestServer.h"

#include "store/AppError.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>
#include <stdexcept>

namespace {

std::atomic<int> counter{0};

QString maintenanceConnection()
{
    return qEnvironmentVariable("DULVET_TEST_SERVER").trimmed();
}

// Runs one statement on the maintenance database through a connection of its own.
void administer(const ServerSettings& server, const QString& statement)
{
    const QString name = QStringLiteral("dulvet_test_admin");
    {
        QSqlDatabase db = QSqlDatabase::contains(name)
                              ? QSqlDatabase::database(name)
                              : QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        if (!db.isOpen()) {
            if (!server.host.isEmpty()) db.setHostName(server.host);
            db.setPort(server.port);
            db.setDatabaseName(server.database);
            if (!server.user.isEmpty()) db.setUserName(server.user);
            if (!db.open())
                throw std::runtime_error("test server: " + db.lastError().text().toStdString());
        }
        QSqlQuery query(db);
        if (!query.exec(statement))
            throw std::runtime_error("test server: " + query.lastError().text().toStdString());
    }
}

} // namespace

bool TestDatabase::wanted()
{
    return !maintenanceConnection().isEmpty();
}

TestDatabase::TestDatabase()
{
    if (!wanted()) return;
    maintenance_ = maintenanceConnection();
    const ServerSettings admin = ServerSettings::parse(maintenance_);
    ServerSettings mine = admin;
    mine.database =
        QStringLiteral("t_%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
    administer(admin, QStringLiteral("CREATE DATABASE \"%1\"").arg(mine.database));
    server_ = mine;
}

TestDatabase::~TestDatabase()
{
    if (!server_) return;
    try {
        administer(
            ServerSettings::parse(maintenance_),
            QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(server_->database));
    } catch (const std::exception&) {
        // A database left behind goes with the test cluster.
    }
}

QString TestDatabase::connectionString() const
{
    if (!server_) return QString();
    QString text = QStringLiteral("dbname=%1").arg(server_->database);
    if (!server_->host.isEmpty()) text += QStringLiteral(" host=%1").arg(server_->host);
    text += QStringLiteral(" port=%1").arg(server_->port);
    if (!server_->user.isEmpty()) text += QStringLiteral(" user=%1").arg(server_->user);
    return text;
}

void TestDatabase::cutConnections() const
{
    if (!server_) return;
    administer(ServerSettings::parse(maintenance_),
               QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE "
                              "datname = '%1' AND pid <> pg_backend_pid()")
                   .arg(server_->database));
}
