#include "Seed.h"

#include "db/Database.h"
#include "security/PasswordHash.h"

namespace tkd::schema {

const std::vector<GuardedFunction>& guardedFunctions()
{
    static const std::vector<GuardedFunction> all = [] {
        struct Group {
            const char16_t* category;
            std::vector<const char16_t*> names;
        };
        const std::vector<Group> groups = {
            {u"会员管理", {u"会员管理", u"事件提醒", u"会员请假管理", u"私教管理", u"学员考核管理"}},
            {u"前台操作",
             {u"添加会员", u"修改会员", u"学员登记", u"增加消费", u"增加交费", u"增加提醒", u"删除提醒",
              u"增加兑换商品", u"删除兑换商品", u"购买私教", u"会员请假", u"删除请假", u"会员销假", u"会员退货"}},
            {u"商品管理",
             {u"商品基本信息", u"商品库存查询", u"商品进货", u"商品退货", u"商品采购查询", u"商品消费查询"}},
            {u"统计报表",
             {u"会员交费统计", u"会员消费统计", u"营业报表", u"衣柜查询管理", u"员工业绩管理", u"兑换商品统计",
              u"会员来访统计", u"日常支出"}},
            {u"系统设置", {u"会员类型设置", u"衣柜设置", u"员工设置", u"其它设置", u"操作权限"}},
            {u"数据维护", {u"数据备份", u"数据恢复", u"数据压缩", u"数据清理"}},
        };
        std::vector<GuardedFunction> list;
        for (const Group& g : groups)
            for (const char16_t* name : g.names)
                list.push_back({QString::fromUtf16(g.category), QString::fromUtf16(name)});
        return list;
    }();
    return all;
}

void seedVersion1(Database& db)
{
    for (const GuardedFunction& f : guardedFunctions()) {
        db.execute(QStringLiteral("insert into [操作权限集合表] ([系统功能类别],[系统功能名称]) values (:lb,:gnmc)"),
                   {{QStringLiteral("lb"), f.category}, {QStringLiteral("gnmc"), f.name}});
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

} // namespace tkd::schema
