#include "db/Database.h"
#include "TestDatabase.h"
#include "db/DbError.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

using namespace tkd;

namespace {

using test::s;

class DatabaseOpen : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return QDir(dir.path()).filePath(QString::fromLatin1(name)); }

    QString createKeyed(const char* name, const QString& key)
    {
        Database db;
        db.open(path(name), key, Database::OpenMode::CreateIfMissing);
        db.execute(QStringLiteral("create table [t] ([a] TEXT)"));
        db.execute(QStringLiteral("insert into [t] values ('x')"));
        return path(name);
    }
};

TEST_F(DatabaseOpen, RightKeyReadsTheFile)
{
    const QString file = createKeyed("a.cld", QStringLiteral("k1"));
    Database db;
    db.open(file, QStringLiteral("k1"));
    EXPECT_EQ(db.scalar(QStringLiteral("select [a] from [t]")).toText(), QStringLiteral("x"));
}

TEST_F(DatabaseOpen, WrongKeyFailsWithTheEngineMessage)
{
    const QString file = createKeyed("a.cld", QStringLiteral("k1"));
    Database db;
    try {
        db.open(file, QStringLiteral("k2"));
        FAIL() << "a wrong key must not open the file";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("not a database"))) << e.message().toStdString();
    }
    EXPECT_FALSE(db.isOpen());
}

TEST_F(DatabaseOpen, MissingFileFailsAndIsNotCreated)
{
    Database db;
    try {
        db.open(path("missing.cld"), QStringLiteral("k"));
        FAIL() << "a missing file must not open";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("unable to open"))) << e.message().toStdString();
    }
    EXPECT_FALSE(QFile::exists(path("missing.cld")));
}

