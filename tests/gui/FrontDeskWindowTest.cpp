#include "LoggedInProgram.h"
#include "ScriptedMessages.h"
#include "SmsSimulator.h"
#include "TestDatabase.h"
#include "app/Startup.h"
#include "app/TLoginForm.h"
#include "app/TmainForm.h"
#include "cardtypes/CardTypes.h"
#include "frontdesk/FrontDesk.h"
#include "frontdesk/HistoryTabs.h"
#include "frontdesk/MemberPanel.h"
#include "frontdesk/ThydjForm.h"
#include "frontdesk/TxzjlForm.h"
#include "kit/BackgroundSends.h"
#include "kit/DataGrid.h"
#include "members/TxzjsrForm.h"
#include "security/PasswordHash.h"
#include "settings/TqtszForm.h"
#include "sms/SmsOperations.h"
#include "staff/Staff.h"

#include <QAbstractTextDocumentLayout>
#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace tkd;
using test::s;

namespace {

class FrontDeskWindow : public test::LoggedInProgram {
protected:
    void SetUp() override
    {
        LoggedInProgram::SetUp();
        if (HasFatalFailure())
            return;
        cardtypes::Input type;
        type.code = QStringLiteral("Y");
        type.name = s(u"月卡");
        type.days = QStringLiteral("30");
        ASSERT_FALSE(cardtypes::save(context().command(), type).refused());
        addMember(QStringLiteral("1001"), s(u"张小龙"));
        addMember(QStringLiteral("1002"), s(u"李小燕"));
    }
    void addMember(const QString& card, const QString& name, const QString& photo = {})
    {
        dm().change(QStringLiteral("insert into [会员信息] ([会员卡号],[会员姓名],[会员类型],[会员状态],[有效天数],"
                                   "[会员生日],[移动电话],[会员照片]) values(:k,:n,'月卡','可用',30,'00-00',"
                                   "'13800000000',:p)"),
                    {{QStringLiteral("k"), card}, {QStringLiteral("n"), name}, {QStringLiteral("p"), photo}});
    }
    // Logs the desk in to the simulator with the check-in message switched on.
    bool logInWithCheckInMessages(const test::SmsSimulator& simulator)
    {
        SmsState& sms = context().sms();
        sms.url = simulator.url();
        sms.afterCheckIn = true;
        const auto login = sms::login(sms, QStringLiteral("demo"), QStringLiteral("demo"), sms::directCall());
        return login.ok() && login.value() == s(u"用户登录成功");
    }
    int visitRows() { return tabs()->grid(QStringLiteral("visitGrid"))->result().rowCount(); }
    // Answers the confirmation window with its OK button once it is up.
    void confirmCheckIn(QString* notices = nullptr, bool* centred = nullptr)
    {
        gui::ThydjForm* form = window<gui::ThydjForm>();
        QTimer::singleShot(0, form, [form, notices, centred] {
            if (notices)
                *notices = form->noticeText();
            if (centred)
                *centred = everyLineCentred(form->findChild<QTextEdit*>(QStringLiteral("noticeText"))->document());
            form->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
        });
    }
    // Whether each line of the text is laid out centred, however the alignment was set.
    static bool everyLineCentred(QTextDocument* document)
    {
        document->documentLayout()->documentSize();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
            if (!block.layout() || !(block.layout()->textOption().alignment() & Qt::AlignHCenter))
                return false;
        return document->blockCount() > 1;
    }
};

TEST_F(FrontDeskWindow, SwipeShowsThePanelThenCheckInRecordsTheVisit)
{
    dm().change(QStringLiteral("insert into [会员充值] ([充值日期],[会员卡号],[充值金额]) values(:d,'1001',300)"),
                {{QStringLiteral("d"), QDate(2024, 3, 1)}});
    swipe(QStringLiteral(" 1001 "));
    EXPECT_EQ(shown(u"会员卡号："), QStringLiteral("1001"));
    EXPECT_EQ(shown(u"会员名称："), s(u"张小龙"));
    EXPECT_EQ(shown(u"提示信息："), s(u"该会员还未开卡，首次登记时间为开卡时间。"));
    EXPECT_TRUE(panel()->cardNumberEdit()->text().isEmpty()) << "the field is ready for the next card";
    EXPECT_EQ(tabs()->grid(QStringLiteral("paymentGrid"))->result().rowCount(), 1);
    EXPECT_EQ(visitRows(), 0);

    QString notices;
    bool centred = false;
    confirmCheckIn(&notices, &centred);
    tabs()->button(QStringLiteral("checkInButton"))->click();
    EXPECT_TRUE(notices.contains(s(u"该会员还未开卡，首次登记时间为开卡时间。")));
    EXPECT_TRUE(centred) << "every line of the notices is centred";
    EXPECT_EQ(messages.texts, QStringList{s(u"登记成功，欢迎光临！")});
    EXPECT_EQ(visitRows(), 1);
    EXPECT_EQ(shown(u"开卡日期："), QStringLiteral("2024-03-15"));
    EXPECT_EQ(shown(u"到期日期："), QStringLiteral("2024-04-14"));
    EXPECT_EQ(shown(u"累计刷卡："), s(u"1次"));
    EXPECT_EQ(shown(u"上次来访："), QStringLiteral("2024-03-15 09:00:00"));
    EXPECT_TRUE(shown(u"提示信息：").isEmpty()) << "the panel shows the member as stored now: opened";

    // Cancelling the confirmation writes nothing.
    gui::ThydjForm* form = window<gui::ThydjForm>();
    QTimer::singleShot(0, form, [form] { form->findChild<QPushButton*>(QStringLiteral("cancelButton"))->click(); });
    tabs()->button(QStringLiteral("checkInButton"))->click();
    EXPECT_EQ(visitRows(), 1);

    swipe(QStringLiteral("9999"));
    EXPECT_EQ(messages.texts.back(), s(u"会员卡号不存在！"));
    EXPECT_EQ(shown(u"会员卡号："), QStringLiteral("1001")) << "the member shown stays";

    panel()->button(QStringLiteral("clearPanelButton"))->click();
    EXPECT_TRUE(shown(u"会员卡号：").isEmpty());
    EXPECT_EQ(visitRows(), 0);
}

TEST_F(FrontDeskWindow, CheckInSmsWithoutLoginStillRecordsTheVisit)
{
    context().sms().afterCheckIn = true;
    swipe(QStringLiteral("1001"));
    confirmCheckIn();
    tabs()->button(QStringLiteral("checkInButton"))->click();
    EXPECT_EQ(messages.texts, (QStringList{s(u"登记成功，欢迎光临！"), s(u"请先登录再发短信！")}));
    EXPECT_EQ(dm().list(QStringLiteral("select * from [会员登记]")).rowCount(), 1);
}

TEST_F(FrontDeskWindow, CheckInSendsTheSmsAndTheSuperUserDeletesTheVisit)
{
    test::SmsSimulator simulator({QStringLiteral("--account"), QStringLiteral("demo:demo:5")});
    ASSERT_TRUE(simulator.started());
    SmsState& sms = context().sms();
    ASSERT_TRUE(logInWithCheckInMessages(simulator));
    simulator.takeOutput();
    swipe(QStringLiteral("1001"));
    confirmCheckIn();
    tabs()->button(QStringLiteral("checkInButton"))->click();
    EXPECT_EQ(messages.texts, (QStringList{s(u"登记成功，欢迎光临！"), s(u"短信发送成功！")}));
    EXPECT_EQ(sms.remaining, QStringLiteral("4"));
    EXPECT_TRUE(simulator.takeOutput().contains(
        s(u"sent to 13800000000: 学员：张小龙(1001)于3月15日 09:00上课登记，勿念【澄岚软件】")));

    gui::DataGrid* visits = tabs()->grid(QStringLiteral("visitGrid"));
    visits->selectRow(0);
    messages.answer({true});
    main()->findChild<QAction*>(QStringLiteral("deleteVisitAction"))->trigger();
    EXPECT_EQ(messages.texts.back(), s(u"确定删除本次登记记录吗？"));
    EXPECT_EQ(visitRows(), 0);
    EXPECT_EQ(shown(u"累计刷卡："), s(u"0次"));
    EXPECT_EQ(shown(u"开卡日期："), QStringLiteral("2024-03-15")) << "the card stays opened";
}

TEST_F(FrontDeskWindow, SavingUnattendedSwitchesTheDeskAtOnce)
{
    gui::TqtszForm* settingsForm = window<gui::TqtszForm>();
    QTimer::singleShot(0, settingsForm, [settingsForm] {
        settingsForm->findChild<QCheckBox*>(QStringLiteral("unattendedCheck"))->setChecked(true);
        settingsForm->findChild<QLineEdit*>(QStringLiteral("memberLeadEdit"))->clear();
        settingsForm->findChild<QPushButton*>(QStringLiteral("saveButton"))->click();
    });
    main()->findChild<QAction*>(QStringLiteral("otherSettingsAction"))->trigger();
    EXPECT_EQ(messages.texts, QStringList{s(u"设置保存成功！")});
    EXPECT_EQ(panel()->cardNumberEdit()->placeholderText(), s(u"无人值守状态，会员刷卡后自动登记！"));
    EXPECT_EQ(dm().list(QStringLiteral("select * from [其它设置]")).first(s(u"会员提醒")).toInt(), 0)
        << "an empty number is stored as 0";

    swipe(QStringLiteral("1001"));
    EXPECT_EQ(visitRows(), 1) << "checked in at the swipe, without a confirmation";
    EXPECT_EQ(messages.texts.size(), 1) << "and without a message";
    EXPECT_TRUE(panel()->cardNumberEdit()->text().isEmpty());

    dm().change(s(u"update [会员信息] set [会员状态]='禁用' where [会员卡号]='1002'"));
    swipe(QStringLiteral("1002"));
    EXPECT_EQ(messages.texts.back(), s(u"该会员的状态为不可用，不能登记！"));
    EXPECT_EQ(panel()->cardNumberEdit()->text(), QStringLiteral("1002")) << "a refusal keeps the number";
    EXPECT_EQ(dm().list(QStringLiteral("select * from [会员登记] where [会员卡号]='1002'")).rowCount(), 0);
}

TEST_F(FrontDeskWindow, UnattendedDeskTakesTheNextSwipeWhileAMessageIsOnItsWay)
{
    test::SmsSimulator simulator({QStringLiteral("--slow"), QStringLiteral("2000")});
    ASSERT_TRUE(simulator.started());
    SmsState& sms = context().sms();
    ASSERT_TRUE(logInWithCheckInMessages(simulator));
    context().setUnattended(true);

    swipe(QStringLiteral("1001"));
    swipe(QStringLiteral("1002"));
    EXPECT_EQ(dm().list(QStringLiteral("select * from [会员登记]")).rowCount(), 2)
        << "the second swipe was taken while the first message was on its way";
    EXPECT_TRUE(main()->isEnabled());
    EXPECT_EQ(desk()->backgroundSends()->running(), 2);
    // The replies come back through the event loop; the bound only keeps a lost reply from hanging the test.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return desk()->backgroundSends()->running() == 0 && sms.remaining == "98"; }, 60000));
    EXPECT_EQ(sms.remaining, QStringLiteral("98")) << "both replies taken, one message each";
    EXPECT_TRUE(messages.texts.isEmpty()) << "the unattended desk shows nothing";
    const QStringList sent = simulator.takeOutput();
    EXPECT_TRUE(sent.contains(s(u"sent to 13800000000: 学员：张小龙(1001)于3月15日 09:00上课登记，勿念【澄岚软件】")));
}

TEST_F(FrontDeskWindow, MemberPickerFiltersAndFillsThePanel)
{
    context().setUnattended(true);
    gui::TxzjsrForm* picker = window<gui::TxzjsrForm>();
    QTimer::singleShot(0, picker, [picker] {
        auto* search = picker->findChild<QLineEdit*>(QStringLiteral("memberSearchEdit"));
        EXPECT_EQ(picker->grid()->result().rowCount(), 2);
        search->setText(QStringLiteral("002"));
        EXPECT_EQ(picker->grid()->result().rowCount(), 1);
        search->setText(s(u"小龙"));
        EXPECT_EQ(picker->grid()->result().rowCount(), 1);
        // A failed expectation still ends the modal loop: the pick, or a cancel below.
        picker->grid()->selectRow(0);
        picker->findChild<QPushButton*>(QStringLiteral("pickButton"))->click();
        if (picker->isVisible())
            picker->reject();
    });
    panel()->button(QStringLiteral("browseMembersButton"))->click();
    EXPECT_EQ(shown(u"会员卡号："), QStringLiteral("1001"));
    EXPECT_EQ(visitRows(), 0) << "the picker never checks in, even unattended";
    EXPECT_TRUE(panel()->cardNumberEdit()->text().isEmpty());
}

TEST_F(FrontDeskWindow, PhotoAndCoach)
{
    const QString photo = QDir(folder()).filePath(QStringLiteral("p.jpg"));
    QImage image(64, 80, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(photo, "JPEG"));
    addMember(QStringLiteral("2001"), s(u"王照片"), photo);
    addMember(QStringLiteral("2002"), s(u"坏照片"), QDir(folder()).filePath(QStringLiteral("missing.jpg")));
    swipe(QStringLiteral("2001"));
    EXPECT_EQ(panel()->photo()->pixmap().size(), QSize(64, 80));
    EXPECT_EQ(desk()->photoPath(), photo);
    const QColor centre = panel()->photo()->pixmap().toImage().pixelColor(32, 40);
    EXPECT_GT(centre.red(), 200);
    EXPECT_LT(centre.green(), 60);
    swipe(QStringLiteral("2002"));
    EXPECT_NE(panel()->photo()->pixmap().size(), QSize(64, 80)) << "placeholder";
    EXPECT_TRUE(desk()->photoPath().isEmpty());

    staff::Input coach;
    coach.name = s(u"金教练");
    coach.title = s(u"教练");
    ASSERT_FALSE(staff::save(context().command(), coach).refused());
    gui::TxzjlForm* picker = window<gui::TxzjlForm>();
    QTimer::singleShot(0, picker, [picker] {
        EXPECT_EQ(picker->grid()->result().rowCount(), 1);
        picker->grid()->selectRow(0);
        picker->findChild<QPushButton*>(QStringLiteral("pickButton"))->click();
        if (picker->isVisible())
            picker->reject();
    });
    panel()->button(QStringLiteral("coachButton"))->click();
    EXPECT_EQ(shown(u"教练姓名："), s(u"金教练"));
    EXPECT_EQ(dm().list(QStringLiteral("select [健身教练] from [会员信息] where [会员卡号]='2002'"))
                  .first(s(u"健身教练"))
                  .toText(),
              s(u"金教练"));
    desk()->clearCoach();
    EXPECT_TRUE(shown(u"教练姓名：").isEmpty());
}

} // namespace

