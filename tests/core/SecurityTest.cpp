#include "TestDatabase.h"
#include "data/Seed.h"
#include "security/Login.h"
#include "security/Operators.h"
#include "security/PasswordHash.h"
#include "security/Permissions.h"

#include <gtest/gtest.h>

using namespace tkd;
using namespace tkd::security;
using test::s;

namespace {

class SecurityTest : public ::testing::Test {
protected:
    void addClerk(const QString& name = QStringLiteral("小王"))
    {
        ASSERT_FALSE(
            addOperator(as(s(kSuperUser)), {name, QStringLiteral(" 1234 "), QStringLiteral("1234")}).refused());
    }
    void grant(const QString& name, const QString& function)
    {
        t.dm().change(s(u"update [工作人员操作权限] set [操作权限]=-1 where [操作人员]=:c and [系统功能名称]=:f"),
                      {{QStringLiteral("c"), name}, {QStringLiteral("f"), function}});
    }
    qint64 count(const QString& sql) { return t.db().scalar(sql).toInt(); }
    CommandContext as(const QString& name) { return {t.dm(), name, QDateTime(QDate(2024, 3, 15), QTime(9, 0))}; }
    test::TestDatabase t;
};

TEST_F(SecurityTest, SuperUserPassesWithoutAnyRightsRow)
{
    ASSERT_EQ(count(s(u"select count(*) from [工作人员操作权限] where [操作人员]='超级用户'")), 0);
    for (const GuardedCommand& c : guardedCommands())
        EXPECT_FALSE(checkPermission(t.dm(), s(kSuperUser), c.function).has_value()) << c.function.toStdString();
}

TEST_F(SecurityTest, EveryFunctionIsRefusedWithItsOwnMessageUntilGranted)
{
    addClerk();
    ASSERT_EQ(guardedCommands().size(), schema::guardedFunctions().size());
    for (const GuardedCommand& c : guardedCommands()) {
        const MaybeRefusal refusal = checkPermission(t.dm(), QStringLiteral("小王"), c.function);
        ASSERT_TRUE(refusal.has_value()) << c.function.toStdString();
        EXPECT_EQ(refusal->message, c.refusal);
        EXPECT_TRUE(refusal->message.startsWith(s(u"对不起，您无权进行"))) << refusal->message.toStdString();
        EXPECT_EQ(refusal->icon, Refusal::Icon::Error);
    }
    EXPECT_EQ(refusalFor(s(u"操作权限")), s(u"对不起，您无权进行操作权限设置！"));
    EXPECT_EQ(refusalFor(s(u"员工业绩管理")), s(u"对不起，您无权进行员工业绩管理操作！"));

    grant(QStringLiteral("小王"), s(u"学员登记"));
    EXPECT_FALSE(checkPermission(t.dm(), QStringLiteral("小王"), s(u"学员登记")).has_value());
    EXPECT_TRUE(checkPermission(t.dm(), QStringLiteral("小王"), s(u"添加会员")).has_value()) << "only the one right";
}

TEST_F(SecurityTest, FunctionWithoutARowIsRefused)
{
    addClerk();
    t.dm().change(s(u"delete from [工作人员操作权限] where [系统功能名称]='数据清理'"));
    const MaybeRefusal refusal = checkPermission(t.dm(), QStringLiteral("小王"), s(u"数据清理"));
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->message, s(u"对不起，您无权进行数据清理操作！"));
}

TEST_F(SecurityTest, SuperUserOnlyOperations)
{
    addClerk();
    grant(QStringLiteral("小王"), s(u"会员管理"));
    const struct {
        SuperUserOperation op;
        const char16_t* message;
        Refusal::Icon icon;
    } cases[] = {
        {SuperUserOperation::DeleteVisit, u"只有超级用户可以进行删除登记操作！", Refusal::Icon::Error},
        {SuperUserOperation::DeleteMember, u"对不起，只有超级用户可以进行删除会员操作！", Refusal::Icon::Error},
        {SuperUserOperation::AdjustMemberData, u"只有超级用户可以进行此操作！", Refusal::Icon::Warning},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(requireSuperUser(s(kSuperUser), c.op).has_value());
        const MaybeRefusal refusal = requireSuperUser(QStringLiteral("小王"), c.op);
        ASSERT_TRUE(refusal.has_value());
        EXPECT_EQ(refusal->message, s(c.message));
        EXPECT_EQ(refusal->icon, c.icon);
    }
}

TEST_F(SecurityTest, LoginRefusesUnknownWrongAndTrailingSpace)
{
    addClerk();
    EXPECT_EQ(checkLogin(t.dm(), s(u"没这人"), QStringLiteral("1234")).refusal().message, s(u"查无此人！"));
    EXPECT_EQ(checkLogin(t.dm(), QStringLiteral("小王"), QStringLiteral("4321")).refusal().message,
              s(u"您输入的密码不对，不能登录！"));
    EXPECT_EQ(checkLogin(t.dm(), QStringLiteral("小王"), QStringLiteral("1234 ")).refusal().field, field::password)
        << "stored trimmed, compared as typed";
    EXPECT_TRUE(checkLogin(t.dm(), QStringLiteral("小王"), QStringLiteral("1234")).ok());
    EXPECT_TRUE(checkLogin(t.dm(), s(kSuperUser), s(kInitialSuperUserPassword)).ok());
    EXPECT_EQ(operatorNames(t.dm()), (QStringList{s(kSuperUser), QStringLiteral("小王")}));
}

