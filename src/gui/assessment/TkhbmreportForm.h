#pragma once

#include "assessment/Results.h"
#include "kit/report/Report.h"

namespace tkd::gui {

// "考核报名": the fee receipt "考级收款单" of one result.
class TkhbmreportForm {
public:
    static QString caption() { return QStringLiteral("考核报名"); }
    static Report build(const assessment::Receipt& receipt);
};

} // namespace tkd::gui
