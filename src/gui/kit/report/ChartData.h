#pragma once

#include "db/ResultSet.h"

#include <QColor>
#include <QList>
#include <QString>

namespace tkd::gui {

struct ChartPoint {
    QString label;
    double value = 0;
};

// The labelled values of a bar or pie chart: the same data draws the chart on screen
// (ChartViews) and on paper (a report's chart element).
struct ChartData {
    QString title;
    QList<ChartPoint> points;
    // Decimals of the values shown: 0 for counts, 2 for money.
    int decimals = 0;

    QString valueText(double value) const;
    // A pie shows only the positive values; their sum is the whole.
    double positiveTotal() const;
    // "25.0%" of the positive total; empty for a value that has no slice.
    QString percentText(int index) const;

    // One point per visible row (the result's filter applies): the label as the grid shows
    // the label column, the value from the value column. Money columns give two decimals.
    // Throws DbError for a column the result lacks.
    static ChartData fromResult(const QString& title, const ResultSet& result, const QString& labelColumn,
                                const QString& valueColumn);
};

// Every bar and every slice in its own colour, the same on screen and on paper.
QColor chartColor(int index);

} // namespace tkd::gui
