#include "TestDatabase.h"
#include "demo/DemoHall.h"

#include <gtest/gtest.h>

using namespace tkd;
using tkd::test::s;

namespace {

// The sample hall of 60 members on 2024-03-15.
class AssessmentDemoTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_db = new test::TestDatabase;
        demo::generate(s_db->dm(), demo::HallSize{}, QDate(2024, 3, 15));
    }
    static void TearDownTestSuite()
    {
        delete s_db;
        s_db = nullptr;
    }
    TvelunDMForm& dm() { return s_db->dm(); }

    static test::TestDatabase* s_db;
};

test::TestDatabase* AssessmentDemoTest::s_db = nullptr;

TEST_F(AssessmentDemoTest, EveryLevelHeldHasItsPassedResult)
{
    const ResultSet members =
        dm().list(s(u"select [会员卡号],[会员级别] from [会员信息] where [会员级别]<>'' order by [会员卡号]"));
    ASSERT_FALSE(members.isEmpty()) << "some members hold a level";
    const QStringList levels = dm().list(s(u"select [级别名称] from [报考级别] order by [编号]")).texts(s(u"级别名称"));
    for (int row = 0; row < members.rowCount(); ++row) {
        const QString card = members.value(row, s(u"会员卡号")).toText();
        const qsizetype held = levels.indexOf(members.value(row, s(u"会员级别")).toText());
        ASSERT_GE(held, 0) << card.toStdString();
        const QStringList passed =
            dm().list(s(u"select [报考级别] from [学员考核] where [会员卡号]=:k and [考核结果]='通过' "
                        u"order by [考核时间],[编号]"),
                      {{QStringLiteral("k"), card}})
                .texts(s(u"报考级别"));
        EXPECT_EQ(passed, levels.mid(0, held + 1)) << card.toStdString() << ": one pass per level, in order";
    }
}

TEST_F(AssessmentDemoTest, ThisMonthHasResults)
{
    const qint64 month = dm().db()
                             .scalar(s(u"select count(*) from [学员考核] where [考核时间]>=:a and [考核时间]<=:b"),
                                     {{QStringLiteral("a"), QDateTime(QDate(2024, 3, 1), QTime(0, 0))},
                                      {QStringLiteral("b"), QDateTime(QDate(2024, 3, 15), QTime(23, 59, 59))}})
                             .toInt();
    EXPECT_GT(month, 0);
}

} // namespace
