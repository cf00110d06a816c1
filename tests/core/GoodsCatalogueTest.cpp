#include "TestDatabase.h"
#include "data/TvelunDMForm.h"
#include "db/DbError.h"
#include "goods/Catalogue.h"
#include "goods/Categories.h"
#include "goods/StockLedger.h"

#include <gtest/gtest.h>

using namespace tkd;
using namespace tkd::goods;

namespace {

using test::s;

// 2024-03-15 10:30, the operator "收银员".
CommandContext commandOn(test::TestDatabase& t)
{
    return {t.dm(), s(u"收银员"), test::fixedMoment()};
}

qint64 count(test::TestDatabase& t, const QString& table)
{
    return t.dm()
        .list(QStringLiteral("select count(*) as [n] from [%1]").arg(table))
        .first(QStringLiteral("n"))
        .toInt();
}

// Categories with the ids given, in the order given (the table's order is its ids').
void addCategories(test::TestDatabase& t, const std::vector<TreeRow>& rows)
{
    for (const TreeRow& row : rows)
        t.dm().change(
            QStringLiteral("insert into [商品类别] ([编号],[类别名称],[父结点]) values(:bh,:lbmc,:fjd)"),
            {{QStringLiteral("bh"), row.id}, {QStringLiteral("lbmc"), row.text}, {QStringLiteral("fjd"), row.parent}});
}

void addItem(test::TestDatabase& t, const QString& code, const QString& name, qint64 category)
{
    t.dm().change(QStringLiteral("insert into [商品信息] ([商品编号],[商品名称],[商品类别],[单位],[是否计库存],[数量],"
                                 "[销售总数],[父结点]) values(:spbh,:spmc,'',:dw,-1,0,0,:fjd)"),
                  {{QStringLiteral("spbh"), code},
                   {QStringLiteral("spmc"), name},
                   {QStringLiteral("dw"), s(u"个")},
                   {QStringLiteral("fjd"), category}});
}

// Codes of the catalogue as the filter shows it, in code order.
QStringList codesThrough(test::TestDatabase& t, const Filter& filter)
{
    ResultSet rows = catalogue(t.dm());
    rows.setFilter(filter);
    return rows.texts(QStringLiteral("商品编号"));
}

QStringList texts(const std::vector<TreeNode>& nodes, const std::vector<int>& indexes)
{
    QStringList out;
    for (int i : indexes)
        out << nodes.at(static_cast<size_t>(i)).text;
    return out;
}

// 服装 (1) > 道服 (2) > 儿童道服 (4), 服装 > 腰带 (5), 护具 (3); 饮料 (6) hangs on 7, which comes later.
class CategoryTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        addCategories(t, {{1, 0, s(u"服装")},
                          {2, 1, s(u"道服")},
                          {3, 0, s(u"护具")},
                          {4, 2, s(u"儿童道服")},
                          {5, 1, s(u"腰带")},
                          {6, 7, s(u"饮料")},
                          {7, 0, s(u"食品")},
                          {8, 6, s(u"矿泉水")}});
        addItem(t, QStringLiteral("D01"), s(u"成人道服"), 2);
        addItem(t, QStringLiteral("D02"), s(u"儿童道服S"), 4);
        addItem(t, QStringLiteral("Y01"), s(u"白带"), 5);
        addItem(t, QStringLiteral("H01"), s(u"护头"), 3);
    }
    test::TestDatabase t;
};

TEST_F(CategoryTree, ShapesInCreationOrderAndDropsACategoryWhoseParentComesLater)
{
    const std::vector<TreeNode> nodes = categoryTree(t.dm());
    ASSERT_FALSE(nodes.empty());
    EXPECT_EQ(nodes[0].id, 0);
    EXPECT_EQ(nodes[0].text, s(u"所有类别"));
    EXPECT_EQ(texts(nodes, nodes[0].children), (QStringList{s(u"服装"), s(u"护具"), s(u"食品")}));
    QStringList all;
    for (const TreeNode& node : nodes)
        all << node.text;
    EXPECT_FALSE(all.contains(s(u"饮料"))) << "its parent 食品 was created after it";
    EXPECT_FALSE(all.contains(s(u"矿泉水"))) << "under a category that is not shown";
    EXPECT_EQ(nodes.size(), 7u);
    const TreeNode& clothes = nodes.at(static_cast<size_t>(nodes[0].children[0]));
    EXPECT_EQ(texts(nodes, clothes.children), (QStringList{s(u"道服"), s(u"腰带")}));
}

