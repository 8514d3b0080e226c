#include "store/InstallSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
const QString kServer = QStringLiteral("SERVER");
const QString kFatura = QStringLiteral("FATURA");
} // namespace

QString joinPath(const QString& directory, const QString& name)
{
    if (directory.isEmpty()) return name;
    QString base = directory;
    while (base.size() > 1 && (base.endsWith(QLatin1Char('/')) || base.endsWith(QLatin1Char('\\'))))
        base.chop(1);
    return base + QLatin1Char('/') + name;
}

QString programDirectory(const QString& option)
{
    if (!option.isEmpty()) return QDir(option).absolutePath();
    const QString env = qEnvironmentVariable("DULVET_HOME");
    if (!env.isEmpty()) return QDir(env).absolutePath();
    QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (config.isEmpty()) config = QDir::homePath() + QStringLiteral("/.config");
    return QDir(config).filePath(QStringLiteral("dulvet"));
}

InstallSettings::InstallSettings(const QString& programDir)
    : programDir_(programDir)
    , ini_(QDir(programDir).filePath(QStringLiteral("Users.ini")))
{
}

QString InstallSettings::usersIniPath() const
{
    return ini_.path();
}

QString InstallSettings::ana() const
{
    return ini_.readString(kServer, QStringLiteral("ANA"));
}

QString InstallSettings::dataDirectory() const
{
    const QString directory = ana();
    return directory.isEmpty() ? programDir_ : directory;
}

QString InstallSettings::companyDirectory(const QString& code) const
{
    return joinPath(dataDirectory(), code);
}

QString InstallSettings::klt() const
{
    return ini_.readString(kServer, QStringLiteral("KLT"), QStringLiteral("c:\\windows\\temp\\"));
}

QString InstallSettings::privateRoot() const
{
    const QString configured = klt();
    // A Windows path (the old default) means nothing here.
    if (!configured.isEmpty() && !configured.contains(QLatin1Char('\\')) &&
        !configured.contains(QLatin1Char(':')) && QDir().mkpath(configured) &&
        QFileInfo(configured).isWritable())
        return configured;
    QString temp = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    if (temp.isEmpty()) temp = QDir::tempPath();
    return QDir(temp).filePath(QStringLiteral("dulvet-klt-") +
                               qEnvironmentVariable("USER", QStringLiteral("kullanici")));
}

QString InstallSettings::mem() const
{
    return ini_.readString(kServer, QStringLiteral("MEM"), QStringLiteral("ORSİL_DULVET"));
}

QString InstallSettings::artalan() const
{
    return ini_.readString(kServer, QStringLiteral("ARTALAN"), QStringLiteral("Artalan.jpg"));
}

int InstallSettings::xp() const
{
    return ini_.readInteger(kServer, QStringLiteral("XP"), 0);
}
int InstallSettings::kagit() const
{
    return ini_.readInteger(kServer, QStringLiteral("KAGIT"), 0);
}
bool InstallSettings::devir() const
{
    return ini_.readBool(kServer, QStringLiteral("DEVIR"), false);
}
int InstallSettings::stokd() const
{
    return ini_.readInteger(kServer, QStringLiteral("STOKD"), 0);
}
int InstallSettings::caril() const
{
    return ini_.readInteger(kServer, QStringLiteral("CARIL"), 1);
}
int InstallSettings::stokl() const
{
    return ini_.readInteger(kServer, QStringLiteral("STOKL"), 1);
}
int InstallSettings::makroTusu() const
{
    return ini_.readInteger(kServer, QStringLiteral("MAKROTUSU"), 0) == 1 ? 1 : 0;
}
int InstallSettings::kurus() const
{
    return ini_.readInteger(kServer, QStringLiteral("KURUS"), 0);
}
void InstallSettings::setAna(const QString& directory)
{
    ini_.writeString(kServer, QStringLiteral("ANA"), directory);
}
void InstallSettings::setDevir(bool on)
{
    ini_.writeBool(kServer, QStringLiteral("DEVIR"), on);
}
void InstallSettings::setStokd(int choice)
{
    ini_.writeInteger(kServer, QStringLiteral("STOKD"), choice);
}
void InstallSettings::setCaril(int order)
{
    ini_.writeInteger(kServer, QStringLiteral("CARIL"), order);
}
void InstallSettings::setStokl(int order)
{
    ini_.writeInteger(kServer, QStringLiteral("STOKL"), order);
}

QString InstallSettings::stokMiktarFormat() const
{
    return ini_.readString(QStringLiteral("DISPLAYFORMAT"), QStringLiteral("STOKMIKTAR"),
                           QStringLiteral("#,##0"));
}

QString InstallSettings::faturaMiktarFormat() const
{
    return ini_.readString(QStringLiteral("DISPLAYFORMAT"), QStringLiteral("FATURAMIKTAR"),
                           QStringLiteral("#,##0"));
}

QString InstallSettings::macro(QChar letter) const
{
    return ini_.readString(QStringLiteral("MAKRO"), QStringLiteral("mnu") + letter.toUpper());
}

void InstallSettings::setMacro(QChar letter, const QString& text)
{
    ini_.writeString(QStringLiteral("MAKRO"), QStringLiteral("mnu") + letter.toUpper(), text);
}

qint64 InstallSettings::satisNo() const
{
    return qint64(ini_.readFloat(kFatura, QStringLiteral("SATISNO"), 0));
}

qint64 InstallSettings::alisNo() const
{
    return qint64(ini_.readFloat(kFatura, QStringLiteral("ALISNO"), 0));
}

void InstallSettings::setSatisNo(qint64 number)
{
    ini_.writeString(kFatura, QStringLiteral("SATISNO"), QString::number(number));
}
void InstallSettings::setAlisNo(qint64 number)
{
    ini_.writeString(kFatura, QStringLiteral("ALISNO"), QString::number(number));
}
int InstallSettings::dahilMi() const
{
    return ini_.readInteger(kFatura, QStringLiteral("DAHILMI"), 1);
}
int InstallSettings::barDahilMi() const
{
    return ini_.readInteger(kFatura, QStringLiteral("BARDAHILMI"), 1);
}
void InstallSettings::setDahilMi(int choice)
{
    ini_.writeInteger(kFatura, QStringLiteral("DAHILMI"), choice);
}
void InstallSettings::setBarDahilMi(int choice)
{
    ini_.writeInteger(kFatura, QStringLiteral("BARDAHILMI"), choice);
}

double InstallSettings::planVade() const
{
    return ini_.readFloat(QStringLiteral("PLAN"), QStringLiteral("VADE"), 30);
}
double InstallSettings::planYuvarla() const
{
    return ini_.readFloat(QStringLiteral("PLAN"), QStringLiteral("YUVARLA"), 0);
}
void InstallSettings::setPlanYuvarla(double value)
{
    ini_.writeFloat(QStringLiteral("PLAN"), QStringLiteral("YUVARLA"), value);
}

QString InstallSettings::invoiceQuantityFormat() const
{
    return ini_.hasKey(QStringLiteral("DISPLAYFORMAT"), QStringLiteral("FATURAMIKTAR"))
               ? faturaMiktarFormat()
               : QStringLiteral("#,##0.##");
}
