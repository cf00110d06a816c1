#include "ChartPainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QtMath>
#include <algorithm>

namespace tkd::gui {

namespace {

struct Axis {
    double low;
    double high;
    double step;
    int decimals;
};

// Round steps (1, 2, 2.5, 5 times a power of ten) over a range that holds zero and every value.
Axis niceAxis(const ChartData& data)
{
    double low = 0;
    double high = 0;
    for (const ChartPoint& point : data.points) {
        low = std::min(low, point.value);
        high = std::max(high, point.value);
    }
    if (high - low <= 0)
        high = low + 1;
    const double rough = (high - low) / 5;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    const double normal = rough / magnitude;
    // Counts never get a tick of two and a half.
    double factor = normal <= 1 ? 1 : normal <= 2 ? 2 : normal <= 5 ? 5 : 10;
    if (data.decimals > 0 && normal > 2 && normal <= 2.5)
        factor = 2.5;
    double step = factor * magnitude;
    if (data.decimals == 0)
        step = std::max(1.0, std::round(step));
    Axis axis{std::floor(low / step) * step, std::ceil(high / step) * step, step, 0};
    if (step < 1)
        axis.decimals = std::min(4, int(std::ceil(-std::log10(step) - 1e-9)) + (factor == 2.5 ? 1 : 0));
    return axis;
}

qreal drawTitle(QPainter& painter, const QRectF& area, const QString& title, const QFont& font, qreal mm)
{
    if (title.isEmpty())
        return area.top();
    const qreal height = QFontMetricsF(font).height();
    painter.setFont(font);
    painter.drawText(QRectF(area.left(), area.top(), area.width(), height), Qt::AlignHCenter | Qt::AlignTop, title);
    return area.top() + height + 2 * mm;
}

void paintBars(QPainter& painter, const QRectF& area, const ChartData& data, const ChartFonts& fonts, qreal mm)
{
    const qreal top = drawTitle(painter, area, data.title, fonts.title, mm);
    const QFontMetricsF metrics(fonts.text);
    const qreal lineHeight = metrics.height();
    const Axis axis = niceAxis(data);
    const int ticks = qRound((axis.high - axis.low) / axis.step);

    qreal tickWidth = 0;
    for (int i = 0; i <= ticks; ++i)
        tickWidth = std::max(tickWidth,
                             metrics.horizontalAdvance(QString::number(axis.low + i * axis.step, 'f', axis.decimals)));
    const qreal plotLeft = area.left() + tickWidth + 2 * mm;
    const qreal plotRight = area.right() - mm;
    const qsizetype count = data.points.size();
    const qreal slot = (plotRight - plotLeft) / qMax<qsizetype>(1, count);

    qreal labelWidth = 0;
    for (const ChartPoint& point : data.points)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(point.label));
    qreal valueWidth = 0;
    for (const ChartPoint& point : data.points)
        valueWidth = std::max(valueWidth, metrics.horizontalAdvance(data.valueText(point.value)));
    // Labels and values too wide for their bar stand on end, reading upwards.
    const bool upright = labelWidth > slot - mm;
    const bool uprightValues = valueWidth > slot - 0.5 * mm;
    const qreal labelBand = upright ? std::min(labelWidth, 35 * mm) + 2 * mm : lineHeight + 2 * mm;
    // Room above the highest bar, and below the lowest, for its value.
    const qreal valueBand = (uprightValues ? valueWidth : lineHeight) + mm;
    const qreal plotTop = top + valueBand;
    const qreal plotBottom = area.bottom() - labelBand - (axis.low < 0 ? valueBand : 0);
    const auto yOf = [&](double value) {
        return plotBottom - (value - axis.low) / (axis.high - axis.low) * (plotBottom - plotTop);
    };

    painter.setFont(fonts.text);
    for (int i = 0; i <= ticks; ++i) {
        const double value = axis.low + i * axis.step;
        const qreal y = yOf(value);
        painter.setPen(QPen(QColor(200, 200, 200), 0.1 * mm));
        painter.drawLine(QPointF(plotLeft, y), QPointF(plotRight, y));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(area.left(), y - lineHeight / 2, tickWidth, lineHeight),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(value, 'f', axis.decimals));
    }
    const qreal zero = yOf(0);
    painter.setPen(QPen(Qt::black, 0.2 * mm));
    painter.drawLine(QPointF(plotLeft, plotTop), QPointF(plotLeft, plotBottom));
    painter.drawLine(QPointF(plotLeft, zero), QPointF(plotRight, zero));

