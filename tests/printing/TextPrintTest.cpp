#include "printing/TextPrint.h"
#include "printing/Exports.h"
#include "store/AppError.h"
#include "store/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr double kLine = 25.4 / 6;

// One page per count, each with that many lines "satır N" one under the other.
PageSet linePages(std::initializer_list<int> counts)
{
    PageSet set;
    for (int count : counts) {
        Page& page = set.addPage(QSizeF(210, 2000));
        for (int i = 0; i < count; ++i) {
            DrawOp op;
            op.rect = QRectF(0, i * kLine, 50, 4);
            op.text = QStringLiteral("satır %1").arg(i + 1);
            page.add(op);
        }
    }
    set.finished = true;
    return set;
}

// The lines of a printer stream after its pitch byte, CR LF taken off.
QList<QByteArray> streamLines(const QByteArray& bytes)
{
    QList<QByteArray> lines = bytes.mid(1).split('\n');
    EXPECT_TRUE(lines.takeLast().isEmpty()); // the stream ends with its last line's CR LF
    for (QByteArray& line : lines) {
        EXPECT_TRUE(line.endsWith('\r'));
        line.chop(1);
    }
    return lines;
}

// Positions (1-based lines) of the form feeds among the lines.
std::vector<int> formFeeds(const QList<QByteArray>& lines)
{
    std::vector<int> at;
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i] == "\f") at.push_back(i + 1);
    return at;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Programs of the same name put first on PATH for the test's lifetime.
class FakePrograms {
public:
    FakePrograms() { old_ = qgetenv("PATH"); }
    ~FakePrograms() { qputenv("PATH", old_); }
    void add(const char* name, const QByteArray& script)
    {
        QFile f(dir_.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n" + script);
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", QFile::encodeName(dir_.path()) + ':' + old_);
    }
    QString path(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    QByteArray old_;
};

} // namespace

TEST(TextPrint, LettersGoInCodePage857)
{
    EXPECT_EQ(TextPrint::toCp857(u"ŞİŞLİ Çağ").toHex(' '), "9e 98 9e 4c 98 20 80 61 a7");
    EXPECT_EQ(TextPrint::toCp857(u"ĞÜÖçüşöı").toHex(' '), "a6 9a 99 87 81 9f 94 8d");
    EXPECT_EQ(TextPrint::toCp857(u"â é €x"), QByteArray("\x83 \x82 ?x"));
}

TEST(TextPrint, TheStreamHasItsPitchLinesAndFormFeeds)
{
    // 120 lines on forms of 54: feeds after 54 and 108 and at the end.
    QByteArray bytes = TextPrint::stream(linePages({120}), 0, 54);
    EXPECT_EQ(bytes[0], char(18));
    QList<QByteArray> lines = streamLines(bytes);
    EXPECT_EQ(formFeeds(lines), std::vector<int>({55, 110, 123}));
    EXPECT_EQ(lines[0], "sat\x8dr 1");
    EXPECT_EQ(lines.size(), 123);
    // A page of exactly one form: one feed, not a blank form after it.
    EXPECT_EQ(formFeeds(streamLines(TextPrint::stream(linePages({54}), 0, 54))),
              std::vector<int>({55}));
    // Two pages: a feed after each, the count starting again on the second.
    EXPECT_EQ(formFeeds(streamLines(TextPrint::stream(linePages({30, 60}), 0, 54))),
              std::vector<int>({31, 86, 93}));
    // Condensed: byte 15, columns of 17 to the inch.
    PageSet wide;
    Page& page = wide.addPage(QSizeF(210, 297));
    DrawOp op;
    op.rect = QRectF(25.4, 0, 20, 4);
    op.text = QStringLiteral("x");
    page.add(op);
    bytes = TextPrint::stream(wide, 1, 66);
    EXPECT_EQ(bytes[0], char(15));
    EXPECT_EQ(streamLines(bytes)[0], QByteArray(17, ' ') + "x");
}

TEST(TextPrint, SettingsAreCheckedBeforeTheyAreWritten)
{
    QTemporaryDir dir;
    IniFile ini(dir.filePath("Users.ini"));
    const TextPrint::Settings defaults = TextPrint::read(ini);
    EXPECT_EQ(defaults.device, "LPT1");
    EXPECT_EQ(defaults.pageLines, "66");
    EXPECT_EQ(defaults.pitch, 0);
    for (const char* bad : {"0", "255", "abc", ""}) {
        TextPrint::Settings s;
        s.pageLines = QString::fromLatin1(bad);
        EXPECT_THROW(TextPrint::write(ini, s), AppError) << bad;
    }
    for (const char* bad : {"", "  ", "a;rm -rf ~", "$(reboot)", "kuyruk adı", "`x`"}) {
        TextPrint::Settings s;
        s.device = QString::fromUtf8(bad);
        EXPECT_THROW(TextPrint::write(ini, s), AppError) << bad;
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("Users.ini"))); // nothing written
    TextPrint::write(ini, {QStringLiteral("/tmp/yazici.txt"), QStringLiteral(" 54"), 1});
    const TextPrint::Settings saved = TextPrint::read(IniFile(dir.filePath("Users.ini")));
    EXPECT_EQ(saved.device, "/tmp/yazici.txt");
    EXPECT_EQ(saved.pageLines, "54");
    EXPECT_EQ(saved.pitch, 1);
}

