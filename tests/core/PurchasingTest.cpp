#include "goods/Purchasing.h"
#include "GoodsValues.h"
#include "TestDatabase.h"
#include "data/Schema.h"
#include "data/TvelunDMForm.h"
#include "goods/Categories.h"
#include "goods/StockLedger.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tkd;
using namespace tkd::goods;
using namespace tkd::goods::purchasing;

namespace {

using test::money;
using test::quantity;
using test::s;

const char* directionName(Direction direction)
{
    return direction == Direction::Purchase ? "purchase" : "return";
}

// A small shop: categories 服装 > 儿童道服 and 饮料; two stock goods (道服 with an opening stock of 2,
// 护具 with none), a drink and a service that do not count stock.
class Purchasing : public ::testing::Test {
protected:
    void SetUp() override
    {
        dm().change(s(u"insert into [商品类别] ([类别名称],[父结点]) values ('服装',0)"));
        dm().change(s(u"insert into [商品类别] ([类别名称],[父结点]) values ('儿童道服',1)"));
        dm().change(s(u"insert into [商品类别] ([类别名称],[父结点]) values ('饮料',0)"));
        addItem(QStringLiteral("A01"), s(u"道服"), true, 2, "50", u"儿童款");
        addItem(QStringLiteral("B02"), s(u"护具"), true, 3, "80.5");
        addItem(QStringLiteral("F01"), s(u"矿泉水"), false, 3, "1");
        addItem(QStringLiteral("SV1"), s(u"私教课"), false, 2, "0");
        // The opening stock, as the catalogue records it: item at 0, then a purchase of the quantity.
        Transaction tx(dm().db());
        StockMove opening;
        opening.kind = StockMoveKind::Purchase;
        opening.code = QStringLiteral("A01");
        opening.name = s(u"道服");
        opening.unit = s(u"套");
        opening.price = money("50");
        opening.quantity = quantity("2");
        opening.amount = money("100");
        opening.day = QDate(2024, 3, 1);
        opening.operatorName = s(u"超级用户");
        ASSERT_EQ(recordStockMove(dm(), opening), StockMoveResult::Written);
        tx.commit();
    }

    void addItem(const QString& code, const QString& name, bool counted, qint64 category, const char* price,
                 const char16_t* remark = u"")
    {
        dm().change(s(u"insert into [商品信息] ([商品编号],[商品名称],[单位],[是否计库存],[预设进价],[数量],[销售总数],"
                      u"[备注],[父结点]) values (:b,:m,'套',:c,:p,0,0,:r,:f)"),
                    {{QStringLiteral("b"), code},
                     {QStringLiteral("m"), name},
                     {QStringLiteral("c"), counted},
                     {QStringLiteral("p"), money(price)},
                     {QStringLiteral("r"), QString::fromUtf16(remark)},
                     {QStringLiteral("f"), category}});
    }

    TvelunDMForm& dm() { return db.dm(); }
    CommandContext at(const QDate& day) { return {dm(), s(u"孙丽"), QDateTime(day, QTime(10, 30))}; }
    CommandContext now() { return at(QDate(2024, 3, 15)); }

    LineInput line(const QString& code, const char* price, const char* qty)
    {
        return {code, code == QStringLiteral("A01") ? s(u"道服") : s(u"护具"), s(u"套"), QString::fromLatin1(price),
                QString::fromLatin1(qty)};
    }
    int add(Direction direction, const QString& code, const char* price, const char* qty)
    {
        const Outcome<int> added = addLine(now(), direction, line(code, price, qty));
        EXPECT_TRUE(added.ok()) << code.toStdString() << " " << qty;
        return added.ok() ? added.value() : 0;
    }

