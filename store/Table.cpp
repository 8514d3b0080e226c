#include "store/Table.h"

#include "store/AppError.h"
#include "store/StoreSession.h"
#include "store/TableLocks.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Rows read ahead on a move that leaves the cached window. Small enough that a move costs a
// fraction of a millisecond, large enough that walking a table is a query per 32 records.
constexpr int kWindowRows = 32;

QString placeholders(int count)
{
    QStringList marks;
    for (int i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks.join(QStringLiteral(", "));
}

QVariant nonNullText(const QVariant& value)
{
    return value.isNull() ? QVariant(QString(QLatin1String(""))) : value;
}

} // namespace

// --- FieldRef ----------------------------------------------------------------------------------

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
        return v.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    case FieldKind::Time:
        return v.toTime().toString(QStringLiteral("HH:mm:ss"));
    case FieldKind::Float:
        return QString::number(v.toDouble(), 'g', 15);
    default:
        return v.toString();
    }
}

// --- Opening -----------------------------------------------------------------------------------

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
    TableLocks::acquire(connection_.lockFilePath(), lockId_, exclusive, tableName_);
    exclusive_ = exclusive;
    connection_.registerTable(this);
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
    connection_.registerTable(this);
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
    if (lockId_ >= 0) TableLocks::release(connection_.lockFilePath(), lockId_, exclusive_);
    lockId_ = -1;
    exclusive_ = false;
    connection_.unregisterTable(this);
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
    for (const FieldDef& field : def_.fields)
        columns << sqlName(field.name);
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

// --- Reading -----------------------------------------------------------------------------------

QVariantList Table::filterParams() const
{
    return filtered_ ? filterSql_.params : QVariantList();
}

QString Table::whereClause(const QString& extra) const
{
    QStringList terms;
    if (filtered_ && !filterSql_.isEmpty()) terms << filterSql_.sql;
    if (!extra.isEmpty()) terms << extra;
    return terms.isEmpty() ? QString()
                           : QStringLiteral(" WHERE ") + terms.join(QStringLiteral(" AND "));
}

QVariantList Table::keyOf(const SqlRow& row) const
{
    QVariantList key;
    for (int at : orderFields_) {
        const QVariant& v = row[size_t(at)];
        if (at <= fieldCount() - 1 && v.isNull()) {
            const FieldKind kind = def_.fields[size_t(at)].kind;
            key << (kind == FieldKind::Integer || kind == FieldKind::Float
                        ? QVariant(0)
                        : QVariant(QString(QLatin1String(""))));
        } else {
            key << v;
        }
    }
    return key;
}

std::vector<SqlRow> Table::fetch(const QString& extraCondition, const QVariantList& extraParams,
                                 bool descending, int limit, qint64 offset, int orderFrom)
{
    // Keys fixed by equality are left out of the ORDER BY: SQLite then reads the index in order
    // instead of sorting the whole run of equal keys.
    QStringList order =
        orderExpressions_.mid(std::min<int>(orderFrom, int(orderExpressions_.size()) - 1));
    if (descending)
        for (QString& term : order)
            term += QStringLiteral(" DESC");
    const QString sql = QStringLiteral("SELECT %1 FROM %2%3 ORDER BY %4 LIMIT ? OFFSET ?")
                            .arg(selectList_, source_, whereClause(extraCondition),
                                 order.join(QStringLiteral(", ")));
    QVariantList params = filterParams();
    params += extraParams;
    params << limit << offset;
    return connection_.select(sql, params);
}

QString Table::levelCondition(int level, const char* op) const
{
    QStringList terms;
    for (int i = 0; i < level; ++i)
        terms << orderExpressions_[i] + QStringLiteral(" = ?");
    terms << orderExpressions_[level] + QLatin1Char(' ') + QLatin1String(op) + QStringLiteral(" ?");
    return terms.join(QStringLiteral(" AND "));
}

