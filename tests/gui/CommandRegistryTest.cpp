#include "app/CommandRegistry.h"
#include "LoggedInProgram.h"
#include "Widgets.h"
#include "app/TuserinfoForm.h"
#include "db/DbError.h"
#include "kit/DataGrid.h"
#include "kit/OutlookBar.h"
#include "kit/report/TmypreviewForm.h"
#include "members/ThyxxlrForm.h"
#include "members/TxzjsrForm.h"
#include "payments/ThyjfForm.h"
#include "security/Operators.h"
#include "security/TczszForm.h"
#include "security/TreloginForm.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace tkd;
using test::in;
using test::s;

namespace {

class CommandRegistryTest : public test::LoggedInProgram {
protected:
    void addOperator(const QString& name)
    {
        ASSERT_FALSE(security::addOperator(context().command(), {name, QStringLiteral("1111"), QStringLiteral("1111")})
                         .refused());
    }
    void changeShiftTo(const QString& name)
    {
        auto* form = window<gui::TreloginForm>();
        form->prepare();
        in<QComboBox>(form, "operatorCombo")->setCurrentText(name);
        in<QLineEdit>(form, "passwordEdit")->setText(QStringLiteral("1111"));
        in<QPushButton>(form, "loginButton")->click();
        ASSERT_EQ(context().currentOperator(), name);
    }
    void grant(const QString& name, const QString& function)
    {
        dm().change(s(u"update [工作人员操作权限] set [操作权限]=-1 where [操作人员]=:c and [系统功能名称]=:f"),
                    {{QStringLiteral("c"), name}, {QStringLiteral("f"), function}});
    }
    // Runs the command and closes whatever modal window it opened; returns that window.
    QWidget* runAndClose(const char* command)
    {
        QWidget* opened = nullptr;
        // Its own timer: a command that opens nothing leaves no answer behind for the next one.
        QTimer answer;
        answer.setSingleShot(true);
        QObject::connect(&answer, &QTimer::timeout, [&opened] {
            opened = QApplication::activeModalWidget();
            if (auto* dialog = qobject_cast<QDialog*>(opened))
                dialog->reject();
        });
        answer.start(0);
        run(command);
        return opened;
    }
};

TEST_F(CommandRegistryTest, AreaCommandChecksThePermissionThenOpensItsOneWindow)
{
    addOperator(QStringLiteral("小王"));
    changeShiftTo(QStringLiteral("小王"));
    main()->outlookBar()->item(s(u"系统维护"), s(u"操作权限"))->click();
    EXPECT_EQ(messages.texts, QStringList{s(u"对不起，您无权进行操作权限设置！")});
    EXPECT_EQ(messages.icons.back(), gui::MessageIcon::Error);
    EXPECT_FALSE(registry().hasWindow<gui::TczszForm>()) << "a refused command makes no window";

    grant(QStringLiteral("小王"), s(u"操作权限"));
    QWidget* first = runAndClose("permissions");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, registry().window<gui::TczszForm>()) << "the area's window, made on first use";
    EXPECT_EQ(first->windowTitle(), s(u"操作人员权限设置"));
    EXPECT_EQ(runAndClose("permissions"), first) << "the same window the second time";
    EXPECT_EQ(main()->findChildren<gui::TczszForm*>().size(), 1);
    EXPECT_EQ(messages.texts.size(), 1);
}

TEST_F(CommandRegistryTest, WindowsKeepTheirStateBetweenUses)
{
    dm().change(s(u"insert into [会员信息] ([会员卡号],[会员姓名],[会员生日]) values('1001','张小龙','00-00')"));
    // The member picker is shared by the desk, the entry and the payment windows.
    gui::TxzjsrForm* picker = window<gui::TxzjsrForm>();
    EXPECT_EQ(window<gui::ThyxxlrForm>()->introducerChooser(), picker);
    EXPECT_EQ(window<gui::ThyjfForm>()->memberPicker(), picker);

    QTimer::singleShot(0, picker, [picker] {
        picker->grid()->selectRow(0);
        in<QPushButton>(picker, "pickButton")->click();
        if (picker->isVisible())
            picker->reject();
    });
    main()->memberPanel()->button(QStringLiteral("browseMembersButton"))->click();
    EXPECT_EQ(shown(u"会员卡号："), QStringLiteral("1001"));
    EXPECT_EQ(picker->pickedCardNumber(), QStringLiteral("1001")) << "the pick stays with the window";
}

