#pragma once

#include "Plan.h"

namespace tkd::demo {

// A passed result for every level a member holds, on the day of the visit that reached it; a member
// in ten with a level also tried the next one this month and failed, so the month's list is never empty.
void writeAssessments(Books& books);

} // namespace tkd::demo
