#pragma once

#include "Plan.h"

namespace tkd::demo {

// The stock of the goods counted in it, once every member's sales and exchanges are planned: an
// opening stock of one order, the drinks delivered a week after opening, two children's suits sent
// back to the supplier three weeks in, and a purchase the morning after an item runs low (earlier
// when a day's sales would empty it), so that no item is ever sold out of stock. An order is about
// a month of what the item sells, in whole packs.
void planStock(Hall& hall);

// One posting as the purchase (return) window posts its work list: the lines entered, then posted
// together, each moving its item's stock through the stock ledger.
void writePosting(Books& books, const Posting& posting);

} // namespace tkd::demo