TEST_F(CommandRegistryTest, EngineErrorOfACommandIsShownAndTheProgramGoesOn)
{
    registry().setHandler(QStringLiteral("memberList"), [] { throw DbError(s(u"磁盘已满")); });
    run("memberList");
    ASSERT_EQ(messages.texts, QStringList{s(u"磁盘已满")});
    EXPECT_EQ(messages.icons.back(), gui::MessageIcon::Error);
    EXPECT_TRUE(registry().action(QStringLiteral("memberList"))->isEnabled());
    run("manual");
    EXPECT_EQ(messages.texts.back(), s(u"操作手册不存在！")) << "the next command runs as usual";

    // A real one: the window cannot read its list, so it is not shown half-filled.
    dm().change(s(u"alter table [操作人员] rename to [操作人员旧]"));
    EXPECT_EQ(runAndClose("permissions"), nullptr);
    EXPECT_TRUE(messages.texts.back().contains(QStringLiteral("no such table"))) << messages.texts.back().toStdString();
    dm().change(s(u"alter table [操作人员旧] rename to [操作人员]"));
    EXPECT_EQ(runAndClose("permissions"), window<gui::TczszForm>());
}

TEST_F(CommandRegistryTest, EngineErrorAtTheDeskKeepsTheMemberShown)
{
    dm().change(s(u"insert into [会员信息] ([会员卡号],[会员姓名],[会员生日]) values('1001','张小龙','00-00'),"
                  u"('1002','李小燕','00-00')"));
    swipe(QStringLiteral("1001"));
    ASSERT_EQ(shown(u"会员名称："), s(u"张小龙"));
    dm().change(s(u"alter table [会员请假] rename to [会员请假旧]"));
    swipe(QStringLiteral("1002"));
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts.front().contains(QStringLiteral("no such table")));
    EXPECT_EQ(shown(u"会员卡号："), QStringLiteral("1001")) << "nothing of the failed lookup is shown";
    EXPECT_EQ(shown(u"会员名称："), s(u"张小龙"));
    dm().change(s(u"alter table [会员请假旧] rename to [会员请假]"));
    swipe(QStringLiteral("1002"));
    EXPECT_EQ(shown(u"会员名称："), s(u"李小燕"));
}

TEST_F(CommandRegistryTest, PrintAndTheTabsDeletesDoNothingWithoutAMember)
{
    main()->historyTabs()->button(QStringLiteral("printPaymentsButton"))->click();
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join(u',').toStdString();
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<gui::TmypreviewForm*>(w), nullptr) << "no preview without a member";

    // The tab's deletes say so when their windows register; the check comes after the permission.
    int deleted = 0;
    registry().add(
        {QStringLiteral("deleteLeave"), s(u"删除请假"), gui::WithoutMember::DoesNothing, [&deleted] { ++deleted; }});
    main()->historyTabs()->button(QStringLiteral("deleteLeaveButton"))->click();
    EXPECT_TRUE(messages.texts.isEmpty());
    EXPECT_EQ(deleted, 0);
    main()->memberPanel()->value(s(u"会员卡号："))->setText(QStringLiteral("1001"));
    main()->historyTabs()->button(QStringLiteral("deleteLeaveButton"))->click();
    EXPECT_EQ(deleted, 1);

    main()->memberPanel()->value(s(u"会员卡号："))->clear();
    addOperator(QStringLiteral("小王"));
    changeShiftTo(QStringLiteral("小王"));
    main()->historyTabs()->button(QStringLiteral("deleteLeaveButton"))->click();
    EXPECT_EQ(messages.texts, QStringList{s(u"对不起，您无权进行删除请假操作！")});
}

TEST_F(CommandRegistryTest, PrintShowsThePaymentHistoryOfTheMemberShown)
{
    dm().change(s(u"insert into [会员信息] ([会员卡号],[会员姓名],[会员生日]) values('1001','张小龙','00-00')"));
    swipe(QStringLiteral("1001"));
    main()->historyTabs()->button(QStringLiteral("printPaymentsButton"))->click();
    QList<gui::TmypreviewForm*> previews;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* preview = qobject_cast<gui::TmypreviewForm*>(w))
            previews << preview;
    EXPECT_EQ(previews.size(), 1);
    qDeleteAll(previews);
}

} // namespace
