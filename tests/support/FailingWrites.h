#pragma once

#include "store/Connection.h"

// Makes every write of one kind (INSERT, UPDATE or DELETE) to a table fail, as a full disk
// would, until it goes out of scope or stop() is called. Only for the connection's own tests:
// on a database file the trigger is temporary and this connection's alone.
class FailingWrites {
public:
    // With `when`, an SQL condition (it may count rows), only the writes made while it holds
    // fail: "(SELECT count(*) FROM \"Senet\") >= 99" fails the hundredth note.
    FailingWrites(Connection& db, const QString& table, const QString& change,
                  const QString& when = QString())
        : db_(db)
        , name_(QStringLiteral("durdur_%1_%2").arg(table, change))
        , table_(table)
    {
        const QString condition = when.isEmpty() ? QStringLiteral("true") : when;
        if (db_.onServer()) {
            db_.exec(QStringLiteral("CREATE OR REPLACE FUNCTION public.\"%1_f\"() RETURNS "
                                    "trigger LANGUAGE plpgsql AS $$BEGIN IF %2 THEN RAISE "
                                    "EXCEPTION 'disk dolu'; END IF; IF TG_OP = 'DELETE' THEN "
                                    "RETURN OLD; END IF; RETURN NEW; END$$")
                         .arg(name_, condition));
            db_.exec(QStringLiteral("CREATE TRIGGER \"%1\" BEFORE %2 ON \"%3\" FOR EACH ROW "
                                    "EXECUTE FUNCTION public.\"%1_f\"()")
                         .arg(name_, change, table));
        } else {
            db_.exec(
                QStringLiteral("CREATE TEMP TRIGGER \"%1\" BEFORE %2 ON \"%3\" WHEN %4 "
                               "BEGIN SELECT RAISE(ABORT, 'disk dolu'); END")
                    .arg(name_, change, table,
                         condition == QLatin1String("true") ? QStringLiteral("1") : condition));
        }
    }
    ~FailingWrites() { stop(); }
    FailingWrites(const FailingWrites&) = delete;
    FailingWrites& operator=(const FailingWrites&) = delete;

    void stop()
    {
        if (stopped_) return;
        stopped_ = true;
        db_.exec(db_.onServer() ? QStringLiteral("DROP TRIGGER \"%1\" ON \"%2\"").arg(name_, table_)
                                : QStringLiteral("DROP TRIGGER \"%1\"").arg(name_));
    }

private:
    Connection& db_;
    QString name_;
    QString table_;
    bool stopped_ = false;
};
