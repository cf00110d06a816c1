#include "demo/DemoHall.h"
#include "DemoHallChecks.h"
#include "TestDatabase.h"
#include "data/Schema.h"
#include "demo/DateShift.h"
#include "demo/Photos.h"
#include "frontdesk/CheckIn.h"
#include "goods/Catalogue.h"
#include "goods/Categories.h"
#include "goods/Checkout.h"
#include "goods/Purchasing.h"
#include "goods/Quantities.h"
#include "goods/ShoppingList.h"
#include "members/Registration.h"
#include "security/Permissions.h"
#include "sms/SmsState.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>

using namespace tkd;
using tkd::test::s;

namespace {

demo::HallSize smallHall()
{
    demo::HallSize size;
    size.members = 40;
    size.visitsPerMember = 30;
    size.busiestVisits = 100;
    size.busyMembers = 4;
    return size;
}

qint64 count(TvelunDMForm& dm, const QString& statement, const Params& params = {})
{
    return dm.db().scalar(statement, params).toInt();
}

// How a column's value is stored: the engine's storage class, and for text that holds a date
// whether it is a bare date (midnight) or a moment; enough to tell a generated row from the program's.
QString storedForm(TvelunDMForm& dm, const QString& table, const QString& column, const QString& where)
{
    const ResultSet r = dm.db().select(
        QStringLiteral("select typeof([%2]) as [kind], [%2] as [v] from [%1] where %3").arg(table, column, where));
    if (r.rowCount() == 0)
        return QStringLiteral("no row");
    const QString kind = r.value(0, QStringLiteral("kind")).toText();
    const Value v = r.value(0, QStringLiteral("v"));
    if (v.type() == ValueType::DateTime)
        return kind + (v.toDateTime().time() == QTime(0, 0) ? QStringLiteral(" date") : QStringLiteral(" moment"));
    return kind;
}

QStringList formsOf(TvelunDMForm& dm, const QString& table, const QString& where)
{
    QStringList forms;
    for (const schema::ColumnDef& column : schema::findTable(table)->columns)
        forms << column.name + QLatin1Char('=') + storedForm(dm, table, column.name, where);
    return forms;
}

// One hall for the tests that only read it; a test that writes makes its own.
class DemoHallTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_db = new test::TestDatabase;
        demo::generate(s_db->dm(), smallHall(), today(), [](int index, const QString& card) {
            return index % 3 == 2 ? QString() : QStringLiteral("/photos/%1.jpg").arg(card);
        });
    }
    static void TearDownTestSuite()
    {
        delete s_db;
        s_db = nullptr;
    }

    static QDate today() { return test::fixedMoment().date(); }
    qint64 count(const QString& statement, const Params& params = {}) { return ::count(dm(), statement, params); }
    qint64 rows(const QString& table) { return count(QStringLiteral("select count(*) from [%1]").arg(table)); }
    Params onToday() { return {{QStringLiteral("today"), today()}}; }
    TvelunDMForm& dm() { return s_db->dm(); }
    QStringList busyCards()
    {
        return dm()
            .list(s(u"select [会员卡号] from [会员信息] where [刷卡次数]=100 order by [会员卡号]"))
            .texts(s(u"会员卡号"));
    }

    static test::TestDatabase* s_db;
};

test::TestDatabase* DemoHallTest::s_db = nullptr;

} // namespace

TEST_F(DemoHallTest, SmallHallHasTheDocumentedCounts)
{
    EXPECT_EQ(rows(s(u"会员信息")), 40);
    EXPECT_EQ(rows(s(u"会员登记")), 40 * 30);
    EXPECT_EQ(rows(s(u"会员卡类型")), 8);
    EXPECT_EQ(rows(s(u"衣柜设置")), 40 / 4 + 4);
    EXPECT_EQ(rows(s(u"事件提醒")), 40 / 10 + 4);
    EXPECT_EQ(count(s(u"select count(*) from [员工设置] where [职务]='会籍顾问'")), 2);
    EXPECT_EQ(count(s(u"select count(*) from [员工设置] where [职务]='前台'")), 1);
    // Every member paid at least for the first card.
    EXPECT_GE(rows(s(u"会员充值")), 40);
    for (const char16_t* table : {u"会员消费", u"金额记录", u"会员请假", u"兑换商品", u"购买私教", u"私教消费",
                                  u"衣柜出租", u"私教项目", u"报考级别", u"商品进退单"})
        EXPECT_GT(rows(s(table)), 0) << s(table).toStdString();
}

TEST_F(DemoHallTest, CardTypesCoverEveryKind)
{
    EXPECT_EQ(count(s(u"select count(*) from [会员卡类型] where [有效次数]>0")), 2) << "two count cards";
    EXPECT_EQ(count(s(u"select count(*) from [会员卡类型] where [有效次数]=0 and [有效天数]=0")), 1)
        << "one card that never expires";
    for (int days : {30, 90, 365})
        EXPECT_GE(count(s(u"select count(*) from [会员卡类型] where [有效天数]=:d and [时间段类型]=0"),
                        {{QStringLiteral("d"), days}}),
                  1)
            << days << "-day card";
    EXPECT_EQ(count(s(u"select count(*) from [会员卡类型] where [是否有时间段]<>0 and [时间段类型]=1 and "
                      u"[时间1]='08:00' and [时间2]='10:00'")),
              1);
    EXPECT_EQ(count(s(u"select count(*) from [会员卡类型] where [是否有时间段]<>0 and [时间段类型]=2 and "
                      u"[时间3]='1010100'")),
              1);
}

TEST_F(DemoHallTest, FirstMemberHasExactlyTheBusiestVisits)
{
    EXPECT_EQ(count(s(u"select count(*) from [会员登记] where [会员卡号]='000001'")), 100);
    EXPECT_EQ(count(s(u"select count(*) from [会员信息] where length([会员卡号])<>6")), 0);
}

TEST_F(DemoHallTest, EveryMemberNamesAnExistingCardType)
{
    EXPECT_EQ(
        count(s(u"select count(*) from [会员信息] where [会员类型] not in (select [类型名称] from [会员卡类型])")), 0);
}

