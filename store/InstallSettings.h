#pragma once

#include "store/IniFile.h"
#include "store/ServerSettings.h"

#include <QString>

// Joins a directory and a name, whether or not the directory ends with a separator ("/" or
// "\"). An empty directory gives the name alone.
QString joinPath(const QString& directory, const QString& name);

// Where the program keeps Users.ini and the files it writes beside itself: the directory given
// by the --dir option (`option`), else $DULVET_HOME, else the user's configuration directory
// (~/.config/dulvet). Never the directory of the executable, which may be read-only.
QString programDirectory(const QString& option = QString());

// Installation settings: Users.ini in the program directory, read when needed and written at
// once. Every reader falls back to its default when the file, section or key is missing or holds
// something unreadable.
class InstallSettings {
public:
    explicit InstallSettings(const QString& programDir);

    const QString& programDir() const { return programDir_; }
    QString usersIniPath() const;
    IniFile& ini() { return ini_; }
    const IniFile& ini() const { return ini_; }
    void reload() { ini_.reload(); }

    // [SERVER]
    // The database server that keeps the books, when the installation names one.
    std::optional<ServerSettings> server() const { return ServerSettings::read(ini_); }
    QString ana() const;           // as written; may be empty
    QString dataDirectory() const; // ANA, or the program directory when ANA is empty
    QString companyDirectory(const QString& code) const;
    QString klt() const;
    QString privateRoot() const; // KLT when usable here, else a per-user temporary directory
    QString mem() const;
    QString artalan() const;
    int xp() const;
    int kagit() const;
    bool devir() const;
    int stokd() const;
    int caril() const;
    int stokl() const;
    int kurus() const;
    // MAKROTUSU: 0 (the default) runs macros with Shift + letter; 1 with Ctrl + Shift + letter,
    // for desktops where the program cannot switch Caps Lock on and Shift must type capitals.
    int makroTusu() const;
    void setAna(const QString& directory);
    void setDevir(bool on);
    void setStokd(int choice);
    void setCaril(int order);
    void setStokl(int order);

    // [DISPLAYFORMAT]
    QString stokMiktarFormat() const;
    QString faturaMiktarFormat() const;
    // How invoice quantities show: FATURAMIKTAR when set, else with their fraction, so that
    // 1.25 kg never shows as 1.
    QString invoiceQuantityFormat() const;

    // [MAKRO]: letter is one of the 23 macro letters
    QString macro(QChar letter) const;
    void setMacro(QChar letter, const QString& text);

    // [FATURA]
    qint64 satisNo() const;
    qint64 alisNo() const;
    void setSatisNo(qint64 number);
    void setAlisNo(qint64 number);
    int dahilMi() const;
    int barDahilMi() const;
    void setDahilMi(int choice);
    void setBarDahilMi(int choice);

    // [PLAN]
    double planVade() const;
    double planYuvarla() const;
    void setPlanYuvarla(double value);

private:
    QString programDir_;
    IniFile ini_;
};
