#pragma once

#include "Plan.h"
#include "Random.h"

namespace tkd::demo {

// A package of private lessons (bought, now and then given) and the lessons booked against it on
// later days, never more than it holds nor after its last valid day. About one member in eight; every
// busy member, with lessons still open.
void planCoaching(Rng& rng, const QDate& today, Member& m);

// A large hall's coaching, all within the past year: a busy member holds three packages of twenty
// with ten lessons booked on each; another member buys one with the chance given (in ten-thousandths):
// ten, twenty or thirty lessons, a fifth of them given, some ending 180 days on (so expired by
// now), one in ten booked to the last lesson, the others up to bookedShare (per mille) of their lessons.
void planLargeCoaching(Rng& rng, const QDate& today, Member& m, int chance, int bookedShare);

// The package as the purchase window saves it, through the program's purchase operation.
void writePackage(Books& books, const Member& m, int index);
// One lesson and the package's lessons left, through the program's booking operation.
void writeLesson(Books& books, const Member& m, const Lesson& lesson);

} // namespace tkd::demo
