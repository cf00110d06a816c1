#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::settings {
struct OtherSettings;
}

namespace tkd::reminders {

// Days from the start of today to the moment, with the fraction a stored time of day gives.
double daysFromToday(const QDate& today, const QDateTime& moment);

// This year's birthday from "mm-dd"; none for "00-00" or a day the year lacks (29 February).
std::optional<QDate> birthdayThisYear(const QString& monthDay, const QDate& today);
// Due from today up to lead days ahead; the year never rolls over.
bool birthdayDue(const QString& monthDay, const QDate& today, int leadDays);
// Due when at most lead days away, already passed included (memberships and lockers alike).
bool expiryDue(const QDateTime& expiry, const QDate& today, int leadDays);
bool gradingDue(int lessonsLeft, int threshold);

// Event reminders: kind 0 once (that date), 1 daily, 2 monthly on the day, 3 yearly on the date.
bool eventDue(int kind, const QString& when, const QDate& today);
// "一次性提醒", "每天提醒", "每月提醒", "每年提醒".
QString kindLabel(int kind);

// Refills 会员提醒 for one member: birthday, membership, locker, then events in kind order.
void buildMemberReminders(TvelunDMForm& dm, const QString& cardNumber, const QDate& today);
// The same with the lead days already read (the desk's swipe reads them once).
void buildMemberReminders(TvelunDMForm& dm, const QString& cardNumber, const QDate& today,
                          const settings::OtherSettings& lead);

} // namespace tkd::reminders
