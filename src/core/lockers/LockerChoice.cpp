#include "LockerChoice.h"

#include "Rentals.h"
#include "data/ScratchList.h"
#include "data/TvelunDMForm.h"
#include "db/Database.h"
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
    if (choice.lockerNumber.trimmed().isEmpty())
        return Refusal::warning(QStringLiteral("请选择衣柜！"));
    if (choice.rent < Money())
        return Refusal::warning(QStringLiteral("租金不能为负数，请重新输入！"), rentalField::rent);
    if (!choice.start.isValid() || !choice.end.isValid() || choice.end < choice.start)
        return Refusal::error(QStringLiteral("结束日期不能小于起始日期！"), rentalField::end);
    Transaction tx(dm.db());
    if (!isFree(dm, choice.lockerNumber))
        return Refusal::warning(QStringLiteral("该衣柜处于非可用状态，请选择其它的衣柜！"));
    // One row at most: a new choice replaces the one held before.
    ScratchList(dm, QStringLiteral("临时衣柜出租"))
        .refill({QStringLiteral("衣柜编号"), QStringLiteral("衣柜名称"), QStringLiteral("登记日期"),
                 QStringLiteral("起始日期"), QStringLiteral("截止日期"), QStringLiteral("租金"), QStringLiteral("押金"),
                 QStringLiteral("备注")},
                {{Value(choice.lockerNumber), Value(choice.lockerName), Value(context.now), Value(choice.start),
                  Value(choice.end), Value(choice.rent), Value(choice.deposit), Value(choice.remark.trimmed())}});
    tx.commit();
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

bool rentHeldChoice(TvelunDMForm& dm, const RentalChoice& choice, const QString& cardNumber, const QString& name,
                    const QString& type)
{
    const std::optional<LockerView> locker = findLocker(dm, choice.lockerNumber);
    if (!locker)
        return false;
    RentalRecord record;
    record.lockerId = locker->id;
    record.lockerNumber = locker->number;
    record.cardNumber = cardNumber;
    record.memberName = name;
    record.memberType = type;
    record.at = choice.heldAt;
    record.start = choice.start;
    record.end = choice.end;
    record.rent = choice.rent;
    // The deposit the operator was shown when the locker was held.
    record.deposit = choice.deposit;
    record.remark = choice.remark;
    return writeRental(dm, record) != 0;
}

} // namespace tkd::lockers
