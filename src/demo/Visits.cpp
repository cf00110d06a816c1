#include "Visits.h"

#include "Reference.h"
#include "data/TvelunDMForm.h"

#include <algorithm>

namespace tkd::demo {

void shareVisits(std::vector<Member>& members, const HallSize& size)
{
    if (members.empty())
        return;
    qint64 busyVisits = 0;
    for (Member& m : members) {
        if (m.busy) {
            m.visitCount = std::max(0, size.busiestVisits);
            busyVisits += m.visitCount;
        }
    }
    const qint64 total = qint64(size.members) * std::max(0, size.visitsPerMember);
    const qint64 rest = std::max<qint64>(0, total - busyVisits);
    qint64 weights = 0;
    for (const Member& m : members)
        weights += m.busy ? 0 : m.weight;
    if (weights == 0)
        return;
    qint64 running = 0;
    qint64 given = 0;
    for (Member& m : members) {
        if (m.busy)
            continue;
        running += m.weight;
        const qint64 upTo = rest * running / weights;
        m.visitCount = int(upTo - given);
        given = upTo;
    }
}

void planVisits(Rng& rng, Member& m, const QDate& today)
{
    m.visits.clear();
    if (m.visitCount == 0)
        return;
    const CardTypeSpec& type = cardType(m.type);
    QDate last = today;
    if (m.expires.isValid() && m.expires < last)
        last = m.expires.addDays(-1);
    const QDate first = m.opened;
    const int span = std::max(0, int(first.daysTo(last)));
    m.visits.reserve(size_t(m.visitCount));
    for (int k = 0; k < m.visitCount; ++k) {
        // The first visit is the one that opened the card; the others avoid leave and days the card refuses.
        QDate day = first;
        for (int tries = 0; k > 0 && tries < 20; ++tries) {
            const QDate candidate = first.addDays(rng.below(span + 1));
            const bool onLeave = std::any_of(m.leaves.begin(), m.leaves.end(), [&](const Leave& leave) {
                return candidate >= leave.start && candidate <= leave.end;
            });
            if (allowedDay(type, candidate) && !onLeave) {
                day = candidate;
                break;
            }
        }
        const int second =
            type.slotKind == 1 ? rng.between(8 * 3600, 10 * 3600 - 1) : rng.between(9 * 3600, 21 * 3600 - 1);
        m.visits.push_back(momentOf(day, second));
    }
    std::sort(m.visits.begin(), m.visits.end());
}

void writeVisit(Books& books, const Member& m, Moment at)
{
    books.dm.change(
        QStringLiteral("insert into [会员登记] ([会员卡号],[会员姓名],[会员类型],[教练姓名],[上课次数],[登记时间],"
                       "[操作员]) values(:hykh,:hyxm,:hylx,:jlxm,:skcs,:djsj,:czy)"),
        {{QStringLiteral("hykh"), m.card},
         {QStringLiteral("hyxm"), m.name},
         {QStringLiteral("hylx"), QString::fromUtf16(cardType(m.type).name)},
         {QStringLiteral("jlxm"), m.coach},
         {QStringLiteral("skcs"), 1},
         {QStringLiteral("djsj"), dateTimeOf(at)},
         {QStringLiteral("czy"), operatorAt(at)}});
}

} // namespace tkd::demo
