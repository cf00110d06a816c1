#include "Deliveries.h"

#include <algorithm>

namespace tkd::demo {
namespace {

// Deliveries are taken in and posted first thing in the morning, before the day's first sale;
// a return of part of one is posted ten minutes later.
constexpr int kDeliverySecond = 8 * 3600 + 30 * 60;
constexpr int kReturnSecond = kDeliverySecond + 600;
constexpr int kLinesPerPosting = 20;

struct Out {
    Moment at;
    int quantity;
};

struct PlannedLine {
    Moment at;
    bool supplierReturn;
    int goods;
    int quantity;
};

} // namespace

void planDeliveries(Hall& hall)
{
    const Assortment& goods = hall.goods;
    hall.openingStock.assign(size_t(goods.count()), 0);
    std::vector<std::vector<Out>> outs(size_t(goods.count()));
    auto take = [&](Moment at, int g, int quantity) {
        if (goods[g].counted)
            outs[size_t(g)].push_back({at, quantity});
    };
    for (const Member& m : hall.members) {
        for (const Checkout& c : m.checkouts)
            for (const SaleLine& l : c.lines)
                take(c.at, l.goods, l.quantity);
        for (const Exchange& e : m.exchanges)
            if (e.goods != kMembershipDays)
                take(e.at, e.goods, e.quantity);
    }

    std::vector<PlannedLine> lines;
    for (int g = 0; g < goods.count(); ++g) {
        const GoodsItem& item = goods[g];
        if (!item.counted)
            continue;
        std::vector<Out>& sold = outs[size_t(g)];
        std::sort(sold.begin(), sold.end(), [](const Out& a, const Out& b) { return a.at < b.at; });
        // Goods for points are kept on the shelf by the carton, so that a member can always have one.
        const int reserve = item.exchangeable() ? kRewardShelf : 0;
        int stock = item.pack + reserve;
        hall.openingStock[size_t(g)] = stock;
        if (sold.empty())
            continue;
        // The buyer orders as sales add up: the delivery mornings are the days of evenly spaced
        // sales in the item's list (the first one's among them), one a day at most. Sales crowd into
        // the recent months, where many such sales fall on one day: more are spaced until the days
        // are as many as the deliveries wanted, or every sale has been taken.
        const size_t deliveries = size_t(std::max(1, item.deliveries));
        std::vector<QDate> days;
        for (size_t spread = deliveries;; spread += spread / 4 + 1) {
            days.clear();
            for (size_t k = 0; k < std::min(spread, sold.size()); ++k) {
                const QDate day = dayOf(sold[k * sold.size() / std::min(spread, sold.size())].at);
                if (days.empty() || days.back() != day)
                    days.push_back(day);
            }
            if (days.size() >= deliveries || spread >= sold.size())
                break;
        }
        size_t next = 0;
        for (size_t k = 0; k < days.size(); ++k) {
            const Moment at = momentOf(days[k], kDeliverySecond);
            const Moment until = momentOf(k + 1 < days.size() ? days[k + 1] : hall.today.addDays(1), 0);
            int need = 0;
            size_t end = next;
            while (end < sold.size() && sold[end].at < until)
                need += sold[end++].quantity;
            // A fifth more than the days ahead will sell, so the shelf is rarely bare when the van comes.
            const int wanted = need + need / 5 + reserve - stock;
            if (wanted > 0) {
                const int quantity = (wanted + item.pack - 1) / item.pack * item.pack;
                lines.push_back({at, false, g, quantity});
                stock += quantity;
                // Now and then a few of a delivery are damaged and go back at once.
                const int spare = stock - need;
                if (spare > 0 && (size_t(g) + k) % 97 == 0) {
                    const int back = std::min(spare, item.pack);
                    lines.push_back({at - kDeliverySecond + kReturnSecond, true, g, back});
                    stock -= back;
                }
            }
            stock -= need;
            next = end;
        }
    }
    std::sort(lines.begin(), lines.end(), [](const PlannedLine& a, const PlannedLine& b) {
        if (a.at != b.at)
            return a.at < b.at;
        if (a.supplierReturn != b.supplierReturn)
            return !a.supplierReturn;
        return a.goods < b.goods;
    });
    for (const PlannedLine& line : lines) {
        const bool fresh = hall.postings.empty() || hall.postings.back().at != line.at ||
                           hall.postings.back().supplierReturn != line.supplierReturn ||
                           int(hall.postings.back().lines.size()) >= kLinesPerPosting;
        if (fresh)
            hall.postings.push_back({line.at, line.supplierReturn, {}});
        hall.postings.back().lines.push_back({line.goods, line.quantity});
    }
}

} // namespace tkd::demo