TEST_F(CategoryTree, ClicksFilterOnLeavesOnlyAndTheRootShowsEverything)
{
    const QStringList everything{QStringLiteral("000000"), QStringLiteral("D01"), QStringLiteral("D02"),
                                 QStringLiteral("H01"), QStringLiteral("Y01")};
    const std::optional<Filter> root = filterForClick({0, true, true});
    ASSERT_TRUE(root.has_value());
    EXPECT_EQ(codesThrough(t, *root), everything);

    const std::optional<Filter> leaf = filterForClick({5, false, false});
    ASSERT_TRUE(leaf.has_value());
    EXPECT_EQ(codesThrough(t, *leaf), QStringList{QStringLiteral("Y01")});
    const std::optional<Filter> emptyLeaf = filterForClick({7, false, false});
    ASSERT_TRUE(emptyLeaf.has_value());
    EXPECT_EQ(codesThrough(t, *emptyLeaf), QStringList()) << "a leaf without items shows none";

    EXPECT_FALSE(filterForClick({1, false, true}).has_value()) << "a parent leaves the list as it is";
    EXPECT_EQ(codesThrough(t, categoryFilter(2)), QStringList{QStringLiteral("D01")})
        << "a category's own items, not those of its children";
}

TEST_F(CategoryTree, SearchTakesTheFirstNodeFromTheTopDepthFirst)
{
    const std::vector<TreeNode> nodes = categoryTree(t.dm());
    auto found = [&](const QString& text) -> QString {
        const std::optional<int> index = findCategory(nodes, text);
        return index ? nodes.at(static_cast<size_t>(*index)).text : QStringLiteral("(none)");
    };
    EXPECT_EQ(found(s(u"道服")), s(u"道服")) << "the parent before its child 儿童道服";
    EXPECT_EQ(found(s(u"带")), s(u"腰带")) << "腰带 under 服装 comes before 护具 and 食品";
    EXPECT_EQ(found(s(u" 护 ")), s(u"护具")) << "the text is trimmed";
    EXPECT_EQ(found(s(u"饮料")), QStringLiteral("(none)")) << "a category not shown is not found";
    EXPECT_EQ(found(QStringLiteral("  ")), QStringLiteral("(none)"));

    const std::optional<int> root = findCategory(nodes, s(u"类别"));
    ASSERT_TRUE(root.has_value());
    EXPECT_EQ(*root, 0) << "a text contained in 所有类别 selects the root";
    EXPECT_EQ(codesThrough(t, categoryFilter(nodes[0].id)), QStringList{QStringLiteral("000000")})
        << "and filters on id 0: only items of no category";
}

TEST(CategoryTreeOrder, DepthFirstIsNotCreationOrder)
{
    test::TestDatabase t;
    addCategories(
        t, {{1, 0, QStringLiteral("Alpha")}, {2, 0, QStringLiteral("Beta")}, {3, 1, QStringLiteral("beta kids")}});
    const std::vector<TreeNode> nodes = categoryTree(t.dm());
    const std::optional<int> index = findCategory(nodes, QStringLiteral("BETA"));
    ASSERT_TRUE(index.has_value());
    EXPECT_EQ(nodes.at(static_cast<size_t>(*index)).id, 3) << "beta kids, under Alpha, is drawn before Beta";
}

