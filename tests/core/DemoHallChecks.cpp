#include "DemoHallChecks.h"

#include "data/TvelunDMForm.h"

#include <QDate>
#include <map>
#include <vector>

namespace tkd::test::hall {
namespace {

QString s(const char16_t* text)
{
    return QString::fromUtf16(text);
}

QString day(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

struct Card {
    QDate opened;
    qint64 days = 0;
    qint64 points = 0;
};

std::map<QString, Card> cards(TvelunDMForm& dm)
{
    std::map<QString, Card> all;
    const ResultSet r = dm.list(s(u"select [会员卡号],[开卡日期],[有效天数],[会员积分] from [会员信息]"));
    for (int i = 0; i < r.rowCount(); ++i)
        all[r.value(i, 0).toText()] = {r.value(i, 1).toDate(), r.value(i, 2).toInt(), r.value(i, 3).toInt()};
    return all;
}

// Days on which something moved a member's expiry, and by how much.
using Moves = std::map<QString, std::vector<std::pair<QDate, qint64>>>;

// The card periods paid, one per day card payment (registration or renewal), each worth the card's days.
Moves periodsPaid(TvelunDMForm& dm, const std::map<QString, Card>& all)
{
    Moves moves;
    const ResultSet r = dm.list(s(u"select [会员卡号],[充值日期] from [会员充值] where [充值说明] like '续费等级：%' "
                                  u"or [充值说明] like '交费等级：%'"));
    for (int i = 0; i < r.rowCount(); ++i) {
        const QString card = r.value(i, 0).toText();
        moves[card].push_back({r.value(i, 1).toDate(), all.at(card).days});
    }
    return moves;
}

Moves leaveMoves(TvelunDMForm& dm)
{
    Moves moves;
    const ResultSet r = dm.list(s(u"select [会员卡号],[请假日期],[顺延天数] from [会员请假]"));
    for (int i = 0; i < r.rowCount(); ++i)
        moves[r.value(i, 0).toText()].push_back({r.value(i, 1).toDate(), r.value(i, 2).toInt()});
    return moves;
}

qint64 movedBy(const Moves& moves, const QString& card, const QDate& until)
{
    qint64 days = 0;
    const auto found = moves.find(card);
    if (found != moves.end())
        for (const auto& [on, by] : found->second)
            if (!until.isValid() || on <= until)
                days += by;
    return days;
}

} // namespace

Checked expiriesFollowHistory(TvelunDMForm& dm)
{
    const std::map<QString, Card> all = cards(dm);
    const Moves periods = periodsPaid(dm, all);
    const Moves leave = leaveMoves(dm);
    Moves bought;
    const ResultSet lines = dm.list(s(u"select [会员卡号],[兑换日期],[会籍天数] from [兑换商品]"));
    for (int i = 0; i < lines.rowCount(); ++i)
        bought[lines.value(i, 0).toText()].push_back({lines.value(i, 1).toDate(), lines.value(i, 2).toInt()});

    Checked checked;
    const ResultSet r = dm.list(s(u"select [会员卡号],[到期日期] from [会员信息] where [到期日期] is not null"));
    for (int i = 0; i < r.rowCount(); ++i) {
        const QString card = r.value(i, 0).toText();
        const QDate stored = r.value(i, 1).toDate();
        const QDate opened = all.at(card).opened;
        const QDate expected =
            opened.addDays(movedBy(periods, card, {}) + movedBy(leave, card, {}) + movedBy(bought, card, {}));
        ++checked.rows;
        if (!opened.isValid() || stored != expected)
            checked.faults << QStringLiteral("%1 expires %2, its history %3").arg(card, day(stored), day(expected));
    }
    return checked;
}

Checked leavesFollowTheRules(TvelunDMForm& dm)
{
    const std::map<QString, Card> all = cards(dm);
    std::map<QString, QDate> latestEnd;
    Checked checked;
    const ResultSet r = dm.list(s(u"select [编号],[会员卡号],[请假日期],[开始日期],[结束日期],[请假天数],[顺延天数] "
                                  u"from [会员请假] order by [编号]"));
    for (int i = 0; i < r.rowCount(); ++i) {
        const QString id = r.value(i, 0).toText();
        const QString card = r.value(i, 1).toText();
        const QDate recorded = r.value(i, 2).toDate();
        const QDate start = r.value(i, 3).toDate();
        const QDate end = r.value(i, 4).toDate();
        const qint64 days = r.value(i, 5).toInt();
        const qint64 moved = r.value(i, 6).toInt();
        const Card& member = all.at(card);
        ++checked.rows;
        if (days != start.daysTo(end) || days < 0)
            checked.faults << QStringLiteral("leave %1 of %2: %3 days from %4 to %5")
                                  .arg(id, card)
                                  .arg(days)
                                  .arg(day(start), day(end));
        if (recorded > start)
            checked.faults << QStringLiteral("leave %1 of %2 recorded after it started").arg(id, card);
        const bool hadExpiry = member.days > 0 && member.opened.isValid() && member.opened <= recorded;
        if (moved != (hadExpiry ? days : 0))
            checked.faults << QStringLiteral("leave %1 of %2 moved the expiry %3 days").arg(id, card).arg(moved);
        const auto before = latestEnd.find(card);
        if (before != latestEnd.end() && start < before->second)
            checked.faults << QStringLiteral("leave %1 of %2 starts before an earlier leave ends").arg(id, card);
        if (before == latestEnd.end() || end > before->second)
            latestEnd[card] = end;
    }
    return checked;
}

Checked pointsRunLineByLine(TvelunDMForm& dm)
{
    const std::map<QString, Card> all = cards(dm);
    std::map<QString, qint64> balance;
    const ResultSet earned =
        dm.list(s(u"select [会员卡号],sum(cast([储值卡]+[现金]+[信用卡] as integer)/cast((select "
                  u"[消费积分] from [其它设置]) as integer)) from [金额记录] group by [会员卡号]"));
    for (int i = 0; i < earned.rowCount(); ++i)
        balance[earned.value(i, 0).toText()] = earned.value(i, 1).toInt();
    Checked checked;
    const ResultSet r =
        dm.list(s(u"select [编号],[会员卡号],[会员积分],[兑换积分] from [兑换商品] order by [会员卡号],[编号]"));
    for (int i = 0; i < r.rowCount(); ++i) {
        const QString card = r.value(i, 1).toText();
        const qint64 before = r.value(i, 2).toInt();
        const qint64 spent = r.value(i, 3).toInt();
        ++checked.rows;
        if (before != balance[card] || spent > before || spent <= 0)
            checked.faults << QStringLiteral("line %1 of %2: %3 points before, %4 by the history, %5 spent")
                                  .arg(r.value(i, 0).toText(), card)
                                  .arg(before)
                                  .arg(balance[card])
                                  .arg(spent);
        balance[card] = before - spent;
        const bool last = i + 1 == r.rowCount() || r.value(i + 1, 1).toText() != card;
        if (last && all.at(card).points != balance[card])
            checked.faults << QStringLiteral("%1 holds %2 points, its last line left %3")
                                  .arg(card)
                                  .arg(all.at(card).points)
                                  .arg(balance[card]);
    }
    return checked;
}

Checked daysLinesFollowTheRate(TvelunDMForm& dm)
{
    const ResultSet rate = dm.list(s(u"select [使用积分],[兑换会籍] from [其它设置]"));
    const qint64 per = rate.value(0, 0).toInt();
    const qint64 perDays = rate.value(0, 1).toInt();
    const std::map<QString, Card> all = cards(dm);
    const Moves periods = periodsPaid(dm, all);
    const Moves leave = leaveMoves(dm);
    std::map<QString, qint64> boughtSoFar;
    Checked checked;
    const ResultSet r = dm.list(s(u"select [编号],[会员卡号],[商品编号],[商品名称],[兑换日期],[数量],[兑换积分],[备注],"
                                  u"[会籍天数] from [兑换商品] order by [编号]"));
    for (int i = 0; i < r.rowCount(); ++i) {
        const QString id = r.value(i, 0).toText();
        const QString card = r.value(i, 1).toText();
        const qint64 days = r.value(i, 8).toInt();
        if (r.value(i, 2).toText() != QStringLiteral("000000")) {
            if (days != 0)
                checked.faults << QStringLiteral("goods line %1 of %2 adds %3 days").arg(id, card).arg(days);
            continue;
        }
        ++checked.rows;
        const QDate on = r.value(i, 4).toDate();
        const qint64 points = r.value(i, 6).toInt();
        boughtSoFar[card] += days;
        const QDate reached =
            all.at(card).opened.addDays(movedBy(periods, card, on) + movedBy(leave, card, on) + boughtSoFar[card]);
        const QString remark = QStringLiteral("会籍增加%1天，截止日期到%2").arg(days).arg(day(reached));
        if (r.value(i, 3).toText() != s(u"积分换会籍") || r.value(i, 5).toDouble() != 1.0)
            checked.faults << QStringLiteral("days line %1 of %2 is not one 积分换会籍").arg(id, card);
        if (per <= 0 || days != points * perDays / per || days <= 0)
            checked.faults
                << QStringLiteral("days line %1 of %2: %3 points bought %4 days").arg(id, card).arg(points).arg(days);
        if (r.value(i, 7).toText() != remark)
            checked.faults
                << QStringLiteral("days line %1 of %2 says %3, not %4").arg(id, card, r.value(i, 7).toText(), remark);
    }
    if (dm.db().scalar(s(u"select count(*) from [商品进退单] where [商品编号]='000000'")).toInt() != 0)
        checked.faults << QStringLiteral("membership days moved stock");
    return checked;
}

} // namespace tkd::test::hall
