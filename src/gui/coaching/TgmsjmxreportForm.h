#pragma once

#include "kit/report/Report.h"

#include <QDateTime>

namespace tkd {
class ResultSet;
}

namespace tkd::gui {

// "会员私教明细表": the purchases of the chosen days as filtered, A4.
class TgmsjmxreportForm {
public:
    static Report build(const ResultSet& purchases, const QDate& from, const QDate& to, const QDateTime& printed);
};

} // namespace tkd::gui
