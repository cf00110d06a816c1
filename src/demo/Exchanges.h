#pragma once

#include "Plan.h"
#include "Random.h"

namespace tkd::demo {

// Points spent on exchangeable goods some days after the last checkout, never more than the member
// holds: about one member in three with points does, every busy member once or twice.
void planExchanges(Rng& rng, Hall& hall, Member& m);

// One exchanged line as the exchange basket saves it: the stock and its ledger row, then the line.
void writeExchange(Books& books, const Member& m, const Exchange& exchange);

} // namespace tkd::demo
