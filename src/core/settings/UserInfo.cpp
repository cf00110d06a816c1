#include "UserInfo.h"

#include "data/TvelunDMForm.h"

namespace tkd {

UserInfo UserInfo::load(TvelunDMForm& dm)
{
    const ResultSet r = dm.list(QStringLiteral("select * from [用户信息]"));
    return {r.first(QStringLiteral("用户名称")).toText(), r.first(QStringLiteral("联系电话")).toText(),
            r.first(QStringLiteral("电子邮箱")).toText(), r.first(QStringLiteral("公司网址")).toText(),
            r.first(QStringLiteral("联系地址")).toText()};
}

Outcome<> saveUserInfo(const CommandContext& context, const UserInfo& info)
{
    TvelunDMForm& dm = context.dm;
    if (info.name.trimmed().isEmpty())
        return Refusal::error(QStringLiteral("用户名称不能为空！"), userinfo_field::name);
    Transaction tx(dm.db());
    // The table has one row; a file that lost it gets it back rather than saving nothing.
    if (dm.db().scalar(QStringLiteral("select count(*) from [用户信息]")).toInt() == 0)
        dm.change(QStringLiteral("insert into [用户信息] ([用户名称]) values ('')"));
    dm.change(
        QStringLiteral("update [用户信息] set [用户名称]=:yhmc,[联系电话]=:lxdh,[电子邮箱]=:dzyx,[公司网址]=:gswz,"
                       "[联系地址]=:lxdz"),
        {{QStringLiteral("yhmc"), info.name.trimmed()},
         {QStringLiteral("lxdh"), info.phone.trimmed()},
         {QStringLiteral("dzyx"), info.email.trimmed()},
         {QStringLiteral("gswz"), info.website.trimmed()},
         {QStringLiteral("lxdz"), info.address.trimmed()}});
    tx.commit();
    return Done{};
}

} // namespace tkd
