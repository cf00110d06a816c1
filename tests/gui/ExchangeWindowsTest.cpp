#include "LoggedInProgram.h"
#include "ModalAnswer.h"
#include "Widgets.h"
#include "demo/DemoHall.h"
#include "kit/DataGrid.h"
#include "points/Exchange.h"
#include "points/ExchangeBasket.h"
#include "points/TdhspForm.h"
#include "points/TjfdhhjForm.h"
#include "points/TzjdhspForm.h"
#include "security/Operators.h"
#include "settings/TqtszForm.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace tkd;
using namespace std::chrono_literals;
using test::in;
using test::s;

namespace {

// The basket stays open while the item, days and settings windows come and go over it.
const test::ModalBounds kWholeFlow{60s, 5s};

// The sample hall on the program's own file. Its member 000004 holds a quarter card ending within the
// week; the test gives the member 500 points.
class ExchangeWindows : public test::LoggedInProgram {
protected:
    void SetUp() override
    {
        LoggedInProgram::SetUp();
        if (HasFatalFailure())
            return;
        demo::HallSize size;
        size.members = 16;
        size.visitsPerMember = 4;
        size.busiestVisits = 20;
        demo::generate(dm(), size, clock().today());
        dm().change(QStringLiteral("update [其它设置] set [使用积分]=100,[兑换会籍]=10,[会员提醒]=7"));
        dm().change(QStringLiteral("update [会员信息] set [会员积分]=500 where [会员卡号]=:k"), {{k(), card()}});
    }
    static QString k() { return QStringLiteral("k"); }
    static QString card() { return demo::cardNumber(3); }
    QDate storedExpiry() { return member(u"到期日期").toDate(); }
    Value member(const char16_t* column)
    {
        return dm()
            .list(QStringLiteral("select * from [会员信息] where [会员卡号]=:k"), {{k(), card()}})
            .first(s(column));
    }
    double stock(const QString& code)
    {
        return dm()
            .list(QStringLiteral("select [数量] from [商品信息] where [商品编号]=:k"), {{k(), code}})
            .first(s(u"数量"))
            .toDouble();
    }
    gui::DataGrid* exchangeGrid() const { return tabs()->grid(QStringLiteral("exchangeGrid")); }
    QStringList exchangeNames() const
    {
        QStringList names;
        for (int row = 0; row < exchangeGrid()->result().rowCount(); ++row)
            names << exchangeGrid()->value(row, s(u"商品名称")).toText();
        return names;
    }

