#include "support/TempDir.h"

#include <QDir>

StoreFixture::StoreFixture()
{
    session = std::make_unique<StoreSession>(dir.filePath(QStringLiteral("klt")));
    session->setServer(database.server(), QString());
}

QString StoreFixture::path(const QString& name) const
{
    return name.isEmpty() ? dir.path() : dir.filePath(name);
}

std::unique_ptr<Connection> StoreFixture::connect(Connection::OpenMode mode)
{
    return std::make_unique<Connection>(*session, dir.path(), mode);
}

TableDef sampleTableDef(const QString& name)
{
    TableDef def;
    def.name = name;
    def.fields = {
        {QStringLiteral("Nosu"), FieldKind::AutoInc, 0, true},
        {QStringLiteral("Kodu"), FieldKind::Text, 10, false},
        {QStringLiteral("Unvani"), FieldKind::Text, 30, false},
        {QStringLiteral("Tarih"), FieldKind::Date, 0, true},
        {QStringLiteral("Tutar"), FieldKind::Float, 0, false},
        {QStringLiteral("Adet"), FieldKind::Integer, 0, false},
        {QStringLiteral("Not"), FieldKind::Memo, 0, false},
    };
    def.indexes = {
        {QString(), QStringLiteral("Nosu"), IndexPrimary | IndexUnique},
        {QStringLiteral("Kod_1"), QStringLiteral("Kodu"), IndexCaseInsensitive},
        {QStringLiteral("Kod_2"), QStringLiteral("Tarih;Kodu"), IndexCaseInsensitive},
        {QStringLiteral("Kod_3"), QStringLiteral("Unvani"), IndexCaseInsensitive},
    };
    return def;
}
