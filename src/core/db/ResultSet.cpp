#include "ResultSet.h"

#include "DbError.h"
#include "StoredCells.h"

#include <limits>

namespace tkd {

ResultSet::ResultSet(QStringList columns, std::vector<ColumnType> types, std::vector<std::vector<Value>> rows)
    : m_columns(std::move(columns)), m_types(std::move(types)), m_rowCount(static_cast<int>(rows.size()))
{
    const auto width = static_cast<size_t>(columnCount());
    m_cells.reserve(rows.size() * width);
    for (auto& row : rows) {
        row.resize(width);
        for (Value& cell : row)
            m_cells.push_back(std::move(cell));
    }
}

int ResultSet::columnIndex(const QString& name) const
{
    QString bare = name;
    if (bare.startsWith(QLatin1Char('[')) && bare.endsWith(QLatin1Char(']')))
        bare = bare.mid(1, bare.size() - 2);
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].compare(bare, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int ResultSet::requireColumn(const QString& name) const
{
    const int index = columnIndex(name);
    if (index < 0)
        throw DbError(QStringLiteral("结果中没有列 [%1]").arg(name));
    return index;
}

int ResultSet::rowCount() const
{
    return m_filtered ? static_cast<int>(m_visible.size()) : m_rowCount;
}

int ResultSet::rawIndex(int row) const
{
    if (row < 0 || row >= rowCount())
        throw DbError(QStringLiteral("行号 %1 超出范围").arg(row));
    return m_filtered ? m_visible[static_cast<size_t>(row)] : row;
}

Value ResultSet::value(int row, int column) const
{
    if (column < 0 || column >= columnCount())
        throw DbError(QStringLiteral("列号 %1 超出范围").arg(column));
    return rawValue(rawIndex(row), column);
}

Value ResultSet::value(int row, const QString& column) const
{
    return value(row, requireColumn(column));
}

Value ResultSet::first(const QString& column) const
{
    const int index = requireColumn(column);
    return rowCount() == 0 ? Value() : value(0, index);
}

void ResultSet::checkCell(int rawRow, int column) const
{
    if (rawRow < 0 || rawRow >= m_rowCount || column < 0 || column >= columnCount())
        throw DbError(QStringLiteral("单元 (%1, %2) 超出范围").arg(rawRow).arg(column));
}

void ResultSet::checkPackedSize() const
{
    // Offsets are 32 bits: four gigabytes of one column is far beyond any hall's file.
    for (const Packed& cells : m_packedColumns)
        if (cells.bytes.size() > std::numeric_limits<quint32>::max())
            throw DbError(QStringLiteral("结果太大"));
}

Value ResultSet::rawValue(int rawRow, int column) const
{
    checkCell(rawRow, column);
    const auto row = static_cast<size_t>(rawRow);
    if (!m_packed)
        return m_cells[row * static_cast<size_t>(columnCount()) + static_cast<size_t>(column)];
    const Packed& cells = m_packedColumns[static_cast<size_t>(column)];
    return stored::read(cells.bytes.data() + cells.starts[row]);
}

bool ResultSet::packedText(int rawRow, int column, std::string_view* utf8) const
{
    checkCell(rawRow, column);
    if (!m_packed)
        return false;
    const Packed& cells = m_packedColumns[static_cast<size_t>(column)];
    return stored::readText(cells.bytes.data() + cells.starts[static_cast<size_t>(rawRow)], utf8);
}

void ResultSet::setRawValue(int rawRow, int column, const Value& value)
{
    checkCell(rawRow, column);
    const auto row = static_cast<size_t>(rawRow);
    if (!m_packed) {
        m_cells[row * static_cast<size_t>(columnCount()) + static_cast<size_t>(column)] = value;
    } else {
        // The old bytes stay where they are, unreferenced; the new value goes at the end.
        Packed& cells = m_packedColumns[static_cast<size_t>(column)];
        const quint32 start = static_cast<quint32>(cells.bytes.size());
        stored::appendValue(cells.bytes, value);
        cells.starts[row] = start;
        checkPackedSize();
    }
    refilter();
}

void ResultSet::appendRawRow(std::vector<Value> row)
{
    row.resize(static_cast<size_t>(columnCount()));
    if (!m_packed) {
        for (Value& cell : row)
            m_cells.push_back(std::move(cell));
    } else {
        for (size_t c = 0; c < row.size(); ++c) {
            Packed& cells = m_packedColumns[c];
            startCell(cells);
            stored::appendValue(cells.bytes, row[c]);
        }
        checkPackedSize();
    }
    ++m_rowCount;
    refilter();
}

void ResultSet::removeRawRow(int rawRow)
{
    checkCell(rawRow, 0);
    if (!m_packed) {
        const auto width = static_cast<ptrdiff_t>(columnCount());
        const auto start = m_cells.begin() + rawRow * width;
        m_cells.erase(start, start + width);
    } else {
        for (Packed& cells : m_packedColumns)
            cells.starts.erase(cells.starts.begin() + rawRow);
    }
    --m_rowCount;
    refilter();
}

void ResultSet::removeColumn(int column)
{
    if (column < 0 || column >= columnCount())
        throw DbError(QStringLiteral("列号 %1 超出范围").arg(column));
    if (!m_packed) {
        const auto width = static_cast<size_t>(columnCount());
        std::vector<Value> kept;
        kept.reserve(static_cast<size_t>(m_rowCount) * (width - 1));
        for (size_t i = 0; i < m_cells.size(); ++i)
            if (i % width != static_cast<size_t>(column))
                kept.push_back(std::move(m_cells[i]));
        m_cells = std::move(kept);
    } else {
        m_packedColumns.erase(m_packedColumns.begin() + column);
    }
    m_columns.removeAt(column);
    m_types.erase(m_types.begin() + column);
    clearFilter();
}

void ResultSet::reorder(const std::vector<int>& order)
{
    if (order.size() != static_cast<size_t>(m_rowCount))
        throw DbError(QStringLiteral("行序的行数不符"));
    if (!m_packed) {
        const auto width = static_cast<size_t>(columnCount());
        std::vector<Value> cells;
        cells.reserve(m_cells.size());
        for (const int row : order)
            for (size_t c = 0; c < width; ++c)
                cells.push_back(std::move(m_cells[static_cast<size_t>(row) * width + c]));
        m_cells = std::move(cells);
    } else {
        for (Packed& cells : m_packedColumns) {
            std::vector<quint32> starts;
            starts.reserve(order.size());
            for (const int row : order)
                starts.push_back(cells.starts[static_cast<size_t>(row)]);
            cells.starts = std::move(starts);
        }
    }
    refilter();
}

void ResultSet::setFilter(const Filter& filter)
{
    for (const QString& column : filter.columns())
        requireColumn(column);
    m_filter = filter;
    m_filtered = !filter.isEmpty();
    refilter();
}

void ResultSet::clearFilter()
{
    m_filter = Filter();
    m_filtered = false;
    m_visible.clear();
}

void ResultSet::refilter()
{
    if (!m_filtered)
        return;
    m_visible.clear();
    for (int i = 0; i < rawRowCount(); ++i)
        if (m_filter.matches(*this, i))
            m_visible.push_back(i);
}

QStringList ResultSet::texts(const QString& column) const
{
    const int index = requireColumn(column);
    QStringList values;
    values.reserve(rowCount());
    for (int row = 0; row < rowCount(); ++row)
        values << rawValue(rawIndex(row), index).toText();
    return values;
}

ResultSet::Builder::Builder(QStringList columns, std::vector<ColumnType> types)
{
    m_result.m_columns = std::move(columns);
    m_result.m_types = std::move(types);
}

void ResultSet::Builder::endRow()
{
    ResultSet& r = m_result;
    ++r.m_rowCount;
    if (r.m_packed && r.m_rowCount % 4096 == 0)
        r.checkPackedSize();
    if (r.m_packed || r.m_rowCount != kSmallRows)
        return;
    // Grown large: pack what was read so far, and pack from here on.
    const auto width = static_cast<size_t>(r.columnCount());
    r.m_packedColumns.resize(width);
    for (size_t row = 0; row < static_cast<size_t>(r.m_rowCount); ++row)
        for (size_t c = 0; c < width; ++c) {
            startCell(r.m_packedColumns[c]);
            stored::appendValue(r.m_packedColumns[c].bytes, r.m_cells[row * width + c]);
        }
    r.m_cells = {};
    r.m_packed = true;
    if (m_expected > r.m_rowCount) {
        // Sized from the rows read so far, with a little room: growing a block copies it.
        const auto rows = static_cast<size_t>(m_expected);
        for (Packed& cells : r.m_packedColumns) {
            cells.starts.reserve(rows);
            cells.bytes.reserve(cells.bytes.size() * rows / static_cast<size_t>(r.m_rowCount) * 11 / 10);
        }
    }
}

} // namespace tkd
