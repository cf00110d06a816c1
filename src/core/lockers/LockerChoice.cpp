#include "LockerChoice.h"

#include "data/ScratchList.h"
#include "data/TvelunDMForm.h"
#include "db/TextSearch.h"

namespace tkd::lockers {

bool isFree(TvelunDMForm& dm, const QString& lockerNumber)
{
    const ResultSet locker = dm.open(QStringLiteral("ADOQ_ygbhxx"), {{QStringLiteral("ygbh"), lockerNumber}});
    return !locker.isEmpty() && locker.first(QStringLiteral("状态")).toText() == QStringLiteral("可用");
}

ResultSet chooserList(TvelunDMForm& dm)
{
    return dm.open(QStringLiteral("ADODS_ygsz"));
}

Filter chooserFilter(bool showAll, const QString& number)
{
    std::vector<Filter> parts;
    if (!showAll)
        parts.push_back(Filter::where(QStringLiteral("状态"), Match::Equals, QStringLiteral("可用")));
    if (Filter typed = containsAny({QStringLiteral("衣柜编号")}, number); !typed.isEmpty())
        parts.push_back(std::move(typed));
    return parts.empty() ? Filter() : Filter::allOf(std::move(parts));
}

ResultSet searchLockers(TvelunDMForm& dm, bool showAll, const QString& number)
{
    ResultSet rows = chooserList(dm);
    rows.setFilter(chooserFilter(showAll, number));
    return rows;
}

Outcome<> holdForRegistration(const CommandContext& context, const RentalChoice& choice)
{
    TvelunDMForm& dm = context.dm;
    if (!isFree(dm, choice.lockerNumber))
        return Refusal::warning(QStringLiteral("该衣柜处于非可用状态，请选择其它的衣柜！"));
    // One row at most: a new choice replaces the one held before.
    ScratchList(dm, QStringLiteral("临时衣柜出租"))
        .refill({QStringLiteral("衣柜编号"), QStringLiteral("衣柜名称"), QStringLiteral("登记日期"),
                 QStringLiteral("起始日期"), QStringLiteral("截止日期"), QStringLiteral("租金"), QStringLiteral("押金"),
                 QStringLiteral("备注")},
                {{Value(choice.lockerNumber), Value(choice.lockerName), Value(context.now), Value(choice.start),
                  Value(choice.end), Value(choice.rent), Value(choice.deposit), Value(choice.remark.trimmed())}});
    return Done{};
}

std::optional<RentalChoice> heldChoice(TvelunDMForm& dm, const QString& lockerNumber)
{
    const ResultSet held = dm.open(QStringLiteral("ADODS_tmpygcz"));
    if (held.isEmpty() || held.first(QStringLiteral("衣柜编号")).toText() != lockerNumber)
        return std::nullopt;
    RentalChoice choice;
    choice.lockerNumber = lockerNumber;
    choice.lockerName = held.first(QStringLiteral("衣柜名称")).toText();
    choice.start = held.first(QStringLiteral("起始日期")).toDate();
    choice.end = held.first(QStringLiteral("截止日期")).toDate();
    choice.rent = held.first(QStringLiteral("租金")).toMoney();
    choice.deposit = held.first(QStringLiteral("押金")).toMoney();
    choice.remark = held.first(QStringLiteral("备注")).toText();
    choice.heldAt = held.first(QStringLiteral("登记日期")).toDateTime();
    return choice;
}

void rentHeldChoice(TvelunDMForm& dm, const RentalChoice& choice, const QString& cardNumber, const QString& name,
                    const QString& type)
{
    dm.change(
        QStringLiteral("insert into [衣柜出租] ([会员卡号],[会员姓名],[会员类型],[衣柜编号],[登记日期],[出租状态],"
                       "[起始日期],[截止日期],[租金],[押金],[备注]) values(:hykh,:hyxm,:hylx,:ygbh,:djrq,:czzt,"
                       ":qsrq,:jzrq,:zj,:yj,:bz)"),
        {{QStringLiteral("hykh"), cardNumber},
         {QStringLiteral("hyxm"), name},
         {QStringLiteral("hylx"), type},
         {QStringLiteral("ygbh"), choice.lockerNumber},
         {QStringLiteral("djrq"), choice.heldAt},
         {QStringLiteral("czzt"), QStringLiteral("租用")},
         {QStringLiteral("qsrq"), choice.start},
         {QStringLiteral("jzrq"), choice.end},
         {QStringLiteral("zj"), choice.rent},
         {QStringLiteral("yj"), choice.deposit},
         {QStringLiteral("bz"), choice.remark}});
    const qint64 rental =
        dm.list(QStringLiteral("select max([编号]) as [m] from [衣柜出租]")).first(QStringLiteral("m")).toInt();
    dm.change(QStringLiteral("update [衣柜设置] set [状态]=\"已租\",[会员卡号]=:hykh,[会员姓名]=:hyxm,[会员类型]=:hylx,"
                             "[到期日期]=:dqrq,[临时出租]=:lscz,[出租编号]=:czbh where [衣柜编号]=:ygbh"),
              {{QStringLiteral("hykh"), cardNumber},
               {QStringLiteral("hyxm"), name},
               {QStringLiteral("hylx"), type},
               {QStringLiteral("dqrq"), choice.end},
               {QStringLiteral("lscz"), false},
               {QStringLiteral("czbh"), rental},
               {QStringLiteral("ygbh"), choice.lockerNumber}});
}

} // namespace tkd::lockers