std::vector<SqlRow> Table::seek(const QVariantList& key, bool forward, bool inclusive, int limit)
{
    // For key (a, b, Nosu) going forward: a = ? AND b = ? AND Nosu > ?, then a = ? AND b > ?,
    // then a > ?. Each part is a range on one index, and each comes wholly after the one
    // before, so the parts are read in turn until the window is full.
    std::vector<SqlRow> rows;
    for (int level = int(key.size()) - 1; level >= 0 && int(rows.size()) < limit; --level) {
        const bool deepest = level == int(key.size()) - 1;
        const char* op =
            forward ? (deepest && inclusive ? ">=" : ">") : (deepest && inclusive ? "<=" : "<");
        std::vector<SqlRow> part = fetch(levelCondition(level, op), key.mid(0, level + 1), !forward,
                                         limit - int(rows.size()), 0, level);
        std::move(part.begin(), part.end(), std::back_inserter(rows));
    }
    return rows;
}

qint64 Table::countBefore(const QVariantList& key)
{
    qint64 before = 0;
    for (int level = 0; level < int(key.size()); ++level)
        before += connection_
                      .scalar(QStringLiteral("SELECT count(*) FROM %1%2")
                                  .arg(source_, whereClause(levelCondition(level, "<"))),
                              filterParams() + key.mid(0, level + 1))
                      .toLongLong();
    return before;
}

void Table::setWindow(std::vector<SqlRow> rows, size_t position)
{
    window_ = std::move(rows);
    pos_ = position;
    current_ = window_[pos_];
    hasCurrent_ = true;
    currentStale_ = false;
    windowHasFirst_ = windowHasLast_ = false;
}

void Table::setEmpty()
{
    window_.clear();
    current_.clear();
    hasCurrent_ = false;
    currentStale_ = false;
    bof_ = eof_ = true;
    recNo_ = 0;
    count_ = 0;
}

void Table::first()
{
    requireBrowse("başa gidilemez");
    checkGeneration();
    loadFirst();
}

void Table::loadFirst()
{
    std::vector<SqlRow> rows = fetch(QString(), {}, false, kWindowRows);
    if (rows.empty()) {
        setEmpty();
        return;
    }
    const bool all = rows.size() < size_t(kWindowRows);
    setWindow(std::move(rows), 0);
    windowHasFirst_ = true;
    windowHasLast_ = all;
    recNo_ = 1;
    bof_ = true;
    eof_ = false;
}

void Table::last()
{
    requireBrowse("sona gidilemez");
    checkGeneration();
    std::vector<SqlRow> rows = fetch(QString(), {}, true, kWindowRows);
    if (rows.empty()) {
        setEmpty();
        return;
    }
    const bool all = rows.size() < size_t(kWindowRows);
    std::reverse(rows.begin(), rows.end());
    const size_t at = rows.size() - 1;
    setWindow(std::move(rows), at);
    windowHasLast_ = true;
    windowHasFirst_ = all;
    recNo_ = all ? qint64(at + 1) : (count_ >= 0 ? count_ : -1);
    bof_ = false;
    eof_ = true;
}

bool Table::fetchForward(bool inclusive)
{
    std::vector<SqlRow> rows = seek(keyOf(current_), true, inclusive, kWindowRows);
    if (rows.empty()) return false;
    const bool end = rows.size() < size_t(kWindowRows);
    rows.insert(rows.begin(), current_);
    setWindow(std::move(rows), 1);
    windowHasLast_ = end;
    return true;
}

bool Table::fetchBackward()
{
    std::vector<SqlRow> rows = seek(keyOf(current_), false, false, kWindowRows);
    if (rows.empty()) return false;
    const bool start = rows.size() < size_t(kWindowRows);
    std::reverse(rows.begin(), rows.end());
    rows.push_back(current_);
    const size_t at = rows.size() - 2;
    setWindow(std::move(rows), at);
    windowHasFirst_ = start;
    return true;
}

