#include "kit/FieldMap.h"
#include "ScriptedMessages.h"
#include "kit/Messages.h"
#include "sms/SmsOperations.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace tkd;
using gui::MessageIcon;

namespace {

QString u(const char16_t* text)
{
    return QString::fromUtf16(text);
}

// An entry window of two tab pages, its fields registered under the names core refusals use.
struct EntryWindow {
    QWidget window;
    QTabWidget* pages = new QTabWidget(&window);
    QWidget* first = new QWidget;
    QWidget* second = new QWidget;
    QLineEdit* name = new QLineEdit(first);
    QLineEdit* password = new QLineEdit(first);
    QLineEdit* confirm = new QLineEdit(first);
    QComboBox* operators = new QComboBox(first);
    QComboBox* method = new QComboBox(first);
    QPlainTextEdit* remark = new QPlainTextEdit(first);
    QLineEdit* account = new QLineEdit(second);
    gui::kit::FieldMap fields;

    EntryWindow()
    {
        auto* firstLayout = new QVBoxLayout(first);
        for (QWidget* w : std::initializer_list<QWidget*>{name, password, confirm, operators, method, remark})
            firstLayout->addWidget(w);
        (new QVBoxLayout(second))->addWidget(account);
        pages->addTab(first, u(u"会员"));
        pages->addTab(second, u(u"帐号"));
        (new QVBoxLayout(&window))->addWidget(pages);
        operators->addItems({u(u"超级用户"), u(u"小王")});
        method->setEditable(true);
        method->addItems({u(u"现金"), u(u"银行卡")});
        name->setText(u(u"小李"));
        password->setText(QStringLiteral("1"));
        confirm->setText(QStringLiteral("2"));
        method->setEditText(u(u"支票"));
        remark->setPlainText(u(u"备注"));
        account->setText(QStringLiteral("demo"));
        fields.add(QStringLiteral("name"), name)
            .add(QStringLiteral("password"), password)
            .add(QStringLiteral("confirm"), confirm)
            .add(QStringLiteral("operator"), operators)
            .add(QStringLiteral("method"), method)
            .add(QStringLiteral("remark"), remark)
            .add(QStringLiteral("account"), account);
        window.show();
        name->setFocus();
    }
};

TEST(FieldMap, RefusalShowsItsMessageEmptiesTheListedFieldsAndFocusesItsField)
{
    test::ScriptedMessages messages;
    EntryWindow w;
    w.fields.showRefusal(&w.window, Refusal::error(u(u"两次密码不同，请重新输入！"), QStringLiteral("password"),
                                                   {QStringLiteral("password"), QStringLiteral("confirm")}));
    EXPECT_EQ(messages.texts, QStringList{u(u"两次密码不同，请重新输入！")});
    EXPECT_EQ(messages.icons, std::vector<MessageIcon>{MessageIcon::Error});
    EXPECT_TRUE(w.password->text().isEmpty());
    EXPECT_TRUE(w.confirm->text().isEmpty());
    EXPECT_EQ(w.name->text(), u(u"小李")) << "a field not listed keeps its text";
    EXPECT_EQ(w.window.focusWidget(), w.password);
}

TEST(FieldMap, EmptiesEachKindOfFieldAsTheOperatorWould)
{
    test::ScriptedMessages messages;
    EntryWindow w;
    w.operators->setCurrentIndex(1);
    w.fields.showRefusal(
        &w.window, Refusal::warning(u(u"查无此人！"), QStringLiteral("operator"),
                                    {QStringLiteral("operator"), QStringLiteral("method"), QStringLiteral("remark")}));
    EXPECT_EQ(messages.icons, std::vector<MessageIcon>{MessageIcon::Warning});
    EXPECT_EQ(w.operators->currentIndex(), -1) << "a fixed list is left without a choice";
    EXPECT_EQ(w.operators->count(), 2) << "its entries stay";
    EXPECT_TRUE(w.method->currentText().isEmpty()) << "an editable list loses the typed text";
    EXPECT_TRUE(w.remark->toPlainText().isEmpty());
    EXPECT_EQ(w.window.focusWidget(), w.operators);
}

TEST(FieldMap, FieldOnAnotherPageBringsThatPageToTheFront)
{
    test::ScriptedMessages messages;
    EntryWindow w;
    ASSERT_EQ(w.pages->currentIndex(), 0);
    w.fields.showRefusal(&w.window, Refusal::warning(u(u"请先登录，然后再发送短信！"), QStringLiteral("account")));
    EXPECT_EQ(w.pages->currentIndex(), 1);
    EXPECT_EQ(w.window.focusWidget(), w.account);
    EXPECT_EQ(w.account->text(), QStringLiteral("demo")) << "nothing listed, nothing emptied";
}

TEST(FieldMap, CancelledCommandShowsNothingAndTouchesNoField)
{
    test::ScriptedMessages messages;
    EntryWindow w;
    Refusal cancelled = Refusal::cancel();
    cancelled.clear = QStringList{QStringLiteral("name")};
    w.fields.showRefusal(&w.window, cancelled);
    EXPECT_TRUE(messages.texts.isEmpty());
    EXPECT_EQ(w.name->text(), u(u"小李"));
    EXPECT_EQ(w.window.focusWidget(), w.name);
}

TEST(FieldMap, RefusalWithoutARegisteredFieldOnlyShowsItsMessage)
{
    test::ScriptedMessages messages;
    EntryWindow w;
    w.fields.showRefusal(
        &w.window, Refusal::warning(u(u"会员卡号不存在！"), QStringLiteral("nowhere"), {QStringLiteral("nowhere")}));
    EXPECT_EQ(messages.texts, QStringList{u(u"会员卡号不存在！")});
    EXPECT_EQ(w.window.focusWidget(), w.name);
    EXPECT_EQ(w.fields.widget(QStringLiteral("nowhere")), nullptr);
    EXPECT_EQ(w.fields.widget(QStringLiteral("account")), w.account);
}

// The one box of an automatic message after a command.
TEST(SmsResultBox, NothingForASwitchOffAndTheIconByTheKindOfFailure)
{
    using Status = sms::AutoSendResult::Status;
    test::ScriptedMessages messages;
    gui::Messages::smsResult(nullptr, {Status::SwitchOff, {}});
    EXPECT_TRUE(messages.texts.isEmpty()) << "a switch that is off says nothing";
    gui::Messages::smsResult(nullptr, {Status::NotLoggedIn, u(u"请先登录再发短信！")});
    gui::Messages::smsResult(nullptr, {Status::Sent, u(u"短信发送成功！")});
    gui::Messages::smsResult(nullptr, {Status::Failed, u(u"短信余额不足！")});
    gui::Messages::smsResult(nullptr, {Status::Failed, u(u"无法连接短信平台！"), true});
    EXPECT_EQ(messages.texts, (QStringList{u(u"请先登录再发短信！"), u(u"短信发送成功！"), u(u"短信余额不足！"),
                                           u(u"无法连接短信平台！")}));
    EXPECT_EQ(messages.icons, (std::vector<MessageIcon>{MessageIcon::Warning, MessageIcon::Warning,
                                                        MessageIcon::Warning, MessageIcon::Error}));
}

} // namespace
