#include "Exchanges.h"

#include "Reference.h"
#include "data/TvelunDMForm.h"
#include "goods/StockLedger.h"

#include <algorithm>

namespace tkd::demo {

void planExchanges(Rng& rng, Hall& hall, Member& m)
{
    if (m.checkouts.empty() || m.points <= 0)
        return;
    const int count = m.busy ? rng.between(1, 2) : rng.chance(35) ? 1 : 0;
    Moment at = m.checkouts.back().at;
    for (int e = 0; e < count; ++e) {
        std::vector<int> affordable;
        for (const int g : hall.goods.exchangeable)
            if (hall.goods[g].points <= m.points)
                affordable.push_back(g);
        if (affordable.empty())
            return;
        const QDate day = std::min(hall.today, dayOf(at).addDays(rng.between(1, 20)));
        at = std::max(at + 60, momentOf(day, rng.between(10 * 3600, 21 * 3600 - 1)));
        const int g = affordable[size_t(rng.below(int(affordable.size())))];
        const int points = hall.goods[g].points;
        const int quantity = int(std::min<qint64>(rng.between(1, 3), m.points / points));
        m.exchanges.push_back({at, g, quantity, m.points});
        m.points -= qint64(quantity) * points;
    }
}

void writeExchange(Books& books, const Member& m, const Exchange& exchange)
{
    TvelunDMForm& dm = books.dm;
    const GoodsItem& g = books.hall.goods[exchange.goods];
    const QString& code = g.code;
    const QString& name = g.name;
    const QString operatorName = operatorAt(exchange.at);
    const QDate today = dayOf(exchange.at);
    goods::StockMove move;
    move.kind = goods::StockMoveKind::Exchange;
    move.code = code;
    move.name = name;
    move.unit = g.unit;
    move.quantity = -goods::Quantity::whole(exchange.quantity);
    move.day = today;
    move.operatorName = operatorName;
    goods::recordStockMove(dm, move);
    dm.change(
        QStringLiteral("insert into [兑换商品] ([会员卡号],[会员姓名],[会员积分],[商品编号],[商品名称],[兑换日期],"
                       "[数量],[兑换积分],[备注]) values(:hykh,:hyxm,:hyjf,:spbh,:spmc,:dhrq,:sl,:dhjf,:bz)"),
        {{QStringLiteral("hykh"), m.card},
         {QStringLiteral("hyxm"), m.name},
         {QStringLiteral("hyjf"), exchange.pointsBefore},
         {QStringLiteral("spbh"), code},
         {QStringLiteral("spmc"), name},
         {QStringLiteral("dhrq"), today},
         {QStringLiteral("sl"), double(exchange.quantity)},
         {QStringLiteral("dhjf"), exchange.quantity * g.points},
         {QStringLiteral("bz"), QString()}});
}

} // namespace tkd::demo
