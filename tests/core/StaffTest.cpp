#include "staff/Staff.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

using namespace tkd;
using tkd::test::s;

namespace {

class StaffTest : public ::testing::Test {
protected:
    qint64 add(const QString& name, const QString& title, const QString& status = QStringLiteral("正常"))
    {
        staff::Input input;
        input.name = name;
        input.title = title;
        input.status = status;
        EXPECT_FALSE(staff::save(admin(), input).refused());
        return dm()
            .list(QStringLiteral("select max([编号]) as [m] from [员工设置]"))
            .first(QStringLiteral("m"))
            .toInt();
    }
    QStringList shownNames(const Filter& filter)
    {
        ResultSet rows = dm().open(QStringLiteral("ADODS_ygxx"));
        rows.setFilter(filter);
        QStringList names;
        for (int i = 0; i < rows.rowCount(); ++i)
            names << rows.value(i, s(u"姓名")).toText();
        return names;
    }
    int staffCount() { return dm().list(QStringLiteral("select * from [员工设置]")).rowCount(); }
    TvelunDMForm& dm() { return m_db.dm(); }
    CommandContext admin() { return {dm(), s(u"超级用户"), QDateTime(QDate(2024, 3, 15), QTime(9, 0))}; }

    tkd::test::TestDatabase m_db;
};

} // namespace

TEST_F(StaffTest, NameThenTitleAreRequiredAndNothingIsWritten)
{
    staff::Input input;
    input.name = QStringLiteral("   ");
    input.title = s(u"教练");
    auto outcome = staff::save(admin(), input);
    ASSERT_TRUE(outcome.refused());
    EXPECT_EQ(outcome.refusal().message, s(u"员工姓名不能为空！"));
    EXPECT_EQ(outcome.refusal().field, staff::field::name);
    EXPECT_EQ(outcome.refusal().icon, Refusal::Icon::Error);

    input.name = s(u"王教练");
    input.title.clear();
    outcome = staff::save(admin(), input);
    ASSERT_TRUE(outcome.refused());
    EXPECT_EQ(outcome.refusal().message, s(u"所任职务不能为空！"));
    EXPECT_EQ(outcome.refusal().field, staff::field::title);
    EXPECT_EQ(staffCount(), 0);
}

TEST_F(StaffTest, SavesTrimmedValuesAndEditsInPlace)
{
    staff::Input input{s(u" 王教练 "),  s(u"教练"), QStringLiteral(" 13800000000 "),
                       s(u" 东街1号 "), s(u"正常"), s(u" 黑带 ")};
    ASSERT_FALSE(staff::save(admin(), input).refused());
    const qint64 id = dm().list(QStringLiteral("select [编号] from [员工设置]")).first(s(u"编号")).toInt();
    auto stored = staff::find(dm(), id);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->name, s(u"王教练"));
    EXPECT_EQ(stored->phone, QStringLiteral("13800000000"));
    EXPECT_EQ(stored->address, s(u"东街1号"));
    EXPECT_EQ(stored->remark, s(u"黑带"));

    input.name = s(u"王老师");
    input.status = s(u"离职");
    ASSERT_FALSE(staff::save(admin(), input, id).refused());
    stored = staff::find(dm(), id);
    EXPECT_EQ(stored->name, s(u"王老师"));
    EXPECT_EQ(stored->status, s(u"离职"));
    EXPECT_EQ(staffCount(), 1);

    EXPECT_FALSE(staff::remove(admin(), id).refused());
    EXPECT_FALSE(staff::find(dm(), id));
    const auto removedTwice = staff::remove(admin(), id);
    ASSERT_TRUE(removedTwice.refused()) << "a row deleted already is refused, not passed over";
    EXPECT_EQ(removedTwice.refusal().message, s(u"该员工已不存在！"));
    const auto gone = staff::save(admin(), input, id);
    ASSERT_TRUE(gone.refused()) << "editing a removed member of staff is refused";
    EXPECT_EQ(gone.refusal().message, s(u"该员工已不存在！"));
    EXPECT_EQ(staffCount(), 0);
}

