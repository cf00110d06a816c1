#pragma once

#include "Value.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace tkd {

class ResultSet;

enum class Match { Equals, NotEquals, Contains, StartsWith, EndsWith, Less, LessOrEqual, Greater, GreaterOrEqual };

// One test of a column against a value. Text is matched literally and without regard to case;
// numbers compare as numbers and dates as dates when the column holds them.
struct Predicate {
    QString column;
    Match match = Match::Equals;
    Value value;
};

// A tree of predicates joined by and/or, applied to an open result in memory.
class Filter {
public:
    Filter() = default;
    static Filter where(const QString& column, Match match, const Value& value);
    static Filter allOf(std::vector<Filter> parts);
    static Filter anyOf(std::vector<Filter> parts);
    // Parses the filter expressions the windows write: bracketed or bare column names,
    // single-quoted values ('' inside for a quote), numbers, #dates#, Null, the operators
    // = <> < <= > >= and like with "*" or "%" at either end, and/or, parentheses.
    // Throws DbError on a malformed expression or an unknown operator.
    static Filter parse(const QString& expression);

    bool isEmpty() const { return m_kind == Kind::Empty; }
    bool matches(const ResultSet& result, int rawRow) const;
    // Column names the filter refers to, so an unknown one can be reported before use.
    QStringList columns() const;

private:
    enum class Kind { Empty, Leaf, And, Or };
    Kind m_kind = Kind::Empty;
    Predicate m_predicate;
    std::vector<Filter> m_children;
};

} // namespace tkd
