#include "Schema.h"

#include "SchemaSteps.h"
#include "db/Database.h"
#include "db/DbError.h"

#include <functional>

namespace tkd::schema {

namespace {

QString columnType(ColumnKind kind)
{
    // The declared type names tell the engine layer how to read each column back.
    switch (kind) {
    case ColumnKind::Auto:
        return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case ColumnKind::Text:
    case ColumnKind::Memo:
        return QStringLiteral("TEXT COLLATE NOCASE");
    case ColumnKind::Integer:
        return QStringLiteral("INTEGER DEFAULT 0");
    case ColumnKind::Number:
        return QStringLiteral("NUMBER DEFAULT 0");
    case ColumnKind::Money:
        return QStringLiteral("MONEY DEFAULT 0");
    case ColumnKind::YesNo:
        return QStringLiteral("YESNO DEFAULT 0");
    case ColumnKind::DateTime:
        return QStringLiteral("DATETIME");
    case ColumnKind::RowNumber:
        // The row id itself: an emptied table hands out 1 again, in insertion order.
        return QStringLiteral("INTEGER PRIMARY KEY");
    }
    return {};
}

// Keys that identify a row by text; the windows test them too, this guards the file.
bool isUniqueKey(const QString& table, const QString& column)
{
    return (table == u"会员信息" && column == u"会员卡号") || (table == u"操作人员" && column == u"操作人员") ||
           (table == u"商品信息" && column == u"商品编号");
}

const std::vector<std::function<void(Database&)>>& steps()
{
    // steps()[n] brings a file of version n to version n + 1; a new file runs them all.
    //
    // A released step is never edited. A later change of the schema (a column, an index, seed rows)
    // is a new function appended here, say addVersion2 in SchemaVersion2.cpp, written as fixed
    // statements (alter table, create index, insert), never read from tables(). Make the same change
    // in SchemaTables.cpp / indexStatements(), which describe the schema as it is today. Then let the
    // release before the change create a file with a few rows (as tests/fixtures/schema-v1.cld was made),
    // keep it as tests/fixtures/schema-vN.cld and add it to SchemaUpgrade's table: the test upgrades
    // each fixture and expects the current version and exactly the tables and indexes of a new file.
    static const std::vector<std::function<void(Database&)>> all = {
        createVersion1, addVersion2, addPurchaseHistoryIndex, coverPurchaseHistory, addLeaveAndExchangeDays};
    return all;
}

} // namespace

const TableDef* findTable(const QString& name)
{
    for (const TableDef& table : tables())
        if (table.name == name)
            return &table;
    return nullptr;
}

int currentVersion()
{
    return static_cast<int>(steps().size());
}

QString createTableStatement(const TableDef& table)
{
    QStringList columns;
    for (const ColumnDef& column : table.columns) {
        QString def = QStringLiteral("[%1] %2").arg(column.name, columnType(column.kind));
        if (isUniqueKey(table.name, column.name))
            def += QStringLiteral(" NOT NULL UNIQUE");
        columns << def;
    }
    return QStringLiteral("create %1table [%2] (%3)")
        .arg(table.scratch ? QStringLiteral("temp ") : QString(), table.name, columns.join(QStringLiteral(", ")));
}

QStringList indexStatements()
{
    struct Index {
        const char16_t* table;
        const char16_t* columns;
        // A later step names its index itself, so that the numbers of the others never shift.
        const char16_t* name = nullptr;
    };
    static const Index indexes[] = {
        {u"会员信息", u"[加入时间]"},
        {u"会员信息", u"[介绍人卡号]"},
        {u"会员卡类型", u"[类型名称]"},
        {u"会员卡类型", u"[类型编号]"},
        // The desk's history lists read by card from their indexes alone (version 2).
        {u"会员充值", u"[会员卡号],[充值日期],[充值金额],[优惠金额],[充值说明],[操作员],[备注]"},
        {u"会员充值", u"[充值日期]"},
        {u"会员请假", u"[会员卡号],[请假日期],[开始日期],[结束日期],[请假天数],[备注],[操作员]"},
        {u"会员请假", u"[请假日期]"},
        {u"兑换商品", u"[会员卡号],[兑换日期],[商品编号],[商品名称],[数量],[兑换积分],[备注]"},
        {u"兑换商品", u"[兑换日期]"},
        {u"会员消费", u"[会员卡号],[消费日期],[商品编号],[商品名称],[单位],[数量],[单价],[折扣率],[总金额],[操作员]"},
        {u"会员消费", u"[消费日期]"},
        {u"金额记录", u"[会员卡号]"},
        {u"金额记录", u"[日期]"},
        {u"商品进退单", u"[商品编号],[日期]"},
        {u"商品进退单", u"[日期]"},
        {u"商品类别", u"[父结点]"},
        {u"商品信息", u"[父结点]"},
        {u"购买私教", u"[会员卡号],[购买日期],[有效日期],[剩余数量],[教练姓名],[项目名称],[状态]"},
        {u"购买私教", u"[购买日期]"},
        {u"私教消费", u"[会员卡号],[消费日期],[消费数量],[教练],[项目名称],[备注],[操作员]"},
        {u"私教消费", u"[消费日期]"},
        {u"学员考核", u"[考核时间],[会员卡号]"},
        {u"学员考核", u"[会员卡号]"},
        {u"衣柜设置", u"[衣柜编号]"},
        {u"衣柜设置", u"[会员卡号]"},
        {u"衣柜出租", u"[会员卡号]"},
        {u"衣柜出租", u"[登记日期]"},
        {u"事件提醒", u"[会员卡号]"},
        {u"费用支出", u"[日期]"},
        {u"工作人员操作权限", u"[操作人员],[系统功能名称]"},
        // Covers the desk's visit list and last-visit lookup without touching the table rows.
        {u"会员登记", u"[会员卡号],[登记时间],[操作员]"},
        {u"会员登记", u"[登记时间]"},
        // Covers an item's purchase and return history.
        {u"商品进退单", u"[商品编号],[状态说明],[日期],[单价],[数量],[总金额]", u"ix_商品进退单_jhls"},
    };
    QStringList statements;
    int n = 0;
    for (const Index& index : indexes) {
        const QString name = index.name ? QString::fromUtf16(index.name)
                                        : QStringLiteral("ix_%1_%2").arg(QString::fromUtf16(index.table)).arg(++n);
        statements << QStringLiteral("create index [%1] on [%2] (%3)")
                          .arg(name, QString::fromUtf16(index.table), QString::fromUtf16(index.columns));
    }
    return statements;
}

void migrate(Database& db)
{
    int version = db.userVersion();
    if (version > currentVersion())
        throw DbError(QStringLiteral("数据库文件的版本（%1）比本程序新（%2），请使用新版程序打开。")
                          .arg(version)
                          .arg(currentVersion()));
    while (version < currentVersion()) {
        Transaction tx(db);
        steps()[static_cast<size_t>(version)](db);
        db.setUserVersion(version + 1);
        tx.commit();
        ++version;
    }
}

void createScratchTables(Database& db)
{
    for (const TableDef& table : tables()) {
        if (!table.scratch)
            continue;
        db.execute(QStringLiteral("drop table if exists temp.[%1]").arg(table.name));
        db.execute(createTableStatement(table));
    }
}

} // namespace tkd::schema
