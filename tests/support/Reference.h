#pragma once

#include <QFile>
#include <QString>
#include <gtest/gtest.h>

// Compares a text with a reference file; with DULVET_UPDATE_REFERENCES set, writes the file
// instead (then read the difference before committing it).
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
    EXPECT_EQ(text, QString::fromUtf8(in.readAll())) << name.toStdString();
}
