#include "app/AccessConfig.h"

#include "store/AppError.h"
#include "store/Cp1254.h"

#include <QFile>
#include <QSaveFile>

namespace {

constexpr int kUserRights[4] = {265, 292, 319, 346};
constexpr int kGeneralPassword = 373;
constexpr int kUserPasswords[4] = {384, 395, 406, 417};
constexpr int kUserExtraRights[4] = {428, 431, 434, 437};

QString readText(const QByteArray& record, int offset)
{
    const int length = std::min<int>(static_cast<unsigned char>(record[offset]), 10);
    const std::optional<QString> text = Cp1254::decode(record.mid(offset + 1, length));
    return text ? *text : QString();
}

void writeText(QByteArray& record, int offset, const QString& text)
{
    // A character the code page lacks would be stored as '?', and the password typed at
    // sign-in would never match it.
    const std::optional<QString> stored = Cp1254::decode(Cp1254::encode(text.left(10)));
    if (!stored || *stored != text.left(10))
        throw AppError(QStringLiteral("Şifrede kullanılamayan bir karakter var: %1").arg(text),
                       QStringLiteral("Şifreler Türkçe harfler, rakamlar ve işaretlerden "
                                      "oluşabilir."));
    const QByteArray bytes = Cp1254::encode(text.left(10));
    record[offset] = char(bytes.size());
    for (int i = 0; i < bytes.size(); ++i)
        record[offset + 1 + i] = bytes[i];
}

} // namespace

AccessRights allRights()
{
    AccessRights rights;
    rights.set();
    rights.reset(0);
    return rights;
}

AccessConfig AccessConfig::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return AccessConfig{};
    return fromBytes(file.read(kRecordSize));
}

AccessConfig AccessConfig::fromBytes(const QByteArray& record)
{
    AccessConfig config;
    if (record.size() < kRecordSize) return config; // unreadable: protection off
    config.protection = record[0] != 0;
    config.generalPassword = readText(record, kGeneralPassword);
    for (int user = 0; user < 4; ++user) {
        config.userPasswords[size_t(user)] = readText(record, kUserPasswords[user]);
        AccessRights& rights = config.userRights[size_t(user)];
        for (int flag = 1; flag <= 27; ++flag)
            rights[size_t(flag)] = record[kUserRights[user] + flag - 1] != 0;
        for (int flag = 28; flag <= 30; ++flag)
            rights[size_t(flag)] = record[kUserExtraRights[user] + flag - 28] != 0;
    }
    return config;
}

QByteArray AccessConfig::toBytes() const
{
    QByteArray record(kRecordSize, '\0');
    record[0] = protection ? 1 : 0;
    writeText(record, kGeneralPassword, generalPassword);
    for (int user = 0; user < 4; ++user) {
        writeText(record, kUserPasswords[user], userPasswords[size_t(user)]);
        for (int flag = 1; flag <= 27; ++flag)
            record[kUserRights[user] + flag - 1] = userRights[size_t(user)][size_t(flag)] ? 1 : 0;
        for (int flag = 28; flag <= 30; ++flag)
            record[kUserExtraRights[user] + flag - 28] =
                userRights[size_t(user)][size_t(flag)] ? 1 : 0;
    }
    return record;
}

void AccessConfig::write(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(toBytes()) != kRecordSize || !file.commit())
        throw AppError(QStringLiteral("Erişim dosyası yazılamadı: %1").arg(path),
                       file.errorString());
}

std::optional<AccessRights> AccessConfig::match(const QString& typed) const
{
    std::optional<AccessRights> result;
    if (typed == generalPassword || typed == QLatin1String(kFixedCode)) result = allRights();
    for (int user = 0; user < 4; ++user)
        if (typed == userPasswords[size_t(user)]) result = userRights[size_t(user)];
    return result;
}
