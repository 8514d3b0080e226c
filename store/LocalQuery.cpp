#include "store/LocalQuery.h"

#include "store/AppError.h"

#include <QFileInfo>
#include <atomic>

namespace {

std::atomic<int> resultCounter{0};

struct Parser {
    const std::vector<Token>& tokens;
    const QString& text;
    size_t pos = 0;

    const Token& peek() const { return tokens[pos]; }
    bool atWord(const char* word) const
    {
        return peek().kind == Token::Identifier &&
               peek().text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    [[noreturn]] void fail(const QString& what) const
    {
        throw AppError(
            QStringLiteral("Sorgu hatalı (%1. karakter): %2").arg(peek().position + 1).arg(what),
            text);
    }
    void expectWord(const char* word)
    {
        if (!atWord(word)) fail(QStringLiteral("'%1' bekleniyordu").arg(QLatin1String(word)));
        ++pos;
    }
    void expect(Token::Kind kind, const char* what)
    {
        if (peek().kind != kind) fail(QStringLiteral("'%1' bekleniyordu").arg(QLatin1String(what)));
        ++pos;
    }
};

struct SelectItem {
    QString aggregate; // empty for a plain field
    QString field;     // empty for "*" inside Count
    QString alias;
};

} // namespace

LocalQuery::LocalQuery(Connection& connection, const QString& text)
    : Table(connection, ResultSet{})
    , text_(text)
{
}

LocalQuery::~LocalQuery()
{
    close();
}

void LocalQuery::setText(const QString& text)
{
    close();
    text_ = text;
}

void LocalQuery::close()
{
    Table::close();
    dropResult();
}

void LocalQuery::dropResult()
{
    if (resultTable_.isEmpty()) return;
    try {
        connection().exec(QStringLiteral("DROP TABLE IF EXISTS %1.%2")
                              .arg(connection().workSchema(), sqlName(resultTable_)));
    } catch (const AppError&) {
        // The working database goes with the program's working directory anyway.
    }
    resultTable_.clear();
}

void LocalQuery::open(bool)
{
    if (isOpen()) return;
    Connection& db = connection();
    const std::vector<Token> tokens = tokenize(text_);
    Parser p{tokens, text_};

    // Select list
    p.expectWord("select");
    std::vector<SelectItem> items;
    bool all = false;
    if (p.peek().kind == Token::Star) {
        all = true;
        ++p.pos;
    } else {
        for (;;) {
            SelectItem item;
            if (p.peek().kind != Token::Identifier) p.fail(QStringLiteral("alan adı bekleniyordu"));
            const QString word = p.peek().text;
            ++p.pos;
            if (p.peek().kind == Token::LeftParen) {
                static const QStringList aggregates = {"sum", "count", "min", "max", "avg"};
                if (!aggregates.contains(word.toLower()))
                    p.fail(QStringLiteral("bilinmeyen işlev '%1'").arg(word));
                item.aggregate = word.toLower();
                ++p.pos;
                if (p.peek().kind == Token::Star && item.aggregate == QLatin1String("count")) {
                    ++p.pos;
                } else {
                    if (p.peek().kind != Token::Identifier)
                        p.fail(QStringLiteral("alan adı bekleniyordu"));
                    item.field = p.peek().text;
                    ++p.pos;
                }
                p.expect(Token::RightParen, ")");
            } else {
                item.field = word;
            }
            if (p.atWord("as")) {
                ++p.pos;
                if (p.peek().kind != Token::Identifier && p.peek().kind != Token::QuotedName)
                    p.fail(QStringLiteral("ad bekleniyordu"));
                item.alias = p.peek().text;
                ++p.pos;
            }
            items.push_back(item);
            if (p.peek().kind != Token::Comma) break;
            ++p.pos;
        }
    }

    // From: a quoted file name ("StHar.DB", with or without a path) or a bare table name.
    p.expectWord("from");
    if (p.peek().kind != Token::Identifier && p.peek().kind != Token::QuotedName)
        p.fail(QStringLiteral("tablo adı bekleniyordu"));
    const QString tableName =
        QFileInfo(QString(p.peek().text).replace(QLatin1Char('\\'), QLatin1Char('/')))
            .completeBaseName()
            .section(QLatin1Char(':'), -1);
    ++p.pos;
    const TableDef source = db.tableDef(tableName);

    SqlFragment where;
    if (p.atWord("where")) {
        ++p.pos;
        ConditionCompiler compiler(source, tokens, p.pos, text_);
        where = compiler.compile({QStringLiteral("order")});
        p.pos = compiler.position();
    }
    QString orderBy;
    if (p.atWord("order")) {
        ++p.pos;
        p.expectWord("by");
        if (p.peek().kind != Token::Identifier) p.fail(QStringLiteral("alan adı bekleniyordu"));
        const int at = source.fieldIndex(p.peek().text);
        if (at < 0)
            p.fail(QStringLiteral("%1 tablosunda '%2' alanı yok").arg(source.name, p.peek().text));
        ++p.pos;
        bool descending = false;
        if (p.atWord("desc")) {
            descending = true;
            ++p.pos;
        } else if (p.atWord("asc")) {
            ++p.pos;
        }
        const QString direction = descending ? QStringLiteral(" DESC") : QString();
        orderBy = keyExpression(source.fields[size_t(at)]) + direction + QStringLiteral(", ") +
                  sqlName(source.fields.front().name) + direction;
    }
    if (p.peek().kind != Token::End) p.fail(QStringLiteral("fazladan '%1'").arg(p.peek().text));

    // The result's fields and the expressions that fill them.
    TableDef result;
    result.name = source.name;
    QStringList expressions;
    const auto addField = [&](FieldDef field, const QString& expression) {
        QString name = field.name;
        for (int n = 1; result.fieldIndex(name) >= 0; ++n)
            name = field.name + QStringLiteral("_%1").arg(n);
        field.name = name;
        if (field.kind == FieldKind::AutoInc) field.kind = FieldKind::Integer;
        field.required = false;
        result.fields.push_back(field);
        expressions << expression;
    };
    if (all) {
        for (const FieldDef& field : source.fields)
            addField(field, sqlName(field.name));
    } else {
        bool anyAggregate = false, anyPlain = false;
        for (const SelectItem& item : items) {
            const int at = item.field.isEmpty() ? -1 : source.fieldIndex(item.field);
            if (!item.field.isEmpty() && at < 0)
                p.fail(QStringLiteral("%1 tablosunda '%2' alanı yok").arg(source.name, item.field));
            if (item.aggregate.isEmpty()) {
                anyPlain = true;
                FieldDef field = source.fields[size_t(at)];
                if (!item.alias.isEmpty()) field.name = item.alias;
                addField(field, sqlName(source.fields[size_t(at)].name));
                continue;
            }
            anyAggregate = true;
            const QString label = item.alias.isEmpty()
                                      ? QStringLiteral("%1(%2)").arg(
                                            item.aggregate.at(0).toUpper() + item.aggregate.mid(1),
                                            item.field.isEmpty() ? QStringLiteral("*")
                                                                 : source.fields[size_t(at)].name)
                                      : item.alias;
            FieldDef field{label, FieldKind::Float, 0, false};
            if (item.aggregate == QLatin1String("count"))
                field.kind = FieldKind::Integer;
            else if (item.aggregate != QLatin1String("sum") &&
                     item.aggregate != QLatin1String("avg"))
                field = FieldDef{label, source.fields[size_t(at)].kind,
                                 source.fields[size_t(at)].size, false};
            const QString argument = item.field.isEmpty() ? QStringLiteral("*")
                                                          : sqlName(source.fields[size_t(at)].name);
            addField(field, QStringLiteral("%1(%2)").arg(item.aggregate, argument));
        }
        if (anyAggregate && anyPlain)
            p.fail(QStringLiteral("toplamlar ile alanlar birlikte seçilemez"));
        if (anyAggregate) orderBy.clear();
    }

    // Materialise into the private working database, in result order.
    const QString work = db.workSchema();
    dropResult();
    resultTable_ = QStringLiteral("q%1").arg(++resultCounter);
    QStringList columns{QStringLiteral("\"_Sira\" ") +
                        (db.onServer() ? db.columnType(FieldKind::AutoInc)
                                       : QStringLiteral("INTEGER PRIMARY KEY"))};
    QStringList names;
    for (const FieldDef& field : result.fields) {
        columns << sqlName(field.name) + QLatin1Char(' ') + db.columnType(field.kind);
        names << sqlName(field.name);
    }
    const QString target = work + QLatin1Char('.') + sqlName(resultTable_);
    db.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(target, columns.join(QStringLiteral(", "))));
    try {
        db.exec(QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM %4%5%6")
                    .arg(target, names.join(QStringLiteral(", ")),
                         expressions.join(QStringLiteral(", ")), sqlName(source.name),
                         where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where.sql,
                         orderBy.isEmpty() ? QString() : QStringLiteral(" ORDER BY ") + orderBy),
                where.params);
        openResult(result, target, QStringLiteral("_Sira"));
    } catch (...) {
        dropResult();
        throw;
    }
}