TEST_F(StaffTest, ListFilterHidesDepartedUnlessAskedAndMatchesNamesLiterally)
{
    add(s(u"张三"), s(u"教练"));
    add(s(u"李四"), s(u"会籍顾问"));
    add(s(u"王五"), s(u"教练"), s(u"离职"));
    add(QStringLiteral("O'Brien"), s(u"前台"), s(u"其它"));
    add(QStringLiteral("a*b"), s(u"前台"));

    EXPECT_EQ(shownNames(staff::listFilter(false, {}, {})),
              (QStringList{s(u"张三"), s(u"李四"), QStringLiteral("O'Brien"), QStringLiteral("a*b")}));
    EXPECT_EQ(shownNames(staff::listFilter(true, {}, {})).size(), 5);
    EXPECT_TRUE(staff::listFilter(true, {}, QStringLiteral("  ")).isEmpty());
    EXPECT_EQ(shownNames(staff::listFilter(false, s(u"教练"), {})), QStringList{s(u"张三")});
    EXPECT_EQ(shownNames(staff::listFilter(true, s(u"教练"), {})), (QStringList{s(u"张三"), s(u"王五")}));
    EXPECT_EQ(shownNames(staff::listFilter(false, {}, QStringLiteral("'"))), QStringList{QStringLiteral("O'Brien")});
    EXPECT_EQ(shownNames(staff::listFilter(false, {}, QStringLiteral("*"))), QStringList{QStringLiteral("a*b")});
    EXPECT_EQ(shownNames(staff::listFilter(false, {}, QStringLiteral(" brien "))),
              QStringList{QStringLiteral("O'Brien")});
}

TEST_F(StaffTest, PickersSplitConsultantsFromCoachesAndSkipInactiveStaff)
{
    add(s(u"张三"), s(u"教练"));
    add(s(u"赵六"), s(u"前台"));
    add(s(u"李四"), s(u"会籍顾问"));
    add(s(u"王五"), s(u"教练"), s(u"离职"));
    add(s(u"钱七"), s(u"会籍顾问"), s(u"其它"));
    EXPECT_EQ(staff::coachNames(dm()), (QStringList{s(u"张三"), s(u"赵六")}));
    EXPECT_EQ(staff::consultantNames(dm()), QStringList{s(u"李四")});
    // The desk's coach picker reads the same people.
    EXPECT_EQ(dm().open(QStringLiteral("ADODS_jlxx")).rowCount(), 2);
}

TEST_F(StaffTest, JobTitlesKeepTheirOrderAndDeletingOneLeavesItsHolders)
{
    EXPECT_EQ(staff::jobTitles(dm()), (QStringList{s(u"教练"), s(u"会籍顾问"), s(u"前台")}));
    const auto outcome = staff::addJobTitle(admin(), QStringLiteral("  "));
    ASSERT_TRUE(outcome.refused());
    EXPECT_EQ(outcome.refusal().message, s(u"职务名称不能为空！"));
    ASSERT_FALSE(staff::addJobTitle(admin(), s(u" 馆长 ")).refused());
    EXPECT_EQ(staff::jobTitles(dm()).last(), s(u"馆长"));

    const qint64 holder = add(s(u"孙八"), s(u"馆长"));
    const qint64 titleId =
        dm().list(QStringLiteral("select [编号] from [职务] where [职务名称]=:n"), {{QStringLiteral("n"), s(u"馆长")}})
            .first(s(u"编号"))
            .toInt();
    staff::removeJobTitle(admin(), titleId);
    EXPECT_FALSE(staff::jobTitles(dm()).contains(s(u"馆长")));
    EXPECT_EQ(staff::find(dm(), holder)->title, s(u"馆长"));
}
