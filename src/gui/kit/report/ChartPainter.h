#pragma once

#include "kit/report/Report.h"

#include <QFont>
#include <QRectF>

class QPainter;

namespace tkd::gui {

struct ChartFonts {
    QFont title;
    QFont text;
};

// Draws a report's chart into the area, in the units the painter is set up for (dotsPerMm of
// them to the millimetre). Every label and value is drawn as text, so a printed or saved
// chart reads back like the rest of the report.
void paintChart(QPainter& painter, const QRectF& area, const ReportChart& chart, const ChartFonts& fonts,
                qreal dotsPerMm);

} // namespace tkd::gui
