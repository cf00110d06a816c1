#include "kit/InputMethodFields.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

using tkd::gui::InputMethodFields;

namespace {

void focus(QWidget* w)
{
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(w, &in);
}

struct Window {
    QWidget window;
    QLineEdit* name = new QLineEdit(&window);
    QLineEdit* amount = new QLineEdit(&window);
    Window() { InputMethodFields::markFreeText(name); }
};

TEST(InputMethodFields, OnlyMarkedFieldsSwitchTheInputMethod)
{
    Window w;
    InputMethodFields fields(QStringLiteral("rime"));
    EXPECT_EQ(fields.applyTo({&w.window}), 1);
    focus(w.amount);
    EXPECT_EQ(fields.switches(), 0) << "numeric fields keep whatever is active";
    focus(w.name);
    EXPECT_EQ(fields.switches(), 1);
}

TEST(InputMethodFields, EmptySettingLeavesTheChoiceToTheDesktop)
{
    Window w;
    InputMethodFields fields{QString()};
    fields.applyTo({&w.window});
    focus(w.name);
    EXPECT_EQ(fields.switches(), 0);
}

} // namespace
