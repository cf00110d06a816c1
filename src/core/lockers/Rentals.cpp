#include "Rentals.h"

#include "LockerRegister.h"
#include "Rent.h"
#include "data/TvelunDMForm.h"
#include "db/Database.h"

namespace tkd::lockers {

namespace {

const QString kRentedOut = QStringLiteral("租用");
const QString kReturned = QStringLiteral("退柜");

Refusal notRentedForRenewal()
{
    return Refusal::warning(QStringLiteral("该衣柜处于非租用状态，不能续费！"));
}

Refusal notRentedForReturn()
{
    return Refusal::warning(QStringLiteral("该衣柜处于非租用状态，不能退柜！"));
}

Refusal notFree()
{
    return Refusal::warning(QStringLiteral("该衣柜处于非可用状态，请选择其它的衣柜！"));
}

QDate dateOf(const Value& value)
{
    return value.isNull() ? QDate() : value.toDate();
}

LockerView viewOf(const ResultSet& row)
{
    LockerView view;
    view.id = row.first(QStringLiteral("编号")).toInt();
    view.number = row.first(QStringLiteral("衣柜编号")).toText();
    view.name = row.first(QStringLiteral("衣柜名称")).toText();
    view.deposit = row.first(QStringLiteral("押金")).toMoney();
    view.state = row.first(QStringLiteral("状态")).toText();
    view.cardNumber = row.first(QStringLiteral("会员卡号")).toText();
    view.memberName = row.first(QStringLiteral("会员姓名")).toText();
    view.memberType = row.first(QStringLiteral("会员类型")).toText();
    view.expiry = dateOf(row.first(QStringLiteral("到期日期")));
    view.remark = row.first(QStringLiteral("备注")).toText();
    view.temporary = row.first(QStringLiteral("临时出租")).toBool();
    view.rentalId = row.first(QStringLiteral("出租编号")).toInt();
    return view;
}

// Rented, and to that member when one is named.
bool rentedTo(const std::optional<LockerView>& locker, const QString& cardNumber)
{
    return locker && locker->state == kRented &&
           (cardNumber.isEmpty() || locker->cardNumber.compare(cardNumber, Qt::CaseInsensitive) == 0);
}

struct StoredMember {
    QString name;
    QString type;
    QString locker;
};

std::optional<StoredMember> storedMember(TvelunDMForm& dm, const QString& cardNumber)
{
    const ResultSet row =
        dm.list(QStringLiteral("select [会员姓名],[会员类型],[衣柜编号] from [会员信息] where [会员卡号]=:hykh"),
                {{QStringLiteral("hykh"), cardNumber}});
    if (row.isEmpty())
        return std::nullopt;
    return StoredMember{row.first(QStringLiteral("会员姓名")).toText(), row.first(QStringLiteral("会员类型")).toText(),
                        row.first(QStringLiteral("衣柜编号")).toText()};
}

qint64 insertRecord(TvelunDMForm& dm, const QString& card, const QString& name, const QString& type,
                    const QString& locker, const QDateTime& at, const QString& state, const Value& start,
                    const Value& end, const Money& rent, const Money& deposit, const QString& remark)
{
    dm.change(
        QStringLiteral("insert into [衣柜出租] ([会员卡号],[会员姓名],[会员类型],[衣柜编号],[登记日期],[出租状态],"
                       "[起始日期],[截止日期],[租金],[押金],[备注]) values(:hykh,:hyxm,:hylx,:ygbh,:djrq,:czzt,"
                       ":qsrq,:jzrq,:zj,:yj,:bz)"),
        {{QStringLiteral("hykh"), card},
         {QStringLiteral("hyxm"), name},
         {QStringLiteral("hylx"), type},
         {QStringLiteral("ygbh"), locker},
         {QStringLiteral("djrq"), at},
         {QStringLiteral("czzt"), state},
         {QStringLiteral("qsrq"), start},
         {QStringLiteral("jzrq"), end},
         {QStringLiteral("zj"), rent},
         {QStringLiteral("yj"), deposit},
         {QStringLiteral("bz"), remark}});
    // The record's own id, never the largest one in the table: that may be someone else's.
    return dm.db().lastInsertId();
}

} // namespace

std::optional<LockerView> findLocker(TvelunDMForm& dm, const QString& number)
{
    if (number.trimmed().isEmpty())
        return std::nullopt;
    const ResultSet row = dm.open(QStringLiteral("ADOQ_ygbhxx"), {{QStringLiteral("ygbh"), number.trimmed()}});
    if (row.isEmpty())
        return std::nullopt;
    return viewOf(row);
}

std::optional<LockerView> deskLocker(TvelunDMForm& dm, const QString& cardNumber, const QString& number)
{
    if (cardNumber.isEmpty())
        return std::nullopt;
    std::optional<LockerView> locker = findLocker(dm, number);
    if (!rentedTo(locker, cardNumber))
        return std::nullopt;
    return locker;
}

Money depositTaken(TvelunDMForm& dm, const LockerView& locker)
{
    const ResultSet record = dm.list(QStringLiteral("select [押金] from [衣柜出租] where [编号]=:bh"),
                                     {{QStringLiteral("bh"), locker.rentalId}});
    return record.isEmpty() ? locker.deposit : record.first(QStringLiteral("押金")).toMoney();
}

MaybeRefusal refuseRenting(TvelunDMForm& dm, const QString& number)
{
    const std::optional<LockerView> locker = findLocker(dm, number);
    if (!locker || locker->state != kFree)
        return Refusal::warning(QStringLiteral("该衣柜处于不可用状态，不能出租！"));
    return std::nullopt;
}

MaybeRefusal refuseRenewal(TvelunDMForm& dm, const QString& number)
{
    if (!rentedTo(findLocker(dm, number), {}))
        return notRentedForRenewal();
    return std::nullopt;
}

MaybeRefusal refuseReturn(TvelunDMForm& dm, const QString& number)
{
    if (!rentedTo(findLocker(dm, number), {}))
        return notRentedForReturn();
    return std::nullopt;
}

qint64 writeRental(TvelunDMForm& dm, const RentalRecord& r)
{
    const qint64 id = insertRecord(dm, r.cardNumber, r.memberName, r.memberType, r.lockerNumber, r.at, kRentedOut,
                                   r.start, r.end, r.rent, r.deposit, r.remark);
    // Only a free locker is rented: whoever rented it since the window read it keeps it.
    const qint64 changed = dm.change(
        QStringLiteral("update [衣柜设置] set [状态]=\"已租\",[会员卡号]=:hykh,[会员姓名]=:hyxm,[会员类型]=:hylx,"
                       "[到期日期]=:dqrq,[临时出租]=:lscz,[出租编号]=:czbh where [编号]=:bh and [状态]=\"可用\""),
        {{QStringLiteral("hykh"), r.cardNumber},
         {QStringLiteral("hyxm"), r.memberName},
         {QStringLiteral("hylx"), r.memberType},
         {QStringLiteral("dqrq"), r.end},
         {QStringLiteral("lscz"), r.temporary},
         {QStringLiteral("czbh"), id},
         {QStringLiteral("bh"), r.lockerId}});
    return changed == 0 ? 0 : id;
}

Outcome<RentalTicket> rentLocker(const CommandContext& context, const RentalInput& input)
{
    TvelunDMForm& dm = context.dm;
    const QString number = input.lockerNumber.trimmed();
    const QString card = input.cardNumber.trimmed();
    if (number.isEmpty())
        return Refusal::warning(QStringLiteral("请选择衣柜！"));
    if (card.isEmpty())
        return Refusal::warning(QStringLiteral("请首先选择会员！"), rentalField::card);
    const bool temporary = input.kind == RentalKind::Temporary;
    const QDate today = context.now.date();
    Money rent;
    QDate start = today;
    QDate end = today;
    if (!temporary) {
        const Outcome<Money> typed = amountFromText(input.rent, QStringLiteral("租金"), rentalField::rent);
        if (typed.refused())
            return typed.refusal();
        rent = typed.value();
        start = input.start;
        end = input.end;
        if (!start.isValid() || !end.isValid() || end < start)
            return Refusal::error(QStringLiteral("结束日期不能小于起始日期！"), rentalField::end);
    }

    Transaction tx(dm.db());
    const std::optional<StoredMember> member = storedMember(dm, card);
    if (!member)
        return Refusal::warning(QStringLiteral("会员卡号不存在！"), rentalField::card);
    const std::optional<LockerView> locker = findLocker(dm, number);
    if (!locker || locker->state != kFree)
        return notFree();
    RentalRecord record;
    record.lockerId = locker->id;
    record.lockerNumber = locker->number;
    record.cardNumber = card;
    record.memberName = member->name;
    record.memberType = member->type;
    record.at = context.now;
    record.start = start;
    record.end = end;
    record.rent = rent;
    record.deposit = locker->deposit;
    record.remark = input.remark.trimmed();
    record.temporary = temporary;
    const qint64 id = writeRental(dm, record);
    if (id == 0)
        return notFree();
    // A member may hold several lockers; the member's row names the latest.
    dm.change(QStringLiteral("update [会员信息] set [衣柜编号]=:ygbh where [会员卡号]=:hykh"),
              {{QStringLiteral("ygbh"), locker->number}, {QStringLiteral("hykh"), card}});
    tx.commit();

    RentalTicket ticket;
    ticket.recordId = id;
    ticket.lockerNumber = locker->number;
    ticket.lockerName = locker->name;
    ticket.cardNumber = card;
    ticket.memberName = member->name;
    ticket.deposit = locker->deposit;
    ticket.amount = rent;
    ticket.start = start;
    ticket.end = end;
    ticket.temporary = temporary;
    return ticket;
}

Outcome<RentalTicket> renewLocker(const CommandContext& context, const RenewalInput& input)
{
    TvelunDMForm& dm = context.dm;
    const Outcome<Money> amount = amountFromText(input.amount, QStringLiteral("续费金额"), rentalField::amount);
    if (amount.refused())
        return amount.refusal();

    Transaction tx(dm.db());
    const std::optional<LockerView> locker = findLocker(dm, input.lockerNumber);
    if (!rentedTo(locker, input.cardNumber.trimmed()))
        return notRentedForRenewal();
    const QDate oldEnd = locker->expiry;
    if (!input.newEnd.isValid() || (oldEnd.isValid() && input.newEnd < oldEnd))
        return Refusal::error(QStringLiteral("截止日期不能小于到期日期！"), rentalField::end);
    const QString remark = input.remark.trimmed();

    qint64 recordId = locker->rentalId;
    const ResultSet record =
        dm.list(QStringLiteral("select [押金] from [衣柜出租] where [编号]=:bh"), {{QStringLiteral("bh"), recordId}});
    Money deposit = locker->deposit;
    if (!record.isEmpty()) {
        deposit = record.first(QStringLiteral("押金")).toMoney();
        dm.change(QStringLiteral("update [衣柜出租] set [租金]=ifnull([租金],0)+:zj,[截止日期]=:jzrq,[备注]=:bz "
                                 "where [编号]=:bh"),
                  {{QStringLiteral("zj"), amount.value()},
                   {QStringLiteral("jzrq"), input.newEnd},
                   {QStringLiteral("bz"), remark},
                   {QStringLiteral("bh"), recordId}});
    } else {
        // The records were cleaned away: the money taken must still be recorded somewhere.
        const std::optional<StoredMember> member = storedMember(dm, locker->cardNumber);
        recordId = insertRecord(dm, locker->cardNumber, locker->memberName, member ? member->type : locker->memberType,
                                locker->number, context.now, kRentedOut, oldEnd.isValid() ? Value(oldEnd) : Value(),
                                input.newEnd, amount.value(), Money(), remark);
    }
    dm.change(QStringLiteral("update [衣柜设置] set [到期日期]=:dqrq,[临时出租]=:lscz,[出租编号]=:czbh "
                             "where [编号]=:bh and [状态]=\"已租\""),
              {{QStringLiteral("dqrq"), input.newEnd},
               {QStringLiteral("lscz"), false},
               {QStringLiteral("czbh"), recordId},
               {QStringLiteral("bh"), locker->id}});
    tx.commit();

    RentalTicket ticket;
    ticket.recordId = recordId;
    ticket.lockerNumber = locker->number;
    ticket.lockerName = locker->name;
    ticket.cardNumber = locker->cardNumber;
    ticket.memberName = locker->memberName;
    ticket.deposit = deposit;
    ticket.amount = amount.value();
    ticket.start = oldEnd;
    ticket.end = input.newEnd;
    return ticket;
}

Outcome<ReturnDone> returnLocker(const CommandContext& context, const ReturnInput& input)
{
    TvelunDMForm& dm = context.dm;
    Transaction tx(dm.db());
    const std::optional<LockerView> locker = findLocker(dm, input.lockerNumber);
    if (!rentedTo(locker, input.cardNumber.trimmed()))
        return notRentedForReturn();
    // What the rental took is what goes back, whatever the locker asks today.
    const Money refunded = depositTaken(dm, *locker);

    dm.change(QStringLiteral("update [衣柜设置] set [状态]=\"可用\",[会员卡号]=\"\",[会员姓名]=\"\",[会员类型]=\"\","
                             "[到期日期]=:dqrq,[临时出租]=:lscz,[出租编号]=0 where [编号]=:bh and [状态]=\"已租\""),
              {{QStringLiteral("dqrq"), Value()}, {QStringLiteral("lscz"), false}, {QStringLiteral("bh"), locker->id}});

    const QString card = locker->cardNumber;
    const std::optional<StoredMember> member = storedMember(dm, card);
    QString memberLocker = member ? member->locker : QString();
    if (member && member->locker.compare(locker->number, Qt::CaseInsensitive) == 0) {
        const ResultSet other = dm.list(QStringLiteral("select [衣柜编号] from [衣柜设置] where [会员卡号]=:hykh and "
                                                       "[状态]=\"已租\" order by [出租编号] desc,[编号] desc limit 1"),
                                        {{QStringLiteral("hykh"), card}});
        memberLocker = other.first(QStringLiteral("衣柜编号")).toText();
        dm.change(QStringLiteral("update [会员信息] set [衣柜编号]=:ygbh where [会员卡号]=:hykh"),
                  {{QStringLiteral("ygbh"), memberLocker}, {QStringLiteral("hykh"), card}});
    }
    const qint64 id = insertRecord(dm, card, locker->memberName, member ? member->type : QString(), locker->number,
                                   context.now, kReturned, Value(), Value(), Money(), Money() - refunded, QString());
    tx.commit();
    return ReturnDone{id, card, refunded, memberLocker};
}

} // namespace tkd::lockers
