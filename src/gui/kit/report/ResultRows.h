#pragma once

#include "db/ResultSet.h"
#include "kit/CellText.h"
#include "kit/report/Report.h"

#include <QList>
#include <optional>

namespace tkd::gui {

// One printed column taken from a column of a result.
struct ResultColumn {
    QString name;
    // The heading; empty prints the column's name.
    QString title;
    qreal widthMm = 20;
    Qt::Alignment alignment = Qt::AlignLeft;
    // Without one, the cell reads as the grid shows the column (yes/no in words).
    std::optional<CellFormat> format;
};

// Adds the columns and one row per visible row of the result, as currently filtered, each
// cell the text the grid shows. A column the result lacks throws DbError before anything
// is added.
void addResultRows(Report& report, const ResultSet& result, const QList<ResultColumn>& columns);

// The sum of a column over the visible rows: money for a money column, a whole number when
// every value is one, else a number. Throws DbError for a column the result lacks.
Value columnTotal(const ResultSet& result, const QString& column);

} // namespace tkd::gui
