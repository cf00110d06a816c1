#pragma once

#include "kit/report/ChartData.h"

#include <QChartView>

namespace tkd::gui {

// The bar chart of a statistics window: one bar per point, each in its own colour, its value
// shown on it, the labels along the bottom. Printing goes through a report's chart element
// with the same data.
class BarChartView : public QChartView {
    Q_OBJECT
public:
    explicit BarChartView(QWidget* parent = nullptr);
    // Replaces the chart's series and axes with new ones for these values.
    void setData(const ChartData& data);
    const ChartData& data() const { return m_data; }

private:
    ChartData m_data;
};

// The pie chart: one slice per positive value, each in its own colour, labelled with its
// label and its share; the legend beside it.
class PieChartView : public QChartView {
    Q_OBJECT
public:
    explicit PieChartView(QWidget* parent = nullptr);
    void setData(const ChartData& data);
    const ChartData& data() const { return m_data; }

private:
    ChartData m_data;
};

} // namespace tkd::gui
