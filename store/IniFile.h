#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// A Windows-style settings file ("[Section]" lines and "Key=Value" lines) in code page 1254.
// Names of sections and keys match without regard to case. A missing file, section or key, a
// value that cannot be read as the asked kind, or one with a byte outside the code page reads
// as the caller's default. Every write goes to disk at once and atomically (a temporary file
// renamed over the old one), re-reading the file first so that other programs' changes stay;
// lines this class does not understand, comments and unknown keys are kept as they were.
class IniFile {
public:
    explicit IniFile(const QString& path);

    const QString& path() const { return path_; }
    void reload();

    QString readString(const QString& section, const QString& key,
                       const QString& fallback = QString()) const;
    int readInteger(const QString& section, const QString& key, int fallback) const;
    double readFloat(const QString& section, const QString& key, double fallback) const;
    bool readBool(const QString& section, const QString& key, bool fallback) const;
    bool hasKey(const QString& section, const QString& key) const;
    QStringList sections() const;
    QStringList keys(const QString& section) const;

    // Throws AppError when the file cannot be written; the file on disk is then unchanged.
    void writeString(const QString& section, const QString& key, const QString& value);
    // Several keys of one section in one atomic write.
    void writeStrings(const QString& section, const QList<QPair<QString, QString>>& values);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeFloat(const QString& section, const QString& key, double value);
    void writeBool(const QString& section, const QString& key, bool value);
    void removeKey(const QString& section, const QString& key);

private:
    // Index of the line holding the key in the section, or -1; sectionLine gets the section's
    // header line (or -1).
    int find(const QString& section, const QString& key, int* sectionLine = nullptr) const;
    std::optional<QByteArray> rawValue(const QString& section, const QString& key) const;
    void put(const QString& section, const QString& key, const QString& value);
    void save() const;

    QString path_;
    std::vector<QByteArray> lines_; // as read, without line ends
    QByteArray lineEnd_ = "\r\n";
};
