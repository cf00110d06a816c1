#include "Permissions.h"

#include "Login.h"
#include "data/TvelunDMForm.h"

namespace tkd::security {

const std::vector<GuardedCommand>& guardedCommands()
{
    static const std::vector<GuardedCommand> all = [] {
        const std::vector<std::pair<const char16_t*, const char16_t*>> raw = {
            {u"会员管理", u"对不起，您无权进行会员管理操作！"},
            {u"会员交费统计", u"对不起，您无权进行会员交费统计！"},
            {u"事件提醒", u"对不起，您无权进行事件提醒操作！"},
            {u"会员请假管理", u"对不起，您无权进行会员请假管理！"},
            {u"私教管理", u"对不起，您无权进行私教管理！"},
            {u"学员考核管理", u"对不起，您无权进行学员考核管理！"},
            {u"会员消费统计", u"对不起，您无权进行会员消费统计！"},
            {u"营业报表", u"对不起，您无权进行营业报表操作！"},
            {u"衣柜查询管理", u"对不起，您无权进行衣柜查询管理！"},
            {u"员工业绩管理", u"对不起，您无权进行员工业绩管理操作！"},
            {u"兑换商品统计", u"对不起，您无权进行兑换商品统计！"},
            {u"会员来访统计", u"对不起，您无权进行会员来访统计！"},
            {u"商品基本信息", u"对不起，您无权进行商品基本信息操作！"},
            {u"商品库存查询", u"对不起，您无权进行商品库存查询！"},
            {u"商品进货", u"对不起，您无权进行商品进货操作！"},
            {u"商品退货", u"对不起，您无权进行商品退货操作！"},
            {u"商品采购查询", u"对不起，您无权进行商品采购查询！"},
            {u"商品消费查询", u"对不起，您无权进行商品消费查询！"},
            {u"会员类型设置", u"对不起，您无权进行会员类型设置！"},
            {u"衣柜设置", u"对不起，您无权进行衣柜设置！"},
            {u"员工设置", u"对不起，您无权进行员工设置！"},
            {u"其它设置", u"对不起，您无权进行其它设置！"},
            {u"操作权限", u"对不起，您无权进行操作权限设置！"},
            {u"数据备份", u"对不起，您无权进行数据备份操作！"},
            {u"数据恢复", u"对不起，您无权进行数据恢复操作！"},
            {u"数据压缩", u"对不起，您无权进行数据压缩操作！"},
            {u"数据清理", u"对不起，您无权进行数据清理操作！"},
            {u"日常支出", u"对不起，您无权进行日常支出操作！"},
            {u"添加会员", u"对不起，您无权进行添加会员操作！"},
            {u"修改会员", u"对不起，您无权进行修改会员操作！"},
            {u"学员登记", u"对不起，您无权进行学员登记操作！"},
            {u"增加消费", u"对不起，您无权进行增加消费操作！"},
            {u"增加交费", u"对不起，您无权进行增加交费操作！"},
            {u"增加提醒", u"对不起，您无权进行增加提醒操作！"},
            {u"删除提醒", u"对不起，您无权进行删除提醒操作！"},
            {u"增加兑换商品", u"对不起，您无权进行增加兑换商品操作！"},
            {u"删除兑换商品", u"对不起，您无权进行删除兑换商品操作！"},
            {u"购买私教", u"对不起，您无权进行购买私教操作！"},
            {u"会员请假", u"对不起，您无权进行会员请假操作！"},
            {u"删除请假", u"对不起，您无权进行删除请假操作！"},
            {u"会员销假", u"对不起，您无权进行会员销假操作！"},
            {u"会员退货", u"对不起，您无权进行会员退货操作！"},
        };
        std::vector<GuardedCommand> list;
        for (const auto& [name, message] : raw)
            list.push_back({QString::fromUtf16(name), QString::fromUtf16(message)});
        return list;
    }();
    return all;
}

QString refusalFor(const QString& function)
{
    for (const GuardedCommand& c : guardedCommands())
        if (c.function == function)
            return c.refusal;
    return QStringLiteral("对不起，您无权进行%1操作！").arg(function);
}

bool isSuperUser(const QString& operatorName)
{
    return operatorName == QString::fromUtf16(kSuperUser);
}

MaybeRefusal checkPermission(TvelunDMForm& dm, const QString& operatorName, const QString& function)
{
    if (isSuperUser(operatorName))
        return std::nullopt;
    const ResultSet r = dm.open(QStringLiteral("ADOQ_findgzqx"),
                                {{QStringLiteral("czry"), operatorName}, {QStringLiteral("gnmc"), function}});
    if (r.rowCount() > 0 && r.first(QStringLiteral("操作权限")).toBool())
        return std::nullopt;
    return Refusal::error(refusalFor(function));
}

MaybeRefusal requireSuperUser(const QString& operatorName, SuperUserOperation operation)
{
    if (isSuperUser(operatorName))
        return std::nullopt;
    switch (operation) {
    case SuperUserOperation::DeleteVisit:
        return Refusal::error(QStringLiteral("只有超级用户可以进行删除登记操作！"));
    case SuperUserOperation::DeleteMember:
        return Refusal::error(QStringLiteral("对不起，只有超级用户可以进行删除会员操作！"));
    case SuperUserOperation::AdjustMemberData:
        return Refusal::warning(QStringLiteral("只有超级用户可以进行此操作！"));
    }
    return Refusal::warning(QStringLiteral("只有超级用户可以进行此操作！"));
}

} // namespace tkd::security
