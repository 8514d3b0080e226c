#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <bitset>
#include <optional>

// What the signed-in user may open: flags 1 to 30 (index 0 is unused).
using AccessRights = std::bitset<31>;

AccessRights allRights();

// The access configuration Cnf.HDB: one 440-byte record with the protection flag, the general
// password, four user passwords and each user's 30 rights. Read defensively: a short or
// missing file reads as protection off, a length byte above 10 counts as 10, and nothing
// outside the record is read.
class AccessConfig {
public:
    static constexpr int kRecordSize = 440;
    static constexpr const char* kFixedCode = "4729";

    bool protection = false;
    QString generalPassword;
    std::array<QString, 4> userPasswords;
    std::array<AccessRights, 4> userRights;

    static AccessConfig read(const QString& path);
    static AccessConfig fromBytes(const QByteArray& record);
    QByteArray toBytes() const;
    // Throws AppError when the file cannot be written.
    void write(const QString& path) const;

    // The rights a typed password gives, or nothing when it matches no password. Later matches
    // replace earlier ones: general password (or the fixed code), then users 1 to 4.
    std::optional<AccessRights> match(const QString& typed) const;
};
