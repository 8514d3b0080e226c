#include "printing/ReportExpression.h"

#include "store/AppError.h"

#include <vector>

struct ReportExpression::Node {
    enum Kind { Number, Text, Field, Add, Subtract, Multiply, Divide, Negate, Sum } kind;
    double number = 0;
    QString text;
    std::unique_ptr<Node> left, right;
    double total = 0; // SUM's accumulator
};

namespace {

using Node = ReportExpression::Node;

double toNumber(const QVariant& v)
{
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? d : 0;
}

bool isText(const QVariant& v)
{
    return v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QDate;
}

class Parser {
public:
    explicit Parser(const QString& text)
        : text_(text)
    {
    }

    std::unique_ptr<Node> parse()
    {
        auto node = additive();
        skip();
        if (pos_ < text_.size()) fail(QStringLiteral("fazladan '%1'").arg(text_.mid(pos_, 10)));
        return node;
    }

private:
    [[noreturn]] void fail(const QString& what) const
    {
        throw AppError(
            QStringLiteral("Rapor ifadesi hatalı (%1. karakter): %2").arg(pos_ + 1).arg(what),
            text_);
    }
    void skip()
    {
        while (pos_ < text_.size() && text_[pos_].isSpace())
            ++pos_;
    }
    bool take(QChar c)
    {
        skip();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    static std::unique_ptr<Node> make(Node::Kind kind, std::unique_ptr<Node> l = {},
                                      std::unique_ptr<Node> r = {})
    {
        auto n = std::make_unique<Node>();
        n->kind = kind;
        n->left = std::move(l);
        n->right = std::move(r);
        return n;
    }
    std::unique_ptr<Node> additive()
    {
        auto left = multiplicative();
        for (;;) {
            if (take(QLatin1Char('+')))
                left = make(Node::Add, std::move(left), multiplicative());
            else if (take(QLatin1Char('-')))
                left = make(Node::Subtract, std::move(left), multiplicative());
            else
                return left;
        }
    }
    std::unique_ptr<Node> multiplicative()
    {
        auto left = unary();
        for (;;) {
            if (take(QLatin1Char('*')))
                left = make(Node::Multiply, std::move(left), unary());
            else if (take(QLatin1Char('/')))
                left = make(Node::Divide, std::move(left), unary());
            else
                return left;
        }
    }
    std::unique_ptr<Node> unary()
    {
        if (take(QLatin1Char('-'))) return make(Node::Negate, unary());
        if (take(QLatin1Char('('))) {
            auto inner = additive();
            if (!take(QLatin1Char(')'))) fail(QStringLiteral("')' bekleniyordu"));
            return inner;
        }
        skip();
        if (pos_ >= text_.size()) fail(QStringLiteral("ifade eksik"));
        const QChar c = text_[pos_];
        if (c == QLatin1Char('\'')) {
            auto node = make(Node::Text);
            ++pos_;
            for (;;) {
                if (pos_ >= text_.size()) fail(QStringLiteral("kapanmamış tırnak"));
                if (text_[pos_] == QLatin1Char('\'')) {
                    if (pos_ + 1 < text_.size() && text_[pos_ + 1] == QLatin1Char('\'')) {
                        node->text += QLatin1Char('\'');
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    break;
                }
                node->text += text_[pos_++];
            }
            return node;
        }
        if (c.isDigit() || c == QLatin1Char('.')) {
            const int start = pos_;
            while (pos_ < text_.size() &&
                   (text_[pos_].isDigit() || text_[pos_] == QLatin1Char('.')))
                ++pos_;
            bool ok = false;
            auto node = make(Node::Number);
            node->number = text_.mid(start, pos_ - start).toDouble(&ok);
            if (!ok) fail(QStringLiteral("geçersiz sayı"));
            return node;
        }
        if (c.isLetter() || c == QLatin1Char('_')) {
            const int start = pos_;
            while (pos_ < text_.size() &&
                   (text_[pos_].isLetterOrNumber() || text_[pos_] == QLatin1Char('_') ||
                    text_[pos_] == QLatin1Char('.')))
                ++pos_;
            const QString name = text_.mid(start, pos_ - start);
            if (name.compare(QLatin1String("SUM"), Qt::CaseInsensitive) == 0 &&
                take(QLatin1Char('('))) {
                auto node = make(Node::Sum, additive());
                if (!take(QLatin1Char(')'))) fail(QStringLiteral("')' bekleniyordu"));
                return node;
            }
            auto node = make(Node::Field);
            node->text = name;
            return node;
        }
        fail(QStringLiteral("beklenmeyen '%1'").arg(c));
    }

    QString text_;
    int pos_ = 0;
};

QVariant evaluate(const Node& n, const ReportExpression::Resolver& fields)
{
    switch (n.kind) {
    case Node::Number:
        return n.number;
    case Node::Text:
        return n.text;
    case Node::Field:
        return fields(n.text);
    case Node::Sum:
        return n.total;
    case Node::Negate:
        return -toNumber(evaluate(*n.left, fields));
    case Node::Add: {
        const QVariant a = evaluate(*n.left, fields), b = evaluate(*n.right, fields);
        if (isText(a) || isText(b)) return a.toString() + b.toString();
        return toNumber(a) + toNumber(b);
    }
    case Node::Subtract:
        return toNumber(evaluate(*n.left, fields)) - toNumber(evaluate(*n.right, fields));
    case Node::Multiply:
        return toNumber(evaluate(*n.left, fields)) * toNumber(evaluate(*n.right, fields));
    case Node::Divide: {
        const double d = toNumber(evaluate(*n.right, fields));
        return d == 0 ? 0.0
                      : toNumber(evaluate(*n.left, fields)) / d; // a division by zero prints 0
    }
    }
    return QVariant();
}

void walk(Node* n, const std::function<void(Node&)>& visit)
{
    if (!n) return;
    visit(*n);
    walk(n->left.get(), visit);
    walk(n->right.get(), visit);
}

} // namespace

ReportExpression::ReportExpression() = default;
ReportExpression::~ReportExpression() = default;
ReportExpression::ReportExpression(ReportExpression&&) noexcept = default;
ReportExpression& ReportExpression::operator=(ReportExpression&&) noexcept = default;

ReportExpression ReportExpression::parse(const QString& text)
{
    ReportExpression e;
    if (!text.trimmed().isEmpty()) e.root_ = Parser(text).parse();
    return e;
}

QVariant ReportExpression::evaluate(const Resolver& fields) const
{
    return root_ ? ::evaluate(*root_, fields) : QVariant();
}

void ReportExpression::accumulate(const Resolver& fields, double sign)
{
    walk(root_.get(), [&](Node& n) {
        if (n.kind == Node::Sum) n.total += sign * toNumber(::evaluate(*n.left, fields));
    });
}

void ReportExpression::resetSums()
{
    walk(root_.get(), [](Node& n) { n.total = 0; });
}

bool ReportExpression::hasSums() const
{
    bool any = false;
    walk(root_.get(), [&](Node& n) { any = any || n.kind == Node::Sum; });
    return any;
}
