#pragma once

#include "Plan.h"

namespace tkd::demo {

// The member's leave (planned with the member's dates, Members.cpp), as the leave window records it.
void writeLeave(Books& books, const Member& m);

} // namespace tkd::demo
