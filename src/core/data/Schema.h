#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace tkd {
class Database;
}

namespace tkd::schema {

// Auto is the automatic number key; Memo is long text. RowNumber, for scratch lists only, numbers
// the rows 1, 2, 3... in the order they are inserted into the emptied list.
enum class ColumnKind { Auto, Text, Memo, Integer, Number, Money, YesNo, DateTime, RowNumber };

struct ColumnDef {
    QString name;
    ColumnKind kind;
};

// A scratch table belongs to one running program: it lives as a temporary table of the
// connection, never reaches the file, and is made anew each time the connection opens.
struct TableDef {
    QString name;
    bool scratch;
    std::vector<ColumnDef> columns;
};

// Every table as the schema stands today; scratch tables are made from it at each connect. Files
// are made and upgraded by the numbered steps, which never read this list: tests hold both together.
const std::vector<TableDef>& tables();
const TableDef* findTable(const QString& name);

// The schema version this program writes; files of an older version are migrated on open.
int currentVersion();

QString createTableStatement(const TableDef& table);
// Indexes of the lookups, joins and date ranges the windows run, as they stand today.
QStringList indexStatements();

// Brings a file from its stored version to currentVersion(), each step in its own
// transaction. A file newer than this program is refused.
void migrate(Database& db);
// Creates the scratch tables of a freshly opened connection.
void createScratchTables(Database& db);

} // namespace tkd::schema
