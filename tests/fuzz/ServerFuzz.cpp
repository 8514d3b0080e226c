// Server connection strings as a user may type them into Users.ini.
#include "FuzzTarget.h"
#include "store/AppError.h"
#include "store/ServerSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        ServerSettings::parse(QString::fromUtf8(fuzzBytes(data, size)));
    } catch (const AppError&) {
        // refused with a message: what should happen to bad input
    }
    return 0;
}

std::vector<QByteArray> fuzzSeeds()
{
    return {"host=/run/postgresql port=5433 dbname='defter ofis' user=muhasebe",
            "dbname='a\\'b\\\\c' sslmode=require", "host=x dbname= port=1 password='p'"};
}
