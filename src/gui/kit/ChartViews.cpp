#include "ChartViews.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QPieSeries>
#include <QPieSlice>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <algorithm>

namespace tkd::gui {

namespace {

void clearChart(QChart* chart)
{
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
}

} // namespace

BarChartView::BarChartView(QWidget* parent) : QChartView(parent)
{
    setObjectName(QStringLiteral("barChartView"));
    setRenderHint(QPainter::Antialiasing);
    chart()->legend()->hide();
}

void BarChartView::setData(const ChartData& data)
{
    m_data = data;
    QChart* chart = this->chart();
    clearChart(chart);
    chart->setTitle(data.title);

    // A bar series gives all bars of a set one colour; stacking one set per point, each
    // holding its value at its own place only, gives every bar its own.
    auto* series = new QStackedBarSeries;
    QStringList categories;
    const qsizetype count = data.points.size();
    double low = 0;
    double high = 0;
    for (qsizetype i = 0; i < count; ++i) {
        const ChartPoint& point = data.points[i];
        QString category = point.label;
        // The axis drops a repeated category, which would shift every later bar.
        while (categories.contains(category))
            category += QLatin1Char(' ');
        categories.append(category);
        auto* set = new QBarSet(point.label);
        QList<qreal> values(count, 0);
        values[i] = point.value;
        set->append(values);
        const QColor colour = chartColor(int(i));
        set->setColor(colour);
        // The value sits inside the bar's end: dark on the light colours, white on the dark.
        set->setLabelColor(colour.lightness() > 150 ? Qt::black : Qt::white);
        series->append(set);
        low = std::min(low, point.value);
        high = std::max(high, point.value);
    }
    series->setLabelsVisible(true);
    series->setLabelsFormat(QStringLiteral("@value"));
    series->setLabelsPosition(QAbstractBarSeries::LabelsInsideEnd);
    chart->addSeries(series);

    auto* labels = new QBarCategoryAxis;
    labels->append(categories);
    chart->addAxis(labels, Qt::AlignBottom);
    series->attachAxis(labels);
    auto* values = new QValueAxis;
    values->setRange(low, high > low ? high : low + 1);
    values->applyNiceNumbers();
    values->setLabelFormat(data.decimals > 0 ? QStringLiteral("%.2f") : QStringLiteral("%d"));
    chart->addAxis(values, Qt::AlignLeft);
    series->attachAxis(values);
}

PieChartView::PieChartView(QWidget* parent) : QChartView(parent)
{
    setObjectName(QStringLiteral("pieChartView"));
    setRenderHint(QPainter::Antialiasing);
    chart()->legend()->setAlignment(Qt::AlignRight);
}

void PieChartView::setData(const ChartData& data)
{
    m_data = data;
    QChart* chart = this->chart();
    clearChart(chart);
    chart->setTitle(data.title);
    auto* series = new QPieSeries;
    for (qsizetype i = 0; i < data.points.size(); ++i) {
        const ChartPoint& point = data.points[i];
        if (point.value <= 0)
            continue;
        QPieSlice* slice = series->append(point.label + QLatin1Char(' ') + data.percentText(int(i)), point.value);
        slice->setColor(chartColor(int(i)));
        slice->setLabelVisible(true);
    }
    chart->addSeries(series);
}

} // namespace tkd::gui