TEST_F(DemoHallTest, EveryRowOfAMemberTableBelongsToAMember)
{
    for (const char16_t* table : {u"会员登记", u"会员充值", u"会员消费", u"会员请假", u"事件提醒", u"金额记录",
                                  u"兑换商品", u"购买私教", u"私教消费", u"衣柜出租"}) {
        EXPECT_EQ(count(QStringLiteral("select count(*) from [%1] where [会员卡号] not in (select [会员卡号] from "
                                       "[会员信息])")
                            .arg(s(table))),
                  0)
            << s(table).toStdString();
    }
    EXPECT_EQ(count(s(u"select count(*) from [会员信息] where [衣柜编号]<>'' and [衣柜编号] not in (select [衣柜编号] "
                      u"from [衣柜设置] where [状态]='已租' and [会员卡号]=[会员信息].[会员卡号])")),
              0)
        << "a member's locker is rented to that member";
}

TEST_F(DemoHallTest, CountersMatchTheRowsWritten)
{
    EXPECT_EQ(count(s(u"select count(*) from [会员信息] m where m.[刷卡次数]<>(select count(*) from [会员登记] v "
                      u"where v.[会员卡号]=m.[会员卡号]) or m.[完成课时]<>m.[刷卡次数]")),
              0);
    EXPECT_EQ(count(s(u"select count(*) from [会员信息] m where abs(m.[消费总额]-(select coalesce(sum([总金额]),0) "
                      u"from [会员消费] x where x.[会员卡号]=m.[会员卡号]))>0.001")),
              0);
    EXPECT_EQ(count(s(u"select count(*) from [会员信息] m where abs(m.[卡内余额]-((select coalesce(sum([充值金额]),0) "
                      u"from [会员充值] c where c.[会员卡号]=m.[会员卡号] and c.[充值说明]='会员交费')-(select "
                      u"coalesce(sum([储值卡]),0) from [金额记录] j where j.[会员卡号]=m.[会员卡号])))>0.001 or "
                      u"m.[卡内余额]<0")),
              0);
    EXPECT_EQ(count(s(u"select count(*) from [会员信息] where [有效次数]<0 or [剩余课时]<0")), 0);
    // Points: one per ten yuan of each checkout (the seeded rate), less the points exchanged.
    EXPECT_EQ(
        count(s(u"select count(*) from [会员信息] m where m.[会员积分]<>coalesce((select sum(cast([储值卡]+[现金]"
                u"+[信用卡] as integer)/10) from [金额记录] j where j.[会员卡号]=m.[会员卡号]),0)-coalesce((select "
                u"sum([兑换积分]) from [兑换商品] e where e.[会员卡号]=m.[会员卡号]),0)")),
        0);
}

TEST_F(DemoHallTest, StockAndPackagesAddUp)
{
    EXPECT_EQ(
        count(
            s(u"select count(*) from [商品信息] g where [是否计库存]<>0 and abs([数量]-(select coalesce(sum([数量]),0) "
              u"from [商品进退单] l where l.[商品编号]=g.[商品编号]))>0.001")),
        0)
        << "the stock is what the ledger says";
    EXPECT_EQ(count(s(u"select count(*) from [商品信息] g where [是否计库存]<>0 and abs([销售总数]+(select "
                      u"coalesce(sum([数量]),0) from [商品进退单] l where l.[商品编号]=g.[商品编号] and "
                      u"l.[状态说明]='商品销售'))>0.001")),
              0);
    EXPECT_EQ(count(s(u"select count(*) from [商品信息] where [是否计库存]=0 and [销售总数]<>0")), 0)
        << "goods not counted in stock keep no sales total";
    EXPECT_EQ(count(s(u"select count(*) from [商品信息] where [数量]<0")), 0);
    EXPECT_EQ(
        count(s(u"select count(*) from [购买私教] p where p.[剩余数量]<>p.[数量]-(select coalesce(sum([消费数量]),"
                u"0) from [私教消费] c where c.[会员卡号]=p.[会员卡号] and c.[教练]=p.[教练姓名] and "
                u"c.[项目名称]=p.[项目名称]) or p.[剩余数量]<0")),
        0);
    EXPECT_EQ(count(s(u"select count(*) from [私教消费] c join [购买私教] p on p.[会员卡号]=c.[会员卡号] where "
                      u"c.[消费日期]<=p.[购买日期] or (p.[有效日期] is not null and c.[消费日期]>p.[有效日期])")),
              0)
        << "lessons fall after the purchase and within its validity";
    EXPECT_EQ(count(s(u"select count(*) from [兑换商品] where [兑换积分]>[会员积分]")), 0)
        << "nobody spends points they do not have";
}

TEST_F(DemoHallTest, CategoryTreeIsThreeDeepWithEveryItemInALeaf)
{
    const std::vector<TreeNode> tree = goods::categoryTree(dm());
    ASSERT_EQ(qint64(tree.size()), rows(s(u"商品类别")) + 1) << "every category is drawn under 所有类别";
    auto depth = [&](int node) {
        int d = 0;
        for (; tree[size_t(node)].parent >= 0; node = tree[size_t(node)].parent)
            ++d;
        return d;
    };
    auto path = [&](int node) {
        QStringList names;
        for (; node > 0; node = tree[size_t(node)].parent)
            names.prepend(tree[size_t(node)].text);
        return names.join(QLatin1Char('>'));
    };
    QStringList paths;
    int deepest = 0;
    for (int n = 1; n < int(tree.size()); ++n) {
        deepest = std::max(deepest, depth(n));
        paths << path(n);
    }
    EXPECT_EQ(deepest, 3);
    for (const char16_t* wanted : {u"服装>道服>儿童道服", u"服装>道服>成人道服", u"护具>全身护具>比赛护具",
                                   u"饮料>运动饮料>功能饮料", u"服务项目>康复理疗>理疗按摩"})
        EXPECT_TRUE(paths.contains(s(wanted))) << s(wanted).toStdString();
    for (const int top : tree[0].children) {
        bool reachesThird = false;
        for (int n = 1; n < int(tree.size()); ++n)
            reachesThird = reachesThird || (depth(n) == 3 && path(n).startsWith(tree[size_t(top)].text + u'>'));
        EXPECT_TRUE(reachesThird) << tree[size_t(top)].text.toStdString() << " has three levels";
    }

    // Every item but the system one sits in a leaf that exists, carrying that leaf's name.
    const ResultSet items =
        dm().list(s(u"select [商品编号],[商品类别],[父结点] from [商品信息] where [商品编号]<>'000000'"));
    ASSERT_GE(items.rowCount(), 10);
    for (int row = 0; row < items.rowCount(); ++row) {
        const QString code = items.value(row, s(u"商品编号")).toText();
        const qint64 parent = items.value(row, s(u"父结点")).toInt();
        const auto node = std::find_if(tree.begin() + 1, tree.end(), [&](const TreeNode& n) { return n.id == parent; });
        ASSERT_NE(node, tree.end()) << code.toStdString() << "'s category exists";
        EXPECT_TRUE(node->children.empty()) << code.toStdString() << " is in a leaf";
        EXPECT_EQ(depth(int(node - tree.begin())), 3) << code.toStdString();
        EXPECT_EQ(items.value(row, s(u"商品类别")).toText(), node->text) << code.toStdString();
    }
    EXPECT_EQ(count(s(u"select count(*) from [商品信息] where [商品编号]='000000' and [商品名称]='积分换会籍'")), 1)
        << "the system item stays as seeded";
}

