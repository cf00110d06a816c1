#include "ScriptedMessages.h"
#include "TestDatabase.h"
#include "Widgets.h"
#include "app/AppContext.h"
#include "cardtypes/CardTypes.h"
#include "cardtypes/ThydjszForm.h"
#include "cardtypes/TklxszForm.h"
#include "kit/DataGrid.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tkd;
using test::in;
using test::s;

namespace {

class CardTypeWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        context.openDatabase();
        list = std::make_unique<gui::ThydjszForm>(context.session());
        list->prepare();
    }
    // Runs the entry dialog through the list's button, filling it once it is up.
    void throughDialog(const char* button, std::function<void(gui::TklxszForm*)> fill)
    {
        gui::TklxszForm* entry = list->entryForm();
        QTimer::singleShot(0, entry, [entry, fill] { fill(entry); });
        in<QPushButton>(list.get(), button)->click();
    }
    QTemporaryDir folder;
    AppContext context{AppPaths::inFolder(folder.path()),
                       std::make_unique<FixedClock>(QDateTime(QDate(2024, 3, 15), QTime(9, 30)))};
    test::ScriptedMessages messages;
    std::unique_ptr<gui::ThydjszForm> list;
};

TEST_F(CardTypeWindows, AddThenEditATypeThroughTheDialog)
{
    throughDialog("addTypeButton", [this](gui::TklxszForm* entry) {
        EXPECT_EQ(in<QLineEdit>(entry, "discountEdit")->text(), QStringLiteral("1.00"));
        EXPECT_EQ(in<QTimeEdit>(entry, "fromTimeEdit")->time(), QTime(9, 30)) << "times start at now";
        in<QLineEdit>(entry, "codeEdit")->setText(QStringLiteral("Y1"));
        in<QLineEdit>(entry, "nameEdit")->setText(s(u"晨练卡"));
        in<QLineEdit>(entry, "daysEdit")->setText(QStringLiteral("90"));
        in<QLineEdit>(entry, "priceEdit")->setText(QStringLiteral("600"));
        in<QCheckBox>(entry, "useSlotCheck")->setChecked(true);
        in<QTimeEdit>(entry, "fromTimeEdit")->setTime(QTime(6, 0));
        in<QTimeEdit>(entry, "toTimeEdit")->setTime(QTime(8, 0));
        in<QPushButton>(entry, "okButton")->click();
    });
    ASSERT_EQ(list->grid()->result().rowCount(), 1);
    EXPECT_TRUE(list->grid()->isColumnHidden(list->grid()->result().columnIndex(s(u"编号"))));
    std::optional<CardType> type = cardtypes::find(context.velunDMForm(), s(u"晨练卡"));
    ASSERT_TRUE(type.has_value());
    EXPECT_EQ(type->days, 90);
    EXPECT_EQ(type->price, Money::fromYuan(600));
    EXPECT_EQ(cardtypes::slotText(*type), s(u"06:00 至 08:00"));

    list->grid()->selectRow(0);
    throughDialog("editTypeButton", [this](gui::TklxszForm* entry) {
        EXPECT_FALSE(in<QLineEdit>(entry, "codeEdit")->isEnabled()) << "the code is fixed once saved";
        EXPECT_EQ(in<QTimeEdit>(entry, "fromTimeEdit")->time(), QTime(6, 0));
        in<QRadioButton>(entry, "weeklyRadio")->setChecked(true);
        in<QCheckBox>(entry, "weekday6Check")->setChecked(true);
        in<QCheckBox>(entry, "weekday7Check")->setChecked(true);
        in<QPushButton>(entry, "okButton")->click();
    });
    type = cardtypes::find(context.velunDMForm(), s(u"晨练卡"));
    EXPECT_EQ(type->weekdays, QStringLiteral("0000011"));
    EXPECT_EQ(cardtypes::slotText(*type), s(u"六七"));
    EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(CardTypeWindows, RefusedSaveKeepsTheDialogOpen)
{
    throughDialog("addTypeButton", [this](gui::TklxszForm* entry) {
        in<QPushButton>(entry, "okButton")->click();
        EXPECT_TRUE(entry->isVisible());
        entry->reject();
    });
    EXPECT_EQ(messages.texts, QStringList{s(u"类型编号不能为空！")});
    EXPECT_EQ(list->grid()->result().rowCount(), 0);
}

TEST_F(CardTypeWindows, DeleteAsksAndRefusesATypeInUse)
{
    cardtypes::Input in;
    in.code = QStringLiteral("A");
    in.name = s(u"年卡");
    ASSERT_FALSE(cardtypes::save(context.command(), in).refused());
    context.velunDMForm().change(s(u"insert into [会员信息] ([会员卡号],[会员类型]) values ('1','年卡')"));
    list->prepare();
    list->grid()->selectRow(0);
    list->deleteType();
    EXPECT_EQ(messages.texts, QStringList{s(u"该类型已经有会员在使用，不能删除！")});
    context.velunDMForm().change(s(u"delete from [会员信息]"));
    messages.answer({false});
    list->deleteType();
    EXPECT_EQ(messages.texts.back(), s(u"是否要删除当前记录？"));
    EXPECT_EQ(list->grid()->result().rowCount(), 1) << "cancel keeps it";
    messages.answer({true});
    list->deleteType();
    EXPECT_EQ(list->grid()->result().rowCount(), 0);
}

} // namespace