TEST(CatalogueSearch, TypedTextIsALiteralSubstringOfCodeOrName)
{
    test::TestDatabase t;
    addItem(t, QStringLiteral("P50"), s(u"50%折扣卡"), 0);
    addItem(t, QStringLiteral("ON1"), QStringLiteral("O'Neil gloves"), 0);
    addItem(t, QStringLiteral("ST*"), s(u"星号护具"), 0);
    addItem(t, QStringLiteral("BR1"), s(u"[限量]腰带"), 0);
    addItem(t, QStringLiteral("X500"), s(u"水壶"), 0);
    const std::pair<QString, QStringList> cases[] = {
        {QStringLiteral("50%"), {QStringLiteral("P50")}},
        {QStringLiteral("O'Neil"), {QStringLiteral("ON1")}},
        {QStringLiteral("*"), {QStringLiteral("ST*")}},
        {QStringLiteral("["), {QStringLiteral("BR1")}},
        {QStringLiteral("50"), {QStringLiteral("P50"), QStringLiteral("X500")}},
        {QStringLiteral(" on1 "), {QStringLiteral("ON1")}},
    };
    for (const auto& [typed, expected] : cases)
        EXPECT_EQ(codesThrough(t, catalogueSearch(typed)), expected) << typed.toStdString();
    EXPECT_TRUE(catalogueSearch(QStringLiteral("  ")).isEmpty()) << "blank text shows every item";
}

// A complete, valid new item: category 1 (道具), code T01, 4 units at 2.50.
ItemEntry validItem()
{
    ItemEntry input;
    input.categoryId = 1;
    input.categoryName = s(u"道具");
    input.code = QStringLiteral("T01");
    input.name = s(u"脚靶");
    input.unit = s(u"个");
    input.purchasePrice = QStringLiteral("2.50");
    input.salePrice = QStringLiteral("5");
    input.quantity = QStringLiteral("4");
    input.counted = true;
    input.points = QStringLiteral("0");
    return input;
}

struct RefusedSave {
    const char* name;
    std::function<void(ItemEntry&)> change;
    const char16_t* message;
    const char* field;
};

class SaveRefusals : public ::testing::TestWithParam<RefusedSave> {};