    Quantity stock(const QString& code)
    {
        return Quantity::fromStored(
            dm().list(s(u"select [数量] from [商品信息] where [商品编号]=:b"), {{QStringLiteral("b"), code}})
                .value(0, 0)
                .toDouble());
    }
    Quantity ledgerSum(const QString& code)
    {
        const ResultSet rows =
            dm().list(s(u"select [数量] from [商品进退单] where [商品编号]=:b"), {{QStringLiteral("b"), code}});
        Quantity sum;
        for (int i = 0; i < rows.rowCount(); ++i)
            sum = sum + Quantity::fromStored(rows.value(i, 0).toDouble());
        return sum;
    }
    qint64 ledgerRows() { return db.db().scalar(s(u"select count(*) from [商品进退单]")).toInt(); }
    ResultSet rowsAfterOpening()
    {
        return dm().list(s(u"select * from [商品进退单] where [日期]>:d order by rowid"),
                         {{QStringLiteral("d"), QDate(2024, 3, 1)}});
    }

    test::TestDatabase db;
};

TEST_F(Purchasing, APurchaseAddsToStockAndWritesItsRow)
{
    add(Direction::Purchase, QStringLiteral("A01"), "45", "3");
    const Outcome<int> posted = post(now(), Direction::Purchase);
    ASSERT_TRUE(posted.ok());
    EXPECT_EQ(posted.value(), 1);
    EXPECT_EQ(stock(QStringLiteral("A01")), quantity("5")) << "2 + 3";

    const ResultSet rows = rowsAfterOpening();
    ASSERT_EQ(rows.rowCount(), 1);
    EXPECT_EQ(rows.first(s(u"状态说明")).toText(), s(u"采购进货"));
    EXPECT_EQ(rows.first(s(u"商品编号")).toText(), QStringLiteral("A01"));
    EXPECT_EQ(rows.first(s(u"数量")).toDouble(), 3);
    EXPECT_EQ(rows.first(s(u"单价")).toMoney(), money("45"));
    EXPECT_EQ(rows.first(s(u"总金额")).toMoney(), money("135"));
    EXPECT_EQ(rows.first(s(u"折扣率")).toDouble(), 1);
    EXPECT_EQ(rows.first(s(u"日期")).toDateTime(), QDateTime(QDate(2024, 3, 15), QTime(0, 0))) << "the day only";
    EXPECT_EQ(rows.first(s(u"操作员")).toText(), s(u"孙丽"));
    EXPECT_EQ(rows.first(s(u"单位")).toText(), s(u"套"));
    EXPECT_EQ(workList(dm()).rowCount(), 0) << "a posted list is not posted twice";
}

TEST_F(Purchasing, ASupplierReturnTakesStockBelowZeroWithAPositiveAmount)
{
    add(Direction::SupplierReturn, QStringLiteral("A01"), "45", "3");
    ASSERT_TRUE(post(now(), Direction::SupplierReturn).ok());
    EXPECT_EQ(stock(QStringLiteral("A01")), quantity("-1")) << "3 returned from 2";
    const ResultSet rows = rowsAfterOpening();
    ASSERT_EQ(rows.rowCount(), 1);
    EXPECT_EQ(rows.first(s(u"状态说明")).toText(), s(u"采购退货"));
    EXPECT_EQ(rows.first(s(u"数量")).toDouble(), -3);
    EXPECT_EQ(rows.first(s(u"总金额")).toMoney(), money("135")) << "the amount stays positive";
    EXPECT_EQ(rows.first(s(u"折扣率")).toDouble(), 1);
}

TEST_F(Purchasing, LinesOfOneItemBothCountAndRowsCarryTheStoredItem)
{
    // The line's name is what the list showed; the row takes the item as stored at posting.
    ASSERT_TRUE(addLine(now(), Direction::Purchase,
                        {QStringLiteral("A01"), s(u"旧名"), s(u"件"), QStringLiteral("40"), QStringLiteral("2")})
                    .ok());
    add(Direction::Purchase, QStringLiteral("A01"), "42", "3");
    ASSERT_TRUE(post(now(), Direction::Purchase).ok());
    EXPECT_EQ(stock(QStringLiteral("A01")), quantity("7")) << "2 + 2 + 3: the stock moved by 5";
    const ResultSet rows = rowsAfterOpening();
    ASSERT_EQ(rows.rowCount(), 2);
    EXPECT_EQ(rows.value(0, s(u"数量")).toDouble(), 2);
    EXPECT_EQ(rows.value(1, s(u"数量")).toDouble(), 3);
    EXPECT_EQ(rows.value(0, s(u"商品名称")).toText(), s(u"道服"));
    EXPECT_EQ(rows.value(0, s(u"单位")).toText(), s(u"套"));
}

TEST_F(Purchasing, PurchaseLinesKeepFourDecimals)
{
    add(Direction::Purchase, QStringLiteral("A01"), "1.2345", "3");
    add(Direction::Purchase, QStringLiteral("B02"), "2.5", "0.4");
    const ResultSet lines = workList(dm());
    ASSERT_EQ(lines.rowCount(), 2);
    EXPECT_EQ(lines.value(0, s(u"总金额")).toMoney(), money("3.7035")) << "not rounded to cents";
    EXPECT_EQ(lines.value(1, s(u"总金额")).toMoney(), money("1"));
    ASSERT_TRUE(post(now(), Direction::Purchase).ok());
    const ResultSet rows = rowsAfterOpening();
    ASSERT_EQ(rows.rowCount(), 2);
    EXPECT_EQ(rows.value(0, s(u"总金额")).toMoney(), money("3.7035"));
    EXPECT_EQ(rows.value(0, s(u"单价")).toMoney(), money("1.2345"));
    EXPECT_EQ(stock(QStringLiteral("B02")), quantity("0.4"));

    // What the dialog shows while the operator types.
    const std::pair<std::pair<const char*, const char*>, const char*> shown[] = {
        {{"1.2345", "3"}, "3.7035"}, {{"2.5", "0.4"}, "1"}, {{"2.5", ""}, "0"},
        {{"19.9", "2"}, "39.8"},     {{"", "1"}, ""},       {{"2.5", "1.2.3"}, ""},
    };
    for (const auto& [typed, total] : shown)
        EXPECT_EQ(totalText(QString::fromLatin1(typed.first), QString::fromLatin1(typed.second)),
                  QString::fromLatin1(total))
            << typed.first << " x " << typed.second;
}

struct RefusedLine {
    const char* price;
    const char* quantity;
    const char16_t* purchaseMessage;
    const char16_t* returnMessage;
    const QString& field;
};

// Every refusal of the line dialog, in the order they are tested; each leaves the work list alone.
TEST_F(Purchasing, LineRefusalsComeInOrderAndChangeNothing)
{
    const RefusedLine cases[] = {
        {"45", "", u"进货数量不能为空！", u"退货数量不能为空！", field::quantity},
        {"x", "  ", u"进货数量不能为空！", u"退货数量不能为空！", field::quantity},
        {"45", "1.2.3", u"请输入正确的进货数量！", u"请输入正确的退货数量！", field::quantity},
        {"45", "-", u"请输入正确的进货数量！", u"请输入正确的退货数量！", field::quantity},
        {"45", "1-2", u"请输入正确的进货数量！", u"请输入正确的退货数量！", field::quantity},
        {"45", "-1", u"请输入正确的进货数量！", u"请输入正确的退货数量！", field::quantity},
        {"x", "0", u"进货数量不能为零！", u"退货数量不能为零！", field::quantity},
        {"45", "0.0000", u"进货数量不能为零！", u"退货数量不能为零！", field::quantity},
        {"", "1", u"请输入正确的进货价格！", u"请输入正确的退货价格！", field::price},
        {"1.2.3", "1", u"请输入正确的进货价格！", u"请输入正确的退货价格！", field::price},
        {"-5", "1", u"请输入正确的进货价格！", u"请输入正确的退货价格！", field::price},
    };
    add(Direction::Purchase, QStringLiteral("B02"), "80", "2");
    for (const Direction direction : {Direction::Purchase, Direction::SupplierReturn}) {
        for (const RefusedLine& c : cases) {
            const std::string name =
                std::string(directionName(direction)) + " price '" + c.price + "' quantity '" + c.quantity + "'";
            const QString expected =
                QString::fromUtf16(direction == Direction::Purchase ? c.purchaseMessage : c.returnMessage);
            const Outcome<int> added = addLine(now(), direction, line(QStringLiteral("A01"), c.price, c.quantity));
            ASSERT_TRUE(added.refused()) << name;
            EXPECT_EQ(added.refusal().message, expected) << name;
            EXPECT_EQ(added.refusal().icon, Refusal::Icon::Error) << name;
            EXPECT_EQ(added.refusal().field, c.field) << name;
            const Outcome<> edited = editLine(now(), direction, 1, line(QStringLiteral("B02"), c.price, c.quantity));
            ASSERT_TRUE(edited.refused()) << name;
            EXPECT_EQ(edited.refusal().message, expected) << name;
        }
    }
    const ResultSet lines = workList(dm());
    ASSERT_EQ(lines.rowCount(), 1) << "nothing added";
    EXPECT_EQ(lines.first(s(u"单价")).toMoney(), money("80")) << "nothing edited";
    EXPECT_EQ(lines.first(s(u"数量")).toDouble(), 2);
    EXPECT_EQ(lines.first(s(u"总金额")).toMoney(), money("160"));
}

TEST_F(Purchasing, LinesAreNumberedEditedAndRenumberedAfterADelete)
{
    EXPECT_EQ(add(Direction::Purchase, QStringLiteral("A01"), "45", "1"), 1);
    EXPECT_EQ(add(Direction::Purchase, QStringLiteral("B02"), "80", "2"), 2);
    EXPECT_EQ(add(Direction::Purchase, QStringLiteral("A01"), "46", "3"), 3) << "the same item again is a new line";

    ASSERT_TRUE(editLine(now(), Direction::Purchase, 2, line(QStringLiteral("B02"), "79.5", "4")).ok());
    ResultSet lines = workList(dm());
    EXPECT_EQ(lines.value(1, s(u"单价")).toMoney(), money("79.5"));
    EXPECT_EQ(lines.value(1, s(u"数量")).toDouble(), 4);
    EXPECT_EQ(lines.value(1, s(u"总金额")).toMoney(), money("318"));
    EXPECT_EQ(lines.value(0, s(u"数量")).toDouble(), 1) << "only that line";

    deleteLine(dm(), 1);
    lines = workList(dm());
    ASSERT_EQ(lines.rowCount(), 2);
    EXPECT_EQ(lines.texts(s(u"序号")), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_EQ(lines.texts(s(u"商品编号")), (QStringList{QStringLiteral("B02"), QStringLiteral("A01")}));
    EXPECT_EQ(add(Direction::Purchase, QStringLiteral("B02"), "80", "1"), 3) << "numbers go on after the last";

    ASSERT_TRUE(post(now(), Direction::Purchase).ok());
    EXPECT_EQ(stock(QStringLiteral("A01")), quantity("5")) << "the deleted line of 1 was not posted";
    EXPECT_EQ(stock(QStringLiteral("B02")), quantity("5"));
}

TEST_F(Purchasing, OpeningEitherWindowEmptiesTheWorkList)
{
    add(Direction::Purchase, QStringLiteral("A01"), "45", "1");
    add(Direction::Purchase, QStringLiteral("B02"), "80", "2");
    openWorkList(dm());
    EXPECT_EQ(workList(dm()).rowCount(), 0);
    EXPECT_EQ(add(Direction::SupplierReturn, QStringLiteral("B02"), "80", "1"), 1);

    openWorkList(dm());
    const Outcome<int> posted = post(now(), Direction::Purchase);
    ASSERT_TRUE(posted.ok());
    EXPECT_EQ(posted.value(), 0);
    EXPECT_EQ(ledgerRows(), 1) << "an empty list posts nothing";
}

TEST_F(Purchasing, OnlyStockGoodsAreListedAndTheSearchIsLiteral)
{
    addItem(QStringLiteral("C50%"), s(u"50%折扣道带"), true, 2, "10");
    addItem(QStringLiteral("D9"), s(u"O'Neil护具"), true, 2, "10");
    addItem(QStringLiteral("E1"), s(u"5折道带"), true, 2, "10");
    const QStringList stockGoods{QStringLiteral("A01"), QStringLiteral("B02"), QStringLiteral("C50%"),
                                 QStringLiteral("D9"), QStringLiteral("E1")};
    ResultSet list = stockList(dm());
    EXPECT_EQ(list.texts(s(u"商品编号")), stockGoods) << "drinks and services do not count stock";
    EXPECT_EQ(list.columns(),
              (QStringList{s(u"商品编号"), s(u"商品名称"), s(u"单位"), s(u"参考进价"), s(u"库存数"), s(u"备注")}));
    EXPECT_EQ(list.first(s(u"参考进价")).toMoney(), money("50"));
    EXPECT_EQ(list.first(s(u"库存数")).toDouble(), 2);
    const ResultSet byCategory = stockListByCategory(dm());
    EXPECT_EQ(byCategory.texts(s(u"商品编号")), stockGoods);
    EXPECT_EQ(byCategory.columns().first(), s(u"父结点"));

    const std::pair<const char16_t*, QStringList> searches[] = {
        {u"50%", {QStringLiteral("C50%")}},
        {u"O'Neil", {QStringLiteral("D9")}},
        {u"*", {}},
        {u"[", {}},
        {u"_", {}},
        {u"a0", {QStringLiteral("A01")}},
        {u"护具", {QStringLiteral("B02"), QStringLiteral("D9")}},
        {u"  道带 ", {QStringLiteral("C50%"), QStringLiteral("E1")}},
        {u"", stockGoods},
    };
    for (const auto& [text, codes] : searches) {
        list.clearFilter();
        list.setFilter(searchFilter(QString::fromUtf16(text)));
        EXPECT_EQ(list.texts(s(u"商品编号")), codes) << QString::fromUtf16(text).toStdString();
    }
}

TEST_F(Purchasing, TheTreeFiltersTheListByCategory)
{
    const std::vector<TreeNode> tree = goods::categoryTree(dm());
    ASSERT_EQ(tree.size(), 4u);
    EXPECT_EQ(tree[0].text, s(u"所有类别"));
    EXPECT_EQ(tree[0].id, 0);
    ASSERT_EQ(tree[0].children.size(), 2u);
    EXPECT_EQ(tree[static_cast<size_t>(tree[0].children[0])].text, s(u"服装"));

    ResultSet list = stockListByCategory(dm());
    const std::optional<Filter> leaf = goods::filterForClick({2, false, false});
    ASSERT_TRUE(leaf.has_value());
    list.setFilter(*leaf);
    EXPECT_EQ(list.texts(s(u"商品编号")), QStringList{QStringLiteral("A01")}) << "儿童道服 holds 道服";
    const std::optional<Filter> drinks = goods::filterForClick({3, false, false});
    list.setFilter(*drinks);
    EXPECT_EQ(list.texts(s(u"商品编号")), QStringList{QStringLiteral("B02")}) << "the drink is not listed at all";
    EXPECT_FALSE(goods::filterForClick({1, false, true}).has_value()) << "a category with children changes nothing";
    const std::optional<Filter> root = goods::filterForClick({0, true, true});
    ASSERT_TRUE(root.has_value());
    EXPECT_TRUE(root->isEmpty()) << "the root shows everything";
}

TEST_F(Purchasing, HistoryIsNewestFirstWithTheOpeningStock)
{
    add(Direction::Purchase, QStringLiteral("A01"), "48", "4");
    ASSERT_TRUE(post(at(QDate(2024, 3, 10)), Direction::Purchase).ok());
    add(Direction::SupplierReturn, QStringLiteral("A01"), "47", "1");
    ASSERT_TRUE(post(at(QDate(2024, 3, 12)), Direction::SupplierReturn).ok());
    add(Direction::Purchase, QStringLiteral("A01"), "49", "5");
    add(Direction::Purchase, QStringLiteral("B02"), "80", "1");
    ASSERT_TRUE(post(at(QDate(2024, 3, 15)), Direction::Purchase).ok());

    const ResultSet bought = history(dm(), Direction::Purchase, QStringLiteral("a01"));
    EXPECT_EQ(bought.columns(), (QStringList{s(u"进货日期"), s(u"上次价格"), s(u"数量"), s(u"总金额")}));
    ASSERT_EQ(bought.rowCount(), 3) << "the two purchases and the opening stock, not the return";
    EXPECT_EQ(bought.value(0, s(u"进货日期")).toDate(), QDate(2024, 3, 15));
    EXPECT_EQ(bought.value(1, s(u"进货日期")).toDate(), QDate(2024, 3, 10));
    EXPECT_EQ(bought.value(2, s(u"进货日期")).toDate(), QDate(2024, 3, 1)) << "the opening stock";
    EXPECT_EQ(bought.value(2, s(u"上次价格")).toMoney(), money("50"));
    EXPECT_EQ(bought.value(2, s(u"数量")).toDouble(), 2);
    EXPECT_EQ(bought.value(0, s(u"总金额")).toMoney(), money("245"));

    const ResultSet returned = history(dm(), Direction::SupplierReturn, QStringLiteral("A01"));
    ASSERT_EQ(returned.rowCount(), 1);
    EXPECT_EQ(returned.columns().first(), s(u"退货日期"));
    EXPECT_EQ(returned.first(s(u"数量")).toDouble(), -1);
    EXPECT_EQ(returned.first(s(u"上次价格")).toMoney(), money("47"));

    const std::optional<Item> item = findItem(dm(), QStringLiteral("A01"));
    ASSERT_TRUE(item.has_value());
    EXPECT_EQ(item->stock, quantity("10")) << "2 + 4 - 1 + 5";
    EXPECT_EQ(item->referencePrice, money("50")) << "a purchase price is not copied into the item";
    EXPECT_EQ(item->remark, s(u"儿童款"));
    EXPECT_FALSE(findItem(dm(), QStringLiteral("GONE")).has_value());
}

TEST_F(Purchasing, StockEqualsTheLedgerAfterAMixedSequence)
{
    add(Direction::Purchase, QStringLiteral("A01"), "45", "2.5");
    add(Direction::Purchase, QStringLiteral("B02"), "80", "3");
    add(Direction::Purchase, QStringLiteral("A01"), "45", "0.5");
    deleteLine(dm(), 2);
    ASSERT_TRUE(post(now(), Direction::Purchase).ok());
    add(Direction::SupplierReturn, QStringLiteral("B02"), "80", "1");
    add(Direction::SupplierReturn, QStringLiteral("A01"), "45", "7");
    ASSERT_TRUE(editLine(now(), Direction::SupplierReturn, 1, line(QStringLiteral("B02"), "80", "0.25")).ok());
    ASSERT_TRUE(post(now(), Direction::SupplierReturn).ok());
    add(Direction::Purchase, QStringLiteral("B02"), "81", "1.75");
    ASSERT_TRUE(post(now(), Direction::Purchase).ok());

    EXPECT_EQ(stock(QStringLiteral("A01")), quantity("-2")) << "2 + 2.5 + 0.5 - 7";
    EXPECT_EQ(stock(QStringLiteral("B02")), quantity("1.5")) << "-0.25 + 1.75";
    for (const char* code : {"A01", "B02"})
        EXPECT_EQ(stock(QString::fromLatin1(code)), ledgerSum(QString::fromLatin1(code))) << code;
    EXPECT_EQ(dm().list(s(u"select [销售总数] from [商品信息] where [商品编号]='A01'")).value(0, 0).toDouble(), 0)
        << "purchases are no sales";
}

TEST_F(Purchasing, AnItemGoneFromTheCatalogueRefusesThePostingAndWritesNothing)
{
    add(Direction::Purchase, QStringLiteral("A01"), "45", "3");
    add(Direction::Purchase, QStringLiteral("B02"), "80", "2");
    dm().change(s(u"delete from [商品信息] where [商品编号]='B02'"));
    const qint64 before = ledgerRows();
    for (const Direction direction : {Direction::Purchase, Direction::SupplierReturn}) {
        const Outcome<int> posted = post(now(), direction);
        ASSERT_TRUE(posted.refused()) << directionName(direction);
        EXPECT_EQ(posted.refusal().message, s(u"该商品已不存在！"));
        EXPECT_EQ(posted.refusal().icon, Refusal::Icon::Warning);
    }
    EXPECT_EQ(ledgerRows(), before) << "not even the line before it";
    EXPECT_EQ(stock(QStringLiteral("A01")), quantity("2"));
    EXPECT_EQ(workList(dm()).rowCount(), 2) << "the list stays to be corrected";
}

TEST_F(Purchasing, ALineOfAnItemThatStoppedCountingStockWritesNoRow)
{
    add(Direction::Purchase, QStringLiteral("A01"), "45", "3");
    add(Direction::Purchase, QStringLiteral("B02"), "80", "2");
    dm().change(s(u"update [商品信息] set [是否计库存]=0 where [商品编号]='B02'"));
    const Outcome<int> posted = post(now(), Direction::Purchase);
    ASSERT_TRUE(posted.ok());
    EXPECT_EQ(posted.value(), 1);
    EXPECT_EQ(stock(QStringLiteral("A01")), quantity("5"));
    EXPECT_EQ(stock(QStringLiteral("B02")), Quantity());
    EXPECT_EQ(ledgerSum(QStringLiteral("B02")), Quantity());
}

// The history index comes with a numbered step: a file of the first release gets it on open, and the
// purchase history then reads an item's rows through it, already in date order.
TEST(PurchaseHistoryIndex, AFileOfTheFirstReleaseGainsItOnOpen)
{
    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath(QStringLiteral("data/tkd.cld"));
    QDir().mkpath(QFileInfo(file).absolutePath());
    ASSERT_TRUE(QFile::copy(QStringLiteral(TKD_FIXTURES_DIR "/schema-v1.cld"), file));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    const QString jhls = s(u"select [日期] as [进货日期],[单价] as [上次价格],[数量],[总金额] from [商品进退单] where "
                           u"[商品编号]=:spbh and [状态说明]='采购进货' order by [日期] DESC");
    {
        Database raw;
        raw.open(file, test::databaseKey());
        ASSERT_EQ(raw.userVersion(), 1);
        EXPECT_EQ(raw.scalar(s(u"select count(*) from sqlite_master where name='ix_商品进退单_jhls'")).toInt(), 0);
        const char* days[] = {"2024-01-03", "2024-02-11", "2024-01-20"};
        for (const char* day : days)
            raw.execute(s(u"insert into [商品进退单] ([日期],[状态说明],[商品编号],[数量]) values "
                          u"(:d,'采购进货','Z9',1)"),
                        {{QStringLiteral("d"), QDate::fromString(QString::fromLatin1(day), Qt::ISODate)}});
        raw.execute(s(u"insert into [商品进退单] ([日期],[状态说明],[商品编号],[数量]) values "
                      u"(:d,'商品销售','Z9',-1)"),
                    {{QStringLiteral("d"), QDate(2024, 3, 1)}});
    }
    TvelunDMForm dm;
    dm.connect(file, test::databaseKey());
    EXPECT_EQ(dm.db().userVersion(), schema::currentVersion());
    EXPECT_GE(schema::currentVersion(), 2);

    const ResultSet plan =
        dm.db().select(QStringLiteral("explain query plan ") + jhls, {{QStringLiteral("spbh"), QStringLiteral("Z9")}});
    const QString details = plan.texts(QStringLiteral("detail")).join(QLatin1Char('\n'));
    EXPECT_TRUE(details.contains(s(u"ix_商品进退单_jhls"))) << details.toStdString();
    EXPECT_FALSE(details.contains(QStringLiteral("TEMP B-TREE")))
        << "rows come in date order: " << details.toStdString();

    const ResultSet rows = dm.open(QStringLiteral("ADOQ_jhls"), {{QStringLiteral("spbh"), QStringLiteral("z9")}});
    ASSERT_EQ(rows.rowCount(), 3) << "rows written before the upgrade, the sale left out";
    EXPECT_EQ(rows.value(0, s(u"进货日期")).toDate(), QDate(2024, 2, 11));
    EXPECT_EQ(rows.value(1, s(u"进货日期")).toDate(), QDate(2024, 1, 20));
    EXPECT_EQ(rows.value(2, s(u"进货日期")).toDate(), QDate(2024, 1, 3));
}

} // namespace
