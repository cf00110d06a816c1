#pragma once

#include "DemoHall.h"
#include "Plan.h"
#include "Random.h"

namespace tkd::demo {

// Shares the hall's visits among the members: each busy member gets the busiest count, the rest go
// in proportion to the members' weights, so the total is exact.
void shareVisits(std::vector<Member>& members, const HallSize& size);

// The moments of the member's visits, oldest first: the first opens the card, none falls on a leave,
// after the expiry or on a day or hour the card refuses.
void planVisits(Rng& rng, Member& m, const QDate& today);

// One check-in row, as the desk writes it.
void writeVisit(Books& books, const Member& m, Moment at);

} // namespace tkd::demo
