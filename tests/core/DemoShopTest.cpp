#include "TestDatabase.h"
#include "demo/DemoHall.h"
#include "demo/LargeAssortment.h"
#include "goods/Categories.h"
#include "goods/Quantities.h"

#include <gtest/gtest.h>
#include <map>

using namespace tkd;
using tkd::test::s;

namespace {

// A hall with the benchmark's kind of shop, small enough for a test: 300 goods in 60 categories.
demo::HallSize shopHall()
{
    demo::HallSize size;
    size.members = 80;
    size.visitsPerMember = 10;
    size.busiestVisits = 60;
    size.busyMembers = 3;
    size.goods = 300;
    size.categories = 60;
    size.checkoutsPerMember = 5;
    return size;
}

class DemoShopTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_db = new test::TestDatabase;
        demo::generate(s_db->dm(), shopHall(), test::fixedMoment().date());
    }
    static void TearDownTestSuite()
    {
        delete s_db;
        s_db = nullptr;
    }
    TvelunDMForm& dm() { return s_db->dm(); }
    qint64 count(const char16_t* statement) { return dm().db().scalar(s(statement)).toInt(); }

    static test::TestDatabase* s_db;
};

test::TestDatabase* DemoShopTest::s_db = nullptr;

} // namespace

TEST_F(DemoShopTest, GoodsComeInTheDocumentedShares)
{
    // Of 300 goods: a tenth services, two thirds counted in stock, the other 70 sold without stock.
    EXPECT_EQ(count(u"select count(*) from [商品信息] where [商品名称]<>'积分换会籍'"), 300);
    EXPECT_EQ(count(u"select count(*) from [商品信息] where [人工服务]<>0 and [是否计库存]=0"), 30);
    EXPECT_EQ(count(u"select count(*) from [商品信息] where [人工服务]<>0"), 30);
    EXPECT_EQ(count(u"select count(*) from [商品信息] where [是否计库存]<>0"), 200);
    EXPECT_EQ(count(u"select count(*) from [商品信息] where [人工服务]=0 and [是否计库存]=0 and "
                    u"[商品名称]<>'积分换会籍'"),
              70);
    EXPECT_EQ(count(u"select count(distinct [商品编号]) from [商品信息]"), 301) << "codes are unique";
    EXPECT_EQ(count(u"select count(*) from [商品信息] where [商品名称]<>'积分换会籍' and ([预售单价]<=0 or "
                    u"([人工服务]=0 and ([预设进价]<=0 or [预设进价]>=[预售单价])))"),
              0)
        << "every item has a price, goods cost less than they sell for";
}

TEST_F(DemoShopTest, CategoriesAreFiveDeepWithEveryItemInALeafOfItsKind)
{
    const std::vector<TreeNode> tree = goods::categoryTree(dm());
    ASSERT_EQ(tree.size(), 61u) << "all sixty categories are drawn under 所有类别";
    EXPECT_EQ(tree[0].children.size(), 12u) << "twelve top-level categories";
    auto depth = [&](int node) {
        int d = 0;
        for (; tree[size_t(node)].parent >= 0; node = tree[size_t(node)].parent)
            ++d;
        return d;
    };
    auto top = [&](int node) {
        while (tree[size_t(node)].parent > 0)
            node = tree[size_t(node)].parent;
        return tree[size_t(node)].text;
    };
    int deepest = 0;
    for (int n = 1; n < int(tree.size()); ++n)
        deepest = std::max(deepest, depth(n));
    EXPECT_EQ(deepest, 5);

    const ResultSet items = dm().list(
        s(u"select [商品编号],[商品类别],[父结点],[人工服务] from [商品信息] where [商品名称]<>'积分换会籍'"));
    ASSERT_EQ(items.rowCount(), 300);
    std::map<QString, int> byTop;
    for (int row = 0; row < items.rowCount(); ++row) {
        const QString code = items.value(row, s(u"商品编号")).toText();
        const qint64 parent = items.value(row, s(u"父结点")).toInt();
        const auto node = std::find_if(tree.begin() + 1, tree.end(), [&](const TreeNode& n) { return n.id == parent; });
        ASSERT_NE(node, tree.end()) << code.toStdString();
        const int index = int(node - tree.begin());
        EXPECT_TRUE(node->children.empty()) << code.toStdString() << " is in a leaf";
        EXPECT_EQ(items.value(row, s(u"商品类别")).toText(), node->text) << code.toStdString();
        const bool service = items.value(row, s(u"人工服务")).toBool();
        EXPECT_EQ(top(index) == s(u"服务项目"), service) << code.toStdString() << ": services, and only they, there";
        ++byTop[top(index)];
    }
    EXPECT_GE(byTop.size(), 10u) << "goods spread over the tree";
}