TEST_F(FrontDeskWindow, CoachPickerForAMemberGoneMeanwhileStoresNothing)
{
    dm().change(s(u"insert into [员工设置] ([姓名],[职务],[状态]) values('王教练','教练','正常')"));
    swipe(QStringLiteral("1001"));
    // Another desk deletes the member while this one still shows it.
    dm().change(QStringLiteral("delete from [会员信息] where [会员卡号]='1001'"));
    gui::TxzjlForm* picker = window<gui::TxzjlForm>();
    QTimer::singleShot(0, picker, [picker] {
        EXPECT_EQ(picker->objectName(), QStringLiteral("xzjlForm"));
        EXPECT_EQ(picker->windowTitle(), s(u"选择教练"));
        EXPECT_EQ(picker->size(), QSize(520, 360));
        EXPECT_FALSE(picker->panel()->searchEdit()->isVisible()) << "the coach list has no search box";
        EXPECT_EQ(picker->grid()->result().rowCount(), 1);
        picker->findChild<QPushButton*>(QStringLiteral("pickButton"))->click();
        if (picker->isVisible())
            picker->reject();
    });
    panel()->button(QStringLiteral("coachButton"))->click();
    EXPECT_FALSE(picker->isVisible());
    EXPECT_EQ(picker->result(), QDialog::Rejected);
    EXPECT_TRUE(picker->chosenCoach().isEmpty());
    EXPECT_EQ(messages.texts, QStringList{s(u"会员卡号不存在！")});
    EXPECT_TRUE(shown(u"教练姓名：").isEmpty()) << "the panel shows no coach that was not stored";
    EXPECT_EQ(dm().list(s(u"select * from [会员信息] where [健身教练]='王教练'")).rowCount(), 0);
}