TEST_F(DatabaseOpen, GarbageFileFails)
{
    QFile garbage(path("garbage.cld"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(8192, 'z'));
    garbage.close();
    Database db;
    EXPECT_THROW(db.open(path("garbage.cld"), QStringLiteral("k")), DbError);
    EXPECT_FALSE(db.isOpen());
}

TEST_F(DatabaseOpen, FileIsEncryptedOnDisk)
{
    const QString file = createKeyed("a.cld", QStringLiteral("k1"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_FALSE(bytes.startsWith("SQLite format 3"));
    EXPECT_FALSE(bytes.contains("create table"));
}

TEST_F(DatabaseOpen, EngineShellOpensOnlyWithTheKey)
{
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlcipher"));
    if (shell.isEmpty())
        GTEST_SKIP() << "the sqlcipher shell is not installed";
    const QString file = createKeyed("a.cld", QStringLiteral("k1"));
    auto query = [&](const QString& key) {
        QProcess p;
        p.start(shell, {file});
        p.write(QStringLiteral("PRAGMA key='%1';\nPRAGMA cipher_page_size=4096;\nselect [a] from [t];\n")
                    .arg(key)
                    .toUtf8());
        p.closeWriteChannel();
        p.waitForFinished(10000);
        return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    };
    EXPECT_TRUE(query(QStringLiteral("k1")).contains(QStringLiteral("x")));
    EXPECT_TRUE(query(QStringLiteral("wrong")).contains(QStringLiteral("not a database")));
}

TEST_F(DatabaseOpen, NewFilesHaveLargePagesAndFilesOfSmallPagesStillOpen)
{
    Database fresh;
    fresh.open(createKeyed("a.cld", QStringLiteral("k1")), QStringLiteral("k1"));
    EXPECT_EQ(fresh.pageSize(), 4096);

    // A file written by an earlier release, in pages of 1 KB.
    const QString older = path("older.cld");
    ASSERT_TRUE(QFile::copy(QStringLiteral(TKD_FIXTURES_DIR "/schema-v1.cld"), older));
    QFile::setPermissions(older, QFile::ReadOwner | QFile::WriteOwner);
    Database db;
    db.open(older, test::databaseKey());
    EXPECT_EQ(db.pageSize(), 1024);
    const qint64 members = db.scalar(s(u"select count(*) from [会员信息]")).toInt();
    EXPECT_GT(members, 0);
    db.execute(s(u"update [会员信息] set [会员积分]=[会员积分]+1"));
    EXPECT_THROW(Database().open(older, QStringLiteral("wrong")), DbError) << "a wrong key fails at either size";

    // Compaction writes it anew in today's pages.
    const QString compacted = path("compacted.cld");
    db.compactInto(compacted, test::databaseKey());
    Database copy;
    copy.open(compacted, test::databaseKey());
    EXPECT_EQ(copy.pageSize(), 4096);
    EXPECT_EQ(copy.scalar(s(u"select count(*) from [会员信息]")).toInt(), members);
}

class DatabaseStatements : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.open(QDir(dir.path()).filePath(QStringLiteral("s.cld")), QStringLiteral("k"),
                Database::OpenMode::CreateIfMissing);
        db.executeScript(
            s(u"create table [样本] ([编号] INTEGER PRIMARY KEY AUTOINCREMENT, [名称] TEXT, [数量] INTEGER,"
              u" [比率] NUMBER, [金额] MONEY, [是否] YESNO, [日期] DATETIME, [状态] TEXT)"));
    }
    void insert(const QString& name, qint64 count, const QString& money, const QDateTime& when,
                const QString& state = QStringLiteral("可用"))
    {
        Money amount;
        ASSERT_TRUE(Money::parse(money, &amount));
        db.execute(s(u"insert into [样本] ([名称],[数量],[金额],[日期],[状态]) values (:mc,:sl,:je,:rq,:zt)"),
                   {{QStringLiteral("mc"), name},
                    {QStringLiteral("sl"), count},
                    {QStringLiteral("je"), amount},
                    {QStringLiteral("rq"), when},
                    {QStringLiteral("zt"), state}});
    }
    QTemporaryDir dir;
    Database db;
};

TEST_F(DatabaseStatements, EveryParameterTypeRoundTrips)
{
    const QDateTime moment(QDate(2024, 3, 7), QTime(9, 5, 0));
    db.execute(s(u"insert into [样本] ([名称],[数量],[比率],[金额],[是否],[日期],[状态]) values "
                 u"(:mc,:sl,:bl,:je,:sf,:rq,:zt)"),
               {{QStringLiteral("mc"), s(u"张三 O'Neil \"引号\"")},
                {QStringLiteral("sl"), qint64(42)},
                {QStringLiteral("bl"), 0.85},
                {QStringLiteral("je"), Money::fromUnits(363750)},
                {QStringLiteral("sf"), true},
                {QStringLiteral("rq"), moment},
                {QStringLiteral("zt"), Value()}});
    const ResultSet r = db.select(s(u"select * from [样本]"));
    ASSERT_EQ(r.rowCount(), 1);
    EXPECT_EQ(r.value(0, s(u"名称")).toText(), s(u"张三 O'Neil \"引号\""));
    EXPECT_EQ(r.value(0, s(u"数量")).toInt(), 42);
    EXPECT_DOUBLE_EQ(r.value(0, s(u"比率")).toDouble(), 0.85);
    EXPECT_EQ(r.value(0, s(u"金额")).type(), ValueType::Money);
    EXPECT_EQ(r.value(0, s(u"金额")).toMoney(), Money::fromUnits(363750)) << "36.375 survives the file";
    EXPECT_EQ(r.value(0, s(u"是否")).type(), ValueType::YesNo);
    EXPECT_TRUE(r.value(0, s(u"是否")).toBool());
    EXPECT_EQ(db.scalar(s(u"select count(*) from [样本] where [是否]=-1")).toInt(), 1) << "yes is stored as -1";
    EXPECT_EQ(r.value(0, s(u"日期")).type(), ValueType::DateTime);
    EXPECT_EQ(r.value(0, s(u"日期")).toDateTime(), moment);
    EXPECT_TRUE(r.value(0, s(u"状态")).isNull());
    EXPECT_EQ(r.value(0, s(u"[名称]")).toText(), r.value(0, s(u"名称")).toText()) << "bracketed names read too";
}

TEST_F(DatabaseStatements, OneDayRangeIncludesItsLastSecondAndBareDates)
{
    insert(QStringLiteral("bare"), 1, QStringLiteral("1"), QDateTime(QDate(2024, 3, 15), QTime(0, 0)));
    insert(QStringLiteral("last"), 1, QStringLiteral("1"), QDateTime(QDate(2024, 3, 15), QTime(23, 59, 59)));
    insert(QStringLiteral("next"), 1, QStringLiteral("1"), QDateTime(QDate(2024, 3, 16), QTime(0, 0)));
    insert(QStringLiteral("before"), 1, QStringLiteral("1"), QDateTime(QDate(2024, 3, 14), QTime(23, 59, 59)));
    db.execute(s(u"insert into [样本] ([名称],[日期]) values ('date-only',:rq)"),
               {{QStringLiteral("rq"), QDate(2024, 3, 15)}});
    const QString day = QStringLiteral("2024-03-15");
    const QDateTime rq1 = Value::parseDateTime(day + QStringLiteral(" 00:00:00"));
    const QDateTime rq2 = Value::parseDateTime(day + QStringLiteral(" 23:59:59"));
    const ResultSet r = db.select(s(u"select [名称] from [样本] where [日期]>=:rq1 and [日期]<=:rq2 order by [名称]"),
                                  {{QStringLiteral("rq1"), rq1}, {QStringLiteral("rq2"), rq2}});
    QStringList names;
    for (int i = 0; i < r.rowCount(); ++i)
        names << r.value(i, 0).toText();
    EXPECT_EQ(names, (QStringList{QStringLiteral("bare"), QStringLiteral("date-only"), QStringLiteral("last")}));
}

TEST_F(DatabaseStatements, AggregatesAliasesGroupingAndOrder)
{
    EXPECT_TRUE(db.scalar(s(u"select sum([金额]) from [样本]")).isNull()) << "sum over no rows is Null";
    EXPECT_TRUE(db.scalar(s(u"select max([编号]) from [样本]")).isNull()) << "max over no rows is Null";
    EXPECT_EQ(db.scalar(s(u"select count(*) from [样本]")).toInt(), 0);

    const QDateTime t(QDate(2024, 1, 1), QTime(8, 0));
    insert(QStringLiteral("a"), 2, QStringLiteral("10.10"), t);
    insert(QStringLiteral("a"), 3, QStringLiteral("0.20"), t.addDays(1));
    insert(QStringLiteral("b"), 1, QStringLiteral("5"), t.addDays(2));
    const ResultSet r = db.select(s(u"select [名称] as [品名],count([名称]) as [笔数],sum([金额]) as [合计],"
                                    u"sum([数量]*2) as [双倍] from [样本] group by [名称] having sum([数量])>0 "
                                    u"order by sum([金额]) DESC"));
    ASSERT_EQ(r.rowCount(), 2);
    EXPECT_EQ(r.value(0, s(u"品名")).toText(), QStringLiteral("a"));
    EXPECT_EQ(r.value(0, s(u"笔数")).toInt(), 2);
    EXPECT_EQ(r.value(0, s(u"合计")).toMoney().toString(), QStringLiteral("10.30"));
    EXPECT_EQ(r.value(0, s(u"双倍")).toInt(), 10);
    EXPECT_EQ(r.value(1, s(u"品名")).toText(), QStringLiteral("b"));
    EXPECT_EQ(db.select(s(u"select [名称] from [样本] order by [日期] DESC")).value(0, 0).toText(),
              QStringLiteral("b"));
    EXPECT_EQ(db.scalar(s(u"select max([日期]) from [样本]")).toDateTime(), t.addDays(2));
}

TEST_F(DatabaseStatements, AutonumberIsTheMaximumRightAfterInsert)
{
    insert(QStringLiteral("a"), 1, QStringLiteral("1"), QDateTime::currentDateTime());
    insert(QStringLiteral("b"), 1, QStringLiteral("1"), QDateTime::currentDateTime());
    const qint64 id = db.lastInsertId();
    EXPECT_EQ(id, 2);
    EXPECT_EQ(db.scalar(s(u"select max([编号]) from [样本]")).toInt(), id);
}

TEST_F(DatabaseStatements, DoubleQuotedLiteralIsTextEvenWhenItNamesAColumn)
{
    insert(QStringLiteral("状态"), 1, QStringLiteral("1"), QDateTime::currentDateTime(), QStringLiteral("名称"));
    insert(QStringLiteral("x"), 1, QStringLiteral("1"), QDateTime::currentDateTime(), QStringLiteral("x"));
    // Read as a column, "名称" would match the row whose two columns are equal.
    EXPECT_EQ(db.scalar(s(u"select count(*) from [样本] where [状态]=\"名称\"")).toInt(), 1);
    EXPECT_EQ(db.scalar(s(u"select [名称] from [样本] where [状态]=\"名称\"")).toText(), s(u"状态"));
    EXPECT_EQ(db.scalar(s(u"select count(*) from [样本] where [名称]=\"x\"")).toInt(), 1);
    EXPECT_EQ(db.scalar(s(u"select count(*) from [样本] where [名称]='x'")).toInt(), 1);
    EXPECT_EQ(db.scalar(s(u"select \"it's\"")).toText(), QStringLiteral("it's"));
}

TEST_F(DatabaseStatements, ParametersMustMatchTheStatement)
{
    EXPECT_THROW(db.select(s(u"select * from [样本] where [名称]=:mc")), DbError) << "a missing value is an error";
    EXPECT_THROW(db.select(s(u"select * from [样本]"), {{QStringLiteral("mc"), QStringLiteral("x")}}), DbError)
        << "a value for no parameter is a misspelling";
    EXPECT_NO_THROW(db.select(s(u"select * from [样本] where [名称]=:mc or [状态]=:mc"),
                              {{QStringLiteral("mc"), QStringLiteral("x")}}));
    EXPECT_EQ(db.select(s(u"select ':notaparam' as [a]")).value(0, 0).toText(), QStringLiteral(":notaparam"));
}

TEST_F(DatabaseStatements, EngineErrorsCarryTheEngineMessage)
{
    try {
        db.select(s(u"select [没有] from [样本]"));
        FAIL();
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(s(u"没有"))) << e.message().toStdString();
    }
    const ResultSet r = db.select(s(u"select * from [样本]"));
    EXPECT_THROW(r.value(0, s(u"名称")), DbError) << "no such row";
    EXPECT_THROW(r.first(s(u"不存在")), DbError) << "no such column";
}

