#pragma once

#include <QDate>
#include <QString>
#include <functional>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::demo {

// How big a sample hall to make. Everything else follows the number of members:
//   payments   one per card period bought (a 30-day card held for a year is a dozen), plus a stored-value
//              recharge for about one member in four and a custom renewal for one count-card member in eight;
//   goods      a fixed catalogue: categories three deep, stock goods with their opening stock, three
//              services and the goods points buy; a purchase whenever an item runs low (about monthly)
//              and one supplier return, so the stock never falls below 0 and always equals its ledger;
//   sales      about 0.6 checkouts per member, one or two lines each, with one 金额记录 row per checkout and
//              a stock ledger row per line of goods counted in stock;
//   exchanges  about one member in three with points spends some on goods, and those with a day card in
//              use and twenty points or more spend up to half of them on membership days at the
//              hall's rate of ten points a day (其它设置 使用积分/兑换会籍, set up with the catalogues);
//   coaching   about one member in eight holds a package of private lessons, with lessons booked;
//   leave      about one member in twenty with a past leave, plus the one on leave today and one whose
//              leave starts in three days;
//   reminders  one per ten members plus four due today (one of each kind);
//   lockers    one per four members plus four; about one member in five rents one.
// A busy member (see busyMembers) has all of these: renewals, stored value, two to four checkouts,
// an exchange or two, a coaching package with lessons still open and a past leave.
struct HallSize {
    int members = 60;
    // Average over all members; the total is exactly members * visitsPerMember (when that covers the busiest).
    int visitsPerMember = 40;
    // The first member (card "000001") gets exactly this many visits.
    int busiestVisits = 300;
    // How many members get busiestVisits (the first one included), spread over the hall; the benchmark
    // looks up hundreds of them.
    int busyMembers = 1;
    // 0: the demo hall's goods and sales as above. Otherwise a large shop instead (the benchmark's):
    // this many goods in `categories` categories (see LargeAssortment.h), `checkoutsPerMember`
    // checkouts per member on average with one to three lines each, and every item counted in stock
    // delivered as its sales add up (see Deliveries.h).
    int goods = 0;
    int categories = 400;
    int checkoutsPerMember = 5;
    // A large hall's private lessons and lockers (the benchmark's); 0 keeps the demo hall's few.
    // packages: about this many bought in the past year, a fifth of them given, some expired or used up,
    //   with about `lessons` lessons booked against them; every busy member holds three packages with
    //   thirty lessons booked and some still open.
    int packages = 0;
    int lessons = 0;
    // lockers: the register's size; a third of the current rentals were renewed once, `lockerReturns`
    //   earlier rentals were given back and `temporaryRentals` lockers rented for a day and returned.
    int lockers = 0;
    int lockerReturns = 0;
    int temporaryRentals = 0;
    // A large hall's leave and exchanges (the benchmark's); 0 keeps the demo hall's few.
    // leaves: about this many, busiestLeaves for each busy member, the rest taken by the others at the
    //   same rate while their cards run (three years back at most), all over before today; but of the
    //   members with leave, one in a hundred is on leave today and another's leave is still to come.
    int leaves = 0;
    int busiestLeaves = 20;
    // exchanges: about this many lines of goods bought with points after the checkouts that earned them,
    //   four to eight for each busy member, from exchangeableGoods of a large shop's goods (counted in
    //   stock); every busy member and one other in fifty with the points also bought membership days.
    int exchanges = 0;
    int exchangeableGoods = 50;
};

// The card number of the member at this index (0-based): six digits, zero-padded.
QString cardNumber(int index);

// The ordinary operator (not the super user) who works the desk's day shift, with every right granted.
QString deskOperatorName();

// Fills an open, freshly created database (schema and seed rows in place) with a complete hall:
// card types of every kind, staff, the desk's operator, grades, goods, coaching items, lockers,
// members in every state and their history over the past year, all consistent with the member
// counters and the stock. The rows are the program's own: the catalogues and the purchases go
// through its operations, every stock movement through its stock ledger, everything else writes
// the columns its windows write, in the same form. Dated rows are written in the order
// they happened. The same size and day always give the same rows. The first twelve members are the
// fixed cases (busiest, never opened, expired, expiring, disabled, birthday today, on leave today,
// count card, never expiring, time-slot card, weekday card, locker about to end); the rest vary. In a
// hall without a large hall's leave, the first of the rest with a day card in use (no time slot) has a
// leave that starts in three days.
// photoFor gives the photo path stored for a member, empty for none (see Photos.h for the files).
void generate(TvelunDMForm& dm, const HallSize& size, const QDate& today,
              const std::function<QString(int index, const QString& cardNumber)>& photoFor = {});

} // namespace tkd::demo
