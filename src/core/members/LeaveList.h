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

// The leave list ("会员请假管理"): every column of the leaves recorded within the days, newest first;
// with text, only those whose card number or name contains it (see leaveSearch), chosen by the
// engine so that a year of leaves is never read whole for a few rows.
ResultSet leaveList(TvelunDMForm& dm, const DayRange& recorded, const QString& text = {});

// The list's columns no grid shows: the row's identity and the days it moved the expiry.
QStringList leaveListHidden();

// "会员卡号或姓名：": the card number or the name containing the typed text literally (a quote or "*"
// is just a character); blank text gives no filter.
Filter leaveSearch(const QString& text);

// The list as "查询" shows it: the days and the text applied.
ResultSet queryLeaves(TvelunDMForm& dm, const DayRange& recorded, const QString& text);

} // namespace tkd::members
