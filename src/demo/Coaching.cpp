#include "Coaching.h"

#include "Reference.h"
#include "data/TvelunDMForm.h"

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

void writePackage(Books& books, const Member& m, int index)
{
    const Package& p = m.packages[size_t(index)];
    const Money price = p.gift ? Money() : Money::fromYuan(coachingItem(p.item).price);
    books.dm.change(
        QStringLiteral(
            "insert into [购买私教] ([购买日期],[会员卡号],[会员姓名],[教练姓名],[项目名称],[单价],[数量],"
            "[剩余数量],[总金额],[有效日期],[状态],[备注],[操作员]) values(:gmrq,:hykh,:hyxm,:jlxm,:xmmc,:dj,"
            ":sl,:sysl,:zje,:yxrq,:zt,:bz,:czy)"),
        {{QStringLiteral("gmrq"), dayOf(p.at)},
         {QStringLiteral("hykh"), m.card},
         {QStringLiteral("hyxm"), m.name},
         {QStringLiteral("jlxm"), p.coach},
         {QStringLiteral("xmmc"), QString::fromUtf16(coachingItem(p.item).name)},
         {QStringLiteral("dj"), price},
         {QStringLiteral("sl"), p.lessons},
         {QStringLiteral("sysl"), p.lessons},
         {QStringLiteral("zje"), price.times(p.lessons)},
         {QStringLiteral("yxrq"), p.validUntil.isValid() ? Value(p.validUntil) : Value()},
         {QStringLiteral("zt"), p.gift ? QStringLiteral("赠送") : QStringLiteral("购买")},
         {QStringLiteral("bz"), QString()},
         {QStringLiteral("czy"), operatorAt(p.at)}});
    auto& open = books.packages[size_t(m.index)];
    open.resize(std::max(open.size(), size_t(index) + 1));
    open[size_t(index)] = {books.dm.db().lastInsertId(), p.lessons};
}

void writeLesson(Books& books, const Member& m, const Lesson& lesson)
{
    const Package& p = m.packages[size_t(lesson.package)];
    Books::OpenPackage& open = books.packages[size_t(m.index)][size_t(lesson.package)];
    const Money price = p.gift ? Money() : Money::fromYuan(coachingItem(p.item).price);
    books.dm.change(
        QStringLiteral("insert into [私教消费] ([消费日期],[会员卡号],[会员姓名],[消费数量],[购买单价],[总金额],[教练],"
                       "[项目名称],[备注],[操作员]) values(:xfrq,:hykh,:hyxm,:xfsl,:gmdj,:zje,:jl,:xmmc,:bz,:czy)"),
        {{QStringLiteral("xfrq"), dayOf(lesson.at)},
         {QStringLiteral("hykh"), m.card},
         {QStringLiteral("hyxm"), m.name},
         {QStringLiteral("xfsl"), lesson.quantity},
         {QStringLiteral("gmdj"), price},
         {QStringLiteral("zje"), price.times(lesson.quantity).roundedToCentsHalfEven()},
         {QStringLiteral("jl"), p.coach},
         {QStringLiteral("xmmc"), QString::fromUtf16(coachingItem(p.item).name)},
         {QStringLiteral("bz"), QString()},
         {QStringLiteral("czy"), operatorAt(lesson.at)}});
    open.left -= lesson.quantity;
    books.dm.change(QStringLiteral("update [购买私教] set [剩余数量]=:sysl where [编号]=:bh"),
                    {{QStringLiteral("sysl"), open.left}, {QStringLiteral("bh"), open.id}});
}

} // namespace tkd::demo