TEST_F(DemoShopTest, CheckoutsHaveOneToThreeLinesAndOnePaymentRowEach)
{
    // Every line of a checkout shares its card and moment; every checkout has its payment row of the same sum.
    const ResultSet checkouts =
        dm().list(s(u"select [会员卡号],[消费日期],count(*) as [行数],sum([总金额]) as [合计] from [会员消费] "
                    u"group by [会员卡号],[消费日期]"));
    ASSERT_GT(checkouts.rowCount(), 0);
    qint64 lines = 0;
    for (int row = 0; row < checkouts.rowCount(); ++row) {
        const qint64 n = checkouts.value(row, s(u"行数")).toInt();
        EXPECT_GE(n, 1);
        EXPECT_LE(n, 3);
        lines += n;
    }
    // About five checkouts per member (0 to 10 each, busy members 10 to 15), two lines each (1 to 3).
    const double perMember = double(checkouts.rowCount()) / 80;
    EXPECT_GT(perMember, 4.0);
    EXPECT_LT(perMember, 6.5);
    const double perCheckout = double(lines) / double(checkouts.rowCount());
    EXPECT_GT(perCheckout, 1.7);
    EXPECT_LT(perCheckout, 2.3);
    EXPECT_EQ(count(u"select count(*) from (select [会员卡号],[消费日期],sum([总金额]) as [合计] from [会员消费] "
                    u"group by [会员卡号],[消费日期]) x where not exists (select 1 from [金额记录] p where "
                    u"p.[会员卡号]=x.[会员卡号] and p.[日期]=x.[消费日期] and "
                    u"abs(p.[储值卡]+p.[现金]+p.[信用卡]-x.[合计])<0.0001)"),
              0);
}

TEST_F(DemoShopTest, AFewGoodsSellFarMoreThanTheRest)
{
    // By rank r an item sells in proportion to 1/(r+10): of 200 counted goods the first 20 hold
    // ln(30/10)/ln(210/10), about 36% of the lines, where equal sales would give them 10%.
    const ResultSet sold =
        dm().list(s(u"select count(*) as [行数] from [会员消费] x join [商品信息] g on g.[商品编号]=x.[商品编号] where "
                    u"g.[是否计库存]<>0 group by x.[商品编号] order by count(*) desc"));
    qint64 total = 0;
    qint64 best = 0;
    for (int row = 0; row < sold.rowCount(); ++row) {
        const qint64 n = sold.value(row, s(u"行数")).toInt();
        total += n;
        if (row < 20)
            best += n;
    }
    ASSERT_GT(total, 0);
    EXPECT_GT(double(best) / double(total), 0.25);
    // About 85 lines in 100 are of goods counted in stock.
    const double countedShare = double(total) / double(count(u"select count(*) from [会员消费]"));
    EXPECT_GT(countedShare, 0.7);
    EXPECT_LT(countedShare, 0.9);
}