void Table::next()
{
    requireBrowse("sonraki kayda geçilemez");
    checkGeneration();
    if (currentStale_ && !hasCurrent_) reloadCurrent();
    if (!hasCurrent_) {
        eof_ = true;
        return;
    }
    if (pos_ + 1 < window_.size()) {
        current_ = window_[++pos_];
        currentStale_ = false;
    } else if (windowHasLast_ || !fetchForward(false)) {
        windowHasLast_ = true;
        eof_ = true;
        bof_ = false;
        return;
    }
    if (recNo_ > 0) ++recNo_;
    bof_ = eof_ = false;
}

void Table::prior()
{
    requireBrowse("önceki kayda geçilemez");
    checkGeneration();
    if (currentStale_ && !hasCurrent_) reloadCurrent();
    if (!hasCurrent_) {
        bof_ = true;
        return;
    }
    if (pos_ > 0) {
        current_ = window_[--pos_];
        currentStale_ = false;
    } else if (windowHasFirst_ || !fetchBackward()) {
        windowHasFirst_ = true;
        bof_ = true;
        eof_ = false;
        recNo_ = 1;
        return;
    }
    if (recNo_ > 1) --recNo_;
    bof_ = eof_ = false;
}

int Table::moveBy(int count)
{
    int moved = 0;
    while (count > 0) {
        next();
        if (eof_) break;
        --count;
        ++moved;
    }
    while (count < 0) {
        prior();
        if (bof_) break;
        ++count;
        --moved;
    }
    return moved;
}

bool Table::isEmpty()
{
    requireOpen();
    checkGeneration();
    if (currentStale_) reloadCurrent();
    return !hasCurrent_;
}

qint64 Table::recNo()
{
    requireOpen();
    checkGeneration();
    if (!hasCurrent_) return 0;
    if (recNo_ < 1) {
        recNo_ = countBefore(keyOf(current_)) + 1;
    }
    return recNo_;
}

void Table::setRecNo(qint64 number)
{
    requireBrowse("kayda gidilemez");
    checkGeneration();
    if (number <= 1) {
        first();
        return;
    }
    std::vector<SqlRow> rows = fetch(QString(), {}, false, kWindowRows, number - 1);
    if (rows.empty()) {
        last();
        return;
    }
    const bool end = rows.size() < size_t(kWindowRows);
    setWindow(std::move(rows), 0);
    windowHasLast_ = end;
    recNo_ = number;
    bof_ = eof_ = false;
}

qint64 Table::recordCount()
{
    requireOpen();
    checkGeneration();
    if (count_ < 0)
        count_ =
            connection_
                .scalar(QStringLiteral("SELECT count(*) FROM %1%2").arg(source_, whereClause({})),
                        filterParams())
                .toLongLong();
    return count_;
}

qint64 Table::currentId()
{
    requireOpen();
    if (state_ == State::Edit || state_ == State::Insert)
        return buffer_[size_t(fieldCount() + 1)].toLongLong();
    return hasCurrent_ ? current_[size_t(fieldCount() + 1)].toLongLong() : 0;
}

bool Table::gotoId(qint64 id)
{
    requireBrowse("kayda gidilemez");
    checkGeneration();
    std::vector<SqlRow> rows = fetch(sqlName(keyColumn_) + QStringLiteral(" = ?"), {id}, false, 1);
    if (rows.empty()) return false;
    setWindow(std::move(rows), 0);
    recNo_ = -1;
    bof_ = eof_ = false;
    return true;
}

const SqlRow& Table::currentRow()
{
    checkGeneration();
    if (currentStale_) reloadCurrent();
    return current_;
}

void Table::reloadCurrent()
{
    currentStale_ = false;
    if (!hasCurrent_) {
        loadFirst(); // also while a record is in edit: the buffer is not touched
        return;
    }
    // The record itself if it is still there, else the one that now follows its place.
    std::vector<SqlRow> rows = seek(keyOf(current_), true, true, 1);
    if (!rows.empty()) {
        setWindow(std::move(rows), 0);
        return;
    }
    rows = seek(keyOf(current_), false, false, 1);
    if (rows.empty()) {
        setEmpty();
        return;
    }
    setWindow(std::move(rows), 0);
    windowHasLast_ = true;
    eof_ = true;
}