TEST_P(SaveRefusals, AreCheckedInOrderAndWriteNothing)
{
    test::TestDatabase t;
    addCategories(t, {{1, 0, s(u"道具")}});
    addItem(t, QStringLiteral("a01"), s(u"旧靶"), 1);
    ItemEntry input = validItem();
    GetParam().change(input);
    const qint64 goodsBefore = count(t, s(u"商品信息"));
    Outcome<> saved = Done{};
    ASSERT_NO_THROW(saved = saveItem(commandOn(t), input));
    ASSERT_TRUE(saved.refused());
    EXPECT_EQ(saved.refusal().message, s(GetParam().message));
    EXPECT_EQ(saved.refusal().icon, Refusal::Icon::Error);
    EXPECT_EQ(saved.refusal().field, QString::fromLatin1(GetParam().field));
    EXPECT_EQ(count(t, s(u"商品信息")), goodsBefore);
    EXPECT_EQ(count(t, s(u"商品进退单")), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, SaveRefusals,
    ::testing::Values(
        RefusedSave{"NothingFilled", [](ItemEntry& i) { i = ItemEntry(); }, u"商品类别不能为空！", "category"},
        RefusedSave{"NoCategoryPicked",
                    [](ItemEntry& i) {
                        i.categoryId.reset();
                        i.categoryName.clear();
                        i.quantity = QStringLiteral("1.2.3");
                    },
                    u"商品类别不能为空！", "category"},
        RefusedSave{"BlankCode",
                    [](ItemEntry& i) {
                        i.code = QStringLiteral("   ");
                        i.name.clear();
                    },
                    u"商品编号不能为空！", "code"},
        RefusedSave{"BlankNameBeforeADuplicateCode",
                    [](ItemEntry& i) {
                        i.code = QStringLiteral("A01");
                        i.name = QStringLiteral(" ");
                    },
                    u"商品名称不能为空！", "name"},
        RefusedSave{"TrimmedCodeTakenInAnotherCase",
                    [](ItemEntry& i) {
                        i.code = QStringLiteral(" A01 ");
                        i.quantity = QStringLiteral("-");
                    },
                    u"该商品编号已存在！", "code"},
        RefusedSave{"PurchasePriceNotANumber", [](ItemEntry& i) { i.purchasePrice = QStringLiteral("2.5.0"); },
                    u"请输入正确的进货单价！", "purchasePrice"},
        RefusedSave{"SalePriceNotANumber", [](ItemEntry& i) { i.salePrice = QStringLiteral("."); },
                    u"请输入正确的销售单价！", "salePrice"},
        RefusedSave{"QuantityWithTwoPoints", [](ItemEntry& i) { i.quantity = QStringLiteral("1.2.3"); },
                    u"请输入正确的库存数量！", "quantity"},
        RefusedSave{"QuantityADash", [](ItemEntry& i) { i.quantity = QStringLiteral("-"); }, u"请输入正确的库存数量！",
                    "quantity"},
        RefusedSave{"QuantityARange", [](ItemEntry& i) { i.quantity = QStringLiteral("1-2"); },
                    u"请输入正确的库存数量！", "quantity"},
        RefusedSave{"QuantityBeforePoints",
                    [](ItemEntry& i) {
                        i.quantity = QStringLiteral("1.2.3");
                        i.points = QStringLiteral("x");
                    },
                    u"请输入正确的库存数量！", "quantity"},
        RefusedSave{"PointsWithAPoint", [](ItemEntry& i) { i.points = QStringLiteral("1.5"); },
                    u"请输入正确的兑换积分！", "points"},
        RefusedSave{"PointsBeyondAnInteger", [](ItemEntry& i) { i.points = QStringLiteral("2147483648"); },
                    u"请输入正确的兑换积分！", "points"},
        RefusedSave{"PointsNegative", [](ItemEntry& i) { i.points = QStringLiteral("-1"); }, u"请输入正确的兑换积分！",
                    "points"}),
    [](const ::testing::TestParamInfo<RefusedSave>& info) { return std::string(info.param.name); });

TEST(CatalogueSave, OpeningStockIsOnePurchaseAtThePurchasePrice)
{
    test::TestDatabase t;
    ItemEntry input = validItem();
    input.code = QStringLiteral("  T01 ");
    input.name = s(u" 脚靶 ");
    ASSERT_TRUE(saveItem(commandOn(t), input).ok());

    const ResultSet item = t.dm().list(s(u"select * from [商品信息] where [商品编号]='T01'"));
    ASSERT_EQ(item.rowCount(), 1) << "stored under the trimmed code";
    EXPECT_EQ(item.first(s(u"商品名称")).toText(), s(u"脚靶"));
    EXPECT_EQ(item.first(s(u"商品类别")).toText(), s(u"道具"));
    EXPECT_EQ(item.first(s(u"父结点")).toInt(), 1);
    EXPECT_DOUBLE_EQ(item.first(s(u"数量")).toDouble(), 4.0);
    EXPECT_DOUBLE_EQ(item.first(s(u"销售总数")).toDouble(), 0.0);
    EXPECT_EQ(item.first(s(u"预设进价")).toMoney(), Money::fromUnits(25000));
    EXPECT_EQ(item.first(s(u"预售单价")).toMoney(), Money::fromYuan(5));

    const ResultSet ledger = t.dm().list(s(u"select * from [商品进退单]"));
    ASSERT_EQ(ledger.rowCount(), 1);
    EXPECT_EQ(ledger.first(s(u"状态说明")).toText(), s(u"采购进货"));
    EXPECT_EQ(ledger.first(s(u"商品编号")).toText(), QStringLiteral("T01"));
    EXPECT_EQ(ledger.first(s(u"商品名称")).toText(), s(u"脚靶"));
    EXPECT_EQ(ledger.first(s(u"单位")).toText(), s(u"个"));
    EXPECT_EQ(ledger.first(s(u"单价")).toMoney(), Money::fromUnits(25000));
    EXPECT_DOUBLE_EQ(ledger.first(s(u"数量")).toDouble(), 4.0);
    EXPECT_DOUBLE_EQ(ledger.first(s(u"折扣率")).toDouble(), 1.0);
    EXPECT_EQ(ledger.first(s(u"总金额")).toMoney(), Money::fromYuan(10));
    EXPECT_EQ(ledger.first(s(u"日期")).toDateTime(), QDateTime(QDate(2024, 3, 15), QTime(0, 0))) << "the day only";
    EXPECT_EQ(ledger.first(s(u"操作员")).toText(), s(u"收银员"));
}

TEST(CatalogueSave, OpeningAmountIsRoundedOnceToTheCentHalfToEven)
{
    test::TestDatabase t;
    const std::tuple<const char*, const char*, const char*, qint64> cases[] = {
        {"H1", "2.505", "1", 25000},  // 2.505 -> 2.50
        {"H2", "2.515", "1", 25200},  // 2.515 -> 2.52
        {"H3", "0.25", "0.5", 1200},  // 0.125 -> 0.12
        {"H4", "1.2345", "3", 37000}, // 3.7035 -> 3.70
        {"H5", "0.10", "3", 3000},    // no drift: 0.30
    };
    for (const auto& [code, price, quantity, units] : cases) {
        ItemEntry input = validItem();
        input.code = QString::fromLatin1(code);
        input.purchasePrice = QString::fromLatin1(price);
        input.quantity = QString::fromLatin1(quantity);
        ASSERT_TRUE(saveItem(commandOn(t), input).ok()) << code;
        const ResultSet row = t.dm().list(s(u"select [总金额] from [商品进退单] where [商品编号]=:spbh"),
                                          {{QStringLiteral("spbh"), input.code}});
        ASSERT_EQ(row.rowCount(), 1) << code;
        EXPECT_EQ(row.first(s(u"总金额")).toMoney(), Money::fromUnits(units)) << price << " x " << quantity;
    }
}

TEST(CatalogueSave, NoOpeningStockWritesNoLedgerRow)
{
    test::TestDatabase t;
    ItemEntry zero = validItem();
    zero.quantity = QStringLiteral("0");
    ItemEntry blank = validItem();
    blank.code = QStringLiteral("T02");
    blank.quantity.clear();
    ItemEntry notCounted = validItem();
    notCounted.code = QStringLiteral("T03");
    notCounted.counted = false;
    notCounted.quantity = QStringLiteral("5");
    for (const ItemEntry& input : {zero, blank, notCounted})
        ASSERT_TRUE(saveItem(commandOn(t), input).ok()) << input.code.toStdString();
    EXPECT_EQ(count(t, s(u"商品进退单")), 0);
    const ResultSet stock = t.dm().list(s(u"select [数量] from [商品信息] where [商品编号] in ('T01','T02','T03')"));
    ASSERT_EQ(stock.rowCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_DOUBLE_EQ(stock.value(i, s(u"数量")).toDouble(), 0.0) << i;
}

TEST(CatalogueSave, ItemAndOpeningStockAreOneTransaction)
{
    test::TestDatabase t;
    t.dm().change(
        s(u"create trigger [no_ledger] before insert on [商品进退单] begin select raise(abort, 'ledger full'); end"));
    EXPECT_THROW(saveItem(commandOn(t), validItem()), DbError);
    EXPECT_EQ(count(t, s(u"商品信息")), 1) << "only the system item: the new item went with the failed ledger row";
    EXPECT_EQ(t.db().transactionDepth(), 0);
}

TEST(CatalogueSave, ModifyKeepsCodeStockAndTotalSold)
{
    test::TestDatabase t;
    addCategories(t, {{1, 0, s(u"道具")}, {2, 0, s(u"饮料")}});
    ASSERT_TRUE(saveItem(commandOn(t), validItem()).ok());
    t.dm().change(s(u"update [商品信息] set [数量]=-3.5,[销售总数]=7.5 where [商品编号]='T01'"));

    std::optional<ItemEntry> shown = itemForEntry(t.dm(), QStringLiteral("t01"));
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(shown->quantity, QStringLiteral("-3.5"));
    EXPECT_EQ(shown->purchasePrice, QStringLiteral("2.50"));
    shown->code = QStringLiteral("CHANGED");
    shown->quantity = QStringLiteral("100");
    shown->salePrice = QStringLiteral("6.1234");
    shown->categoryId = 2;
    shown->categoryName = s(u"饮料");
    shown->exchangeable = true;
    shown->points = QStringLiteral("30");
    ASSERT_TRUE(saveItem(commandOn(t), *shown, QStringLiteral("T01")).ok());

    const ResultSet item = t.dm().list(s(u"select * from [商品信息] where [商品编号]='T01'"));
    ASSERT_EQ(item.rowCount(), 1) << "the code never changes";
    EXPECT_DOUBLE_EQ(item.first(s(u"数量")).toDouble(), -3.5);
    EXPECT_DOUBLE_EQ(item.first(s(u"销售总数")).toDouble(), 7.5);
    EXPECT_EQ(item.first(s(u"预售单价")).toMoney(), Money::fromUnits(61234));
    EXPECT_EQ(item.first(s(u"父结点")).toInt(), 2);
    EXPECT_EQ(item.first(s(u"商品类别")).toText(), s(u"饮料"));
    EXPECT_EQ(item.first(s(u"兑换积分")).toInt(), 30);
    EXPECT_EQ(count(t, s(u"商品进退单")), 1) << "modifying records no stock";
    EXPECT_EQ(itemForEntry(t.dm(), QStringLiteral("T01"))->salePrice, QStringLiteral("6.1234"))
        << "shown with every decimal, so saving again keeps it";

    const Outcome<> gone = saveItem(commandOn(t), *shown, QStringLiteral("NOPE"));
    ASSERT_TRUE(gone.refused());
    EXPECT_EQ(gone.refusal().message, s(u"该商品已不存在！"));
}

TEST(CatalogueSave, TheSystemItemIsNeitherChangedNorDeleted)
{
    test::TestDatabase t;
    const QString code = QStringLiteral("000000");
    ASSERT_EQ(itemForEntry(t.dm(), code)->name, s(u"积分换会籍")) << "seeded";
    const MaybeRefusal edit = refuseItemEdit(t.dm(), code);
    ASSERT_TRUE(edit.has_value());
    EXPECT_EQ(edit->message, s(u"该商品为系统默认，不能修改！"));
    EXPECT_EQ(edit->icon, Refusal::Icon::Warning);
    const MaybeRefusal removal = refuseItemRemoval(t.dm(), code);
    ASSERT_TRUE(removal.has_value());
    EXPECT_EQ(removal->message, s(u"该商品为系统默认，不能删除！"));
    EXPECT_EQ(removal->icon, Refusal::Icon::Warning);

    ItemEntry changed = *itemForEntry(t.dm(), code);
    changed.salePrice = QStringLiteral("1");
    const Outcome<> saved = saveItem(commandOn(t), changed, code);
    ASSERT_TRUE(saved.refused());
    EXPECT_EQ(saved.refusal().message, s(u"该商品为系统默认，不能修改！"));
    const Outcome<> removed = removeItem(commandOn(t), code);
    ASSERT_TRUE(removed.refused());
    EXPECT_EQ(removed.refusal().message, s(u"该商品为系统默认，不能删除！"));
    EXPECT_EQ(
        t.dm().list(s(u"select [预售单价] from [商品信息] where [商品编号]='000000'")).first(s(u"预售单价")).toMoney(),
        Money());
}

TEST(CatalogueSave, DeletingAnItemLeavesItsHistory)
{
    test::TestDatabase t;
    ASSERT_TRUE(saveItem(commandOn(t), validItem()).ok());
    EXPECT_FALSE(refuseItemRemoval(t.dm(), QStringLiteral("T01")).has_value());
    ASSERT_TRUE(removeItem(commandOn(t), QStringLiteral("T01")).ok());
    EXPECT_FALSE(itemForEntry(t.dm(), QStringLiteral("T01")).has_value());
    EXPECT_EQ(count(t, s(u"商品进退单")), 1);
    const Outcome<> again = removeItem(commandOn(t), QStringLiteral("T01"));
    ASSERT_TRUE(again.refused());
    EXPECT_EQ(again.refusal().message, s(u"该商品已不存在！"));
}

TEST(CatalogueCategories, AddRenameAndTheirRefusals)
{
    test::TestDatabase t;
    const Outcome<qint64> top = addCategory(commandOn(t), kRootCategory, s(u" 服装 "));
    ASSERT_TRUE(top.ok());
    const Outcome<qint64> child = addCategory(commandOn(t), *top, s(u"道服"));
    ASSERT_TRUE(child.ok());
    EXPECT_NE(*child, *top);
    const ResultSet row =
        t.dm().list(s(u"select * from [商品类别] where [编号]=:bh"), {{QStringLiteral("bh"), *child}});
    ASSERT_EQ(row.rowCount(), 1) << "the id is the new row's own";
    EXPECT_EQ(row.first(s(u"类别名称")).toText(), s(u"道服"));
    EXPECT_EQ(row.first(s(u"父结点")).toInt(), *top);
    EXPECT_EQ(t.dm().list(s(u"select [类别名称] from [商品类别] where [父结点]=0")).first(s(u"类别名称")).toText(),
              s(u"服装"));

    for (const QString& blank : {QString(), QStringLiteral("  ")}) {
        const Outcome<qint64> refused = addCategory(commandOn(t), kRootCategory, blank);
        ASSERT_TRUE(refused.refused());
        EXPECT_EQ(refused.refusal().message, s(u"类别名称不能为空！"));
        EXPECT_EQ(refused.refusal().field, categoryField::name);
        const Outcome<> renamed = renameCategory(commandOn(t), *top, blank);
        ASSERT_TRUE(renamed.refused());
        EXPECT_EQ(renamed.refusal().message, s(u"类别名称不能为空！"));
    }
    EXPECT_EQ(count(t, s(u"商品类别")), 2);
    EXPECT_TRUE(addCategory(commandOn(t), 999, s(u"孤儿")).refused()) << "a parent that is gone";

    ItemEntry input = validItem();
    input.categoryId = *child;
    input.categoryName = s(u"道服");
    ASSERT_TRUE(saveItem(commandOn(t), input).ok());
    ASSERT_TRUE(renameCategory(commandOn(t), *child, s(u"跆拳道服")).ok());
    EXPECT_EQ(categoryTree(t.dm()).back().text, s(u"跆拳道服"));
    EXPECT_EQ(itemForEntry(t.dm(), QStringLiteral("T01"))->categoryName, s(u"道服"))
        << "items keep the name they were saved with";
}

TEST(CatalogueCategories, DeleteChecksTheTableNotWhatIsShown)
{
    test::TestDatabase t;
    // 5 has a child row (3) that comes before it and is never drawn; 6 has an item; 7 is empty.
    addCategories(t, {{3, 5, s(u"看不见的子类")}, {5, 0, s(u"护具")}, {6, 0, s(u"服装")}, {7, 0, s(u"空类")}});
    addItem(t, QStringLiteral("F01"), s(u"道服"), 6);
    const std::vector<TreeNode> nodes = categoryTree(t.dm());
    ASSERT_EQ(nodes.size(), 4u);
    EXPECT_TRUE(nodes[1].children.empty()) << "the tree shows 护具 without children";

    const Outcome<> withChild = removeCategory(commandOn(t), 5);
    ASSERT_TRUE(withChild.refused());
    EXPECT_EQ(withChild.refusal().message, s(u"该类别下有子类别，不能删除！"));
    EXPECT_EQ(withChild.refusal().icon, Refusal::Icon::Error);

    // Whatever the list shows (here a search that hides F01), the item is still there.
    EXPECT_EQ(codesThrough(t, catalogueSearch(QStringLiteral("nothing like it"))), QStringList());
    const Outcome<> withItem = removeCategory(commandOn(t), 6);
    ASSERT_TRUE(withItem.refused());
    EXPECT_EQ(withItem.refusal().message, s(u"该类别下有货品信息，不能删除！"));

    ASSERT_TRUE(removeCategory(commandOn(t), 7).ok());
    EXPECT_EQ(count(t, s(u"商品类别")), 3);
    EXPECT_TRUE(removeCategory(commandOn(t), 7).refused()) << "gone already";
}

} // namespace