TEST_F(DatabaseStatements, PreparedStatementsAreReused)
{
    const int before = db.cachedStatementCount();
    for (int i = 0; i < 5; ++i)
        insert(QStringLiteral("n%1").arg(i), i, QStringLiteral("1"), QDateTime::currentDateTime());
    EXPECT_EQ(db.cachedStatementCount(), before + 1);
    EXPECT_EQ(db.scalar(s(u"select count(*) from [样本]")).toInt(), 5);
}

TEST_F(DatabaseStatements, FailedSecondStatementLeavesNothingWritten)
{
    try {
        Transaction tx(db);
        insert(QStringLiteral("first"), 1, QStringLiteral("1"), QDateTime::currentDateTime());
        db.execute(s(u"insert into [没有的表] values (1)"));
        tx.commit();
        FAIL() << "the second statement must fail";
    } catch (const DbError&) {
    }
    EXPECT_EQ(db.scalar(s(u"select count(*) from [样本]")).toInt(), 0);
    EXPECT_EQ(db.transactionDepth(), 0);
}

TEST_F(DatabaseStatements, NestedGuardsUndoOnlyTheirOwnPartOrAll)
{
    {
        Transaction outer(db);
        insert(QStringLiteral("outer"), 1, QStringLiteral("1"), QDateTime::currentDateTime());
        {
            Transaction inner(db);
            insert(QStringLiteral("inner"), 1, QStringLiteral("1"), QDateTime::currentDateTime());
        }
        outer.commit();
    }
    EXPECT_EQ(db.scalar(s(u"select count(*) from [样本]")).toInt(), 1);
    {
        Transaction outer(db);
        {
            Transaction inner(db);
            insert(QStringLiteral("inner2"), 1, QStringLiteral("1"), QDateTime::currentDateTime());
            inner.commit();
        }
    }
    EXPECT_EQ(db.scalar(s(u"select count(*) from [样本]")).toInt(), 1) << "the outer rollback takes the inner part";
}

