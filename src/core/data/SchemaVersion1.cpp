#include "SchemaSteps.h"
#include "db/Database.h"
#include "security/PasswordHash.h"

namespace tkd::schema {

// Version 1 exactly as it was released: its statements and seed rows are fixed text, never derived
// from today's table list, so a file made by the first release and a file made today by running
// every step from the start end up the same. Never edit this file; change the schema by a new step.
namespace {

const char16_t* const kTables[] = {
    u"CREATE TABLE [会员信息] ([会员卡号] TEXT COLLATE NOCASE NOT NULL UNIQUE, [会员姓名] TEXT COLLATE NOCASE, "
    u"[会员类型] TEXT COLLATE NOCASE, [移动电话] TEXT COLLATE NOCASE, [固定电话] TEXT COLLATE NOCASE, "
    u"[加入时间] DATETIME, [开卡日期] DATETIME, [到期日期] DATETIME, [会员状态] TEXT COLLATE NOCASE, "
    u"[会员密码] TEXT COLLATE NOCASE, [会员生日] TEXT COLLATE NOCASE, [性别] TEXT COLLATE NOCASE, "
    u"[结帐方式] TEXT COLLATE NOCASE, [信息来源] TEXT COLLATE NOCASE, [证件名称] TEXT COLLATE NOCASE, "
    u"[证件号码] TEXT COLLATE NOCASE, [健身教练] TEXT COLLATE NOCASE, [衣柜编号] TEXT COLLATE NOCASE, "
    u"[会籍顾问] TEXT COLLATE NOCASE, [健身需求] TEXT COLLATE NOCASE, [介绍人] TEXT COLLATE NOCASE, "
    u"[介绍人卡号] TEXT COLLATE NOCASE, [备注说明] TEXT COLLATE NOCASE, [会员照片] TEXT COLLATE NOCASE, "
    u"[消费总额] MONEY DEFAULT 0, [刷卡次数] INTEGER DEFAULT 0, [会员积分] INTEGER DEFAULT 0, "
    u"[卡内余额] MONEY DEFAULT 0, [有效次数] INTEGER DEFAULT 0, [有效天数] INTEGER DEFAULT 0, "
    u"[售价] MONEY DEFAULT 0, [会员级别] TEXT COLLATE NOCASE, [完成课时] INTEGER DEFAULT 0, "
    u"[剩余课时] INTEGER DEFAULT 0)",
    u"CREATE TABLE [会员卡类型] ([编号] INTEGER PRIMARY KEY AUTOINCREMENT, [类型编号] TEXT COLLATE NOCASE, "
    u"[类型名称] TEXT COLLATE NOCASE, [有效次数] INTEGER DEFAULT 0, [有效天数] INTEGER DEFAULT 0, "
    u"[售价] MONEY DEFAULT 0, [折扣率] NUMBER DEFAULT 0, [是否有时间段] YESNO DEFAULT 0, "
    u"[时间段类型] INTEGER DEFAULT 0, [时间1] TEXT COLLATE NOCASE, [时间2] TEXT COLLATE NOCASE, "
    u"[时间3] TEXT COLLATE NOCASE)",
    u"CREATE TABLE [会员充值] ([充值日期] DATETIME, [会员卡号] TEXT COLLATE NOCASE, [会员姓名] TEXT COLLATE NOCASE, "
    u"[充值金额] MONEY DEFAULT 0, [优惠金额] MONEY DEFAULT 0, [实际存入金额] MONEY DEFAULT 0, "
    u"[充值说明] TEXT COLLATE NOCASE, [结帐方式] TEXT COLLATE NOCASE, [操作员] TEXT COLLATE NOCASE, "
    u"[备注] TEXT COLLATE NOCASE)",
    u"CREATE TABLE [会员请假] ([编号] INTEGER PRIMARY KEY AUTOINCREMENT, [会员卡号] TEXT COLLATE NOCASE, "
    u"[会员姓名] TEXT COLLATE NOCASE, [会员类型] TEXT COLLATE NOCASE, [联系电话] TEXT COLLATE NOCASE, "
    u"[请假日期] DATETIME, [开始日期] DATETIME, [结束日期] DATETIME, [请假天数] INTEGER DEFAULT 0, "
    u"[操作员] TEXT COLLATE NOCASE, [备注] TEXT COLLATE NOCASE)",
    u"CREATE TABLE [兑换商品] ([编号] INTEGER PRIMARY KEY AUTOINCREMENT, [会员卡号] TEXT COLLATE NOCASE, "
    u"[会员姓名] TEXT COLLATE NOCASE, [会员积分] INTEGER DEFAULT 0, [商品编号] TEXT COLLATE NOCASE, "
    u"[商品名称] TEXT COLLATE NOCASE, [兑换日期] DATETIME, [数量] NUMBER DEFAULT 0, [兑换积分] INTEGER DEFAULT 0, "
    u"[备注] TEXT COLLATE NOCASE)",
    u"CREATE TABLE [商品信息] ([商品编号] TEXT COLLATE NOCASE NOT NULL UNIQUE, [商品名称] TEXT COLLATE NOCASE, "
    u"[商品类别] TEXT COLLATE NOCASE, [单位] TEXT COLLATE NOCASE, [是否计库存] YESNO DEFAULT 0, "
    u"[预设进价] MONEY DEFAULT 0, [预售单价] MONEY DEFAULT 0, [数量] NUMBER DEFAULT 0, "
    u"[销售总数] NUMBER DEFAULT 0, [是否兑换] YESNO DEFAULT 0, [兑换积分] INTEGER DEFAULT 0, "
    u"[人工服务] YESNO DEFAULT 0, [备注] TEXT COLLATE NOCASE, [父结点] INTEGER DEFAULT 0)",
    u"CREATE TABLE [商品类别] ([编号] INTEGER PRIMARY KEY AUTOINCREMENT, [类别名称] TEXT COLLATE NOCASE, "
    u"[父结点] INTEGER DEFAULT 0)",
    u"CREATE TABLE [会员消费] ([编号] INTEGER PRIMARY KEY AUTOINCREMENT, [消费日期] DATETIME, "
    u"[会员卡号] TEXT COLLATE NOCASE, [会员姓名] TEXT COLLATE NOCASE, [商品编号] TEXT COLLATE NOCASE, "
    u"[商品名称] TEXT COLLATE NOCASE, [单位] TEXT COLLATE NOCASE, [单价] MONEY DEFAULT 0, "
    u"[数量] NUMBER DEFAULT 0, [折扣率] NUMBER DEFAULT 0, [总金额] MONEY DEFAULT 0, "
    u"[服务员工] TEXT COLLATE NOCASE, [操作员] TEXT COLLATE NOCASE, [付款方式] TEXT COLLATE NOCASE, "
    u"[备注] TEXT COLLATE NOCASE)",
    u"CREATE TABLE [金额记录] ([会员卡号] TEXT COLLATE NOCASE, [会员姓名] TEXT COLLATE NOCASE, "
    u"[储值卡] MONEY DEFAULT 0, [现金] MONEY DEFAULT 0, [信用卡] MONEY DEFAULT 0, [日期] DATETIME, "
    u"[操作员] TEXT COLLATE NOCASE)",
    u"CREATE TABLE [商品进退单] ([日期] DATETIME, [状态说明] TEXT COLLATE NOCASE, [商品编号] TEXT COLLATE NOCASE, "
    u"[商品名称] TEXT COLLATE NOCASE, [单位] TEXT COLLATE NOCASE, [单价] MONEY DEFAULT 0, "
    u"[数量] NUMBER DEFAULT 0, [折扣率] NUMBER DEFAULT 0, [总金额] MONEY DEFAULT 0, "
    u"[操作员] TEXT COLLATE NOCASE)",
    u"CREATE TABLE [私教项目] ([项目编号] TEXT COLLATE NOCASE, [项目名称] TEXT COLLATE NOCASE, "
    u"[项目单价] MONEY DEFAULT 0)",
    u"CREATE TABLE [购买私教] ([编号] INTEGER PRIMARY KEY AUTOINCREMENT, [购买日期] DATETIME, "
    u"[会员卡号] TEXT COLLATE NOCASE, [会员姓名] TEXT COLLATE NOCASE, [教练姓名] TEXT COLLATE NOCASE, "
    u"[项目名称] TEXT COLLATE NOCASE, [单价] MONEY DEFAULT 0, [数量] INTEGER DEFAULT 0, "
    u"[剩余数量] INTEGER DEFAULT 0, [总金额] MONEY DEFAULT 0, [有效日期] DATETIME, [状态] TEXT COLLATE NOCASE, "
    u"[备注] TEXT COLLATE NOCASE, [操作员] TEXT COLLATE NOCASE)",
    u"CREATE TABLE [私教消费] ([编号] INTEGER PRIMARY KEY AUTOINCREMENT, [消费日期] DATETIME, "
    u"[会员卡号] TEXT COLLATE NOCASE, [会员姓名] TEXT COLLATE NOCASE, [消费数量] INTEGER DEFAULT 0, "
    u"[购买单价] MONEY DEFAULT 0, [总金额] MONEY DEFAULT 0, [教练] TEXT COLLATE NOCASE, "
    u"[项目名称] TEXT COLLATE NOCASE, [备注] TEXT COLLATE NOCASE, [操作员] TEXT COLLATE NOCASE)",
    u"CREATE TABLE [报考级别] ([编号] INTEGER PRIMARY KEY AUTOINCREMENT, [级别名称] TEXT COLLATE NOCASE, "
    u"[所需课时] INTEGER DEFAULT 0, [考核费用] MONEY DEFAULT 0)",
    u"CREATE TABLE [学员考核] ([编号] INTEGER PRIMARY KEY AUTOINCREMENT, [考核时间] DATETIME, "
    u"[会员卡号] TEXT COLLATE NOCASE, [会员姓名] TEXT COLLATE NOCASE, [报考级别] TEXT COLLATE NOCASE, "
    u"[考核费用] MONEY DEFAULT 0, [考核结果] TEXT COLLATE NOCASE, [备注] TEXT COLLATE NOCASE)",
    u"CREATE TABLE [衣柜设置] ([编号] INTEGER PRIMARY KEY AUTOINCREMENT, [衣柜编号] TEXT COLLATE NOCASE, "
    u"[衣柜名称] TEXT COLLATE NOCASE, [押金] MONEY DEFAULT 0, [状态] TEXT COLLATE NOCASE, "
    u"[会员卡号] TEXT COLLATE NOCASE, [会员姓名] TEXT COLLATE NOCASE, [会员类型] TEXT COLLATE NOCASE, "
    u"[到期日期] DATETIME, [备注] TEXT COLLATE NOCASE, [临时出租] YESNO DEFAULT 0, [出租编号] INTEGER DEFAULT 0)",
    u"CREATE TABLE [衣柜出租] ([编号] INTEGER PRIMARY KEY AUTOINCREMENT, [会员卡号] TEXT COLLATE NOCASE, "
    u"[会员姓名] TEXT COLLATE NOCASE, [会员类型] TEXT COLLATE NOCASE, [衣柜编号] TEXT COLLATE NOCASE, "
    u"[登记日期] DATETIME, [出租状态] TEXT COLLATE NOCASE, [起始日期] DATETIME, [截止日期] DATETIME, "
    u"[租金] MONEY DEFAULT 0, [押金] MONEY DEFAULT 0, [备注] TEXT COLLATE NOCASE)",
    u"CREATE TABLE [事件提醒] ([编号] INTEGER PRIMARY KEY AUTOINCREMENT, [会员卡号] TEXT COLLATE NOCASE, "
    u"[会员姓名] TEXT COLLATE NOCASE, [会员类型] TEXT COLLATE NOCASE, [提醒类型] INTEGER DEFAULT 0, "
    u"[提醒时间] TEXT COLLATE NOCASE, [提醒内容] TEXT COLLATE NOCASE)",
    u"CREATE TABLE [短信设置] ([消费短信] YESNO DEFAULT 0, [充值短信] YESNO DEFAULT 0, [登记短信] YESNO DEFAULT 0)",
    u"CREATE TABLE [费用项目] ([编号] INTEGER PRIMARY KEY AUTOINCREMENT, [类型名称] TEXT COLLATE NOCASE, "
    u"[附加说明] TEXT COLLATE NOCASE)",
    u"CREATE TABLE [费用支出] ([编号] INTEGER PRIMARY KEY AUTOINCREMENT, [日期] DATETIME, "
    u"[项目名称] TEXT COLLATE NOCASE, [金额] MONEY DEFAULT 0, [经办人] TEXT COLLATE NOCASE, "
    u"[操作员] TEXT COLLATE NOCASE, [备注] TEXT COLLATE NOCASE)",
    u"CREATE TABLE [员工设置] ([编号] INTEGER PRIMARY KEY AUTOINCREMENT, [姓名] TEXT COLLATE NOCASE, "
    u"[职务] TEXT COLLATE NOCASE, [联系电话] TEXT COLLATE NOCASE, [联系地址] TEXT COLLATE NOCASE, "
    u"[状态] TEXT COLLATE NOCASE, [备注] TEXT COLLATE NOCASE)",
    u"CREATE TABLE [职务] ([编号] INTEGER PRIMARY KEY AUTOINCREMENT, [职务名称] TEXT COLLATE NOCASE)",
    u"CREATE TABLE [其它设置] ([介绍积分] MONEY DEFAULT 0, [消费积分] MONEY DEFAULT 0, [使用积分] INTEGER DEFAULT 0, "
    u"[兑换会籍] INTEGER DEFAULT 0, [衣柜提醒] INTEGER DEFAULT 0, [会员提醒] INTEGER DEFAULT 0, "
    u"[生日提醒] INTEGER DEFAULT 0, [考核提醒] INTEGER DEFAULT 0, [每日提醒] YESNO DEFAULT 0, "
    u"[无人值守] YESNO DEFAULT 0)",
    u"CREATE TABLE [操作人员] ([操作人员] TEXT COLLATE NOCASE NOT NULL UNIQUE, [操作密码] TEXT COLLATE NOCASE)",
    u"CREATE TABLE [工作人员操作权限] ([操作人员] TEXT COLLATE NOCASE, [系统功能类别] TEXT COLLATE NOCASE, "
    u"[系统功能名称] TEXT COLLATE NOCASE, [操作权限] YESNO DEFAULT 0)",
    u"CREATE TABLE [操作权限集合表] ([编号] INTEGER PRIMARY KEY AUTOINCREMENT, [系统功能类别] TEXT COLLATE NOCASE, "
    u"[系统功能名称] TEXT COLLATE NOCASE)",
    u"CREATE TABLE [用户信息] ([用户名称] TEXT COLLATE NOCASE, [联系电话] TEXT COLLATE NOCASE, "
    u"[电子邮箱] TEXT COLLATE NOCASE, [公司网址] TEXT COLLATE NOCASE, [联系地址] TEXT COLLATE NOCASE)",
    u"CREATE TABLE [会员登记] ([编号] INTEGER PRIMARY KEY AUTOINCREMENT, [会员卡号] TEXT COLLATE NOCASE, "
    u"[会员姓名] TEXT COLLATE NOCASE, [会员类型] TEXT COLLATE NOCASE, [教练姓名] TEXT COLLATE NOCASE, "
    u"[上课次数] INTEGER DEFAULT 0, [登记时间] DATETIME, [操作员] TEXT COLLATE NOCASE)",
};

const char16_t* const kIndexes[] = {
    u"CREATE INDEX [ix_会员信息_1] on [会员信息] ([加入时间])",
    u"CREATE INDEX [ix_会员信息_2] on [会员信息] ([介绍人卡号])",
    u"CREATE INDEX [ix_会员卡类型_3] on [会员卡类型] ([类型名称])",
    u"CREATE INDEX [ix_会员卡类型_4] on [会员卡类型] ([类型编号])",
    u"CREATE INDEX [ix_会员充值_5] on [会员充值] ([会员卡号],[充值日期])",
    u"CREATE INDEX [ix_会员充值_6] on [会员充值] ([充值日期])",
    u"CREATE INDEX [ix_会员请假_7] on [会员请假] ([会员卡号],[请假日期])",
    u"CREATE INDEX [ix_会员请假_8] on [会员请假] ([请假日期])",
    u"CREATE INDEX [ix_兑换商品_9] on [兑换商品] ([会员卡号],[兑换日期])",
    u"CREATE INDEX [ix_兑换商品_10] on [兑换商品] ([兑换日期])",
    u"CREATE INDEX [ix_会员消费_11] on [会员消费] ([会员卡号],[消费日期])",
    u"CREATE INDEX [ix_会员消费_12] on [会员消费] ([消费日期])",
    u"CREATE INDEX [ix_金额记录_13] on [金额记录] ([会员卡号])",
    u"CREATE INDEX [ix_金额记录_14] on [金额记录] ([日期])",
    u"CREATE INDEX [ix_商品进退单_15] on [商品进退单] ([商品编号],[日期])",
    u"CREATE INDEX [ix_商品进退单_16] on [商品进退单] ([日期])",
    u"CREATE INDEX [ix_商品类别_17] on [商品类别] ([父结点])",
    u"CREATE INDEX [ix_商品信息_18] on [商品信息] ([父结点])",
    u"CREATE INDEX [ix_购买私教_19] on [购买私教] ([会员卡号],[购买日期])",
    u"CREATE INDEX [ix_购买私教_20] on [购买私教] ([购买日期])",
    u"CREATE INDEX [ix_私教消费_21] on [私教消费] ([会员卡号],[消费日期])",
    u"CREATE INDEX [ix_私教消费_22] on [私教消费] ([消费日期])",
    u"CREATE INDEX [ix_学员考核_23] on [学员考核] ([考核时间],[会员卡号])",
    u"CREATE INDEX [ix_学员考核_24] on [学员考核] ([会员卡号])",
    u"CREATE INDEX [ix_衣柜设置_25] on [衣柜设置] ([衣柜编号])",
    u"CREATE INDEX [ix_衣柜设置_26] on [衣柜设置] ([会员卡号])",
    u"CREATE INDEX [ix_衣柜出租_27] on [衣柜出租] ([会员卡号])",
    u"CREATE INDEX [ix_衣柜出租_28] on [衣柜出租] ([登记日期])",
    u"CREATE INDEX [ix_事件提醒_29] on [事件提醒] ([会员卡号])",
    u"CREATE INDEX [ix_费用支出_30] on [费用支出] ([日期])",
    u"CREATE INDEX [ix_工作人员操作权限_31] on [工作人员操作权限] ([操作人员],[系统功能名称])",
    u"CREATE INDEX [ix_会员登记_32] on [会员登记] ([会员卡号],[登记时间],[操作员])",
    u"CREATE INDEX [ix_会员登记_33] on [会员登记] ([登记时间])",
};

struct Function {
    const char16_t* category;
    const char16_t* name;
};

const Function kFunctions[] = {
    {u"会员管理", u"会员管理"},     {u"会员管理", u"事件提醒"},     {u"会员管理", u"会员请假管理"},
    {u"会员管理", u"私教管理"},     {u"会员管理", u"学员考核管理"}, {u"前台操作", u"添加会员"},
    {u"前台操作", u"修改会员"},     {u"前台操作", u"学员登记"},     {u"前台操作", u"增加消费"},
    {u"前台操作", u"增加交费"},     {u"前台操作", u"增加提醒"},     {u"前台操作", u"删除提醒"},
    {u"前台操作", u"增加兑换商品"}, {u"前台操作", u"删除兑换商品"}, {u"前台操作", u"购买私教"},
    {u"前台操作", u"会员请假"},     {u"前台操作", u"删除请假"},     {u"前台操作", u"会员销假"},
    {u"前台操作", u"会员退货"},     {u"商品管理", u"商品基本信息"}, {u"商品管理", u"商品库存查询"},
    {u"商品管理", u"商品进货"},     {u"商品管理", u"商品退货"},     {u"商品管理", u"商品采购查询"},
    {u"商品管理", u"商品消费查询"}, {u"统计报表", u"会员交费统计"}, {u"统计报表", u"会员消费统计"},
    {u"统计报表", u"营业报表"},     {u"统计报表", u"衣柜查询管理"}, {u"统计报表", u"员工业绩管理"},
    {u"统计报表", u"兑换商品统计"}, {u"统计报表", u"会员来访统计"}, {u"统计报表", u"日常支出"},
    {u"系统设置", u"会员类型设置"}, {u"系统设置", u"衣柜设置"},     {u"系统设置", u"员工设置"},
    {u"系统设置", u"其它设置"},     {u"系统设置", u"操作权限"},     {u"数据维护", u"数据备份"},
    {u"数据维护", u"数据恢复"},     {u"数据维护", u"数据压缩"},     {u"数据维护", u"数据清理"},
};

void seed(Database& db)
{
    for (const Function& f : kFunctions) {
        db.execute(QStringLiteral("insert into [操作权限集合表] ([系统功能类别],[系统功能名称]) values (:lb,:gnmc)"),
                   {{QStringLiteral("lb"), QString::fromUtf16(f.category)},
                    {QStringLiteral("gnmc"), QString::fromUtf16(f.name)}});
    }
    db.execute(
        QStringLiteral("insert into [操作人员] ([操作人员],[操作密码]) values (:czry,:mm)"),
        {{QStringLiteral("czry"), QStringLiteral("超级用户")},
         {QStringLiteral("mm"), security::hashPassword(QString::fromUtf16(security::kInitialSuperUserPassword))}});

    db.execute(
        QStringLiteral("insert into [其它设置] ([介绍积分],[消费积分],[使用积分],[兑换会籍],[衣柜提醒],[会员提醒],"
                       "[生日提醒],[考核提醒],[每日提醒],[无人值守]) values (:jsjf,:xfjf,:syjf,:dhhj,:ygtx,:hytx,:srtx,"
                       ":khtx,:mrtx,:wrzs)"),
        {{QStringLiteral("jsjf"), Money::fromYuan(100)},
         {QStringLiteral("xfjf"), Money::fromYuan(10)},
         {QStringLiteral("syjf"), 100},
         {QStringLiteral("dhhj"), 10},
         {QStringLiteral("ygtx"), 3},
         {QStringLiteral("hytx"), 7},
         {QStringLiteral("srtx"), 3},
         {QStringLiteral("khtx"), 3},
         {QStringLiteral("mrtx"), true},
         {QStringLiteral("wrzs"), false}});

    db.execute(QStringLiteral("insert into [用户信息] ([用户名称],[联系电话],[电子邮箱],[公司网址],[联系地址]) "
                              "values (:mc,'','','','')"),
               {{QStringLiteral("mc"), QStringLiteral("澄岚跆拳道馆")}});
    db.execute(QStringLiteral("insert into [短信设置] ([消费短信],[充值短信],[登记短信]) values (0,0,0)"));

    // The points exchange stands for membership days with this item; the catalogue protects it.
    db.execute(QStringLiteral("insert into [商品信息] ([商品编号],[商品名称],[商品类别],[单位],[是否计库存],[预设进价],"
                              "[预售单价],[数量],[销售总数],[是否兑换],[兑换积分],[人工服务],[备注],[父结点]) values "
                              "('000000','积分换会籍','','天',0,0,0,0,0,-1,0,0,'系统默认',0)"));

    for (const char16_t* title : {u"教练", u"会籍顾问", u"前台"})
        db.execute(QStringLiteral("insert into [职务] ([职务名称]) values (:zwmc)"),
                   {{QStringLiteral("zwmc"), QString::fromUtf16(title)}});
}

} // namespace

void createVersion1(Database& db)
{
    for (const char16_t* statement : kTables)
        db.execute(QString::fromUtf16(statement));
    for (const char16_t* statement : kIndexes)
        db.execute(QString::fromUtf16(statement));
    seed(db);
}

} // namespace tkd::schema
