#pragma once

#include "DemoHall.h"
#include "Plan.h"
#include "Random.h"

namespace tkd::demo {

// Points spent on exchangeable goods some days after the last checkout, never more than the member
// holds: about one member in three with points does, every busy member once or twice.
void planExchanges(Rng& rng, Hall& hall, Member& m);

// A large hall's exchanges (HallSize::exchanges), once every member's checkouts are planned: four to
// eight for each busy member, the rest shared among the members with points enough, each line after
// the member's checkouts and earlier exchanges, of one to three of an item the member can afford.
void planLargeExchanges(Rng& rng, Hall& hall, const HallSize& size);

// Membership days bought with points at the hall's rate (Hall::pointsPerExchange buy daysPerExchange
// days), after the member's checkouts and exchanges: by every busy member and by `percent` in a hundred
// of the others whose day card is in use, who hold twice the rate's points or more. One to three times
// the rate's points, now and then half as many again, half the member's points at most; the expiry
// moves by the days bought.
void planMembershipDays(Rng& rng, Hall& hall, int percent);

// One exchanged line as the exchange basket saves it: for goods the stock and its ledger row, then the
// line; for membership days the line alone, its remark naming the days and the expiry they reached.
void writeExchange(Books& books, const Member& m, const Exchange& exchange);

} // namespace tkd::demo
