#pragma once

#include "Plan.h"
#include "Random.h"

namespace tkd::demo {

// One locker per four members plus four; about one member in five rents one. The fixed cases show a
// current rental and one about to end.
int lockerCount(int members);
void planLockers(Rng& rng, Hall& hall);

// Every locker as the set-up window adds it, free (a few broken), before anyone rents.
void writeLockerSetup(Books& books);
// A member's rental through the program's own rental operation.
void writeRental(Books& books, const Member& m);

} // namespace tkd::demo
