#pragma once

#include "db/DateRange.h"
#include "db/Filter.h"
#include "db/ResultSet.h"

#include <QString>
#include <QStringList>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::coaching {

// The card number that names nobody: a member list read for it shows its columns and no rows.
inline const QString kNoMember = QStringLiteral("XXXYYYZZZ");

// Open lessons per member, coach and item (会员卡号, 会员姓名, 教练姓名, 项目名称, 数量), by card number.
ResultSet openSummary(TvelunDMForm& dm);
// Every package of one member, newest purchase first.
ResultSet memberPackages(TvelunDMForm& dm, const QString& cardNumber);
// Packages bought within the days (gifts included), newest first.
ResultSet purchases(TvelunDMForm& dm, const DayRange& days);
// Lessons booked within the days, newest first.
ResultSet lessons(TvelunDMForm& dm, const DayRange& days);
// The purchase window's history of one member.
ResultSet purchaseHistory(TvelunDMForm& dm, const QString& cardNumber);
// The booking window's list: the member's packages with lessons left, oldest first (编号 and 单价
// are there for the window to keep).
ResultSet openPackages(TvelunDMForm& dm, const QString& cardNumber);

// The management window's three filters: the card number containing the typed text literally,
// the coach (in coachColumn) and the item equal to the chosen entries; empty inputs add nothing.
Filter listFilter(const QString& cardText, const QString& coach, const QString& item,
                  const QString& coachColumn = QStringLiteral("教练姓名"));

} // namespace tkd::coaching
