#pragma once

#include "kit/report/Report.h"

#include <QDate>
#include <QDateTime>

namespace tkd {
class ResultSet;
}

namespace tkd::gui {

// "衣柜出租记录": the management window's rental records as filtered, with their totals, on A4.
class TygczreportForm {
public:
    static Report build(const ResultSet& records, const QDate& from, const QDate& to, const QDateTime& printedAt);
};

} // namespace tkd::gui
