#include "LoggedInProgram.h"
#include "app/TLoginForm.h"
#include "app/TsrfForm.h"
#include "app/TuserinfoForm.h"
#include "frontdesk/ThydjForm.h"
#include "frontdesk/TxzjlForm.h"
#include "members/ThyxxlrForm.h"
#include "payments/ThyjfForm.h"
#include "payments/TxftsForm.h"
#include "security/TchangemmForm.h"
#include "security/TczszForm.h"
#include "security/TgzrysingleForm.h"
#include "security/TreloginForm.h"
#include "security/TsrmmForm.h"
#include "settings/TqtszForm.h"
#include "sms/TfsdxForm.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <gtest/gtest.h>

using namespace tkd;
using test::s;

namespace {

class Accessibility : public test::LoggedInProgram {
protected:
    QString readOut(const char16_t* caption) const
    {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(panel()->value(s(caption)));
        return iface ? iface->text(QAccessible::Name) : QStringLiteral("(no interface)");
    }
};

TEST_F(Accessibility, PanelValuesAreReadWithTheirCaptions)
{
    dm().change(s(u"insert into [会员信息] ([会员卡号],[会员姓名],[卡内余额],[会员生日]) "
                  u"values('1001','张小龙',25.5,'00-00')"));
    swipe(QStringLiteral("1001"));
    EXPECT_EQ(readOut(u"会员卡号："), s(u"会员卡号：1001")) << "the number, not only its caption";
    EXPECT_EQ(readOut(u"会员名称："), s(u"会员名称：张小龙"));
    EXPECT_EQ(readOut(u"卡内余额："), s(u"卡内余额：25.50元"));
    EXPECT_EQ(readOut(u"提示信息："), s(u"提示信息：该会员还未开卡，首次登记时间为开卡时间。"));
    QAccessibleInterface* card = QAccessible::queryAccessibleInterface(panel()->value(s(u"会员卡号：")));
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->text(QAccessible::Value), QStringLiteral("1001"));
    EXPECT_EQ(card->role(), QAccessible::StaticText);

    run("clearPanel");
    EXPECT_EQ(readOut(u"会员卡号："), s(u"会员卡号：")) << "read live: no number once the panel is cleared";
}

// Inputs of the window that neither are a caption label's buddy nor carry an accessible name.
QStringList uncaptioned(QWidget* window)
{
    QSet<const QWidget*> buddies;
    for (const QLabel* label : window->findChildren<QLabel*>())
        if (label->buddy() && label->window() == window)
            buddies.insert(label->buddy());
    QStringList missing;
    QList<QWidget*> inputs;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        // Windows parented to this one are checked on their own.
        if (w->window() != window)
            continue;
        // The line edit inside a combo box or a date box belongs to it.
        if (qobject_cast<QComboBox*>(w->parentWidget()) || qobject_cast<QAbstractSpinBox*>(w->parentWidget()))
            continue;
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
            qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w))
            inputs << w;
    }
    for (QWidget* input : inputs)
        if (!buddies.contains(input) && input->accessibleName().trimmed().isEmpty())
            missing << input->objectName();
    return missing;
}

TEST_F(Accessibility, EveryInputHasACaption)
{
    gui::TsrmmForm prompt;
    const std::vector<std::pair<const char*, QWidget*>> windows = {
        {"main window", main()},
        {"login", startup().loginForm()},
        {"rights", window<gui::TczszForm>()},
        {"new operator", window<gui::TczszForm>()->newOperatorForm()},
        {"change password", window<gui::TchangemmForm>()},
        {"shift change", window<gui::TreloginForm>()},
        {"member password", &prompt},
        {"user information", window<gui::TuserinfoForm>()},
        {"input method", window<gui::TsrfForm>()},
        {"member entry", window<gui::ThyxxlrForm>()},
        {"payment", window<gui::ThyjfForm>()},
        {"expired membership", window<gui::ThyjfForm>()->prompt()},
        {"other settings", window<gui::TqtszForm>()},
        {"coach picker", window<gui::TxzjlForm>()},
        {"check-in", window<gui::ThydjForm>()},
        {"sms", window<gui::TfsdxForm>()},
    };
    for (const auto& [name, w] : windows) {
        ASSERT_NE(w, nullptr) << name;
        EXPECT_EQ(uncaptioned(w), QStringList()) << name;
    }
}

} // namespace
