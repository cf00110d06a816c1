#include "data/Schema.h"
#include "TestDatabase.h"
#include "data/Catalogue.h"
#include "data/Seed.h"
#include "db/DbError.h"
#include "security/PasswordHash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

using namespace tkd;

namespace {

using test::s;

struct ExpectedTable {
    const char16_t* name;
    std::vector<const char16_t*> columns;
};

// The tables and columns the windows and reports read and write.
const std::vector<ExpectedTable> kExpected = {
    {u"会员信息", {u"会员卡号",   u"会员姓名", u"会员类型", u"移动电话", u"固定电话", u"加入时间", u"开卡日期",
                   u"到期日期",   u"会员状态", u"会员密码", u"会员生日", u"性别",     u"结帐方式", u"信息来源",
                   u"证件名称",   u"证件号码", u"健身教练", u"衣柜编号", u"会籍顾问", u"健身需求", u"介绍人",
                   u"介绍人卡号", u"备注说明", u"会员照片", u"消费总额", u"刷卡次数", u"会员积分", u"卡内余额",
                   u"有效次数",   u"有效天数", u"售价",     u"会员级别", u"完成课时", u"剩余课时"}},
    {u"会员卡类型",
     {u"编号", u"类型编号", u"类型名称", u"有效次数", u"有效天数", u"售价", u"折扣率", u"是否有时间段", u"时间段类型",
      u"时间1", u"时间2", u"时间3"}},
    {u"会员充值",
     {u"充值日期", u"会员卡号", u"会员姓名", u"充值金额", u"优惠金额", u"实际存入金额", u"充值说明", u"结帐方式",
      u"操作员", u"备注"}},
    {u"会员请假",
     {u"编号", u"会员卡号", u"会员姓名", u"会员类型", u"联系电话", u"请假日期", u"开始日期", u"结束日期", u"请假天数",
      u"操作员", u"备注"}},
    {u"兑换商品",
     {u"编号", u"会员卡号", u"会员姓名", u"会员积分", u"商品编号", u"商品名称", u"兑换日期", u"数量", u"兑换积分",
      u"备注"}},
    {u"临时兑换商品", {u"序号", u"商品编号", u"商品名称", u"数量", u"兑换积分", u"备注"}},
    {u"商品信息",
     {u"商品编号", u"商品名称", u"商品类别", u"单位", u"是否计库存", u"预设进价", u"预售单价", u"数量", u"销售总数",
      u"是否兑换", u"兑换积分", u"人工服务", u"备注", u"父结点"}},
    {u"商品类别", {u"编号", u"类别名称", u"父结点"}},
    {u"会员消费",
     {u"编号", u"消费日期", u"会员卡号", u"会员姓名", u"商品编号", u"商品名称", u"单位", u"单价", u"数量", u"折扣率",
      u"总金额", u"服务员工", u"操作员", u"付款方式", u"备注"}},
    {u"临时会员消费",
     {u"序号", u"商品编号", u"商品名称", u"单位", u"单价", u"数量", u"折扣率", u"总金额", u"服务员工", u"人工服务"}},
    {u"选择商品", {u"序号", u"商品编号", u"商品名称", u"单位", u"单价", u"数量", u"总金额"}},
    {u"金额记录", {u"会员卡号", u"会员姓名", u"储值卡", u"现金", u"信用卡", u"日期", u"操作员"}},
    {u"商品进退单",
     {u"日期", u"状态说明", u"商品编号", u"商品名称", u"单位", u"单价", u"数量", u"折扣率", u"总金额", u"操作员"}},
    {u"私教项目", {u"项目编号", u"项目名称", u"项目单价"}},
    {u"购买私教",
     {u"编号", u"购买日期", u"会员卡号", u"会员姓名", u"教练姓名", u"项目名称", u"单价", u"数量", u"剩余数量",
      u"总金额", u"有效日期", u"状态", u"备注", u"操作员"}},
    {u"私教消费",
     {u"编号", u"消费日期", u"会员卡号", u"会员姓名", u"消费数量", u"购买单价", u"总金额", u"教练", u"项目名称",
      u"备注", u"操作员"}},
    {u"报考级别", {u"编号", u"级别名称", u"所需课时", u"考核费用"}},
    {u"学员考核", {u"编号", u"考核时间", u"会员卡号", u"会员姓名", u"报考级别", u"考核费用", u"考核结果", u"备注"}},
    {u"选择学员", {u"选择学员", u"会员卡号", u"会员姓名", u"会员类型", u"加入时间", u"联系电话"}},
    {u"衣柜设置",
     {u"编号", u"衣柜编号", u"衣柜名称", u"押金", u"状态", u"会员卡号", u"会员姓名", u"会员类型", u"到期日期", u"备注",
      u"临时出租", u"出租编号"}},
    {u"衣柜出租",
     {u"编号", u"会员卡号", u"会员姓名", u"会员类型", u"衣柜编号", u"登记日期", u"出租状态", u"起始日期", u"截止日期",
      u"租金", u"押金", u"备注"}},
    {u"临时衣柜出租", {u"衣柜编号", u"衣柜名称", u"登记日期", u"起始日期", u"截止日期", u"租金", u"押金", u"备注"}},
    {u"事件提醒", {u"编号", u"会员卡号", u"会员姓名", u"会员类型", u"提醒类型", u"提醒时间", u"提醒内容"}},
    {u"临时事件提醒", {u"会员卡号", u"会员姓名", u"会员类型", u"提醒类型", u"提醒时间", u"提醒内容"}},
    {u"每日提醒", {u"会员卡号", u"会员姓名", u"提醒类型", u"提醒时间", u"移动电话", u"提醒内容"}},
    {u"会员提醒", {u"提醒类型", u"提醒时间", u"提醒内容"}},
    {u"短信设置", {u"消费短信", u"充值短信", u"登记短信"}},
    {u"统计分析", {u"统计时间", u"客流量"}},
    {u"会员最近来访", {u"会员卡号", u"会员姓名", u"会员类型", u"最后一次来访", u"固定电话", u"移动电话", u"加入时间"}},
    {u"费用项目", {u"编号", u"类型名称", u"附加说明"}},
    {u"费用支出", {u"编号", u"日期", u"项目名称", u"金额", u"经办人", u"操作员", u"备注"}},
    {u"员工设置", {u"编号", u"姓名", u"职务", u"联系电话", u"联系地址", u"状态", u"备注"}},
    {u"职务", {u"编号", u"职务名称"}},
    {u"其它设置",
     {u"介绍积分", u"消费积分", u"使用积分", u"兑换会籍", u"衣柜提醒", u"会员提醒", u"生日提醒", u"考核提醒",
      u"每日提醒", u"无人值守"}},
    {u"操作人员", {u"操作人员", u"操作密码"}},
    {u"工作人员操作权限", {u"操作人员", u"系统功能类别", u"系统功能名称", u"操作权限"}},
    {u"操作权限集合表", {u"编号", u"系统功能类别", u"系统功能名称"}},
    {u"用户信息", {u"用户名称", u"联系电话", u"电子邮箱", u"公司网址", u"联系地址"}},
    {u"会员登记", {u"编号", u"会员卡号", u"会员姓名", u"会员类型", u"教练姓名", u"上课次数", u"登记时间", u"操作员"}},
    {u"临时会员登记", {u"序号", u"登记时间", u"操作员", u"编号"}},
};

QStringList columnsOf(Database& db, const QString& table)
{
    QStringList names;
    for (const char* schemaName : {"main", "temp"}) {
        const ResultSet r =
            db.select(QStringLiteral("PRAGMA %1.table_info([%2])").arg(QString::fromLatin1(schemaName), table));
        for (int i = 0; i < r.rowCount(); ++i)
            names << r.value(i, QStringLiteral("name")).toText();
    }
    return names;
}

TEST(Schema, EveryTableAndColumnExists)
{
    test::TestDatabase t;
    ASSERT_EQ(kExpected.size(), 40u);
    for (const ExpectedTable& table : kExpected) {
        const QString name = QString::fromUtf16(table.name);
        EXPECT_TRUE(t.db().tableExists(name)) << name.toStdString();
        const QStringList actual = columnsOf(t.db(), name);
        for (const char16_t* column : table.columns)
            EXPECT_TRUE(actual.contains(QString::fromUtf16(column)))
                << name.toStdString() << "." << QString::fromUtf16(column).toStdString();
    }
}

TEST(Schema, ScratchTablesNeverReachTheFile)
{
    test::TestDatabase t;
    t.dm().change(s(u"insert into [会员提醒] ([提醒类型],[提醒时间],[提醒内容]) values ('a','b','c')"));
    EXPECT_EQ(t.db().scalar(s(u"select count(*) from sqlite_master where name='会员提醒'")).toInt(), 0);
    t.dm().reconnect();
    EXPECT_TRUE(t.db().tableExists(s(u"会员提醒"))) << "a new connection makes its scratch tables again";
    EXPECT_EQ(t.db().scalar(s(u"select count(*) from [会员提醒]")).toInt(), 0);
}

TEST(Schema, ColumnsReadBackWithTheirTypes)
{
    test::TestDatabase t;
    t.dm().change(s(u"insert into [会员信息] ([会员卡号],[会员姓名],[卡内余额],[加入时间],[刷卡次数]) "
                    u"values ('A1','张三',:ye,:jr,3)"),
                  {{QStringLiteral("ye"), Money::fromUnits(363750)}, {QStringLiteral("jr"), QDate(2024, 3, 15)}});
    const ResultSet r = t.dm().open(QStringLiteral("ADOQ_hykhxx"), {{QStringLiteral("hykh"), QStringLiteral("a1")}});
    ASSERT_EQ(r.rowCount(), 1) << "card numbers compare without regard to case";
    EXPECT_EQ(r.first(s(u"卡内余额")).type(), ValueType::Money);
    EXPECT_EQ(r.first(s(u"卡内余额")).toMoney().units(), 363750);
    EXPECT_EQ(r.first(s(u"加入时间")).toDate(), QDate(2024, 3, 15));
    EXPECT_EQ(r.first(s(u"会员积分")).toInt(), 0) << "counters start at 0";
    EXPECT_TRUE(r.first(s(u"开卡日期")).isNull());
    EXPECT_THROW(t.dm().change(s(u"insert into [会员信息] ([会员卡号]) values ('A1')")), DbError)
        << "card numbers are unique";
}

TEST(Schema, SeedRowsArePresent)
{
    test::TestDatabase t;
    Database& db = t.db();
    const auto& functions = schema::guardedFunctions();
    EXPECT_EQ(functions.size(), 42u);
    EXPECT_EQ(db.scalar(s(u"select count(*) from [操作权限集合表]")).toInt(), static_cast<qint64>(functions.size()));
    for (const char16_t* name : {u"会员管理", u"学员登记", u"数据清理", u"日常支出", u"会员退货", u"操作权限"})
        EXPECT_EQ(db.scalar(s(u"select count(*) from [操作权限集合表] where [系统功能名称]=:n"),
                            {{QStringLiteral("n"), QString::fromUtf16(name)}})
                      .toInt(),
                  1)
            << QString::fromUtf16(name).toStdString();
    EXPECT_EQ(db.scalar(s(u"select count(*) from [操作权限集合表] where [系统功能类别] is null or [系统功能类别]=''"))
                  .toInt(),
              0);

    for (const char16_t* table : {u"其它设置", u"用户信息", u"短信设置"})
        EXPECT_EQ(db.scalar(s(u"select count(*) from [") + QString::fromUtf16(table) + QStringLiteral("]")).toInt(), 1)
            << QString::fromUtf16(table).toStdString();

    const ResultSet op = t.dm().open(QStringLiteral("ADOQ_findsamery"), {{QStringLiteral("czry"), s(u"超级用户")}});
    ASSERT_EQ(op.rowCount(), 1);
    const QString stored = op.first(s(u"操作密码")).toText();
    EXPECT_NE(stored, s(security::kInitialSuperUserPassword)) << "the password is not kept as text";
    EXPECT_TRUE(security::verifyPassword(s(security::kInitialSuperUserPassword), stored));

    const ResultSet item =
        t.dm().open(QStringLiteral("ADOQ_spxx"), {{QStringLiteral("spbh"), QStringLiteral("000000")}});
    ASSERT_EQ(item.rowCount(), 1);
    EXPECT_EQ(item.first(s(u"商品名称")).toText(), s(u"积分换会籍"));
    EXPECT_TRUE(item.first(s(u"是否兑换")).toBool());
    EXPECT_FALSE(item.first(s(u"是否计库存")).toBool());

    const ResultSet settings = t.dm().open(QStringLiteral("ADODS_qtsz"));
    EXPECT_GT(settings.first(s(u"介绍积分")).toMoney(), Money()) << "referral points need a non-zero divisor";
    EXPECT_FALSE(settings.first(s(u"无人值守")).toBool()) << "a new hall starts attended";
}

// What a file holds of the schema: every table, index and its statement as the engine keeps them.
QStringList schemaOf(Database& db)
{
    QStringList lines;
    const ResultSet r = db.select(QStringLiteral("select type, name, tbl_name, sql from sqlite_master where sql is not "
                                                 "null order by type, name"));
    for (int i = 0; i < r.rowCount(); ++i)
        lines << QStringList{r.value(i, 0).toText(), r.value(i, 1).toText(), r.value(i, 2).toText(),
                             r.value(i, 3).toText()}
                     .join(QLatin1Char('|'));
    return lines;
}

QString declaredType(schema::ColumnKind kind)
{
    switch (kind) {
    case schema::ColumnKind::Auto:
    case schema::ColumnKind::Integer:
    case schema::ColumnKind::RowNumber:
        return QStringLiteral("INTEGER");
    case schema::ColumnKind::Text:
    case schema::ColumnKind::Memo:
        return QStringLiteral("TEXT");
    case schema::ColumnKind::Number:
        return QStringLiteral("NUMBER");
    case schema::ColumnKind::Money:
        return QStringLiteral("MONEY");
    case schema::ColumnKind::YesNo:
        return QStringLiteral("YESNO");
    case schema::ColumnKind::DateTime:
        return QStringLiteral("DATETIME");
    }
    return {};
}

// A copy of a file made by an earlier release, kept in tests/fixtures; tests never change the original.
QString fixtureCopy(const QTemporaryDir& dir, const char* name)
{
    const QString source = QStringLiteral(TKD_FIXTURES_DIR "/") + QString::fromLatin1(name);
    const QString copy = QDir(dir.path()).filePath(QStringLiteral("data/tkd.cld"));
    QDir().mkpath(QFileInfo(copy).absolutePath());
    EXPECT_TRUE(QFile::copy(source, copy)) << "missing fixture " << source.toStdString();
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    return copy;
}

// Files of every released version are upgraded on open to exactly the schema a new file gets.
// A later schema change adds its numbered step and a fixture made by the release before it
// (schema-v3.cld ...) to this table.
class SchemaUpgrade : public ::testing::TestWithParam<std::pair<const char*, int>> {};

TEST_P(SchemaUpgrade, ReleasedFileReachesTheCurrentSchemaWithItsRows)
{
    const auto [fixture, version] = GetParam();
    QTemporaryDir dir;
    const QString file = fixtureCopy(dir, fixture);
    {
        Database raw;
        raw.open(file, test::databaseKey());
        ASSERT_EQ(raw.userVersion(), version) << "the fixture is a genuine file of its version";
    }

    TvelunDMForm dm;
    dm.connect(file, test::databaseKey());
    Database& db = dm.db();
    EXPECT_EQ(db.userVersion(), schema::currentVersion());

    // Every table of today, its columns in order with their declared types, and every index.
    for (const schema::TableDef& table : schema::tables()) {
        if (table.scratch)
            continue;
        const ResultSet info = db.select(QStringLiteral("PRAGMA main.table_info([%1])").arg(table.name));
        ASSERT_EQ(info.rowCount(), static_cast<int>(table.columns.size())) << table.name.toStdString();
        for (int i = 0; i < info.rowCount(); ++i) {
            const schema::ColumnDef& column = table.columns[static_cast<size_t>(i)];
            EXPECT_EQ(info.value(i, QStringLiteral("name")).toText(), column.name) << table.name.toStdString();
            EXPECT_TRUE(info.value(i, QStringLiteral("type")).toText().startsWith(declaredType(column.kind)))
                << table.name.toStdString() << "." << column.name.toStdString();
        }
    }
    for (const QString& statement : schema::indexStatements()) {
        const QString name = statement.section(QLatin1Char('['), 1, 1).section(QLatin1Char(']'), 0, 0);
        const ResultSet stored =
            db.select(QStringLiteral("select sql from sqlite_master where type='index' and name=:n"),
                      {{QStringLiteral("n"), name}});
        ASSERT_EQ(stored.rowCount(), 1) << name.toStdString();
        // The engine keeps the statement as written, its leading keywords in capitals.
        EXPECT_EQ(stored.first(QStringLiteral("sql")).toText().compare(statement, Qt::CaseInsensitive), 0)
            << "the index's columns as today's list has them: " << statement.toStdString();
    }
    test::TestDatabase fresh;
    EXPECT_EQ(schemaOf(db), schemaOf(fresh.db())) << "an upgraded file and a new one are alike";

    // The hall's own rows came through, and the file works as any other.
    const ResultSet member = dm.open(QStringLiteral("ADOQ_hykhxx"), {{QStringLiteral("hykh"), QStringLiteral("1001")}});
    ASSERT_EQ(member.rowCount(), 1);
    EXPECT_EQ(member.first(s(u"会员姓名")).toText(), s(u"张小龙"));
    EXPECT_EQ(member.first(s(u"到期日期")).toDate(), QDate(2024, 2, 1));
    EXPECT_EQ(member.first(s(u"卡内余额")).toMoney(), Money::fromUnits(505000));
    EXPECT_EQ(dm.open(QStringLiteral("ADOQ_hyczjl"), {{QStringLiteral("hykh"), QStringLiteral("1001")}})
                  .first(s(u"充值金额"))
                  .toMoney(),
              Money::fromYuan(300));
    EXPECT_EQ(dm.open(QStringLiteral("ADOQ_hylfmx"), {{QStringLiteral("rq1"), QStringLiteral("2024-01-05")},
                                                      {QStringLiteral("rq2"), QStringLiteral("2024-01-05")}})
                  .rowCount(),
              1)
        << "the visit at 18:00 of that day";
    EXPECT_EQ(db.scalar(s(u"select count(*) from [操作权限集合表]")).toInt(),
              static_cast<qint64>(schema::guardedFunctions().size()));
    const ResultSet op = dm.open(QStringLiteral("ADOQ_findsamery"), {{QStringLiteral("czry"), s(u"超级用户")}});
    ASSERT_EQ(op.rowCount(), 1);
    EXPECT_TRUE(security::verifyPassword(s(security::kInitialSuperUserPassword), op.first(s(u"操作密码")).toText()));
    Transaction tx(db);
    dm.change(s(u"update [会员信息] set [卡内余额]=[卡内余额]+1 where [会员卡号]='1001'"));
    tx.commit();
}

INSTANTIATE_TEST_SUITE_P(Releases, SchemaUpgrade,
                         ::testing::Values(std::pair{"schema-v1.cld", 1}, std::pair{"schema-v2.cld", 2},
                                           std::pair{"schema-v3.cld", 3}, std::pair{"schema-v4.cld", 4}),
                         [](const auto& info) { return "version" + std::to_string(info.param.second); });

TEST(Schema, UpgradeReadsTheDaysOfEarlierLeavesAndExchangesBack)
{
    QTemporaryDir dir;
    const QString file = fixtureCopy(dir, "schema-v4.cld");
    {
        // Rows as the earlier program wrote them: a leave knew only its length, a days line its remark.
        Database raw;
        raw.open(file, test::databaseKey());
        ASSERT_EQ(raw.userVersion(), 4);
        raw.execute(s(u"insert into [会员请假] ([会员卡号],[请假天数]) values ('1001',30),('1001',0),('1001',null)"));
        raw.execute(s(u"insert into [兑换商品] ([会员卡号],[商品编号],[备注]) values "
                      u"('1001','000000','会籍增加45天，截止日期到2024-09-13'),"
                      u"('1001','000000','会籍增加0天，截止日期到2024-06-30'),"
                      u"('1001','0101','会籍增加x天'),('1001','0101','护具'),('1001','0101',null)"));
    }
    TvelunDMForm dm;
    dm.connect(file, test::databaseKey());
    const auto column = [&](const QString& sql) {
        QList<qint64> values;
        const ResultSet rows = dm.db().select(sql);
        for (int i = 0; i < rows.rowCount(); ++i)
            values << rows.value(i, 0).toInt();
        return values;
    };
    EXPECT_EQ(column(s(u"select [顺延天数] from [会员请假] order by [编号]")), (QList<qint64>{30, 0, 0}));
    EXPECT_EQ(column(s(u"select [会籍天数] from [兑换商品] order by [编号]")), (QList<qint64>{45, 0, 0, 0, 0}));
}

TEST(Schema, NewFileHoldsEveryGuardedFunctionOfToday)
{
    // A function added to the program later needs a step that adds its row.
    test::TestDatabase t;
    QStringList stored;
    const ResultSet rows = t.dm().open(QStringLiteral("ADODS_gzqx"));
    for (int i = 0; i < rows.rowCount(); ++i)
        stored << rows.value(i, s(u"系统功能类别")).toText() + QLatin1Char('/') +
                      rows.value(i, s(u"系统功能名称")).toText();
    QStringList today;
    for (const schema::GuardedFunction& f : schema::guardedFunctions())
        today << f.category + QLatin1Char('/') + f.name;
    EXPECT_EQ(stored, today);
}

TEST(Schema, FileCarriesItsVersionAndOlderFilesAreUpgraded)
{
    test::TestDatabase t;
    EXPECT_EQ(t.db().userVersion(), schema::currentVersion());

    // A keyed file of version 0 (nothing in it yet) is brought to the current version on open.
    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath(QStringLiteral("old.cld"));
    {
        Database raw;
        raw.open(file, test::databaseKey(), Database::OpenMode::CreateIfMissing);
        EXPECT_EQ(raw.userVersion(), 0);
    }
    TvelunDMForm dm;
    dm.connect(file, test::databaseKey());
    EXPECT_EQ(dm.db().userVersion(), schema::currentVersion());
    EXPECT_TRUE(dm.db().tableExists(s(u"会员信息")));
    EXPECT_EQ(dm.db().scalar(s(u"select count(*) from [操作人员]")).toInt(), 1);
}

TEST(Schema, TheDesksHistoryListsComeFromTheirIndexesAlone)
{
    // At every swipe: a member's rows lie scattered over a file that grows in time order, and each
    // page read is decrypted, so the lists must not touch the tables.
    test::TestDatabase t;
    QStringList statements;
    for (const char* entry : {"ADOQ_hyczjl", "ADOQ_sjhzjl", "ADOQ_xfsjjl", "ADOQ_hyqjhykh", "ADOQ_hyxf", "ADOQ_dhsp"})
        statements << findEntry(QString::fromLatin1(entry))->sql;
    // An item's purchase and return history, read when a purchase line is opened.
    for (const char* entry : {"ADOQ_jhls", "ADOQ_thls"})
        statements << findEntry(QString::fromLatin1(entry))->sql;
    statements << s(u"select [开始日期],[结束日期] from [会员请假] where [会员卡号]=:hykh")
               << s(u"select [登记时间],[操作员],[编号] from [会员登记] where [会员卡号]=:hykh "
                    u"order by [登记时间],[编号]");
    for (const QString& statement : statements) {
        const Params byKey = statement.contains(QStringLiteral(":spbh"))
                                 ? Params{{QStringLiteral("spbh"), QStringLiteral("W01")}}
                                 : Params{{QStringLiteral("hykh"), QStringLiteral("1001")}};
        const ResultSet plan = t.db().select(QStringLiteral("explain query plan ") + statement, byKey);
        QStringList steps;
        for (int i = 0; i < plan.rowCount(); ++i)
            steps << plan.value(i, QStringLiteral("detail")).toText();
        const QString joined = steps.join(QStringLiteral("; "));
        EXPECT_TRUE(joined.contains(QStringLiteral("COVERING INDEX"))) << statement.toStdString() << "\n"
                                                                       << joined.toStdString();
        EXPECT_FALSE(joined.contains(QStringLiteral("SCAN"))) << statement.toStdString();
    }
}

TEST(Schema, NewerFileIsRefusedUntouched)
{
    test::TestDatabase t;
    t.db().setUserVersion(schema::currentVersion() + 1);
    t.dm().disconnect();
    TvelunDMForm dm;
    EXPECT_THROW(dm.connect(t.file(), test::databaseKey()), DbError);
    EXPECT_TRUE(QFileInfo::exists(t.file())) << "an existing file is never removed";
}

TEST(Schema, WrongKeyAtStartLeavesTheFileAlone)
{
    test::TestDatabase t;
    t.dm().disconnect();
    const qint64 size = QFileInfo(t.file()).size();
    TvelunDMForm dm;
    EXPECT_THROW(dm.connect(t.file(), QStringLiteral("wrong")), DbError);
    EXPECT_EQ(QFileInfo(t.file()).size(), size);
}

TEST(Schema, MissingFileIsCreatedWithItsFolder)
{
    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath(QStringLiteral("data/tkd.cld"));
    TvelunDMForm dm;
    dm.connect(file, test::databaseKey());
    EXPECT_TRUE(QFileInfo::exists(file));
    EXPECT_EQ(dm.db().userVersion(), schema::currentVersion());
}

} // namespace