// Per stock-counted item, read back from the ledger in the order it was written.
struct LedgerTotals {
    goods::Quantity stock;
    goods::Quantity sold;
    goods::Quantity lowest;
    int rows = 0;
};

TEST_F(DemoHallTest, StockAndSalesTotalsAreWhatTheLedgerSays)
{
    std::map<QString, LedgerTotals> ledger;
    const ResultSet moves = dm().list(s(u"select [商品编号],[状态说明],[数量] from [商品进退单] order by rowid"));
    for (int row = 0; row < moves.rowCount(); ++row) {
        LedgerTotals& item = ledger[moves.value(row, s(u"商品编号")).toText()];
        const goods::Quantity q = goods::Quantity::fromStored(moves.value(row, s(u"数量")).toDouble());
        item.stock = item.stock + q;
        item.lowest = std::min(item.lowest, item.stock);
        const QString kind = moves.value(row, s(u"状态说明")).toText();
        if (kind == s(u"商品销售") || kind == s(u"商品退货"))
            item.sold = item.sold - q;
        ++item.rows;
    }
    const ResultSet items =
        dm().list(s(u"select [商品编号],[数量],[销售总数],(select coalesce(sum([数量]),0) from [会员消费] x where "
                    u"x.[商品编号]=g.[商品编号]) as [售出] from [商品信息] g where [是否计库存]<>0"));
    ASSERT_GE(items.rowCount(), 8);
    int sold = 0;
    for (int row = 0; row < items.rowCount(); ++row) {
        const QString code = items.value(row, s(u"商品编号")).toText();
        const LedgerTotals& item = ledger[code];
        EXPECT_GE(item.rows, 1) << code.toStdString() << " has its opening stock in the ledger";
        EXPECT_EQ(goods::Quantity::fromStored(items.value(row, s(u"数量")).toDouble()), item.stock)
            << code.toStdString();
        EXPECT_EQ(goods::Quantity::fromStored(items.value(row, s(u"销售总数")).toDouble()), item.sold)
            << code.toStdString();
        // The sales rows are another table: the total sold must agree with them too.
        EXPECT_EQ(goods::Quantity::fromStored(items.value(row, s(u"售出")).toDouble()), item.sold)
            << code.toStdString();
        EXPECT_EQ(item.lowest, goods::Quantity()) << code.toStdString() << " is never sold out of stock";
        sold += item.sold.isZero() ? 0 : 1;
    }
    EXPECT_GE(sold, 4) << "most goods sell";
}

TEST_F(DemoHallTest, LedgerHoldsOpeningStockPurchasesAReturnSalesAndExchanges)
{
    // The catalogue was set up on the ledger's first day, at least 400 days ago and before the first member joined.
    const QDate setup = dm().db().scalar(s(u"select min([日期]) from [商品进退单]")).toDate();
    EXPECT_LE(setup, today().addDays(-400));
    EXPECT_LT(setup, dm().db().scalar(s(u"select min([加入时间]) from [会员信息]")).toDate());
    EXPECT_LT(setup, dm().db().scalar(s(u"select min([消费日期]) from [会员消费]")).toDate());
    const Params setupDay{{QStringLiteral("day"), setup}};
    // Opening stock: the first row of each counted item, on the day the hall was set up, at cost.
    EXPECT_EQ(
        count(s(u"select count(*) from [商品信息] g where [是否计库存]<>0 and not exists (select 1 from "
                u"[商品进退单] l where l.rowid=(select min(rowid) from [商品进退单] where [商品编号]=g.[商品编号]) "
                u"and l.[状态说明]='采购进货' and l.[日期]=:day and l.[数量]>0 and l.[单价]=g.[预设进价] and "
                u"l.[折扣率]=1 and abs(l.[总金额]-l.[单价]*l.[数量])<0.001)"),
              setupDay),
        0);
    EXPECT_EQ(count(s(u"select count(*) from [商品进退单] where [状态说明]='采购进货' and [日期]=:day"), setupDay),
              count(s(u"select count(*) from [商品信息] where [是否计库存]<>0")))
        << "one opening row per counted item";
    EXPECT_GE(count(s(u"select count(*) from [商品进退单] where [状态说明]='采购进货' and [日期]>:day"), setupDay), 2)
        << "purchases after the opening";
    EXPECT_EQ(count(s(u"select count(*) from [商品进退单] where [状态说明]='采购退货'")), 1);
    EXPECT_EQ(count(s(u"select count(*) from [商品进退单] l join [商品信息] g on g.[商品编号]=l.[商品编号] where "
                      u"l.[状态说明]='采购退货' and l.[数量]=-2 and l.[单价]=g.[预设进价] and l.[折扣率]=1 and "
                      u"abs(l.[总金额]-2*g.[预设进价])<0.001")),
              1)
        << "two units sent back, the amount positive";
    EXPECT_EQ(count(s(u"select count(*) from [商品进退单] l join [商品信息] g on g.[商品编号]=l.[商品编号] where "
                      u"l.[状态说明] in ('采购进货','采购退货') and (l.[单价]<>g.[预设进价] or l.[总金额]<=0 or "
                      u"abs(l.[总金额]-l.[单价]*abs(l.[数量]))>0.001)")),
              0)
        << "purchases and returns at cost, amounts positive";
    // Sales: one ledger row per sales row of a counted item, the amounts the negated line totals.
    EXPECT_EQ(count(s(u"select count(*) from [商品进退单] where [状态说明]='商品销售'")),
              count(s(u"select count(*) from [会员消费] x join [商品信息] g on g.[商品编号]=x.[商品编号] where "
                      u"g.[是否计库存]<>0")));
    EXPECT_EQ(count(s(u"select count(*) from [商品信息] g where abs(coalesce((select sum([总金额]) from [商品进退单] l "
                      u"where l.[商品编号]=g.[商品编号] and l.[状态说明]='商品销售'),0)+coalesce((select "
                      u"sum(case when g.[是否计库存]<>0 then [总金额] else 0 end) from [会员消费] x where "
                      u"x.[商品编号]=g.[商品编号]),0))>0.001")),
              0);
    // Exchanges: every exchanged item may be had for points, and takes its stock through the ledger
    // (membership days are priced by the hall's rate instead, and count no stock).
    EXPECT_EQ(count(s(u"select count(*) from [兑换商品] e join [商品信息] g on g.[商品编号]=e.[商品编号] where "
                      u"e.[商品编号]<>'000000' and (g.[是否兑换]=0 or e.[兑换积分]<>e.[数量]*g.[兑换积分])")),
              0);
    EXPECT_EQ(
        count(s(u"select count(*) from [商品信息] g where g.[是否计库存]<>0 and coalesce((select sum([数量]) from "
                u"[商品进退单] l where "
                u"l.[商品编号]=g.[商品编号] and l.[状态说明]='兑换商品'),0)+coalesce((select sum([数量]) from "
                u"[兑换商品] e where e.[商品编号]=g.[商品编号]),0)<>0")),
        0);
    EXPECT_GE(count(s(u"select count(*) from [商品信息] where [是否兑换]<>0 and [是否计库存]<>0 and [兑换积分]>0")), 2);
}