TEST_F(DemoShopTest, StockIsWhatTheLedgerSaysAndNeverRunsOut)
{
    struct Totals {
        goods::Quantity stock;
        goods::Quantity sold;
        goods::Quantity lowest;
        int purchases = 0;
    };
    std::map<QString, Totals> ledger;
    const ResultSet moves =
        dm().list(s(u"select [商品编号],[状态说明],[数量],[总金额] from [商品进退单] order by rowid"));
    int returns = 0;
    for (int row = 0; row < moves.rowCount(); ++row) {
        Totals& item = ledger[moves.value(row, s(u"商品编号")).toText()];
        const goods::Quantity q = goods::Quantity::fromStored(moves.value(row, s(u"数量")).toDouble());
        item.stock = item.stock + q;
        item.lowest = std::min(item.lowest, item.stock);
        const QString kind = moves.value(row, s(u"状态说明")).toText();
        if (kind == s(u"商品销售"))
            item.sold = item.sold - q;
        if (kind == s(u"采购进货"))
            ++item.purchases;
        if (kind == s(u"采购退货")) {
            ++returns;
            EXPECT_LT(q, goods::Quantity());
            EXPECT_GT(moves.value(row, s(u"总金额")).toMoney(), Money());
        }
    }
    const ResultSet items = dm().list(s(u"select [商品编号],[数量],[销售总数] from [商品信息] where [是否计库存]<>0"));
    ASSERT_EQ(items.rowCount(), 200);
    int delivered = 0;
    for (int row = 0; row < items.rowCount(); ++row) {
        const QString code = items.value(row, s(u"商品编号")).toText();
        const Totals& item = ledger[code];
        EXPECT_EQ(goods::Quantity::fromStored(items.value(row, s(u"数量")).toDouble()), item.stock)
            << code.toStdString();
        EXPECT_EQ(goods::Quantity::fromStored(items.value(row, s(u"销售总数")).toDouble()), item.sold)
            << code.toStdString();
        EXPECT_EQ(item.lowest, goods::Quantity()) << code.toStdString() << " is never sold out of stock";
        EXPECT_GE(item.purchases, 1) << code.toStdString() << " has its opening stock";
        delivered += item.purchases > 1 ? 1 : 0;
    }
    // Bought by the piece from an opening stock of one, an item sold more than once is delivered again:
    // about 680 counted lines give the item of rank r some 224 / (r + 10), two or more below rank 100.
    EXPECT_GE(delivered, 60) << "goods that sell are delivered again";
    EXPECT_EQ(count(u"select count(*) from [商品进退单] l join [商品信息] g on g.[商品编号]=l.[商品编号] where "
                    u"g.[是否计库存]=0"),
              0);
    EXPECT_EQ(count(u"select count(*) from [商品进退单] where [状态说明]='商品销售'"),
              count(u"select count(*) from [会员消费] x join [商品信息] g on g.[商品编号]=x.[商品编号] where "
                    u"g.[是否计库存]<>0"));
}

TEST_F(DemoShopTest, ShopRowsLieInTheFileInTimeOrder)
{
    for (const auto& [table, column] :
         {std::pair{u"会员消费", u"消费日期"}, std::pair{u"金额记录", u"日期"}, std::pair{u"商品进退单", u"日期"}}) {
        EXPECT_EQ(dm().db()
                      .scalar(QStringLiteral("select count(*) from [%1] a join [%1] b on b.rowid=a.rowid+1 where "
                                             "b.[%2]<a.[%2]")
                                  .arg(s(table), s(column)))
                      .toInt(),
                  0)
            << s(table).toStdString();
    }
}

TEST(DemoShopAssortment, SameArgumentsGiveTheSameCatalogue)
{
    const demo::Assortment a = demo::largeAssortment(200, 40, 5);
    const demo::Assortment b = demo::largeAssortment(200, 40, 5);
    ASSERT_EQ(a.count(), 200);
    ASSERT_EQ(b.count(), 200);
    EXPECT_EQ(a.categories.size(), 40u);
    for (int i = 0; i < a.count(); ++i) {
        EXPECT_EQ(a[i].code, b[i].code);
        EXPECT_EQ(a[i].name, b[i].name);
        EXPECT_EQ(a[i].price, b[i].price);
        EXPECT_EQ(a[i].category, b[i].category);
    }
    EXPECT_EQ(a.runningWeights, b.runningWeights);
    // Parents come before their children, as the catalogue window adds them.
    for (size_t c = 0; c < a.categories.size(); ++c)
        EXPECT_LT(a.categories[c].parent, int(c));
}
