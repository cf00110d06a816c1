// Times the coaching and locker windows' core calls on the generated hall: what TgmsjForm and
// TsjxfForm save with the desk's two coaching lists read again, the desk's locker chooser, rental
// for the day, renewal and return with the member shown again, and what TsjglForm and TygglForm read
// on opening, in the same order and with the same arguments.
#include "CoachingLockerBenchmark.h"

#include "coaching/CoachingLists.h"
#include "coaching/Packages.h"
#include "data/TvelunDMForm.h"
#include "frontdesk/DeskLookup.h"
#include "frontdesk/HistoryTabs.h"
#include "lockers/LockerChoice.h"
#include "lockers/LockerQueries.h"
#include "lockers/Rentals.h"
#include "security/Permissions.h"

#include <QDateTime>
#include <QTextStream>

#include <chrono>
#include <functional>

namespace tkd::bench {
namespace {

constexpr int kWarmUp = 3;
// A whole year's list takes about a second: a few readings tell its time well enough.
constexpr int kYearSamples = 10;

} // namespace

std::vector<AreaLine> timeCoachingAndLockers(TvelunDMForm& dm, const QString& operatorName, const QStringList& cards,
                                             const QDate& today, int samples)
{
    std::vector<AreaLine> lines;
    const int n = std::min<int>(samples, int(cards.size()));
    auto context = [&] { return CommandContext{dm, operatorName, QDateTime::currentDateTime()}; };
    const QStringList coachingLists = gui::HistoryTabs::entries(gui::HistoryTabs::Coaching);
    qint64 rows = 0;

    // The desk sells a package of ten lessons to the member shown and reads its two coaching lists again.
    const ResultSet item =
        dm.list(QStringLiteral("select [项目名称],[教练姓名] from [购买私教] order by [编号] limit 1"));
    const QString itemName = item.first(QStringLiteral("项目名称")).toText();
    const QString coachName = item.first(QStringLiteral("教练姓名")).toText();
    std::vector<qint64> bought(size_t(n), 0);
    int accepted = 0;
    auto purchase = [&](int i) {
        const QString& card = cards[i];
        if (security::checkPermission(dm, operatorName, QStringLiteral("购买私教")))
            return;
        coaching::PurchaseInput input;
        input.cardNumber = card;
        input.coach = coachName;
        input.item = itemName;
        input.purchaseDate = today;
        input.price = QStringLiteral("200");
        input.quantity = QStringLiteral("10");
        const Outcome<qint64> done = coaching::purchase(context(), input);
        if (done.refused())
            return;
        bought[size_t(i)] = *done;
        if (frontdesk::lookUpAgain(dm, card, today, coachingLists))
            ++accepted;
    };
    lines.push_back({QStringLiteral("coaching purchase + desk"), summarise(timeEach(n, purchase)), 5000, n, 200,
                     QStringLiteral("%1 of %2 bought and shown again").arg(accepted).arg(n), true});

    // The booking window lists the member's open packages (untimed), then books one lesson on the new one.
    accepted = 0;
    auto book = [&](int i) {
        const QString& card = cards[i];
        coaching::LessonInput input;
        input.cardNumber = card;
        input.packageId = bought[size_t(i)];
        input.quantity = QStringLiteral("1");
        input.day = today;
        if (coaching::bookLessons(context(), input).refused())
            return;
        if (frontdesk::lookUpAgain(dm, card, today, coachingLists))
            ++accepted;
    };
    qint64 open = 0;
    lines.push_back(
        {QStringLiteral("lesson booking + desk"),
         summarise(timeEach(n, book, [&](int i) { open += coaching::openPackages(dm, cards[i]).rowCount(); })), 5000, n,
         200,
         QStringLiteral("%1 of %2 booked and shown again; %3").arg(accepted).arg(n).arg(averageRows(open, n)) +
             QStringLiteral(" in the booking window's list"),
         true});
    // What the bench bought goes again; the lessons it booked stay, as a deleted package's do.
    for (const qint64 id : bought)
        if (id > 0)
            coaching::removePurchase(context(), id);

    // The desk's chooser opens on the free lockers.
    auto chooser = [&](int) { rows += lockers::searchLockers(dm, false, QString()).rowCount(); };
    timeEach(kWarmUp, chooser);
    rows = 0;
    lines.push_back(
        {QStringLiteral("locker chooser list"), summarise(timeEach(n, chooser)), 80000, n, 200, averageRows(rows, n)});

    // A locker for the day from the chooser, renewed for a month from the desk's menu, then returned.
    const QStringList free = lockers::searchLockers(dm, false, QString()).texts(QStringLiteral("衣柜编号"));
    std::vector<QString> rented(static_cast<size_t>(n));
    accepted = 0;
    auto rentForTheDay = [&](int i) {
        lockers::RentalInput input;
        input.cardNumber = cards[i];
        input.lockerNumber = free[i % free.size()];
        input.kind = lockers::RentalKind::Temporary;
        if (lockers::rentLocker(context(), input).refused())
            return;
        rented[size_t(i)] = input.lockerNumber;
        if (frontdesk::lookUpAgain(dm, cards[i], today, {}))
            ++accepted;
    };
    if (free.size() < n)
        return lines;
    lines.push_back({QStringLiteral("locker for the day + desk"), summarise(timeEach(n, rentForTheDay)), 5000, n, 200,
                     QStringLiteral("%1 of %2 rented and shown again").arg(accepted).arg(n), true});

    // The desk's button reads the member's locker first (untimed), as it does before the menu.
    auto shownLocker = [&](int i) {
        const auto again = frontdesk::lookUpAgain(dm, cards[i], today, {});
        if (again)
            lockers::deskLocker(dm, cards[i], rented[size_t(i)]);
    };
    accepted = 0;
    auto renew = [&](int i) {
        if (rented[size_t(i)].isEmpty())
            return;
        const lockers::RenewalInput input{rented[size_t(i)], cards[i], today.addDays(30), QStringLiteral("60"), {}};
        if (lockers::renewLocker(context(), input).refused())
            return;
        if (frontdesk::lookUpAgain(dm, cards[i], today, {}))
            ++accepted;
    };
    lines.push_back({QStringLiteral("locker renewal + desk"), summarise(timeEach(n, renew, shownLocker)), 5000, n, 200,
                     QStringLiteral("%1 of %2 renewed and shown again").arg(accepted).arg(n), true});

    accepted = 0;
    auto giveBack = [&](int i) {
        if (rented[size_t(i)].isEmpty())
            return;
        if (lockers::returnLocker(context(), {rented[size_t(i)], cards[i]}).refused())
            return;
        if (frontdesk::lookUpAgain(dm, cards[i], today, {}))
            ++accepted;
    };
    auto beforeReturn = [&](int i) {
        shownLocker(i);
        if (const auto locker = lockers::findLocker(dm, rented[size_t(i)]))
            lockers::depositTaken(dm, *locker);
    };
    lines.push_back({QStringLiteral("locker return + desk"), summarise(timeEach(n, giveBack, beforeReturn)), 5000, n,
                     200, QStringLiteral("%1 of %2 returned and shown again").arg(accepted).arg(n), true});

    // TsjglForm on opening: the open-package summary, the first member's packages, thirty days of
    // purchases and of lessons, each with the blank filters applied.
    const DayRange month = dayRange(today.addDays(-29), today);
    auto coachingWindow = [&](int) {
        ResultSet summary = coaching::openSummary(dm);
        summary.setFilter(coaching::listFilter(QString(), QString(), QString()));
        const QString first =
            summary.rowCount() > 0 ? summary.value(0, QStringLiteral("会员卡号")).toText() : coaching::kNoMember;
        const ResultSet packages = coaching::memberPackages(dm, first);
        ResultSet purchases = coaching::purchases(dm, month);
        purchases.setFilter(coaching::listFilter(QString(), QString(), QString()));
        ResultSet lessons = coaching::lessons(dm, month);
        lessons.setFilter(coaching::listFilter(QString(), QString(), QString(), QStringLiteral("教练")));
        rows = summary.rowCount() + packages.rowCount() + purchases.rowCount() + lessons.rowCount();
    };
    timeEach(kWarmUp, coachingWindow);
    lines.push_back({QStringLiteral("coaching window open"), summarise(timeEach(n, coachingWindow)), 200000, n, 200,
                     QStringLiteral("%1 rows (summary, packages, 30 days of purchases and lessons)").arg(rows)});

    const DayRange year = dayRange(today.addDays(-364), today);
    auto yearOfLessons = [&](int) { rows = coaching::lessons(dm, year).rowCount(); };
    timeEach(1, yearOfLessons);
    lines.push_back({QStringLiteral("a year of lessons"), summarise(timeEach(kYearSamples, yearOfLessons)), 1500000,
                     kYearSamples, kYearSamples, QStringLiteral("%1 rows, a whole year's read").arg(rows)});

    // TygglForm on opening: every locker with its renter and today's records, the blank filters applied.
    ResultSet states;
    auto lockerWindow = [&](int) {
        states = lockers::lockerStates(dm);
        states.setFilter(lockers::stateFilter(lockers::kAll, QString()));
        ResultSet records = lockers::rentalRecords(dm, dayRange(today));
        records.setFilter(lockers::recordFilter(lockers::kAll, QString()));
        rows = states.rowCount() + records.rowCount();
    };
    timeEach(kWarmUp, lockerWindow);
    lines.push_back({QStringLiteral("locker window open"), summarise(timeEach(n, lockerWindow)), 150000, n, 200,
                     QStringLiteral("%1 rows (every locker and today's records)").arg(rows)});

    // Its grid narrowed by a state and a typed piece of a number.
    const QStringList choices = lockers::stateChoices();
    rows = 0;
    auto filter = [&](int i) {
        states.setFilter(lockers::stateFilter(choices[i % choices.size()], QString::number(1 + i % 97)));
        rows += states.rowCount();
    };
    lines.push_back(
        {QStringLiteral("locker window filter"), summarise(timeEach(n, filter)), 20000, n, 200, averageRows(rows, n)});

    auto yearOfRecords = [&](int) { rows = lockers::rentalRecords(dm, year).rowCount(); };
    timeEach(1, yearOfRecords);
    lines.push_back({QStringLiteral("a year of locker records"), summarise(timeEach(kYearSamples, yearOfRecords)),
                     300000, kYearSamples, kYearSamples, QStringLiteral("%1 rows, a whole year's read").arg(rows)});
    return lines;
}

bool reportCoachingAndLockers(QTextStream& out, const std::vector<AreaLine>& lines, const Figures& bare,
                              const Figures& commit)
{
    return reportLines(out, QStringLiteral("coaching and lockers"), 11, lines, bare, commit);
}

} // namespace tkd::bench
