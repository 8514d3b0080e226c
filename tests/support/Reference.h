#pragma once

#include "printing/PageSet.h"

#include <QDate>
#include <QPointF>
#include <algorithm>
#include <utility>
#include <vector>

#include <QFile>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

// A page set's dump without today's date, which changes every day.
inline QString dumpWithoutToday(const PageSet& set)
{
    return set.dump().replace(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")),
                              QStringLiteral("<bugün>"));
}

// The texts a band printed, page by page, each page's row by row from left to right.
inline QStringList bandTexts(const PageSet& set, const QString& band)
{
    QStringList texts;
    for (int p = 0; p < set.pageCount(); ++p) {
        std::vector<std::pair<QPointF, QString>> placed;
        DrawOp op;
        const auto page = set.page(p);
        for (int i = 0; i < page->opCount(); ++i) {
            page->readOp(i, op);
            if (op.band == band && op.type == DrawOp::Type::Text)
                placed.emplace_back(op.rect.topLeft(), op.text);
        }
        std::stable_sort(placed.begin(), placed.end(), [](const auto& a, const auto& b) {
            return a.first.y() != b.first.y() ? a.first.y() < b.first.y()
                                              : a.first.x() < b.first.x();
        });
        for (const auto& [at, text] : placed)
            texts << text;
    }
    return texts;
}

// Compares a text with a reference file, naming the first line that differs; with
// DULVET_UPDATE_REFERENCES set, writes the file instead (then read the difference before
// committing it).
inline void expectReferenceIn(const QString& directory, const QString& text, const QString& name)
{
    const QString path = directory + QLatin1Char('/') + name;
    if (qEnvironmentVariableIsSet("DULVET_UPDATE_REFERENCES")) {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly)) << path.toStdString();
        out.write(text.toUtf8());
        return;
    }
    QFile in(path);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << "missing reference " << path.toStdString();
    const QString expected = QString::fromUtf8(in.readAll());
    if (text == expected) return;
    const QStringList got = text.split(QLatin1Char('\n'));
    const QStringList want = expected.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < std::max(got.size(), want.size()); ++i) {
        const QString g = i < got.size() ? got[i] : QStringLiteral("<end of text>");
        const QString w = i < want.size() ? want[i] : QStringLiteral("<end of reference>");
        if (g != w) {
            ADD_FAILURE() << name.toStdString() << " differs from line " << i + 1 << " on ("
                          << got.size() << " lines against " << want.size() << ")\n"
                          << "  expected: " << w.toStdString() << "\n"
                          << "  actual:   " << g.toStdString();
            return;
        }
    }
}
