#include "ScriptedMessages.h"
#include "SmsSimulator.h"
#include "TestDatabase.h"
#include "Widgets.h"
#include "app/AppContext.h"
#include "kit/DataGrid.h"
#include "sms/TfsdxForm.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tkd;
using test::in;
using test::s;

namespace {

class SmsWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(simulator.started());
        context.openDatabase();
        context.loadSessionState();
        context.sms().url = simulator.url();
        form = std::make_unique<gui::TfsdxForm>(context);
        form->prepare();
    }
    QString panel(const char* name) { return in<QLabel>(form.get(), name)->text(); }
    void click(const char* name) { in<QPushButton>(form.get(), name)->click(); }

    test::SmsSimulator simulator;
    QTemporaryDir folder;
    AppContext context{AppPaths::inFolder(folder.path()),
                       std::make_unique<FixedClock>(QDateTime(QDate(2024, 3, 15), QTime(9, 30)))};
    test::ScriptedMessages messages;
    std::unique_ptr<gui::TfsdxForm> form;
};

TEST_F(SmsWindow, LogInSendToATypedNumberAndLogOut)
{
    EXPECT_EQ(in<QTabWidget>(form.get(), "smsTabs")->currentIndex(), gui::TfsdxForm::AccountTab);
    EXPECT_EQ(panel("loginStatePanel"), s(u"  登录状态：未登录"));
    EXPECT_EQ(panel("remainingPanel"), s(u"  剩余条数：0条"));
    EXPECT_EQ(in<QPlainTextEdit>(form.get(), "contentEdit")->toPlainText(), s(u"【澄岚软件】"));

    in<QLineEdit>(form.get(), "accountEdit")->setText(QStringLiteral("demo"));
    in<QLineEdit>(form.get(), "passwordEdit")->setText(QStringLiteral("wrong"));
    click("loginButton");
    EXPECT_EQ(in<QLabel>(form.get(), "loginResultLabel")->text(), s(u"用户名或密码不正确！"));
    EXPECT_EQ(panel("loginStatePanel"), s(u"  登录状态：未登录"));

    in<QLineEdit>(form.get(), "passwordEdit")->setText(QStringLiteral("demo"));
    click("loginButton");
    EXPECT_EQ(in<QLabel>(form.get(), "loginResultLabel")->text(), s(u"用户登录成功"));
    EXPECT_EQ(panel("loginStatePanel"), s(u"  登录状态：已登录"));
    EXPECT_EQ(panel("accountPanel"), s(u"  用户帐号：demo"));
    EXPECT_EQ(panel("remainingPanel"), s(u"  剩余条数：100条"));
    EXPECT_TRUE(form->isEnabled()) << "input comes back after the request";

    in<QPlainTextEdit>(form.get(), "numbersEdit")->setPlainText(QStringLiteral("13800000000"));
    in<QPlainTextEdit>(form.get(), "contentEdit")->setPlainText(s(u"明天停课【澄岚软件】"));
    click("sendTypedButton");
    EXPECT_EQ(messages.texts, QStringList{s(u"短信发送成功！")});
    EXPECT_EQ(panel("remainingPanel"), s(u"  剩余条数：99条"));
    EXPECT_TRUE(simulator.takeOutput().contains(s(u"sent to 13800000000: 明天停课【澄岚软件】")));

    click("logoutButton");
    EXPECT_EQ(in<QLabel>(form.get(), "loginResultLabel")->text(), s(u"用户已注销"));
    EXPECT_EQ(panel("loginStatePanel"), s(u"  登录状态：未登录"));
    EXPECT_EQ(panel("accountPanel"), s(u"  用户帐号："));
    EXPECT_EQ(panel("remainingPanel"), s(u"  剩余条数：0条"));
    EXPECT_TRUE(in<QLineEdit>(form.get(), "accountEdit")->text().isEmpty());

    in<QTabWidget>(form.get(), "smsTabs")->setCurrentIndex(gui::TfsdxForm::NumbersTab);
    click("sendTypedButton");
    EXPECT_EQ(messages.texts.back(), s(u"请先登录，然后再发送短信！"));
    EXPECT_EQ(in<QTabWidget>(form.get(), "smsTabs")->currentIndex(), gui::TfsdxForm::AccountTab);
    EXPECT_EQ(form->focusWidget(), in<QLineEdit>(form.get(), "accountEdit")) << "the field of the refusal";

    // Opened again: the account kept in memory is shown, still logged out.
    form->prepare();
    EXPECT_EQ(in<QLineEdit>(form.get(), "accountEdit")->text(), QStringLiteral("demo"));
    EXPECT_EQ(panel("accountPanel"), s(u"  用户帐号：demo"));
    EXPECT_EQ(panel("loginStatePanel"), s(u"  登录状态：未登录"));
}

