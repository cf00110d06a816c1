#include "Payments.h"

#include "Reference.h"
#include "payments/PaymentSaving.h"

#include <algorithm>

namespace tkd::demo {

void planPayments(Rng& rng, Member& m, const QDate& today)
{
    const CardTypeSpec& type = cardType(m.type);
    const QDate since = m.opened.isValid() ? m.opened : m.joined;
    const Money price = Money::fromYuan(type.price);
    if (type.visits > 0)
        m.periods = std::max(1, (m.visitCount + type.visits - 1) / type.visits);
    m.payments.push_back({m.joinedAt, PaymentKind::Registration, price, Money()});
    const qint64 spanDays = since.daysTo(today);
    for (int p = 1; p < m.periods; ++p) {
        const QDate day = type.days > 0 ? m.opened.addDays(qint64(p) * type.days - rng.between(0, 5))
                                        : since.addDays(spanDays * p / m.periods);
        m.payments.push_back({momentOf(std::min(day, today), rng.between(9 * 3600, 20 * 3600 - 1)),
                              PaymentKind::Renewal, price, Money()});
    }
    if (type.visits > 0 && rng.chance(12)) {
        m.extraVisits = 5;
        m.payments.push_back({momentOf(since.addDays(spanDays / 2), rng.between(9 * 3600, 20 * 3600 - 1)),
                              PaymentKind::Custom, Money::fromYuan(250), Money()});
    }
    if (m.busy || rng.chance(25)) {
        static const int amounts[] = {500, 1000, 2000};
        const Money amount = Money::fromYuan(m.busy ? 2000 : rng.pick(amounts));
        m.balance = amount;
        m.payments.push_back({m.joinedAt + 600, PaymentKind::Deposit, amount, amount.times(0.1)});
    }
}

void writePayment(Books& books, const Member& m, const PlannedPayment& payment)
{
    const QString typeName = QString::fromUtf16(cardType(m.type).name);
    QString kind;
    QString remark;
    switch (payment.kind) {
    case PaymentKind::Registration:
        kind = QStringLiteral("续费等级：") + typeName;
        remark = QStringLiteral("添加会员时续费");
        break;
    case PaymentKind::Renewal:
        kind = QStringLiteral("交费等级：") + typeName;
        break;
    case PaymentKind::Custom:
        kind = QStringLiteral("自定义续费");
        remark = QStringLiteral("加购五次");
        break;
    case PaymentKind::Deposit:
        kind = QStringLiteral("会员交费");
        break;
    }
    payments::recordPayment(
        {books.dm, operatorAt(payment.at), dateTimeOf(payment.at)}, m.card, m.name,
        {payment.amount, payment.discount, payment.amount - payment.discount, kind, m.payMethod, remark});
}

} // namespace tkd::demo
