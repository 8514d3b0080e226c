#pragma once

#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

// An expression of a report element: numbers, 'texts', fields ("Field" or "Table.Field"), the
// four arithmetic operators, parentheses and SUM(...) over the records printed so far.
class ReportExpression {
public:
    using Resolver = std::function<QVariant(const QString& field)>;

    ReportExpression();
    ~ReportExpression();
    ReportExpression(ReportExpression&&) noexcept;
    ReportExpression& operator=(ReportExpression&&) noexcept;

    // Throws AppError for a malformed text.
    static ReportExpression parse(const QString& text);

    QVariant evaluate(const Resolver& fields) const;
    // Adds the current record to every SUM of the expression (sign -1 takes it out again).
    void accumulate(const Resolver& fields, double sign = 1);
    void resetSums();
    bool hasSums() const;
    bool isEmpty() const { return !root_; }

    struct Node;

private:
    std::unique_ptr<Node> root_;
};
