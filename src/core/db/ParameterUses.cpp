#include "ParameterUses.h"

#include <QSet>

namespace tkd::sql {
namespace {

enum class Kind { Name, Word, Param, Literal, Op, Punct };

struct Token {
    Kind kind;
    QString text; // a Word lower-cased; a Name without its brackets
};

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

qsizetype quotedEnd(const QString& s, qsizetype i, QChar quote)
{
    qsizetype j = i + 1;
    while (j < s.size()) {
        if (s[j] == quote) {
            if (j + 1 < s.size() && s[j + 1] == quote) {
                j += 2;
                continue;
            }
            return j + 1;
        }
        ++j;
    }
    return s.size();
}

std::vector<Token> tokenize(const QString& s)
{
    std::vector<Token> tokens;
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (i < n) {
        const QChar c = s[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('[')) {
            const qsizetype end = s.indexOf(QLatin1Char(']'), i + 1);
            const qsizetype stop = end < 0 ? n : end;
            tokens.push_back({Kind::Name, s.mid(i + 1, stop - i - 1)});
            i = stop + 1;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype stop = quotedEnd(s, i, c);
            tokens.push_back({Kind::Literal, s.mid(i, stop - i)});
            i = stop;
        } else if (c == QLatin1Char('-') && i + 1 < n && s[i + 1] == QLatin1Char('-')) {
            const qsizetype end = s.indexOf(QLatin1Char('\n'), i);
            i = end < 0 ? n : end;
        } else if (c == QLatin1Char(':') && i + 1 < n && isNameChar(s[i + 1])) {
            qsizetype j = i + 1;
            while (j < n && isNameChar(s[j]))
                ++j;
            tokens.push_back({Kind::Param, s.mid(i + 1, j - i - 1)});
            i = j;
        } else if (c.isDigit()) {
            qsizetype j = i;
            while (j < n && (s[j].isDigit() || s[j] == QLatin1Char('.')))
                ++j;
            tokens.push_back({Kind::Literal, s.mid(i, j - i)});
            i = j;
        } else if (isNameChar(c)) {
            qsizetype j = i;
            while (j < n && isNameChar(s[j]))
                ++j;
            tokens.push_back({Kind::Word, s.mid(i, j - i).toLower()});
            i = j;
        } else if (c == QLatin1Char('<') || c == QLatin1Char('>') || c == QLatin1Char('=') || c == QLatin1Char('!')) {
            qsizetype j = i + 1;
            if (j < n && (s[j] == QLatin1Char('=') || (c == QLatin1Char('<') && s[j] == QLatin1Char('>'))))
                ++j;
            tokens.push_back({Kind::Op, s.mid(i, j - i)});
            i = j;
        } else {
            tokens.push_back({Kind::Punct, QString(c)});
            ++i;
        }
    }
    return tokens;
}

bool isKeyword(const QString& word)
{
    static const QSet<QString> keywords = {
        QStringLiteral("select"), QStringLiteral("from"),  QStringLiteral("where"),    QStringLiteral("and"),
        QStringLiteral("or"),     QStringLiteral("not"),   QStringLiteral("between"),  QStringLiteral("in"),
        QStringLiteral("like"),   QStringLiteral("is"),    QStringLiteral("null"),     QStringLiteral("set"),
        QStringLiteral("values"), QStringLiteral("into"),  QStringLiteral("insert"),   QStringLiteral("update"),
        QStringLiteral("delete"), QStringLiteral("join"),  QStringLiteral("on"),       QStringLiteral("as"),
        QStringLiteral("order"),  QStringLiteral("group"), QStringLiteral("by"),       QStringLiteral("having"),
        QStringLiteral("asc"),    QStringLiteral("desc"),  QStringLiteral("case"),     QStringLiteral("when"),
        QStringLiteral("then"),   QStringLiteral("else"),  QStringLiteral("end"),      QStringLiteral("exists"),
        QStringLiteral("union"),  QStringLiteral("all"),   QStringLiteral("distinct"), QStringLiteral("left"),
        QStringLiteral("inner"),  QStringLiteral("outer"), QStringLiteral("limit"),    QStringLiteral("top")};
    return keywords.contains(word);
}

class Reader {
public:
    explicit Reader(std::vector<Token> tokens) : m_t(std::move(tokens)) {}

