#include "CellText.h"

namespace tkd::gui {

CellFormat cellFormatFor(ColumnType type)
{
    switch (type) {
    case ColumnType::Money:
        return CellFormat::Money;
    case ColumnType::YesNo:
        return CellFormat::YesNo;
    default:
        return CellFormat::Plain;
    }
}

QString cellText(const Value& value, CellFormat format)
{
    switch (format) {
    case CellFormat::Plain:
        return value.toText();
    case CellFormat::Money:
        // Sums over a money column come back as plain numbers; they still show as money.
        return value.isNull() ? QString() : value.toMoney().toString();
    case CellFormat::Date:
    case CellFormat::DateTime: {
        const QDateTime moment = value.toDateTime();
        // Text that is no date is shown as it is, not dropped.
        if (!moment.isValid())
            return value.toText();
        return format == CellFormat::Date ? moment.toString(QStringLiteral("yyyy-MM-dd"))
                                          : Value::canonicalDateTime(moment);
    }
    case CellFormat::YesNo:
        return value.toBool() ? QStringLiteral("是") : QStringLiteral("否");
    }
    return value.toText();
}

QString cellText(const ResultSet& result, int row, int column)
{
    return cellText(result.value(row, column), cellFormatFor(result.columnType(column)));
}

} // namespace tkd::gui