    for (qsizetype i = 0; i < count; ++i) {
        const ChartPoint& point = data.points[i];
        const qreal left = plotLeft + slot * qreal(i);
        const qreal centre = left + slot / 2;
        const qreal width = slot * 0.6;
        const qreal y = yOf(point.value);
        const QColor colour = chartColor(int(i));
        painter.setPen(QPen(colour.darker(140), 0.1 * mm));
        painter.setBrush(colour);
        painter.drawRect(QRectF(centre - width / 2, std::min(y, zero), width, std::abs(zero - y)));

        painter.setPen(Qt::black);
        const QString value = data.valueText(point.value);
        const bool below = point.value < 0;
        if (uprightValues) {
            painter.save();
            painter.translate(centre, below ? y + 0.5 * mm : y - 0.5 * mm);
            painter.rotate(-90);
            // After the turn x runs up the page: the value goes from the bar's end outwards.
            const QRectF box = below ? QRectF(-valueWidth, -lineHeight / 2, valueWidth, lineHeight)
                                     : QRectF(0, -lineHeight / 2, valueWidth, lineHeight);
            painter.drawText(box, (below ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, value);
            painter.restore();
        } else {
            const qreal width = metrics.horizontalAdvance(value) + mm;
            const QRectF box(centre - width / 2, below ? y + 0.5 * mm : y - lineHeight - 0.5 * mm, width, lineHeight);
            painter.drawText(box, Qt::AlignCenter, value);
        }

        const qreal labelTop = area.bottom() - labelBand + mm;
        if (upright) {
            const qreal length = labelBand - 2 * mm;
            painter.save();
            painter.translate(centre, labelTop);
            painter.rotate(-90);
            painter.drawText(QRectF(-length, -lineHeight / 2, length, lineHeight), Qt::AlignRight | Qt::AlignVCenter,
                             metrics.elidedText(point.label, Qt::ElideRight, length));
            painter.restore();
        } else {
            painter.drawText(QRectF(left, labelTop, slot, lineHeight), Qt::AlignHCenter | Qt::AlignTop, point.label);
        }
    }
    painter.setBrush(Qt::NoBrush);
}

void paintPie(QPainter& painter, const QRectF& area, const ChartData& data, const ChartFonts& fonts, qreal mm)
{
    const qreal top = drawTitle(painter, area, data.title, fonts.title, mm);
    const QRectF body(area.left(), top, area.width(), area.bottom() - top);
    const qreal diameter = std::min(body.height(), body.width() * 0.45);
    const QRectF circle(body.left() + 2 * mm, body.top() + (body.height() - diameter) / 2, diameter, diameter);

    const double total = data.positiveTotal();
    if (total > 0) {
        // From twelve o'clock, clockwise, in sixteenths of a degree.
        double start = 90 * 16;
        for (qsizetype i = 0; i < data.points.size(); ++i) {
            const double value = data.points[i].value;
            if (value <= 0)
                continue;
            const double span = -value / total * 360 * 16;
            painter.setPen(QPen(Qt::white, 0.3 * mm));
            painter.setBrush(chartColor(int(i)));
            painter.drawPie(circle, qRound(start), qRound(span));
            start += span;
        }
    } else {
        painter.setPen(QPen(QColor(160, 160, 160), 0.2 * mm));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(circle);
    }
    painter.setBrush(Qt::NoBrush);

    // The legend: colour, label, value and share, in as many columns as the height asks for.
    const QFontMetricsF metrics(fonts.text);
    const qreal rowHeight = metrics.height() * 1.5;
    const qsizetype count = data.points.size();
    if (count == 0)
        return;
    const qsizetype rowsFit = std::max<qsizetype>(1, qsizetype(body.height() / rowHeight));
    const qsizetype columns = (count + rowsFit - 1) / rowsFit;
    const qsizetype rows = std::min(count, rowsFit);
    const qreal legendLeft = circle.right() + 8 * mm;
    const qreal legendTop = body.top() + (body.height() - qreal(rows) * rowHeight) / 2;
    qreal labelWidth = 0;
    qreal valueWidth = 0;
    for (const ChartPoint& point : data.points) {
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(point.label));
        valueWidth = std::max(valueWidth, metrics.horizontalAdvance(data.valueText(point.value)));
    }
    const qreal percentWidth = metrics.horizontalAdvance(QStringLiteral("100.0%"));
    const qreal swatch = metrics.height() * 0.8;
    // As wide as its widest line, so values stay near their labels; narrower when space is short.
    const qreal natural = swatch + 1.5 * mm + labelWidth + 3 * mm + valueWidth + 2 * mm + percentWidth + 2 * mm;
    const qreal columnWidth = std::min(natural, (body.right() - legendLeft) / qreal(columns));

    painter.setFont(fonts.text);
    for (qsizetype i = 0; i < count; ++i) {
        const ChartPoint& point = data.points[i];
        const qreal x = legendLeft + columnWidth * qreal(i / rowsFit);
        const qreal y = legendTop + rowHeight * qreal(i % rowsFit);
        const QRectF box(x, y + (rowHeight - swatch) / 2, swatch, swatch);
        const QColor colour = chartColor(int(i));
        painter.setPen(QPen(colour.darker(140), 0.1 * mm));
        // A value without a slice keeps its colour only as an outline.
        if (point.value > 0)
            painter.fillRect(box, colour);
        painter.drawRect(box);

        painter.setPen(Qt::black);
        const qreal right = x + columnWidth - 2 * mm;
        const QRectF percentBox(right - percentWidth, y, percentWidth, rowHeight);
        const QRectF valueBox(percentBox.left() - 2 * mm - valueWidth, y, valueWidth, rowHeight);
        const qreal labelLeft = box.right() + 1.5 * mm;
        const qreal labelWidth = std::max<qreal>(0, valueBox.left() - 2 * mm - labelLeft);
        painter.drawText(QRectF(labelLeft, y, labelWidth, rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(point.label, Qt::ElideRight, labelWidth));
        painter.drawText(valueBox, Qt::AlignRight | Qt::AlignVCenter, data.valueText(point.value));
        painter.drawText(percentBox, Qt::AlignRight | Qt::AlignVCenter, data.percentText(int(i)));
    }
}

} // namespace

void paintChart(QPainter& painter, const QRectF& area, const ReportChart& chart, const ChartFonts& fonts,
                qreal dotsPerMm)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (chart.kind == ChartKind::Bar)
        paintBars(painter, area, chart.data, fonts, dotsPerMm);
    else
        paintPie(painter, area, chart.data, fonts, dotsPerMm);
    painter.restore();
}

} // namespace tkd::gui
