#include "db/Database.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tkd;

namespace {

// Commits go to the write-ahead log; the log is folded into the file when the program is idle, or at
// once when it has grown long.
class DatabaseLog : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.open(file(), QStringLiteral("k"), Database::OpenMode::CreateIfMissing);
        db.execute(QStringLiteral("create table [t] ([a] TEXT)"));
    }
    QString file() const { return QDir(dir.path()).filePath(QStringLiteral("log.cld")); }
    qint64 logBytes() const { return QFileInfo(file() + QStringLiteral("-wal")).size(); }
    // One commit of a row small enough to stay in its leaf page: a page or two of the log.
    void commitRow()
    {
        Transaction tx(db);
        db.execute(QStringLiteral("insert into [t] values (:a)"), {{QStringLiteral("a"), QString(300, QChar(u'档'))}});
        tx.commit();
    }

    QTemporaryDir dir;
    Database db;
};

TEST_F(DatabaseLog, ALongLogAsksOnceToBeFoldedAndAFoldStartsItAgain)
{
    int asked = 0;
    db.setLogLimits({20, 100000});
    db.setLogFullHandler([&] { ++asked; });
    for (int i = 0; i < 5; ++i)
        commitRow();
    EXPECT_EQ(asked, 0) << "five commits of a page or two stay under twenty pages";
    for (int i = 0; i < 30; ++i)
        commitRow();
    EXPECT_EQ(asked, 1) << "asked once, however many commits follow";
    EXPECT_EQ(db.logFolds().times, 0) << "nothing is folded until the program does it";

    ASSERT_TRUE(db.checkpoint());
    EXPECT_EQ(db.logFolds().times, 1);
    // The log is written from its start again: twenty more pages ask again.
    for (int i = 0; i < 30; ++i)
        commitRow();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from [t]")).toInt(), 65);
}

TEST_F(DatabaseLog, AFoldWaitsForTheOpenTransaction)
{
    Transaction tx(db);
    db.execute(QStringLiteral("insert into [t] values ('x')"));
    EXPECT_FALSE(db.checkpoint());
    EXPECT_EQ(db.logFolds().times, 0);
    tx.commit();
    EXPECT_TRUE(db.checkpoint());
}

TEST_F(DatabaseLog, NobodyFoldingItTheLogStillStaysShort)
{
    db.setLogLimits({10, 60});
    db.setLogFullHandler([] {}); // asked, never acts: no event loop runs here
    for (int i = 0; i < 300; ++i)
        commitRow();
    EXPECT_GE(db.logFolds().times, 3) << "folded at once each time it reached 60 pages";
    // Each frame is a page and its 24-byte header after the log's 32-byte header; one commit past
    // the limit at most.
    EXPECT_LE(logBytes(), 32 + 64 * (Database::kPageSize + 24)) << logBytes();
    db.close();
    EXPECT_FALSE(QFileInfo::exists(file() + QStringLiteral("-wal"))) << "closing folds the log and removes it";
    Database again;
    again.open(file(), QStringLiteral("k"));
    EXPECT_EQ(again.scalar(QStringLiteral("select count(*) from [t]")).toInt(), 300);
}

} // namespace