TEST_F(DemoHallTest, ServicesAreServedByStaffAndCountNoStock)
{
    EXPECT_GE(count(s(u"select count(*) from [商品信息] where [人工服务]<>0 and [是否计库存]=0 and [数量]=0 and "
                      u"[销售总数]=0")),
              3);
    EXPECT_EQ(count(s(u"select count(*) from [商品信息] where [人工服务]<>0 and [是否计库存]<>0")), 0);
    EXPECT_EQ(count(s(u"select count(*) from [商品进退单] l join [商品信息] g on g.[商品编号]=l.[商品编号] where "
                      u"g.[是否计库存]=0")),
              0);
    EXPECT_GE(count(s(u"select count(*) from [会员消费] x join [商品信息] g on g.[商品编号]=x.[商品编号] where "
                      u"g.[人工服务]<>0")),
              1)
        << "a service was sold";
    EXPECT_EQ(count(s(u"select count(*) from [会员消费] x join [商品信息] g on g.[商品编号]=x.[商品编号] where "
                      u"g.[人工服务]<>0 and x.[服务员工] not in (select [姓名] from [员工设置])")),
              0)
        << "each service line names who served it";
}

TEST_F(DemoHallTest, VisitsFallInsideTheCardsValidity)
{
    // The first visit opens the card; none comes on or after the expiry day, during a leave or outside the slot.
    EXPECT_EQ(count(s(u"select count(*) from [会员信息] m where m.[刷卡次数]>0 and substr(m.[开卡日期],1,10)<>(select "
                      u"substr(min([登记时间]),1,10) from [会员登记] v where v.[会员卡号]=m.[会员卡号])")),
              0);
    EXPECT_EQ(count(s(u"select count(*) from [会员登记] v join [会员信息] m on m.[会员卡号]=v.[会员卡号] where "
                      u"v.[登记时间]<m.[开卡日期] or v.[登记时间]>=date(:today,'+1 day') or (m.[到期日期] is not "
                      u"null and v.[登记时间]>=m.[到期日期])"),
                    onToday()),
              0);
    EXPECT_EQ(count(s(u"select count(*) from [会员登记] where [会员类型]='早场月卡' and "
                      u"(substr([登记时间],12,5)<'08:00' or substr([登记时间],12,5)>'09:59')")),
              0);
    EXPECT_EQ(count(s(u"select count(*) from [会员登记] where [会员类型]='一三五季卡' and strftime('%w',[登记时间]) "
                      u"not in ('1','3','5')")),
              0);
}

TEST_F(DemoHallTest, DatedRowsLieInTheFileInTimeOrder)
{
    // As a hall's file grows: each row written after the one before it in time.
    const std::pair<const char16_t*, const char16_t*> dated[] = {
        {u"会员登记", u"登记时间"}, {u"会员充值", u"充值日期"}, {u"会员消费", u"消费日期"}, {u"金额记录", u"日期"},
        {u"会员请假", u"请假日期"}, {u"购买私教", u"购买日期"}, {u"私教消费", u"消费日期"}, {u"兑换商品", u"兑换日期"},
        {u"衣柜出租", u"登记日期"}, {u"商品进退单", u"日期"},   {u"会员信息", u"加入时间"}};
    for (const auto& [table, column] : dated) {
        EXPECT_EQ(count(QStringLiteral("select count(*) from [%1] a join [%1] b on b.rowid=a.rowid+1 where "
                                       "b.[%2]<a.[%2]")
                            .arg(s(table), s(column))),
                  0)
            << s(table).toStdString();
    }
    EXPECT_GT(count(s(u"select count(distinct [会员卡号]) from [会员登记] where [会员卡号]<>'000001' and rowid between "
                      u"(select min(rowid) from [会员登记] where [会员卡号]='000001') and (select max(rowid) from "
                      u"[会员登记] where [会员卡号]='000001')")),
              0)
        << "members' visits are interleaved, not written member by member";
}

TEST_F(DemoHallTest, RowsAreWrittenByTheDesksOperatorsWithTheirRights)
{
    const QString desk = demo::deskOperatorName();
    EXPECT_FALSE(security::isSuperUser(desk));
    EXPECT_FALSE(security::checkPermission(dm(), desk, s(u"学员登记"))) << "the desk's operator may check members in";
    for (const char16_t* table : {u"会员登记", u"会员充值", u"会员消费", u"会员请假", u"私教消费"}) {
        const QString t = s(table);
        EXPECT_EQ(count(QStringLiteral("select count(*) from [%1] where [操作员] not in (select [操作人员] from "
                                       "[操作人员])")
                            .arg(t)),
                  0)
            << t.toStdString();
        EXPECT_GT(count(QStringLiteral("select count(*) from [%1] where [操作员]=:czy").arg(t),
                        {{QStringLiteral("czy"), desk}}),
                  0)
            << t.toStdString();
    }
}

