#include "ScriptedMessages.h"
#include "TestDatabase.h"
#include "app/AppContext.h"
#include "security/Login.h"
#include "security/PasswordHash.h"
#include "security/TchangemmForm.h"
#include "security/TsrmmForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tkd;

namespace {

QString u(const char16_t* text)
{
    return QString::fromUtf16(text);
}

// Types into the prompt once it is up and presses one of its buttons.
void answerPrompt(gui::TsrmmForm* form, const QString& typed, const char* button)
{
    QTimer::singleShot(0, form, [form, typed, button] {
        form->findChild<QLineEdit*>(QStringLiteral("passwordEdit"))->setText(typed);
        form->findChild<QPushButton*>(QString::fromLatin1(button))->click();
    });
}

TEST(MemberPasswordPrompt, PassesOnlyOnTheExactPassword)
{
    test::ScriptedMessages messages;
    gui::TsrmmForm form;
    const gui::TsrmmForm::Member member{QStringLiteral("1001"), u(u"张三"), u(u"可用"), QStringLiteral("2024-12-31"),
                                        QStringLiteral("ab1 ")};

    // A wrong try keeps the prompt open with the field emptied; the right one then passes.
    QTimer::singleShot(0, &form, [&form] {
        auto* edit = form.findChild<QLineEdit*>(QStringLiteral("passwordEdit"));
        edit->setText(QStringLiteral("ab1"));
        form.findChild<QPushButton*>(QStringLiteral("okButton"))->click();
        EXPECT_TRUE(edit->text().isEmpty());
        EXPECT_TRUE(form.isVisible());
        edit->setText(QStringLiteral("ab1 "));
        form.findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    });
    EXPECT_TRUE(form.ask(member)) << "the member's password is compared as typed";
    EXPECT_EQ(messages.texts, QStringList{u(u"会员密码不正确，请重新输入！")});
    EXPECT_EQ(messages.icons.front(), gui::MessageIcon::Warning);
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("cardNumberValue"))->text(), QStringLiteral("1001"));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("expiryValue"))->text(), QStringLiteral("2024-12-31"));

    answerPrompt(&form, QStringLiteral("ab1 "), "cancelButton");
    EXPECT_FALSE(form.ask(member)) << "cancel never passes";
    EXPECT_FALSE(form.passed());
}

TEST(ChangePasswordWindow, RefusalEmptiesTheFieldsItNames)
{
    QTemporaryDir folder;
    AppContext context(AppPaths::inFolder(folder.path()), std::make_unique<Clock>());
    context.openDatabase();
    context.setCurrentOperator(u(security::kSuperUser));
    test::ScriptedMessages messages;
    gui::TchangemmForm form(context);
    form.prepare();
    auto* oldEdit = form.findChild<QLineEdit*>(QStringLiteral("oldPasswordEdit"));
    auto* newEdit = form.findChild<QLineEdit*>(QStringLiteral("newPasswordEdit"));
    auto* confirmEdit = form.findChild<QLineEdit*>(QStringLiteral("confirmPasswordEdit"));
    auto* ok = form.findChild<QPushButton*>(QStringLiteral("okButton"));

    oldEdit->setText(QStringLiteral("8888"));
    newEdit->setText(QStringLiteral("1"));
    confirmEdit->setText(QStringLiteral("2"));
    ok->click();
    EXPECT_EQ(messages.texts.back(), u(u"新密码和确认密码不同，请重新输入！"));
    EXPECT_TRUE(newEdit->text().isEmpty());
    EXPECT_TRUE(confirmEdit->text().isEmpty());
    EXPECT_EQ(oldEdit->text(), QStringLiteral("8888")) << "the old password stays";

    oldEdit->setText(QStringLiteral("9999"));
    newEdit->setText(QStringLiteral("1357"));
    confirmEdit->setText(QStringLiteral("1357"));
    ok->click();
    EXPECT_EQ(messages.texts.back(), u(u"您输入的原密码不正确，无法更改！"));
    EXPECT_TRUE(oldEdit->text().isEmpty());

    oldEdit->setText(u(security::kInitialSuperUserPassword));
    ok->click();
    EXPECT_EQ(messages.texts.size(), 2) << "success shows no message";
    EXPECT_TRUE(security::checkLogin(context.velunDMForm(), u(security::kSuperUser), QStringLiteral("1357")).ok());
}

} // namespace
