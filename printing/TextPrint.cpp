#include "printing/TextPrint.h"

#include "store/AppError.h"
#include "store/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace TextPrint {

namespace {

const QString kSection = QStringLiteral("SERVER");
constexpr char kFormFeed = 12;
constexpr int kLongestPage = 254; // the printer keeps the page length in one byte
constexpr int kChunk = 4096;

// Code page 857 from 0x80 on, by the characters they print; 0 where it has none.
constexpr std::array<char16_t, 128> kHigh = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x0131, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x0130, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x015E, 0x015F, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x011E, 0x011F, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557,
    0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4, 0x00BA, 0x00AA, 0x00CA, 0x00CB,
    0x00C8, 0x0000, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x0000, 0x00D7, 0x00DA, 0x00DB, 0x00D9,
    0x00EC, 0x00FF, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x0000, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0};

char cp857(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80) return char(u);
    for (size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == u) return char(0x80 + i);
    return '?';
}

AppError failed(const QString& device, const QString& reason)
{
    return AppError(QStringLiteral("Dos yazıcısına yazılamadı"),
                    QStringLiteral("%1: %2").arg(device, reason));
}

// Runs lpstat with the arguments, at most 5 s; its output, or nothing when it could not run.
std::optional<QString> lpstat(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("lpstat"), arguments);
    if (!process.waitForStarted(5000)) return std::nullopt;
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(1000);
        return std::nullopt;
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

bool stop(const std::atomic<bool>* cancelled)
{
    return cancelled && cancelled->load();
}

} // namespace

int pageLength(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= 1 && value <= kLongestPage ? value : 0;
}

int pitchOf(const QString& charsPerInch)
{
    const QString t = charsPerInch.trimmed();
    return t == QLatin1String("10") ? 0 : t == QLatin1String("17") ? 1 : -1;
}

Settings read(const IniFile& ini)
{
    Settings s;
    s.device = ini.readString(kSection, QStringLiteral("YAZICI"), s.device);
    s.pageLines = ini.readString(kSection, QStringLiteral("SAYFA"), s.pageLines);
    s.pitch = ini.readInteger(kSection, QStringLiteral("DOS"), 0) == 1 ? 1 : 0;
    return s;
}

QString refusal(const Settings& settings)
{
    if (pageLength(settings.pageLines) == 0)
        return QStringLiteral("Sayfa boyu 1 ile %1 arasında bir tam sayı olmalı: \"%2\"")
            .arg(kLongestPage)
            .arg(settings.pageLines);
    try {
        target(settings.device);
    } catch (const AppError& e) {
        return e.message();
    }
    return QString();
}

void write(IniFile& ini, const Settings& settings)
{
    const QString refused = refusal(settings);
    if (!refused.isEmpty()) throw AppError(refused);
    ini.writeStrings(kSection,
                     {{QStringLiteral("DOS"), QString::number(settings.pitch)},
                      {QStringLiteral("YAZICI"), settings.device.trimmed()},
                      {QStringLiteral("SAYFA"), QString::number(pageLength(settings.pageLines))}});
}

namespace {

// The line in code page 857 after what `out` holds.
void appendCp857(QByteArray& out, QStringView line)
{
    const qsizetype at = out.size();
    out.resize(at + line.size());
    char* to = out.data() + at;
    for (QChar c : line)
        *to++ = cp857(c);
}

} // namespace

QByteArray toCp857(QStringView line)
{
    QByteArray out;
    appendCp857(out, line);
    return out;
}

QByteArray stream(const PageSet& pages, int pitch, int pageLines)
{
    QByteArray out;
    out += char(pitch == 1 ? 15 : 18);
    bool fedLast = false; // never two form feeds in a row: that ejects a blank form
    const auto formFeed = [&] {
        if (fedLast) return;
        out += kFormFeed;
        out += "\r\n";
        fedLast = true;
    };
    for (int p = 0; p < pages.pageCount(); ++p) {
        int onForm = 0;
        for (const QString& line : pages.textLines(p, charsPerInch(pitch))) {
            if (onForm == pageLines) {
                formFeed();
                onForm = 0;
            }
            appendCp857(out, line);
            out += "\r\n";
            fedLast = false;
            ++onForm;
        }
        formFeed();
    }
    return out;
}

Target target(const QString& device)
{
    const QString name = device.trimmed();
    if (name.isEmpty())
        throw AppError(QStringLiteral("Yazıcı tanımı boş: bir aygıt (/dev/usb/lp0), bir dosya ya "
                                      "da bir yazıcı kuyruğu adı giriniz."));
    static const QRegularExpression lpt(QStringLiteral("^LPT([1-3])$"),
                                        QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch m = lpt.match(name); m.hasMatch())
        return {Target::Kind::Device, QStringLiteral("/dev/lp%1").arg(m.captured(1).toInt() - 1)};
    if (name.contains(QLatin1Char('/'))) {
        // What is there and is no plain file (a printer port, a pipe) is written as a device.
        struct stat there {};
        const bool special = ::stat(QFile::encodeName(name).constData(), &there) == 0 &&
                             !S_ISREG(there.st_mode) && !S_ISDIR(there.st_mode);
        const bool device = name.startsWith(QLatin1String("/dev/")) || special;
        return {device ? Target::Kind::Device : Target::Kind::File, QDir::cleanPath(name)};
    }
    static const QRegularExpression queue(QStringLiteral("^[A-Za-z0-9_][A-Za-z0-9_.@-]*$"));
    if (!queue.match(name).hasMatch())
        throw AppError(QStringLiteral("Yazıcı tanımı geçersiz: \"%1\"").arg(name),
                       QStringLiteral("Bir yazıcı kuyruğu adı harf, rakam, \"_\", \".\", \"-\" "
                                      "ve \"@\" dışında karakter içermez."));
    return {Target::Kind::Queue, name};
}

