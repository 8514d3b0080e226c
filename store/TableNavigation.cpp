#include "store/Table.h"

#include "store/AppError.h"

#include <algorithm>
#include <cstdlib>

// Navigation: a window of consecutive rows around the current record, refilled by indexed
// seeks on the current order's key, so that a move costs the same on ten rows and on millions.

QVariantList Table::filterParams() const
{
    return filtered_ ? filterSql_.params : QVariantList();
}

QVariantList Table::whereParams(const QVariantList& extra) const
{
    return extra + filterParams(); // in the order of whereClause()
}

QString Table::whereClause(const QString& extra) const
{
    // The seek condition comes first: where it and the filter both bound the index's first
    // column, SQLite ranges over the first bound it finds, and the filter's lower bound would
    // make every window scan from the start of the filter's range.
    QStringList terms;
    if (!extra.isEmpty()) terms << extra;
    if (filtered_ && !filterSql_.isEmpty()) terms << filterSql_.sql;
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
    QVariantList params = whereParams(extraParams);
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
                              whereParams(key.mid(0, level + 1)))
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
    walked_ = 0;
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

int Table::readAhead(int walked)
{
    return std::min(kMaxReadAhead, kWindowRows << std::min(std::abs(walked), 5));
}

bool Table::fetchForward(bool inclusive, int count)
{
    std::vector<SqlRow> rows = seek(keyOf(current_), true, inclusive, count);
    if (rows.empty()) return false;
    const bool end = rows.size() < size_t(count);
    rows.insert(rows.begin(), current_);
    setWindow(std::move(rows), 1);
    windowHasLast_ = end;
    return true;
}

bool Table::fetchBackward(int count)
{
    std::vector<SqlRow> rows = seek(keyOf(current_), false, false, count);
    if (rows.empty()) return false;
    const bool start = rows.size() < size_t(count);
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
    } else {
        const int walked = std::max(walked_, 0);
        if (windowHasLast_ || !fetchForward(false, readAhead(walked))) {
            windowHasLast_ = true;
            eof_ = true;
            bof_ = false;
            return;
        }
        walked_ = walked + 1; // the next window, if the walk goes on, is larger
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
    } else {
        const int walked = std::min(walked_, 0);
        if (windowHasFirst_ || !fetchBackward(readAhead(walked))) {
            windowHasFirst_ = true;
            bof_ = true;
            eof_ = false;
            recNo_ = 1;
            return;
        }
        walked_ = walked - 1;
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
    if (currentStale_) currentRow(); // not a record that is gone
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
