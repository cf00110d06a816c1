#include "Coaching.h"

#include "Reference.h"
#include "coaching/Packages.h"
#include "data/TvelunDMForm.h"
#include "db/DbError.h"

#include <algorithm>

namespace tkd::demo {

void planCoaching(Rng& rng, const QDate& today, Member& m)
{
    const QDate earliest = m.joined.addDays(3);
    const QDate latest = today.addDays(-10);
    if (earliest > latest || !(m.busy || rng.chance(12)))
        return;
    Package package;
    package.at =
        momentOf(earliest.addDays(rng.below(int(earliest.daysTo(latest)) + 1)), rng.between(10 * 3600, 20 * 3600));
    package.item = rng.below(kCoachingItemCount);
    package.coach = m.coach.isEmpty() ? coach(rng.below(kCoachCount)) : m.coach;
    package.lessons = rng.chance(50) ? 10 : 20;
    package.gift = rng.chance(10);
    if (rng.chance(70))
        package.validUntil = dayOf(package.at).addDays(180);
    m.packages.push_back(package);

    const QDate first = dayOf(package.at).addDays(1);
    const QDate last = package.validUntil.isValid() ? std::min(today, package.validUntil) : today;
    if (first > last)
        return;
    // A busy member always has lessons booked and some still open.
    const int booked = m.busy ? rng.between(3, package.lessons - 1) : rng.between(0, package.lessons);
    const int span = int(first.daysTo(last));
    std::vector<Moment> moments;
    for (int k = 0; k < booked; ++k)
        moments.push_back(momentOf(first.addDays(rng.below(span + 1)), rng.between(10 * 3600, 20 * 3600)));
    std::sort(moments.begin(), moments.end());
    int left = package.lessons;
    for (const Moment at : moments) {
        const int quantity = left >= 4 && rng.chance(10) ? 2 : 1;
        if (quantity > left || (m.busy && left - quantity < 1))
            break;
        m.lessons.push_back({at, int(m.packages.size()) - 1, quantity});
        left -= quantity;
    }
}

void planLargeCoaching(Rng& rng, const QDate& today, Member& m, int chance, int bookedShare)
{
    const QDate earliest = std::max(m.joined.addDays(1), today.addDays(-360));
    const QDate latest = today.addDays(-10);
    if (earliest > latest)
        return;
    auto bookOn = [&](const Package& package, int booked) {
        const QDate first = dayOf(package.at).addDays(1);
        const QDate last = package.validUntil.isValid() ? std::min(today, package.validUntil) : today;
        if (first > last)
            return;
        const int span = int(first.daysTo(last));
        std::vector<Moment> moments;
        for (int k = 0; k < booked; ++k)
            moments.push_back(momentOf(first.addDays(rng.below(span + 1)), rng.between(10 * 3600, 20 * 3600)));
        std::sort(moments.begin(), moments.end());
        for (const Moment at : moments)
            m.lessons.push_back({at, int(m.packages.size()) - 1, 1});
    };
    const int span = int(earliest.daysTo(latest));
    if (m.busy) {
        // Three packages bought over the months, each still open with ten lessons left.
        for (int k = 0; k < 3; ++k) {
            Package package;
            package.at = momentOf(earliest.addDays(k * span / 3 + rng.below(std::max(1, span / 3))),
                                  rng.between(10 * 3600, 20 * 3600));
            package.item = k % kCoachingItemCount;
            package.coach = m.coach.isEmpty() ? coach(k % kCoachCount) : m.coach;
            package.lessons = 20;
            package.gift = false;
            m.packages.push_back(package);
            bookOn(package, 10);
        }
        return;
    }
    if (rng.below(10000) >= chance)
        return;
    Package package;
    package.at = momentOf(earliest.addDays(rng.below(span + 1)), rng.between(10 * 3600, 20 * 3600));
    package.item = rng.below(kCoachingItemCount);
    package.coach = m.coach.isEmpty() ? coach(rng.below(kCoachCount)) : m.coach;
    package.lessons = 10 * rng.between(1, 3);
    package.gift = rng.chance(20);
    if (rng.chance(30))
        package.validUntil = dayOf(package.at).addDays(180);
    m.packages.push_back(package);
    // One in ten used up; the others booked up to the share of their lessons that gives the hall its count.
    bookOn(package, rng.chance(10) ? package.lessons : rng.between(0, package.lessons * bookedShare / 1000));
}

namespace {

[[noreturn]] void failWith(const Refusal& refusal)
{
    throw DbError(QStringLiteral("the hall generator was refused: %1").arg(refusal.message));
}

} // namespace

void writePackage(Books& books, const Member& m, int index)
{
    const Package& p = m.packages[size_t(index)];
    coaching::PurchaseInput input;
    input.cardNumber = m.card;
    input.coach = p.coach;
    input.item = QString::fromUtf16(coachingItem(p.item).name);
    input.purchaseDate = dayOf(p.at);
    input.price = QString::number(coachingItem(p.item).price);
    input.quantity = QString::number(p.lessons);
    if (p.validUntil.isValid())
        input.validUntil = p.validUntil;
    input.gift = p.gift;
    const Outcome<qint64> bought = coaching::purchase({books.dm, operatorAt(p.at), dateTimeOf(p.at)}, input);
    if (bought.refused())
        failWith(bought.refusal());
    auto& open = books.packages[size_t(m.index)];
    open.resize(std::max(open.size(), size_t(index) + 1));
    open[size_t(index)] = {*bought, p.lessons};
}

void writeLesson(Books& books, const Member& m, const Lesson& lesson)
{
    Books::OpenPackage& open = books.packages[size_t(m.index)][size_t(lesson.package)];
    coaching::LessonInput input;
    input.cardNumber = m.card;
    input.packageId = open.id;
    input.quantity = QString::number(lesson.quantity);
    input.day = dayOf(lesson.at);
    const Outcome<> booked = coaching::bookLessons({books.dm, operatorAt(lesson.at), dateTimeOf(lesson.at)}, input);
    if (booked.refused())
        failWith(booked.refusal());
    open.left -= lesson.quantity;
}

} // namespace tkd::demo
