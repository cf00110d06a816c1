#pragma once

#include "kit/report/Report.h"

namespace tkd {
class ResultSet;
}

namespace tkd::gui {

// The printed goods list ("商品信息列表"), A4 upright, of the rows the catalogue shows.
class TspxxreportForm {
public:
    static Report build(const ResultSet& goods);
};

} // namespace tkd::gui