TEST(TextPrint, TargetsDevicesFilesAndQueues)
{
    using Kind = TextPrint::Target::Kind;
    EXPECT_EQ(TextPrint::target("lpt2").name, "/dev/lp1");
    EXPECT_EQ(TextPrint::target("LPT1").kind, Kind::Device);
    EXPECT_EQ(TextPrint::target("/dev/usb/lp0").kind, Kind::Device);
    EXPECT_EQ(TextPrint::target("/tmp/x.prn").kind, Kind::File);
    EXPECT_EQ(TextPrint::target("Epson_LX-300").kind, Kind::Queue);

    QTemporaryDir dir;
    const QByteArray bytes = TextPrint::stream(linePages({3}), 0, 66);
    // A file: byte for byte.
    const QString file = dir.filePath("yazici.prn");
    const TextPrint::Target toFile = TextPrint::target(file);
    EXPECT_TRUE(TextPrint::notReady(toFile).isEmpty());
    TextPrint::send(toFile, bytes);
    EXPECT_EQ(readAll(file), bytes);
    // A missing device: not ready, and a write says so.
    const TextPrint::Target missing = TextPrint::target("/dev/yok/lp9");
    EXPECT_FALSE(TextPrint::notReady(missing).isEmpty());
    try {
        TextPrint::send(missing, bytes);
        ADD_FAILURE() << "a missing device took the text";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "Dos yazıcısına yazılamadı");
        EXPECT_TRUE(e.detail().startsWith("/dev/yok/lp9: ")) << e.detail().toStdString();
    }
    // A read-only file: not ready, not written, what it held kept.
    const QString locked = dir.filePath("kilitli.prn");
    QFile f(locked);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("eski");
    f.close();
    f.setPermissions(QFile::ReadOwner);
    if (!QFileInfo(locked).isWritable()) { // the superuser writes it anyway
        EXPECT_FALSE(TextPrint::notReady(TextPrint::target(locked)).isEmpty());
        EXPECT_THROW(TextPrint::send(TextPrint::target(locked), bytes), AppError);
        EXPECT_EQ(readAll(locked), "eski");
    }
    // A pipe nobody reads, as a printer that is switched off: not ready, and asking does not
    // wait for it.
    const QString pipe = dir.filePath("lp0");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_EQ(TextPrint::target(pipe).kind, Kind::Device);
    EXPECT_FALSE(TextPrint::notReady(TextPrint::target(pipe)).isEmpty());
    // A file nobody can write, the superuser included; a directory.
    EXPECT_THROW(TextPrint::send(TextPrint::target("/proc/version"), bytes), AppError);
    EXPECT_EQ(TextPrint::notReady(TextPrint::target(dir.path())), dir.path() + " bir dizin");
}

