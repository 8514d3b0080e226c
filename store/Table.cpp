#include "store/Table.h"

#include "store/AppError.h"
#include "store/StoreSession.h"
#include "store/TableLocks.h"
#include "store/TextRules.h"

#include <algorithm>
#include <cmath>

// Opening and closing a cursor, its order, and reading fields of the current record. Moving
// through the rows is in TableNavigation.cpp, changing them in TableRecord.cpp, searching and
// filtering in TableSearch.cpp.

const FieldDef& FieldRef::def() const
{
    return table_->def_.fields[size_t(index_)];
}

QVariant FieldRef::value() const
{
    return table_->value(index_);
}

bool FieldRef::isNull() const
{
    return table_->value(index_).isNull();
}

void FieldRef::setValue(const QVariant& value)
{
    table_->setValue(index_, value);
}

int FieldRef::asInteger() const
{
    return int(std::llround(table_->value(index_).toDouble()));
}

qint64 FieldRef::asInt64() const
{
    const QVariant v = table_->value(index_);
    if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int) return v.toLongLong();
    return std::llround(v.toDouble());
}

double FieldRef::asFloat() const
{
    return table_->value(index_).toDouble();
}

QDate FieldRef::asDate() const
{
    return table_->value(index_).toDate();
}

QTime FieldRef::asTime() const
{
    return table_->value(index_).toTime();
}

QByteArray FieldRef::asBytes() const
{
    return table_->value(index_).toByteArray();
}

QString FieldRef::asString() const
{
    const QVariant v = table_->value(index_);
    if (v.isNull()) return QString(QLatin1String(""));
    switch (def().kind) {
    case FieldKind::Date:
        return DateText(v.toDate());
    case FieldKind::Time:
        return v.toTime().toString(QStringLiteral("HH:mm:ss"));
    case FieldKind::Float:
        return QString::number(v.toDouble(), 'g', 15);
    default:
        return v.toString();
    }
}

Table::Table(Connection& connection, const QString& tableName)
    : connection_(connection)
    , tableName_(tableName)
{
}

Table::Table(Connection& connection, ResultSet)
    : connection_(connection)
    , readOnly_(true)
{
}

Table::~Table()
{
    close();
}

void Table::setTableName(const QString& tableName)
{
    if (isOpen()) throw AppError(QStringLiteral("Açık bir tablonun adı değiştirilemez."));
    tableName_ = tableName;
}

void Table::open(bool exclusive)
{
    if (isOpen()) return;
    def_ = connection_.tableDef(tableName_);
    tableName_ = def_.name;
    const QString hash = connection_.passwordHashOf(tableName_);
    if (!hash.isEmpty() && !connection_.session().hasPassword(hash))
        throw AppError(QStringLiteral("%1 tablosu parola ile korunuyor; ana parola verilmeden "
                                      "açılamaz.")
                           .arg(tableName_));
    if (!indexName_.isEmpty() && !def_.findIndex(indexName_))
        throw AppError(QStringLiteral("%1 tablosunda %2 indeksi yok.").arg(tableName_, indexName_));
    source_ = sqlName(def_.name);
    keyColumn_ = def_.fields.front().name;
    lockId_ = connection_.tableId(tableName_);
    TableLocks::acquire(connection_, lockId_, exclusive, tableName_);
    exclusive_ = exclusive;
    connection_.registerCursor(this);
    state_ = State::Browse;
    generation_ = connection_.generation();
    try {
        prepareSql();
        if (filtered_) filterSql_ = ConditionCompiler::compileFilter(filterText_, def_);
        first();
    } catch (...) {
        close();
        throw;
    }
}

void Table::openResult(const TableDef& def, const QString& source, const QString& keyColumn)
{
    def_ = def;
    tableName_ = def.name;
    source_ = source;
    keyColumn_ = keyColumn;
    indexName_.clear();
    filtered_ = false;
    connection_.registerCursor(this);
    state_ = State::Browse;
    generation_ = connection_.generation();
    try {
        prepareSql();
        first();
    } catch (...) {
        close();
        throw;
    }
}

