#include "DateRange.h"

namespace tkd {

DayRange dayRange(const QDate& from, const QDate& to)
{
    return {QDateTime(from, QTime(0, 0, 0)), QDateTime(to, QTime(23, 59, 59))};
}

} // namespace tkd
