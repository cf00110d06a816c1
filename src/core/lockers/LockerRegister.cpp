#include "LockerRegister.h"

#include "Rent.h"
#include "data/TvelunDMForm.h"
#include "db/Database.h"

#include <optional>

namespace tkd::lockers {

namespace {

Refusal lockerGone()
{
    return Refusal::warning(QStringLiteral("该衣柜已不存在！"));
}

Refusal duplicateNumber(const QString& number)
{
    return Refusal::error(QStringLiteral("重复的衣柜编号：") + number + QStringLiteral("！"), lockerField::number);
}

// A locker number of the batch as typed: blank is 0; digits only, at most nine of them.
std::optional<qint64> batchNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return 0;
    if (trimmed.size() > 9)
        return std::nullopt;
    for (const QChar c : trimmed)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    return trimmed.toLongLong();
}

ResultSet lockerById(TvelunDMForm& dm, qint64 id)
{
    return dm.list(QStringLiteral("select [编号],[衣柜编号],[状态] from [衣柜设置] where [编号]=:bh"),
                   {{QStringLiteral("bh"), id}});
}

// Whether a locker other than the one of that row id carries the number (as the column compares).
bool numberTaken(TvelunDMForm& dm, const QString& number, qint64 exceptId)
{
    return !dm.list(QStringLiteral("select [编号] from [衣柜设置] where [衣柜编号]=:ygbh and [编号]<>:bh limit 1"),
                    {{QStringLiteral("ygbh"), number}, {QStringLiteral("bh"), exceptId}})
                .isEmpty();
}

} // namespace

QStringList editableStates()
{
    return {kFree, kDamaged, kOccupied};
}

ResultSet registerList(TvelunDMForm& dm)
{
    return dm.open(QStringLiteral("ADODS_ygsz"));
}

Outcome<int> addLockers(const CommandContext& context, const LockerBatch& batch)
{
    TvelunDMForm& dm = context.dm;
    const std::optional<qint64> first = batchNumber(batch.startNumber);
    if (!first)
        return Refusal::error(QStringLiteral("起始编号必须是整数！"), lockerField::startNumber);
    const std::optional<qint64> last = batchNumber(batch.endNumber);
    if (!last)
        return Refusal::error(QStringLiteral("结束编号必须是整数！"), lockerField::endNumber);
    if (*last < *first)
        return Refusal::error(QStringLiteral("结束编号不能小于起始编号！"), lockerField::endNumber);
    if (*last - *first + 1 > kMaxBatch)
        return Refusal::error(QStringLiteral("一次最多增加") + QString::number(kMaxBatch) + QStringLiteral("个衣柜！"),
                              lockerField::endNumber);
    const Outcome<Money> deposit = amountFromText(batch.deposit, QStringLiteral("押金"), lockerField::deposit);
    if (deposit.refused())
        return deposit.refusal();

    const QString prefix = batch.prefix.trimmed();
    const QString remark = batch.remark.trimmed();
    Transaction tx(dm.db());
    for (qint64 n = *first; n <= *last; ++n) {
        const QString number = prefix + QString::number(n);
        // Every lookup and update by number assumes one locker per number.
        if (numberTaken(dm, number, 0))
            return duplicateNumber(number);
        dm.change(QStringLiteral("insert into [衣柜设置] ([衣柜编号],[衣柜名称],[押金],[状态],[会员卡号],[会员姓名],"
                                 "[会员类型],[到期日期],[备注],[临时出租],[出租编号]) values(:ygbh,:ygmc,:yj,:zt,:hykh,"
                                 ":hyxm,:hylx,:dqrq,:bz,:lscz,:czbh)"),
                  {{QStringLiteral("ygbh"), number},
                   {QStringLiteral("ygmc"), number + QStringLiteral("衣柜")},
                   {QStringLiteral("yj"), deposit.value()},
                   {QStringLiteral("zt"), kFree},
                   {QStringLiteral("hykh"), QString()},
                   {QStringLiteral("hyxm"), QString()},
                   {QStringLiteral("hylx"), QString()},
                   {QStringLiteral("dqrq"), Value()},
                   {QStringLiteral("bz"), remark},
                   {QStringLiteral("lscz"), false},
                   {QStringLiteral("czbh"), 0}});
    }
    tx.commit();
    return static_cast<int>(*last - *first + 1);
}

MaybeRefusal refuseLockerEdit(TvelunDMForm& dm, qint64 id)
{
    const ResultSet row = lockerById(dm, id);
    if (row.isEmpty())
        return lockerGone();
    if (row.first(QStringLiteral("状态")).toText() == kRented)
        return Refusal::warning(QStringLiteral("该衣柜处于已租状态，不能修改！"));
    return std::nullopt;
}

Outcome<> editLocker(const CommandContext& context, const LockerEdit& edit)
{
    TvelunDMForm& dm = context.dm;
    const QString number = edit.number.trimmed();
    if (number.isEmpty())
        return Refusal::error(QStringLiteral("衣柜编号不能为空！"), lockerField::number);
    const Outcome<Money> deposit = amountFromText(edit.deposit, QStringLiteral("押金"), lockerField::deposit);
    if (deposit.refused())
        return deposit.refusal();
    // A rented locker has a member and a rental record: only renting makes one.
    if (!editableStates().contains(edit.state))
        return Refusal::error(QStringLiteral("衣柜状态只能是可用、损坏或占用！"), lockerField::state);

    Transaction tx(dm.db());
    if (MaybeRefusal refusal = refuseLockerEdit(dm, edit.id))
        return std::move(*refusal);
    if (numberTaken(dm, number, edit.id))
        return duplicateNumber(number);
    const qint64 changed = dm.change(
        QStringLiteral("update [衣柜设置] set [衣柜编号]=:ygbh,[衣柜名称]=:ygmc,[押金]=:yj,[状态]=:zt,[备注]=:bz "
                       "where [编号]=:bh and [状态]<>\"已租\""),
        {{QStringLiteral("ygbh"), number},
         {QStringLiteral("ygmc"), edit.name.trimmed()},
         {QStringLiteral("yj"), deposit.value()},
         {QStringLiteral("zt"), edit.state},
         {QStringLiteral("bz"), edit.remark.trimmed()},
         {QStringLiteral("bh"), edit.id}});
    if (changed == 0)
        return Refusal::warning(QStringLiteral("该衣柜处于已租状态，不能修改！"));
    tx.commit();
    return Done{};
}

MaybeRefusal refuseLockerRemoval(TvelunDMForm& dm, qint64 id)
{
    const ResultSet row = lockerById(dm, id);
    if (row.isEmpty())
        return lockerGone();
    if (row.first(QStringLiteral("状态")).toText() == kRented)
        return Refusal::warning(QStringLiteral("该衣柜处于已租状态，不能删除！"));
    return std::nullopt;
}

Outcome<> removeLocker(const CommandContext& context, qint64 id)
{
    TvelunDMForm& dm = context.dm;
    Transaction tx(dm.db());
    if (MaybeRefusal refusal = refuseLockerRemoval(dm, id))
        return std::move(*refusal);
    dm.change(QStringLiteral("delete from [衣柜设置] where [编号]=:bh and [状态]<>\"已租\""),
              {{QStringLiteral("bh"), id}});
    tx.commit();
    return Done{};
}

} // namespace tkd::lockers
