#include "ScratchList.h"

#include "data/Schema.h"
#include "db/DbError.h"

#include <algorithm>

namespace tkd {

ScratchList::ScratchList(TvelunDMForm& dm, const QString& table) : m_dm(dm), m_table(table)
{
    const schema::TableDef* def = schema::findTable(table);
    if (!def || !def->scratch)
        throw DbError(QStringLiteral("%1 不是临时表").arg(table));
    m_def = def;
}

qint64 ScratchList::refill(const QString& insertSelect, const Params& params)
{
    const QString target = QStringLiteral("insert into [%1]").arg(m_table);
    if (!insertSelect.simplified().startsWith(target, Qt::CaseInsensitive))
        throw DbError(QStringLiteral("只能向 %1 插入：%2").arg(m_table, insertSelect));
    qint64 count = 0;
    refill([&](TvelunDMForm& dm) { count = dm.change(insertSelect, params); });
    return count;
}

qint64 ScratchList::refill(const QStringList& columns, const std::vector<std::vector<Value>>& rows)
{
    if (columns.isEmpty())
        throw DbError(QStringLiteral("%1 的插入没有字段").arg(m_table));
    QStringList names;
    QStringList placeholders;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const auto& known = m_def->columns;
        if (std::none_of(known.begin(), known.end(), [&](const schema::ColumnDef& c) { return c.name == columns[i]; }))
            throw DbError(QStringLiteral("%1 没有字段 %2").arg(m_table, columns[i]));
        names.append(QStringLiteral("[%1]").arg(columns[i]));
        placeholders.append(QStringLiteral(":p%1").arg(i));
    }
    for (const std::vector<Value>& row : rows)
        if (row.size() != size_t(columns.size()))
            throw DbError(
                QStringLiteral("%1 的一行有 %2 个值，应有 %3 个").arg(m_table).arg(row.size()).arg(columns.size()));
    const QString insert = QStringLiteral("insert into [%1] (%2) values(%3)")
                               .arg(m_table, names.join(QLatin1Char(',')), placeholders.join(QLatin1Char(',')));
    refill([&](TvelunDMForm& dm) {
        for (const std::vector<Value>& row : rows) {
            Params params;
            for (size_t i = 0; i < row.size(); ++i)
                params.set(QStringLiteral("p%1").arg(i), row[i]);
            dm.change(insert, params);
        }
    });
    return qint64(rows.size());
}

void ScratchList::refill(const std::function<void(TvelunDMForm&)>& fill)
{
    Transaction tx(m_dm.db());
    m_dm.change(QStringLiteral("delete from [%1]").arg(m_table));
    fill(m_dm);
    tx.commit();
}

void ScratchList::clear()
{
    m_dm.change(QStringLiteral("delete from [%1]").arg(m_table));
}

qint64 ScratchList::rowCount()
{
    return m_dm.db().scalar(QStringLiteral("select count(*) from [%1]").arg(m_table)).toInt();
}

} // namespace tkd