void Table::close()
{
    if (!isOpen()) return;
    if (lockId_ >= 0) TableLocks::release(connection_, lockId_, exclusive_);
    lockId_ = -1;
    exclusive_ = false;
    connection_.unregisterCursor(this);
    state_ = State::Inactive;
    window_.clear();
    current_.clear();
    buffer_.clear();
    hasCurrent_ = false;
    bof_ = eof_ = true;
}

void Table::setIndexName(const QString& indexName)
{
    if (isOpen() && !indexName.isEmpty() && !def_.findIndex(indexName))
        throw AppError(QStringLiteral("%1 tablosunda %2 indeksi yok.").arg(tableName_, indexName));
    indexName_ = indexName;
    if (!isOpen()) return;
    requireBrowse("sıralama değiştirilemez");
    prepareSql();
    if (hasCurrent_) {
        const qint64 id = currentId();
        if (!gotoId(id)) first();
    }
}

void Table::setReadFields(const QStringList& fields)
{
    if (isOpen())
        throw AppError(QStringLiteral("Açık bir tablonun okunan alanları değiştirilemez."));
    readFields_ = fields;
    readOnly_ = readOnly_ || !fields.isEmpty();
}

void Table::prepareSql()
{
    const int n = fieldCount();
    orderExpressions_.clear();
    orderFields_.clear();
    if (const IndexDef* index = indexName_.isEmpty() ? nullptr : def_.findIndex(indexName_)) {
        for (const QString& part : index->fieldList()) {
            const int at = def_.fieldIndex(part);
            orderExpressions_ << keyExpression(def_.fields[size_t(at)],
                                               index->options & IndexCaseInsensitive);
            orderFields_.push_back(at);
        }
    }
    orderExpressions_ << sqlName(keyColumn_);
    orderFields_.push_back(n + 1);

    QStringList columns;
    for (int i = 0; i < n; ++i) {
        const QString& name = def_.fields[size_t(i)].name;
        const bool read =
            readFields_.isEmpty() || i == 0 || readFields_.contains(name, Qt::CaseInsensitive) ||
            std::find(orderFields_.begin(), orderFields_.end(), i) != orderFields_.end();
        // A field left out keeps its place in the row, so every index into it stays right.
        columns << (read ? sqlName(name) : QStringLiteral("NULL"));
    }
    columns << (readOnly_ ? QStringLiteral("1") : QStringLiteral("\"_Surum\""));
    columns << sqlName(keyColumn_);
    selectList_ = columns.join(QStringLiteral(", "));
}

void Table::requireOpen() const
{
    if (!isOpen()) throw AppError(QStringLiteral("%1 tablosu açık değil.").arg(tableName_));
}

void Table::requireBrowse(const char* what) const
{
    requireOpen();
    if (state_ != State::Browse)
        throw AppError(QStringLiteral("%1 tablosunda kayıt düzeltilirken %2.")
                           .arg(tableName_, QString::fromUtf8(what)));
}

void Table::checkGeneration()
{
    if (generation_ != connection_.generation()) {
        generation_ = connection_.generation();
        refresh();
    }
}

FieldRef Table::field(int index)
{
    if (index < 0 || index >= fieldCount())
        throw AppError(
            QStringLiteral("%1 tablosunda %2. alan yok.").arg(tableName_).arg(index + 1));
    return FieldRef(*this, index);
}

FieldRef Table::fieldByName(const QString& fieldName)
{
    const int at = def_.fieldIndex(fieldName);
    if (at < 0)
        throw AppError(QStringLiteral("%1 tablosunda %2 alanı yok.").arg(tableName_, fieldName));
    return FieldRef(*this, at);
}

QVariant Table::value(int index)
{
    requireOpen();
    QVariant stored;
    if (state_ == State::Edit || state_ == State::Insert)
        stored = buffer_[size_t(index)];
    else if (hasCurrent_ || currentStale_) {
        const SqlRow& row = currentRow();
        if (hasCurrent_) stored = row[size_t(index)];
    }
    return convertOut(index, stored);
}

QVariant Table::convertOut(int field, const QVariant& stored) const
{
    if (stored.isNull()) return QVariant();
    switch (def_.fields[size_t(field)].kind) {
    case FieldKind::Date:
        return QDate::fromString(stored.toString(), Qt::ISODate);
    case FieldKind::Time:
        return QTime::fromString(stored.toString(), QStringLiteral("HH:mm:ss"));
    default:
        return stored;
    }
}