TEST_F(SmsWindow, MembersNumbersAreAppendedAndCheckedLineByLine)
{
    auto& dm = context.velunDMForm();
    dm.change(s(u"insert into [会员信息] ([会员卡号],[会员姓名],[会员状态],[移动电话]) values "
                u"('001','甲','可用','13800000001'),('002','乙','可用',''),('003','丙','禁用','13800000003')"));
    form->prepare();
    auto* grid = in<gui::DataGrid>(form.get(), "memberGrid");
    EXPECT_EQ(grid->result().rowCount(), 2) << "disabled members are hidden at first";
    in<QCheckBox>(form.get(), "showDisabledCheck")->click();
    EXPECT_EQ(grid->result().rowCount(), 3);
    in<QLineEdit>(form.get(), "memberSearchEdit")->setText(s(u"丙"));
    click("searchButton");
    EXPECT_EQ(grid->result().rowCount(), 1);
    in<QLineEdit>(form.get(), "memberSearchEdit")->clear();
    click("searchButton");

    click("sendToMembersButton");
    click("sendToMembersButton");
    auto* numbers = in<QPlainTextEdit>(form.get(), "numbersEdit");
    EXPECT_EQ(numbers->toPlainText(), QStringLiteral("13800000001\n13800000003\n13800000001\n13800000003"));
    EXPECT_EQ(in<QTabWidget>(form.get(), "smsTabs")->currentIndex(), gui::TfsdxForm::NumbersTab);

    numbers->setPlainText(QStringLiteral("13800000001\n1380000000x\n13800000003"));
    click("checkNumbersButton");
    EXPECT_EQ(messages.texts.back(), s(u"有不正确的手机号[1380000000x]，请修改后再发送短信！"));
    EXPECT_EQ(numbers->textCursor().selectedText(), QStringLiteral("1380000000x"));
}

TEST_F(SmsWindow, SwitchesAndSignatureAreKept)
{
    in<QCheckBox>(form.get(), "afterCheckInCheck")->setChecked(true);
    click("saveSwitchesButton");
    EXPECT_EQ(messages.texts, QStringList{s(u"短信设置保存成功！")});
    EXPECT_TRUE(context.sms().afterCheckIn);
    EXPECT_TRUE(context.velunDMForm().list(s(u"select * from [短信设置]")).first(s(u"登记短信")).toBool());

    in<QLineEdit>(form.get(), "signatureEdit")->setText(s(u" 青龙道馆 "));
    form->reject();
    EXPECT_EQ(context.sms().signature, s(u"青龙道馆"));
    EXPECT_EQ(Config::load(context.paths().iniFile()).smsSignature, s(u"青龙道馆"));
}

} // namespace

namespace {

TEST_F(SmsWindow, WindowTakesNoInputButKeepsRunningWhileTheGatewayIsSlow)
{
    test::SmsSimulator slow({QStringLiteral("--slow"), QStringLiteral("800")});
    ASSERT_TRUE(slow.started());
    context.sms().url = slow.url();
    in<QLineEdit>(form.get(), "accountEdit")->setText(QStringLiteral("demo"));
    in<QLineEdit>(form.get(), "passwordEdit")->setText(QStringLiteral("demo"));
    bool sawDisabled = false;
    bool timerRan = false;
    // The event loop keeps turning during the request: this timer fires before the reply.
    QTimer::singleShot(0, form.get(), [&] {
        timerRan = true;
        sawDisabled = !form->isEnabled();
    });
    click("loginButton");
    EXPECT_TRUE(timerRan);
    EXPECT_TRUE(sawDisabled);
    EXPECT_TRUE(form->isEnabled());
    EXPECT_EQ(panel("loginStatePanel"), s(u"  登录状态：已登录"));
}

} // namespace
