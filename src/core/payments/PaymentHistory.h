#pragma once

#include "db/Money.h"
#include "db/ResultSet.h"

#include <QDateTime>
#include <QString>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::payments {

// One member's payments, newest first, as the desk's grid and the printed history list them.
struct PaymentHistory {
    ResultSet rows;
    Money charged;      // sum of 充值金额
    Money discount;     // sum of 优惠金额
    QString printedAt;  // "yyyy-MM-dd hh:mm:ss"
    QString memberLine; // card number, two spaces, name
};
PaymentHistory paymentHistory(TvelunDMForm& dm, const QString& cardNumber, const QDateTime& now);

} // namespace tkd::payments
