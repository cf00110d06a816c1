#pragma once

#include "kit/report/Report.h"

namespace tkd {
class ResultSet;
}

namespace tkd::gui {

// The printed staff list ("员工信息列表"), of the rows the list shows.
class TygxxreportForm {
public:
    static Report build(const ResultSet& staff);
};

} // namespace tkd::gui
