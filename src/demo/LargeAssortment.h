#pragma once

#include "Plan.h"

namespace tkd::demo {

// A large shop's catalogue, as a hall that sells much more than its own gear builds up over the
// years: `categories` categories under twelve top-level ones, up to five levels deep, and `items`
// goods in the categories without children. A tenth are services (under 服务项目, not counted in
// stock), two thirds are goods counted in stock, the rest goods sold without counting stock.
// Sales favour a few goods: by rank within its kind an item sells in proportion to 1 / (rank + 10),
// and goods counted in stock make about four lines in five. The best-selling goods are delivered
// about every other day, the rest less often the less they sell (see GoodsItem::deliveries).
// The same arguments always give the same catalogue.
Assortment largeAssortment(int items, int categories, int checkoutsPerMember);

} // namespace tkd::demo
