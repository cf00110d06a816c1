#pragma once

#include "Database.h"
#include "ResultSet.h"

#include <map>

namespace tkd {

// An open select over one table whose rows can be changed in place: each change is
// written at once, or, in batch mode, held until applyBatch() writes them all in one
// transaction. Result column names must be the table's own (no aliases).
class Dataset {
public:
    enum class Mode { Immediate, Batch };

    Dataset(Database& db, const QString& statement, const Params& params = {}, Mode mode = Mode::Immediate);

    const ResultSet& rows() const { return m_rows; }
    ResultSet& rows() { return m_rows; }
    const QString& table() const { return m_table; }
    void refresh();

    // Row indexes are those of rows() as currently filtered.
    void setValue(int row, const QString& column, const Value& value);
    // Inserts a row (in either mode at once) and returns its row number in rows(), unfiltered.
    int append(const std::vector<std::pair<QString, Value>>& values);
    void remove(int row);

    bool hasPendingChanges() const { return !m_pending.empty(); }
    void applyBatch();
    void cancelBatch();

private:
    void writeRow(qint64 rowId, const std::map<QString, Value>& changes);

    Database& m_db;
    QString m_statement;
    QString m_table;
    Params m_params;
    Mode m_mode;
    ResultSet m_rows;
    std::vector<qint64> m_rowIds;
    std::map<qint64, std::map<QString, Value>> m_pending;
};

} // namespace tkd
