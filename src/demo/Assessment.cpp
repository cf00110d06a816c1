#include "Assessment.h"

#include "Reference.h"
#include "data/TvelunDMForm.h"
#include "db/Database.h"

namespace tkd::demo {

namespace {

void writeResult(TvelunDMForm& dm, const Member& m, const QDate& day, int level, const QString& outcome)
{
    const GradeSpec& g = grade(level);
    dm.change(
        QStringLiteral("insert into [学员考核] ([考核时间],[会员卡号],[会员姓名],[报考级别],[考核费用],[考核结果],"
                       "[备注]) values(:khsj,:hykh,:hyxm,:bkjb,:khfy,:khjg,:bz)"),
        {{QStringLiteral("khsj"), day},
         {QStringLiteral("hykh"), m.card},
         {QStringLiteral("hyxm"), m.name},
         {QStringLiteral("bkjb"), QString::fromUtf16(g.name)},
         {QStringLiteral("khfy"), Money::fromYuan(g.fee)},
         {QStringLiteral("khjg"), outcome},
         {QStringLiteral("bz"), QString()}});
}

} // namespace

void writeAssessments(Books& books)
{
    const QDate today = books.hall.today;
    const QDate monthStart(today.year(), today.month(), 1);
    for (const Member& m : books.hall.members) {
        if (m.gradeIndex < 0 || m.visits.empty())
            continue;
        // Level k is reached at visit k x kVisitsPerGrade (the first level at the first visit).
        for (int level = 0; level <= m.gradeIndex; ++level) {
            const size_t visit = std::min(m.visits.size() - 1, size_t(level) * size_t(kVisitsPerGrade));
            writeResult(books.dm, m, dayOf(m.visits[visit]), level, QStringLiteral("通过"));
        }
        if (m.index % 10 == 0 && m.gradeIndex + 1 < kGradeCount) {
            const QDate tried = monthStart.addDays(m.index / 10 % monthStart.daysTo(today.addDays(1)));
            writeResult(books.dm, m, tried, m.gradeIndex + 1, QStringLiteral("未通过"));
        }
    }
}

} // namespace tkd::demo
