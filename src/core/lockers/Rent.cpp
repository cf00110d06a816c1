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

Outcome<Money> rentFromText(const QString& text)
{
    const QString trimmed = text.trimmed();
    Money rent;
    if (!trimmed.isEmpty() && !Money::parse(trimmed, &rent))
        return Refusal::error(QStringLiteral("租金必须是金额！"), rentField);
    return rent;
}

Money rentalTotal(const Money& deposit, const QString& rentText)
{
    const Outcome<Money> rent = rentFromText(rentText);
    return rent.ok() ? deposit + rent.value() : deposit;
}

} // namespace tkd::lockers
