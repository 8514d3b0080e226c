#pragma once

#include "printing/ReportDef.h"
#include "printing/ReportRenderer.h"
#include "store/Table.h"
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

inline ElementDef element(ElementKind kind, const QString& name, QRectF rect,
                          const QString& value = QString())
{
    ElementDef e;
    e.kind = kind;
    e.name = name;
    e.className = elementClassName(kind);
    e.rect = rect;
    switch (kind) {
    case ElementKind::DBText:
        e.field = value;
        break;
    case ElementKind::Expr:
        e.expression = value;
        break;
    default:
        e.text = value;
        break;
    }
    return e;
}

inline BandDef band(BandKind kind, const QString& name, double height,
                    std::vector<ElementDef> elements = {})
{
    BandDef b;
    b.kind = kind;
    b.name = name;
    b.className = bandClassName(kind);
    b.height = height;
    b.elements = std::move(elements);
    return b;
}

// Compares a text with a reference file under tests/printing/data; with DULVET_UPDATE_REFERENCES
// set, writes the file instead.
inline void expectReference(const QString& text, const QString& name)
{
    const QString path = QStringLiteral(REPORT_DATA) + QLatin1Char('/') + name;
    if (qEnvironmentVariableIsSet("DULVET_UPDATE_REFERENCES")) {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text.toUtf8());
        return;
    }
    QFile in(path);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << "missing reference " << path.toStdString();
    EXPECT_EQ(text, QString::fromUtf8(in.readAll())) << name.toStdString();
}
