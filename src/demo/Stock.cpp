#include "Stock.h"

#include "Reference.h"
#include "goods/Purchasing.h"

#include <algorithm>

namespace tkd::demo {
namespace {

// Deliveries are taken in and posted first thing in the morning, before the day's first sale.
constexpr int kPostingSecond = 8 * 3600 + 30 * 60;
constexpr int kReturnedQuantity = 2;

enum class Move { Out, Delivery, Return };
struct Movement {
    Moment at;
    int goods;
    int quantity;
    Move move;
};

int wholePacks(int quantity, int pack)
{
    return std::max(1, (quantity + pack - 1) / pack) * pack;
}

} // namespace

void planStock(Hall& hall)
{
    const Assortment& goods = hall.goods;
    const int goodsCount = goods.count();
    std::vector<Movement> moves;
    std::vector<int> demand(size_t(goodsCount), 0);
    for (const Member& m : hall.members) {
        for (const Checkout& c : m.checkouts)
            for (const SaleLine& l : c.lines)
                if (goods[l.goods].counted)
                    moves.push_back({c.at, l.goods, l.quantity, Move::Out});
        for (const Exchange& e : m.exchanges)
            if (e.goods != kMembershipDays && goods[e.goods].counted)
                moves.push_back({e.at, e.goods, e.quantity, Move::Out});
    }
    for (const Movement& mv : moves)
        demand[size_t(mv.goods)] += mv.quantity;
    for (int g = 0; g < goodsCount; ++g)
        if (delivered(g))
            moves.push_back({momentOf(hall.setupDay.addDays(7), kPostingSecond), g, 0, Move::Delivery});
    moves.push_back(
        {momentOf(hall.setupDay.addDays(21), kPostingSecond + 600), kReturnedGoods, kReturnedQuantity, Move::Return});
    std::stable_sort(moves.begin(), moves.end(), [](const Movement& a, const Movement& b) { return a.at < b.at; });

    // An order is about thirty days of sales; an item runs low below a quarter of an order.
    const qint64 days = std::max<qint64>(1, hall.setupDay.daysTo(hall.today));
    std::vector<int> order(size_t(goodsCount), 0);
    std::vector<int> lowMark(size_t(goodsCount), 0);
    for (int g = 0; g < goodsCount; ++g) {
        if (!goods[g].counted)
            continue;
        order[size_t(g)] = wholePacks(int(qint64(demand[size_t(g)]) * 30 / days), goods[g].pack);
        lowMark[size_t(g)] = std::max(2, order[size_t(g)] / 4);
    }
    std::vector<int> stock = order;
    hall.openingStock = order;

    auto post = [&](Moment at, bool supplierReturn, int g, int quantity) {
        if (hall.postings.empty() || hall.postings.back().at != at ||
            hall.postings.back().supplierReturn != supplierReturn)
            hall.postings.push_back({at, supplierReturn, {}});
        hall.postings.back().lines.push_back({g, quantity});
        stock[size_t(g)] += supplierReturn ? -quantity : quantity;
    };
    std::vector<int> low;
    QDate lowDay;
    auto restock = [&]() {
        for (const int g : low)
            post(momentOf(lowDay.addDays(1), kPostingSecond), false, g, order[size_t(g)]);
        low.clear();
    };
    for (const Movement& mv : moves) {
        const QDate day = dayOf(mv.at);
        if (!low.empty() && day > lowDay)
            restock();
        const size_t g = size_t(mv.goods);
        if (mv.move == Move::Delivery) {
            post(mv.at, false, mv.goods, order[g]);
            continue;
        }
        // A day that would empty the shelf: more is bought in that morning.
        if (stock[g] < mv.quantity) {
            int quantity = order[g];
            while (stock[g] + quantity < mv.quantity)
                quantity += order[g];
            post(momentOf(day, kPostingSecond), false, mv.goods, quantity);
            low.erase(std::remove(low.begin(), low.end(), mv.goods), low.end());
        }
        if (mv.move == Move::Return)
            post(mv.at, true, mv.goods, mv.quantity);
        else
            stock[g] -= mv.quantity;
        if (stock[g] < lowMark[g] && std::find(low.begin(), low.end(), mv.goods) == low.end()) {
            if (low.empty())
                lowDay = day;
            low.push_back(mv.goods);
        }
    }
    if (!low.empty() && lowDay < hall.today)
        restock();
    // An early purchase can come after a later return in the list; the history writes them by moment anyway.
    std::stable_sort(hall.postings.begin(), hall.postings.end(),
                     [](const Posting& a, const Posting& b) { return a.at < b.at; });
}

void writePosting(Books& books, const Posting& posting)
{
    using namespace goods::purchasing;
    const CommandContext context{books.dm, operatorAt(posting.at), dateTimeOf(posting.at)};
    const Direction direction = posting.supplierReturn ? Direction::SupplierReturn : Direction::Purchase;
    openWorkList(books.dm);
    for (const PostingLine& line : posting.lines) {
        const GoodsItem& g = books.hall.goods[line.goods];
        const LineInput input{g.code, g.name, g.unit, g.cost.toString(), QString::number(line.quantity)};
        require(addLine(context, direction, input), input.name);
    }
    require(post(context, direction), QStringLiteral("商品进货"));
}

} // namespace tkd::demo
