#include "TestDatabase.h"
#include "goods/GoodsSearch.h"
#include "lockers/LockerChoice.h"
#include "members/MemberSearch.h"
#include "staff/Staff.h"

#include <gtest/gtest.h>

using namespace tkd;
using tkd::test::s;

namespace {

// What the operator types, and the keys of the rows that must show.
struct Typed {
    QString text;
    QStringList expected;
};

QStringList column(const ResultSet& rows, const QString& name)
{
    return rows.texts(name);
}

class ChooserSearch : public ::testing::Test {
protected:
    void member(const QString& card, const QString& name)
    {
        dm().change(QStringLiteral("insert into [会员信息] ([会员卡号],[会员姓名],[会员状态]) values(:k,:n,'可用')"),
                    {{QStringLiteral("k"), card}, {QStringLiteral("n"), name}});
    }
    void item(const QString& code, const QString& name)
    {
        dm().change(
            QStringLiteral("insert into [商品信息] ([商品编号],[商品名称],[预售单价],[数量]) values(:c,:n,1,0)"),
            {{QStringLiteral("c"), code}, {QStringLiteral("n"), name}});
    }
    void coach(const QString& name, const QString& title = QStringLiteral("教练"))
    {
        staff::Input input;
        input.name = name;
        input.title = title;
        ASSERT_FALSE(staff::save(admin(), input).refused());
    }
    void locker(const QString& number, const QString& state)
    {
        dm().change(
            QStringLiteral("insert into [衣柜设置] ([衣柜编号],[衣柜名称],[押金],[状态]) values(:b,:m,50,:z)"),
            {{QStringLiteral("b"), number}, {QStringLiteral("m"), number + s(u"衣柜")}, {QStringLiteral("z"), state}});
    }
    TvelunDMForm& dm() { return m_db.dm(); }
    CommandContext admin() { return {dm(), s(u"超级用户"), QDateTime(QDate(2024, 3, 15), QTime(9, 0))}; }

    tkd::test::TestDatabase m_db;
};

} // namespace

TEST_F(ChooserSearch, MembersMatchNumberOrNameWithTypedSignsAsCharacters)
{
    member(QStringLiteral("1001"), QStringLiteral("O'Neil"));
    member(QStringLiteral("1002"), s(u"五折50%"));
    member(QStringLiteral("1003"), QStringLiteral("a_b"));
    member(QStringLiteral("1004"), QStringLiteral("x*y"));
    member(QStringLiteral("2005"), s(u"张三"));
    member(QStringLiteral("20_6"), s(u"李四"));

    const std::vector<Typed> cases{
        {QStringLiteral("'"), {QStringLiteral("1001")}},
        {QStringLiteral("o'n"), {QStringLiteral("1001")}},
        {QStringLiteral("%"), {QStringLiteral("1002")}},
        {QStringLiteral("_"), {QStringLiteral("1003"), QStringLiteral("20_6")}},
        {QStringLiteral("*"), {QStringLiteral("1004")}},
        {QStringLiteral("'%"), {}},
        {QStringLiteral("*1*"), {}},
        {QStringLiteral("100"),
         {QStringLiteral("1001"), QStringLiteral("1002"), QStringLiteral("1003"), QStringLiteral("1004")}},
        {s(u" 张 "), {QStringLiteral("2005")}},
        {QStringLiteral("  "),
         {QStringLiteral("1001"), QStringLiteral("1002"), QStringLiteral("1003"), QStringLiteral("1004"),
          QStringLiteral("2005"), QStringLiteral("20_6")}},
    };
    for (const Typed& typed : cases) {
        SCOPED_TRACE(typed.text.toStdString());
        EXPECT_EQ(column(members::search(dm(), typed.text), s(u"会员卡号")), typed.expected);
    }
    EXPECT_EQ(members::pickerList(dm()).columns(),
              (QStringList{s(u"会员卡号"), s(u"会员姓名"), s(u"会员类型"), s(u"加入时间"), s(u"备注说明")}));
}

