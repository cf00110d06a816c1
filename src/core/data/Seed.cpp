#include "Seed.h"

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

} // namespace tkd::schema
