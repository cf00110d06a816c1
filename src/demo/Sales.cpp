#include "Sales.h"

#include "Reference.h"
#include "data/TvelunDMForm.h"
#include "goods/StockLedger.h"

#include <algorithm>

namespace tkd::demo {
namespace {

QString t(const char16_t* text)
{
    return QString::fromUtf16(text);
}

// The card type's discount as the sale window shows and prices it.
goods::Rate rateOf(const Member& m)
{
    return goods::Rate::fromStored(cardType(m.type).discount);
}

// The line total as the checkout computes it.
SaleLine line(const Assortment& goodsOnSale, int goodsIndex, int quantity, goods::Rate rate)
{
    return {goodsIndex, quantity,
            goods::lineTotal(goodsOnSale[goodsIndex].price, goods::Quantity::whole(quantity), rate)};
}

// Goods of a line: any item alike, or as often as its weight says.
int pickGoods(Rng& rng, const Assortment& goodsOnSale)
{
    const std::vector<qint64>& running = goodsOnSale.runningWeights;
    if (running.empty())
        return rng.below(goodsOnSale.count());
    const qint64 r = qint64(rng.below(int(running.back())));
    return int(std::upper_bound(running.begin(), running.end(), r) - running.begin());
}

} // namespace

QString meansCaption(Means means)
{
    switch (means) {
    case Means::StoredValue:
        return t(u"储值卡结帐");
    case Means::Cash:
        return t(u"现金结帐");
    case Means::Credit:
        return t(u"信用卡结帐");
    }
    return {};
}

void planSales(Rng& rng, Hall& hall, Member& m)
{
    const Assortment& goodsOnSale = hall.goods;
    const int perMember = goodsOnSale.checkoutsPerMember;
    const int count = perMember > 0
                          ? (m.busy ? rng.between(2 * perMember, 3 * perMember) : rng.between(0, 2 * perMember))
                      : m.busy         ? rng.between(2, 4)
                      : rng.chance(40) ? rng.between(1, 2)
                                       : 0;
    if (count == 0)
        return;
    const goods::Rate rate = rateOf(m);
    const int days = std::max(0, int(m.joined.daysTo(hall.today)));
    std::vector<Moment> moments;
    for (int c = 0; c < count; ++c)
        moments.push_back(momentOf(m.joined.addDays(rng.below(days + 1)), rng.between(10 * 3600, 21 * 3600 - 1)));
    std::sort(moments.begin(), moments.end());
    for (int c = 0; c < count; ++c) {
        Checkout checkout{std::max(moments[size_t(c)], m.joinedAt + 1200), Means::Cash, {}, Money()};
        const int lineCount = rng.between(1, perMember > 0 ? 3 : 2);
        for (int l = 0; l < lineCount; ++l) {
            const int g = m.busy && c == 0 && l == 0 ? goodsOnSale.firstPurchase : pickGoods(rng, goodsOnSale);
            const int quantity = goodsOnSale[g].price <= Money::fromYuan(6) ? rng.between(1, 6) : 1;
            checkout.lines.push_back(line(goodsOnSale, g, quantity, rate));
            checkout.sum += checkout.lines.back().total;
        }
        if (m.balance >= checkout.sum) {
            checkout.means = Means::StoredValue;
            m.balance -= checkout.sum;
        } else if (rng.chance(15)) {
            checkout.means = Means::Credit;
        }
        m.spent += checkout.sum;
        m.points += goods::pointsEarned(checkout.sum, hall.pointUnit);
        m.checkouts.push_back(std::move(checkout));
    }
}

void writeCheckout(Books& books, const Member& m, const Checkout& checkout)
{
    TvelunDMForm& dm = books.dm;
    const QDateTime when = dateTimeOf(checkout.at);
    const QString operatorName = operatorAt(checkout.at);
    dm.change(QStringLiteral("insert into [金额记录] ([会员卡号],[会员姓名],[储值卡],[现金],[信用卡],[日期],[操作员]) "
                             "values(:hykh,:hyxm,:czk,:xj,:xyk,:rq,:czy)"),
              {{QStringLiteral("hykh"), m.card},
               {QStringLiteral("hyxm"), m.name},
               {QStringLiteral("czk"), checkout.means == Means::StoredValue ? checkout.sum : Money()},
               {QStringLiteral("xj"), checkout.means == Means::Cash ? checkout.sum : Money()},
               {QStringLiteral("xyk"), checkout.means == Means::Credit ? checkout.sum : Money()},
               {QStringLiteral("rq"), when},
               {QStringLiteral("czy"), operatorName}});
    const goods::Rate rate = rateOf(m);
    for (const SaleLine& l : checkout.lines) {
        const GoodsItem& g = books.hall.goods[l.goods];
        const Money price = g.price;
        goods::StockMove move;
        move.kind = goods::StockMoveKind::Sale;
        move.code = g.code;
        move.name = g.name;
        move.unit = g.unit;
        move.price = price;
        move.quantity = -goods::Quantity::whole(l.quantity);
        move.rate = rate;
        move.amount = -l.total;
        move.day = when.date();
        move.operatorName = operatorName;
        goods::recordStockMove(dm, move);
        dm.change(
            QStringLiteral("insert into [会员消费] ([消费日期],[会员卡号],[会员姓名],[商品编号],[商品名称],[单位],"
                           "[单价],[数量],[折扣率],[总金额],[服务员工],[操作员],[付款方式],[备注]) values(:xfrq,"
                           ":hykh,:hyxm,:spbh,:spmc,:dw,:dj,:sl,:zkl,:zje,:fwyg,:czy,:fkfs,:bz)"),
            {{QStringLiteral("xfrq"), when},
             {QStringLiteral("hykh"), m.card},
             {QStringLiteral("hyxm"), m.name},
             {QStringLiteral("spbh"), g.code},
             {QStringLiteral("spmc"), g.name},
             {QStringLiteral("dw"), g.unit},
             {QStringLiteral("dj"), price},
             {QStringLiteral("sl"), double(l.quantity)},
             {QStringLiteral("zkl"), rate.toDouble()},
             {QStringLiteral("zje"), l.total},
             {QStringLiteral("fwyg"), g.service ? coach(l.goods % kCoachCount) : QString()},
             {QStringLiteral("czy"), operatorName},
             {QStringLiteral("fkfs"), meansCaption(checkout.means)},
             {QStringLiteral("bz"), QString()}});
    }
}

} // namespace tkd::demo
