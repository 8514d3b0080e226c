#include "store/CompanySettings.h"

#include "store/IniFile.h"
#include "store/InstallSettings.h"

namespace {
const QString kSection = QStringLiteral("AYAR");
}

QString CompanySettings::pathIn(const QString& companyDirectory)
{
    return joinPath(companyDirectory, QStringLiteral("Ayar.ini"));
}

CompanySettings CompanySettings::read(const QString& companyDirectory)
{
    const IniFile ini(pathIn(companyDirectory));
    CompanySettings s;
    s.tlAyar = ini.readInteger(kSection, QStringLiteral("TLAYAR"), 0);
    s.kdvHesap = ini.readInteger(kSection, QStringLiteral("KDVHESAP"), 0);
    s.fiyat = ini.readInteger(kSection, QStringLiteral("FIYAT"), 0);
    s.tl = ini.readString(kSection, QStringLiteral("TL"), QStringLiteral("TL"));
    s.kr = ini.readString(kSection, QStringLiteral("KR"), QStringLiteral("KR"));
    return s;
}

void CompanySettings::write(const QString& companyDirectory) const
{
    IniFile ini(pathIn(companyDirectory));
    ini.writeStrings(kSection, {{QStringLiteral("TLAYAR"), QString::number(tlAyar)},
                                {QStringLiteral("TL"), tl},
                                {QStringLiteral("KR"), kr},
                                {QStringLiteral("KDVHESAP"), QString::number(kdvHesap)},
                                {QStringLiteral("FIYAT"), QString::number(fiyat)}});
}
