#pragma once

#include "Filter.h"
#include "Value.h"

#include <QString>
#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

namespace tkd {

// Logical type of a result column, from the declared type of the table column it comes from.
// Expressions without a declared type report Unknown and keep the engine's storage type.
enum class ColumnType { Unknown, Text, Integer, Number, Money, YesNo, DateTime };

// The rows of a select, held in memory. Read by column name (case-insensitive, as the
// data-access layer of the system always did) or position; filtered in memory and
// unfiltered again without running the select again.
//
// A small result keeps its cells as values, row by row in one block. A larger one (a member's hundreds
// of visits, the member list's hundred thousand rows) keeps each column packed in one block of bytes and
// makes a cell's value when it is read: a third of the memory, no allocation per cell while the
// statement steps, and no date or text made for a row a grid never shows.
class ResultSet {
public:
    class Builder;

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
    int rawRowCount() const { return m_rowCount; }
    Value rawValue(int rawRow, int column) const;
    int rawIndex(int row) const;
    void setRawValue(int rawRow, int column, const Value& value);
    void appendRawRow(std::vector<Value> row);
    void removeRawRow(int rawRow);
    // Drops a column (the row ids a dataset reads beside the table's own columns).
    void removeColumn(int column);
    // The UTF-8 text of a text cell of a large result, without making a value; false for a small
    // result and for cells that hold no text.
    bool packedText(int rawRow, int column, std::string_view* utf8) const;
    // Puts the underlying rows in the given order: order[i] is the row that becomes row i.
    void reorder(const std::vector<int>& order);

private:
    // A column of a large result: its cells packed one after another, and where each row's begins.
    struct Packed {
        std::string bytes;
        std::vector<quint32> starts;
    };

    int requireColumn(const QString& name) const;
    void checkCell(int rawRow, int column) const;
    void refilter();
    int columnCount() const { return static_cast<int>(m_columns.size()); }
    static void startCell(Packed& column) { column.starts.push_back(static_cast<quint32>(column.bytes.size())); }
    void checkPackedSize() const;

    QStringList m_columns;
    std::vector<ColumnType> m_types;
    int m_rowCount = 0;
    bool m_packed = false;
    std::vector<Value> m_cells; // row by row, while !m_packed
    std::vector<Packed> m_packedColumns;
    Filter m_filter;
    bool m_filtered = false;
    std::vector<int> m_visible;
};

// Fills a result row by row as a statement steps: values while it is small, packed bytes once it
// has grown large.
class ResultSet::Builder {
public:
    Builder(QStringList columns, std::vector<ColumnType> types);

    bool packing() const { return m_result.m_packed; }
    // While not packing.
    void add(Value value) { m_result.m_cells.push_back(std::move(value)); }
    // While packing: the bytes to append the column's next cell to.
    std::string& nextCell(int column)
    {
        Packed& cells = m_result.m_packedColumns[static_cast<size_t>(column)];
        startCell(cells);
        return cells.bytes;
    }
    void endRow();
    ResultSet finish()
    {
        if (m_result.m_packed)
            m_result.checkPackedSize();
        return std::move(m_result);
    }
    // Rows the statement is expected to give, so a large result's blocks are sized once.
    void expect(qint64 rows) { m_expected = rows; }

    // Rows kept as values before a result is packed.
    static constexpr int kSmallRows = 64;

private:
    ResultSet m_result;
    qint64 m_expected = 0;
};

} // namespace tkd
