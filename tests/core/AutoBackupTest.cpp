#include "app/AutoBackup.h"
#include "TestDatabase.h"
#include "db/Database.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tkd;

namespace {

class AutoBackupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        backupDir = QDir(scratch.path()).filePath(QStringLiteral("clbak"));
        source = QDir(scratch.path()).filePath(QStringLiteral("tkd.cld"));
        writeFile(source, "first");
    }
    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray readFile(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir scratch;
    QString backupDir;
    QString source;
};

TEST_F(AutoBackupTest, NameCarriesTheDay)
{
    EXPECT_EQ(AutoBackup::fileNameFor(QDate(2024, 3, 15)), QStringLiteral("tkd240315.clb"));
    EXPECT_EQ(AutoBackup::fileNameFor(QDate(2031, 1, 2)), QStringLiteral("tkd310102.clb"));
}

TEST_F(AutoBackupTest, SecondExitOfTheDayOverwrites)
{
    const QDate today = QDate::currentDate();
    const AutoBackupResult first = AutoBackup::run(source, backupDir, today);
    ASSERT_TRUE(first.copied);
    writeFile(source, "second, longer");
    const AutoBackupResult second = AutoBackup::run(source, backupDir, today);
    ASSERT_TRUE(second.copied);
    EXPECT_EQ(first.target, second.target);
    EXPECT_EQ(readFile(second.target), QByteArray("second, longer"));
    EXPECT_EQ(QDir(backupDir).entryList(QDir::Files).size(), 1);
}

TEST_F(AutoBackupTest, RetentionKeepsThirtyDaysAndTouchesNothingElse)
{
    ASSERT_TRUE(QDir().mkpath(backupDir + QStringLiteral("/old.clb")));
    const QString old = QDir(backupDir).filePath(QStringLiteral("tkd240101.clb"));
    const QString other = QDir(backupDir).filePath(QStringLiteral("notes.txt"));
    const QString manual = QDir(backupDir).filePath(QStringLiteral("tkd.clb.bak"));
    writeFile(old, "x");
    writeFile(other, "x");
    writeFile(manual, "x");
    const QDate created = AutoBackup::creationDate(old);
    ASSERT_TRUE(created.isValid());

    EXPECT_TRUE(AutoBackup::removeExpired(backupDir, created.addDays(30)).isEmpty()) << "exactly 30 days old stays";
    EXPECT_TRUE(QFile::exists(old));

    EXPECT_EQ(AutoBackup::removeExpired(backupDir, created.addDays(31)), QStringList{QStringLiteral("tkd240101.clb")});
    EXPECT_FALSE(QFile::exists(old));
    EXPECT_TRUE(QFile::exists(other));
    EXPECT_TRUE(QFile::exists(manual));
    EXPECT_TRUE(QFileInfo(backupDir + QStringLiteral("/old.clb")).isDir()) << "folders are never removed";
}

TEST_F(AutoBackupTest, UnwritableFolderIsSkippedSilently)
{
    const QString blocker = QDir(scratch.path()).filePath(QStringLiteral("plain-file"));
    writeFile(blocker, "x");
    AutoBackupResult result;
    EXPECT_NO_THROW(result = AutoBackup::run(source, blocker + QStringLiteral("/clbak"), QDate::currentDate()));
    EXPECT_FALSE(result.copied);
    EXPECT_NO_THROW(result = AutoBackup::run(QDir(scratch.path()).filePath(QStringLiteral("no-such.cld")), backupDir,
                                             QDate::currentDate()));
    EXPECT_FALSE(result.copied);
    EXPECT_TRUE(QDir(backupDir).entryList(QDir::Files).isEmpty()) << "a failed copy leaves no file behind";
}

TEST_F(AutoBackupTest, CopyIsACompleteDatabaseThatOpensWithTheKey)
{
    test::TestDatabase t;
    t.dm().change(QStringLiteral("insert into [职务] ([职务名称]) values ('备份检查')"));
    t.dm().disconnect();
    const AutoBackupResult result = AutoBackup::run(t.file(), backupDir, QDate(2024, 3, 15));
    ASSERT_TRUE(result.copied);
    Database copy;
    copy.open(result.target, test::databaseKey());
    EXPECT_EQ(copy.scalar(QStringLiteral("select count(*) from [职务] where [职务名称]='备份检查'")).toInt(), 1);
    Database wrong;
    EXPECT_ANY_THROW(wrong.open(result.target, QStringLiteral("not-the-key")));
}

} // namespace
