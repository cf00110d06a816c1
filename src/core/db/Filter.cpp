#include "Filter.h"

#include "DbError.h"
#include "ResultSet.h"

#include <cmath>

namespace tkd {

Filter Filter::where(const QString& column, Match match, const Value& value)
{
    Filter f;
    f.m_kind = Kind::Leaf;
    f.m_predicate = Predicate{column, match, value};
    return f;
}

namespace {

Filter joined(std::vector<Filter> parts, bool isAnd, auto make)
{
    std::erase_if(parts, [](const Filter& f) { return f.isEmpty(); });
    if (parts.empty())
        return {};
    if (parts.size() == 1)
        return parts.front();
    return make(std::move(parts), isAnd);
}

int compareNumbers(double a, double b)
{
    if (std::fabs(a - b) < 1e-9)
        return 0;
    return a < b ? -1 : 1;
}

bool numericText(const Value& v, double* out)
{
    if (v.type() == ValueType::Text) {
        bool ok = false;
        *out = v.toText().trimmed().toDouble(&ok);
        return ok;
    }
    *out = v.toDouble();
    return v.type() != ValueType::DateTime && !v.isNull();
}

// Returns -2 when the two cannot be ordered.
int compareValues(const Value& cell, const Value& target)
{
    switch (cell.type()) {
    case ValueType::DateTime: {
        const QDateTime t = target.toDateTime();
        if (t.isValid()) {
            const QDateTime c = cell.toDateTime();
            return c == t ? 0 : (c < t ? -1 : 1);
        }
        break;
    }
    case ValueType::Integer:
    case ValueType::Real:
    case ValueType::Money:
    case ValueType::YesNo: {
        double t = 0;
        if (numericText(target, &t))
            return compareNumbers(cell.toDouble(), t);
        break;
    }
    default:
        break;
    }
    const int c = cell.toText().compare(target.toText(), Qt::CaseInsensitive);
    return c == 0 ? 0 : (c < 0 ? -1 : 1);
}

bool test(const Predicate& p, const Value& cell)
{
    if (p.value.isNull()) {
        if (p.match == Match::Equals)
            return cell.isNull();
        if (p.match == Match::NotEquals)
            return !cell.isNull();
        return false;
    }
    if (cell.isNull())
        return false;
    switch (p.match) {
    case Match::Contains:
        return cell.toText().contains(p.value.toText(), Qt::CaseInsensitive);
    case Match::StartsWith:
        return cell.toText().startsWith(p.value.toText(), Qt::CaseInsensitive);
    case Match::EndsWith:
        return cell.toText().endsWith(p.value.toText(), Qt::CaseInsensitive);
    default:
        break;
    }
    const int c = compareValues(cell, p.value);
    switch (p.match) {
    case Match::Equals:
        return c == 0;
    case Match::NotEquals:
        return c != 0;
    case Match::Less:
        return c == -1;
    case Match::LessOrEqual:
        return c == -1 || c == 0;
    case Match::Greater:
        return c == 1;
    case Match::GreaterOrEqual:
        return c == 1 || c == 0;
    default:
        return false;
    }
}

class Parser {
public:
    explicit Parser(const QString& text) : m_s(text) {}

    Filter parseAll()
    {
        skipSpace();
        if (atEnd())
            return {};
        Filter f = parseOr();
        skipSpace();
        if (!atEnd())
            fail(QStringLiteral("多余的内容"));
        return f;
    }

private:
    [[noreturn]] void fail(const QString& what) const
    {
        throw DbError(QStringLiteral("过滤条件有误（%1，位置 %2）：%3").arg(what).arg(m_pos).arg(m_s));
    }
    bool atEnd() const { return m_pos >= m_s.size(); }
    void skipSpace()
    {
        while (!atEnd() && m_s[m_pos].isSpace())
            ++m_pos;
    }
    bool keyword(const char* word)
    {
        skipSpace();
        const QString w = QString::fromLatin1(word);
        if (m_s.mid(m_pos, w.size()).compare(w, Qt::CaseInsensitive) != 0)
            return false;
        const qsizetype after = m_pos + w.size();
        if (after < m_s.size() && (m_s[after].isLetterOrNumber() || m_s[after] == QLatin1Char('_')))
            return false;
        m_pos = after;
        return true;
    }

    Filter parseOr()
    {
        std::vector<Filter> parts{parseAnd()};
        while (keyword("or"))
            parts.push_back(parseAnd());
        return Filter::anyOf(std::move(parts));
    }
    Filter parseAnd()
    {
        std::vector<Filter> parts{parseTerm()};
        while (keyword("and"))
            parts.push_back(parseTerm());
        return Filter::allOf(std::move(parts));
    }
    Filter parseTerm()
    {
        skipSpace();
        if (!atEnd() && m_s[m_pos] == QLatin1Char('(')) {
            ++m_pos;
            Filter inner = parseOr();
            skipSpace();
            if (atEnd() || m_s[m_pos] != QLatin1Char(')'))
                fail(QStringLiteral("缺少右括号"));
            ++m_pos;
            return inner;
        }
        const QString column = parseName();
        skipSpace();
        Match match = Match::Equals;
        bool isLike = false;
        if (keyword("like")) {
            isLike = true;
        } else if (m_s.mid(m_pos, 2) == QStringLiteral("<>")) {
            match = Match::NotEquals, m_pos += 2;
        } else if (m_s.mid(m_pos, 2) == QStringLiteral("<=")) {
            match = Match::LessOrEqual, m_pos += 2;
        } else if (m_s.mid(m_pos, 2) == QStringLiteral(">=")) {
            match = Match::GreaterOrEqual, m_pos += 2;
        } else if (!atEnd() && m_s[m_pos] == QLatin1Char('=')) {
            match = Match::Equals, ++m_pos;
        } else if (!atEnd() && m_s[m_pos] == QLatin1Char('<')) {
            match = Match::Less, ++m_pos;
        } else if (!atEnd() && m_s[m_pos] == QLatin1Char('>')) {
            match = Match::Greater, ++m_pos;
        } else {
            fail(QStringLiteral("缺少比较运算符"));
        }
        Value value = parseValue();
        if (isLike)
            return likeFilter(column, value.toText());
        return Filter::where(column, match, value);
    }

