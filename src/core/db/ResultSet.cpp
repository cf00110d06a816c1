#include "ResultSet.h"

#include "DbError.h"

namespace tkd {

ResultSet::ResultSet(QStringList columns, std::vector<ColumnType> types, std::vector<std::vector<Value>> rows)
    : m_columns(std::move(columns)), m_types(std::move(types)), m_rows(std::move(rows))
{
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
    return m_filtered ? static_cast<int>(m_visible.size()) : static_cast<int>(m_rows.size());
}

int ResultSet::rawIndex(int row) const
{
    if (row < 0 || row >= rowCount())
        throw DbError(QStringLiteral("行号 %1 超出范围").arg(row));
    return m_filtered ? m_visible[static_cast<size_t>(row)] : row;
}

Value ResultSet::value(int row, int column) const
{
    if (column < 0 || column >= m_columns.size())
        throw DbError(QStringLiteral("列号 %1 超出范围").arg(column));
    return m_rows[static_cast<size_t>(rawIndex(row))][static_cast<size_t>(column)];
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

const Value& ResultSet::rawValue(int rawRow, int column) const
{
    return m_rows.at(static_cast<size_t>(rawRow)).at(static_cast<size_t>(column));
}

void ResultSet::setRawValue(int rawRow, int column, const Value& value)
{
    m_rows.at(static_cast<size_t>(rawRow)).at(static_cast<size_t>(column)) = value;
    refilter();
}

void ResultSet::appendRawRow(std::vector<Value> row)
{
    row.resize(static_cast<size_t>(m_columns.size()));
    m_rows.push_back(std::move(row));
    refilter();
}

void ResultSet::removeRawRow(int rawRow)
{
    m_rows.erase(m_rows.begin() + rawRow);
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
        values << value(row, index).toText();
    return values;
}

} // namespace tkd
