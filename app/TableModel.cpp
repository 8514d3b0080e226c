#include "app/TableModel.h"

#include "store/AppError.h"
#include "store/MoneyFormat.h"
#include "store/Table.h"

#include <QDate>
#include <QTime>

namespace {
constexpr int kBlock = 64;          // rows read at once
constexpr int kNear = 256;          // how far a cached row may be to seek from it
constexpr size_t kMaxCached = 3000; // rows kept; the farthest from the screen go first
} // namespace

TableModel::TableModel(Table& table, std::vector<GridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent)
    , table_(table)
    , columns_(std::move(columns))
{
    for (const GridColumn& column : columns_) {
        const int at = table_.fieldIndex(column.field);
        if (at < 0)
            throw AppError(
                QStringLiteral("%1 tablosunda %2 alanı yok.").arg(table_.name(), column.field));
        fieldIndexes_.push_back(at);
    }
    count_ = int(table_.recordCount());
}

int TableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count_;
}
int TableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < int(columns_.size()))
        return columns_[size_t(section)].title;
    return QVariant();
}

QVariant TableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return QVariant();
    const GridColumn& column = columns_[size_t(index.column())];
    if (role == Qt::TextAlignmentRole) {
        const FieldKind kind =
            table_.def().fields[size_t(fieldIndexes_[size_t(index.column())])].kind;
        const bool number = kind == FieldKind::Float || kind == FieldKind::Integer;
        return int((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) return QVariant();
    const SqlRow* r = row(index.row());
    if (!r) return QVariant();
    const QVariant v = table_.rowValue(*r, fieldIndexes_[size_t(index.column())]);
    if (v.isNull()) return QString();
    if (!column.format.isEmpty()) return formatNumber(v.toDouble(), column.format);
    switch (v.typeId()) {
    case QMetaType::QDate:
        return v.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    case QMetaType::QTime:
        return v.toTime().toString(QStringLiteral("HH:mm"));
    case QMetaType::Double:
        return formatNumber(v.toDouble(), QStringLiteral("0.##########"));
    default:
        return v.toString();
    }
}

const SqlRow* TableModel::row(int number) const
{
    if (number < 0 || number >= count_) return nullptr;
    lastAsked_ = number;
    auto it = cache_.find(number);
    if (it == cache_.end()) {
        try {
            fetchAround(number);
        } catch (const AppError&) {
            return nullptr; // a failed read shows a blank row; the next paint tries again
        }
        it = cache_.find(number);
        if (it == cache_.end()) return nullptr;
    }
    return &it->second;
}

void TableModel::store(int first, int step, std::vector<SqlRow>&& rows) const
{
    int at = first;
    for (SqlRow& r : rows) {
        if (at < 0 || at >= count_) break;
        cache_[at] = std::move(r);
        at += step;
    }
    while (cache_.size() > kMaxCached) {
        // Drop from the end farther from the rows being looked at.
        if (lastAsked_ - cache_.begin()->first > std::prev(cache_.end())->first - lastAsked_)
            cache_.erase(cache_.begin());
        else
            cache_.erase(std::prev(cache_.end()));
    }
}

void TableModel::fetchAround(int number) const
{
    // Seek from the nearest row already read, if one is near: an indexed move.
    auto above = cache_.lower_bound(number);
    if (above != cache_.begin()) {
        auto below = std::prev(above);
        if (number - below->first <= kNear) {
            std::vector<SqlRow> rows =
                table_.rowsAfter(below->second, number - below->first + kBlock);
            store(below->first + 1, 1, std::move(rows));
            return;
        }
    }
    if (above != cache_.end() && above->first - number <= kNear) {
        std::vector<SqlRow> rows = table_.rowsBefore(above->second, above->first - number + kBlock);
        store(above->first - 1, -1, std::move(rows));
        return;
    }
    // Far from everything read: count from the nearer end.
    if (number < count_ / 2) {
        const int start = std::max(0, number - kBlock / 2);
        store(start, 1, table_.rowsFrom(start, kBlock, false));
    } else {
        const int fromEnd = std::max(0, count_ - 1 - number - kBlock / 2);
        store(count_ - 1 - fromEnd, -1, table_.rowsFrom(fromEnd, kBlock, true));
    }
}

void TableModel::reload()
{
    beginResetModel();
    cache_.clear();
    table_.refresh();
    count_ = int(table_.recordCount());
    endResetModel();
}

void TableModel::moveTableTo(int number)
{
    if (const SqlRow* r = row(number)) table_.gotoRow(*r, number + 1);
}

qint64 TableModel::recordId(int number) const
{
    const SqlRow* r = row(number);
    return r ? table_.rowId(*r) : 0;
}

int TableModel::tableRow() const
{
    if (table_.isEmpty()) return -1;
    const int at = int(table_.recNo()) - 1;
    return std::clamp(at, 0, std::max(0, count_ - 1));
}
