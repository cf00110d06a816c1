#pragma once

#include "Plan.h"

namespace tkd::demo {

// What a large hall keeps on the shelf of each of its goods for points, beyond what they will sell.
constexpr int kRewardShelf = 400;

// The stock of a large catalogue, once every member's sales and exchanges are planned: each item
// counted in stock opens with one pack (goods for points with kRewardShelf more) and is delivered
// about GoodsItem::deliveries mornings (as many as it has days with sales at most), as its sales add
// up: on the days of evenly spaced sales in its list, one delivery a day at most. A delivery brings
// what the item will sell until the next one, plus a fifth and the shelf's reserve, in whole packs,
// less what is on the shelf; none comes when the shelf already holds enough, so no item is ever sold
// out of stock. Now and then part of a delivery goes back to the supplier the same morning. The lines
// of a morning are posted in postings of at most twenty lines, as a delivery note is entered.
void planDeliveries(Hall& hall);

} // namespace tkd::demo
