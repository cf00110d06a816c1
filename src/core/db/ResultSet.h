#pragma once

#include "Filter.h"
#include "Value.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace tkd {

// Logical type of a result column, from the declared type of the table column it comes from.
// Expressions without a declared type report Unknown and keep the engine's storage type.
enum class ColumnType { Unknown, Text, Integer, Number, Money, YesNo, DateTime };

// The rows of a select, held in memory. Read by column name (case-insensitive, as the
// data-access layer of the system always did) or position; filtered in memory and
// unfiltered again without running the select again.
class ResultSet {
public:
    ResultSet() = default;
    ResultSet(QStringList columns, std::vector<ColumnType> types, std::vector<std::vector<Value>> rows);

    const QStringList& columns() const { return m_columns; }
    ColumnType columnType(int column) const { return m_types.at(static_cast<size_t>(column)); }
    // -1 when there is no such column.
    int columnIndex(const QString& name) const;
    bool hasColumn(const QString& name) const { return columnIndex(name) >= 0; }

    // Rows visible through the filter.
    int rowCount() const;
    bool isEmpty() const { return rowCount() == 0; }
    Value value(int row, int column) const;
    // Throws DbError for an unknown column: a misspelt name must not read as Null.
    Value value(int row, const QString& column) const;
    // The column's visible values as text, in row order (the lists the windows fill).
    QStringList texts(const QString& column) const;
    // First visible row's value, or Null when there are no rows.
    Value first(const QString& column) const;

    void setFilter(const Filter& filter);
    void setFilter(const QString& expression) { setFilter(Filter::parse(expression)); }
    void clearFilter();
    bool isFiltered() const { return m_filtered; }

    // Underlying rows, regardless of the filter; used by filters and in-place edits.
    int rawRowCount() const { return static_cast<int>(m_rows.size()); }
    const Value& rawValue(int rawRow, int column) const;
    int rawIndex(int row) const;
    void setRawValue(int rawRow, int column, const Value& value);
    void appendRawRow(std::vector<Value> row);
    void removeRawRow(int rawRow);

private:
    int requireColumn(const QString& name) const;
    void refilter();

    QStringList m_columns;
    std::vector<ColumnType> m_types;
    std::vector<std::vector<Value>> m_rows;
    Filter m_filter;
    bool m_filtered = false;
    std::vector<int> m_visible;
};

} // namespace tkd
