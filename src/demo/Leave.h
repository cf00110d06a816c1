#pragma once

#include "DemoHall.h"
#include "Plan.h"
#include "Random.h"

namespace tkd::demo {

// Leave beyond what planMember gives (see HallSize::leaves), once every member and their visits'
// share are planned and before the visits themselves, which keep off every leave. Each leave is
// recorded a few days before it starts, after the leave before it, and moves the stored expiry of a
// card that has one by its days (顺延天数); a card that has not ended stays in use, an ended one stays
// ended. A demo hall gets the one leave still to come; a large hall its leaves, busy members'
// replaced by busiestLeaves shorter ones, spaced over their year, the other members' in proportion to
// the days their cards have run.
void planLeaves(Rng& rng, Hall& hall, const HallSize& size);

// One leave as the leave window records it.
void writeLeave(Books& books, const Member& m, const Leave& leave);

} // namespace tkd::demo
