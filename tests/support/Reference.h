#pragma once

#include "printing/PageSet.h"

#include <QDate>

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
