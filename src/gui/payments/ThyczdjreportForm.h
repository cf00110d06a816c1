#pragma once

#include "kit/report/Report.h"
#include "payments/PaymentSaving.h"

namespace tkd::gui {

// "会员交费单据": the 58 mm receipt of one payment.
class ThyczdjreportForm {
public:
    static QString caption() { return QStringLiteral("会员交费单据"); }
    static Report build(const payments::Receipt& receipt);
};

} // namespace tkd::gui
