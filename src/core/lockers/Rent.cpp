#include "Rent.h"

namespace tkd::lockers {

QDate defaultRentalEnd(const QDate& today)
{
    return today.addDays(30);
}

QDate defaultRenewalEnd(const QDate& currentEnd)
{
    return currentEnd.addDays(90);
}

Outcome<Money> amountFromText(const QString& text, const QString& caption, const QString& field)
{
    const QString trimmed = text.trimmed();
    Money amount;
    if (!trimmed.isEmpty() && !Money::parse(trimmed, &amount))
        return Refusal::error(caption + QStringLiteral("必须是金额！"), field);
    if (amount < Money())
        return Refusal::warning(caption + QStringLiteral("不能为负数，请重新输入！"), field);
    return amount;
}

Outcome<Money> rentFromText(const QString& text)
{
    return amountFromText(text, QStringLiteral("租金"), rentField);
}

Money rentalTotal(const Money& deposit, const QString& rentText)
{
    const Outcome<Money> rent = rentFromText(rentText);
    return rent.ok() ? deposit + rent.value() : deposit;
}

} // namespace tkd::lockers
