#include "members/MemberEntry.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

using namespace tkd;
using tkd::test::s;

namespace {

class MemberEntryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dm().change(
            s(u"insert into [会员信息] ([会员卡号],[会员姓名],[会员类型],[移动电话],[固定电话],[加入时间],"
              u"[有效次数],[有效天数],[售价],[会员密码],[会员生日],[性别],[结帐方式],[信息来源],[证件名称],"
              u"[证件号码],[健身教练],[衣柜编号],[会籍顾问],[会员级别],[完成课时],[健身需求],[介绍人],"
              u"[介绍人卡号],[备注说明],[会员照片],[会员积分],[剩余课时]) values('7001','钱小多','季卡','13911112222',"
              u"'0571-8888','2024-02-29',12,90,800.5,'ab　','02-29','女','刷卡','朋友','护照','E123',"
              u"'金教练','A3','李顾问','黄带',7,'减脂','孙大圣','6001','备注一','/p/7001.jpg',35,13)"));
        dm().change(s(u"insert into [报考级别] ([级别名称],[所需课时]) values('黄带',20)"));
        dm().change(s(u"insert into [会员信息] ([会员卡号],[会员姓名],[会员生日]) values('7002','旧会员','00-00')"));
    }
    TvelunDMForm& dm() { return t.dm(); }
    test::TestDatabase t;
};

TEST_F(MemberEntryTest, BoxesShowTheStoredValues)
{
    const auto entry = members::loadEntry(dm(), QStringLiteral("7001"));
    ASSERT_TRUE(entry.has_value());
    const members::MemberInput& in = entry->input;
    EXPECT_EQ(in.cardNumber, QStringLiteral("7001"));
    EXPECT_EQ(in.name, s(u"钱小多"));
    EXPECT_EQ(in.type, s(u"季卡"));
    EXPECT_EQ(in.mobile, QStringLiteral("13911112222"));
    EXPECT_EQ(in.phone, QStringLiteral("0571-8888"));
    EXPECT_EQ(in.joined, QDate(2024, 2, 29));
    EXPECT_EQ(in.visits, QStringLiteral("12"));
    EXPECT_EQ(in.days, QStringLiteral("90"));
    EXPECT_EQ(in.price.toString(), QStringLiteral("800.50"));
    EXPECT_EQ(in.password, s(u"ab　")) << "the password as stored, full-width space included";
    EXPECT_EQ(in.confirmPassword, in.password);
    EXPECT_EQ(in.birthMonth, QStringLiteral("02"));
    EXPECT_EQ(in.birthDay, QStringLiteral("29"));
    EXPECT_EQ(in.sex, s(u"女"));
    EXPECT_EQ(in.payMethod, s(u"刷卡"));
    EXPECT_EQ(in.source, s(u"朋友"));
    EXPECT_EQ(in.idKind, s(u"护照"));
    EXPECT_EQ(in.idNumber, QStringLiteral("E123"));
    EXPECT_EQ(in.coach, s(u"金教练"));
    EXPECT_EQ(in.locker, QStringLiteral("A3"));
    EXPECT_EQ(in.consultant, s(u"李顾问"));
    EXPECT_EQ(in.grade, s(u"黄带"));
    EXPECT_EQ(in.lessonsDone, QStringLiteral("7"));
    EXPECT_EQ(in.needs, s(u"减脂"));
    EXPECT_EQ(in.introducer, s(u"孙大圣"));
    EXPECT_EQ(in.introducerCard, QStringLiteral("6001"));
    EXPECT_EQ(in.remark, s(u"备注一"));
    EXPECT_EQ(in.photo, QStringLiteral("/p/7001.jpg"));
    EXPECT_EQ(entry->points, QStringLiteral("35"));
}

TEST_F(MemberEntryTest, MissingValuesStayMissing)
{
    const auto entry = members::loadEntry(dm(), QStringLiteral("7002"));
    ASSERT_TRUE(entry.has_value());
    EXPECT_FALSE(entry->input.joined.isValid()) << "no joining date is invented";
    EXPECT_EQ(entry->input.birthMonth, QStringLiteral("00"));
    EXPECT_EQ(entry->input.birthDay, QStringLiteral("00"));
    EXPECT_EQ(entry->input.visits, QStringLiteral("0"));
    EXPECT_EQ(entry->points, QStringLiteral("0"));
    EXPECT_TRUE(entry->input.price.isZero());
    EXPECT_TRUE(entry->input.password.isEmpty());
    EXPECT_FALSE(members::loadEntry(dm(), QStringLiteral("9999")).has_value());
}

TEST_F(MemberEntryTest, SavingAnUntouchedEntryChangesNothing)
{
    const ResultSet before = dm().list(s(u"select * from [会员信息] where [会员卡号]='7001'"));
    const auto entry = members::loadEntry(dm(), QStringLiteral("7001"));
    ASSERT_TRUE(entry.has_value());
    ASSERT_FALSE(members::editMember({dm(), s(u"超级用户"), QDateTime(QDate(2024, 3, 15), QTime(9, 0))}, entry->input)
                     .refused());
    const ResultSet after = dm().list(s(u"select * from [会员信息] where [会员卡号]='7001'"));
    for (const QString& column : before.columns())
        EXPECT_EQ(after.first(column).toText(), before.first(column).toText()) << column.toStdString();
}

} // namespace
