#include "kit/Chooser.h"
#include "ScriptedMessages.h"
#include "TestDatabase.h"
#include "Widgets.h"
#include "app/AppContext.h"
#include "kit/DataGrid.h"
#include "lockers/TxzygForm.h"
#include "members/TxzjsrForm.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tkd;
using test::in;
using test::s;

namespace {

class ChooserWindows : public ::testing::Test {
protected:
    void SetUp() override { context.openDatabase(); }
    TvelunDMForm& dm() { return context.velunDMForm(); }
    void locker(const QString& number, int deposit, const QString& state = s(u"可用"))
    {
        dm().change(QStringLiteral("insert into [衣柜设置] ([衣柜编号],[衣柜名称],[押金],[状态]) values(:b,:m,:y,:z)"),
                    {{QStringLiteral("b"), number},
                     {QStringLiteral("m"), number + s(u"衣柜")},
                     {QStringLiteral("y"), deposit},
                     {QStringLiteral("z"), state}});
    }
    ResultSet held() { return dm().open(QStringLiteral("ADODS_tmpygcz")); }

    QTemporaryDir folder;
    AppContext context{AppPaths::inFolder(folder.path()),
                       std::make_unique<FixedClock>(QDateTime(QDate(2024, 3, 15), QTime(9, 30)))};
    test::ScriptedMessages messages;
};

} // namespace

TEST_F(ChooserWindows, LockerChooserHoldsTheLockerShownAfterFiltering)
{
    locker(QStringLiteral("A1"), 50);
    locker(QStringLiteral("A2"), 80);
    locker(QStringLiteral("B1"), 30, s(u"损坏"));
    gui::TxzygForm chooser(context.session());
    chooser.prepare(gui::TxzygForm::Mode::Registration, QStringLiteral("5001"), s(u"陈小武"), s(u"月卡"));
    EXPECT_EQ(in<QLabel>(&chooser, "lockerNumberValue")->text(), QStringLiteral("A1")) << "the first listed locker";
    EXPECT_EQ(in<QDateEdit>(&chooser, "endDateEdit")->date(), QDate(2024, 4, 14));

    // The list now starts with A2 on the same row number: the pages must follow it.
    in<QLineEdit>(&chooser, "lockerFilterEdit")->setText(QStringLiteral("2"));
    ASSERT_EQ(chooser.grid()->result().rowCount(), 1);
    EXPECT_EQ(in<QLabel>(&chooser, "lockerNumberValue")->text(), QStringLiteral("A2"));
    EXPECT_EQ(in<QLabel>(&chooser, "depositValue")->text(), s(u"80.00元"));
    in<QLineEdit>(&chooser, "rentEdit")->setText(QStringLiteral("100"));
    EXPECT_EQ(in<QLabel>(&chooser, "totalValue")->text(), s(u"180.00元"));
    in<QPushButton>(&chooser, "saveButton")->click();

    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join(u',').toStdString();
    EXPECT_EQ(chooser.chosenLocker(), QStringLiteral("A2"));
    const ResultSet choice = held();
    ASSERT_EQ(choice.rowCount(), 1);
    EXPECT_EQ(choice.first(s(u"衣柜编号")).toText(), QStringLiteral("A2"));
    EXPECT_EQ(choice.first(s(u"押金")).toMoney(), Money::fromYuan(80));
    EXPECT_EQ(choice.first(s(u"租金")).toMoney(), Money::fromYuan(100));
}

TEST_F(ChooserWindows, LockerChooserNeverHoldsALockerTheFilterTookAway)
{
    locker(QStringLiteral("A1"), 50);
    locker(QStringLiteral("B1"), 30, s(u"损坏"));
    gui::TxzygForm chooser(context.session());
    chooser.prepare(gui::TxzygForm::Mode::Registration, {}, {}, {});

    in<QLineEdit>(&chooser, "lockerFilterEdit")->setText(QStringLiteral("B"));
    EXPECT_TRUE(in<QLabel>(&chooser, "lockerNumberValue")->text().isEmpty()) << "B1 is not free: nothing is shown";
    in<QPushButton>(&chooser, "saveButton")->click();
    EXPECT_EQ(messages.texts, QStringList{s(u"请选择衣柜！")});
    EXPECT_TRUE(held().isEmpty());

    in<QCheckBox>(&chooser, "showAllCheck")->setChecked(true);
    EXPECT_EQ(in<QLabel>(&chooser, "lockerNumberValue")->text(), QStringLiteral("B1"));
    in<QPushButton>(&chooser, "saveButton")->click();
    EXPECT_EQ(messages.texts.back(), s(u"该衣柜处于非可用状态，请选择其它的衣柜！"));
    EXPECT_TRUE(held().isEmpty());

    in<QLineEdit>(&chooser, "rentEdit")->setText(QStringLiteral("1.2.3"));
    in<QCheckBox>(&chooser, "showAllCheck")->setChecked(false);
    in<QLineEdit>(&chooser, "lockerFilterEdit")->clear();
    EXPECT_EQ(in<QLabel>(&chooser, "lockerNumberValue")->text(), QStringLiteral("A1"));
    in<QPushButton>(&chooser, "saveButton")->click();
    EXPECT_EQ(messages.texts.back(), s(u"租金必须是金额！"));
    EXPECT_TRUE(held().isEmpty());
}

