#include "TextSearch.h"

namespace tkd {

Filter containsAny(const QStringList& columns, const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || columns.isEmpty())
        return {};
    std::vector<Filter> parts;
    for (const QString& column : columns)
        parts.push_back(Filter::where(column, Match::Contains, trimmed));
    return parts.size() == 1 ? parts.front() : Filter::anyOf(std::move(parts));
}

} // namespace tkd
