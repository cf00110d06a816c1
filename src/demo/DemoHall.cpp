#include "DemoHall.h"

#include "Assessment.h"
#include "Coaching.h"
#include "Deliveries.h"
#include "Exchanges.h"
#include "LargeAssortment.h"
#include "Leave.h"
#include "Lockers.h"
#include "Members.h"
#include "Payments.h"
#include "Reference.h"
#include "Reminders.h"
#include "Sales.h"
#include "Stock.h"
#include "Timeline.h"
#include "Visits.h"
#include "data/TvelunDMForm.h"

#include <QTimeZone>

#include <algorithm>

namespace tkd::demo {

Moment momentOf(const QDate& day, int secondOfDay)
{
    return day.toJulianDay() * 86400 + secondOfDay;
}

QDate dayOf(Moment moment)
{
    return QDate::fromJulianDay(moment / 86400);
}

int secondOf(Moment moment)
{
    return int(moment % 86400);
}

QDateTime dateTimeOf(Moment moment)
{
    // Only the wall-clock text is stored; a fixed zone spares a time-zone lookup per row, which dominates large halls.
    static const QTimeZone zone = QTimeZone::utc();
    return QDateTime(dayOf(moment), QTime(0, 0).addSecs(secondOf(moment)), zone);
}

QString cardNumber(int index)
{
    return QStringLiteral("%1").arg(index + 1, 6, 10, QLatin1Char('0'));
}

void generate(TvelunDMForm& dm, const HallSize& size, const QDate& today,
              const std::function<QString(int index, const QString& cardNumber)>& photoFor)
{
    Hall hall;
    hall.today = today;
    hall.goods = size.goods > 0
                     ? largeAssortment(size.goods, size.categories, size.checkoutsPerMember, size.exchangeableGoods)
                     : demoAssortment();
    hall.pointUnit = Money::fromYuan(10);
    const Value unit = dm.db().scalar(QStringLiteral("select [消费积分] from [其它设置]"));
    if (!unit.isNull())
        hall.pointUnit = unit.toMoney();
    hall.pointsPerExchange = kPointsPerExchange;
    hall.daysPerExchange = kDaysPerExchange;

    // The busy members: the first one, then spread evenly over those after the fixed cases.
    const int members = std::max(0, size.members);
    std::vector<bool> busy(size_t(members), false);
    if (!busy.empty())
        busy[0] = true;
    const int spread = members - SpecialCount;
    for (int j = 1; j < size.busyMembers && spread > 0; ++j)
        busy[size_t(SpecialCount + qint64(j - 1) * spread / std::max(1, size.busyMembers - 1))] = true;

    Rng rng(20241209);
    hall.members.reserve(size_t(members));
    for (int i = 0; i < members; ++i)
        hall.members.push_back(planMember(rng, i, today, busy[size_t(i)]));
    shareVisits(hall.members, size);
    // Leave is drawn apart, so that a hall's other rows stay as they were; the visits keep off it.
    Rng leave(20260101);
    planLeaves(leave, hall, size);
    // The chance, in ten-thousandths, that a member who is not busy holds a package of the large hall.
    const int busyCount = int(std::count(busy.begin(), busy.end(), true));
    const int packageChance =
        size.packages > 0
            ? int(std::clamp<qint64>(qint64(size.packages - 3 * busyCount) * 10000 / std::max(1, members - busyCount),
                                     0, 10000))
            : 0;
    // Lessons per package of a member who is not busy: a tenth are used up (twenty lessons on average),
    // the rest booked from none to bookedShare per mille of their lessons, bookedShare / 100 on average.
    const double perPackage =
        double(std::max(0, size.lessons - 30 * busyCount)) / double(std::max(1, size.packages - 3 * busyCount));
    const int bookedShare = int(std::clamp((perPackage - 2.0) / 0.9 * 100.0, 0.0, 1000.0));
    Rng history(20241210);
    for (Member& m : hall.members) {
        planVisits(history, m, today);
        // A member who came on the day of joining registered first.
        if (!m.visits.empty())
            m.joinedAt = std::min(m.joinedAt, m.visits.front() - 600);
        m.photo = photoFor ? photoFor(m.index, m.card) : QString();
        planPayments(history, m, today);
        planSales(history, hall, m);
        if (size.exchanges == 0)
            planExchanges(history, hall, m);
        if (size.packages > 0)
            planLargeCoaching(history, today, m, packageChance, bookedShare);
        else
            planCoaching(history, today, m);
        settleCounters(m);
    }
    Rng points(20260102);
    if (size.exchanges > 0)
        planLargeExchanges(points, hall, size);
    // In a demo hall every member with the points buys days once, in a large hall a few.
    planMembershipDays(points, hall, size.exchanges > 0 ? 2 : 100);
    planLockers(rng, hall, size);
    // The catalogues, the goods' opening stock among them, come before the first member: a card held
    // long ago may have been bought more than a year before today.
    hall.setupDay = today.addDays(-400);
    for (const Member& m : hall.members)
        hall.setupDay = std::min(hall.setupDay, dayOf(m.joinedAt).addDays(-7));
    if (size.goods > 0)
        planDeliveries(hall);
    else
        planStock(hall);

    Transaction tx(dm.db());
    Books books{dm, hall, std::vector<std::vector<Books::OpenPackage>>(size_t(members))};
    writeCatalogues(books);
    writeLockerSetup(books);
    writeHistory(books);
    writeReminders(books, rng);
    writeAssessments(books);
    tx.commit();
}

} // namespace tkd::demo
