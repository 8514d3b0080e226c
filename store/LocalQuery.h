#pragma once

#include "store/Table.h"

// A local read-only query: "Select *" or a list of fields and sums (Sum, Count, Min, Max, Avg)
// from one table, an optional Where condition (the filter language, with dates as dd.mm.yyyy,
// mm/dd/yyyy or yyyy-mm-dd) and an optional "Order By" one field. The result is copied into the
// program's private working directory when the query opens and is navigated like a table.
class LocalQuery : public Table {
public:
    explicit LocalQuery(Connection& connection, const QString& text = QString());
    ~LocalQuery() override;

    void setText(const QString& text);
    const QString& text() const { return text_; }
    // Runs the query; throws AppError naming what is wrong in a malformed text.
    void open(bool exclusive = false) override;
    void close() override;

private:
    void dropResult();

    QString text_;
    QString resultTable_;
};
