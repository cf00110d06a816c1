#include "TestDatabase.h"
#include "db/Database.h"
#include "db/Dataset.h"
#include "db/DbError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

using namespace tkd;

namespace {

using test::s;

// Results past a few dozen rows are held packed; everything read from them must be what a small
// result of the same rows reads.
class LargeResult : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.open(QDir(dir.path()).filePath(QStringLiteral("l.cld")), QStringLiteral("k"),
                Database::OpenMode::CreateIfMissing);
        db.executeScript(s(u"create table [样本] ([卡号] TEXT COLLATE NOCASE UNIQUE, [名称] TEXT, [数量] INTEGER,"
                           u" [比率] NUMBER, [金额] MONEY, [是否] YESNO, [日期] DATETIME, [备注] TEXT);"
                           u" create table [原样] ([键] TEXT, [序] INTEGER)"));
    }
    // Row i of a varied table: every type, empty values, dates with and without a time, long texts.
    void fill(int rows)
    {
        Transaction tx(db);
        for (int i = 0; i < rows; ++i) {
            db.execute(s(u"insert into [样本] values (:kh,:mc,:sl,:bl,:je,:sf,:rq,:bz)"),
                       {{QStringLiteral("kh"), QStringLiteral("%1").arg(rows - i, 6, 10, QLatin1Char('0'))},
                        {QStringLiteral("mc"), i % 5 == 0 ? Value() : Value(s(u"会员") + QString::number(i % 37))},
                        {QStringLiteral("sl"), i % 7 == 0 ? Value() : Value(qint64(i) * 1000003)},
                        {QStringLiteral("bl"), i * 0.125},
                        {QStringLiteral("je"), Money::fromUnits(qint64(i) * 12345 - 50000)},
                        {QStringLiteral("sf"), i % 2 == 0},
                        {QStringLiteral("rq"),
                         i % 3 == 0 ? Value(QDate(2024, 1, 1).addDays(i))
                                    : Value(QDateTime(QDate(2023, 5, 6), QTime(7, 8, 9)).addSecs(i * 61))},
                        {QStringLiteral("bz"), i % 11 == 0 ? QString(300 + i % 13, QChar(u'长')) : QString()}});
        }
        tx.commit();
    }
    QTemporaryDir dir;
    Database db;
};

TEST_F(LargeResult, ReadsEveryCellAsASmallResultDoes)
{
    fill(1500);
    const QString all = s(u"select * from [样本] where [数量] is null or [数量]>=0");
    const ResultSet large = db.select(all);
    ASSERT_EQ(large.rowCount(), 1500);
    constexpr int kSlice = 50;
    static_assert(kSlice < ResultSet::Builder::kSmallRows);
    for (int from = 0; from < 1500; from += kSlice) {
        // The same rows in slices small enough to be held as values.
        const ResultSet slice = db.select(all + QStringLiteral(" limit %1 offset %2").arg(kSlice).arg(from));
        ASSERT_EQ(slice.rowCount(), kSlice);
        for (int r = 0; r < kSlice; ++r)
            for (int c = 0; c < slice.columns().size(); ++c)
                ASSERT_EQ(large.value(from + r, c), slice.value(r, c))
                    << "row " << from + r << " column " << slice.columns()[c].toStdString();
    }
    // Spot checks against hand-worked values, in case both forms were wrong alike.
    EXPECT_TRUE(large.value(1001, s(u"数量")).isNull()) << "1001 is a multiple of 7";
    EXPECT_EQ(large.value(1002, s(u"数量")).toInt(), 1002003006);
    EXPECT_EQ(large.value(1001, s(u"金额")).toMoney(), Money::fromUnits(12307345));
    EXPECT_EQ(large.value(1001, s(u"比率")).toDouble(), 125.125);
    EXPECT_EQ(large.value(999, s(u"日期")).toDateTime(), QDateTime(QDate(2026, 9, 26), QTime(0, 0)));
    EXPECT_EQ(large.value(1000, s(u"日期")).toDateTime(), QDateTime(QDate(2023, 5, 6), QTime(7, 8, 9)).addSecs(61000));
    EXPECT_EQ(large.value(1001, s(u"是否")).type(), ValueType::YesNo);
    EXPECT_FALSE(large.value(1001, s(u"是否")).toBool());
    EXPECT_EQ(large.value(1100, s(u"备注")).toText(), QString(300 + 1100 % 13, QChar(u'长')));
    EXPECT_TRUE(large.value(1000, s(u"名称")).isNull());
    EXPECT_EQ(large.value(1001, s(u"名称")).toText(), s(u"会员2"));
}

