#include "store/Expression.h"

#include "store/AppError.h"

#include <QDate>
#include <QRegularExpression>
#include <cmath>

namespace {

bool isIdentifierStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}
bool isIdentifierPart(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

int expandYear(int year, int digits)
{
    if (digits > 2) return year;
    return year < 50 ? 2000 + year : 1900 + year;
}

QString mirrored(const QString& op)
{
    if (op == QLatin1String("<")) return QStringLiteral(">");
    if (op == QLatin1String(">")) return QStringLiteral("<");
    if (op == QLatin1String("<=")) return QStringLiteral(">=");
    if (op == QLatin1String(">=")) return QStringLiteral("<=");
    return op;
}

} // namespace

QDate parseDateLiteral(const QString& text)
{
    static const QRegularExpression dotted(
        QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\.(\\d{2,4})$"));
    static const QRegularExpression slashed(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{2,4})$"));
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    const QString trimmed = text.trimmed();
    if (auto m = dotted.match(trimmed); m.hasMatch())
        return QDate(expandYear(m.captured(3).toInt(), int(m.capturedLength(3))),
                     m.captured(2).toInt(), m.captured(1).toInt());
    if (auto m = slashed.match(trimmed); m.hasMatch())
        return QDate(expandYear(m.captured(3).toInt(), int(m.capturedLength(3))),
                     m.captured(1).toInt(), m.captured(2).toInt());
    if (auto m = iso.match(trimmed); m.hasMatch())
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    return QDate();
}

QTime parseTimeLiteral(const QString& text)
{
    static const QRegularExpression re(
        QStringLiteral("^(\\d{1,2})[:.](\\d{1,2})(?:[:.](\\d{1,2}))?$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch()) return QTime();
    return QTime(m.captured(1).toInt(), m.captured(2).toInt(),
                 m.captured(3).isEmpty() ? 0 : m.captured(3).toInt());
}

std::vector<Token> tokenize(const QString& text)
{
    static const QRegularExpression bareDate(
        QStringLiteral("\\G\\d{1,2}\\.\\d{1,2}\\.\\d{2,4}(?![\\d.])"));
    static const QRegularExpression number(QStringLiteral("\\G\\d+(\\.\\d+)?([eE][-+]?\\d+)?"));
    std::vector<Token> tokens;
    int i = 0;
    const int n = int(text.size());
    const auto fail = [&](const QString& what) {
        throw AppError(QStringLiteral("İfade hatalı (%1. karakter): %2").arg(i + 1).arg(what),
                       text);
    };
    while (i < n) {
        const QChar c = text[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        Token token;
        token.position = i;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // 'text' is a value; "name" quotes a table or field name. A doubled quote stands
            // for itself.
            QString value = QLatin1String(""); // '' is an empty text, never NULL
            int j = i + 1;
            for (;;) {
                if (j >= n) fail(QStringLiteral("kapanmamış tırnak"));
                if (text[j] == c) {
                    if (j + 1 < n && text[j + 1] == c) {
                        value += c;
                        j += 2;
                        continue;
                    }
                    break;
                }
                value += text[j++];
            }
            token.kind = c == QLatin1Char('\'') ? Token::String : Token::QuotedName;
            token.text = value;
            i = j + 1;
        } else if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            // Only ASCII digits make numbers: other scripts' digits (fullwidth, Arabic-Indic)
            // are refused below, where every branch moves on.
            if (auto m = bareDate.match(text, i); m.hasMatch()) {
                token.kind = Token::BareDate;
                token.text = m.captured();
            } else {
                token.kind = Token::Number;
                token.text = number.match(text, i).captured();
            }
            if (token.text.isEmpty()) fail(QStringLiteral("sayı okunamadı"));
            i += int(token.text.size());
        } else if (isIdentifierStart(c)) {
            int j = i + 1;
            while (j < n && isIdentifierPart(text[j]))
                ++j;
            token.kind = Token::Identifier;
            token.text = text.mid(i, j - i);
            i = j;
        } else if (c == QLatin1Char('(') || c == QLatin1Char(')') || c == QLatin1Char(',') ||
                   c == QLatin1Char('*')) {
            token.kind = c == QLatin1Char('(')   ? Token::LeftParen
                         : c == QLatin1Char(')') ? Token::RightParen
                         : c == QLatin1Char(',') ? Token::Comma
                                                 : Token::Star;
            token.text = c;
            ++i;
        } else if (c == QLatin1Char('=') || c == QLatin1Char('<') || c == QLatin1Char('>') ||
                   c == QLatin1Char('-')) {
            QString op = c;
            if (i + 1 < n && c != QLatin1Char('=') && c != QLatin1Char('-') &&
                (text[i + 1] == QLatin1Char('=') ||
                 (c == QLatin1Char('<') && text[i + 1] == QLatin1Char('>'))))
                op += text[i + 1];
            token.kind = Token::Operator;
            token.text = op;
            i += int(op.size());
        } else {
            fail(QStringLiteral("beklenmeyen '%1'").arg(c));
        }
        tokens.push_back(token);
    }
    tokens.push_back(Token{Token::End, QString(), n});
    return tokens;
}

ConditionCompiler::ConditionCompiler(const TableDef& def, const std::vector<Token>& tokens,
                                     size_t start, const QString& source)
    : def_(def)
    , tokens_(tokens)
    , pos_(start)
    , source_(source)
{
}

SqlFragment ConditionCompiler::compileFilter(const QString& text, const TableDef& def)
{
    if (text.trimmed().isEmpty()) return {};
    const std::vector<Token> tokens = tokenize(text);
    ConditionCompiler compiler(def, tokens, 0, text);
    return compiler.compile();
}

SqlFragment ConditionCompiler::compile(const QStringList& stopWords)
{
    stopWords_ = stopWords;
    SqlFragment result = parseOr();
    const Token& next = tokens_[pos_];
    const bool stopped = next.kind == Token::Identifier && stopWords_.contains(next.text.toLower());
    if (next.kind != Token::End && !stopped)
        error(QStringLiteral("fazladan '%1'").arg(next.text), next);
    return result;
}

void ConditionCompiler::error(const QString& what, const Token& at) const
{
    throw AppError(
        QStringLiteral("Süzme ifadesi hatalı (%1. karakter): %2").arg(at.position + 1).arg(what),
        source_);
}

bool ConditionCompiler::atWord(const char* word) const
{
    const Token& t = tokens_[pos_];
    return t.kind == Token::Identifier &&
           t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

SqlFragment ConditionCompiler::parseOr()
{
    return parseJoined("or", &ConditionCompiler::parseAnd);
}

SqlFragment ConditionCompiler::parseAnd()
{
    return parseJoined("and", &ConditionCompiler::parseUnary);
}

SqlFragment ConditionCompiler::parseJoined(const char* word,
                                           SqlFragment (ConditionCompiler::*operand)())
{
    SqlFragment left = (this->*operand)();
    const QString sqlWord = QString::fromLatin1(word).toUpper();
    while (atWord(word)) {
        ++pos_;
        SqlFragment right = (this->*operand)();
        left.sql = QStringLiteral("(%1 %2 %3)").arg(left.sql, sqlWord, right.sql);
        left.params += right.params;
    }
    return left;
}

SqlFragment ConditionCompiler::parseUnary()
{
    if (atWord("not")) {
        ++pos_;
        SqlFragment inner = parseUnary();
        inner.sql = QStringLiteral("(NOT %1)").arg(inner.sql);
        return inner;
    }
    if (tokens_[pos_].kind == Token::LeftParen) {
        ++pos_;
        SqlFragment inner = parseOr();
        if (tokens_[pos_].kind != Token::RightParen)
            error(QStringLiteral("')' bekleniyordu"), tokens_[pos_]);
        ++pos_;
        return inner;
    }
    return parseComparison();
}

ConditionCompiler::Operand ConditionCompiler::parseOperand()
{
    Token t = tokens_[pos_];
    Operand operand;
    if (t.kind == Token::Operator && t.text == QLatin1String("-") &&
        tokens_[pos_ + 1].kind == Token::Number) {
        ++pos_;
        t = tokens_[pos_];
        t.text.prepend(QLatin1Char('-'));
    }
    switch (t.kind) {
    case Token::Identifier:
    case Token::QuotedName:
        operand.field = def_.fieldIndex(t.text);
        if (operand.field < 0)
            error(QStringLiteral("%1 tablosunda '%2' alanı yok").arg(def_.name, t.text), t);
        break;
    case Token::Number:
    case Token::String:
    case Token::BareDate:
        operand.literal = t;
        break;
    default:
        error(t.kind == Token::End ? QStringLiteral("ifade eksik")
                                   : QStringLiteral("beklenmeyen '%1'").arg(t.text),
              t);
    }
    ++pos_;
    return operand;
}

SqlFragment ConditionCompiler::parseComparison()
{
    const Operand left = parseOperand();
    const Token opToken = tokens_[pos_];
    static const QStringList operators = {"=", "<>", "<", "<=", ">", ">="};
    if (opToken.kind != Token::Operator || !operators.contains(opToken.text))
        error(QStringLiteral("karşılaştırma işareti bekleniyordu"), opToken);
    ++pos_;
    const Operand right = parseOperand();

    SqlFragment out;
    const QString op = opToken.text;
    if (left.field >= 0 && right.field >= 0) {
        out.sql = QStringLiteral("(%1 %2 %3)")
                      .arg(keyExpression(def_.fields[size_t(left.field)]), op,
                           keyExpression(def_.fields[size_t(right.field)]));
    } else if (left.field >= 0 || right.field >= 0) {
        const bool fieldLeft = left.field >= 0;
        const int field = fieldLeft ? left.field : right.field;
        const FieldDef& def = def_.fields[size_t(field)];
        if (def.kind == FieldKind::Picture || def.kind == FieldKind::Memo)
            error(QStringLiteral("%1 alanı karşılaştırılamaz").arg(def.name), opToken);
        out.sql =
            QStringLiteral("(%1 %2 ?)").arg(keyExpression(def), fieldLeft ? op : mirrored(op));
        bindLiteral(fieldLeft ? right.literal : left.literal, field, out);
    } else {
        out.sql = QStringLiteral("(? %1 ?)").arg(op);
        bindLiteral(left.literal, -1, out);
        bindLiteral(right.literal, -1, out);
    }
    return out;
}

void ConditionCompiler::bindLiteral(const Token& literal, int againstField, SqlFragment& out)
{
    if (againstField < 0) {
        if (literal.kind == Token::Number)
            out.params << literal.text.toDouble();
        else
            out.params << literal.text;
        return;
    }
    const FieldDef& field = def_.fields[size_t(againstField)];
    switch (field.kind) {
    case FieldKind::Text:
    case FieldKind::Memo:
        out.params << literal.text;
        return;
    case FieldKind::AutoInc:
    case FieldKind::Integer:
    case FieldKind::Float: {
        bool ok = false;
        const double value = literal.text.trimmed().toDouble(&ok);
        if (!ok || literal.kind == Token::BareDate || !std::isfinite(value))
            error(QStringLiteral("%1 alanı sayısal; '%2' bir sayı değil")
                      .arg(field.name, literal.text),
                  literal);
        if (value == std::floor(value) && std::fabs(value) < 9.0e15)
            out.params << qint64(value);
        else
            out.params << value;
        return;
    }
    case FieldKind::Date: {
        if (literal.text.trimmed().isEmpty()) {
            out.params << QString(QLatin1String(""));
            return;
        }
        const QDate date = parseDateLiteral(literal.text);
        if (!date.isValid())
            error(QStringLiteral("geçersiz tarih '%1' (gg.aa.yyyy bekleniyordu)").arg(literal.text),
                  literal);
        out.params << date.toString(Qt::ISODate);
        return;
    }
    case FieldKind::Time: {
        const QTime time = parseTimeLiteral(literal.text);
        if (!time.isValid()) error(QStringLiteral("geçersiz saat '%1'").arg(literal.text), literal);
        out.params << time.toString(QStringLiteral("HH:mm:ss"));
        return;
    }
    case FieldKind::Picture:
        break;
    }
    error(QStringLiteral("%1 alanı karşılaştırılamaz").arg(field.name), literal);
}
