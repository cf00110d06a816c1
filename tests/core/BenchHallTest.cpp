#include "demo/BenchHall.h"
#include "TestDatabase.h"
#include "data/Paths.h"
#include "data/TvelunDMForm.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tkd;
using tkd::test::s;

namespace {

demo::HallSize tinyHall()
{
    demo::HallSize size;
    size.members = 20;
    size.visitsPerMember = 5;
    size.busiestVisits = 30;
    return size;
}

// A bench folder: the hall file and its photo folder, made and prepared as the benchmark does.
class BenchHallTest : public ::testing::Test {
protected:
    QString file() const { return m_folder.filePath(QStringLiteral("hall.cld")); }
    QString photos() const { return m_folder.filePath(QStringLiteral("hall.cld.photos")); }
    demo::Preparation prepare(const QDate& today, bool regenerate = false)
    {
        return demo::prepareHall(m_dm, file(), photos(), tinyHall(), today, regenerate);
    }
    // Rewrites the file's stamp as another generator would have left it.
    void stamp(const demo::Stamp& stamp)
    {
        m_dm.disconnect();
        Database db;
        db.open(file(), test::databaseKey());
        demo::writeStamp(db, stamp);
    }
    demo::Stamp stored()
    {
        m_dm.disconnect();
        Database db;
        db.open(file(), test::databaseKey());
        return demo::readStamp(db);
    }
    qint64 visits()
    {
        m_dm.disconnect();
        Database db;
        db.open(file(), test::databaseKey());
        return db.scalar(s(u"select count(*) from [会员登记]")).toInt();
    }

    QTemporaryDir m_folder;
    TvelunDMForm m_dm;
};

} // namespace

TEST(BenchHallStamp, KeepsTheVersionAndTheDay)
{
    // 2026-12-09 is Julian day 2,461,384: version 4 and 61,384 days after the base day.
    EXPECT_EQ(demo::encodeStamp({4, QDate(2026, 12, 9)}), 40061384);
    const demo::Stamp back = demo::decodeStamp(40061384);
    EXPECT_EQ(back.version, 4);
    EXPECT_EQ(back.day, QDate(2026, 12, 9));
    EXPECT_EQ(demo::decodeStamp(0).version, 0) << "a file without a stamp";
}

TEST(BenchHallSize, LeaveAndExchangesFollowTheMembersUnlessGiven)
{
    demo::HallSize size;
    size.members = 1000;
    const demo::HallSize bench = demo::withLeaveAndExchanges(size);
    EXPECT_EQ(bench.leaves, 1000) << "a leave per member";
    EXPECT_EQ(bench.exchanges, 2000) << "two exchanges per member";
    EXPECT_EQ(bench.busiestLeaves, 20);
    EXPECT_EQ(bench.exchangeableGoods, 50);
    EXPECT_EQ(bench.members, 1000);
    size.leaves = 7;
    size.exchanges = 9;
    const demo::HallSize given = demo::withLeaveAndExchanges(size);
    EXPECT_EQ(given.leaves, 7);
    EXPECT_EQ(given.exchanges, 9);
}

TEST_F(BenchHallTest, AMissingFileIsGeneratedAndStampedWithToday)
{
    const demo::Preparation done = prepare(QDate(2025, 6, 1));
    EXPECT_TRUE(done.refusal.isEmpty());
    EXPECT_TRUE(done.generated);
    EXPECT_EQ(done.why, QStringLiteral("no file"));
    EXPECT_EQ(stored().version, demo::kBenchFileVersion);
    EXPECT_EQ(stored().day, QDate(2025, 6, 1));
    EXPECT_EQ(visits(), 20 * 5);
    // The bench's leave and exchanges: the busiest member's twenty leaves, and goods lines beyond the 21
    // a demo hall of twenty members can have (two for its busy member, one for each other).
    m_dm.disconnect();
    Database db;
    db.open(file(), test::databaseKey());
    EXPECT_EQ(db.scalar(s(u"select count(*) from [会员请假] where [会员卡号]='000001'")).toInt(), 20);
    const qint64 lines = db.scalar(s(u"select count(*) from [兑换商品] where [商品编号]<>'000000'")).toInt();
    EXPECT_GT(lines, 21);
    EXPECT_LE(lines, 40) << "two a member asked for";
}

TEST_F(BenchHallTest, AFileOfAnotherVersionIsRefusedAndLeftAsItIs)
{
    prepare(QDate(2025, 6, 1));
    const qint64 rows = visits();
    for (const int version : {0, 3, 4, demo::kBenchFileVersion + 1}) {
        stamp({version, QDate(2025, 5, 20)});
        const QDateTime modified = QFileInfo(file()).lastModified();
        const demo::Preparation done = prepare(QDate(2025, 6, 1));
        EXPECT_TRUE(done.refusal.contains(QStringLiteral("use a new --file"))) << done.refusal.toStdString();
        EXPECT_TRUE(done.refusal.contains(QString::number(version))) << "names the file's version";
        EXPECT_FALSE(done.generated);
        EXPECT_EQ(done.shiftedDays, 0);
        EXPECT_EQ(stored().version, version) << "neither regenerated nor stamped anew";
        // A file without a stamp has no day either.
        EXPECT_EQ(stored().day, version == 0 ? QDate() : QDate(2025, 5, 20));
        EXPECT_EQ(visits(), rows);
        EXPECT_EQ(QFileInfo(file()).lastModified(), modified) << "the file is not written to";
    }
}

TEST_F(BenchHallTest, AnOlderFileIsMadeAnewOnlyWhenAskedFor)
{
    prepare(QDate(2025, 6, 1));
    stamp({3, QDate(2025, 5, 20)});
    const demo::Preparation done = prepare(QDate(2025, 6, 2), true);
    EXPECT_TRUE(done.refusal.isEmpty());
    EXPECT_TRUE(done.generated);
    EXPECT_EQ(done.why, QStringLiteral("asked for"));
    EXPECT_EQ(stored().version, demo::kBenchFileVersion);
    EXPECT_EQ(stored().day, QDate(2025, 6, 2));
}

TEST_F(BenchHallTest, AFileOfThisVersionMadeEarlierHasItsDatesMovedToToday)
{
    prepare(QDate(2025, 6, 1));
    m_dm.disconnect();
    const auto lastVisit = [this] {
        m_dm.disconnect();
        Database db;
        db.open(file(), test::databaseKey());
        return db.scalar(s(u"select max([登记时间]) from [会员登记]")).toDateTime();
    };
    const QDateTime before = lastVisit();
    const demo::Preparation done = prepare(QDate(2025, 6, 11));
    EXPECT_TRUE(done.refusal.isEmpty());
    EXPECT_FALSE(done.generated);
    EXPECT_EQ(done.shiftedDays, 10);
    EXPECT_EQ(lastVisit(), before.addDays(10));
    EXPECT_EQ(stored().day, QDate(2025, 6, 11));

    const demo::Preparation again = prepare(QDate(2025, 6, 11));
    EXPECT_EQ(again.shiftedDays, 0) << "made today: nothing to move";
    EXPECT_EQ(lastVisit(), before.addDays(10));
}
