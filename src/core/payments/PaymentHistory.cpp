#include "PaymentHistory.h"

#include "data/TvelunDMForm.h"

namespace tkd::payments {

PaymentHistory paymentHistory(TvelunDMForm& dm, const QString& cardNumber, const QDateTime& now)
{
    PaymentHistory h;
    const QString card = cardNumber.trimmed();
    h.rows = dm.open(QStringLiteral("ADOQ_hyczjl"), {{QStringLiteral("hykh"), card}});
    for (int i = 0; i < h.rows.rowCount(); ++i) {
        h.charged += h.rows.value(i, QStringLiteral("充值金额")).toMoney();
        h.discount += h.rows.value(i, QStringLiteral("优惠金额")).toMoney();
    }
    const ResultSet member = dm.open(QStringLiteral("ADOQ_hykhxx"), {{QStringLiteral("hykh"), card}});
    h.printedAt = now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    h.memberLine = card + QStringLiteral("  ") + member.first(QStringLiteral("会员姓名")).toText();
    return h;
}

} // namespace tkd::payments
