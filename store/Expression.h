#pragma once

#include "store/TableDef.h"

#include <QString>
#include <QVariant>
#include <vector>

// A piece of SQL with its bound values. SQL text made here holds names from table definitions
// and placeholders only; every literal the user typed travels as a bound value.
struct SqlFragment {
    QString sql;
    QVariantList params;
    bool isEmpty() const { return sql.isEmpty(); }
};

struct Token {
    enum Kind {
        Identifier,
        Number,
        String,
        BareDate,
        Operator,
        LeftParen,
        RightParen,
        Comma,
        Star,
        QuotedName,
        End
    };
    Kind kind = End;
    QString text;
    int position = 0; // 0-based offset in the source text, for error messages
};

std::vector<Token> tokenize(const QString& text);

// Parses a condition over the fields of a table (=, <>, <, <=, >, >=, and, or, not, parentheses;
// numbers, 'texts' and dates) and turns it into SQL. Field names are checked against the table;
// literals are converted by the kind of the field they are compared with. Texts compare
// without regard to case, in Turkish order. Throws AppError on any fault.
class ConditionCompiler {
public:
    ConditionCompiler(const TableDef& def, const std::vector<Token>& tokens, size_t start,
                      const QString& source);
    // Compiles up to the end of the tokens or up to a word in `stopWords` (lower case).
    SqlFragment compile(const QStringList& stopWords = {});
    size_t position() const { return pos_; }

    static SqlFragment compileFilter(const QString& text, const TableDef& def);

private:
    struct Operand {
        int field = -1; // index in the table definition, or -1 for a literal
        Token literal;
    };
    SqlFragment parseOr();
    SqlFragment parseAnd();
    SqlFragment parseJoined(const char* word, SqlFragment (ConditionCompiler::*operand)());
    SqlFragment parseUnary();
    SqlFragment parseComparison();
    Operand parseOperand();
    void bindLiteral(const Token& literal, int againstField, SqlFragment& out);
    bool atWord(const char* word) const;
    [[noreturn]] void error(const QString& what, const Token& at) const;

    const TableDef& def_;
    const std::vector<Token>& tokens_;
    size_t pos_;
    QString source_;
    QStringList stopWords_;
};

// Literal conversions shared by filters and values written to date and time fields.
// Accepts dd.mm.yyyy (also d.m.yy), mm/dd/yyyy and yyyy-mm-dd; returns an invalid date otherwise.
QDate parseDateLiteral(const QString& text);
QTime parseTimeLiteral(const QString& text);
