#include "CoachingLists.h"

#include "data/TvelunDMForm.h"
#include "db/TextSearch.h"

namespace tkd::coaching {

ResultSet openSummary(TvelunDMForm& dm)
{
    return dm.open(QStringLiteral("ADODS_hysjhz"));
}

ResultSet memberPackages(TvelunDMForm& dm, const QString& cardNumber)
{
    return dm.open(QStringLiteral("ADOQ_hysjmx"), {{QStringLiteral("hykh"), cardNumber}});
}

ResultSet purchases(TvelunDMForm& dm, const DayRange& days)
{
    return dm.open(QStringLiteral("ADOQ_gmsj"),
                   {{QStringLiteral("time1"), days.first}, {QStringLiteral("time2"), days.last}});
}

ResultSet lessons(TvelunDMForm& dm, const DayRange& days)
{
    return dm.open(QStringLiteral("ADOQ_sjxf"),
                   {{QStringLiteral("time1"), days.first}, {QStringLiteral("time2"), days.last}});
}

ResultSet purchaseHistory(TvelunDMForm& dm, const QString& cardNumber)
{
    return dm.open(QStringLiteral("ADOQ_gmjl"), {{QStringLiteral("hykh"), cardNumber}});
}

ResultSet openPackages(TvelunDMForm& dm, const QString& cardNumber)
{
    // The catalogue's list in table order, made explicit: the oldest package is used up first.
    return dm.list(
        QStringLiteral("select [购买日期],[教练姓名] as [私教姓名],[项目名称],[剩余数量],[有效日期],[状态],[备注],"
                       "[操作员],[编号],[单价] from [购买私教] where [会员卡号]=:hykh and [剩余数量]>0 "
                       "order by [编号]"),
        {{QStringLiteral("hykh"), cardNumber}});
}

Filter listFilter(const QString& cardText, const QString& coach, const QString& item, const QString& coachColumn)
{
    std::vector<Filter> parts;
    if (Filter card = containsAny({QStringLiteral("会员卡号")}, cardText); !card.isEmpty())
        parts.push_back(std::move(card));
    if (!coach.isEmpty())
        parts.push_back(Filter::where(coachColumn, Match::Equals, coach));
    if (!item.isEmpty())
        parts.push_back(Filter::where(QStringLiteral("项目名称"), Match::Equals, item));
    if (parts.empty())
        return {};
    return parts.size() == 1 ? parts.front() : Filter::allOf(std::move(parts));
}

} // namespace tkd::coaching
