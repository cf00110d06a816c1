#pragma once

#include "kit/report/Report.h"

namespace tkd {
class ResultSet;
}

namespace tkd::gui {

// "购买私教汇总表": the open-lesson summary as filtered, A4.
class TgmsjhzreportForm {
public:
    static Report build(const ResultSet& summary);
};

} // namespace tkd::gui
