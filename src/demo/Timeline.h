#pragma once

#include "Plan.h"

namespace tkd::demo {

// Writes every member's history (registration, payments, visits, checkouts, leave, coaching,
// exchanges, locker rentals) in the order it happened across the whole hall, so that the rows of
// each dated table lie in the file in time order, as in a hall's own file.
void writeHistory(Books& books);

} // namespace tkd::demo
