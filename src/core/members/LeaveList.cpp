#include "LeaveList.h"

#include "data/TvelunDMForm.h"
#include "db/TextSearch.h"

namespace tkd::members {

ResultSet leaveList(TvelunDMForm& dm, const DayRange& recorded)
{
    return dm.open(QStringLiteral("ADOQ_hyqj"),
                   {{QStringLiteral("rq1"), recorded.first}, {QStringLiteral("rq2"), recorded.last}});
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
    ResultSet rows = leaveList(dm, recorded);
    if (const Filter search = leaveSearch(text); !search.isEmpty())
        rows.setFilter(search);
    return rows;
}

} // namespace tkd::members
