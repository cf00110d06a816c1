#include "Operators.h"

#include "Login.h"
#include "PasswordHash.h"
#include "Permissions.h"
#include "data/TvelunDMForm.h"

namespace tkd::security {

namespace {

// The stored hash of an operator, or a null value when there is no such operator.
Value storedPassword(TvelunDMForm& dm, const QString& operatorName)
{
    const ResultSet r = dm.open(QStringLiteral("ADOQ_findsamery"), {{QStringLiteral("czry"), operatorName}});
    return r.rowCount() == 0 ? Value() : Value(r.first(QStringLiteral("操作密码")).toText());
}

} // namespace

QStringList ordinaryOperators(TvelunDMForm& dm)
{
    const ResultSet r = dm.open(QStringLiteral("ADODS_gzry"));
    QStringList names;
    for (int i = 0; i < r.rowCount(); ++i)
        names << r.value(i, 0).toText();
    return names;
}

Outcome<> checkShiftChange(TvelunDMForm& dm, const QString& operatorName, const QString& typedPassword)
{
    const Value stored = storedPassword(dm, operatorName);
    if (stored.isNull())
        return Refusal::error(QStringLiteral("查无此人！"), field::name, {field::name});
    if (!verifyPassword(typedPassword, stored.toText()))
        return Refusal::error(QStringLiteral("您输入的密码不正确，不能换班登录！"), field::password, {field::password});
    return Done{};
}

Outcome<> changePassword(const CommandContext& context, const PasswordChange& change)
{
    TvelunDMForm& dm = context.dm;
    const QString newPassword = trimPassword(change.newPassword);
    if (newPassword.isEmpty())
        return Refusal::error(QStringLiteral("操作密码不能为空！"), field::password);
    if (newPassword != trimPassword(change.confirmation))
        return Refusal::warning(QStringLiteral("新密码和确认密码不同，请重新输入！"), field::password,
                                {field::password, field::confirm});
    const Value stored = storedPassword(dm, context.operatorName);
    if (stored.isNull() || !verifyPassword(change.oldPassword, stored.toText()))
        return Refusal::error(QStringLiteral("您输入的原密码不正确，无法更改！"), field::oldPassword,
                              {field::oldPassword});
    dm.change(QStringLiteral("update [操作人员] set [操作密码]=:czmm where [操作人员]=:czry"),
              {{QStringLiteral("czmm"), hashPassword(newPassword)}, {QStringLiteral("czry"), context.operatorName}});
    return Done{};
}

Outcome<> addOperator(const CommandContext& context, const NewOperator& input)
{
    TvelunDMForm& dm = context.dm;
    const QString name = input.name.trimmed();
    const QString password = trimPassword(input.password);
    if (name.isEmpty())
        return Refusal::error(QStringLiteral("操作人员不能为空！"), field::name);
    if (password.isEmpty())
        return Refusal::error(QStringLiteral("操作密码不能为空！"), field::password);
    if (password != trimPassword(input.confirmation))
        return Refusal::error(QStringLiteral("两次密码不同，请重新输入！"), field::password,
                              {field::password, field::confirm});
    if (!storedPassword(dm, name).isNull())
        return Refusal::error(QStringLiteral("请输入不同的操作人员！"), field::name,
                              {field::name, field::password, field::confirm});

    const QString hash = hashPassword(password);
    Transaction tx(dm.db());
    dm.change(QStringLiteral("insert into [操作人员] ([操作人员],[操作密码]) values(:zyxm,:czmm)"),
              {{QStringLiteral("zyxm"), name}, {QStringLiteral("czmm"), hash}});
    const ResultSet catalogue = dm.open(QStringLiteral("ADODS_gzqx"));
    for (int i = 0; i < catalogue.rowCount(); ++i) {
        dm.change(QStringLiteral("insert into [工作人员操作权限] ([操作人员],[系统功能类别],[系统功能名称],[操作权限]) "
                                 "values(:czry,:gnlb,:gnmc,:czqx)"),
                  {{QStringLiteral("czry"), name},
                   {QStringLiteral("gnlb"), catalogue.value(i, QStringLiteral("系统功能类别"))},
                   {QStringLiteral("gnmc"), catalogue.value(i, QStringLiteral("系统功能名称"))},
                   {QStringLiteral("czqx"), false}});
    }
    tx.commit();
    return Done{};
}

Outcome<> deleteOperator(const CommandContext& context, const QString& operatorName)
{
    TvelunDMForm& dm = context.dm;
    if (isSuperUser(operatorName))
        return Refusal::error(QStringLiteral("超级用户不能删除！"));
    Transaction tx(dm.db());
    dm.change(QStringLiteral("delete from [工作人员操作权限] where [操作人员]=:czry"),
              {{QStringLiteral("czry"), operatorName}});
    dm.change(QStringLiteral("delete from [操作人员] where [操作人员]=:czry"),
              {{QStringLiteral("czry"), operatorName}});
    tx.commit();
    return Done{};
}

Dataset rightsOf(TvelunDMForm& dm, const QString& operatorName)
{
    return dm.openForEdit(QStringLiteral("ADOQ_czqx"), {{QStringLiteral("czry"), operatorName}});
}

} // namespace tkd::security
