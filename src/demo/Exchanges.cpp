#include "Exchanges.h"

#include "Reference.h"
#include "data/TvelunDMForm.h"
#include "goods/Catalogue.h"
#include "goods/StockLedger.h"

#include <algorithm>

namespace tkd::demo {
namespace {

// A moment after the member's last checkout and exchange, some days later (today at the latest),
// between the two hours.
Moment nextMoment(Rng& rng, const Member& m, const QDate& today, int fromHour, int toHour)
{
    Moment last = m.checkouts.back().at;
    if (!m.exchanges.empty())
        last = std::max(last, m.exchanges.back().at);
    const QDate day = std::min(today, dayOf(last).addDays(rng.between(1, 20)));
    return std::max(last + 60, momentOf(day, rng.between(fromHour * 3600, toHour * 3600 - 1)));
}

// One line of an item the member can afford; false when there is none.
bool exchangeGoods(Rng& rng, const Hall& hall, Member& m)
{
    std::vector<int> affordable;
    for (const int g : hall.goods.exchangeable)
        if (hall.goods[g].points <= m.points)
            affordable.push_back(g);
    if (affordable.empty())
        return false;
    const int g = affordable[size_t(rng.below(int(affordable.size())))];
    const qint64 each = hall.goods[g].points;
    const int quantity = int(std::min<qint64>(rng.chance(70) ? 1 : rng.between(2, 3), m.points / each));
    // Before eight in the evening: membership days come last in a day, after its payments and leave.
    const Moment at = nextMoment(rng, m, hall.today, 10, 20);
    m.exchanges.push_back({at, g, quantity, m.points, quantity * each});
    m.points -= quantity * each;
    return true;
}

// The stored expiry just before that moment: the card's periods paid by then from its opening, moved
// by the leave recorded and the days bought by then.
QDate expiryAt(const Member& m, Moment at)
{
    int periods = 0;
    for (const PlannedPayment& p : m.payments)
        if ((p.kind == PaymentKind::Registration || p.kind == PaymentKind::Renewal) && p.at <= at)
            ++periods;
    QDate expiry = m.opened.addDays(qint64(periods) * cardType(m.type).days);
    for (const Leave& leave : m.leaves)
        if (leave.recorded <= at)
            expiry = expiry.addDays(leave.moved);
    for (const Exchange& e : m.exchanges)
        if (e.goods == kMembershipDays && e.at <= at)
            expiry = expiry.addDays(e.days);
    return expiry;
}

} // namespace

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
        m.exchanges.push_back({at, g, quantity, m.points, qint64(quantity) * points});
        m.points -= qint64(quantity) * points;
    }
}

void planLargeExchanges(Rng& rng, Hall& hall, const HallSize& size)
{
    if (hall.goods.exchangeable.empty())
        return;
    int cheapest = hall.goods[hall.goods.exchangeable.front()].points;
    for (const int g : hall.goods.exchangeable)
        cheapest = std::min(cheapest, hall.goods[g].points);
    qint64 made = 0;
    std::vector<Member*> others;
    for (Member& m : hall.members) {
        if (m.checkouts.empty() || m.points < cheapest)
            continue;
        if (!m.busy) {
            others.push_back(&m);
            continue;
        }
        for (int n = rng.between(4, 8); n > 0 && exchangeGoods(rng, hall, m); --n)
            ++made;
    }
    if (others.empty())
        return;
    const double each = double(std::max<qint64>(0, size.exchanges - made)) / double(others.size());
    const int whole = int(each);
    const int tenThousandths = int((each - whole) * 10000);
    for (Member* m : others)
        for (int n = whole + (rng.below(10000) < tenThousandths ? 1 : 0); n > 0 && exchangeGoods(rng, hall, *m); --n)
            ++made;
    // Members who ran short of points leave lines over: those who still have some take them.
    for (bool any = true; any && made < size.exchanges;) {
        any = false;
        for (Member* m : others) {
            if (made >= size.exchanges)
                break;
            if (exchangeGoods(rng, hall, *m)) {
                ++made;
                any = true;
            }
        }
    }
}

void planMembershipDays(Rng& rng, Hall& hall, int percent)
{
    const int per = hall.pointsPerExchange;
    if (per <= 0 || hall.daysPerExchange <= 0)
        return;
    for (Member& m : hall.members) {
        const CardTypeSpec& type = cardType(m.type);
        // Half the points at most, so that the member has some left to try the basket with.
        const int units = int(std::min<qint64>(3, m.points / 2 / per));
        if (type.days == 0 || m.standing != Standing::Valid || m.disabled || m.checkouts.empty() || units == 0)
            continue;
        if (!m.busy && !rng.chance(percent))
            continue;
        Moment at = nextMoment(rng, m, hall.today, 20, 21);
        if (dayOf(at) < m.opened)
            at = momentOf(m.opened, secondOf(at));
        qint64 points = qint64(rng.between(1, units)) * per;
        if (rng.chance(30) && points + per / 2 <= m.points / 2)
            points += per / 2;
        const int days = int(points * hall.daysPerExchange / per);
        const QDate before = expiryAt(m, at);
        if (days == 0 || before < dayOf(at))
            continue;
        m.exchanges.push_back({at, kMembershipDays, 1, m.points, points, days, before.addDays(days)});
        m.points -= points;
        m.expires = m.expires.addDays(days);
    }
}

void writeExchange(Books& books, const Member& m, const Exchange& exchange)
{
    TvelunDMForm& dm = books.dm;
    const bool days = exchange.goods == kMembershipDays;
    const QDate today = dayOf(exchange.at);
    QString code = QStringLiteral("000000");
    QString name = goods::kSystemItemName;
    QString remark;
    if (days) {
        remark = QStringLiteral("会籍增加%1天，截止日期到%2")
                     .arg(exchange.days)
                     .arg(exchange.expiry.toString(QStringLiteral("yyyy-MM-dd")));
    } else {
        const GoodsItem& g = books.hall.goods[exchange.goods];
        code = g.code;
        name = g.name;
        goods::StockMove move;
        move.kind = goods::StockMoveKind::Exchange;
        move.code = code;
        move.name = name;
        move.unit = g.unit;
        move.quantity = -goods::Quantity::whole(exchange.quantity);
        move.day = today;
        move.operatorName = operatorAt(exchange.at);
        goods::recordStockMove(dm, move);
    }
    dm.change(
        QStringLiteral("insert into [兑换商品] ([会员卡号],[会员姓名],[会员积分],[商品编号],[商品名称],[兑换日期],"
                       "[数量],[兑换积分],[备注],[会籍天数]) values(:hykh,:hyxm,:hyjf,:spbh,:spmc,:dhrq,:sl,:dhjf,:bz,"
                       ":hjts)"),
        {{QStringLiteral("hykh"), m.card},
         {QStringLiteral("hyxm"), m.name},
         {QStringLiteral("hyjf"), exchange.pointsBefore},
         {QStringLiteral("spbh"), code},
         {QStringLiteral("spmc"), name},
         {QStringLiteral("dhrq"), today},
         {QStringLiteral("sl"), double(exchange.quantity)},
         {QStringLiteral("dhjf"), exchange.points},
         {QStringLiteral("bz"), remark},
         {QStringLiteral("hjts"), exchange.days}});
}

} // namespace tkd::demo
