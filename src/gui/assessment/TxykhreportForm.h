#pragma once

#include "kit/report/Report.h"

namespace tkd {
class ResultSet;
}

namespace tkd::gui {

// "学员考核成绩表": the results as filtered, A4, with the fee total and the number of rows.
class TxykhreportForm {
public:
    static QString caption() { return QStringLiteral("学员考核成绩表"); }
    static Report build(const ResultSet& results);
};

} // namespace tkd::gui
