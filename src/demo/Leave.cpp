#include "Leave.h"

#include "Members.h"
#include "Reference.h"
#include "data/TvelunDMForm.h"

#include <algorithm>

namespace tkd::demo {
namespace {

const char16_t* const kRemarks[] = {u"外出比赛", u"生病", u"出差", u"学校考试", u"回老家", u"家中有事", u"外出旅游"};

// Free days between two leaves of a member: the next one is recorded up to three days before it
// starts, and only once the one before has ended.
constexpr int kGap = 4;
// A large hall's leaves reach back this far at most.
constexpr int kLeaveYears = 3;

// A leave recorded now moves the stored expiry of a day card in use; any other card keeps none.
bool hasExpiry(const Member& m)
{
    return cardType(m.type).days > 0 && m.opened.isValid();
}

// A leave of `days` days from start (start + days is its last day), recorded up to three days before,
// never before the card opened nor after today; the stored expiry moves by the days it granted.
void addLeave(Rng& rng, Member& m, const QDate& start, int days, const QDate& today)
{
    const QDate day = std::clamp(start.addDays(-rng.between(0, 3)), m.opened, today);
    Moment recorded = momentOf(day, rng.between(9 * 3600, 19 * 3600));
    if (!m.leaves.empty())
        recorded = std::max(recorded, m.leaves.back().recorded + 60);
    const int moved = hasExpiry(m) ? days : 0;
    m.leaves.push_back({recorded, start, start.addDays(days), QString::fromUtf16(rng.pick(kRemarks)), moved});
    if (moved > 0)
        m.expires = m.expires.addDays(moved);
}

// Takes back the member's leaves and the days they moved the expiry.
void dropLeaves(Member& m)
{
    for (const Leave& leave : m.leaves)
        if (m.expires.isValid())
            m.expires = m.expires.addDays(-leave.moved);
    m.leaves.clear();
}

// `count` leaves of shortest to longest days over first..last, one in each of as many equal slots,
// each ending at least kGap days before the next slot; fewer when the slots are too short.
void spreadLeaves(Rng& rng, Member& m, const QDate& first, const QDate& last, int count, int shortest, int longest,
                  const QDate& today)
{
    const qint64 span = first.daysTo(last) + 1;
    if (count <= 0 || span <= 0)
        return;
    const int slot = int(span / count);
    // The leave's days and how far into its slot it may start.
    const int room = slot - kGap;
    if (room < shortest + 1)
        return;
    for (int k = 0; k < count; ++k) {
        const int days = rng.between(shortest, std::min(longest, room - 1));
        addLeave(rng, m, first.addDays(qint64(k) * slot + rng.below(room - days)), days, today);
    }
}

// The demo hall's leave to come: a week from three days ahead for the first ordinary member with a day
// card in use, so that deleting it gives the days back.
void planLeaveToCome(Rng& rng, Hall& hall)
{
    for (Member& m : hall.members) {
        const CardTypeSpec& type = cardType(m.type);
        if (m.index < SpecialCount || m.busy || m.disabled || m.standing != Standing::Valid || type.days == 0 ||
            type.slotKind != 0 || !m.leaves.empty() || m.weight == 0)
            continue;
        addLeave(rng, m, hall.today.addDays(3), 7, hall.today);
        return;
    }
}

void planLargeLeaves(Rng& rng, Hall& hall, const HallSize& size)
{
    const QDate today = hall.today;
    const QDate earliest = today.addDays(-kLeaveYears * 365);
    std::vector<Member*> others;
    qint64 planned = 0;
    for (Member& m : hall.members) {
        if (m.busy) {
            // Short leaves, so that the desk's busiest members still come most days.
            dropLeaves(m);
            spreadLeaves(rng, m, std::max(m.opened.addDays(3), earliest), today.addDays(-1), size.busiestLeaves, 0, 4,
                         today);
        } else if (m.index >= SpecialCount && m.leaves.empty() && m.opened.isValid() &&
                   m.standing != Standing::Expiring) {
            // A card about to end keeps its few days; one that has ended may have had leave while it ran.
            others.push_back(&m);
        }
        planned += qint64(m.leaves.size());
    }
    // Every member takes leave at the same rate while the card runs, so a member of long standing has
    // more of them: the leaves still wanted shared in proportion to the days each card has run.
    const auto firstDay = [&](const Member& m) { return std::max(m.opened.addDays(3), earliest); };
    const auto lastDay = [&](const Member& m) {
        return m.standing == Standing::Expired ? m.expires.addDays(-1) : today.addDays(-1);
    };
    qint64 memberDays = 0;
    for (const Member* m : others)
        memberDays += std::max<qint64>(0, firstDay(*m).daysTo(lastDay(*m)) + 1);
    if (memberDays == 0)
        return;
    const double perDay = double(std::max<qint64>(0, size.leaves - planned)) / double(memberDays);
    for (Member* m : others) {
        const QDate first = firstDay(*m);
        const double each = perDay * double(std::max<qint64>(0, first.daysTo(lastDay(*m)) + 1));
        int count = int(each) + (rng.below(10000) < int((each - int(each)) * 10000) ? 1 : 0);
        if (m->standing == Standing::Expired) {
            // Ended before today, and still ended once the leaves have moved it.
            count = std::min<int>(count, int(m->expires.daysTo(today) - 1) / 10);
            spreadLeaves(rng, *m, first, lastDay(*m), count, 0, 10, today);
            continue;
        }
        const int r = rng.below(100);
        const QDate start = r == 0 ? today.addDays(-rng.between(0, 3)) : today.addDays(rng.between(1, 14));
        if (r < 2 && count > 0 && start > first.addDays(kGap)) {
            // A member in a hundred is on leave today, another's leave is still to come.
            spreadLeaves(rng, *m, first, start.addDays(-kGap - 1), count - 1, 0, 10, today);
            addLeave(rng, *m, start, rng.between(3, 10), today);
        } else {
            spreadLeaves(rng, *m, first, lastDay(*m), count, 0, 10, today);
        }
    }
}

} // namespace

void planLeaves(Rng& rng, Hall& hall, const HallSize& size)
{
    if (size.leaves > 0)
        planLargeLeaves(rng, hall, size);
    else
        planLeaveToCome(rng, hall);
}

void writeLeave(Books& books, const Member& m, const Leave& leave)
{
    books.dm.change(
        QStringLiteral("insert into [会员请假] ([会员卡号],[会员姓名],[会员类型],[联系电话],[请假日期],[开始日期],"
                       "[结束日期],[请假天数],[操作员],[备注],[顺延天数]) values(:hykh,:hyxm,:hylx,:lxdh,:qjrq,:ksrq,"
                       ":jsrq,:qjts,:czy,:bz,:sxts)"),
        {{QStringLiteral("hykh"), m.card},
         {QStringLiteral("hyxm"), m.name},
         {QStringLiteral("hylx"), QString::fromUtf16(cardType(m.type).name)},
         {QStringLiteral("lxdh"), m.mobile + QLatin1Char(';') + m.phone},
         {QStringLiteral("qjrq"), dayOf(leave.recorded)},
         {QStringLiteral("ksrq"), leave.start},
         {QStringLiteral("jsrq"), leave.end},
         {QStringLiteral("qjts"), int(leave.start.daysTo(leave.end))},
         {QStringLiteral("czy"), operatorAt(leave.recorded)},
         {QStringLiteral("bz"), leave.remark},
         {QStringLiteral("sxts"), leave.moved}});
}

} // namespace tkd::demo
