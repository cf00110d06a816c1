#include "LoggedInProgram.h"
#include "ScriptedMessages.h"
#include "TestDatabase.h"
#include "Widgets.h"
#include "app/AppContext.h"
#include "kit/DataGrid.h"
#include "security/Login.h"
#include "security/Operators.h"
#include "security/PasswordHash.h"
#include "security/TchangemmForm.h"
#include "security/TczszForm.h"
#include "security/TreloginForm.h"
#include "security/TsrmmForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tkd;
using test::in;

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
    gui::TchangemmForm form(context.session());
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

namespace {

class RightsWindow : public test::LoggedInProgram {
protected:
    void SetUp() override
    {
        LoggedInProgram::SetUp();
        if (HasFatalFailure())
            return;
        for (const QString& name : {QStringLiteral("小王"), QStringLiteral("小李")})
            ASSERT_FALSE(
                security::addOperator(context().command(), {name, QStringLiteral("1111"), QStringLiteral("1111")})
                    .refused());
        form = window<gui::TczszForm>();
        form->prepare();
        form->show();
        first = form->operatorGrid()->value(0, u(u"操作人员")).toText();
        second = form->operatorGrid()->value(1, u(u"操作人员")).toText();
        ASSERT_EQ(form->shownOperator(), first);
    }
    void TearDown() override
    {
        if (form)
            form->hide();
    }
    static void clickCell(gui::DataGrid* grid, int row, int column)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(row, column)).center());
    }
    void tickFirstRight()
    {
        gui::DataGrid* rights = form->rightsGrid();
        clickCell(rights, 0, rights->result().columnIndex(u(u"操作权限")));
        ASSERT_TRUE(rights->value(0, u(u"操作权限")).toBool());
    }
    bool granted(const QString& name, const QString& function)
    {
        return dm()
            .list(u(u"select [操作权限] from [工作人员操作权限] where [操作人员]=:c and [系统功能名称]=:f"),
                  {{QStringLiteral("c"), name}, {QStringLiteral("f"), function}})
            .first(u(u"操作权限"))
            .toBool();
    }
    QString operatorAtCurrentRow() const { return form->operatorGrid()->currentValue(u(u"操作人员")).toText(); }

    gui::TczszForm* form = nullptr;
    QString first;
    QString second;
};

TEST_F(RightsWindow, ArrowKeysShowTheRightsLikeAClick)
{
    tickFirstRight();
    const QString function = form->rightsGrid()->value(0, u(u"系统功能名称")).toText();
    QTest::keyClick(form->operatorGrid(), Qt::Key_Down);
    EXPECT_EQ(form->shownOperator(), second);
    EXPECT_EQ(operatorAtCurrentRow(), second);
    EXPECT_TRUE(granted(first, function)) << "the ticks held were written on the move";
    EXPECT_FALSE(form->rightsGrid()->value(0, u(u"操作权限")).toBool()) << "the second operator's own rights";
    QTest::keyClick(form->operatorGrid(), Qt::Key_Up);
    EXPECT_EQ(form->shownOperator(), first);
    EXPECT_TRUE(form->rightsGrid()->value(0, u(u"操作权限")).toBool());
}

TEST_F(RightsWindow, EnterInItsGridsNeverDeletes)
{
    // As an operator would: a click on 删除 answered Cancel, then Enter in each grid.
    messages.answer({false});
    in<QPushButton>(form, "deleteButton")->click();
    ASSERT_EQ(messages.texts, QStringList{u(u"是否要删除当前记录？")});
    for (gui::DataGrid* grid : {form->operatorGrid(), form->rightsGrid()}) {
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Return);
        QTest::keyClick(grid, Qt::Key_Enter);
    }
    EXPECT_EQ(messages.texts.size(), 1) << "no second delete question";
    EXPECT_EQ(security::ordinaryOperators(dm()).size(), 2);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(RightsWindow, EngineErrorWhileSavingKeepsTicksWithTheirOperator)
{
    tickFirstRight();
    const QString function = form->rightsGrid()->value(0, u(u"系统功能名称")).toText();
    dm().change(u(u"create trigger [不许写] before update on [工作人员操作权限] "
                  u"begin select raise(abort, '磁盘已满'); end"));
    clickCell(form->operatorGrid(), 1, 0);
    ASSERT_EQ(messages.texts.size(), 1) << "one box, however the click reached the list";
    EXPECT_TRUE(messages.texts.front().contains(u(u"磁盘已满"))) << messages.texts.front().toStdString();
    EXPECT_EQ(messages.icons.front(), gui::MessageIcon::Error);
    EXPECT_EQ(form->shownOperator(), first) << "the rights shown are still the first operator's";
    EXPECT_EQ(operatorAtCurrentRow(), first) << "and the list points at that operator";
    EXPECT_TRUE(form->rightsGrid()->value(0, u(u"操作权限")).toBool()) << "the tick is still held";

    dm().change(u(u"drop trigger [不许写]"));
    clickCell(form->operatorGrid(), 1, 0);
    EXPECT_EQ(form->shownOperator(), second);
    EXPECT_TRUE(granted(first, function)) << "the tick went to its own operator";
    EXPECT_FALSE(granted(second, function));
}

} // namespace

namespace {

class PasswordWindows : public test::LoggedInProgram {};

TEST_F(PasswordWindows, FullWidthSpaceAtTheEndStaysPartOfThePassword)
{
    const QString password = u(u"ab　");
    auto* change = window<gui::TchangemmForm>();
    change->prepare();
    in<QLineEdit>(change, "oldPasswordEdit")->setText(u(security::kInitialSuperUserPassword));
    in<QLineEdit>(change, "newPasswordEdit")->setText(password);
    in<QLineEdit>(change, "confirmPasswordEdit")->setText(password);
    in<QPushButton>(change, "okButton")->click();
    ASSERT_TRUE(messages.texts.isEmpty()) << messages.texts.join(u',').toStdString();

    auto* relogin = window<gui::TreloginForm>();
    auto shiftWith = [&](const QString& typed) {
        relogin->prepare();
        in<QLineEdit>(relogin, "passwordEdit")->setText(typed);
        in<QPushButton>(relogin, "loginButton")->click();
    };
    shiftWith(QStringLiteral("ab"));
    EXPECT_EQ(messages.texts, QStringList{u(u"您输入的密码不正确，不能换班登录！")});
    shiftWith(password);
    EXPECT_EQ(messages.texts.size(), 1) << "the password as it was typed when it was set";
    EXPECT_TRUE(security::checkLogin(dm(), u(security::kSuperUser), password).ok());
}

} // namespace
