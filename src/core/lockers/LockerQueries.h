#pragma once

#include "db/DateRange.h"
#include "db/Filter.h"
#include "db/Money.h"
#include "db/ResultSet.h"

#include <QString>
#include <QStringList>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::lockers {

// The management window's choices; the first entry of each means no filter.
inline const QString kAll = QStringLiteral("所有");
QStringList stateChoices();  // "所有", "可用", "已租", "损坏", "占用"
QStringList recordChoices(); // "所有", "租用", "退柜"

// Every locker with its renter, by number ("衣柜状态").
ResultSet lockerStates(TvelunDMForm& dm);
// The state chosen (none for "所有") and the number containing the typed text, literally.
Filter stateFilter(const QString& state, const QString& number);

// The rental and return records written within the days, by locker number ("衣柜出租记录").
ResultSet rentalRecords(TvelunDMForm& dm, const DayRange& days);
// The kind chosen ("租用", "退柜"; none for "所有") and the number containing the typed text.
Filter recordFilter(const QString& kind, const QString& number);

// What the records shown add up to: rents taken and deposits taken less those paid back.
struct RecordTotals {
    Money rent;
    Money deposit;
};
RecordTotals recordTotals(const ResultSet& shown);

} // namespace tkd::lockers
