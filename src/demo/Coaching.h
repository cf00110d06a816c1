#pragma once

#include "Plan.h"
#include "Random.h"

namespace tkd::demo {

// A package of private lessons (bought, now and then given) and the lessons booked against it on
// later days, never more than it holds nor after its last valid day. About one member in eight; every
// busy member, with lessons still open.
void planCoaching(Rng& rng, const QDate& today, Member& m);

// The package row as the purchase window saves it.
void writePackage(Books& books, const Member& m, int index);
// One lesson row and the package's lessons left, as the lesson window books it.
void writeLesson(Books& books, const Member& m, const Lesson& lesson);

} // namespace tkd::demo
