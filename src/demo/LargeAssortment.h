#pragma once

#include "Plan.h"

namespace tkd::demo {

// A large shop's catalogue, as a hall that sells much more than its own gear builds up over the
// years: `categories` categories under twelve top-level ones, up to five levels deep, and `items`
// goods in the categories without children. A tenth are services (under 服务项目, not counted in
// stock), two thirds are goods counted in stock, the rest goods sold without counting stock.
// Sales favour a few goods: by rank within its kind an item sells in proportion to 1 / (rank + 10),
// and goods counted in stock make about 85 lines in 100. Goods are bought by the piece; the best
// sellers are on the delivery list up to 250 mornings, the rest less often the less they sell (see
// GoodsItem::deliveries and Deliveries.h). `exchangeable` goods counted in stock, at most 50 yuan
// each, may be had for points, two points a yuan (four at least).
// The same arguments always give the same catalogue.
Assortment largeAssortment(int items, int categories, int checkoutsPerMember, int exchangeable = 50);

} // namespace tkd::demo
