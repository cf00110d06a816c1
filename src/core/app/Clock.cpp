#include "Clock.h"

namespace tkd {

QDateTime Clock::now() const
{
    // Whole seconds: stored moments carry no fractions, so now() compares equal to what was written.
    const QDateTime moment = QDateTime::currentDateTime();
    return QDateTime(moment.date(), QTime(moment.time().hour(), moment.time().minute(), moment.time().second()));
}

} // namespace tkd
