#include "Timeline.h"

#include "Coaching.h"
#include "Exchanges.h"
#include "Leave.h"
#include "Lockers.h"
#include "Members.h"
#include "Payments.h"
#include "Sales.h"
#include "Stock.h"
#include "Visits.h"

#include <algorithm>

namespace tkd::demo {
namespace {

// What happened at a moment; at the same moment, in this order (a member registers before paying,
// goods come in before anything else).
enum class Kind : quint8 {
    Posting,
    Registration,
    Payment,
    Rental,
    LockerStep,
    Visit,
    Checkout,
    Leave,
    Package,
    Lesson,
    Exchange
};

// Sixteen bytes: a hall of five million visits holds them all in memory at once.
struct Event {
    Moment at;
    // The member's index; for a posting or a locker step, its own.
    qint32 member;
    // The row's place in the member's list of its kind; a visit needs none (its moment is all it holds).
    quint16 index;
    Kind kind;
};

bool before(const Event& a, const Event& b)
{
    if (a.at != b.at)
        return a.at < b.at;
    if (a.kind != b.kind)
        return a.kind < b.kind;
    if (a.member != b.member)
        return a.member < b.member;
    return a.index < b.index;
}

std::vector<Event> eventsOf(const Hall& hall)
{
    const std::vector<Member>& members = hall.members;
    size_t count = hall.postings.size() + hall.lockerEvents.size();
    for (const Member& m : members)
        count += 2 + m.visits.size() + m.payments.size() + m.checkouts.size() + m.packages.size() + m.lessons.size() +
                 m.exchanges.size() + m.leaves.size();
    std::vector<Event> events;
    events.reserve(count);
    auto add = [&](Moment at, const Member& m, size_t index, Kind kind) {
        events.push_back({at, qint32(m.index), quint16(index), kind});
    };
    for (size_t i = 0; i < hall.postings.size(); ++i)
        events.push_back({hall.postings[i].at, qint32(i), 0, Kind::Posting});
    for (size_t i = 0; i < hall.lockerEvents.size(); ++i)
        events.push_back({hall.lockerEvents[i].at, qint32(i), 0, Kind::LockerStep});
    for (const Member& m : members) {
        add(m.joinedAt, m, 0, Kind::Registration);
        for (size_t i = 0; i < m.payments.size(); ++i)
            add(m.payments[i].at, m, i, Kind::Payment);
        if (!m.locker.isEmpty())
            add(m.lockerRented, m, 0, Kind::Rental);
        for (const Moment at : m.visits)
            add(at, m, 0, Kind::Visit);
        for (size_t i = 0; i < m.checkouts.size(); ++i)
            add(m.checkouts[i].at, m, i, Kind::Checkout);
        for (size_t i = 0; i < m.leaves.size(); ++i)
            add(m.leaves[i].recorded, m, i, Kind::Leave);
        for (size_t i = 0; i < m.packages.size(); ++i)
            add(m.packages[i].at, m, i, Kind::Package);
        for (size_t i = 0; i < m.lessons.size(); ++i)
            add(m.lessons[i].at, m, i, Kind::Lesson);
        for (size_t i = 0; i < m.exchanges.size(); ++i)
            add(m.exchanges[i].at, m, i, Kind::Exchange);
    }
    std::sort(events.begin(), events.end(), before);
    return events;
}

} // namespace

void writeHistory(Books& books)
{
    const std::vector<Member>& members = books.hall.members;
    for (const Event& e : eventsOf(books.hall)) {
        if (e.kind == Kind::Posting) {
            writePosting(books, books.hall.postings[size_t(e.member)]);
            continue;
        }
        if (e.kind == Kind::LockerStep) {
            writeLockerEvent(books, books.hall.lockerEvents[size_t(e.member)]);
            continue;
        }
        const Member& m = members[size_t(e.member)];
        switch (e.kind) {
        case Kind::Posting:
        case Kind::LockerStep:
            // Written above: they belong to no member's lists.
            break;
        case Kind::Registration:
            writeMember(books, m);
            break;
        case Kind::Payment:
            writePayment(books, m, m.payments[e.index]);
            break;
        case Kind::Rental:
            writeRental(books, m);
            break;
        case Kind::Visit:
            writeVisit(books, m, e.at);
            break;
        case Kind::Checkout:
            writeCheckout(books, m, m.checkouts[e.index]);
            break;
        case Kind::Leave:
            writeLeave(books, m, m.leaves[e.index]);
            break;
        case Kind::Package:
            writePackage(books, m, e.index);
            break;
        case Kind::Lesson:
            writeLesson(books, m, m.lessons[e.index]);
            break;
        case Kind::Exchange:
            writeExchange(books, m, m.exchanges[e.index]);
            break;
        }
    }
}

} // namespace tkd::demo