void Table::refresh()
{
    requireOpen();
    generation_ = connection_.generation();
    if (hasCurrent_) {
        window_.assign(1, current_);
        pos_ = 0;
        windowHasFirst_ = windowHasLast_ = false;
        currentStale_ = true;
    } else {
        currentStale_ = true; // another program may have added the first record
    }
    recNo_ = -1;
    count_ = -1;
}

// --- Fields ----------------------------------------------------------------------------------

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

QVariant Table::rowValue(const SqlRow& row, int field) const
{
    return convertOut(field, row[size_t(field)]);
}

std::vector<SqlRow> Table::rowsFrom(qint64 offset, int count, bool fromEnd)
{
    requireOpen();
    return fetch(QString(), {}, fromEnd, count, offset);
}

std::vector<SqlRow> Table::rowsAfter(const SqlRow& row, int count)
{
    requireOpen();
    return seek(keyOf(row), true, false, count);
}

std::vector<SqlRow> Table::rowsBefore(const SqlRow& row, int count)
{
    requireOpen();
    return seek(keyOf(row), false, false, count);
}

void Table::gotoRow(const SqlRow& row, qint64 number)
{
    requireBrowse("kayda gidilemez");
    setWindow({row}, 0);
    recNo_ = number > 0 ? number : -1;
    bof_ = eof_ = false;
}

QVariant Table::convertIn(const FieldDef& field, const QVariant& value) const
{
    if (value.isNull() || !value.isValid()) return QVariant();
    const auto bad = [&](const QString& why) {
        return AppError(QStringLiteral("%1 alanına yazılamadı: %2").arg(field.name, why));
    };
    const bool isText = value.typeId() == QMetaType::QString;
    const QString text = isText ? value.toString().trimmed() : QString();
    // Numbers and dates typed as blank text are blank.
    if (isText && text.isEmpty() && field.kind != FieldKind::Text && field.kind != FieldKind::Memo)
        return QVariant();
    switch (field.kind) {
    case FieldKind::Text:
    case FieldKind::Memo: {
        QString stored = value.typeId() == QMetaType::QDate
                             ? value.toDate().toString(QStringLiteral("dd.MM.yyyy"))
                             : value.toString();
        if (stored.isEmpty()) return QVariant();
        if (field.kind == FieldKind::Text && stored.size() > field.size)
            stored.truncate(field.size);
        return stored;
    }
    case FieldKind::AutoInc:
    case FieldKind::Integer:
    case FieldKind::Float: {
        bool ok = false;
        const double number = isText ? text.toDouble(&ok) : value.toDouble(&ok);
        if (!ok || !std::isfinite(number))
            throw bad(QStringLiteral("'%1' bir sayı değil").arg(value.toString()));
        if (field.kind == FieldKind::Float) return number;
        const double rounded = std::round(number);
        if (rounded < std::numeric_limits<qint32>::min() ||
            rounded > std::numeric_limits<qint32>::max())
            throw bad(QStringLiteral("%1 sınırların dışında").arg(value.toString()));
        return qint64(rounded);
    }
    case FieldKind::Date: {
        const QDate date = value.typeId() == QMetaType::QDate       ? value.toDate()
                           : value.typeId() == QMetaType::QDateTime ? value.toDateTime().date()
                                                                    : parseDateLiteral(text);
        if (!date.isValid())
            throw bad(QStringLiteral("'%1' geçerli bir tarih değil").arg(value.toString()));
        return date.toString(Qt::ISODate);
    }
    case FieldKind::Time: {
        const QTime time = value.typeId() == QMetaType::QTime       ? value.toTime()
                           : value.typeId() == QMetaType::QDateTime ? value.toDateTime().time()
                                                                    : parseTimeLiteral(text);
        if (!time.isValid())
            throw bad(QStringLiteral("'%1' geçerli bir saat değil").arg(value.toString()));
        return time.toString(QStringLiteral("HH:mm:ss"));
    }
    case FieldKind::Picture: {
        const QByteArray bytes = value.toByteArray();
        return bytes.isEmpty() ? QVariant() : QVariant(bytes);
    }
    }
    return QVariant();
}