    StatementUses read()
    {
        StatementUses result;
        for (qsizetype k = 0; k < size(); ++k) {
            if (isWord(k, u"from") || isWord(k, u"join") || isWord(k, u"into") || isWord(k, u"update"))
                readTables(k + 1, isWord(k, u"from"), result.tables);
            if (isWord(k, u"insert"))
                readInsert(k + 1, result.uses);
            if (m_t[static_cast<size_t>(k)].kind == Kind::Param)
                readComparison(k, result.uses);
        }
        return result;
    }

private:
    qsizetype size() const { return static_cast<qsizetype>(m_t.size()); }
    const Token* at(qsizetype k) const { return k >= 0 && k < size() ? &m_t[static_cast<size_t>(k)] : nullptr; }
    bool isWord(qsizetype k, const char16_t* word) const
    {
        const Token* t = at(k);
        return t && t->kind == Kind::Word && t->text == QStringView(word);
    }
    bool isPunct(qsizetype k, char c) const
    {
        const Token* t = at(k);
        return t && t->kind == Kind::Punct && t->text == QLatin1Char(c);
    }
    // A column or table name: bracketed, or a bare word that is no keyword.
    bool isName(qsizetype k) const
    {
        const Token* t = at(k);
        return t && (t->kind == Kind::Name || (t->kind == Kind::Word && !isKeyword(t->text)));
    }
    const QString& text(qsizetype k) const { return m_t[static_cast<size_t>(k)].text; }

    void readTables(qsizetype k, bool list, QStringList& tables) const
    {
        while (isName(k)) {
            tables << text(k);
            ++k;
            if (isWord(k, u"as"))
                ++k;
            if (isName(k)) // an alias
                ++k;
            if (!list || !isPunct(k, ','))
                return;
            ++k;
        }
    }

    // insert into [t] ([a],[b]) values (:a,:b): a parameter standing alone for a column.
    void readInsert(qsizetype k, std::vector<ParameterUse>& uses) const
    {
        if (!isWord(k, u"into") || !isName(k + 1) || !isPunct(k + 2, '('))
            return;
        QStringList columns;
        k += 3;
        while (isName(k)) {
            columns << text(k);
            ++k;
            if (!isPunct(k, ','))
                break;
            ++k;
        }
        if (!isPunct(k, ')') || !isWord(k + 1, u"values") || !isPunct(k + 2, '('))
            return;
        k += 3;
        for (qsizetype column = 0; column < columns.size(); ++column) {
            const Token* value = at(k);
            if (!value)
                return;
            const bool alone = value->kind == Kind::Param && (isPunct(k + 1, ',') || isPunct(k + 1, ')'));
            if (alone)
                uses.push_back({value->text, columns[column], false});
            // On to the next value at this depth.
            int depth = 0;
            while (at(k) && !(depth == 0 && (isPunct(k, ',') || isPunct(k, ')')))) {
                if (isPunct(k, '('))
                    ++depth;
                else if (isPunct(k, ')'))
                    --depth;
                ++k;
            }
            if (!isPunct(k, ','))
                return;
            ++k;
        }
    }

    void readComparison(qsizetype k, std::vector<ParameterUse>& uses) const
    {
        const QString& parameter = text(k);
        const Token* before = at(k - 1);
        // [column] op :p
        if (before && before->kind == Kind::Op && isName(k - 2)) {
            uses.push_back({parameter, text(k - 2), before->text == u"<="});
            return;
        }
        // [column] between :p and ...
        if (isWord(k - 1, u"between")) {
            const qsizetype column = isWord(k - 2, u"not") ? k - 3 : k - 2;
            if (isName(column))
                uses.push_back({parameter, text(column), false});
            return;
        }
        // [column] between ... and :p
        if (isWord(k - 1, u"and") && isWord(k - 3, u"between")) {
            const qsizetype column = isWord(k - 4, u"not") ? k - 5 : k - 4;
            if (isName(column))
                uses.push_back({parameter, text(column), true});
            return;
        }
        // :p op [column], or :p op t.[column]
        const Token* after = at(k + 1);
        if (after && after->kind == Kind::Op && isName(k + 2)) {
            const qsizetype column = isPunct(k + 3, '.') && isName(k + 4) ? k + 4 : k + 2;
            uses.push_back({parameter, text(column), after->text == u">="});
        }
    }

    std::vector<Token> m_t;
};

} // namespace

StatementUses parameterUses(const QString& statement)
{
    return Reader(tokenize(statement)).read();
}

} // namespace tkd::sql