TEST_F(DemoHallTest, BusyMembersHaveEveryKindOfHistory)
{
    const QStringList busy = busyCards();
    ASSERT_EQ(busy.size(), 4);
    const std::pair<const char16_t*, int> lists[] = {{u"会员充值", 2}, {u"会员消费", 2}, {u"金额记录", 2},
                                                     {u"会员请假", 1}, {u"购买私教", 1}, {u"私教消费", 1},
                                                     {u"兑换商品", 1}, {u"衣柜出租", 0}};
    for (const QString& card : busy) {
        for (const auto& [table, least] : lists)
            EXPECT_GE(count(QStringLiteral("select count(*) from [%1] where [会员卡号]=:hykh").arg(s(table)),
                            {{QStringLiteral("hykh"), card}}),
                      least)
                << card.toStdString() << ' ' << s(table).toStdString();
        EXPECT_GE(count(s(u"select count(*) from [购买私教] where [会员卡号]=:hykh and [剩余数量]>0"),
                        {{QStringLiteral("hykh"), card}}),
                  1)
            << card.toStdString() << " has lessons open on the desk's coaching list";
        EXPECT_EQ(count(s(u"select count(*) from [会员请假] where [会员卡号]=:hykh and [结束日期]>=:today"),
                        {{QStringLiteral("hykh"), card}, {QStringLiteral("today"), today()}}),
                  0)
            << card.toStdString() << "'s leave is over";
        EXPECT_EQ(count(s(u"select count(*) from [会员信息] where [会员卡号]=:hykh and [会员状态]='可用' and "
                          u"[到期日期]>date(:today,'+20 day')"),
                        {{QStringLiteral("hykh"), card}, {QStringLiteral("today"), today()}}),
                  1)
            << card.toStdString() << " can check in today";
    }
}

TEST_F(DemoHallTest, EveryStateTheDeskShowsIsPresent)
{
    EXPECT_GE(count(s(u"select count(*) from [会员请假] where [开始日期]<=:today and [结束日期]>=:today"), onToday()),
              1)
        << "a member on leave today";
    EXPECT_GE(count(s(u"select count(*) from [会员信息] where [开卡日期] is null and [刷卡次数]=0")), 1)
        << "a card never opened";
    EXPECT_GE(count(s(u"select count(*) from [会员信息] where [到期日期]<:today"), onToday()), 1) << "an expired card";
    EXPECT_GE(count(s(u"select count(*) from [会员信息] where [到期日期]>=:today and [到期日期]<=date(:today,'+7 "
                      u"day')"),
                    onToday()),
              1)
        << "a card expiring within a week";
    EXPECT_GE(count(s(u"select count(*) from [会员信息] where [会员状态]='禁用'")), 1);
    EXPECT_GE(count(s(u"select count(*) from [会员信息] where [会员生日]=:md"),
                    {{QStringLiteral("md"), today().toString(QStringLiteral("MM-dd"))}}),
              1);
    EXPECT_GE(count(s(u"select count(*) from [会员信息] where [会员生日]='00-00'")), 1);
    EXPECT_GE(count(s(u"select count(*) from [衣柜设置] where [状态]='已租' and [临时出租]=0 and [到期日期]>=:today "
                      u"and [到期日期]<=date(:today,'+7 day')"),
                    onToday()),
              1)
        << "a rented locker expiring within a week";
    EXPECT_GE(count(s(u"select count(*) from [衣柜设置] where [状态]='可用' and [会员卡号]=''")), 1);
    EXPECT_EQ(count(s(u"select count(*) from [衣柜设置] s where [状态]='已租' and not exists (select 1 from [衣柜出租] "
                      u"r where r.[编号]=s.[出租编号] and r.[衣柜编号]=s.[衣柜编号] and r.[会员卡号]=s.[会员卡号])")),
              0)
        << "every rented locker points at its rental";
}

TEST_F(DemoHallTest, LeaveExchangesPointsAndExpiriesAgree)
{
    const std::pair<const char*, test::hall::Checked> checks[] = {
        {"expiry", test::hall::expiriesFollowHistory(dm())},
        {"leave", test::hall::leavesFollowTheRules(dm())},
        {"points", test::hall::pointsRunLineByLine(dm())},
        {"membership days", test::hall::daysLinesFollowTheRate(dm())}};
    for (const auto& [what, checked] : checks)
        EXPECT_TRUE(checked.faults.isEmpty()) << what << ": " << checked.faults.join(u"; ").toStdString();
    EXPECT_GE(checks[0].second.rows, 20) << "members with an expiry";
    EXPECT_GE(checks[1].second.rows, 4) << "leaves";
    EXPECT_GE(checks[2].second.rows, 10) << "exchange lines";
    EXPECT_GE(checks[3].second.rows, 2) << "a few members bought membership days";
    EXPECT_GE(count(s(u"select count(*) from [会员请假] where [顺延天数]>0")), 3) << "leave that moved an expiry";
}

