#pragma once

#include "store/Connection.h"

#include <QAbstractTableModel>
#include <map>
#include <vector>

class Table;

struct GridColumn {
    GridColumn(const QString& title_, const QString& field_, int width_ = 100,
               const QString& format_ = QString())
        : title(title_)
        , field(field_)
        , width(width_)
        , format(format_)
    {
    }
    QString title;
    QString field;
    int width = 100;
    QString format; // number mask ("#,##0.00"); empty for plain text
};

// A grid's view of a table: the row count comes from the table, rows are read in small blocks
// next to rows already read (indexed seeks) and only for the rows on screen, so a grid on a
// million records opens and scrolls without loading the table. The table's cursor moves only
// when the grid's current row does.
class TableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TableModel(Table& table, std::vector<GridColumn> columns, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    Table& table() const { return table_; }
    const std::vector<GridColumn>& columns() const { return columns_; }
    // Re-reads the count and forgets cached rows (after a command, or to show others' posts).
    void reload();
    // Moves the table's cursor to a row of the grid.
    void moveTableTo(int row);
    // The Nosu of the record on a grid row (0 when it cannot be read).
    qint64 recordId(int row) const;
    // The grid row of the table's current record, -1 when the table is empty.
    int tableRow() const;
    size_t cachedRows() const { return cache_.size(); }

private:
    const SqlRow* row(int number) const;
    void fetchAround(int number) const;
    void store(int first, int step, std::vector<SqlRow>&& rows) const;

    Table& table_;
    std::vector<GridColumn> columns_;
    std::vector<int> fieldIndexes_;
    int count_ = 0;
    mutable std::map<int, SqlRow> cache_;
    mutable int lastAsked_ = 0;
};
