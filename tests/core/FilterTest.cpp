#include "ParamNames.h"
#include "TestDatabase.h"
#include "db/DbError.h"
#include "db/ResultSet.h"

#include <gtest/gtest.h>

using namespace tkd;

namespace {

using test::s;

// A member list as the picker holds it.
ResultSet members()
{
    const QStringList columns{s(u"会员卡号"), s(u"会员姓名"), s(u"卡内余额"), s(u"加入时间")};
    std::vector<ColumnType> types{ColumnType::Text, ColumnType::Text, ColumnType::Money, ColumnType::DateTime};
    auto row = [](const char16_t* card, const char16_t* name, int yuan, QDate joined) {
        return std::vector<Value>{Value(QString::fromUtf16(card)), Value(QString::fromUtf16(name)),
                                  Value(Money::fromYuan(yuan)), Value(joined)};
    };
    std::vector<std::vector<Value>> rows{
        row(u"1001", u"张三", 100, QDate(2024, 1, 5)),     row(u"1002", u"李四", 0, QDate(2024, 2, 1)),
        row(u"2001", u"O'Brien", 50, QDate(2023, 12, 31)), row(u"2002", u"50%折扣*", 7, QDate(2024, 3, 1)),
        row(u"3003", u"a_b", 20, QDate(2024, 3, 2)),       row(u"3004", u"axb", 20, QDate(2024, 3, 3)),
    };
    return ResultSet(columns, types, std::move(rows));
}

QStringList cards(const ResultSet& r)
{
    QStringList out;
    for (int i = 0; i < r.rowCount(); ++i)
        out << r.value(i, 0).toText();
    return out;
}

struct ParsedCase {
    const char16_t* expression;
    QStringList expected;
};

void PrintTo(const ParsedCase& c, std::ostream* os)
{
    *os << QString::fromUtf16(c.expression).toStdString();
}

class FilterExpressions : public ::testing::TestWithParam<ParsedCase> {};

TEST_P(FilterExpressions, SelectTheExpectedRows)
{
    ResultSet r = members();
    r.setFilter(QString::fromUtf16(GetParam().expression));
    EXPECT_EQ(cards(r), GetParam().expected) << QString::fromUtf16(GetParam().expression).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, FilterExpressions,
    ::testing::Values(ParsedCase{u"[会员卡号] like '*00*' or [会员姓名] like '*00*'",
                                 {u"1001"_qs, u"1002"_qs, u"2001"_qs, u"2002"_qs, u"3003"_qs, u"3004"_qs}},
                      ParsedCase{u"[会员卡号] like '*100*' or [会员姓名] like '*100*'", {u"1001"_qs, u"1002"_qs}},
                      ParsedCase{u"[会员卡号] like '*四*' or [会员姓名] like '*四*'", {u"1002"_qs}},
                      ParsedCase{u"[会员卡号] like '20*'", {u"2001"_qs, u"2002"_qs}},
                      ParsedCase{u"[会员卡号] like '*1'", {u"1001"_qs, u"2001"_qs}},
                      ParsedCase{u"[会员姓名]='o''brien'", {u"2001"_qs}},
                      ParsedCase{u"[会员姓名]<>'张三' and [卡内余额]>=50", {u"2001"_qs}},
                      ParsedCase{u"[卡内余额]=20 and ([会员卡号]='3003' or [会员卡号]='1001')", {u"3003"_qs}},
                      ParsedCase{u"[加入时间]>=#2024-03-01# and [加入时间]<'2024-03-03'", {u"2002"_qs, u"3003"_qs}},
                      ParsedCase{u"会员卡号 = '1002'", {u"1002"_qs}},
                      ParsedCase{u"", {u"1001"_qs, u"1002"_qs, u"2001"_qs, u"2002"_qs, u"3003"_qs, u"3004"_qs}}),
    [](const auto& info) {
        return tkd::test::nameFrom(info.index, QString::fromUtf16(info.param.expression).toStdString());
    });

TEST(Filter, TypedTextIsMatchedLiterally)
{
    ResultSet r = members();
    const struct {
        const char16_t* text;
        QStringList expected;
    } cases[] = {
        {u"'", {u"2001"_qs}}, {u"O'B", {u"2001"_qs}}, {u"*", {u"2002"_qs}}, {u"%", {u"2002"_qs}}, {u"_", {u"3003"_qs}},
        {u"[", {}},           {u"a_b", {u"3003"_qs}}, {u"' or '1'='1", {}},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        r.setFilter(Filter::anyOf({Filter::where(s(u"会员卡号"), Match::Contains, text),
                                   Filter::where(s(u"会员姓名"), Match::Contains, text)}));
        EXPECT_EQ(cards(r), c.expected) << text.toStdString();
    }
}

TEST(Filter, UnfilterShowsEveryRowAgain)
{
    ResultSet r = members();
    r.setFilter(Filter::where(s(u"会员卡号"), Match::Equals, QStringLiteral("1002")));
    EXPECT_EQ(r.rowCount(), 1);
    EXPECT_EQ(r.value(0, s(u"会员姓名")).toText(), s(u"李四"));
    r.clearFilter();
    EXPECT_EQ(r.rowCount(), 6);
    EXPECT_FALSE(r.isFiltered());
}

TEST(Filter, ComparesNumbersAsNumbersNotText)
{
    ResultSet r = members();
    r.setFilter(Filter::where(s(u"卡内余额"), Match::Greater, 9));
    EXPECT_EQ(cards(r), (QStringList{u"1001"_qs, u"2001"_qs, u"3003"_qs, u"3004"_qs})) << "\"7\" > \"9\" is false";
}

TEST(Filter, MalformedExpressionsAreErrors)
{
    ResultSet r = members();
    for (const char16_t* bad :
         {u"[会员卡号] like '*1", u"[会员卡号] ~ '1'", u"[会员卡号]='1' and", u"([会员卡号]='1'", u"[不存在]='1'"})
        EXPECT_THROW(r.setFilter(QString::fromUtf16(bad)), DbError) << QString::fromUtf16(bad).toStdString();
    EXPECT_EQ(r.rowCount(), 6) << "a refused filter leaves the list as it was";
}

} // namespace
