#include "LeaveDays.h"

#include "data/TvelunDMForm.h"

namespace tkd::members {

qint64 leaveDays(const QDate& start, const QDate& end)
{
    return start.daysTo(end);
}

bool onLeave(const QDate& start, const QDate& end, const QDate& day)
{
    return start.isValid() && end.isValid() && start <= day && day <= end;
}

std::optional<std::pair<QDate, QDate>> leaveCovering(TvelunDMForm& dm, const QString& cardNumber, const QDate& day)
{
    // A member has a few leaves: all are read (from the index alone) and the rule decides on whole days.
    const ResultSet leave =
        dm.list(QStringLiteral("select [开始日期],[结束日期] from [会员请假] where [会员卡号]=:hykh "
                               "order by [编号]"),
                {{QStringLiteral("hykh"), cardNumber}});
    for (int i = 0; i < leave.rowCount(); ++i) {
        const QDate from = leave.value(i, QStringLiteral("开始日期")).toDate();
        const QDate to = leave.value(i, QStringLiteral("结束日期")).toDate();
        if (onLeave(from, to, day))
            return std::pair{from, to};
    }
    return std::nullopt;
}

} // namespace tkd::members
