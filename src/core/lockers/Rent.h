#pragma once

#include "app/Outcome.h"
#include "db/Money.h"

#include <QDate>
#include <QString>

namespace tkd::lockers {

// A new rental runs 30 days from today unless the operator changes the end.
QDate defaultRentalEnd(const QDate& today);
// A renewal moves the current end on by 90 days unless the operator changes it.
QDate defaultRenewalEnd(const QDate& currentEnd);

// The rent as typed: blank is 0; anything else that is no amount is refused with
// "租金必须是金额！" (error icon, focus on the field named rentField).
inline const QString rentField = QStringLiteral("rent");
Outcome<Money> rentFromText(const QString& text);

// "金额合计：" of a rental: deposit plus rent, the rent read as rentFromText reads it while
// the operator is still typing (an unfinished amount counts as 0).
Money rentalTotal(const Money& deposit, const QString& rentText);

} // namespace tkd::lockers