TEST_F(DemoHallTest, OneMemberIsOnLeaveTodayAndAnotherLeavesInThreeDays)
{
    const QDateTime now = test::fixedMoment();
    auto refusalOf = [&](const QString& card) {
        const auto member = frontdesk::readMember(dm(), card);
        EXPECT_TRUE(member.has_value()) << card.toStdString();
        const MaybeRefusal refusal = member ? frontdesk::eligibility(dm(), *member, now) : std::nullopt;
        return refusal ? refusal->message : QString();
    };
    const ResultSet onLeave =
        dm().list(s(u"select [会员卡号] from [会员请假] where [开始日期]<=:today and [结束日期]>=:today"), onToday());
    ASSERT_EQ(onLeave.rowCount(), 1);
    EXPECT_EQ(onLeave.value(0, 0).toText(), QStringLiteral("000007"));
    EXPECT_EQ(refusalOf(QStringLiteral("000007")), s(u"该会员今天请假，不能登记！"));

    // Recorded by today for the week from three days ahead; its seven days are already on the expiry.
    const ResultSet ahead = dm().list(s(u"select q.[会员卡号],q.[请假日期],q.[开始日期],q.[结束日期],q.[请假天数],"
                                        u"q.[顺延天数],m.[有效天数] from [会员请假] q join [会员信息] m on "
                                        u"m.[会员卡号]=q.[会员卡号] where q.[开始日期]>:today"),
                                      onToday());
    ASSERT_EQ(ahead.rowCount(), 1);
    const QString card = ahead.value(0, 0).toText();
    EXPECT_GT(card, QStringLiteral("000012")) << "not one of the fixed cases";
    EXPECT_LE(ahead.value(0, 1).toDate(), today());
    EXPECT_EQ(ahead.value(0, 2).toDate(), today().addDays(3));
    EXPECT_EQ(ahead.value(0, 3).toDate(), today().addDays(10));
    EXPECT_EQ(ahead.value(0, 4).toInt(), 7);
    EXPECT_EQ(ahead.value(0, 5).toInt(), 7);
    EXPECT_GT(ahead.value(0, 6).toInt(), 0) << "a day card, whose expiry the leave moved";
    EXPECT_EQ(refusalOf(card), QString()) << "may check in until the leave starts";
}

TEST_F(DemoHallTest, RemindersOfEveryKindAreDueToday)
{
    const QString day = today().toString(QStringLiteral("yyyy-MM-dd"));
    EXPECT_GE(count(s(u"select count(*) from [事件提醒] where [提醒类型]=0 and substr([提醒时间],1,10)=:d"),
                    {{QStringLiteral("d"), day}}),
              1);
    EXPECT_GE(count(s(u"select count(*) from [事件提醒] where [提醒类型]=1")), 1);
    EXPECT_GE(count(s(u"select count(*) from [事件提醒] where [提醒类型]=2 and cast(substr([提醒时间],1,2) as "
                      u"integer)=:d"),
                    {{QStringLiteral("d"), today().day()}}),
              1);
    EXPECT_GE(count(s(u"select count(*) from [事件提醒] where [提醒类型]=3 and substr([提醒时间],1,5)=:d"),
                    {{QStringLiteral("d"), today().toString(QStringLiteral("MM-dd"))}}),
              1);
}

TEST_F(DemoHallTest, DatesHaveTheFormsTheWindowsWrite)
{
    // Moments where a window writes "now", bare dates where it writes a date field or "today".
    const std::tuple<const char16_t*, const char16_t*, const char*> forms[] = {
        {u"会员消费", u"消费日期", "text moment"}, {u"金额记录", u"日期", "text moment"},
        {u"会员请假", u"请假日期", "text date"},   {u"会员请假", u"开始日期", "text date"},
        {u"购买私教", u"购买日期", "text date"},   {u"私教消费", u"消费日期", "text date"},
        {u"兑换商品", u"兑换日期", "text date"},   {u"商品进退单", u"日期", "text date"},
        {u"衣柜出租", u"登记日期", "text moment"}, {u"衣柜出租", u"截止日期", "text date"}};
    for (const auto& [table, column, form] : forms)
        EXPECT_EQ(
            storedForm(dm(), s(table), s(column), QStringLiteral("rowid=(select max(rowid) from [%1])").arg(s(table))),
            QString::fromLatin1(form))
            << s(table).toStdString() << '.' << s(column).toStdString();
}

TEST(DemoHallRows, VisitsAndMembersAreStoredAsTheDeskAndRegistrationStoreThem)
{
    test::TestDatabase db;
    demo::generate(db.dm(), smallHall(), QDate(2024, 3, 15));
    const QString desk = demo::deskOperatorName();
    ASSERT_TRUE(frontdesk::checkIn({db.dm(), desk, test::fixedMoment()}, QStringLiteral("000001")).ok());
    const QString byDesk = s(u"rowid=(select max(rowid) from [会员登记])");
    const QString generated = s(u"rowid=(select min(rowid) from [会员登记] where [会员卡号]='000001')");
    EXPECT_EQ(formsOf(db.dm(), s(u"会员登记"), generated), formsOf(db.dm(), s(u"会员登记"), byDesk));

    members::MemberInput input;
    input.cardNumber = QStringLiteral("900001");
    input.name = s(u"新学员");
    input.type = s(u"月卡");
    input.mobile = QStringLiteral("13900000000");
    input.joined = QDate(2024, 3, 15);
    input.visits = QStringLiteral("0");
    input.days = QStringLiteral("30");
    input.price = Money::fromYuan(300);
    input.birthMonth = QStringLiteral("5");
    input.birthDay = QStringLiteral("6");
    SmsState sms;
    ASSERT_TRUE(members::registerMember({db.dm(), desk, test::fixedMoment(), &sms}, input).ok());
    // The never-opened member of the fixed cases is in the state a registration leaves.
    EXPECT_EQ(formsOf(db.dm(), s(u"会员信息"), s(u"[会员卡号]='000002'")),
              formsOf(db.dm(), s(u"会员信息"), s(u"[会员卡号]='900001'")));
    EXPECT_EQ(formsOf(db.dm(), s(u"会员充值"), s(u"[会员卡号]='000002' and [备注]='添加会员时续费'")),
              formsOf(db.dm(), s(u"会员充值"), s(u"[会员卡号]='900001'")));
}

