#include "store/ServerSettings.h"

#include "store/AppError.h"
#include "store/IniFile.h"

namespace {

const QString kSection = QStringLiteral("SERVER");

[[noreturn]] void fail(const QString& why)
{
    throw AppError(QStringLiteral("Sunucu bağlantı bilgisi okunamadı: %1").arg(why));
}

void refusePassword()
{
    throw AppError(QStringLiteral("Users.ini içinde sunucu parolası tutulmaz."),
                   QStringLiteral("Parolayı PGPASSWORD ortam değişkeniyle ya da ~/.pgpass "
                                  "dosyasıyla verin."));
}

void setPort(ServerSettings& s, const QString& text)
{
    bool ok = false;
    const int port = text.trimmed().toInt(&ok);
    if (!ok || port <= 0 || port > 65535) fail(QStringLiteral("port \"%1\" geçersiz").arg(text));
    s.port = port;
}

void check(const ServerSettings& s)
{
    if (s.database.isEmpty()) fail(QStringLiteral("veritabanı adı verilmemiş"));
}

} // namespace

ServerSettings ServerSettings::parse(const QString& connection)
{
    // key=value pairs separated by blanks; a value may be quoted with ' and hold \' and \\.
    ServerSettings s;
    QStringList others;
    qsizetype i = 0;
    const qsizetype n = connection.size();
    while (i < n) {
        while (i < n && connection[i].isSpace())
            ++i;
        if (i >= n) break;
        const qsizetype keyStart = i;
        while (i < n && connection[i] != u'=' && !connection[i].isSpace())
            ++i;
        const QString key = connection.mid(keyStart, i - keyStart).toLower();
        while (i < n && connection[i].isSpace())
            ++i;
        if (key.isEmpty() || i >= n || connection[i] != u'=')
            fail(QStringLiteral("\"%1\" için \"=\" bekleniyor").arg(key));
        ++i;
        while (i < n && connection[i].isSpace())
            ++i;
        QString value;
        if (i < n && connection[i] == u'\'') {
            ++i;
            bool closed = false;
            while (i < n) {
                if (connection[i] == u'\\' && i + 1 < n) {
                    value += connection[i + 1];
                    i += 2;
                } else if (connection[i] == u'\'') {
                    closed = true;
                    ++i;
                    break;
                } else {
                    value += connection[i++];
                }
            }
            if (!closed) fail(QStringLiteral("\"%1\" değerinin tırnağı kapanmamış").arg(key));
        } else {
            while (i < n && !connection[i].isSpace())
                value += connection[i++];
        }
        if (key == u"password") refusePassword();
        if (key == u"host" || key == u"hostaddr")
            s.host = value;
        else if (key == u"port")
            setPort(s, value);
        else if (key == u"dbname")
            s.database = value;
        else if (key == u"user")
            s.user = value;
        else
            others << key + QLatin1Char('=') + value;
    }
    s.options = others.join(QLatin1Char(';'));
    check(s);
    return s;
}

std::optional<ServerSettings> ServerSettings::read(const IniFile& ini)
{
    if (ini.hasKey(kSection, QStringLiteral("PGPAROLA"))) refusePassword();
    const QString connection = ini.readString(kSection, QStringLiteral("PGSUNUCU")).trimmed();
    if (!connection.isEmpty()) return parse(connection);
    const QString database = ini.readString(kSection, QStringLiteral("PGVERITABANI")).trimmed();
    const QString host = ini.readString(kSection, QStringLiteral("PGHOST")).trimmed();
    if (database.isEmpty() && host.isEmpty()) return std::nullopt;
    ServerSettings s;
    s.host = host;
    s.database = database;
    s.user = ini.readString(kSection, QStringLiteral("PGKULLANICI")).trimmed();
    const QString port = ini.readString(kSection, QStringLiteral("PGPORT")).trimmed();
    if (!port.isEmpty()) setPort(s, port);
    check(s);
    return s;
}
