#pragma once

#include "Plan.h"
#include "Random.h"

namespace tkd::demo {

// The card's first period paid at registration, one renewal per further period, now and then a
// custom renewal of a count card, and stored value for about one member in four (every busy one).
void planPayments(Rng& rng, Member& m, const QDate& today);

// One 会员充值 row, through the program's own payment record.
void writePayment(Books& books, const Member& m, const PlannedPayment& payment);

} // namespace tkd::demo
