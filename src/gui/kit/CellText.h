#pragma once

#include "db/ResultSet.h"

#include <QString>

namespace tkd::gui {

// How a cell reads as text. The grids and the printed reports both go through cellText, so a
// list and its report never show one value two ways.
enum class CellFormat {
    // Value::toText(): a date without a time of day shows the date only.
    Plain,
    // Two decimals; Null shows nothing rather than 0.00.
    Money,
    // "yyyy-mm-dd", the time of day dropped.
    Date,
    // "yyyy-mm-dd hh:nn:ss".
    DateTime,
    // "是" or "否": what a grid's check box says to a screen reader and on paper.
    YesNo,
};

// The format a grid uses for a column of this type.
CellFormat cellFormatFor(ColumnType type);
QString cellText(const Value& value, CellFormat format);
// The cell as the grid shows the column (yes/no in words).
QString cellText(const ResultSet& result, int row, int column);

} // namespace tkd::gui
