#include "data/ScratchList.h"
#include "TestDatabase.h"
#include "db/DbError.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace tkd;

namespace {

using test::s;

// The visitor-flow list, counted per card over a period, as the visit statistics fill it.
class ScratchListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        visit(u"1001", QDateTime(QDate(2024, 3, 1), QTime(9, 0)));
        visit(u"1001", QDateTime(QDate(2024, 3, 2), QTime(18, 30)));
        visit(u"1002", QDateTime(QDate(2024, 3, 2), QTime(19, 0)));
        visit(u"1001", QDateTime(QDate(2024, 3, 31), QTime(23, 59, 59)));
        visit(u"1003", QDateTime(QDate(2024, 4, 1), QTime(0, 0)));
        // What an earlier query left in the list.
        flow.refill({s(u"统计时间"), s(u"客流量")}, {{s(u"旧的"), 9}, {s(u"更旧的"), 4}});
    }
    void visit(const char16_t* card, const QDateTime& when)
    {
        db.dm().change(s(u"insert into [会员登记] ([会员卡号],[会员姓名],[上课次数],[登记时间],[操作员]) "
                         u"values (:hykh,'学员',1,:djsj,'超级用户')"),
                       {{QStringLiteral("hykh"), QString::fromUtf16(card)}, {QStringLiteral("djsj"), when}});
    }
    // "key=count" per row, in key order.
    QStringList rows()
    {
        const ResultSet result = db.dm().open(QStringLiteral("ADODS_tjfx"));
        QStringList lines;
        for (int row = 0; row < result.rowCount(); ++row)
            lines << result.value(row, s(u"统计时间")).toText() + QLatin1Char('=') +
                         result.value(row, s(u"客流量")).toText();
        lines.sort();
        return lines;
    }
    qint64 refillForMarch()
    {
        return flow.refill(s(u"insert into [统计分析] ([统计时间],[客流量]) select [会员卡号],count(*) from [会员登记] "
                             u"where [登记时间]>=:rq1 and [登记时间]<=:rq2 group by [会员卡号]"),
                           {{QStringLiteral("rq1"), QDateTime(QDate(2024, 3, 1), QTime(0, 0))},
                            {QStringLiteral("rq2"), QDateTime(QDate(2024, 3, 31), QTime(23, 59, 59))}});
    }

    test::TestDatabase db;
    ScratchList flow{db.dm(), s(u"统计分析")};
};

TEST_F(ScratchListTest, RefillFromASelectReplacesWhatWasThere)
{
    ASSERT_EQ(rows(), (QStringList{s(u"旧的=9"), s(u"更旧的=4")}));
    // March holds three visits of 1001 (the last at 23:59:59 on the 31st) and one of 1002.
    EXPECT_EQ(refillForMarch(), 2);
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("1001=3"), QStringLiteral("1002=1")}));
    EXPECT_EQ(refillForMarch(), 2) << "a second refill does not add to the first";
    EXPECT_EQ(flow.rowCount(), 2);
}

TEST_F(ScratchListTest, RefillFromRowsAndFromAFunction)
{
    EXPECT_EQ(flow.refill({s(u"客流量"), s(u"统计时间")}, {{7, s(u"男")}, {5, s(u"女")}, {1, s(u"保密")}}), 3);
    EXPECT_EQ(rows(), (QStringList{s(u"保密=1"), s(u"女=5"), s(u"男=7")})) << "values go to the columns named";

    flow.refill([](TvelunDMForm& dm) {
        for (const char16_t* month : {u"03月", u"04月"})
            dm.change(s(u"insert into [统计分析] ([统计时间],[客流量]) values (:k,1)"),
                      {{QStringLiteral("k"), QString::fromUtf16(month)}});
        dm.change(s(u"update [统计分析] set [客流量]=[客流量]+1 where [统计时间]='03月'"));
    });
    EXPECT_EQ(flow.rowCount(), 2);
    EXPECT_EQ(rows(), (QStringList{s(u"03月=2"), s(u"04月=1")}));

    flow.clear();
    EXPECT_EQ(flow.rowCount(), 0);
    EXPECT_TRUE(rows().isEmpty());
}

TEST_F(ScratchListTest, AFailedRefillLeavesTheListAsItWas)
{
    const QStringList before{s(u"旧的=9"), s(u"更旧的=4")};

    EXPECT_THROW(flow.refill(s(u"insert into [统计分析] ([统计时间],[客流量]) select [没有这列],1 from [会员登记]")),
                 DbError)
        << "the engine fails after the old rows were deleted";
    EXPECT_EQ(rows(), before);

    EXPECT_THROW(flow.refill([](TvelunDMForm& dm) {
        dm.change(s(u"insert into [统计分析] ([统计时间],[客流量]) values ('半途',1)"));
        throw std::runtime_error("stopped half-way");
    }),
                 std::runtime_error);
    EXPECT_EQ(rows(), before) << "rows written before the failure are undone too";

    EXPECT_THROW(flow.refill({s(u"统计时间"), s(u"客流量")}, {{s(u"甲"), 1}, {s(u"乙")}}), DbError)
        << "a short row is refused";
    EXPECT_THROW(flow.refill({s(u"统计时间"), s(u"人数")}, {{s(u"甲"), 1}}), DbError) << "an unknown column is refused";
    EXPECT_THROW(flow.refill(s(u"insert into [会员最近来访] ([会员卡号]) values ('1001')")), DbError)
        << "a statement for another table is refused";
    EXPECT_EQ(rows(), before);
    EXPECT_EQ(db.db().transactionDepth(), 0) << "no transaction is left open";
}

TEST_F(ScratchListTest, AFailedRefillInsideACommandUndoesOnlyItself)
{
    Transaction tx(db.db());
    visit(u"1004", QDateTime(QDate(2024, 3, 20), QTime(10, 0)));
    EXPECT_THROW(flow.refill(s(u"insert into [统计分析] ([统计时间]) select [没有这列] from [会员登记]")), DbError);
    EXPECT_EQ(refillForMarch(), 3) << "the command's own visit, written before, counts";
    tx.commit();
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("1001=3"), QStringLiteral("1002=1"), QStringLiteral("1004=1")}));
}

TEST(ScratchList, OnlyScratchTablesAreEmptied)
{
    test::TestDatabase db;
    EXPECT_THROW(ScratchList(db.dm(), s(u"会员信息")), DbError) << "a business table is never a scratch list";
    EXPECT_THROW(ScratchList(db.dm(), s(u"没有这个表")), DbError);
    for (const char16_t* table : {u"临时会员登记", u"临时会员消费", u"选择商品", u"临时兑换商品", u"临时衣柜出租",
                                  u"临时事件提醒", u"每日提醒", u"会员提醒", u"选择学员", u"统计分析", u"会员最近来访"})
        EXPECT_NO_THROW(ScratchList(db.dm(), s(table)).clear()) << s(table).toStdString();
}

} // namespace
