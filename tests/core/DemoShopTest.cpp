#include "DemoHallChecks.h"
#include "TestDatabase.h"
#include "demo/DemoHall.h"
#include "demo/LargeAssortment.h"
#include "frontdesk/CheckIn.h"
#include "goods/Categories.h"
#include "goods/Quantities.h"

#include <gtest/gtest.h>
#include <map>

using namespace tkd;
using tkd::test::s;

namespace {

// A hall with the benchmark's kind of shop, small enough for a test: 300 goods in 60 categories, 12 of
// them for points, about two leaves and two exchanges a member.
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
    size.leaves = 160;
    size.busiestLeaves = 20;
    size.exchanges = 160;
    size.exchangeableGoods = 12;
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
    qint64 count(const char16_t* statement, const Params& params = {})
    {
        return dm().db().scalar(s(statement), params).toInt();
    }
    static QDate today() { return test::fixedMoment().date(); }

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

TEST_F(DemoShopTest, TwelveGoodsCountedInStockMayBeHadForPoints)
{
    // Two points a yuan, four at least, for goods of 50 yuan or less; the system item stays as seeded.
    EXPECT_EQ(count(u"select count(*) from [商品信息] where [是否兑换]<>0 and [商品编号]<>'000000'"), 12);
    EXPECT_EQ(count(u"select count(*) from [商品信息] where [是否兑换]<>0 and [商品编号]<>'000000' and "
                    u"([是否计库存]=0 or [预售单价]>50 or [兑换积分]<>max(4,2*cast([预售单价] as integer)))"),
              0);
    EXPECT_EQ(count(u"select count(*) from [兑换商品] e join [商品信息] g on g.[商品编号]=e.[商品编号] where "
                    u"e.[商品编号]<>'000000' and (g.[是否兑换]=0 or e.[兑换积分]<>e.[数量]*g.[兑换积分])"),
              0);
}

TEST_F(DemoShopTest, LeaveAndExchangesComeInTheAskedNumbers)
{
    // 160 goods lines: those who run short of points leave theirs to members who have some.
    EXPECT_EQ(count(u"select count(*) from [兑换商品] where [商品编号]<>'000000'"), 160);
    // Every busy member left with twice the rate's points after the goods, and one other in fifty, bought days.
    EXPECT_GE(count(u"select count(*) from [兑换商品] where [商品编号]='000000'"), 1);
    EXPECT_LE(count(u"select count(*) from [兑换商品] where [商品编号]='000000'"), 10);
    EXPECT_EQ(count(u"select count(*) from [会员信息] m where [刷卡次数]=60 and not exists (select 1 from [兑换商品] e "
                    u"where e.[会员卡号]=m.[会员卡号] and e.[商品编号]='000000') and [会员积分]>=2*(select [使用积分] "
                    u"from [其它设置])"),
              0);
    // 60 for the three busy members, the one on leave today, and about 99 shared by the members whose
    // card is in use or has ended, less those opened too lately to have had one.
    const qint64 leaves = count(u"select count(*) from [会员请假]");
    EXPECT_GE(leaves, 140);
    EXPECT_LE(leaves, 170);
    EXPECT_EQ(count(u"select count(*) from [会员请假] q join [会员信息] m on m.[会员卡号]=q.[会员卡号] where "
                    u"m.[开卡日期] is null or q.[请假日期]<m.[开卡日期] or q.[请假日期]<date(:today,'-1095 day')",
                    {{QStringLiteral("today"), today()}}),
              0)
        << "each member's leave falls in the card's time, three years at most";
}

TEST_F(DemoShopTest, BusyMembersTakeTwentyShortLeavesAndCanComeToday)
{
    const QStringList busy = dm().list(s(u"select [会员卡号] from [会员信息] where [刷卡次数]=60 order by [会员卡号]"))
                                 .texts(s(u"会员卡号"));
    ASSERT_EQ(busy.size(), 3);
    for (const QString& card : busy) {
        EXPECT_EQ(count(u"select count(*) from [会员请假] where [会员卡号]=:hykh", {{QStringLiteral("hykh"), card}}),
                  20)
            << card.toStdString();
        EXPECT_EQ(count(u"select count(*) from [会员请假] where [会员卡号]=:hykh and ([请假天数]>4 or "
                        u"[结束日期]>=:today)",
                        {{QStringLiteral("hykh"), card}, {QStringLiteral("today"), today()}}),
                  0)
            << card.toStdString() << "'s leaves are short and over";
        const auto row = frontdesk::readMember(dm(), card);
        ASSERT_TRUE(row.has_value());
        EXPECT_FALSE(frontdesk::eligibility(dm(), *row, test::fixedMoment()).has_value())
            << card.toStdString() << " may check in today";
    }
}

TEST_F(DemoShopTest, LeaveExchangesPointsAndExpiriesAgree)
{
    const std::pair<const char*, test::hall::Checked> checks[] = {
        {"expiry", test::hall::expiriesFollowHistory(dm())},
        {"leave", test::hall::leavesFollowTheRules(dm())},
        {"points", test::hall::pointsRunLineByLine(dm())},
        {"membership days", test::hall::daysLinesFollowTheRate(dm())}};
    for (const auto& [what, checked] : checks) {
        EXPECT_GT(checked.rows, 0) << what;
        EXPECT_TRUE(checked.faults.isEmpty()) << what << ": " << checked.faults.join(u"; ").toStdString();
    }
    EXPECT_EQ(count(u"select count(*) from [会员登记] v join [会员请假] q on q.[会员卡号]=v.[会员卡号] where "
                    u"v.[登记时间]>=q.[开始日期] and v.[登记时间]<date(q.[结束日期],'+1 day')"),
              0)
        << "no visit falls on a day of leave";
}

TEST_F(DemoShopTest, ExchangedGoodsLeaveTheStockThroughTheLedger)
{
    // One ledger row per goods line, its quantity taken out at no price, as the basket writes it.
    EXPECT_EQ(count(u"select count(*) from [商品进退单] where [状态说明]='兑换商品'"),
              count(u"select count(*) from [兑换商品] where [商品编号]<>'000000'"));
    EXPECT_EQ(count(u"select count(*) from [商品进退单] where [状态说明]='兑换商品' and ([数量]>=0 or [单价]<>0 or "
                    u"[折扣率]<>1 or [总金额]<>0)"),
              0);
    EXPECT_EQ(count(u"select count(*) from [商品信息] g where [是否兑换]<>0 and coalesce((select sum([数量]) from "
                    u"[商品进退单] l where l.[商品编号]=g.[商品编号] and l.[状态说明]='兑换商品'),0)+coalesce((select "
                    u"sum([数量]) from [兑换商品] e where e.[商品编号]=g.[商品编号]),0)<>0 and [商品编号]<>'000000'"),
              0);
    EXPECT_GE(count(u"select count(distinct [商品编号]) from [兑换商品] where [商品编号]<>'000000'"), 6)
        << "members exchange most of the goods for points";
    // The shelf of each keeps its carton of 400, less one a damaged delivery may have sent back.
    EXPECT_EQ(count(u"select count(*) from [商品信息] where [是否兑换]<>0 and [是否计库存]<>0 and [数量]<399"), 0);
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