TEST_F(DatabaseStatements, ClosingWithAGuardOpenLeavesLaterTransactionsWorking)
{
    const QString file = db.path();
    auto outer = std::make_unique<Transaction>(db);
    insert(QStringLiteral("lost"), 1, QStringLiteral("1"), QDateTime::currentDateTime());
    auto inner = std::make_unique<Transaction>(db);
    insert(QStringLiteral("lost too"), 1, QStringLiteral("1"), QDateTime::currentDateTime());

    // Restore and compaction close and reopen the file while a command's guards may still exist.
    db.close();
    db.open(file, QStringLiteral("k"));
    EXPECT_EQ(db.transactionDepth(), 0) << "the new connection starts with no transaction";

    Transaction fresh(db);
    insert(QStringLiteral("kept"), 1, QStringLiteral("1"), QDateTime::currentDateTime());
    inner.reset();
    EXPECT_THROW(outer->commit(), DbError) << "the stale guard's work is gone; it cannot claim to keep it";
    outer.reset();
    EXPECT_EQ(db.transactionDepth(), 1) << "the stale guards leave the new transaction alone";
    fresh.commit();
    EXPECT_EQ(db.transactionDepth(), 0);

    {
        Transaction tx(db);
        insert(QStringLiteral("after"), 1, QStringLiteral("1"), QDateTime::currentDateTime());
        tx.commit();
    }
    {
        Transaction undone(db);
        insert(QStringLiteral("undone"), 1, QStringLiteral("1"), QDateTime::currentDateTime());
    }
    db.close();
    db.open(file, QStringLiteral("k"));
    const ResultSet rows = db.select(s(u"select [名称] from [样本] order by [编号]"));
    ASSERT_EQ(rows.rowCount(), 2);
    EXPECT_EQ(rows.value(0, 0).toText(), QStringLiteral("kept"));
    EXPECT_EQ(rows.value(1, 0).toText(), QStringLiteral("after"));
}

