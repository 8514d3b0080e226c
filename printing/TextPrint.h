#pragma once

#include "printing/PageSet.h"

#include <QByteArray>
#include <QString>
#include <atomic>

class IniFile;

// Printing a report as plain text on a dot-matrix printer: the pages as text lines, Turkish
// letters in code page 857, a pitch byte first, a form feed after every page and every `SAYFA`
// lines within one, sent to a device, a file or a print queue.
namespace TextPrint {

// Users.ini [SERVER]: YAZICI, SAYFA, DOS.
struct Settings {
    QString device = QStringLiteral("LPT1");
    QString pageLines = QStringLiteral("66"); // as typed; a whole number 1–254 to print
    int pitch = 0;                            // 0: 10 characters per inch, 1: 17
};
Settings read(const IniFile& ini);
// Writes the three keys; throws AppError with the refusal first, writing nothing.
void write(IniFile& ini, const Settings& settings);
// Why these settings cannot print, empty when they can: no device, a device text the program
// would not pass on, a page length that is not a whole number from 1 to 254.
QString refusal(const Settings& settings);

// A page length from its text: a whole number from 1 to 254, else 0.
int pageLength(const QString& text);
// The pitch of a width in characters per inch: 17 gives 1, 10 gives 0, anything else -1.
int pitchOf(const QString& charsPerInch);

inline int charsPerInch(int pitch)
{
    return pitch == 1 ? 17 : 10;
}

// A line in code page 857: ASCII as it is, letters to their code, "?" for what it has not.
QByteArray toCp857(QStringView line);
// The printer's bytes for the pages at the settings' pitch and page length.
QByteArray stream(const PageSet& pages, int pitch, int pageLines);

// Where YAZICI sends the text: a path is a device (under /dev, which must exist, or anything
// there that is no plain file) or a file (created); LPT1–LPT3 are /dev/lp0–lp2; any other name
// is a print queue.
struct Target {
    enum class Kind { Device, File, Queue };
    Kind kind;
    QString name; // the path or the queue
};
// Throws AppError for an empty name or one with characters no queue name has.
Target target(const QString& device);
// Empty when the target can take the text now; else why not. A device must open for writing
// without waiting, a queue must be enabled and accepting (asked of lpstat, at most 5 s).
QString notReady(const Target& target);
// Sends the bytes; throws AppError ("Dos yazıcısına yazılamadı", the device and the reason).
// Stops early, with nothing more sent, when `cancelled` turns true.
void send(const Target& target, const QByteArray& bytes,
          const std::atomic<bool>* cancelled = nullptr);

// The work file the text goes to first, beside Users.ini.
QString workFile(const QString& programDir);

} // namespace TextPrint
