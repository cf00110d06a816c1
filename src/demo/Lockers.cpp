#include "Lockers.h"

#include "Members.h"
#include "Reference.h"
#include "data/TvelunDMForm.h"
#include "lockers/LockerChoice.h"

#include <algorithm>

namespace tkd::demo {
namespace {

const Money kDeposit = Money::fromYuan(100);

// The set-up window numbers a batch of lockers with a prefix and plain numbers.
QString lockerNumber(int k)
{
    return QStringLiteral("G%1").arg(k + 1);
}

QString lockerName(int k)
{
    return lockerNumber(k) + QStringLiteral("衣柜");
}

// A few lockers nobody rents are broken, so that the register shows every state a free locker can have.
bool broken(int k, int rented)
{
    return k >= rented && k % 17 == 16;
}

} // namespace

int lockerCount(int members)
{
    return std::max(0, members) / 4 + 4;
}

void planLockers(Rng& rng, Hall& hall)
{
    hall.lockerCount = lockerCount(int(hall.members.size()));
    int rented = 0;
    for (int i = 0; i < int(hall.members.size()) && rented < hall.lockerCount - 2; ++i) {
        Member& m = hall.members[size_t(i)];
        const bool wants = i == Busiest || i == LockerEnding || (i >= SpecialCount && rng.chance(20));
        if (!wants || m.standing == Standing::NeverOpened)
            continue;
        m.locker = lockerNumber(rented++);
        const QDate& today = hall.today;
        if (i == LockerEnding)
            m.lockerEnd = today.addDays(3);
        else if (rng.chance(15))
            m.lockerEnd = today.addDays(-rng.between(1, 60));
        else if (rng.chance(10))
            m.lockerEnd = today.addDays(rng.between(0, 6));
        else
            m.lockerEnd = today.addDays(rng.between(8, 300));
        // A rental ends after the member joined.
        if (m.lockerEnd <= m.joined)
            m.lockerEnd = m.joined.addDays(30);
        m.lockerMonths = rng.between(1, 12);
        const QDate start = std::clamp(m.lockerEnd.addMonths(-m.lockerMonths), m.joined, today);
        m.lockerRented = std::max(m.joinedAt + 900, momentOf(start, rng.between(9 * 3600, 20 * 3600 - 1)));
    }
    hall.rentedLockers = rented;
}

void writeLockerSetup(Books& books)
{
    TvelunDMForm& dm = books.dm;
    for (int k = 0; k < books.hall.lockerCount; ++k) {
        dm.change(QStringLiteral("insert into [衣柜设置] ([衣柜编号],[衣柜名称],[押金],[状态],[会员卡号],[会员姓名],"
                                 "[会员类型],[到期日期],[备注],[临时出租],[出租编号]) values(:ygbh,:ygmc,:yj,:zt,:hykh,"
                                 ":hyxm,:hylx,:dqrq,:bz,:lscz,:czbh)"),
                  {{QStringLiteral("ygbh"), lockerNumber(k)},
                   {QStringLiteral("ygmc"), lockerName(k)},
                   {QStringLiteral("yj"), kDeposit},
                   {QStringLiteral("zt"), QStringLiteral("可用")},
                   {QStringLiteral("hykh"), QString()},
                   {QStringLiteral("hyxm"), QString()},
                   {QStringLiteral("hylx"), QString()},
                   {QStringLiteral("dqrq"), Value()},
                   {QStringLiteral("bz"), QString()},
                   {QStringLiteral("lscz"), false},
                   {QStringLiteral("czbh"), 0}});
        if (!broken(k, books.hall.rentedLockers))
            continue;
        dm.change(
            QStringLiteral("update [衣柜设置] set [衣柜编号]=:ygbh,[衣柜名称]=:ygmc,[押金]=:yj,[状态]=:zt,[备注]=:bz "
                           "where [编号]=:bh"),
            {{QStringLiteral("ygbh"), lockerNumber(k)},
             {QStringLiteral("ygmc"), lockerName(k)},
             {QStringLiteral("yj"), kDeposit},
             {QStringLiteral("zt"), QStringLiteral("损坏")},
             {QStringLiteral("bz"), QStringLiteral("门锁坏了")},
             {QStringLiteral("bh"), dm.db().lastInsertId()}});
    }
}

void writeRental(Books& books, const Member& m)
{
    lockers::RentalChoice choice;
    choice.lockerNumber = m.locker;
    choice.lockerName = lockerName(m.locker.mid(1).toInt() - 1);
    choice.end = m.lockerEnd;
    choice.start = std::clamp(m.lockerEnd.addMonths(-m.lockerMonths), m.joined, books.hall.today);
    choice.rent = Money::fromYuan(50 * m.lockerMonths);
    choice.deposit = kDeposit;
    choice.heldAt = dateTimeOf(m.lockerRented);
    lockers::rentHeldChoice(books.dm, choice, m.card, m.name, QString::fromUtf16(cardType(m.type).name));
}

} // namespace tkd::demo
