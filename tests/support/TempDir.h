#pragma once

#include "store/Connection.h"
#include "store/StoreSession.h"
#include "store/TableDef.h"
#include "support/QtPrinters.h"
#include "support/TestServer.h"

#include <QTemporaryDir>
#include <memory>

// A fresh data directory with a store session whose private directory lies inside it.
struct StoreFixture {
    TestDatabase database; // on a server when the suite runs there
    QTemporaryDir dir;
    std::unique_ptr<StoreSession> session;

    StoreFixture();
    QString path(const QString& name = QString()) const;
    std::unique_ptr<Connection>
    connect(Connection::OpenMode mode = Connection::OpenMode::CreateIfMissing);
};

// A small customer-like table: Nosu, Kodu text(10), Unvani text(30), Tarih date (required),
// Tutar float, Adet integer, Not memo; indexes Kod_1 on Kodu and Kod_2 on Tarih;Kodu.
TableDef sampleTableDef(const QString& name = QStringLiteral("Kart"));