void Table::setValue(int index, const QVariant& value)
{
    requireOpen();
    if (state_ != State::Edit && state_ != State::Insert)
        throw AppError(
            QStringLiteral("%1 tablosu düzeltme kipinde değil; alana yazılamaz.").arg(tableName_));
    if (index < 0 || index >= fieldCount())
        throw AppError(
            QStringLiteral("%1 tablosunda %2. alan yok.").arg(tableName_).arg(index + 1));
    if (index == 0 && state_ == State::Edit)
        throw AppError(QStringLiteral("%1 alanı değiştirilemez.").arg(def_.fields.front().name));
    buffer_[size_t(index)] = convertIn(def_.fields[size_t(index)], value);
}

// --- Search ------------------------------------------------------------------------------------

const FieldDef& Table::orderFieldDef(size_t position) const
{
    static const FieldDef rowKey{QStringLiteral("Nosu"), FieldKind::AutoInc, 0, true};
    const int at = orderFields_[position];
    return at < fieldCount() ? def_.fields[size_t(at)] : rowKey;
}

// Search values in the form the key expressions compare with: blanks as '' or 0.
QVariantList Table::seekValues(const QVariantList& values, int keys) const
{
    QVariantList params;
    for (int i = 0; i < keys; ++i) {
        const FieldDef& field = orderFieldDef(size_t(i));
        QVariant stored = convertIn(field, values[i]);
        if (stored.isNull())
            stored = (field.kind == FieldKind::Integer || field.kind == FieldKind::Float)
                         ? QVariant(0)
                         : nonNullText(stored);
        params << stored;
    }
    return params;
}

bool Table::findKey(const QVariantList& values)
{
    requireBrowse("arama yapılamaz");
    checkGeneration();
    const int keys = std::min<int>(int(values.size()), int(orderExpressions_.size()));
    if (keys == 0) return false;
    QStringList terms;
    for (int i = 0; i < keys; ++i)
        terms << orderExpressions_[i] + QStringLiteral(" = ?");
    const QVariantList params = seekValues(values, keys);
    std::vector<SqlRow> rows =
        fetch(terms.join(QStringLiteral(" AND ")), params, false, kWindowRows, 0, keys);
    if (rows.empty()) return false;
    setWindow(std::move(rows), 0);
    recNo_ = -1;
    bof_ = eof_ = false;
    return true;
}

void Table::findNearest(const QVariantList& values)
{
    requireBrowse("arama yapılamaz");
    checkGeneration();
    const int keys = std::min<int>(int(values.size()), int(orderExpressions_.size()));
    if (keys == 0) {
        first();
        return;
    }
    const QVariantList params = seekValues(values, keys);
    std::vector<SqlRow> rows = seek(params, true, true, kWindowRows);
    if (rows.empty()) {
        last();
        return;
    }
    setWindow(std::move(rows), 0);
    recNo_ = -1;
    bof_ = eof_ = false;
}

bool Table::locate(const QString& fieldName, const QVariant& value)
{
    return locateImpl(fieldName, value, false);
}

bool Table::locateLast(const QString& fieldName, const QVariant& value)
{
    return locateImpl(fieldName, value, true);
}

bool Table::locateImpl(const QString& fieldName, const QVariant& value, bool fromEnd)
{
    requireBrowse("arama yapılamaz");
    checkGeneration();
    const int at = def_.fieldIndex(fieldName);
    if (at < 0)
        throw AppError(QStringLiteral("%1 tablosunda %2 alanı yok.").arg(tableName_, fieldName));
    const FieldDef& field = def_.fields[size_t(at)];
    const QVariant stored = convertIn(field, value);
    QString condition;
    QVariantList params;
    if (stored.isNull()) {
        condition = sqlName(field.name) + QStringLiteral(" IS NULL");
    } else {
        condition = sqlName(field.name) + QStringLiteral(" = ?");
        params << stored;
        // The same test through the key expression lets an index on the field narrow the search.
        if (field.kind != FieldKind::Memo && field.kind != FieldKind::Picture) {
            condition += QStringLiteral(" AND ") + keyExpression(field) + QStringLiteral(" = ?");
            params << stored;
        }
    }
    std::vector<SqlRow> rows = fetch(condition, params, fromEnd, 1);
    if (rows.empty()) return false;
    setWindow(std::move(rows), 0);
    recNo_ = -1;
    bof_ = eof_ = false;
    return true;
}

