// Settings files as another program or a damaged disk may leave them: read, then written back.
#include "FuzzTarget.h"
#include "store/IniFile.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ayar.ini"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) return 0;
        file.write(fuzzBytes(data, size));
    }
    IniFile ini(path);
    for (const QString& section : ini.sections())
        for (const QString& key : ini.keys(section)) {
            ini.readString(section, key);
            ini.readInteger(section, key, 0);
            ini.readFloat(section, key, 0);
            ini.readBool(section, key, false);
        }
    // Writing syncs the file to disk; every eighth input is enough to cover it.
    static int inputs = 0;
    if (++inputs % 8 == 0) {
        ini.writeString(QStringLiteral("GENEL"), QStringLiteral("Ad"), QStringLiteral("Şişli"));
        ini.removeKey(QStringLiteral("Yazıcı"), QStringLiteral("Kağıt"));
    }
    return 0;
}

std::vector<QByteArray> fuzzSeeds()
{
    return {"[GENEL]\r\nTLAyar=1\r\nKDV=18\r\nOran=0,5\r\n\r\n[Yaz\xc4\xb1\x63\xc4\xb1]\r\nK"
            "a\xc4\x9f\xc4\xb1t=A4\r\n",
            "\xEF\xBB\xBF; not\n[A]\nx=1\ny = yes \n[B]\n=\n[\n", "[USERS]\nANA=/veri/\nMAKRO=E\n"};
}