TEST(DemoHallRows, GoodsRowsAreStoredAsTheCatalogueCheckoutAndPurchasingStoreThem)
{
    test::TestDatabase db;
    demo::generate(db.dm(), smallHall(), QDate(2024, 3, 15));
    TvelunDMForm& dm = db.dm();
    const CommandContext desk{dm, demo::deskOperatorName(), test::fixedMoment()};
    const QString last = QStringLiteral("rowid=(select max(rowid) from [%1])");
    auto lastOf = [&](const char16_t* table) { return last.arg(s(table)); };
    // The generated row to hold against the program's own: the first of its kind.
    auto firstLedgerRow = [](const char16_t* kind, const char16_t* more = u"") {
        return QStringLiteral("rowid=(select min(rowid) from [商品进退单] where [状态说明]='%1'%2)")
            .arg(s(kind), s(more));
    };

    const qint64 leaf = dm.db().scalar(s(u"select [编号] from [商品类别] where [类别名称]='成人道服'")).toInt();
    ASSERT_TRUE(goods::addCategory(desk, leaf, s(u"新类别")).ok());
    EXPECT_EQ(formsOf(dm, s(u"商品类别"), s(u"[类别名称]='成人道服'")),
              formsOf(dm, s(u"商品类别"), lastOf(u"商品类别")));

    goods::ItemEntry item;
    item.categoryId = leaf;
    item.categoryName = s(u"成人道服");
    item.code = QStringLiteral("T0001");
    item.name = s(u"新道服");
    item.unit = s(u"套");
    item.purchasePrice = QStringLiteral("80");
    item.salePrice = QStringLiteral("160");
    item.counted = true;
    item.quantity = QStringLiteral("5");
    item.points = QStringLiteral("0");
    ASSERT_TRUE(goods::saveItem(desk, item).ok());
    EXPECT_EQ(formsOf(dm, s(u"商品信息"), s(u"[商品编号]='100001'")),
              formsOf(dm, s(u"商品信息"), s(u"[商品编号]='T0001'")));
    EXPECT_EQ(formsOf(dm, s(u"商品进退单"), firstLedgerRow(u"采购进货")),
              formsOf(dm, s(u"商品进退单"), lastOf(u"商品进退单")))
        << "opening stock";

    using goods::purchasing::Direction;
    for (const Direction direction : {Direction::Purchase, Direction::SupplierReturn}) {
        goods::purchasing::openWorkList(dm);
        ASSERT_TRUE(goods::purchasing::addLine(
                        desk, direction,
                        {QStringLiteral("100001"), s(u"成人道服"), s(u"套"), QStringLiteral("80"), QStringLiteral("2")})
                        .ok());
        ASSERT_TRUE(goods::purchasing::post(desk, direction).ok());
        const QString generated =
            direction == Direction::Purchase
                ? firstLedgerRow(u"采购进货", u" and [日期]>(select min([日期]) from [商品进退单])")
                : firstLedgerRow(u"采购退货");
        EXPECT_EQ(formsOf(dm, s(u"商品进退单"), generated), formsOf(dm, s(u"商品进退单"), lastOf(u"商品进退单")))
            << (direction == Direction::Purchase ? "purchase" : "supplier return");
    }

    goods::ShoppingList list(dm);
    list.clear();
    ASSERT_TRUE(list.add(QStringLiteral("100001"), QStringLiteral("1"), goods::Rate::fromHundredths(95)).ok());
    goods::CheckoutInput sale;
    sale.cardNumber = QStringLiteral("000001");
    sale.means = goods::PaymentMeans::StoredValue;
    ASSERT_TRUE(goods::checkout(desk, sale).ok());
    // A discounted line against a discounted line: the engine keeps a rate of 1 as a whole number.
    EXPECT_EQ(formsOf(dm, s(u"商品进退单"), firstLedgerRow(u"商品销售", u" and [折扣率]=0.95")),
              formsOf(dm, s(u"商品进退单"), lastOf(u"商品进退单")))
        << "sale";
    EXPECT_EQ(formsOf(dm, s(u"会员消费"),
                      s(u"rowid=(select min(rowid) from [会员消费] where [商品编号] like '1%' and [折扣率]=0.95)")),
              formsOf(dm, s(u"会员消费"), lastOf(u"会员消费")));
    EXPECT_EQ(formsOf(dm, s(u"金额记录"), s(u"rowid=(select min(rowid) from [金额记录])")),
              formsOf(dm, s(u"金额记录"), lastOf(u"金额记录")));
}

TEST(DemoHallSizes, VisitsAddUpWhateverTheSize)
{
    struct Case {
        int members;
        int perMember;
        int busiest;
        qint64 expected;
    };
    // When the busiest member alone exceeds the average, the others get nothing.
    for (const Case& c : {Case{15, 3, 20, 45}, Case{30, 0, 7, 7}, Case{5, 100, 10, 500}}) {
        test::TestDatabase db;
        demo::HallSize size;
        size.members = c.members;
        size.visitsPerMember = c.perMember;
        size.busiestVisits = c.busiest;
        demo::generate(db.dm(), size, QDate(2024, 12, 31));
        EXPECT_EQ(db.db().scalar(s(u"select count(*) from [会员登记]")).toInt(), c.expected) << c.members;
        EXPECT_EQ(db.db().scalar(s(u"select [刷卡次数] from [会员信息] where [会员卡号]='000001'")).toInt(), c.busiest);
    }
}

TEST(DemoHallSizes, NoVisitFallsInsideALeave)
{
    // Few members with many visits each, so that a careless draw would land in the leave taken today.
    test::TestDatabase db;
    demo::HallSize size;
    size.members = 13;
    size.visitsPerMember = 100;
    size.busiestVisits = 10;
    demo::generate(db.dm(), size, QDate(2024, 3, 15));
    EXPECT_EQ(db.db()
                  .scalar(s(u"select count(*) from [会员请假] where [开始日期]<='2024-03-15' and "
                            u"[结束日期]>='2024-03-15'"))
                  .toInt(),
              1);
    EXPECT_EQ(db.db()
                  .scalar(s(u"select count(*) from [会员登记] v join [会员请假] q on q.[会员卡号]=v.[会员卡号] where "
                            u"v.[登记时间]>=q.[开始日期] and v.[登记时间]<date(q.[结束日期],'+1 day')"))
                  .toInt(),
              0);
}

TEST(DemoHallSizes, PhotosAreAskedForEachMemberByCardNumber)
{
    test::TestDatabase db;
    demo::HallSize size = smallHall();
    QStringList asked;
    demo::generate(db.dm(), size, QDate(2024, 3, 15), [&](int index, const QString& card) {
        asked << card;
        EXPECT_EQ(card, demo::cardNumber(index));
        return index % 2 == 0 ? QStringLiteral("/photos/%1.jpg").arg(card) : QString();
    });
    EXPECT_EQ(asked.size(), size.members);
    EXPECT_EQ(db.db().scalar(s(u"select [会员照片] from [会员信息] where [会员卡号]='000003'")).toText(),
              QStringLiteral("/photos/000003.jpg"));
    EXPECT_EQ(db.db().scalar(s(u"select count(*) from [会员信息] where [会员照片]=''")).toInt(), size.members / 2);
}

