#pragma once

#include "printing/ReportBuilder.h"
#include "printing/ReportDef.h"
#include "printing/ReportRenderer.h"
#include "store/CommandTransaction.h"
#include "store/Table.h"
#include "support/Reference.h"
#include "support/TempDir.h"

#include <QDate>
#include <QFile>
#include <gtest/gtest.h>

// A small table for reports: Kodu K01.., Tutar 10.5 × n, Tarih changing every 5 records.
struct ReportData {
    StoreFixture fx;
    std::unique_ptr<Connection> db;
    std::unique_ptr<Table> table;

    explicit ReportData(int rows = 20)
    {
        db = fx.connect();
        db->createTable(sampleTableDef());
        table = std::make_unique<Table>(*db, QStringLiteral("Kart"));
        table->open();
        CommandTransaction tx(*db);
        for (int i = 1; i <= rows; ++i) {
            table->append();
            table->fieldByName(QStringLiteral("Kodu")) =
                QStringLiteral("K%1").arg(i, 2, 10, QLatin1Char('0'));
            table->fieldByName(QStringLiteral("Unvani")) = QStringLiteral("Ünvan %1").arg(i);
            table->fieldByName(QStringLiteral("Tarih")) = QDate(2025, 1, 1).addDays((i - 1) / 5);
            table->fieldByName(QStringLiteral("Tutar")) = i * 10.5;
            table->post();
        }
        tx.commit();
        table->setIndexName(QStringLiteral("Kod_1"));
        table->first();
    }
};

using ReportBuilder::band;
using ReportBuilder::element;

inline void expectReference(const QString& text, const QString& name)
{
    expectReferenceIn(QStringLiteral(REPORT_DATA), text, name);
}
