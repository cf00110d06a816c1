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

// An amount as typed into a locker window: blank is 0; text that is no amount is refused with
// caption + "必须是金额！" (error icon), an amount below zero with caption +
// "不能为负数，请重新输入！" (warning icon), both focusing the field named.
Outcome<Money> amountFromText(const QString& text, const QString& caption, const QString& field);

// The rent as typed, read as amountFromText reads it ("租金必须是金额！"), focus on rentField.
inline const QString rentField = QStringLiteral("rent");
Outcome<Money> rentFromText(const QString& text);

// "金额合计：" of a rental: deposit plus rent, the rent read as rentFromText reads it while
// the operator is still typing (an unfinished amount counts as 0).
Money rentalTotal(const Money& deposit, const QString& rentText);

} // namespace tkd::lockers