    static Filter likeFilter(const QString& column, QString pattern)
    {
        auto isWild = [](QChar c) { return c == QLatin1Char('*') || c == QLatin1Char('%'); };
        const bool lead = !pattern.isEmpty() && isWild(pattern.front());
        if (lead)
            pattern.remove(0, 1);
        const bool trail = !pattern.isEmpty() && isWild(pattern.back());
        if (trail)
            pattern.chop(1);
        if (pattern.isEmpty() && (lead || trail))
            return Filter::where(column, Match::Contains, Value(QString()));
        const Match m = lead && trail ? Match::Contains
                        : lead        ? Match::EndsWith
                        : trail       ? Match::StartsWith
                                      : Match::Equals;
        return Filter::where(column, m, Value(pattern));
    }

    QString parseName()
    {
        skipSpace();
        if (atEnd())
            fail(QStringLiteral("缺少列名"));
        if (m_s[m_pos] == QLatin1Char('[')) {
            const qsizetype end = m_s.indexOf(QLatin1Char(']'), m_pos);
            if (end < 0)
                fail(QStringLiteral("缺少右方括号"));
            const QString name = m_s.mid(m_pos + 1, end - m_pos - 1);
            m_pos = end + 1;
            return name;
        }
        const qsizetype start = m_pos;
        while (!atEnd() && (m_s[m_pos].isLetterOrNumber() || m_s[m_pos] == QLatin1Char('_')))
            ++m_pos;
        if (m_pos == start)
            fail(QStringLiteral("缺少列名"));
        return m_s.mid(start, m_pos - start);
    }

    Value parseValue()
    {
        skipSpace();
        if (atEnd())
            fail(QStringLiteral("缺少比较值"));
        const QChar c = m_s[m_pos];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('#')) {
            QString text;
            ++m_pos;
            for (;;) {
                if (atEnd())
                    fail(QStringLiteral("引号不成对"));
                if (m_s[m_pos] == c) {
                    if (c != QLatin1Char('#') && m_pos + 1 < m_s.size() && m_s[m_pos + 1] == c) {
                        text += c;
                        m_pos += 2;
                        continue;
                    }
                    ++m_pos;
                    break;
                }
                text += m_s[m_pos++];
            }
            if (c == QLatin1Char('#')) {
                const QDateTime dt = Value::parseDateTime(text.replace(QLatin1Char('/'), QLatin1Char('-')));
                if (!dt.isValid())
                    fail(QStringLiteral("日期无效"));
                return Value(dt);
            }
            return Value(text);
        }
        if (keyword("null"))
            return Value();
        const qsizetype start = m_pos;
        while (!atEnd() && (m_s[m_pos].isDigit() || m_s[m_pos] == QLatin1Char('.') || m_s[m_pos] == QLatin1Char('-')))
            ++m_pos;
        bool ok = false;
        const double number = m_s.mid(start, m_pos - start).toDouble(&ok);
        if (!ok)
            fail(QStringLiteral("比较值无效"));
        return Value(number);
    }

    const QString& m_s;
    qsizetype m_pos = 0;
};

} // namespace

Filter Filter::allOf(std::vector<Filter> parts)
{
    return joined(std::move(parts), true, [](std::vector<Filter> p, bool) {
        Filter f;
        f.m_kind = Kind::And;
        f.m_children = std::move(p);
        return f;
    });
}

Filter Filter::anyOf(std::vector<Filter> parts)
{
    return joined(std::move(parts), false, [](std::vector<Filter> p, bool) {
        Filter f;
        f.m_kind = Kind::Or;
        f.m_children = std::move(p);
        return f;
    });
}

Filter Filter::parse(const QString& expression)
{
    return Parser(expression).parseAll();
}

bool Filter::matches(const ResultSet& result, int rawRow) const
{
    switch (m_kind) {
    case Kind::Empty:
        return true;
    case Kind::Leaf: {
        const int column = result.columnIndex(m_predicate.column);
        return column >= 0 && test(m_predicate, result.rawValue(rawRow, column));
    }
    case Kind::And:
        for (const Filter& f : m_children)
            if (!f.matches(result, rawRow))
                return false;
        return true;
    case Kind::Or:
        for (const Filter& f : m_children)
            if (f.matches(result, rawRow))
                return true;
        return false;
    }
    return false;
}

QStringList Filter::columns() const
{
    if (m_kind == Kind::Leaf)
        return {m_predicate.column};
    QStringList all;
    for (const Filter& f : m_children)
        all += f.columns();
    return all;
}

} // namespace tkd