TEST(DemoHallSizes, SameInputsGiveTheSameRows)
{
    test::TestDatabase first;
    test::TestDatabase second;
    demo::generate(first.dm(), smallHall(), QDate(2024, 3, 15));
    demo::generate(second.dm(), smallHall(), QDate(2024, 3, 15));
    for (const schema::TableDef& table : schema::tables()) {
        if (table.scratch)
            continue;
        const QString select = QStringLiteral("select * from [%1] order by rowid").arg(table.name);
        const ResultSet a = first.db().select(select);
        const ResultSet b = second.db().select(select);
        ASSERT_EQ(a.rowCount(), b.rowCount()) << table.name.toStdString();
        for (int row = 0; row < a.rowCount(); ++row)
            for (int col = 0; col < a.columns().size(); ++col) {
                // A password hash is salted afresh each time by design.
                if (a.columns()[col] == u"操作密码")
                    continue;
                ASSERT_EQ(a.value(row, col), b.value(row, col))
                    << table.name.toStdString() << " row " << row << " column " << a.columns()[col].toStdString();
            }
    }
}

TEST(DemoHallSizes, BusyMembersEachGetTheBusiestCount)
{
    test::TestDatabase db;
    demo::HallSize size;
    size.members = 60;
    size.visitsPerMember = 20;
    size.busiestVisits = 90;
    size.busyMembers = 6;
    demo::generate(db.dm(), size, QDate(2024, 12, 31));
    EXPECT_EQ(db.db()
                  .scalar(s(u"select count(*) from (select [会员卡号] from [会员登记] group by [会员卡号] "
                            u"having count(*)=90)"))
                  .toInt(),
              6);
    EXPECT_EQ(db.db().scalar(s(u"select count(*) from [会员登记]")).toInt(), 60 * 20);
}

TEST(DemoHallDates, ShiftingMovesEveryDateByTheDays)
{
    test::TestDatabase db;
    demo::generate(db.dm(), smallHall(), QDate(2024, 3, 15));
    auto value = [&](const char16_t* statement) { return db.db().scalar(s(statement)).toDateTime(); };
    const QDateTime firstVisit = value(u"select min([登记时间]) from [会员登记]");
    const QDateTime opened = value(u"select [开卡日期] from [会员信息] where [会员卡号]='000001'");
    const QDateTime leaveEnd = value(u"select max([结束日期]) from [会员请假]");
    const qint64 neverOpened = db.db().scalar(s(u"select count(*) from [会员信息] where [开卡日期] is null")).toInt();
    const QString monthly =
        db.db().scalar(s(u"select [提醒时间] from [事件提醒] where [提醒类型]=3 order by [编号]")).toText();
    const auto daysRemark = [&] {
        return db.db().scalar(s(u"select [备注] from [兑换商品] where [商品编号]='000000' order by [编号]")).toText();
    };
    const QString remark = daysRemark();
    const QDate reached = QDate::fromString(remark.right(10), QStringLiteral("yyyy-MM-dd"));
    ASSERT_TRUE(reached.isValid()) << "a days line names the expiry it reached: " << remark.toStdString();

    demo::shiftDates(db.dm(), 10);

    EXPECT_EQ(value(u"select min([登记时间]) from [会员登记]"), firstVisit.addDays(10));
    EXPECT_EQ(value(u"select [开卡日期] from [会员信息] where [会员卡号]='000001'"), opened.addDays(10));
    EXPECT_EQ(value(u"select max([结束日期]) from [会员请假]"), leaveEnd.addDays(10));
    EXPECT_EQ(db.db().scalar(s(u"select count(*) from [会员信息] where [开卡日期] is null")).toInt(), neverOpened);
    EXPECT_GE(db.db()
                  .scalar(s(u"select count(*) from [会员请假] where [开始日期]<='2024-03-25' and "
                            u"[结束日期]>='2024-03-25'"))
                  .toInt(),
              1)
        << "the member on leave on the day of making is on leave ten days later";
    EXPECT_EQ(db.db()
                  .scalar(s(u"select count(*) from [事件提醒] where [提醒类型]=0 and substr([提醒时间],1,10)="
                            u"'2024-03-25'"))
                  .toInt(),
              1)
        << "the one-off reminder due on the day of making is due ten days later";
    EXPECT_EQ(db.db().scalar(s(u"select [提醒时间] from [事件提醒] where [提醒类型]=3 order by [编号]")).toText(),
              monthly)
        << "a yearly reminder has no year to move";
    EXPECT_EQ(daysRemark(),
              remark.left(remark.size() - 10) + reached.addDays(10).toString(QStringLiteral("yyyy-MM-dd")))
        << "the expiry a days line reached moves with the expiry itself";

    demo::shiftDates(db.dm(), -10);
    EXPECT_EQ(value(u"select min([登记时间]) from [会员登记]"), firstVisit);
    EXPECT_EQ(daysRemark(), remark);
}

TEST(DemoHallPhotos, AreJpegIdPhotosTheSameForTheSameSeed)
{
    QTemporaryDir folder;
    const QString a = folder.filePath(QStringLiteral("a.jpg"));
    const QString b = folder.filePath(QStringLiteral("b.jpg"));
    const QString c = folder.filePath(QStringLiteral("c.jpg"));
    ASSERT_TRUE(demo::writePhoto(a, 7));
    ASSERT_TRUE(demo::writePhoto(b, 7));
    ASSERT_TRUE(demo::writePhoto(c, 8));
    auto bytes = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray data = bytes(a);
    ASSERT_TRUE(data.startsWith("\xFF\xD8")) << "a JPEG file";
    // The baseline frame header (FF C0) holds the height, then the width.
    const qsizetype frame = data.indexOf("\xFF\xC0");
    ASSERT_GT(frame, 0);
    auto word = [&](qsizetype at) { return (uchar(data[at]) << 8) | uchar(data[at + 1]); };
    EXPECT_EQ(word(frame + 5), 413);
    EXPECT_EQ(word(frame + 7), 295);
    // Grain like a camera's: far larger than a flat drawing would compress to.
    EXPECT_GT(data.size(), 15000);
    EXPECT_EQ(data, bytes(b));
    EXPECT_NE(data, bytes(c));
    EXPECT_FALSE(demo::writePhoto(folder.filePath(QStringLiteral("missing/folder/d.jpg")), 1));
}
