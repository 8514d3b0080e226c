#pragma once

#include <QString>

// The notes page of an installation: Notlar.txt in the program directory, plain UTF-8 text,
// written atomically (a temporary file renamed over the old one).
QString notesPath(const QString& programDir);
// The notes; empty when there are none yet.
QString readNotes(const QString& programDir);
// Throws AppError when the file cannot be written; the old notes then stay as they were.
void writeNotes(const QString& programDir, const QString& text);
