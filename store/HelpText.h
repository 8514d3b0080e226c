#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The help texts of the windows: Yardim.hl1 in the program directory, a sections-and-keys
// file in code page 1254 with one section per window (the window's name, "frmCarKart"). Each
// line is a two-character key, "=" and a line of help; a line shows without its first three
// characters.

// The lines of a section as shown, in file order. Lines without "=", comments and lines with a
// byte outside the code page are left out; a missing section gives none.
QStringList HelpLines(const QByteArray& file, const QString& section);
// The same read from the program directory; a missing or unreadable file gives none.
QStringList HelpLinesFor(const QString& programDir, const QString& windowName);

// Writes the help delivered with the program into the program directory when there is none
// there yet (atomically); throws AppError when it cannot be written.
void installStarterHelp(const QString& programDir);
