#pragma once

#include "kit/report/Report.h"
#include "payments/PaymentHistory.h"

namespace tkd {
class TvelunDMForm;
}

namespace tkd::gui {

// "会员充值记录": one member's payment history on A4, with its sums.
class ThyczjlreportForm {
public:
    static Report build(const payments::PaymentHistory& history);
    // The desk's "打印" button: the history of the member shown.
    static Report forMember(TvelunDMForm& dm, const QString& cardNumber, const QDateTime& now);
};

} // namespace tkd::gui