QString notReady(const Target& t)
{
    switch (t.kind) {
    case Target::Kind::Device: {
        if (!QFileInfo::exists(t.name)) return QStringLiteral("%1 yok").arg(t.name);
        const int fd = ::open(QFile::encodeName(t.name).constData(), O_WRONLY | O_NONBLOCK);
        if (fd < 0)
            return QStringLiteral("%1: %2").arg(t.name, QString::fromLocal8Bit(strerror(errno)));
        ::close(fd);
        return QString();
    }
    case Target::Kind::File: {
        const QFileInfo info(t.name);
        if (info.isDir()) return QStringLiteral("%1 bir dizin").arg(t.name);
        const QFileInfo dir(info.absolutePath());
        if (!dir.isDir()) return QStringLiteral("%1 dizini yok").arg(info.absolutePath());
        if (info.exists() ? !info.isWritable() : !dir.isWritable())
            return QStringLiteral("%1 yazılamaz").arg(t.name);
        return QString();
    }
    case Target::Kind::Queue: {
        const std::optional<QString> printer = lpstat({QStringLiteral("-p"), t.name});
        const std::optional<QString> accepting = lpstat({QStringLiteral("-a"), t.name});
        if (!printer || !accepting)
            return QStringLiteral("Yazıcı kuyrukları sorulamadı (lpstat çalışmadı)");
        if (!printer->contains(QLatin1String("enabled")) ||
            printer->contains(QLatin1String("disabled")))
            return QStringLiteral("%1 kuyruğu açık değil").arg(t.name);
        if (!accepting->contains(QLatin1String("accepting")) ||
            accepting->contains(QLatin1String("not accepting")))
            return QStringLiteral("%1 kuyruğu iş kabul etmiyor").arg(t.name);
        return QString();
    }
    }
    return QString();
}

void send(const Target& t, const QByteArray& bytes, const std::atomic<bool>* cancelled)
{
    switch (t.kind) {
    case Target::Kind::Device: {
        // A printer out of paper stops taking bytes: wait for it in short steps, so that a
        // cancel is heard while it waits.
        // A reader that goes away (a pipe as printer) is a failure to report, not a signal that
        // ends the program.
        static const bool pipeSignalIgnored = std::signal(SIGPIPE, SIG_IGN) != SIG_ERR;
        Q_UNUSED(pipeSignalIgnored);
        const int fd = ::open(QFile::encodeName(t.name).constData(), O_WRONLY | O_NONBLOCK);
        if (fd < 0) throw failed(t.name, QString::fromLocal8Bit(strerror(errno)));
        const auto fail = [&] {
            const QString reason = QString::fromLocal8Bit(strerror(errno));
            ::close(fd);
            return failed(t.name, reason);
        };
        for (qsizetype at = 0; at < bytes.size() && !stop(cancelled);) {
            pollfd ready{fd, POLLOUT, 0};
            const int polled = ::poll(&ready, 1, 100);
            if (polled < 0 && errno != EINTR) throw fail();
            if (polled <= 0) continue;
            if (ready.revents & (POLLERR | POLLHUP | POLLNVAL)) {
                errno = ready.revents & POLLHUP ? EPIPE : EIO;
                throw fail();
            }
            const ssize_t n = ::write(fd, bytes.constData() + at,
                                      size_t(std::min<qsizetype>(kChunk, bytes.size() - at)));
            if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
            if (n <= 0) throw fail();
            at += n;
        }
        if (::close(fd) != 0) throw failed(t.name, QString::fromLocal8Bit(strerror(errno)));
        return;
    }
    case Target::Kind::File: {
        // A file holds the whole text or what it held before, never a part.
        QSaveFile file(t.name);
        if (!file.open(QIODevice::WriteOnly)) throw failed(t.name, file.errorString());
        for (qsizetype at = 0; at < bytes.size(); at += kChunk) {
            if (stop(cancelled)) {
                file.cancelWriting();
                return;
            }
            const QByteArray part = bytes.mid(at, kChunk);
            if (file.write(part) != part.size()) throw failed(t.name, file.errorString());
        }
        if (!file.commit()) throw failed(t.name, file.errorString());
        return;
    }
    case Target::Kind::Queue: {
        QProcess lp;
        lp.start(QStringLiteral("lp"),
                 {QStringLiteral("-d"), t.name, QStringLiteral("-o"), QStringLiteral("raw")});
        if (!lp.waitForStarted(5000)) throw failed(t.name, QStringLiteral("lp çalıştırılamadı"));
        for (qsizetype at = 0; at < bytes.size(); at += kChunk) {
            if (stop(cancelled)) {
                lp.kill();
                lp.waitForFinished(1000);
                return;
            }
            lp.write(bytes.mid(at, kChunk));
            lp.waitForBytesWritten(5000);
        }
        lp.closeWriteChannel();
        if (!lp.waitForFinished(30000)) {
            lp.kill();
            throw failed(t.name, QStringLiteral("lp bitmedi"));
        }
        if (lp.exitStatus() != QProcess::NormalExit || lp.exitCode() != 0) {
            const QString said = QString::fromLocal8Bit(lp.readAllStandardError()).trimmed();
            throw failed(t.name, said.isEmpty()
                                     ? QStringLiteral("lp %1 ile bitti").arg(lp.exitCode())
                                     : said);
        }
        return;
    }
    }
}

QString workFile(const QString& programDir)
{
    return QDir(programDir).filePath(QStringLiteral("PrnDos.txt"));
}

} // namespace TextPrint
