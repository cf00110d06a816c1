#include "Staff.h"

#include "data/TvelunDMForm.h"
#include "db/TextSearch.h"

namespace tkd::staff {
QStringList statuses()
{
    return {QStringLiteral("正常"), kDeparted, QStringLiteral("其它")};
}

Outcome<> save(const CommandContext& context, const Input& input, std::optional<qint64> editId)
{
    TvelunDMForm& dm = context.dm;
    const QString name = input.name.trimmed();
    const QString title = input.title.trimmed();
    if (name.isEmpty())
        return Refusal::error(QStringLiteral("员工姓名不能为空！"), field::name);
    if (title.isEmpty())
        return Refusal::error(QStringLiteral("所任职务不能为空！"), field::title);
    const QString status = statuses().contains(input.status.trimmed()) ? input.status.trimmed() : statuses().first();
    Params params{{QStringLiteral("xm"), name},
                  {QStringLiteral("zw"), title},
                  {QStringLiteral("lxdh"), input.phone.trimmed()},
                  {QStringLiteral("lxdz"), input.address.trimmed()},
                  {QStringLiteral("zt"), status},
                  {QStringLiteral("bz"), input.remark.trimmed()}};
    Transaction tx(dm.db());
    if (editId) {
        params.set(QStringLiteral("bh"), *editId);
        if (dm.change(QStringLiteral("update [员工设置] set [姓名]=:xm,[职务]=:zw,[联系电话]=:lxdh,[联系地址]=:lxdz,"
                                     "[状态]=:zt,[备注]=:bz where [编号]=:bh"),
                      params) == 0)
            return Refusal::warning(QStringLiteral("该员工已不存在！"));
    } else {
        dm.change(QStringLiteral("insert into [员工设置] ([姓名],[职务],[联系电话],[联系地址],[状态],[备注]) "
                                 "values(:xm,:zw,:lxdh,:lxdz,:zt,:bz)"),
                  params);
    }
    tx.commit();
    return Done{};
}

std::optional<Input> find(TvelunDMForm& dm, qint64 id)
{
    const ResultSet row =
        dm.list(QStringLiteral("select * from [员工设置] where [编号]=:bh"), {{QStringLiteral("bh"), id}});
    if (row.isEmpty())
        return std::nullopt;
    Input input;
    input.name = row.first(QStringLiteral("姓名")).toText();
    input.title = row.first(QStringLiteral("职务")).toText();
    input.phone = row.first(QStringLiteral("联系电话")).toText();
    input.address = row.first(QStringLiteral("联系地址")).toText();
    input.status = row.first(QStringLiteral("状态")).toText();
    input.remark = row.first(QStringLiteral("备注")).toText();
    return input;
}

Outcome<> remove(const CommandContext& context, qint64 id)
{
    Transaction tx(context.dm.db());
    if (context.dm.change(QStringLiteral("delete from [员工设置] where [编号]=:bh"), {{QStringLiteral("bh"), id}}) == 0)
        return Refusal::warning(QStringLiteral("该员工已不存在！"));
    tx.commit();
    return Done{};
}

QStringList jobTitles(TvelunDMForm& dm)
{
    return dm.list(QStringLiteral("select [职务名称] from [职务] order by [编号]")).texts(QStringLiteral("职务名称"));
}

Outcome<> addJobTitle(const CommandContext& context, const QString& name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return Refusal::error(QStringLiteral("职务名称不能为空！"), field::jobTitle);
    Transaction tx(context.dm.db());
    context.dm.change(QStringLiteral("insert into [职务] ([职务名称]) values(:zwmc)"),
                      {{QStringLiteral("zwmc"), trimmed}});
    tx.commit();
    return Done{};
}

Outcome<> removeJobTitle(const CommandContext& context, qint64 id)
{
    Transaction tx(context.dm.db());
    context.dm.change(QStringLiteral("delete from [职务] where [编号]=:bh"), {{QStringLiteral("bh"), id}});
    tx.commit();
    return Done{};
}

Filter listFilter(bool showDeparted, const QString& title, const QString& name)
{
    std::vector<Filter> parts;
    if (!showDeparted)
        parts.push_back(Filter::where(QStringLiteral("状态"), Match::NotEquals, kDeparted));
    if (!title.isEmpty())
        parts.push_back(Filter::where(QStringLiteral("职务"), Match::Equals, title));
    if (!name.trimmed().isEmpty())
        parts.push_back(Filter::where(QStringLiteral("姓名"), Match::Contains, name.trimmed()));
    if (parts.empty())
        return {};
    return parts.size() == 1 ? parts.front() : Filter::allOf(std::move(parts));
}

QStringList coachNames(TvelunDMForm& dm)
{
    return dm.list(QStringLiteral("select [姓名] from [员工设置] where [职务]<>\"会籍顾问\" and [状态]=\"正常\""))
        .texts(QStringLiteral("姓名"));
}

QStringList consultantNames(TvelunDMForm& dm)
{
    return dm.list(QStringLiteral("select [姓名] from [员工设置] where [职务]=\"会籍顾问\" and [状态]=\"正常\""))
        .texts(QStringLiteral("姓名"));
}

ResultSet coachList(TvelunDMForm& dm)
{
    return dm.open(QStringLiteral("ADODS_jlxx"));
}

Filter coachSearch(const QString& text)
{
    return containsAny({QStringLiteral("姓名")}, text);
}

ResultSet searchCoaches(TvelunDMForm& dm, const QString& text)
{
    ResultSet rows = coachList(dm);
    rows.setFilter(coachSearch(text));
    return rows;
}

} // namespace tkd::staff
