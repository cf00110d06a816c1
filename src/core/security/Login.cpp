#include "Login.h"

#include "Operators.h"
#include "PasswordHash.h"
#include "data/TvelunDMForm.h"

namespace tkd::security {

QStringList operatorNames(TvelunDMForm& dm)
{
    // In the order the operators were made, so the super user comes first.
    const ResultSet r = dm.list(QStringLiteral("select [操作人员] from [操作人员] order by rowid"));
    QStringList names;
    for (int i = 0; i < r.rowCount(); ++i)
        names << r.value(i, 0).toText();
    return names;
}

Outcome<> checkLogin(TvelunDMForm& dm, const QString& operatorName, const QString& typedPassword)
{
    const ResultSet r = dm.open(QStringLiteral("ADOQ_findsamery"), {{QStringLiteral("czry"), operatorName}});
    if (r.rowCount() == 0)
        return Refusal::error(QStringLiteral("查无此人！"), field::name, {field::name});
    if (!verifyPassword(typedPassword, r.first(QStringLiteral("操作密码")).toText()))
        return Refusal::error(QStringLiteral("您输入的密码不对，不能登录！"), field::password, {field::password});
    return Done{};
}

QString hallName(TvelunDMForm& dm)
{
    return dm.list(QStringLiteral("select * from [用户信息]")).first(QStringLiteral("用户名称")).toText();
}

} // namespace tkd::security
