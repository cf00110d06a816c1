#pragma once

#include "db/DateRange.h"
#include "db/Filter.h"
#include "db/ResultSet.h"

#include <QString>
#include <QStringList>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::members {

// The leave list ("会员请假管理"): every column of the leaves recorded within the days, newest first.
ResultSet leaveList(TvelunDMForm& dm, const DayRange& recorded);

// The list's columns no grid shows: the row's identity and the days it moved the expiry.
QStringList leaveListHidden();

// "会员卡号或姓名：": the card number or the name containing the typed text literally (a quote or "*"
// is just a character); blank text gives no filter.
Filter leaveSearch(const QString& text);

// The list as "查询" shows it: the days read, then narrowed by the text.
ResultSet queryLeaves(TvelunDMForm& dm, const DayRange& recorded, const QString& text);

} // namespace tkd::members
