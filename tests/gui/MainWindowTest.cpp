#include "LoggedInProgram.h"
#include "ScriptedMessages.h"
#include "TestDatabase.h"
#include "app/CommandRegistry.h"
#include "app/Config.h"
#include "app/Startup.h"
#include "app/TLoginForm.h"
#include "app/TmainForm.h"
#include "app/TuserinfoForm.h"
#include "frontdesk/HistoryTabs.h"
#include "frontdesk/MemberPanel.h"
#include "kit/DataGrid.h"
#include "kit/OutlookBar.h"
#include "security/Operators.h"
#include "security/PasswordHash.h"
#include "security/TczszForm.h"
#include "security/TgzrysingleForm.h"
#include "security/TreloginForm.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace tkd;

namespace {

QString u(const char16_t* text)
{
    return QString::fromUtf16(text);
}

class MainWindowTest : public test::LoggedInProgram {
protected:
    void addOperator(const QString& name)
    {
        ASSERT_FALSE(security::addOperator(context().command(), {name, QStringLiteral("1111"), QStringLiteral("1111")})
                         .refused());
    }
    // A shift change as the operator would make it.
    void changeShiftTo(const QString& name, const QString& password)
    {
        gui::TreloginForm* form = window<gui::TreloginForm>();
        form->prepare();
        form->findChild<QComboBox*>(QStringLiteral("operatorCombo"))->setCurrentText(name);
        form->findChild<QLineEdit*>(QStringLiteral("passwordEdit"))->setText(password);
        form->findChild<QPushButton*>(QStringLiteral("loginButton"))->click();
    }
    QAction* menuAction(const QString& menu, const QString& caption) const
    {
        for (QAction* top : main()->menuBar()->actions())
            if (top->text() == menu && top->menu())
                for (QAction* a : top->menu()->actions())
                    if (a->text() == caption)
                        return a;
        return nullptr;
    }
    QToolButton* toolButton(const QString& id) const
    {
        return main()->toolBar()->findChild<QToolButton*>(id + QStringLiteral("ToolButton"));
    }
    static void clickCell(gui::DataGrid* grid, int row, int column)
    {
        const QRect rect = grid->visualRect(grid->model()->index(row, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
    }
};

TEST_F(MainWindowTest, LoginShowsCaptionStatusPanelsAndAnEmptyDesk)
{
    EXPECT_EQ(main()->windowTitle(), u(u"澄岚跆拳道馆管理系统5.6版     用户名称：澄岚跆拳道馆"));
    EXPECT_EQ(main()->findChild<QLabel*>(QStringLiteral("operatorPanel"))->text(), u(u" 操作人员：超级用户"));
    EXPECT_EQ(main()->findChild<QLabel*>(QStringLiteral("hallPanel"))->text(), u(u" 本软件使用单位：澄岚跆拳道馆"));
    EXPECT_TRUE(main()->memberPanel()->shownCardNumber().isEmpty());
    EXPECT_EQ(main()->memberPanel()->cardNumberEdit()->placeholderText(), u(u"回车键确认会员卡号！"));
    for (const QString& caption : gui::MemberPanel::captions())
        ASSERT_NE(main()->memberPanel()->value(caption), nullptr) << caption.toStdString();
    EXPECT_EQ(main()->historyTabs()->count(), 6);
    EXPECT_EQ(main()->historyTabs()->tabText(0), u(u"会员消费记录"));
    EXPECT_EQ(main()->historyTabs()->currentIndex(), 0);
    gui::DataGrid* payments = main()->historyTabs()->grid(QStringLiteral("paymentGrid"));
    EXPECT_EQ(payments->result().rowCount(), 0);
    EXPECT_EQ(payments->result().columns().size(), 6) << "an empty history still shows its columns";
    EXPECT_TRUE(main()->historyTabs()->grid(QStringLiteral("visitGrid"))->isColumnHidden(3)) << "编号 is hidden";
    EXPECT_EQ(main()->outlookBar()->count(), 6);
}

TEST_F(MainWindowTest, CommandsWithoutTheirWindowAreDisabledNotFaked)
{
    EXPECT_FALSE(registry().action(QStringLiteral("memberList"))->isEnabled());
    EXPECT_FALSE(toolButton(QStringLiteral("memberList"))->isEnabled());
    EXPECT_FALSE(main()->outlookBar()->item(u(u"会员管理"), u(u"会员管理"))->isEnabled());
    EXPECT_TRUE(registry().action(QStringLiteral("permissions"))->isEnabled());
    EXPECT_TRUE(registry().action(QStringLiteral("shiftChange"))->isEnabled());
    registry().action(QStringLiteral("memberList"))->trigger();
    EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(MainWindowTest, TwinsOfARefusedCommandShowTheSameMessage)
{
    int opened = 0;
    registry().setHandler(QStringLiteral("memberList"), [&opened] { ++opened; });
    addOperator(QStringLiteral("小王"));
    changeShiftTo(QStringLiteral("小王"), QStringLiteral("1111"));
    ASSERT_EQ(context().currentOperator(), QStringLiteral("小王"));
    EXPECT_EQ(main()->findChild<QLabel*>(QStringLiteral("operatorPanel"))->text(), u(u" 操作人员：小王"));

    toolButton(QStringLiteral("memberList"))->click();
    main()->outlookBar()->item(u(u"会员管理"), u(u"会员管理"))->click();
    QAction* menu = menuAction(u(u"会员管理"), u(u"会员管理"));
    ASSERT_NE(menu, nullptr);
    menu->trigger();
    const QString refusal = u(u"对不起，您无权进行会员管理操作！");
    EXPECT_EQ(messages.texts, (QStringList{refusal, refusal, refusal}));
    for (gui::MessageIcon icon : messages.icons)
        EXPECT_EQ(icon, gui::MessageIcon::Error);
    EXPECT_EQ(opened, 0) << "a refused command prepares nothing";

    dm().change(
        u(u"update [工作人员操作权限] set [操作权限]=-1 where [操作人员]='小王' and [系统功能名称]='会员管理'"));
    menu->trigger();
    EXPECT_EQ(opened, 1);
}

TEST_F(MainWindowTest, NewOperatorIsRefusedThePermissionWindowUntilGranted)
{
    addOperator(QStringLiteral("小王"));
    changeShiftTo(QStringLiteral("小王"), QStringLiteral("1111"));
    main()->outlookBar()->item(u(u"系统维护"), u(u"操作权限"))->click();
    EXPECT_EQ(messages.texts, QStringList{u(u"对不起，您无权进行操作权限设置！")});
    EXPECT_FALSE(registry().hasWindow<gui::TczszForm>()) << "a refused command makes no window";
    EXPECT_EQ(main()->historyTabs()->grid(QStringLiteral("visitGrid"))->actions().value(0)->text(), u(u"删除登记"));
}

TEST_F(MainWindowTest, MemberCommandsNeedAShownMember)
{
    int ran = 0;
    registry().setHandler(QStringLiteral("checkIn"), [&ran] { ++ran; });
    main()->historyTabs()->button(QStringLiteral("checkInButton"))->click();
    EXPECT_EQ(messages.texts, QStringList{u(u"请首先选择会员！")});
    EXPECT_EQ(messages.icons.back(), gui::MessageIcon::Warning);
    EXPECT_EQ(ran, 0);
    main()->memberPanel()->value(u(u"会员卡号："))->setText(QStringLiteral("1001"));
    main()->historyTabs()->button(QStringLiteral("checkInButton"))->click();
    EXPECT_EQ(ran, 1);
}

TEST_F(MainWindowTest, ShiftChangeRefusalsKeepTheOperator)
{
    addOperator(QStringLiteral("小王"));
    changeShiftTo(QStringLiteral("小王"), QStringLiteral("1111 "));
    EXPECT_EQ(messages.texts, QStringList{u(u"您输入的密码不正确，不能换班登录！")});
    EXPECT_EQ(context().currentOperator(), u(u"超级用户"));
    EXPECT_TRUE(window<gui::TreloginForm>()->findChild<QLineEdit*>(QStringLiteral("passwordEdit"))->text().isEmpty());
}

TEST_F(MainWindowTest, ManualMissingIsReported)
{
    registry().action(QStringLiteral("manual"))->trigger();
    EXPECT_EQ(messages.texts, QStringList{u(u"操作手册不存在！")});
    EXPECT_EQ(messages.icons.back(), gui::MessageIcon::Error);
}

TEST_F(MainWindowTest, UserInfoRenamesTheHallEverywhere)
{
    gui::TuserinfoForm* form = window<gui::TuserinfoForm>();
    form->prepare();
    auto* name = form->findChild<QLineEdit*>(QStringLiteral("hallNameEdit"));
    ASSERT_EQ(name->text(), u(u"澄岚跆拳道馆"));
    name->setText(QStringLiteral("   "));
    form->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    EXPECT_EQ(messages.texts, QStringList{u(u"用户名称不能为空！")});
    name->setText(u(u" 青龙道馆 "));
    form->findChild<QLineEdit*>(QStringLiteral("phoneEdit"))->setText(QStringLiteral("0571-1234567"));
    form->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    EXPECT_EQ(main()->hallName(), u(u"青龙道馆"));
    EXPECT_EQ(main()->windowTitle(), u(u"澄岚跆拳道馆管理系统5.6版     用户名称：青龙道馆"));
    EXPECT_EQ(main()->findChild<QLabel*>(QStringLiteral("hallPanel"))->text(), u(u" 本软件使用单位：青龙道馆"));
    EXPECT_EQ(dm().list(u(u"select * from [用户信息]")).first(u(u"联系电话")).toText(), QStringLiteral("0571-1234567"));
}

TEST_F(MainWindowTest, TickedRightReachesTheDatabaseWhenAnotherOperatorIsClicked)
{
    addOperator(QStringLiteral("小王"));
    addOperator(QStringLiteral("小李"));
    gui::TczszForm* form = window<gui::TczszForm>();
    form->prepare();
    form->show();
    const QString first = form->operatorGrid()->value(0, u(u"操作人员")).toText();
    const QString second = form->operatorGrid()->value(1, u(u"操作人员")).toText();
    ASSERT_EQ(form->shownOperator(), first);
    gui::DataGrid* rights = form->rightsGrid();
    const int rightColumn = rights->result().columnIndex(u(u"操作权限"));
    const QString function = rights->value(0, u(u"系统功能名称")).toText();
    clickCell(rights, 0, rightColumn);
    EXPECT_TRUE(rights->value(0, u(u"操作权限")).toBool()) << "the tick shows at once";
    auto granted = [&] {
        return dm()
            .list(u(u"select [操作权限] from [工作人员操作权限] where [操作人员]=:c and [系统功能名称]=:f"),
                  {{QStringLiteral("c"), first}, {QStringLiteral("f"), function}})
            .first(u(u"操作权限"))
            .toBool();
    };
    EXPECT_FALSE(granted()) << "held until another operator is chosen";
    clickCell(form->operatorGrid(), 1, 0);
    EXPECT_EQ(form->shownOperator(), second);
    EXPECT_TRUE(granted());
    form->close();
}

TEST_F(MainWindowTest, NewOperatorFromThePermissionWindowThenDeletingTheLastClosesIt)
{
    gui::TczszForm* form = window<gui::TczszForm>();
    form->prepare();
    form->show();
    EXPECT_EQ(form->operatorGrid()->result().rowCount(), 0);

    // The new-operator dialog is modal: answer it once it is up.
    QTimer::singleShot(0, [form] {
        gui::TgzrysingleForm* dialog = form->newOperatorForm();
        dialog->findChild<QLineEdit*>(QStringLiteral("nameEdit"))->setText(QStringLiteral("小赵"));
        dialog->findChild<QLineEdit*>(QStringLiteral("passwordEdit"))->setText(QStringLiteral("22"));
        dialog->findChild<QLineEdit*>(QStringLiteral("confirmEdit"))->setText(QStringLiteral("22"));
        dialog->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    });
    form->findChild<QPushButton*>(QStringLiteral("addButton"))->click();
    ASSERT_EQ(form->operatorGrid()->result().rowCount(), 1);
    EXPECT_EQ(form->shownOperator(), QStringLiteral("小赵"));
    EXPECT_EQ(form->rightsGrid()->result().rowCount(), 42);

    messages.answer({true});
    form->findChild<QPushButton*>(QStringLiteral("deleteButton"))->click();
    EXPECT_EQ(messages.texts.back(), u(u"是否要删除当前记录？"));
    EXPECT_FALSE(form->isVisible()) << "no operator left: the window closes";
    EXPECT_TRUE(security::ordinaryOperators(dm()).isEmpty());
    EXPECT_EQ(dm().db().scalar(u(u"select count(*) from [工作人员操作权限]")).toInt(), 0);
}

} // namespace

namespace {

TEST(MainWindowCreation, ReadsTheDeskModeAndTheSmsSessionAtStart)
{
    QTemporaryDir folder;
    const AppPaths paths = AppPaths::inFolder(folder.path());
    {
        TvelunDMForm dm;
        dm.connect(paths.databaseFile(), QString::fromUtf16(kDatabaseKey));
        dm.change(u(u"update [其它设置] set [无人值守]=-1"));
        dm.change(u(u"update [短信设置] set [登记短信]=-1"));
        dm.change(u(u"insert into [会员提醒] ([提醒类型]) values ('x')"));
    }
    Config::writeKey(paths.iniFile(), QStringLiteral("sign"), u(u"青龙道馆"));
    test::ScriptedMessages messages;
    gui::Startup startup(paths, std::make_unique<Clock>());
    ASSERT_TRUE(startup.start());
    EXPECT_TRUE(startup.context().unattended());
    EXPECT_EQ(startup.mainForm()->memberPanel()->cardNumberEdit()->placeholderText(),
              u(u"无人值守状态，会员刷卡后自动登记！"));
    const SmsState& sms = startup.context().sms();
    EXPECT_EQ(sms.loginState, u(u"未登录"));
    EXPECT_EQ(sms.remaining, QStringLiteral("0"));
    EXPECT_EQ(sms.signature, u(u"青龙道馆"));
    EXPECT_TRUE(sms.url.endsWith(QStringLiteral("/smsgbk.aspx")));
    EXPECT_TRUE(sms.afterCheckIn);
    EXPECT_FALSE(sms.afterPayment);
    EXPECT_FALSE(sms.afterConsumption);
    EXPECT_EQ(startup.mainForm()->historyTabs()->grid(QStringLiteral("reminderGrid"))->result().rowCount(), 0);
}

} // namespace