TEST_F(LargeResult, EditsFiltersAndColumnsWorkOnAPackedResult)
{
    fill(800);
    ResultSet r = db.select(s(u"select [卡号],[名称],[数量],[日期] from [样本] where [卡号]<>''"));
    ASSERT_EQ(r.rowCount(), 800);
    r.setRawValue(700, 2, Value(qint64(-5)));
    r.setRawValue(700, 1, Value(s(u"改名")));
    r.setRawValue(3, 3, Value());
    EXPECT_EQ(r.value(700, 2).toInt(), -5);
    EXPECT_EQ(r.value(700, 1).toText(), s(u"改名"));
    EXPECT_TRUE(r.value(3, 3).isNull());
    EXPECT_EQ(r.value(701, 1).toText(), s(u"会员35")) << "the next row is untouched by an edit before it";

    r.appendRawRow({Value(s(u"新卡")), Value(s(u"新人")), Value(qint64(9)), Value(QDate(2025, 2, 3))});
    ASSERT_EQ(r.rawRowCount(), 801);
    EXPECT_EQ(r.value(800, 0).toText(), s(u"新卡"));
    EXPECT_EQ(r.value(800, 3).toDateTime(), QDateTime(QDate(2025, 2, 3), QTime(0, 0)));

    const QString card10 = r.value(10, 0).toText();
    r.removeRawRow(9);
    EXPECT_EQ(r.rawRowCount(), 800);
    EXPECT_EQ(r.value(9, 0).toText(), card10);

    r.setFilter(s(u"[名称]='会员2'"));
    EXPECT_GT(r.rowCount(), 0);
    for (int i = 0; i < r.rowCount(); ++i)
        EXPECT_EQ(r.value(i, 1).toText(), s(u"会员2"));
    r.clearFilter();

    r.removeColumn(0);
    EXPECT_EQ(r.columns(), (QStringList{s(u"名称"), s(u"数量"), s(u"日期")}));
    EXPECT_EQ(r.value(699, 0).toText(), s(u"改名")) << "row 700 moved up one when row 9 went";
}

TEST_F(LargeResult, DatasetOfAWholeTableEditsTheRightRows)
{
    fill(700);
    Dataset ds(db, s(u"select * from [样本] order by [卡号]"));
    ASSERT_EQ(ds.rows().rowCount(), 700);
    EXPECT_EQ(ds.rows().value(0, s(u"卡号")).toText(), QStringLiteral("000001"));
    // Card 000001 was the last row written (i = 699).
    EXPECT_EQ(ds.rows().value(0, s(u"比率")).toDouble(), 699 * 0.125);
    ds.setValue(0, s(u"名称"), Value(s(u"首位")));
    EXPECT_EQ(db.scalar(s(u"select [名称] from [样本] where [卡号]='000001'")).toText(), s(u"首位"));
    EXPECT_EQ(db.scalar(s(u"select count(*) from [样本] where [名称]='首位'")).toInt(), 1);
}

// A whole table ordered by a text column is read as stored and ordered in memory; the order must be
// the engine's own, which a statement of another shape still gets from the engine.
TEST_F(LargeResult, OrderOfAWholeTableIsTheEnginesOrder)
{
    std::mt19937 random(11);
    const QStringList pieces{QStringLiteral("a"),
                             QStringLiteral("B"),
                             QStringLiteral("b"),
                             QStringLiteral("Z"),
                             QStringLiteral("_"),
                             QStringLiteral("0"),
                             s(u"张"),
                             s(u"é"),
                             s(u"😀"),
                             s(u"\uE000"),
                             QStringLiteral(" "),
                             QStringLiteral("~")};
    Transaction tx(db);
    for (int i = 0; i < 2000; ++i) {
        QString key;
        for (int n = static_cast<int>(random() % 4); n >= 0; --n)
            key += pieces[static_cast<int>(random() % static_cast<unsigned>(pieces.size()))];
        db.execute(
            s(u"insert into [原样] values (:k,:x)"),
            {{QStringLiteral("k"), random() % 17 == 0 ? Value() : Value(key)}, {QStringLiteral("x"), qint64(i)}});
    }
    tx.commit();
    db.executeScript(s(u"create index [ix_原样] on [原样] ([键] COLLATE NOCASE)"));
    db.executeScript(s(u"create table [无序] ([键] TEXT COLLATE NOCASE, [序] INTEGER);"
                       u" insert into [无序] select * from [原样]; create index [ix_无序] on [无序] ([键])"));

    const auto sequence = [](const ResultSet& r) {
        std::vector<qint64> order;
        for (int i = 0; i < r.rowCount(); ++i)
            order.push_back(r.value(i, s(u"序")).toInt());
        return order;
    };
    for (const char16_t* table : {u"原样", u"无序"}) {
        const QString name = QString::fromUtf16(table);
        const ResultSet here = db.select(QStringLiteral("select * from [%1] order by [键]").arg(name));
        const ResultSet engine =
            db.select(QStringLiteral("select * from [%1] where 1=1 order by [键], rowid").arg(name));
        ASSERT_EQ(here.rowCount(), 2000);
        EXPECT_EQ(sequence(here), sequence(engine)) << name.toStdString();
        EXPECT_TRUE(here.value(0, s(u"键")).isNull()) << "empty keys come first";
    }
}

} // namespace
