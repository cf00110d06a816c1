#include "Leave.h"

#include "LeaveDays.h"
#include "data/TvelunDMForm.h"
#include "db/Database.h"

#include <algorithm>

namespace tkd::members {

namespace {

const QString kDate = QStringLiteral("yyyy-MM-dd");

Refusal memberGone()
{
    return Refusal::warning(QStringLiteral("会员卡号不存在！"));
}

Refusal rowGone()
{
    return Refusal::warning(QStringLiteral("该记录已不存在！"));
}

QString dateText(const Value& value)
{
    return value.isNull() ? QString() : value.toDate().toString(kDate);
}

// The member as stored, with the expiry a leave moves.
struct StoredMember {
    LeaveMember shown;
    std::optional<QDate> expiry;
};

std::optional<StoredMember> storedMember(TvelunDMForm& dm, const QString& cardNumber)
{
    const ResultSet row =
        dm.list(QStringLiteral("select [会员卡号],[会员姓名],[会员类型],[开卡日期],[到期日期],[会员状态],[移动电话],"
                               "[固定电话] from [会员信息] where [会员卡号]=:hykh"),
                {{QStringLiteral("hykh"), cardNumber}});
    if (row.isEmpty())
        return std::nullopt;
    auto text = [&row](const char16_t* column) { return row.first(QString::fromUtf16(column)).toText(); };
    StoredMember member;
    member.shown.cardNumber = text(u"会员卡号");
    member.shown.name = text(u"会员姓名");
    member.shown.cardType = text(u"会员类型");
    member.shown.opened = dateText(row.first(QStringLiteral("开卡日期")));
    member.shown.expiry = dateText(row.first(QStringLiteral("到期日期")));
    member.shown.status = text(u"会员状态");
    member.shown.contact = text(u"移动电话") + QLatin1Char(';') + text(u"固定电话");
    const Value expiry = row.first(QStringLiteral("到期日期"));
    if (!expiry.isNull())
        member.expiry = expiry.toDate();
    return member;
}

// The leave by its 编号, only while it is still the member's.
std::optional<LeaveRow> storedLeave(TvelunDMForm& dm, const LeaveKey& key)
{
    const ResultSet row = dm.list(QStringLiteral("select [编号],[会员卡号],[开始日期],[结束日期],[请假天数],[顺延天数] "
                                                 "from [会员请假] where [编号]=:bh and [会员卡号]=:hykh"),
                                  {{QStringLiteral("bh"), key.id}, {QStringLiteral("hykh"), key.cardNumber}});
    if (row.isEmpty())
        return std::nullopt;
    LeaveRow leave;
    leave.id = row.first(QStringLiteral("编号")).toInt();
    leave.cardNumber = row.first(QStringLiteral("会员卡号")).toText();
    leave.start = row.first(QStringLiteral("开始日期")).toDate();
    leave.end = row.first(QStringLiteral("结束日期")).toDate();
    leave.days = row.first(QStringLiteral("请假天数")).toInt();
    leave.moved = row.first(QStringLiteral("顺延天数")).toInt();
    return leave;
}

// The member and the leave of a list's row, both as stored; the member is asked for first, so a
// member deleted or renumbered since the list was read is named as such.
struct StoredPair {
    StoredMember member;
    LeaveRow leave;
};

Outcome<StoredPair> storedPair(TvelunDMForm& dm, const LeaveKey& key)
{
    std::optional<StoredMember> member = storedMember(dm, key.cardNumber);
    if (!member)
        return memberGone();
    const std::optional<LeaveRow> leave = storedLeave(dm, key);
    if (!leave || !leave->start.isValid() || !leave->end.isValid())
        return rowGone();
    return StoredPair{std::move(*member), *leave};
}

MaybeRefusal endReached(const LeaveRow& leave, const QDate& today)
{
    if (leave.end <= today)
        return Refusal::warning(QStringLiteral("假期结束时间已到，不能销假！"));
    return std::nullopt;
}

MaybeRefusal started(const LeaveRow& leave, const QDate& today)
{
    if (leave.start <= today)
        return Refusal::warning(QStringLiteral("假期已经开始执行不能删除，请使用销假功能！"));
    return std::nullopt;
}

void moveExpiry(TvelunDMForm& dm, const QString& cardNumber, const QDate& expiry)
{
    dm.change(QStringLiteral("update [会员信息] set [到期日期]=:dqrq where [会员卡号]=:hykh"),
              {{QStringLiteral("dqrq"), expiry}, {QStringLiteral("hykh"), cardNumber}});
}

// How far a change of the leave's last day moves the expiry: days added are added to a stored
// expiry, as recording would have; days taken off give back at most what the leave has moved it,
// never days a card not yet opened was not given.
qint64 expiryShift(const LeaveRow& leave, qint64 change, bool hasExpiry)
{
    if (!hasExpiry)
        return 0;
    return change >= 0 ? change : -std::min(-change, std::max<qint64>(leave.moved, 0));
}

// The first day of the member's next leave, one starting on or after this one's last day, if any.
std::optional<QDate> nextLeaveStart(TvelunDMForm& dm, const LeaveRow& leave)
{
    const ResultSet others =
        dm.list(QStringLiteral("select [开始日期] from [会员请假] where [会员卡号]=:hykh and [编号]<>:bh"),
                {{QStringLiteral("hykh"), leave.cardNumber}, {QStringLiteral("bh"), leave.id}});
    std::optional<QDate> next;
    for (int i = 0; i < others.rowCount(); ++i) {
        const QDate start = others.value(i, QStringLiteral("开始日期")).toDate();
        if (start.isValid() && start >= leave.end && (!next || start < *next))
            next = start;
    }
    return next;
}

} // namespace

std::optional<LeaveMember> leaveMember(TvelunDMForm& dm, const QString& cardNumber)
{
    const std::optional<StoredMember> member = storedMember(dm, cardNumber.trimmed());
    if (!member)
        return std::nullopt;
    return member->shown;
}

Outcome<qint64> recordLeave(const CommandContext& context, const LeaveInput& input)
{
    const QString card = input.cardNumber.trimmed();
    if (card.isEmpty())
        return Refusal::warning(QStringLiteral("请选择会员！"), field::leaveMember);
    if (input.end < input.start)
        return Refusal::warning(QStringLiteral("开始时间不能大于结束时间！"), field::leaveStart);

    TvelunDMForm& dm = context.dm;
    Transaction tx(dm.db());
    const std::optional<StoredMember> member = storedMember(dm, card);
    if (!member)
        return memberGone();
    const ResultSet latest = dm.list(QStringLiteral("select [结束日期] from [会员请假] where [会员卡号]=:hykh "
                                                    "order by [结束日期] DESC limit 1"),
                                     {{QStringLiteral("hykh"), card}});
    const Value latestEnd = latest.first(QStringLiteral("结束日期"));
    if (!latestEnd.isNull() && latestEnd.toDate() > input.start)
        return Refusal::warning(QStringLiteral("该会员的假期还没完，在假期内不能重复请假。\n该会员的请假到期时间为：") +
                                    latestEnd.toDate().toString(kDate) + QStringLiteral("！"),
                                field::leaveStart);

    const qint64 days = leaveDays(input.start, input.end);
    // Days never given are never taken back: without an expiry the leave moves nothing.
    const qint64 moved = member->expiry ? days : 0;
    dm.change(
        QStringLiteral("insert into [会员请假] ([会员卡号],[会员姓名],[会员类型],[联系电话],[请假日期],[开始日期],"
                       "[结束日期],[请假天数],[操作员],[备注],[顺延天数]) values(:hykh,:hyxm,:hylx,:lxdh,:qjrq,:ksrq,"
                       ":jsrq,:qjts,:czy,:bz,:syts)"),
        {{QStringLiteral("hykh"), member->shown.cardNumber},
         {QStringLiteral("hyxm"), member->shown.name},
         {QStringLiteral("hylx"), member->shown.cardType},
         {QStringLiteral("lxdh"), member->shown.contact},
         {QStringLiteral("qjrq"), context.now.date()},
         {QStringLiteral("ksrq"), input.start},
         {QStringLiteral("jsrq"), input.end},
         {QStringLiteral("qjts"), days},
         {QStringLiteral("czy"), context.operatorName},
         {QStringLiteral("bz"), input.remark.trimmed()},
         {QStringLiteral("syts"), moved}});
    const qint64 id = dm.db().lastInsertId();
    if (member->expiry && moved != 0)
        moveExpiry(dm, member->shown.cardNumber, member->expiry->addDays(moved));
    tx.commit();
    return id;
}

Outcome<LeaveToEnd> leaveToEnd(TvelunDMForm& dm, const LeaveKey& key, const QDate& today)
{
    const Outcome<StoredPair> pair = storedPair(dm, key);
    if (pair.refused())
        return pair.refusal();
    if (const MaybeRefusal refusal = endReached(pair->leave, today))
        return *refusal;
    return LeaveToEnd{pair->leave, pair->member.shown};
}

Outcome<> endLeave(const CommandContext& context, const LeaveKey& key, const QDate& endDay)
{
    TvelunDMForm& dm = context.dm;
    Transaction tx(dm.db());
    const Outcome<StoredPair> pair = storedPair(dm, key);
    if (pair.refused())
        return pair.refusal();
    const LeaveRow& leave = pair->leave;
    if (const MaybeRefusal refusal = endReached(leave, context.now.date()))
        return *refusal;
    if (endDay < leave.start)
        return Refusal::warning(QStringLiteral("销假时间不能小于开始时间！"), field::leaveUntil);
    // A leave lengthened into the next one would count the days they share twice.
    if (endDay > leave.end) {
        if (const std::optional<QDate> next = nextLeaveStart(dm, leave); next && endDay > *next)
            return Refusal::warning(QStringLiteral("销假时间必须早于下次请假的开始时间！"), field::leaveUntil);
    }

    const std::optional<QDate>& expiry = pair->member.expiry;
    const qint64 shift = expiryShift(leave, leaveDays(leave.end, endDay), expiry.has_value());
    dm.change(
        QStringLiteral("update [会员请假] set [结束日期]=:jsrq,[请假天数]=:qjts,[顺延天数]=:syts where [编号]=:bh"),
        {{QStringLiteral("jsrq"), endDay},
         {QStringLiteral("qjts"), leaveDays(leave.start, endDay)},
         {QStringLiteral("syts"), leave.moved + shift},
         {QStringLiteral("bh"), leave.id}});
    if (shift != 0)
        moveExpiry(dm, key.cardNumber, expiry->addDays(shift));
    tx.commit();
    return Done{};
}

MaybeRefusal checkLeaveDeletion(TvelunDMForm& dm, const LeaveKey& key, const QDate& today)
{
    const Outcome<StoredPair> pair = storedPair(dm, key);
    if (pair.refused())
        return pair.refusal();
    return started(pair->leave, today);
}

Outcome<> deleteLeave(const CommandContext& context, const LeaveKey& key)
{
    TvelunDMForm& dm = context.dm;
    Transaction tx(dm.db());
    const Outcome<StoredPair> pair = storedPair(dm, key);
    if (pair.refused())
        return pair.refusal();
    const LeaveRow& leave = pair->leave;
    if (const MaybeRefusal refusal = started(leave, context.now.date()))
        return *refusal;
    const std::optional<QDate>& expiry = pair->member.expiry;
    if (expiry && leave.moved != 0)
        moveExpiry(dm, key.cardNumber, expiry->addDays(-leave.moved));
    dm.change(QStringLiteral("delete from [会员请假] where [编号]=:bh"), {{QStringLiteral("bh"), leave.id}});
    tx.commit();
    return Done{};
}

} // namespace tkd::members
