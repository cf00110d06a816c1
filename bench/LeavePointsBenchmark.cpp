// Times the leave and exchange windows' core calls on the generated hall: what ThyqjForm's "查询" reads,
// what ThyqjlrForm, ThyxjForm and the desk's "删除请假" save, what TdhspForm saves and the desk's
// "删除商品" undoes, each command with the desk's member and tab read again, as the windows do.
#include "LeavePointsBenchmark.h"

#include "data/TvelunDMForm.h"
#include "db/DateRange.h"
#include "frontdesk/DeskLookup.h"
#include "frontdesk/HistoryTabs.h"
#include "members/Leave.h"
#include "members/LeaveList.h"
#include "points/Exchange.h"
#include "points/ExchangeBasket.h"
#include "points/PointsRate.h"
#include "security/Permissions.h"

#include <QDateTime>
#include <QTextStream>

namespace tkd::bench {
namespace {

constexpr int kWarmUp = 3;
constexpr size_t kLines = 7;

} // namespace

std::vector<AreaLine> timeLeaveAndPoints(TvelunDMForm& dm, const QString& operatorName, const QStringList& cards,
                                         const QDate& today, int samples)
{
    std::vector<AreaLine> lines;
    const int n = std::min<int>(samples, int(cards.size()));
    auto context = [&] { return CommandContext{dm, operatorName, QDateTime::currentDateTime()}; };
    const QStringList leaveLists = gui::HistoryTabs::entries(gui::HistoryTabs::Leave);
    const QStringList exchangeLists = gui::HistoryTabs::entries(gui::HistoryTabs::Exchanges);
    qint64 rows = 0;

    // "查询" as the list opens: thirty days back to today, no text.
    const DayRange month = dayRange(today.addDays(-30), today);
    auto monthList = [&](int) { rows += members::queryLeaves(dm, month, QString()).rowCount(); };
    timeEach(kWarmUp, monthList);
    rows = 0;
    lines.push_back({QStringLiteral("leave list, 30 days"), summarise(timeEach(n, monthList)), 10000, n, 200,
                     averageRows(rows, n)});

    // A year of leaves narrowed by a typed surname, a different member's each time.
    QStringList surnames;
    for (int i = 0; i < n; ++i)
        surnames << dm.list(QStringLiteral("select [会员姓名] from [会员信息] where [会员卡号]=:hykh"),
                            {{QStringLiteral("hykh"), cards[i]}})
                        .first(QStringLiteral("会员姓名"))
                        .toText()
                        .left(1);
    const DayRange year = dayRange(today.addDays(-365), today);
    auto yearList = [&](int i) { rows += members::queryLeaves(dm, year, surnames[i]).rowCount(); };
    timeEach(kWarmUp, yearList);
    rows = 0;
    lines.push_back({QStringLiteral("leave list, 365 days + name"), summarise(timeEach(n, yearList)), 150000, n, 200,
                     averageRows(rows, n) + QStringLiteral(" of one surname")});

    // A leave two months ahead recorded at the desk, ended five days early, then deleted: the hall is
    // left as it was and no check-in of the desk's lines is refused meanwhile.
    const QDate start = today.addDays(60);
    std::vector<qint64> leaves(size_t(n), 0);
    int accepted = 0;
    auto record = [&](int i) {
        if (security::checkPermission(dm, operatorName, QStringLiteral("会员请假")))
            return;
        const Outcome<qint64> done =
            members::recordLeave(context(), {cards[i], start, start.addDays(10), QStringLiteral("出差")});
        if (done.refused())
            return;
        leaves[size_t(i)] = *done;
        if (frontdesk::lookUpAgain(dm, cards[i], today, leaveLists))
            ++accepted;
    };
    lines.push_back({QStringLiteral("leave recording + desk"), summarise(timeEach(n, record)), 5000, n, 200,
                     QStringLiteral("%1 of %2 recorded and shown again").arg(accepted).arg(n), true});

    accepted = 0;
    auto end = [&](int i) {
        if (leaves[size_t(i)] == 0 ||
            members::endLeave(context(), {leaves[size_t(i)], cards[i]}, start.addDays(5)).refused())
            return;
        if (frontdesk::lookUpAgain(dm, cards[i], today, leaveLists))
            ++accepted;
    };
    // The window opens on the leave as stored (untimed).
    auto beforeEnd = [&](int i) { members::leaveToEnd(dm, {leaves[size_t(i)], cards[i]}, today); };
    lines.push_back({QStringLiteral("leave ending + desk"), summarise(timeEach(n, end, beforeEnd)), 5000, n, 200,
                     QStringLiteral("%1 of %2 ended and shown again").arg(accepted).arg(n), true});

    accepted = 0;
    auto remove = [&](int i) {
        if (leaves[size_t(i)] == 0 || members::deleteLeave(context(), {leaves[size_t(i)], cards[i]}).refused())
            return;
        if (frontdesk::lookUpAgain(dm, cards[i], today, leaveLists))
            ++accepted;
    };
    // The desk's button checks the row before it asks (untimed).
    auto beforeRemove = [&](int i) { members::checkLeaveDeletion(dm, {leaves[size_t(i)], cards[i]}, today); };
    lines.push_back({QStringLiteral("leave deletion + desk"), summarise(timeEach(n, remove, beforeRemove)), 5000, n,
                     200, QStringLiteral("%1 of %2 deleted and shown again").arg(accepted).arg(n), true});

    // A basket of one of each of the two cheapest stock-counted goods with stock to spare and a day's
    // worth of membership at the hall's rate, for members holding the points with an opened card.
    const ResultSet goods =
        dm.list(QStringLiteral("select [商品编号],[兑换积分] from [商品信息] where [是否兑换]<>0 and [是否计库存]<>0 "
                               "and [兑换积分]>0 and [数量]>=:n order by [兑换积分],[商品编号] limit 2"),
                {{QStringLiteral("n"), n}});
    const points::PointsRate rate = points::PointsRate::load(dm);
    // Lines that cannot be timed on this hall say why, and count as missed.
    auto cannot = [&](const QString& why) {
        lines.push_back({QStringLiteral("three-line exchange + desk"), {}, 5000, 0, 200, why, true});
        return lines;
    };
    if (goods.rowCount() < 2)
        return cannot(QStringLiteral("fewer than two stock-counted goods for points with %1 in stock").arg(n));
    if (rate.daysFor(rate.points) < 1)
        return cannot(QStringLiteral("the hall's rate gives no day for points"));
    const QString daysPoints = QString::number(rate.points);
    const qint64 need = goods.value(0, QStringLiteral("兑换积分")).toInt() +
                        goods.value(1, QStringLiteral("兑换积分")).toInt() + rate.points;
    const QStringList holders =
        dm.list(
              QStringLiteral("select [会员卡号] from [会员信息] where [会员积分]>=:need and [开卡日期] is not null and "
                             "[到期日期] is not null order by [会员卡号] limit :n"),
              {{QStringLiteral("need"), need}, {QStringLiteral("n"), n}})
            .texts(QStringLiteral("会员卡号"));
    if (holders.size() < n)
        return cannot(QStringLiteral("only %1 members hold %2 points on an opened card").arg(holders.size()).arg(need));

    points::ExchangeBasket basket(dm);
    auto fillBasket = [&](int i) {
        basket.clear();
        basket.addGoods(goods.value(0, QStringLiteral("商品编号")).toText(), QStringLiteral("1"), QString());
        basket.addGoods(goods.value(1, QStringLiteral("商品编号")).toText(), QStringLiteral("1"), QString());
        if (const Outcome<points::DaysOffer> offer = points::offerDays(dm, holders[i]); !offer.refused())
            basket.addDays(*offer, daysPoints);
    };
    accepted = 0;
    auto save = [&](int i) {
        if (security::checkPermission(dm, operatorName, QStringLiteral("增加兑换商品")))
            return;
        const Outcome<points::SavedExchange> saved = points::saveExchange(context(), holders[i]);
        if (saved.refused() || saved->lines != 3)
            return;
        if (frontdesk::lookUpAgain(dm, holders[i], today, exchangeLists))
            ++accepted;
    };
    lines.push_back({QStringLiteral("three-line exchange + desk"), summarise(timeEach(n, save, fillBasket)), 5000, n,
                     200, QStringLiteral("%1 of %2 saved and shown again").arg(accepted).arg(n), true});
    basket.clear();

    // The desk's "删除商品" on the first goods line of the basket just saved; the tab gave its 编号.
    std::vector<QList<qint64>> saved(static_cast<size_t>(n));
    auto readSaved = [&](int i) {
        const ResultSet ids = dm.list(QStringLiteral("select [编号] from [兑换商品] where [会员卡号]=:hykh "
                                                     "order by [编号] desc limit 3"),
                                      {{QStringLiteral("hykh"), holders[i]}});
        for (int r = ids.rowCount() - 1; r >= 0; --r)
            saved[size_t(i)] << ids.value(r, QStringLiteral("编号")).toInt();
    };
    accepted = 0;
    auto undo = [&](int i) {
        if (saved[size_t(i)].size() != 3 || points::undoExchange(context(), holders[i], saved[size_t(i)][0]).refused())
            return;
        if (frontdesk::lookUpAgain(dm, holders[i], today, exchangeLists))
            ++accepted;
    };
    lines.push_back({QStringLiteral("exchange line undone + desk"), summarise(timeEach(n, undo, readSaved)), 5000, n,
                     200, QStringLiteral("%1 of %2 undone and shown again").arg(accepted).arg(n), true});
    // The other goods line and the days go back too.
    for (int i = 0; i < n; ++i)
        for (int k = 1; k < saved[size_t(i)].size(); ++k)
            points::undoExchange(context(), holders[i], saved[size_t(i)][k]);
    return lines;
}

bool reportLeaveAndPoints(QTextStream& out, const std::vector<AreaLine>& lines, const Figures& bare,
                          const Figures& commit)
{
    return reportLines(out, QStringLiteral("leave and points"), kLines, lines, bare, commit);
}

} // namespace tkd::bench
