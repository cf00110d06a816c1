#pragma once

#include "kit/report/Report.h"

#include <QDateTime>

namespace tkd {
class ResultSet;
}

namespace tkd::gui {

// "私教消费记录": the lessons of the chosen days as filtered, A4.
class TsjxfreportForm {
public:
    static Report build(const ResultSet& lessons, const QDate& from, const QDate& to, const QDateTime& printed);
};

} // namespace tkd::gui
