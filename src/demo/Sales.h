#pragma once

#include "Plan.h"
#include "Random.h"

namespace tkd::demo {

// Checkouts at the desk, oldest first: paid from the stored value while it lasts, otherwise in cash
// or by credit card. Adds to the member's spending and points and to the hall's goods sold. About
// two members in five buy something; a busy member buys two to four times, protective gear first.
void planSales(Rng& rng, Hall& hall, Member& m);

// The rows of one checkout in the checkout's order: the payment row, then per line the stock and its
// ledger row (goods counted in stock) and the sales row.
void writeCheckout(Books& books, const Member& m, const Checkout& checkout);

// The caption of a means of payment, as 会员消费.付款方式 holds it.
QString meansCaption(Means means);

} // namespace tkd::demo