TEST_F(SecurityTest, ShiftChangeHasItsOwnMessages)
{
    addClerk();
    EXPECT_EQ(checkShiftChange(t.dm(), s(u"没这人"), QString()).refusal().message, s(u"查无此人！"));
    const Outcome<> wrong = checkShiftChange(t.dm(), QStringLiteral("小王"), QStringLiteral("1234 "));
    ASSERT_TRUE(wrong.refused());
    EXPECT_EQ(wrong.refusal().message, s(u"您输入的密码不正确，不能换班登录！"));
    EXPECT_EQ(wrong.refusal().clear, QStringList{field::password});
    EXPECT_FALSE(checkShiftChange(t.dm(), QStringLiteral("小王"), QStringLiteral("1234")).refused());
}

TEST_F(SecurityTest, PasswordChangeRulesInOrder)
{
    addClerk();
    const QString clerk = QStringLiteral("小王");
    const QString before = t.db().scalar(s(u"select [操作密码] from [操作人员] where [操作人员]='小王'")).toText();
    const struct {
        PasswordChange change;
        const char16_t* message;
        const QString& focus;
    } refused[] = {
        {{QStringLiteral("wrong"), QStringLiteral("   "), QString()}, u"操作密码不能为空！", field::password},
        {{QStringLiteral("wrong"), QStringLiteral("a"), QStringLiteral("b")},
         u"新密码和确认密码不同，请重新输入！",
         field::password},
        {{QStringLiteral("1234 "), QStringLiteral("5678"), QStringLiteral(" 5678")},
         u"您输入的原密码不正确，无法更改！",
         field::oldPassword},
    };
    for (const auto& c : refused) {
        const Outcome<> r = changePassword(as(clerk), c.change);
        ASSERT_TRUE(r.refused());
        EXPECT_EQ(r.refusal().message, s(c.message));
        EXPECT_EQ(r.refusal().field, c.focus);
    }
    EXPECT_EQ(t.db().scalar(s(u"select [操作密码] from [操作人员] where [操作人员]='小王'")).toText(), before)
        << "a refused change writes nothing";

    EXPECT_FALSE(changePassword(as(clerk), {QStringLiteral("1234"), QStringLiteral(" 5678 "), QStringLiteral("5678")})
                     .refused());
    EXPECT_TRUE(checkLogin(t.dm(), clerk, QStringLiteral("5678")).ok());
    EXPECT_FALSE(checkLogin(t.dm(), clerk, QStringLiteral("1234")).ok());
    EXPECT_NE(t.db().scalar(s(u"select [操作密码] from [操作人员] where [操作人员]='小王'")).toText(),
              QStringLiteral("5678"))
        << "never stored as typed";
}

TEST_F(SecurityTest, NewOperatorRulesAndUntickedRights)
{
    const struct {
        NewOperator input;
        const char16_t* message;
        QStringList clear;
    } refused[] = {
        {{QStringLiteral("  "), QStringLiteral("1"), QStringLiteral("1")}, u"操作人员不能为空！", {}},
        {{QStringLiteral("小李"), QStringLiteral(" "), QStringLiteral("1")}, u"操作密码不能为空！", {}},
        {{QStringLiteral("小李"), QStringLiteral("1"), QStringLiteral("2")},
         u"两次密码不同，请重新输入！",
         {field::password, field::confirm}},
        {{QStringLiteral(" 超级用户 "), QStringLiteral("1"), QStringLiteral("1")},
         u"请输入不同的操作人员！",
         {field::name, field::password, field::confirm}},
    };
    for (const auto& c : refused) {
        const Outcome<> r = addOperator(as(s(kSuperUser)), c.input);
        ASSERT_TRUE(r.refused());
        EXPECT_EQ(r.refusal().message, s(c.message));
        EXPECT_EQ(r.refusal().clear, c.clear);
    }
    EXPECT_EQ(count(s(u"select count(*) from [操作人员]")), 1);

    ASSERT_FALSE(
        addOperator(as(s(kSuperUser)), {QStringLiteral(" 小李 "), QStringLiteral("9"), QStringLiteral("9")}).refused());
    EXPECT_EQ(ordinaryOperators(t.dm()), QStringList{QStringLiteral("小李")}) << "stored trimmed";
    const Dataset rights = rightsOf(t.dm(), QStringLiteral("小李"));
    EXPECT_EQ(rights.rows().rowCount(), count(s(u"select count(*) from [操作权限集合表]")));
    for (int i = 0; i < rights.rows().rowCount(); ++i)
        EXPECT_FALSE(rights.rows().value(i, s(u"操作权限")).toBool());
    EXPECT_FALSE(rights.rows().value(0, s(u"系统功能类别")).toText().isEmpty());
    EXPECT_NE(t.db().scalar(s(u"select [操作密码] from [操作人员] where [操作人员]='小李'")).toText(),
              QStringLiteral("9"));
}

TEST_F(SecurityTest, DeletingAnOperatorTakesItsRights)
{
    addClerk();
    ASSERT_FALSE(deleteOperator(as(s(kSuperUser)), QStringLiteral("小王")).refused());
    EXPECT_EQ(count(s(u"select count(*) from [工作人员操作权限]")), 0);
    EXPECT_TRUE(ordinaryOperators(t.dm()).isEmpty());
    EXPECT_TRUE(deleteOperator(as(s(kSuperUser)), s(kSuperUser)).refused());
    EXPECT_EQ(count(s(u"select count(*) from [操作人员]")), 1);
}

} // namespace
