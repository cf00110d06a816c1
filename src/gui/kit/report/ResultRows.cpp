#include "ResultRows.h"

#include "db/DbError.h"

namespace tkd::gui {

namespace {

int requireColumn(const ResultSet& result, const QString& name)
{
    const int column = result.columnIndex(name);
    if (column < 0)
        throw DbError(QStringLiteral("结果中没有字段 %1").arg(name));
    return column;
}

} // namespace

void addResultRows(Report& report, const ResultSet& result, const QList<ResultColumn>& columns)
{
    QList<int> indexes;
    QList<CellFormat> formats;
    for (const ResultColumn& column : columns) {
        const int index = requireColumn(result, column.name);
        indexes.append(index);
        formats.append(column.format.value_or(cellFormatFor(result.columnType(index))));
    }
    for (const ResultColumn& column : columns)
        report.addColumn(column.title.isEmpty() ? column.name : column.title, column.widthMm, column.alignment);
    for (int row = 0; row < result.rowCount(); ++row) {
        QStringList cells;
        for (qsizetype c = 0; c < indexes.size(); ++c)
            cells.append(cellText(result.value(row, indexes[c]), formats[c]));
        report.addRow(cells);
    }
}

Value columnTotal(const ResultSet& result, const QString& column)
{
    const int index = requireColumn(result, column);
    if (result.columnType(index) == ColumnType::Money) {
        Money total;
        for (int row = 0; row < result.rowCount(); ++row)
            total += result.value(row, index).toMoney();
        return total;
    }
    qint64 whole = 0;
    double number = 0;
    bool allWhole = true;
    for (int row = 0; row < result.rowCount(); ++row) {
        const Value value = result.value(row, index);
        allWhole = allWhole && (value.isNull() || value.type() == ValueType::Integer);
        whole += value.toInt();
        number += value.toDouble();
    }
    return allWhole ? Value(whole) : Value(number);
}

} // namespace tkd::gui
