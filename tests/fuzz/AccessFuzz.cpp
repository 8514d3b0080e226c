// The access file Cnf.HDB: any bytes read as a configuration, which then writes and matches.
#include "FuzzTarget.h"
#include "app/AccessConfig.h"
#include "store/AppError.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const AccessConfig config = AccessConfig::fromBytes(bytes);
    config.match(QString::fromLatin1(bytes.left(12)));
    config.match(config.generalPassword);
    try {
        const QByteArray written = config.toBytes();
        if (written.size() != AccessConfig::kRecordSize) std::abort();
        // What was read writes back to the same configuration.
        const AccessConfig again = AccessConfig::fromBytes(written);
        if (again.protection != config.protection || again.userRights != config.userRights ||
            again.userPasswords != config.userPasswords)
            std::abort();
    } catch (const AppError&) {
    }
    return 0;
}

std::vector<QByteArray> fuzzSeeds()
{
    AccessConfig config;
    config.protection = true;
    config.generalPassword = QStringLiteral("GENEL");
    config.userPasswords = {QStringLiteral("AYŞE"), QStringLiteral("ali"), QString(),
                            QStringLiteral("1234567890")};
    config.userRights[0] = allRights();
    config.userRights[1].set(3);
    return {config.toBytes(), QByteArray(AccessConfig::kRecordSize, '\0'), QByteArray("\x01")};
}
