#include "store/NotesFile.h"

#include "store/AppError.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

QString notesPath(const QString& programDir)
{
    return QDir(programDir).filePath(QStringLiteral("Notlar.txt"));
}

QString readNotes(const QString& programDir)
{
    QFile file(notesPath(programDir));
    if (!file.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(file.readAll());
}

void writeNotes(const QString& programDir, const QString& text)
{
    QSaveFile out(notesPath(programDir));
    const QByteArray bytes = text.toUtf8();
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        throw AppError(QStringLiteral("Notlar kaydedilemedi: %1").arg(notesPath(programDir)),
                       out.errorString());
}
