#include "SqlDialect.h"

namespace tkd::sql {

namespace {

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Calls onCode for each stretch outside literals, names and comments, and copies the rest.
template <typename OnCode> QString walk(const QString& s, OnCode onCode)
{
    QString out;
    out.reserve(s.size() + 8);
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (i < n) {
        const QChar c = s[i];
        if (c == QLatin1Char('[')) {
            const qsizetype end = s.indexOf(QLatin1Char(']'), i + 1);
            const qsizetype stop = end < 0 ? n : end + 1;
            out += s.mid(i, stop - i);
            i = stop;
        } else if (c == QLatin1Char('\'')) {
            qsizetype j = i + 1;
            while (j < n) {
                if (s[j] == QLatin1Char('\'')) {
                    if (j + 1 < n && s[j + 1] == QLatin1Char('\'')) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            const qsizetype stop = j < n ? j + 1 : n;
            out += s.mid(i, stop - i);
            i = stop;
        } else if (c == QLatin1Char('"')) {
            QString text;
            qsizetype j = i + 1;
            while (j < n) {
                if (s[j] == QLatin1Char('"')) {
                    if (j + 1 < n && s[j + 1] == QLatin1Char('"')) {
                        text += QLatin1Char('"');
                        j += 2;
                        continue;
                    }
                    break;
                }
                text += s[j];
                ++j;
            }
            out += quoted(text);
            i = j < n ? j + 1 : n;
        } else if (c == QLatin1Char('-') && i + 1 < n && s[i + 1] == QLatin1Char('-')) {
            const qsizetype end = s.indexOf(QLatin1Char('\n'), i);
            const qsizetype stop = end < 0 ? n : end;
            out += s.mid(i, stop - i);
            i = stop;
        } else {
            qsizetype j = i;
            while (j < n && s[j] != QLatin1Char('[') && s[j] != QLatin1Char('\'') && s[j] != QLatin1Char('"') &&
                   !(s[j] == QLatin1Char('-') && j + 1 < n && s[j + 1] == QLatin1Char('-')))
                ++j;
            out += onCode(s.mid(i, j - i));
            i = j;
        }
    }
    return out;
}

} // namespace

QString quoted(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

QString toEngine(const QString& statement)
{
    return walk(statement, [](const QString& code) { return code; });
}

QStringList parameterNames(const QString& statement)
{
    QStringList names;
    walk(statement, [&names](const QString& code) {
        for (qsizetype i = 0; i < code.size(); ++i) {
            if (code[i] != QLatin1Char(':'))
                continue;
            qsizetype j = i + 1;
            while (j < code.size() && isNameChar(code[j]))
                ++j;
            if (j > i + 1) {
                const QString name = code.mid(i + 1, j - i - 1);
                if (!names.contains(name))
                    names << name;
            }
            i = j - 1;
        }
        return code;
    });
    return names;
}

} // namespace tkd::sql
