#include "Lockers.h"

#include "Members.h"
#include "Reference.h"
#include "data/TvelunDMForm.h"
#include "db/DbError.h"
#include "lockers/LockerChoice.h"
#include "lockers/LockerRegister.h"
#include "lockers/Rentals.h"

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

namespace {

// Rentals of the free lockers that ended before today: the lockers are taken in turn, each rented
// again a little after its last return, to members who hold no locker now.
void planPastRentals(Rng& rng, Hall& hall, int returns, int temporaries)
{
    std::vector<int> free;
    for (int k = hall.rentedLockers; k < hall.lockerCount; ++k)
        if (!broken(k, hall.rentedLockers))
            free.push_back(k);
    const int members = int(hall.members.size());
    const int total = returns + temporaries;
    if (free.empty() || members <= SpecialCount || total <= 0)
        return;
    const QDate& today = hall.today;
    const QDate last = today.addDays(-1);
    // Members without a locker by the moment they joined: a renter is drawn among those who had joined.
    std::vector<std::pair<Moment, int>> renters;
    for (int i = SpecialCount; i < members; ++i)
        if (hall.members[size_t(i)].locker.isEmpty())
            renters.push_back({hall.members[size_t(i)].joinedAt, i});
    if (renters.empty())
        return;
    std::sort(renters.begin(), renters.end());
    std::vector<QDate> nextFree(free.size(), std::max(today.addDays(-360), dayOf(renters.front().first).addDays(1)));
    size_t turn = 0;
    for (int j = 0; j < total; ++j) {
        // Spread the day's rentals evenly among the others.
        const bool forTheDay = (qint64(j) * temporaries) / total != (qint64(j + 1) * temporaries) / total;
        const int days = forTheDay ? 0 : rng.between(20, 60);
        // The next locker in turn with room left for this rental before today.
        size_t slot = free.size();
        QDate day;
        for (size_t tried = 0; tried < free.size() && slot == free.size(); ++tried, ++turn) {
            day = nextFree[turn % free.size()].addDays(rng.between(0, forTheDay ? 10 : 20));
            if (day.addDays(forTheDay ? 0 : 5) <= last)
                slot = turn % free.size();
        }
        if (slot == free.size())
            break;
        const QString locker = lockerNumber(free[slot]);
        const Moment at = momentOf(day, rng.between(9 * 3600, 17 * 3600));
        const auto joined = std::lower_bound(renters.begin(), renters.end(), std::pair<Moment, int>{at, -1});
        const int renter =
            renters[size_t(rng.below(int(std::max<std::ptrdiff_t>(1, joined - renters.begin()))))].second;
        Moment back = 0;
        if (forTheDay) {
            back = at + rng.between(3600, 3 * 3600);
            hall.lockerEvents.push_back({at, LockerStep::RentForTheDay, renter, locker, day, day, Money()});
        } else {
            const QDate end = day.addDays(days);
            // Given back about when it ends, now and then early, never after yesterday.
            const QDate returned = std::min(last, end.addDays(-rng.between(0, 10)));
            back = momentOf(std::max(day.addDays(1), returned), rng.between(9 * 3600, 20 * 3600));
            hall.lockerEvents.push_back(
                {at, LockerStep::Rent, renter, locker, day, end, Money::fromYuan(50 * std::max(1, days / 30))});
        }
        hall.lockerEvents.push_back({back, LockerStep::Return, renter, locker, {}, {}, Money()});
        nextFree[slot] = dayOf(back).addDays(1);
    }
}

} // namespace

void planLockers(Rng& rng, Hall& hall, const HallSize& size)
{
    hall.lockerCount = size.lockers > 0 ? size.lockers : lockerCount(int(hall.members.size()));
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
        QDate start = std::clamp(m.lockerEnd.addMonths(-m.lockerMonths), m.joined, today);
        // A large hall's long rentals began on earlier days, not thousands of them today.
        if (size.lockers > 0 && start >= today)
            start = std::clamp(today.addDays(-rng.between(1, 60)), m.joined, today);
        m.lockerStart = start;
        m.lockerRented = std::max(m.joinedAt + 900, momentOf(start, rng.between(9 * 3600, 20 * 3600 - 1)));
        // A large hall's renter paid for a shorter time first and renewed before it ran out.
        const QDate lastRenewal = std::min(m.lockerEnd, today).addDays(-1);
        const QDate rentedOn = dayOf(m.lockerRented);
        if (size.lockers > 0 && i != LockerEnding && rng.chance(33) && rentedOn.daysTo(lastRenewal) >= 14) {
            m.lockerFirstEnd = rentedOn.addDays(rng.between(7, int(rentedOn.daysTo(lastRenewal))));
            const QDate renewedOn = rentedOn.addDays(rng.between(1, int(rentedOn.daysTo(m.lockerFirstEnd))));
            const int months = std::max(1, int(m.lockerFirstEnd.daysTo(m.lockerEnd) / 30));
            hall.lockerEvents.push_back({momentOf(renewedOn, rng.between(9 * 3600, 20 * 3600)),
                                         LockerStep::Renew,
                                         i,
                                         m.locker,
                                         {},
                                         m.lockerEnd,
                                         Money::fromYuan(50 * months)});
        }
    }
    hall.rentedLockers = rented;
    if (size.lockers > 0)
        planPastRentals(rng, hall, size.lockerReturns, size.temporaryRentals);
}

