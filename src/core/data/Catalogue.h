#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace tkd {

// Dataset: a fixed select without parameters. Query: a select with declared parameters.
// BatchQuery: a query whose rows are edited in memory and written in one batch.
enum class EntryKind { Dataset, Query, BatchQuery };

struct CatalogueEntry {
    QString name;
    EntryKind kind;
    QStringList parameters;
    QString sql;
};

struct RawEntry {
    const char16_t* name;
    EntryKind kind;
    std::vector<const char16_t*> parameters;
    const char16_t* sql;
};

std::vector<CatalogueEntry> fromRaw(const std::vector<RawEntry>& raw);
const std::vector<CatalogueEntry>& catalogueEntries();
// nullptr for an unknown name.
const CatalogueEntry* findEntry(const QString& name);

} // namespace tkd
