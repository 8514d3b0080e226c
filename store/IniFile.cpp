#include "store/IniFile.h"

#include "store/AppError.h"
#include "store/Cp1254.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <unistd.h>

namespace {

bool sameName(const QByteArray& raw, const QString& name)
{
    const std::optional<QString> decoded = Cp1254::decode(raw.trimmed());
    return decoded && decoded->compare(name, Qt::CaseInsensitive) == 0;
}

// "[Name]" gives "Name"; anything else gives a null array.
QByteArray sectionName(const QByteArray& line)
{
    const QByteArray t = line.trimmed();
    if (t.size() >= 2 && t.startsWith('[') && t.endsWith(']')) return t.mid(1, t.size() - 2);
    return QByteArray();
}

bool isComment(const QByteArray& line)
{
    const QByteArray t = line.trimmed();
    return t.startsWith(';') || t.startsWith('#');
}

} // namespace

IniFile::IniFile(const QString& path)
    : path_(path)
{
    reload();
}

void IniFile::reload()
{
    lines_.clear();
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) return; // a missing file reads as all defaults
    QByteArray content = file.readAll();
    if (content.startsWith("\xEF\xBB\xBF")) content.remove(0, 3);
    lineEnd_ =
        content.contains("\r\n") || !content.contains('\n') ? QByteArray("\r\n") : QByteArray("\n");
    for (QByteArray line : content.split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        lines_.push_back(line);
    }
    if (!lines_.empty() && lines_.back().isEmpty()) lines_.pop_back();
}

int IniFile::find(const QString& section, const QString& key, int* sectionLine) const
{
    bool inSection = false;
    if (sectionLine) *sectionLine = -1;
    for (int i = 0; i < int(lines_.size()); ++i) {
        const QByteArray& line = lines_[size_t(i)];
        const QByteArray name = sectionName(line);
        if (!name.isNull()) {
            inSection = sameName(name, section);
            if (inSection && sectionLine && *sectionLine < 0) *sectionLine = i;
            continue;
        }
        if (!inSection || key.isEmpty() || isComment(line)) continue;
        const int eq = line.indexOf('=');
        if (eq > 0 && sameName(line.left(eq), key)) return i;
    }
    return -1;
}

std::optional<QByteArray> IniFile::rawValue(const QString& section, const QString& key) const
{
    const int at = find(section, key);
    if (at < 0) return std::nullopt;
    const QByteArray& line = lines_[size_t(at)];
    return line.mid(line.indexOf('=') + 1).trimmed();
}

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& fallback) const
{
    const std::optional<QByteArray> raw = rawValue(section, key);
    if (!raw) return fallback;
    const std::optional<QString> text = Cp1254::decode(*raw);
    return text ? *text : fallback;
}

int IniFile::readInteger(const QString& section, const QString& key, int fallback) const
{
    const std::optional<QByteArray> raw = rawValue(section, key);
    if (!raw) return fallback;
    bool ok = false;
    const int value = raw->startsWith("0x") || raw->startsWith("0X") ? raw->mid(2).toInt(&ok, 16)
                                                                     : raw->toInt(&ok);
    return ok ? value : fallback;
}

double IniFile::readFloat(const QString& section, const QString& key, double fallback) const
{
    const std::optional<QByteArray> raw = rawValue(section, key);
    if (!raw) return fallback;
    bool ok = false;
    const double value = raw->toDouble(&ok);
    return ok ? value : fallback;
}

bool IniFile::readBool(const QString& section, const QString& key, bool fallback) const
{
    const int value = readInteger(section, key, fallback ? 1 : 0);
    return value != 0;
}

bool IniFile::hasKey(const QString& section, const QString& key) const
{
    return find(section, key) >= 0;
}

QStringList IniFile::sections() const
{
    QStringList list;
    for (const QByteArray& line : lines_) {
        const QByteArray name = sectionName(line);
        if (name.isNull()) continue;
        if (const auto decoded = Cp1254::decode(name);
            decoded && !list.contains(*decoded, Qt::CaseInsensitive))
            list << *decoded;
    }
    return list;
}

QStringList IniFile::keys(const QString& section) const
{
    QStringList list;
    bool inSection = false;
    for (const QByteArray& line : lines_) {
        const QByteArray name = sectionName(line);
        if (!name.isNull()) {
            inSection = sameName(name, section);
            continue;
        }
        const int eq = line.indexOf('=');
        if (!inSection || eq <= 0 || isComment(line)) continue;
        if (const auto decoded = Cp1254::decode(line.left(eq).trimmed())) list << *decoded;
    }
    return list;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    writeStrings(section, {{key, value}});
}

void IniFile::writeStrings(const QString& section, const QList<QPair<QString, QString>>& values)
{
    reload(); // keep what other programs wrote meanwhile
    const std::vector<QByteArray> before = lines_;
    for (const auto& [key, value] : values)
        put(section, key, value);
    try {
        save();
    } catch (...) {
        lines_ = before;
        throw;
    }
}

void IniFile::put(const QString& section, const QString& key, const QString& value)
{
    const QByteArray line = Cp1254::encode(key) + '=' + Cp1254::encode(value);
    int sectionLine = -1;
    const int at = find(section, key, &sectionLine);
    if (at >= 0) {
        lines_[size_t(at)] = line;
    } else if (sectionLine >= 0) {
        // After the section's last key, before blank lines that separate it from the next.
        int insertAt = sectionLine + 1;
        for (int i = sectionLine + 1; i < int(lines_.size()); ++i) {
            if (!sectionName(lines_[size_t(i)]).isNull()) break;
            if (!lines_[size_t(i)].trimmed().isEmpty()) insertAt = i + 1;
        }
        lines_.insert(lines_.begin() + insertAt, line);
    } else {
        if (!lines_.empty() && !lines_.back().trimmed().isEmpty()) lines_.push_back(QByteArray());
        lines_.push_back('[' + Cp1254::encode(section) + ']');
        lines_.push_back(line);
    }
}

void IniFile::writeInteger(const QString& section, const QString& key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeFloat(const QString& section, const QString& key, double value)
{
    writeString(section, key, QString::number(value, 'g', 15));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::removeKey(const QString& section, const QString& key)
{
    reload();
    const int at = find(section, key);
    if (at < 0) return;
    lines_.erase(lines_.begin() + at);
    save();
}

void IniFile::save() const
{
    QByteArray content;
    for (const QByteArray& line : lines_)
        content += line + lineEnd_;
    QSaveFile file(path_);
    const auto fail = [&] {
        return AppError(QStringLiteral("Ayar dosyası yazılamadı: %1").arg(path_),
                        file.errorString());
    };
    if (!file.open(QIODevice::WriteOnly)) throw fail();
    if (file.write(content) != content.size() || !file.flush()) {
        file.cancelWriting();
        throw fail();
    }
    ::fsync(file.handle());
    if (!file.commit()) throw fail();
}
