#pragma once

#include "DemoHall.h"
#include "Plan.h"
#include "Random.h"

namespace tkd::demo {

// One locker per four members plus four; about one member in five rents one. The fixed cases show a
// current rental and one about to end.
int lockerCount(int members);
// A large hall (size.lockers set) has that many lockers; a third of its current rentals were renewed
// once, and its free lockers saw size.lockerReturns rentals given back and size.temporaryRentals
// rentals for the day, each returned a few hours later, over the past year.
void planLockers(Rng& rng, Hall& hall, const HallSize& size);

// Every locker as the register's batch adds it, free, then a few marked broken, before anyone rents.
void writeLockerSetup(Books& books);
// A member's current rental through the program's own rental operation.
void writeRental(Books& books, const Member& m);
// A rental, renewal or return through the program's own operations.
void writeLockerEvent(Books& books, const LockerEvent& event);

} // namespace tkd::demo
