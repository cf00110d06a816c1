#include "Dataset.h"

#include "DbError.h"

#include <QRegularExpression>

namespace tkd {

namespace {
const QString kRowIdColumn = QStringLiteral("__tkd_rowid__");
}

Dataset::Dataset(Database& db, const QString& statement, const Params& params, Mode mode)
    : m_db(db), m_statement(statement.trimmed()), m_params(params), m_mode(mode)
{
    static const QRegularExpression selectHead(QStringLiteral("^select\\s+"),
                                               QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression fromTable(QStringLiteral("\\sfrom\\s+\\[([^\\]]+)\\]"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression notEditable(QStringLiteral("\\s(group\\s+by|join|union)\\s"),
                                                QRegularExpression::CaseInsensitiveOption);
    const auto table = fromTable.match(m_statement);
    if (!selectHead.match(m_statement).hasMatch() || !table.hasMatch() ||
        notEditable.match(m_statement + QLatin1Char(' ')).hasMatch())
        throw DbError(QStringLiteral("只有单表查询可以直接修改：%1").arg(statement));
    m_table = table.captured(1);
    refresh();
}

void Dataset::refresh()
{
    static const QRegularExpression selectHead(QStringLiteral("^select\\s+"),
                                               QRegularExpression::CaseInsensitiveOption);
    QString withRowId = m_statement;
    withRowId.replace(selectHead, QStringLiteral("select [%1].rowid as [%2], ").arg(m_table, kRowIdColumn));
    ResultSet raw = m_db.select(withRowId, m_params);
    m_rowIds.clear();
    m_rowIds.reserve(static_cast<size_t>(raw.rawRowCount()));
    for (int r = 0; r < raw.rawRowCount(); ++r)
        m_rowIds.push_back(raw.rawValue(r, 0).toInt());
    raw.removeColumn(0);
    m_rows = std::move(raw);
    m_pending.clear();
}

void Dataset::writeRow(qint64 rowId, const std::map<QString, Value>& changes)
{
    QStringList sets;
    Params params;
    int n = 0;
    for (const auto& [column, value] : changes) {
        const QString name = QStringLiteral("v%1").arg(n++);
        sets << QStringLiteral("[%1]=:%2").arg(column, name);
        params.set(name, value);
    }
    params.set(QStringLiteral("tkd_rowid"), rowId);
    m_db.execute(QStringLiteral("update [%1] set %2 where rowid=:tkd_rowid").arg(m_table, sets.join(QLatin1Char(','))),
                 params);
}

void Dataset::setValue(int row, const QString& column, const Value& value)
{
    const int raw = m_rows.rawIndex(row);
    const int col = m_rows.columnIndex(column);
    if (col < 0)
        throw DbError(QStringLiteral("结果中没有列 [%1]").arg(column));
    const QString name = m_rows.columns().at(col);
    const qint64 rowId = m_rowIds[static_cast<size_t>(raw)];
    if (m_mode == Mode::Batch)
        m_pending[rowId][name] = value;
    else
        writeRow(rowId, {{name, value}});
    m_rows.setRawValue(raw, col, value);
}

int Dataset::append(const std::vector<std::pair<QString, Value>>& values)
{
    QStringList names, marks;
    Params params;
    for (size_t i = 0; i < values.size(); ++i) {
        names << QStringLiteral("[%1]").arg(values[i].first);
        marks << QStringLiteral(":v%1").arg(i);
        params.set(QStringLiteral("v%1").arg(i), values[i].second);
    }
    m_db.execute(QStringLiteral("insert into [%1] (%2) values (%3)")
                     .arg(m_table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
                 params);
    const qint64 rowId = m_db.lastInsertId();
    const ResultSet fresh =
        m_db.select(QStringLiteral("select * from [%1] where rowid=:r").arg(m_table), {{QStringLiteral("r"), rowId}});
    std::vector<Value> row(static_cast<size_t>(m_rows.columns().size()));
    for (int c = 0; c < m_rows.columns().size(); ++c) {
        const int source = fresh.columnIndex(m_rows.columns().at(c));
        if (source >= 0 && fresh.rowCount() > 0)
            row[static_cast<size_t>(c)] = fresh.value(0, source);
    }
    m_rows.appendRawRow(std::move(row));
    m_rowIds.push_back(rowId);
    return m_rows.rawRowCount() - 1;
}

void Dataset::remove(int row)
{
    const int raw = m_rows.rawIndex(row);
    const qint64 rowId = m_rowIds[static_cast<size_t>(raw)];
    m_db.execute(QStringLiteral("delete from [%1] where rowid=:r").arg(m_table), {{QStringLiteral("r"), rowId}});
    m_pending.erase(rowId);
    m_rows.removeRawRow(raw);
    m_rowIds.erase(m_rowIds.begin() + raw);
}

void Dataset::applyBatch()
{
    if (m_pending.empty())
        return;
    Transaction tx(m_db);
    for (const auto& [rowId, changes] : m_pending)
        writeRow(rowId, changes);
    tx.commit();
    m_pending.clear();
}

void Dataset::cancelBatch()
{
    refresh();
}

} // namespace tkd
