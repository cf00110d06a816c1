#include "Exchanges.h"

#include "Reference.h"
#include "data/TvelunDMForm.h"

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
        for (int g = 0; g < kGoodsCount; ++g)
            if (goods(g).exchangeable() && goods(g).points() <= m.points)
                affordable.push_back(g);
        if (affordable.empty())
            return;
        const QDate day = std::min(hall.today, dayOf(at).addDays(rng.between(1, 20)));
        at = std::max(at + 60, momentOf(day, rng.between(10 * 3600, 21 * 3600 - 1)));
        const int g = affordable[size_t(rng.below(int(affordable.size())))];
        const int quantity = std::min<qint64>(rng.between(1, 3), m.points / goods(g).points());
        m.exchanges.push_back({at, g, quantity, m.points});
        m.points -= qint64(quantity) * goods(g).points();
        hall.exchanged[size_t(g)] += quantity;
    }
}

void writeExchange(Books& books, const Member& m, const Exchange& exchange)
{
    TvelunDMForm& dm = books.dm;
    const GoodsSpec& g = goods(exchange.goods);
    const QString code = QString::fromUtf16(g.code);
    const QString name = QString::fromUtf16(g.name);
    const QString operatorName = operatorAt(exchange.at);
    const QDate today = dayOf(exchange.at);
    if (g.counted()) {
        double& stock = books.stock[size_t(exchange.goods)];
        stock -= exchange.quantity;
        dm.change(QStringLiteral("update [商品信息] set [数量]=:sl where [商品编号]=:spbh"),
                  {{QStringLiteral("sl"), stock}, {QStringLiteral("spbh"), code}});
        dm.change(
            QStringLiteral("insert into [商品进退单] ([日期],[状态说明],[商品编号],[商品名称],[单位],[单价],[数量],"
                           "[折扣率],[总金额],[操作员]) values(:rq,:ztsm,:spbh,:spmc,:dw,:dj,:sl,:zkl,:zje,:czy)"),
            {{QStringLiteral("rq"), today},
             {QStringLiteral("ztsm"), QStringLiteral("兑换商品")},
             {QStringLiteral("spbh"), code},
             {QStringLiteral("spmc"), name},
             {QStringLiteral("dw"), QString::fromUtf16(g.unit)},
             {QStringLiteral("dj"), Money()},
             {QStringLiteral("sl"), -double(exchange.quantity)},
             {QStringLiteral("zkl"), 1.0},
             {QStringLiteral("zje"), Money()},
             {QStringLiteral("czy"), operatorName}});
    }
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
         {QStringLiteral("dhjf"), exchange.quantity * g.points()},
         {QStringLiteral("bz"), QString()}});
}

} // namespace tkd::demo
