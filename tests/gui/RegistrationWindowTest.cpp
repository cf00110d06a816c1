#include "LoggedInProgram.h"
#include "ScriptedMessages.h"
#include "TestDatabase.h"
#include "Widgets.h"
#include "app/Startup.h"
#include "app/TLoginForm.h"
#include "app/TmainForm.h"
#include "cardtypes/CardTypes.h"
#include "frontdesk/MemberPanel.h"
#include "kit/DataGrid.h"
#include "lockers/TxzygForm.h"
#include "members/Registration.h"
#include "members/ThyxxlrForm.h"
#include "members/TxzjsrForm.h"
#include "payments/ThyjfForm.h"
#include "security/PasswordHash.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace tkd;
using test::in;
using test::s;

namespace {

class RegistrationWindow : public test::LoggedInProgram {
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
        type.price = Money::fromYuan(300);
        ASSERT_FALSE(cardtypes::save(context().command(), type).refused());
        dm().change(s(u"insert into [衣柜设置] ([衣柜编号],[衣柜名称],[押金],[状态]) values('A1','A1衣柜',50,'可用'),"
                      u"('A2','A2衣柜',50,'已租')"));
    }
};

TEST_F(RegistrationWindow, RegisterWithAPaymentAndALockerThenFindAndEditAtTheDesk)
{
    gui::ThyxxlrForm* entry = window<gui::ThyxxlrForm>();
    QTimer::singleShot(0, entry, [entry] {
        EXPECT_EQ(in<QComboBox>(entry, "typeCombo")->currentText(), s(u"月卡"));
        EXPECT_EQ(in<QLineEdit>(entry, "priceEdit")->text(), QStringLiteral("300.00")) << "filled from the type";
        EXPECT_EQ(in<QLineEdit>(entry, "daysEdit")->text(), QStringLiteral("30"));
        in<QLineEdit>(entry, "cardNumberEdit")->setText(QStringLiteral("5001"));
        in<QLineEdit>(entry, "nameEdit")->setText(s(u"陈小武"));
        in<QLineEdit>(entry, "mobileEdit")->setText(QStringLiteral("13700000000"));
        in<QLineEdit>(entry, "birthMonthEdit")->setText(QStringLiteral("2"));
        in<QLineEdit>(entry, "birthDayEdit")->setText(QStringLiteral("29"));
        gui::TxzygForm* chooser = entry->lockerChooser();
        QTimer::singleShot(0, chooser, [chooser] {
            EXPECT_EQ(chooser->grid()->result().rowCount(), 1) << "only free lockers";
            EXPECT_EQ(in<QLabel>(chooser, "lockerNumberValue")->text(), QStringLiteral("A1"));
            in<QLineEdit>(chooser, "rentEdit")->setText(QStringLiteral("100"));
            EXPECT_EQ(in<QLabel>(chooser, "totalValue")->text(), s(u"150.00元"));
            in<QPushButton>(chooser, "saveButton")->click();
        });
        in<QToolButton>(entry, "lockerChooserButton")->click();
        EXPECT_EQ(in<QLineEdit>(entry, "lockerEdit")->text(), QStringLiteral("A1"));
        in<QPushButton>(entry, "saveButton")->click();
    });
    panel()->button(QStringLiteral("addMemberButton"))->click();
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join(u',').toStdString();
    const ResultSet payments = dm().list(s(u"select * from [会员充值] where [会员卡号]='5001'"));
    ASSERT_EQ(payments.rowCount(), 1);
    EXPECT_EQ(payments.first(s(u"充值金额")).toMoney(), Money::fromYuan(300));

    QLineEdit* field = panel()->cardNumberEdit();
    field->setText(QStringLiteral("5001"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(shown(u"会员名称："), s(u"陈小武"));
    EXPECT_EQ(shown(u"衣柜编号："), QStringLiteral("A1"));
    EXPECT_EQ(shown(u"衣柜效期："), QStringLiteral("2024-04-14"));

    QTimer::singleShot(0, entry, [entry] {
        EXPECT_TRUE(entry->isEditing());
        EXPECT_FALSE(in<QLineEdit>(entry, "cardNumberEdit")->isEnabled());
        EXPECT_FALSE(in<QComboBox>(entry, "typeCombo")->isEnabled());
        EXPECT_FALSE(in<QToolButton>(entry, "lockerChooserButton")->isVisible());
        EXPECT_EQ(in<QLineEdit>(entry, "birthDayEdit")->text(), QStringLiteral("29"));
        in<QLineEdit>(entry, "nameEdit")->setText(s(u"陈大武"));
        in<QPushButton>(entry, "saveButton")->click();
    });
    panel()->button(QStringLiteral("editMemberButton"))->click();
    EXPECT_EQ(shown(u"会员名称："), s(u"陈大武"));
    EXPECT_EQ(dm().list(s(u"select [会员姓名] from [会员信息] where [会员卡号]='5001'")).first(s(u"会员姓名")).toText(),
              s(u"陈大武"));
}

TEST_F(RegistrationWindow, RenewAndRechargeFromTheDesk)
{
    members::MemberInput member;
    member.cardNumber = QStringLiteral("5003");
    member.name = s(u"周小刚");
    member.type = s(u"月卡");
    member.joined = QDate(2024, 3, 1);
    member.days = QStringLiteral("30");
    member.price = Money::fromYuan(300);
    member.openOnSave = true;
    ASSERT_FALSE(members::registerMember(
                     {dm(), s(u"超级用户"), QDateTime(QDate(2024, 3, 1), QTime(9, 0)), &context().sms()}, member)
                     .refused());
    QLineEdit* field = panel()->cardNumberEdit();
    field->setText(QStringLiteral("5003"));
    QTest::keyClick(field, Qt::Key_Return);
    auto* payments = main()->findChild<gui::DataGrid*>(QStringLiteral("paymentGrid"));
    ASSERT_EQ(payments->result().rowCount(), 1);
    EXPECT_EQ(shown(u"到期日期："), QStringLiteral("2024-03-31"));

    gui::ThyjfForm* form = window<gui::ThyjfForm>();
    auto pay = [&](int page, const char* amountEdit, const QString& amount) {
        QTimer::singleShot(0, form, [form, page, amountEdit, amount] {
            in<QTabWidget>(form, "pages")->setCurrentIndex(page);
            in<QLineEdit>(form, amountEdit)->setText(amount);
            in<QPushButton>(form, "saveButton")->click();
        });
        main()->findChild<QAction*>(QStringLiteral("addPaymentAction"))->trigger();
    };
    pay(0, "renewAmountEdit", QStringLiteral("300"));
    EXPECT_EQ(shown(u"到期日期："), QStringLiteral("2024-04-30")) << "30 more days on the old expiry";
    EXPECT_EQ(payments->result().rowCount(), 2);
    pay(2, "depositEdit", QStringLiteral("100"));
    EXPECT_EQ(shown(u"卡内余额："), s(u"100.00元"));
    EXPECT_EQ(payments->result().rowCount(), 3);
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join(u',').toStdString();
}

TEST_F(RegistrationWindow, RefusedSaveKeepsTheWindowAndTheInput)
{
    gui::ThyxxlrForm* entry = window<gui::ThyxxlrForm>();
    bool ran = false;
    QTimer::singleShot(0, entry, [this, entry, &ran] {
        ran = true;
        in<QLineEdit>(entry, "cardNumberEdit")->setText(QStringLiteral("5002"));
        in<QLineEdit>(entry, "nameEdit")->setText(s(u"林小文"));
        in<QLineEdit>(entry, "birthMonthEdit")->setText(QStringLiteral("0"));
        in<QLineEdit>(entry, "birthDayEdit")->setText(QStringLiteral("9"));
        in<QPushButton>(entry, "saveButton")->click();
        EXPECT_TRUE(entry->isVisible());
        EXPECT_EQ(messages.texts, QStringList{s(u"会员生日“00-09”不合法！")});
        EXPECT_TRUE(in<QLineEdit>(entry, "birthDayEdit")->text().isEmpty()) << "both boxes emptied";
        EXPECT_EQ(in<QLineEdit>(entry, "nameEdit")->text(), s(u"林小文"));
        entry->reject();
    });
    panel()->button(QStringLiteral("addMemberButton"))->click();
    EXPECT_TRUE(ran) << "the entry window opened";
    EXPECT_EQ(dm().list(s(u"select * from [会员信息]")).rowCount(), 0);
}

TEST_F(RegistrationWindow, EditingKeepsAMissingJoiningDateMissing)
{
    dm().change(s(u"insert into [会员信息] ([会员卡号],[会员姓名],[会员类型],[会员生日]) "
                  u"values('6001','旧会员','月卡','00-00')"));
    gui::ThyxxlrForm* entry = window<gui::ThyxxlrForm>();
    ASSERT_TRUE(entry->prepareEdit(gui::ThyxxlrForm::Opener::FrontDesk, QStringLiteral("6001")));
    bool ran = false;
    QTimer::singleShot(0, entry, [entry, &ran] {
        ran = true;
        in<QLineEdit>(entry, "phoneEdit")->setText(QStringLiteral("0571-1"));
        in<QPushButton>(entry, "saveButton")->click();
    });
    entry->exec();
    EXPECT_TRUE(ran);
    const ResultSet row = dm().list(s(u"select * from [会员信息] where [会员卡号]='6001'"));
    EXPECT_EQ(row.first(s(u"固定电话")).toText(), QStringLiteral("0571-1"));
    EXPECT_TRUE(row.first(s(u"加入时间")).isNull()) << "no date was invented";
}

} // namespace