TEST(TextPrint, APrinterThatStopsTakingBytesIsCancelledOrReported)
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath("lp0");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    // The printer takes what its buffer holds, then stops, as one out of paper: the writing
    // waits until it is cancelled, and the cancel is heard while it waits.
    const int printer = ::open(QFile::encodeName(pipe).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(printer, 0);
    const QByteArray bytes(1 << 20, 'x');
    const TextPrint::Target device = TextPrint::target(pipe);
    EXPECT_TRUE(TextPrint::notReady(device).isEmpty());
    std::atomic<bool> cancelled = false;
    std::thread esc([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        cancelled = true;
    });
    TextPrint::send(device, bytes, &cancelled);
    esc.join();
    QByteArray taken(bytes.size(), '\0');
    const ssize_t n = ::read(printer, taken.data(), size_t(taken.size()));
    EXPECT_GT(n, 0);
    EXPECT_LT(n, bytes.size());

    // A printer that goes away while it is written: a failure with the device named, and the
    // program goes on.
    cancelled = false;
    std::thread off([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        ::close(printer);
    });
    try {
        TextPrint::send(device, bytes, &cancelled);
        ADD_FAILURE() << "a printer that went away was reported as written";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "Dos yazıcısına yazılamadı");
        EXPECT_TRUE(e.detail().startsWith(pipe + ": ")) << e.detail().toStdString();
    }
    off.join();
}

TEST(TextPrint, AQueueGoesThroughLpAndLpstatSaysWhetherItIsReady)
{
    FakePrograms fake;
    const QByteArray log = QFile::encodeName(fake.path("lp.args"));
    const QByteArray input = QFile::encodeName(fake.path("lp.input"));
    fake.add("lp", "printf '%s\\n' \"$@\" > '" + log + "'\ncat > '" + input + "'\n");
    fake.add("lpstat", "case \"$1\" in\n"
                       "-p) echo \"printer $2 is idle.  enabled since Mon 01 Jan\" ;;\n"
                       "-a) echo \"$2 accepting requests since Mon 01 Jan\" ;;\n"
                       "esac\n");
    const TextPrint::Target queue = TextPrint::target("nokta");
    EXPECT_TRUE(TextPrint::notReady(queue).isEmpty());
    const QByteArray bytes = TextPrint::stream(linePages({70}), 1, 66);
    TextPrint::send(queue, bytes);
    EXPECT_EQ(readAll(fake.path("lp.args")), "-d\nnokta\n-o\nraw\n");
    EXPECT_EQ(readAll(fake.path("lp.input")), bytes);

    // A queue switched off, one that refuses jobs, an lp that fails.
    fake.add("lpstat", "case \"$1\" in\n"
                       "-p) echo \"printer $2 disabled since Mon 01 Jan\" ;;\n"
                       "-a) echo \"$2 accepting requests since Mon 01 Jan\" ;;\n"
                       "esac\n");
    EXPECT_EQ(TextPrint::notReady(queue), "nokta kuyruğu açık değil");
    fake.add("lpstat", "case \"$1\" in\n"
                       "-p) echo \"printer $2 is idle.  enabled since Mon 01 Jan\" ;;\n"
                       "-a) echo \"$2 not accepting requests since Mon 01 Jan\" ;;\n"
                       "esac\n");
    EXPECT_EQ(TextPrint::notReady(queue), "nokta kuyruğu iş kabul etmiyor");
    fake.add("lp",
             "cat > /dev/null\necho 'lp: The printer or class does not exist.' >&2\nexit 1\n");
    try {
        TextPrint::send(queue, bytes);
        ADD_FAILURE() << "a failing lp was taken for a print";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "Dos yazıcısına yazılamadı");
        EXPECT_EQ(e.detail(), "nokta: lp: The printer or class does not exist.");
    }
}

TEST(TextPrint, ThePrinterBytesExportTakesItsPitchAndForm)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("rapor.prn");
    exportPages(linePages({10}), exportFormatFromName("PRN"), path, {1, 4});
    EXPECT_EQ(readAll(path), TextPrint::stream(linePages({10}), 1, 4));
}