TEST_F(ChooserWindows, MemberPickerPicksWhatTheSearchLeavesWithSignsTypedLiterally)
{
    for (const auto& [card, name] :
         std::vector<std::pair<QString, QString>>{{QStringLiteral("1001"), QStringLiteral("O'Neil")},
                                                  {QStringLiteral("1002"), s(u"五折50%")},
                                                  {QStringLiteral("1003"), QStringLiteral("a_b")}})
        dm().change(QStringLiteral("insert into [会员信息] ([会员卡号],[会员姓名]) values(:k,:n)"),
                    {{QStringLiteral("k"), card}, {QStringLiteral("n"), name}});
    gui::TxzjsrForm picker(context.session());
    picker.prepare(gui::TxzjsrForm::Mode::Leave);
    EXPECT_EQ(picker.windowTitle(), s(u"选择会员"));
    auto* search = in<QLineEdit>(&picker, "memberSearchEdit");
    search->setText(QStringLiteral("%"));
    ASSERT_EQ(picker.grid()->result().rowCount(), 1);
    QTest::keyClick(search, Qt::Key_Return);
    EXPECT_EQ(picker.result(), QDialog::Accepted);
    EXPECT_EQ(picker.pickedCardNumber(), QStringLiteral("1002"));
    EXPECT_EQ(picker.pickedName(), s(u"五折50%"));
    EXPECT_EQ(picker.mode(), gui::TxzjsrForm::Mode::Leave);

    picker.prepare(gui::TxzjsrForm::Mode::Introducer);
    EXPECT_TRUE(search->text().isEmpty()) << "each opening starts without a search";
    EXPECT_TRUE(picker.pickedCardNumber().isEmpty());
    search->setText(QStringLiteral("*"));
    in<QPushButton>(&picker, "pickButton")->click();
    EXPECT_TRUE(picker.pickedCardNumber().isEmpty()) << "nothing is picked from an empty list";
}

TEST_F(ChooserWindows, GoodsAndCoachesUseTheSameChooser)
{
    dm().change(s(u"insert into [商品信息] ([商品编号],[商品名称],[预售单价],[数量]) values('G_1','护具',80,3)"));
    dm().change(s(u"insert into [商品信息] ([商品编号],[商品名称],[预售单价],[数量]) values('G2','道服',120,5)"));
    gui::Chooser goods(gui::ChooserSpec::goods(dm()));
    goods.prepare();
    EXPECT_EQ(goods.grid()->result().rowCount(), 3) << "the two items and the system item";
    in<QLineEdit>(&goods, "goodsSearchEdit")->setText(QStringLiteral("_"));
    ASSERT_EQ(goods.grid()->result().rowCount(), 1);
    in<QPushButton>(&goods, "pickButton")->click();
    EXPECT_EQ(goods.picked(s(u"商品编号")).toText(), QStringLiteral("G_1"));
    EXPECT_EQ(goods.picked(s(u"单价")).toMoney(), Money::fromYuan(80));
    EXPECT_TRUE(goods.grid()->result().isEmpty()) << "closing drops the list";

    dm().change(s(u"insert into [员工设置] ([姓名],[职务],[状态]) values('王教练','教练','正常')"));
    dm().change(s(u"insert into [员工设置] ([姓名],[职务],[状态]) values('李顾问','会籍顾问','正常')"));
    gui::Chooser coaches(gui::ChooserSpec::coaches(dm()));
    coaches.prepare();
    EXPECT_EQ(coaches.windowTitle(), s(u"选择教练"));
    EXPECT_TRUE(coaches.panel()->searchEdit()->isHidden()) << "the coach picker has no search box";
    ASSERT_EQ(coaches.grid()->result().rowCount(), 1);
    in<QPushButton>(&coaches, "pickButton")->click();
    EXPECT_EQ(coaches.picked(s(u"姓名")).toText(), s(u"王教练"));
}
