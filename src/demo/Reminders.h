#pragma once

#include "Plan.h"
#include "Random.h"

namespace tkd::demo {

// Event reminders, one per ten members plus four due today (one of each kind), as the reminder
// window enters them.
void writeReminders(Books& books, Rng& rng);

} // namespace tkd::demo