TEST_F(ChooserSearch, GoodsMatchCodeOrNameWithTypedSignsAsCharacters)
{
    item(QStringLiteral("G1"), QStringLiteral("5% off"));
    item(QStringLiteral("G_2"), s(u"矿泉水"));
    item(QStringLiteral("G3"), QStringLiteral("Tom's"));
    item(QStringLiteral("G4"), s(u"*星护具"));

    const std::vector<Typed> cases{
        {QStringLiteral("%"), {QStringLiteral("G1")}},
        {QStringLiteral("_"), {QStringLiteral("G_2")}},
        {QStringLiteral("'"), {QStringLiteral("G3")}},
        {QStringLiteral("*"), {QStringLiteral("G4")}},
        {QStringLiteral("g"),
         {QStringLiteral("G1"), QStringLiteral("G3"), QStringLiteral("G4"), QStringLiteral("G_2")}},
        {s(u"水"), {QStringLiteral("G_2")}},
    };
    for (const Typed& typed : cases) {
        SCOPED_TRACE(typed.text.toStdString());
        EXPECT_EQ(column(goods::search(dm(), typed.text), s(u"商品编号")), typed.expected);
    }
    EXPECT_EQ(goods::search(dm(), {}).rowCount(), 5) << "the four items and the system item, whatever their stock";
}

TEST_F(ChooserSearch, CoachesAreActiveNonConsultantsMatchedLiterally)
{
    coach(QStringLiteral("O'Brien"));
    coach(QStringLiteral("Li_Wei"));
    coach(s(u"百分%教练"));
    coach(s(u"王顾问"), s(u"会籍顾问"));
    staff::Input departed;
    departed.name = QStringLiteral("Old_Timer");
    departed.title = s(u"教练");
    departed.status = staff::kDeparted;
    ASSERT_FALSE(staff::save(admin(), departed).refused());

    const std::vector<Typed> cases{
        {QStringLiteral("'"), {QStringLiteral("O'Brien")}},
        {QStringLiteral("_"), {QStringLiteral("Li_Wei")}},
        {QStringLiteral("%"), {s(u"百分%教练")}},
        {QStringLiteral("*"), {}},
        {s(u"顾问"), {}},
        {{}, {QStringLiteral("O'Brien"), QStringLiteral("Li_Wei"), s(u"百分%教练")}},
    };
    for (const Typed& typed : cases) {
        SCOPED_TRACE(typed.text.toStdString());
        EXPECT_EQ(column(staff::searchCoaches(dm(), typed.text), s(u"姓名")), typed.expected);
    }
}

TEST_F(ChooserSearch, LockersAreFreeUnlessAllAreAskedForAndNumbersMatchLiterally)
{
    locker(QStringLiteral("A_1"), s(u"可用"));
    locker(QStringLiteral("A11"), s(u"可用"));
    locker(QStringLiteral("B%1"), s(u"损坏"));
    locker(QStringLiteral("B'2"), s(u"已租"));

    EXPECT_EQ(column(lockers::searchLockers(dm(), false, {}), s(u"衣柜编号")),
              (QStringList{QStringLiteral("A_1"), QStringLiteral("A11")}));
    EXPECT_EQ(column(lockers::searchLockers(dm(), false, QStringLiteral("_")), s(u"衣柜编号")),
              QStringList{QStringLiteral("A_1")});
    EXPECT_TRUE(lockers::searchLockers(dm(), false, QStringLiteral("%")).isEmpty()) << "B%1 is not free";
    EXPECT_EQ(column(lockers::searchLockers(dm(), true, QStringLiteral("%")), s(u"衣柜编号")),
              QStringList{QStringLiteral("B%1")});
    EXPECT_EQ(column(lockers::searchLockers(dm(), true, QStringLiteral("'")), s(u"衣柜编号")),
              QStringList{QStringLiteral("B'2")});
    EXPECT_EQ(lockers::searchLockers(dm(), true, {}).rowCount(), 4);
}