QVariant Table::lookup(const QString& keyField, const QVariant& keyValue,
                       const QString& resultField)
{
    requireOpen();
    const int keyAt = def_.fieldIndex(keyField);
    const int resultAt = def_.fieldIndex(resultField);
    if (keyAt < 0 || resultAt < 0)
        throw AppError(QStringLiteral("%1 tablosunda %2 alanı yok.")
                           .arg(tableName_, keyAt < 0 ? keyField : resultField));
    const QVariant stored = convertIn(def_.fields[size_t(keyAt)], keyValue);
    const QString condition =
        sqlName(def_.fields[size_t(keyAt)].name) +
        (stored.isNull() ? QStringLiteral(" IS NULL") : QStringLiteral(" = ?"));
    const QString sql =
        QStringLiteral("SELECT %1 FROM %2%3 LIMIT 1")
            .arg(sqlName(def_.fields[size_t(resultAt)].name), source_, whereClause(condition));
    QVariantList params = filterParams();
    if (!stored.isNull()) params << stored;
    const QVariant found = connection_.scalar(sql, params);
    const FieldKind kind = def_.fields[size_t(resultAt)].kind;
    if (!found.isNull() && kind == FieldKind::Date)
        return QDate::fromString(found.toString(), Qt::ISODate);
    return found;
}

// --- Filter ------------------------------------------------------------------------------------

void Table::setFilter(const QString& expression)
{
    if (isOpen()) {
        filterSql_ = ConditionCompiler::compileFilter(expression, def_);
    } else if (!expression.trimmed().isEmpty()) {
        // Checked when the table opens and its fields are known.
        filterSql_ = SqlFragment{};
    }
    filterText_ = expression;
    if (isOpen() && filtered_) first();
}

void Table::setFiltered(bool on)
{
    filtered_ = on;
    if (!isOpen()) return;
    if (on) filterSql_ = ConditionCompiler::compileFilter(filterText_, def_);
    count_ = -1;
    first();
}

// --- Change ------------------------------------------------------------------------------------

void Table::append()
{
    requireBrowse("yeni kayıt eklenemez");
    if (readOnly_) throw AppError(QStringLiteral("Sorgu sonucu değiştirilemez."));
    buffer_.assign(size_t(fieldCount() + 2), QVariant());
    state_ = State::Insert;
}

void Table::edit()
{
    requireOpen();
    if (state_ == State::Edit || state_ == State::Insert) return;
    if (readOnly_) throw AppError(QStringLiteral("Sorgu sonucu değiştirilemez."));
    checkGeneration();
    const qint64 wanted = hasCurrent_ ? current_[size_t(fieldCount() + 1)].toLongLong() : 0;
    reloadCurrent(); // edit the record as it is now, not as it was cached
    if (!hasCurrent_)
        throw AppError(QStringLiteral("%1 tablosunda düzeltilecek kayıt yok.").arg(tableName_));
    // Gone meanwhile: the cursor now stands on the record that followed, which the user did
    // not choose to edit.
    if (wanted && currentId() != wanted)
        throw AppError(
            QStringLiteral("Kayıt başka bir kullanıcı tarafından silinmiş; düzeltilemez."));
    buffer_ = current_;
    editVersion_ = current_[size_t(fieldCount())].toLongLong();
    state_ = State::Edit;
}

void Table::cancel()
{
    if (state_ == State::Edit || state_ == State::Insert) state_ = State::Browse;
    buffer_.clear();
}

