#include "members/LeaveList.h"
#include "TestDatabase.h"
#include "db/DateRange.h"

#include <gtest/gtest.h>

using namespace tkd;
using test::s;

namespace {

class LeaveList : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Recorded over six weeks; one by another writer late in the evening of the last day.
        add(QStringLiteral("1001"), s(u"张小龙"), QDateTime(QDate(2024, 2, 13), QTime(0, 0)));
        add(QStringLiteral("1002"), s(u"O'Neil"), QDateTime(QDate(2024, 2, 14), QTime(0, 0)));
        add(QStringLiteral("1003"), s(u"星*号"), QDateTime(QDate(2024, 3, 1), QTime(0, 0)));
        add(QStringLiteral("2004"), s(u"百分%号"), QDateTime(QDate(2024, 3, 10), QTime(0, 0)));
        add(QStringLiteral("2005"), s(u"李小燕"), QDateTime(QDate(2024, 3, 15), QTime(21, 30)));
        add(QStringLiteral("2006"), s(u"下划_线"), QDateTime(QDate(2024, 3, 16), QTime(0, 0)));
    }
    void add(const QString& card, const QString& name, const QDateTime& recorded)
    {
        t.dm().change(
            s(u"insert into [会员请假] ([会员卡号],[会员姓名],[会员类型],[联系电话],[请假日期],[开始日期],"
              u"[结束日期],[请假天数],[操作员],[备注],[顺延天数]) values(:hykh,:hyxm,'月卡','139;',:qjrq,"
              u":qjrq,:qjrq,0,'管理员','',0)"),
            {{QStringLiteral("hykh"), card}, {QStringLiteral("hyxm"), name}, {QStringLiteral("qjrq"), recorded}});
    }
    static QStringList cards(const ResultSet& rows)
    {
        QStringList list;
        for (int i = 0; i < rows.rowCount(); ++i)
            list << rows.value(i, s(u"会员卡号")).toText();
        return list;
    }
    // The window's opening period: 30 days back from 15 March.
    static DayRange opening() { return dayRange(QDate(2024, 2, 14), QDate(2024, 3, 15)); }
    test::TestDatabase t;
};

TEST_F(LeaveList, ThePeriodHoldsTheLeavesRecordedInItNewestFirst)
{
    const ResultSet rows = members::leaveList(t.dm(), opening());
    EXPECT_EQ(cards(rows), (QStringList{QStringLiteral("2005"), QStringLiteral("2004"), QStringLiteral("1003"),
                                        QStringLiteral("1002")}))
        << "the last day up to its end, the first from its start";
    EXPECT_EQ(rows.columns(),
              (QStringList{s(u"编号"), s(u"会员卡号"), s(u"会员姓名"), s(u"会员类型"), s(u"联系电话"), s(u"请假日期"),
                           s(u"开始日期"), s(u"结束日期"), s(u"请假天数"), s(u"操作员"), s(u"备注"), s(u"顺延天数")}))
        << "every column in the table's order";
    EXPECT_EQ(members::leaveListHidden(), (QStringList{s(u"编号"), s(u"顺延天数")}));
    EXPECT_EQ(members::leaveList(t.dm(), dayRange(QDate(2024, 3, 16), QDate(2024, 3, 1))).rowCount(), 0)
        << "a last day before the first holds nothing";
}

struct SearchCase {
    const char* name;
    const char16_t* text;
    QStringList cards;
};

class LeaveSearch : public LeaveList, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(LeaveSearch, MatchesTheTypedTextLiterallyInCardOrName)
{
    const SearchCase& c = GetParam();
    const ResultSet rows = members::queryLeaves(t.dm(), dayRange(QDate(2024, 1, 1), QDate(2024, 12, 31)), s(c.text));
    QStringList found = cards(rows);
    found.sort();
    EXPECT_EQ(found, c.cards);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeaveSearch,
    ::testing::Values(SearchCase{"Blank",
                                 u"  ",
                                 {QStringLiteral("1001"), QStringLiteral("1002"), QStringLiteral("1003"),
                                  QStringLiteral("2004"), QStringLiteral("2005"), QStringLiteral("2006")}},
                      SearchCase{"CardPart",
                                 u"00",
                                 {QStringLiteral("1001"), QStringLiteral("1002"), QStringLiteral("1003"),
                                  QStringLiteral("2004"), QStringLiteral("2005"), QStringLiteral("2006")}},
                      SearchCase{"CardTail", u"05", {QStringLiteral("2005")}},
                      SearchCase{"NamePart", u"小", {QStringLiteral("1001"), QStringLiteral("2005")}},
                      SearchCase{"TrimmedName", u" 小燕 ", {QStringLiteral("2005")}},
                      SearchCase{"LowerCase", u"o'neil", {QStringLiteral("1002")}},
                      SearchCase{"Quote", u"'", {QStringLiteral("1002")}},
                      SearchCase{"Star", u"*", {QStringLiteral("1003")}},
                      SearchCase{"Percent", u"%", {QStringLiteral("2004")}},
                      SearchCase{"Underscore", u"_", {QStringLiteral("2006")}}, SearchCase{"Nobody", u"王", {}}),
    [](const ::testing::TestParamInfo<SearchCase>& info) { return std::string(info.param.name); });

TEST_F(LeaveList, TheSearchNarrowsThePeriodOnly)
{
    const ResultSet rows = members::queryLeaves(t.dm(), opening(), QStringLiteral("100"));
    EXPECT_EQ(cards(rows), (QStringList{QStringLiteral("1003"), QStringLiteral("1002")}))
        << "1001 was recorded before the period";
    EXPECT_TRUE(members::leaveSearch(QString()).isEmpty());
}

} // namespace
