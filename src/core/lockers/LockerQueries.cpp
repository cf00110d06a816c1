#include "LockerQueries.h"

#include "data/TvelunDMForm.h"
#include "db/TextSearch.h"

namespace tkd::lockers {

namespace {

Filter choiceAndNumber(const QString& column, const QString& choice, const QString& number)
{
    std::vector<Filter> parts;
    if (!choice.isEmpty() && choice != kAll)
        parts.push_back(Filter::where(column, Match::Equals, choice));
    if (Filter typed = containsAny({QStringLiteral("衣柜编号")}, number); !typed.isEmpty())
        parts.push_back(std::move(typed));
    if (parts.empty())
        return {};
    return parts.size() == 1 ? parts.front() : Filter::allOf(std::move(parts));
}

} // namespace

QStringList stateChoices()
{
    return {kAll, QStringLiteral("可用"), QStringLiteral("已租"), QStringLiteral("损坏"), QStringLiteral("占用")};
}

QStringList recordChoices()
{
    return {kAll, QStringLiteral("租用"), QStringLiteral("退柜")};
}

ResultSet lockerStates(TvelunDMForm& dm)
{
    return dm.open(QStringLiteral("ADODS_ygzt"));
}

Filter stateFilter(const QString& state, const QString& number)
{
    return choiceAndNumber(QStringLiteral("状态"), state, number);
}

ResultSet rentalRecords(TvelunDMForm& dm, const DayRange& days)
{
    return dm.open(QStringLiteral("ADOQ_ygcz"),
                   {{QStringLiteral("time1"), days.first}, {QStringLiteral("time2"), days.last}});
}

Filter recordFilter(const QString& kind, const QString& number)
{
    return choiceAndNumber(QStringLiteral("出租状态"), kind, number);
}

RecordTotals recordTotals(const ResultSet& shown)
{
    RecordTotals totals;
    const int rent = shown.columnIndex(QStringLiteral("租金"));
    const int deposit = shown.columnIndex(QStringLiteral("押金"));
    for (int i = 0; i < shown.rowCount(); ++i) {
        totals.rent = totals.rent + shown.value(i, rent).toMoney();
        totals.deposit = totals.deposit + shown.value(i, deposit).toMoney();
    }
    return totals;
}

} // namespace tkd::lockers