namespace {

[[noreturn]] void failWith(const Refusal& refusal)
{
    throw DbError(QStringLiteral("the hall generator was refused: %1").arg(refusal.message));
}

} // namespace

void writeLockerSetup(Books& books)
{
    TvelunDMForm& dm = books.dm;
    const Moment setUp = momentOf(books.hall.setupDay, 10 * 3600);
    const CommandContext context{dm, operatorAt(setUp), dateTimeOf(setUp)};
    for (int first = 0; first < books.hall.lockerCount; first += lockers::kMaxBatch) {
        const int last = std::min(books.hall.lockerCount, first + lockers::kMaxBatch);
        const Outcome<int> added = lockers::addLockers(
            context, {QStringLiteral("G"), QString::number(first + 1), QString::number(last), kDeposit.toString(), {}});
        if (added.refused())
            failWith(added.refusal());
    }
    for (int k = 0; k < books.hall.lockerCount; ++k) {
        if (!broken(k, books.hall.rentedLockers))
            continue;
        const qint64 id = dm.db()
                              .scalar(QStringLiteral("select [编号] from [衣柜设置] where [衣柜编号]=:ygbh"),
                                      {{QStringLiteral("ygbh"), lockerNumber(k)}})
                              .toInt();
        const Outcome<> edited = lockers::editLocker(context, {id, lockerNumber(k), lockerName(k), kDeposit.toString(),
                                                               lockers::kDamaged, QStringLiteral("门锁坏了")});
        if (edited.refused())
            failWith(edited.refusal());
    }
}

void writeRental(Books& books, const Member& m)
{
    lockers::RentalChoice choice;
    choice.lockerNumber = m.locker;
    choice.lockerName = lockerName(m.locker.mid(1).toInt() - 1);
    choice.end = m.lockerFirstEnd.isValid() ? m.lockerFirstEnd : m.lockerEnd;
    choice.start = m.lockerStart;
    choice.rent = Money::fromYuan(50 * m.lockerMonths);
    choice.deposit = kDeposit;
    choice.heldAt = dateTimeOf(m.lockerRented);
    lockers::rentHeldChoice(books.dm, choice, m.card, m.name, QString::fromUtf16(cardType(m.type).name));
}

void writeLockerEvent(Books& books, const LockerEvent& event)
{
    const Member& m = books.hall.members[size_t(event.member)];
    const CommandContext context{books.dm, operatorAt(event.at), dateTimeOf(event.at)};
    MaybeRefusal refusal;
    switch (event.step) {
    case LockerStep::Rent:
    case LockerStep::RentForTheDay: {
        lockers::RentalInput input;
        input.cardNumber = m.card;
        input.lockerNumber = event.locker;
        input.kind = event.step == LockerStep::Rent ? lockers::RentalKind::LongTerm : lockers::RentalKind::Temporary;
        input.start = event.start;
        input.end = event.end;
        input.rent = event.amount.toString();
        if (const auto rented = lockers::rentLocker(context, input); rented.refused())
            refusal = rented.refusal();
        break;
    }
    case LockerStep::Renew:
        if (const auto renewed =
                lockers::renewLocker(context, {event.locker, m.card, event.end, event.amount.toString(), {}});
            renewed.refused())
            refusal = renewed.refusal();
        break;
    case LockerStep::Return:
        if (const auto returned = lockers::returnLocker(context, {event.locker, m.card}); returned.refused())
            refusal = returned.refusal();
        break;
    }
    if (refusal)
        failWith(*refusal);
}

} // namespace tkd::demo
