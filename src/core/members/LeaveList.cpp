#include "LeaveList.h"

#include "data/TvelunDMForm.h"
#include "db/TextSearch.h"

namespace tkd::members {

ResultSet leaveList(TvelunDMForm& dm, const DayRange& recorded, const QString& text)
{
    const Params period{{QStringLiteral("rq1"), recorded.first}, {QStringLiteral("rq2"), recorded.last}};
    const QString typed = text.trimmed();
    if (typed.isEmpty())
        return dm.open(QStringLiteral("ADOQ_hyqj"), period);
    // The text is a bound value: a quote, "*", "%" or "_" is just a character. Letters match in
    // either case, as the grid's own search does.
    Params params = period;
    params.set(QStringLiteral("text"), typed);
    return dm.list(
        QStringLiteral("select * from [会员请假] where [请假日期]>=:rq1 and [请假日期]<=:rq2 and "
                       "(instr(lower([会员卡号]),lower(:text))>0 or instr(lower([会员姓名]),lower(:text))>0) "
                       "order by [请假日期] DESC"),
        params);
}

QStringList leaveListHidden()
{
    return {QStringLiteral("编号"), QStringLiteral("顺延天数")};
}

Filter leaveSearch(const QString& text)
{
    return containsAny({QStringLiteral("会员卡号"), QStringLiteral("会员姓名")}, text);
}

ResultSet queryLeaves(TvelunDMForm& dm, const DayRange& recorded, const QString& text)
{
    return leaveList(dm, recorded, text);
}

} // namespace tkd::members
