#pragma once

#include "kit/report/Report.h"

#include <QDate>
#include <QDateTime>

namespace tkd {
class ResultSet;
}

namespace tkd::gui::coachingreport {

// A column's sum over the rows as filtered, as the grid shows such a value.
QString total(const ResultSet& rows, const QString& column, bool money);
// caption + first day + " 至 " + last day, then "打印时间：" + the moment of printing.
void addPeriod(Report& report, const QString& caption, const QDate& from, const QDate& to, const QDateTime& printed);

} // namespace tkd::gui::coachingreport
