#pragma once

#include "kit/report/Report.h"

#include <QDateTime>

namespace tkd {
class ResultSet;
}

namespace tkd::gui {

// "衣柜状态统计": the management window's lockers as filtered, on A4.
class TygztreportForm {
public:
    static Report build(const ResultSet& lockers, const QString& state, const QDateTime& printedAt);
};

} // namespace tkd::gui
