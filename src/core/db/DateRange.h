#pragma once

#include <QDate>
#include <QDateTime>

namespace tkd {

// The moments a range of whole days covers: the first day's 00:00:00 to the last day's
// 23:59:59, the bounds every dated query of the program uses ("rq1"/"rq2", "time1"/"time2").
struct DayRange {
    QDateTime first;
    QDateTime last;
};

// A last day before the first day gives a range that holds nothing, as the windows always did.
DayRange dayRange(const QDate& from, const QDate& to);
// One day.
inline DayRange dayRange(const QDate& day)
{
    return dayRange(day, day);
}

} // namespace tkd