void Table::post()
{
    requireOpen();
    if (state_ != State::Edit && state_ != State::Insert) return;
    const int n = fieldCount();
    for (int i = 1; i < n; ++i) {
        const FieldDef& field = def_.fields[size_t(i)];
        QVariant& v = buffer_[size_t(i)];
        if (field.kind == FieldKind::Text && !v.isNull() && v.toString().size() > field.size)
            v = v.toString().left(field.size);
        if (field.required && (v.isNull() || (isTextLike(field.kind) && v.toString().isEmpty())))
            throw AppError(QStringLiteral("%1 alanı boş bırakılamaz (%2 tablosu).")
                               .arg(field.name, tableName_));
    }
    QStringList names;
    QVariantList params;
    const bool explicitKey = state_ == State::Insert && !buffer_[0].isNull();
    for (int i = (state_ == State::Insert && !explicitKey) ? 1 : (state_ == State::Edit ? 1 : 0);
         i < n; ++i) {
        names << sqlName(def_.fields[size_t(i)].name);
        params << buffer_[size_t(i)];
    }
    if (state_ == State::Insert) {
        const qint64 id = connection_.insert(
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(source_, names.join(QStringLiteral(", ")), placeholders(int(names.size()))),
            params);
        buffer_[0] = id;
        buffer_[size_t(n)] = 1;
        buffer_[size_t(n + 1)] = id;
    } else {
        QStringList sets;
        for (const QString& name : names)
            sets << name + QStringLiteral(" = ?");
        const qint64 id = buffer_[size_t(n + 1)].toLongLong();
        params << id << editVersion_;
        const int affected = connection_.exec(
            QStringLiteral("UPDATE %1 SET %2, \"_Surum\" = \"_Surum\" + 1 WHERE %3 = ? AND "
                           "\"_Surum\" = ?")
                .arg(source_, sets.join(QStringLiteral(", ")), sqlName(keyColumn_)),
            params);
        if (affected != 1) {
            const bool exists = connection_
                                    .scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE %2 = ?")
                                                .arg(source_, sqlName(keyColumn_)),
                                            {id})
                                    .toInt() > 0;
            throw AppError(exists ? QStringLiteral("Kayıt siz düzeltirken başka bir kullanıcı "
                                                   "tarafından değiştirilmiş; değişikliğiniz "
                                                   "kaydedilmedi. Kaydı yeniden açıp tekrar "
                                                   "deneyin.")
                                  : QStringLiteral("Kayıt siz düzeltirken başka bir kullanıcı "
                                                   "tarafından silinmiş; değişikliğiniz "
                                                   "kaydedilmedi."));
        }
        buffer_[size_t(n)] = editVersion_ + 1;
    }
    afterWrite(buffer_);
}

void Table::afterWrite(const SqlRow& row)
{
    state_ = State::Browse;
    SqlRow written = row;
    buffer_.clear();
    setWindow({std::move(written)}, 0);
    recNo_ = -1;
    count_ = -1;
    bof_ = eof_ = false;
}

void Table::remove()
{
    requireBrowse("kayıt silinemez");
    if (readOnly_) throw AppError(QStringLiteral("Sorgu sonucu değiştirilemez."));
    checkGeneration();
    if (!hasCurrent_)
        throw AppError(QStringLiteral("%1 tablosunda silinecek kayıt yok.").arg(tableName_));
    const qint64 id = currentId();
    const int affected = connection_.exec(
        QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(source_, sqlName(keyColumn_)), {id});
    count_ = -1;
    const qint64 number = recNo_;
    // The record that followed takes its place; at the end, the one before it.
    if (fetchForward(false)) {
        window_.erase(window_.begin());
        pos_ = 0;
        current_ = window_[0];
        recNo_ = number;
        bof_ = eof_ = false;
    } else if (fetchBackward()) {
        window_.pop_back();
        pos_ = window_.size() - 1;
        current_ = window_[pos_];
        windowHasLast_ = true;
        recNo_ = number > 1 ? number - 1 : -1;
        bof_ = false;
        eof_ = true;
    } else {
        setEmpty();
    }
    if (affected != 1)
        throw AppError(QStringLiteral("Kayıt başka bir kullanıcı tarafından zaten silinmiş."));
}