TEST_F(DatabaseStatements, BusyFileIsWaitedForBeforeFailing)
{
    EXPECT_EQ(db.scalar(QStringLiteral("PRAGMA busy_timeout")).toInt(), 5000);
}

TEST(DataModule, ReconnectTellsWindowsToReloadAndLeavesTransactionsWorking)
{
    test::TestDatabase t;
    TvelunDMForm& dm = t.dm();
    int told = 0;
    QObject::connect(&dm, &TvelunDMForm::reconnected, [&told] { ++told; });
    const quint64 before = dm.connectionGeneration();
    const QString insert = s(u"insert into [会员信息] ([会员卡号],[会员姓名]) values (:hykh,'x')");

    auto guard = std::make_unique<Transaction>(dm.db());
    dm.change(insert, {{QStringLiteral("hykh"), QStringLiteral("R1")}});
    dm.reconnect(); // as restore and compaction do, in the middle of whatever was running
    EXPECT_EQ(told, 1) << "windows holding results are told";
    EXPECT_NE(dm.connectionGeneration(), before);
    {
        Transaction tx(dm.db());
        dm.change(insert, {{QStringLiteral("hykh"), QStringLiteral("R2")}});
        guard.reset(); // the old command's guard goes while the new transaction runs
        tx.commit();
    }
    const QString count = s(u"select count(*) from [会员信息] where [会员卡号]=:hykh");
    EXPECT_EQ(dm.db().scalar(count, {{QStringLiteral("hykh"), QStringLiteral("R1")}}).toInt(), 0);
    EXPECT_EQ(dm.db().scalar(count, {{QStringLiteral("hykh"), QStringLiteral("R2")}}).toInt(), 1);

    dm.disconnect();
    dm.connect(t.file(), test::databaseKey());
    EXPECT_EQ(told, 2) << "closing and opening again counts as a reconnect too";
    EXPECT_EQ(dm.db().scalar(count, {{QStringLiteral("hykh"), QStringLiteral("R2")}}).toInt(), 1);
}

} // namespace

namespace {

TEST(DatabaseCompact, CopyKeepsEveryRowAndTheKey)
{
    tkd::test::TestDatabase t;
    for (int i = 0; i < 200; ++i)
        t.dm().change(s(u"insert into [会员登记] ([会员卡号],[登记时间],[上课次数]) values (:k,:t,1)"),
                      {{QStringLiteral("k"), QString::number(i % 7)},
                       {QStringLiteral("t"), QDateTime(QDate(2024, 3, 15), QTime(8, 0)).addSecs(i)}});
    t.dm().change(s(u"delete from [会员登记] where [会员卡号]<>'3'"));
    const QString target = QDir(t.folder()).filePath(QStringLiteral("data/tkd1.cld"));
    t.db().compactInto(target, test::databaseKey());

    Database copy;
    copy.open(target, test::databaseKey());
    EXPECT_EQ(copy.scalar(s(u"select count(*) from [会员登记]")).toInt(),
              t.db().scalar(s(u"select count(*) from [会员登记]")).toInt());
    EXPECT_EQ(copy.userVersion(), t.db().userVersion());
    EXPECT_EQ(copy.scalar(s(u"select count(*) from sqlite_master where type='index'")).toInt(),
              t.db().scalar(s(u"select count(*) from sqlite_master where type='index'")).toInt());
    Database wrong;
    EXPECT_THROW(wrong.open(target, QStringLiteral("other")), DbError);
    EXPECT_THROW(t.db().compactInto(target, test::databaseKey()), DbError) << "an existing target is never overwritten";
}

} // namespace
