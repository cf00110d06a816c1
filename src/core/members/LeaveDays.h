#pragma once

#include <QDate>
#include <QString>
#include <optional>
#include <utility>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::members {

// The days a leave counts, and so moves the expiry by: from the first day to the last, without
// the last (the 1st to the 31st is 30). A last day before the first gives a negative count.
qint64 leaveDays(const QDate& start, const QDate& end);

// Whether a leave keeps the member away on the day: both its first and its last day are part of
// it, whatever time of day its dates were stored with.
bool onLeave(const QDate& start, const QDate& end, const QDate& day);

// The member's first leave (in the table's order) that covers the day, if any: the one rule the
// desk's warning line, the check-in and the leave windows share.
std::optional<std::pair<QDate, QDate>> leaveCovering(TvelunDMForm& dm, const QString& cardNumber, const QDate& day);

} // namespace tkd::members