    // Narrows the basket's goods to the text and adds the only item left.
    static void addOnly(gui::TdhspForm* form, const QString& text)
    {
        in<QLineEdit>(form, "searchEdit")->setText(text);
        ASSERT_EQ(form->goodsGrid()->result().rowCount(), 1) << text.toStdString();
        form->goodsGrid()->selectRow(0);
        in<QPushButton>(form, "addButton")->click();
    }
    // Narrows the basket's goods to the text and double-clicks the only item left.
    static void doubleClickOnly(gui::TdhspForm* form, const QString& text)
    {
        in<QLineEdit>(form, "searchEdit")->setText(text);
        gui::DataGrid* grid = form->goodsGrid();
        ASSERT_EQ(grid->result().rowCount(), 1) << text.toStdString();
        grid->selectRow(0);
        const QRect cell = grid->visualRect(grid->model()->index(0, grid->horizontalHeader()->logicalIndexAt(5)));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }
    // A stock-counted exchangeable item of the sample hall and its points.
    struct Item {
        QString code;
        QString name;
        qint64 points = 0;
    };
    Item countedItem()
    {
        const ResultSet row = dm().list(
            QStringLiteral("select [商品编号],[商品名称],[兑换积分] from [商品信息] where [是否兑换]<>0 and "
                           "[是否计库存]<>0 and [兑换积分]>0 and [兑换积分]<=100 order by [商品编号] limit 1"));
        EXPECT_FALSE(row.isEmpty()) << "the sample hall has goods points buy";
        return {row.first(s(u"商品编号")).toText(), row.first(s(u"商品名称")).toText(),
                row.first(s(u"兑换积分")).toInt()};
    }
};

TEST_F(ExchangeWindows, GoodsAndDaysFromTheDeskThenOneUndone)
{
    const Item item = countedItem();
    const double stockBefore = stock(item.code);
    const QDate expiry = storedExpiry();
    swipe(card());
    ASSERT_EQ(shown(u"会员积分："), s(u"500分"));
    ASSERT_TRUE(shown(u"提示信息：").contains(s(u"快要到期")));
    const int historyBefore = exchangeGrid()->result().rowCount();
    // A line left over from a basket that was never saved.
    ASSERT_TRUE(points::ExchangeBasket(dm()).addGoods(item.code, QStringLiteral("1"), {}).ok());

    const auto basket = test::answerNextModal<gui::TdhspForm>(
        [&](gui::TdhspForm* form) {
            EXPECT_EQ(in<QLabel>(form, "pointsValue")->text(), s(u"500分"));
            EXPECT_EQ(form->basketGrid()->result().rowCount(), 0) << "the basket opens empty";

            const auto quantity = test::answerNextModal<gui::TzjdhspForm>([&](gui::TzjdhspForm* w) {
                EXPECT_EQ(in<QLineEdit>(w, "quantityEdit")->text(), QStringLiteral("1"));
                in<QLineEdit>(w, "quantityEdit")->setText(QStringLiteral("2"));
                EXPECT_EQ(in<QLineEdit>(w, "pointsEdit")->text(), QString::number(2 * item.points));
                in<QPushButton>(w, "okButton")->click();
            });
            addOnly(form, item.code);
            EXPECT_TRUE(quantity->result());

            const auto days = test::answerNextModal<gui::TjfdhhjForm>([&](gui::TjfdhhjForm* w) {
                EXPECT_EQ(in<QLabel>(w, "rateValue")->text(), s(u"使用100积分可换10天会籍"));
                const auto settings = test::answerNextModal<gui::TqtszForm>([](gui::TqtszForm* f) {
                    in<QLineEdit>(f, "pointsEdit")->setText(QStringLiteral("100"));
                    in<QLineEdit>(f, "daysEdit")->setText(QStringLiteral("30"));
                    in<QPushButton>(f, "saveButton")->click();
                });
                Q_EMIT w->settingsLink()->linkActivated(QStringLiteral("settings"));
                EXPECT_TRUE(settings->result());
                EXPECT_EQ(in<QLabel>(w, "rateValue")->text(), s(u"使用100积分可换30天会籍"));
                in<QLineEdit>(w, "pointsEdit")->setText(QStringLiteral("100"));
                EXPECT_EQ(in<QLabel>(w, "previewLabel")->text(),
                          s(u"会籍增加30天，截止日期到") + expiry.addDays(30).toString(Qt::ISODate));
                in<QPushButton>(w, "okButton")->click();
            });
            addOnly(form, s(u"积分换会籍"));
            EXPECT_TRUE(days->result());

            ASSERT_EQ(form->basketGrid()->result().rowCount(), 2);
            in<QPushButton>(form, "saveButton")->click();
        },
        {}, kWholeFlow);
    run("addExchange");
    ASSERT_TRUE(basket->result());

    const qint64 spent = 2 * item.points + 100;
    EXPECT_EQ(member(u"会员积分").toInt(), 500 - spent);
    EXPECT_EQ(storedExpiry(), expiry.addDays(30));
    EXPECT_EQ(stock(item.code), stockBefore - 2);
    // The desk shows the member again: points, expiry, warning line and the exchange list.
    EXPECT_EQ(shown(u"会员积分："), QString::number(500 - spent) + s(u"分"));
    EXPECT_EQ(shown(u"到期日期："), expiry.addDays(30).toString(Qt::ISODate));
    EXPECT_FALSE(shown(u"提示信息：").contains(s(u"快要到期")));
    ASSERT_EQ(exchangeGrid()->result().rowCount(), historyBefore + 2);
    EXPECT_TRUE(exchangeNames().contains(item.name));
    EXPECT_EQ(messages.texts, QStringList{s(u"设置保存成功！")});

    // "删除商品" on the goods line gives its points and stock back.
    exchangeGrid()->selectRow(static_cast<int>(exchangeNames().indexOf(item.name)));
    messages.answer({true});
    run("deleteExchange");
    EXPECT_EQ(messages.texts.last(), s(u"是否要删除当前记录？"));
    EXPECT_EQ(member(u"会员积分").toInt(), 500 - 100);
    EXPECT_EQ(stock(item.code), stockBefore);
    EXPECT_EQ(shown(u"会员积分："), s(u"400分"));
    EXPECT_EQ(exchangeGrid()->result().rowCount(), historyBefore + 1);

    // Cancelled, the days line stays.
    exchangeGrid()->selectRow(static_cast<int>(exchangeNames().indexOf(s(u"积分换会籍"))));
    messages.answer({false});
    run("deleteExchange");
    EXPECT_EQ(storedExpiry(), expiry.addDays(30));
    messages.answer({true});
    run("deleteExchange");
    EXPECT_EQ(storedExpiry(), expiry);
    EXPECT_EQ(shown(u"会员积分："), s(u"500分"));
    EXPECT_EQ(shown(u"到期日期："), expiry.toString(Qt::ISODate));
}

TEST_F(ExchangeWindows, ARateSavedThroughTheLinkRedrawsThePreviewAndTheDaysAlreadyInTheBasket)
{
    const QDate expiry = storedExpiry();
    const auto until = [&](int days) { return expiry.addDays(days).toString(Qt::ISODate); };
    swipe(card());
    const auto basket = test::answerNextModal<gui::TdhspForm>(
        [&](gui::TdhspForm* form) {
            const auto first = test::answerNextModal<gui::TjfdhhjForm>([&](gui::TjfdhhjForm* w) {
                in<QLineEdit>(w, "pointsEdit")->setText(QStringLiteral("100"));
                EXPECT_EQ(in<QLabel>(w, "previewLabel")->text(), s(u"会籍增加10天，截止日期到") + until(10));
                in<QPushButton>(w, "okButton")->click();
            });
            addOnly(form, s(u"积分换会籍"));
            EXPECT_TRUE(first->result());

            // The second line starts after the first: 10 days at 100 : 10, 30 at 100 : 30.
            const auto second = test::answerNextModal<gui::TjfdhhjForm>([&](gui::TjfdhhjForm* w) {
                in<QLineEdit>(w, "pointsEdit")->setText(QStringLiteral("100"));
                EXPECT_EQ(in<QLabel>(w, "previewLabel")->text(), s(u"会籍增加10天，截止日期到") + until(20));
                const auto settings = test::answerNextModal<gui::TqtszForm>([](gui::TqtszForm* f) {
                    in<QLineEdit>(f, "daysEdit")->setText(QStringLiteral("30"));
                    in<QPushButton>(f, "saveButton")->click();
                });
                Q_EMIT w->settingsLink()->linkActivated(QStringLiteral("settings"));
                EXPECT_TRUE(settings->result());
                EXPECT_EQ(in<QLabel>(w, "previewLabel")->text(), s(u"会籍增加30天，截止日期到") + until(60))
                    << "the points typed are counted again at the new rate";
                in<QPushButton>(w, "cancelButton")->click();
            });
            doubleClickOnly(form, s(u"积分换会籍"));
            EXPECT_TRUE(second->result());

            ASSERT_EQ(form->basketGrid()->result().rowCount(), 1);
            EXPECT_EQ(form->basketGrid()->value(0, s(u"备注")).toText(), s(u"会籍增加30天，截止日期到") + until(30))
                << "the line added at the old rate is saved at the new one";
            in<QPushButton>(form, "saveButton")->click();
        },
        {}, kWholeFlow);
    run("addExchange");
    ASSERT_TRUE(basket->result());
    EXPECT_EQ(storedExpiry(), expiry.addDays(30));
    EXPECT_EQ(member(u"会员积分").toInt(), 400);
}

TEST_F(ExchangeWindows, RefusalsInTheBasketWriteNothing)
{
    swipe(card());
    const auto basket = test::answerNextModal<gui::TdhspForm>(
        [&](gui::TdhspForm* form) {
            const auto empty = test::answerNextModal<gui::TzjdhspForm>([](gui::TzjdhspForm* w) {
                in<QLineEdit>(w, "quantityEdit")->clear();
                EXPECT_EQ(in<QLineEdit>(w, "pointsEdit")->text(), QStringLiteral("0"));
                in<QPushButton>(w, "okButton")->click();
                in<QLineEdit>(w, "quantityEdit")->setText(QStringLiteral("0"));
                in<QPushButton>(w, "okButton")->click();
                EXPECT_TRUE(w->isVisible()) << "a refused quantity keeps the window open";
                in<QPushButton>(w, "cancelButton")->click();
            });
            addOnly(form, countedItem().code);
            EXPECT_TRUE(empty->result());

            const auto days = test::answerNextModal<gui::TjfdhhjForm>([](gui::TjfdhhjForm* w) {
                in<QLineEdit>(w, "pointsEdit")->setText(QStringLiteral("3"));
                in<QPushButton>(w, "okButton")->click();
                in<QLineEdit>(w, "pointsEdit")->setText(QStringLiteral("501"));
                in<QPushButton>(w, "okButton")->click();
                in<QPushButton>(w, "cancelButton")->click();
            });
            addOnly(form, s(u"积分换会籍"));
            EXPECT_TRUE(days->result());
            EXPECT_EQ(form->basketGrid()->result().rowCount(), 0);
            in<QPushButton>(form, "exitButton")->click();
        },
        {}, kWholeFlow);
    run("addExchange");
    ASSERT_TRUE(basket->result());
    EXPECT_EQ(messages.texts, (QStringList{s(u"兑换数量不能为空！"), s(u"兑换数量不能为零！"),
                                           s(u"兑换积分不足以兑换一天会籍！"), s(u"兑换积分不能大于可用积分！")}));
    EXPECT_EQ(member(u"会员积分").toInt(), 500);
}

TEST_F(ExchangeWindows, TheCommandsAndTheSettingsLinkNeedTheirRights)
{
    run("addExchange");
    run("deleteExchange");
    EXPECT_EQ(messages.texts, QStringList{s(u"请首先选择会员！")}) << "删除商品 without a member does nothing";
    messages.texts.clear();

    ASSERT_FALSE(security::addOperator(context().command(),
                                       {QStringLiteral("xw"), QStringLiteral("1111"), QStringLiteral("1111")})
                     .refused());
    context().setCurrentOperator(QStringLiteral("xw"));
    swipe(card());
    run("addExchange");
    run("deleteExchange");
    EXPECT_EQ(messages.texts,
              (QStringList{s(u"对不起，您无权进行增加兑换商品操作！"), s(u"对不起，您无权进行删除兑换商品操作！")}));
    EXPECT_FALSE(registry().hasWindow<gui::TdhspForm>());
    messages.texts.clear();

    // Allowed to exchange but not to change the settings: the link refuses.
    dm().change(QStringLiteral("update [工作人员操作权限] set [操作权限]=-1 where [操作人员]='xw' and "
                               "[系统功能名称]=:k"),
                {{k(), s(u"增加兑换商品")}});
    const auto basket = test::answerNextModal<gui::TdhspForm>(
        [&](gui::TdhspForm* form) {
            const auto days = test::answerNextModal<gui::TjfdhhjForm>([](gui::TjfdhhjForm* w) {
                Q_EMIT w->settingsLink()->linkActivated(QStringLiteral("settings"));
                in<QPushButton>(w, "cancelButton")->click();
            });
            addOnly(form, s(u"积分换会籍"));
            EXPECT_TRUE(days->result());
            in<QPushButton>(form, "exitButton")->click();
        },
        {}, kWholeFlow);
    run("addExchange");
    ASSERT_TRUE(basket->result());
    EXPECT_EQ(messages.texts, QStringList{s(u"对不起，您无权进行其它设置！")});
    EXPECT_FALSE(registry().hasWindow<gui::TqtszForm>());
}

TEST_F(ExchangeWindows, AnUndoOfARowGoneMeanwhileIsRefusedAndTheListReadAgain)
{
    points::ExchangeBasket basket(dm());
    basket.clear();
    ASSERT_TRUE(basket.addGoods(countedItem().code, QStringLiteral("1"), {}).ok());
    ASSERT_TRUE(points::saveExchange(context().command(), card()).ok());
    swipe(card());
    const int shownRows = exchangeGrid()->result().rowCount();
    ASSERT_GE(shownRows, 1);
    const qint64 points = member(u"会员积分").toInt();

    exchangeGrid()->selectRow(0);
    dm().change(QStringLiteral("delete from [兑换商品] where [编号]=:k"),
                {{k(), exchangeGrid()->currentValue(s(u"编号"))}});
    run("deleteExchange");
    EXPECT_EQ(messages.texts, (QStringList{s(u"是否要删除当前记录？"), s(u"该记录已不存在！")}));
    EXPECT_EQ(member(u"会员积分").toInt(), points);
    EXPECT_EQ(exchangeGrid()->result().rowCount(), shownRows - 1);
}

TEST_F(ExchangeWindows, AMemberRemovedWhileShownIsRefused)
{
    swipe(card());
    dm().change(QStringLiteral("update [会员信息] set [会员卡号]='X' where [会员卡号]=:k"), {{k(), card()}});
    run("addExchange");
    EXPECT_EQ(messages.texts, QStringList{s(u"会员卡号不存在！")});
    EXPECT_FALSE(registry().hasWindow<gui::TdhspForm>() && window<gui::TdhspForm>()->isVisible());
}

} // namespace
