#include "Catalogue.h"

#include <QHash>

namespace tkd {

std::vector<CatalogueEntry> fromRaw(const std::vector<RawEntry>& raw)
{
    std::vector<CatalogueEntry> entries;
    entries.reserve(raw.size());
    for (const RawEntry& r : raw) {
        QStringList params;
        for (const char16_t* p : r.parameters)
            params << QString::fromUtf16(p);
        entries.push_back({QString::fromUtf16(r.name), r.kind, params, QString::fromUtf16(r.sql)});
    }
    return entries;
}

const CatalogueEntry* findEntry(const QString& name)
{
    static const QHash<QString, const CatalogueEntry*> index = [] {
        QHash<QString, const CatalogueEntry*> map;
        for (const CatalogueEntry& e : catalogueEntries())
            map.insert(e.name, &e);
        return map;
    }();
    return index.value(name, nullptr);
}

} // namespace tkd
